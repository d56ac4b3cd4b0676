#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading what a console sends: liberal in form (keywords in any case, leading and trailing
// separators optional), strict as data (values are never interpreted beyond their fields).
namespace zarnevo {

struct Request {
    std::string keyword;              // upper-cased first non-empty element
    std::vector<std::string> values;  // the elements after it, trailing empty ones dropped
    // Everything after the keyword's separator with the closing separators removed: the value
    // as one text even when it holds "||" itself (a password may).
    std::string rawValue;

    // The value at index i, or an empty text.
    const std::string& value(std::size_t i) const;
};

// Nothing for a message without any keyword.
std::optional<Request> ParseRequest(std::string_view plain);

// The user name and password of a login condition text:
//   Username = 'NAME' and Password = 'SECRET'
// The words may come in any case. The user name ends at the first "' and Password = '", the
// password at the closing quote that ends the text, so quotes inside the password are part of
// it and never change what is checked. Nothing when the text is not of this form.
struct Credentials {
    std::string user;
    std::string password;
};
std::optional<Credentials> ParseConditionText(std::string_view text);

}  // namespace zarnevo
