#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/wire/receive.h"

// The commands of kestova-wire as pure functions of their input text, so that main() only deals
// with arguments, standard input and output.
namespace kestovawire {

struct Result {
    std::string output;  // for standard output
    std::string error;   // for standard error; a non-empty error means failure
};

// The most input a command reads whole (decode --messages reads a stream of any length): the
// wire's whole-text coding reverses the text, so nothing of it can be written before its end.
inline constexpr std::size_t kMaxInputBytes = 8 * 1024 * 1024;

// UTF-8 text to the digits of the wire (characters outside Windows-1252 become "?").
Result Encode(std::string_view text);

// Digits (whitespace anywhere is ignored) to UTF-8 text, taken a piece at a time; with
// `messages`, one message per line in the order the server sent them, each written as soon as it
// is whole, so that a capture of any length takes little memory.
class Decoder {
public:
    explicit Decoder(bool messages);
    // The next piece of input; output, when any, is ready to be written. An error (a character
    // that is no digit, or more than kMaxInputBytes to decode whole) ends the decoding.
    Result feed(std::string_view input);
    // The input has ended: what is left.
    Result finish();

private:
    bool messages_;
    std::string digits_;
    std::size_t position_ = 0;  // characters read so far
    wire::ReplyReader reader_;
};
// The whole input at once.
Result Decode(std::string_view digits, bool messages);
// A decoded text to its keyword and value pairs: one line each, keyword, a tab and the value; a
// keyword without a value element stands alone. Control characters are shown as \xHH.
Result Split(std::string_view text);

}  // namespace kestovawire
