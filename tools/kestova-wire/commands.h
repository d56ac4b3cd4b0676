#pragma once

#include <string>
#include <string_view>

// The commands of kestova-wire as pure functions of their input text, so that main() only deals
// with arguments, standard input and output.
namespace kestovawire {

struct Result {
    std::string output;  // for standard output
    std::string error;   // for standard error; a non-empty error means failure
};

// UTF-8 text to the digits of the wire (characters outside Windows-1252 become "?").
Result Encode(std::string_view text);
// Digits (whitespace anywhere is ignored) to UTF-8 text; with `messages`, one message per line
// in the order the server sent them.
Result Decode(std::string_view digits, bool messages);
// A decoded text to its keyword and value pairs: one line each, keyword, a tab and the value; a
// keyword without a value element stands alone. Control characters are shown as \xHH.
Result Split(std::string_view text);

}  // namespace kestovawire
