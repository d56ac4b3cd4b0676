#pragma once

#include <array>
#include <concepts>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Messages are keyword and value fields separated by "||": "||KEYWORD||value||".
namespace wire {

inline constexpr std::string_view kSeparator = "||";

// Splits a text at every occurrence of the separator; neighbouring separators give empty pieces
// and a text without one is a single piece (an empty text gives one empty piece).
std::vector<std::string> SplitOn(std::string_view text, std::string_view separator);

// Splits a decoded text at every "||"; neighbouring separators give empty elements and an empty
// text gives no elements at all.
std::vector<std::string> SplitElements(std::string_view plain);

// Index of the first element that starts a keyword/value pair: the first that is neither empty
// nor "||". Empty when the elements hold no pair.
std::optional<std::size_t> FirstPairIndex(const std::vector<std::string>& elements);

// The longest element taken for a keyword, known or not.
inline constexpr std::size_t kLongestKeyword = 32;

// Keywords are words of letters (in either case), digits and dashes; one holds a space.
constexpr bool IsKeywordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ' ';
}
// An element that may be a keyword, one the console knows or not: 1 to kLongestKeyword keyword
// characters.
bool IsKeywordShaped(std::string_view element);

struct Pair {
    std::string keyword;  // upper-cased (ASCII)
    std::string value;    // as received; empty when the keyword was the last element
    bool hasValue = true;
};

// The keyword/value pairs of a decoded message, stepping exactly two elements at a time.
std::vector<Pair> SplitPairs(std::string_view plain);

constexpr char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string UpperAscii(std::string_view text);
// UpperAscii(text) == upper, without making the copy.
bool IsUpperAsciiOf(std::string_view upper, std::string_view text);

// "||KEYWORD||value||...||": a message of one keyword and its values, as both sides write
// them; without a value it still carries one empty value element ("||KEYWORD||||").
std::string MessageText(std::string_view keyword, std::span<const std::string_view> values);
std::string MessageText(std::string_view keyword, const std::vector<std::string>& values);
template <typename... Values>
requires(std::convertible_to<const Values&, std::string_view>&&...) std::string
    MessageText(std::string_view keyword, const Values&... values) {
    const std::array<std::string_view, sizeof...(Values)> pieces{std::string_view(values)...};
    return MessageText(keyword, std::span<const std::string_view>(pieces));
}

}  // namespace wire
