#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The server speaks the single-byte code page Windows-1252; the program keeps UTF-8 inside.
namespace wire {

// UTF-8 text to Windows-1252 bytes. A character the code page cannot represent (or a malformed
// UTF-8 sequence) becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);

// How many characters a UTF-8 text holds (every byte but a continuation byte starts one).
std::size_t CharacterCount(std::string_view utf8);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the C1
// control characters of the same number, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace wire
