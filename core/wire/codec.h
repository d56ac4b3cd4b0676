#pragma once

#include <string>
#include <string_view>

// The digit encoding of the server protocol. Each character becomes the three decimal digits of
// its code plus 500, and the whole digit string is reversed, so "abc" travels as 995895795.
namespace wire {

// Windows-1252 bytes to digits (three per byte).
std::string EncodeBytes(std::string_view bytes);
// Digits to Windows-1252 bytes. Groups are aligned at the start of the text; a group that is not
// three digits of a value 500..755 adds nothing, without shifting the groups after it.
std::string DecodeBytes(std::string_view digits);

// One group: the three digits at `digits` to their byte; -1 when they are no group of a value
// 500..755.
int DecodeGroup(const char* digits);

// The same on the program's UTF-8 text (characters outside the code page travel as "?").
std::string EncodeText(std::string_view text);
std::string DecodeText(std::string_view digits);

}  // namespace wire
