#include "core/wire/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace wire {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones keep their C1 value.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteOfCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // A run of ASCII, most of any text, is copied whole.
        const std::size_t run =
            std::find_if(utf8.begin() + static_cast<std::ptrdiff_t>(i), utf8.end(),
                         [](char c) { return static_cast<std::uint8_t>(c) >= 0x80; }) -
            utf8.begin();
        out.append(utf8, i, run - i);
        i = run;
        if (i == utf8.size()) {
            break;
        }
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        int length = 0;
        char32_t cp = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool valid = i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(ByteOfCodePoint(cp)));
        i += length;
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    // Size the result exactly first (most text is ASCII), then write through a pointer.
    std::size_t size = bytes.size();
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80) {
            size += (byte < 0xA0 && kHighTable[byte - 0x80] >= 0x800) ? 2 : 1;
        }
    }
    std::string out(size, '\0');
    char* cursor = out.data();
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            *cursor++ = c;
            continue;
        }
        const char32_t cp = byte < 0xA0 ? kHighTable[byte - 0x80] : byte;
        if (cp < 0x800) {
            *cursor++ = static_cast<char>(0xC0 | (cp >> 6));
            *cursor++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *cursor++ = static_cast<char>(0xE0 | (cp >> 12));
            *cursor++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *cursor++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace wire
