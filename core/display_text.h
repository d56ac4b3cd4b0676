#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts from the server are shown as they came, up to a length a window can show at once: a
// megabyte in one grid cell or one message would stall the window for seconds.
namespace kestova {

// Characters of one message in the message window, and of one grid cell.
inline constexpr std::size_t kLongestMessageShown = 64 * 1024;
inline constexpr std::size_t kLongestCellShown = 256;

inline constexpr std::string_view kMessageCutMark = " [... message cut: too long to show]";
inline constexpr std::string_view kCellCutMark = "\u2026";

// The UTF-8 text when it has at most maxChars characters; otherwise its first maxChars
// characters followed by the mark.
std::string CutForDisplay(std::string_view utf8, std::size_t maxChars, std::string_view mark);

}  // namespace kestova
