#include "core/wire/codec.h"

#include <array>
#include <cstdint>

#include "core/wire/codepage.h"

namespace wire {
namespace {

// The three digits of a byte's group, units digit first.
struct Group {
    std::array<char, 3> digits;
};

constexpr std::array<Group, 256> MakeGroups() {
    std::array<Group, 256> groups{};
    for (int code = 0; code < 256; ++code) {
        const int value = code + 500;
        groups[code].digits = {static_cast<char>('0' + value % 10),
                               static_cast<char>('0' + value / 10 % 10),
                               static_cast<char>('0' + value / 100)};
    }
    return groups;
}

constexpr auto kGroups = MakeGroups();

int DigitValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }

}  // namespace

std::string EncodeBytes(std::string_view bytes) {
    std::string out(bytes.size() * 3, '\0');
    char* cursor = out.data();
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const Group& group = kGroups[static_cast<std::uint8_t>(*it)];
        cursor[0] = group.digits[0];
        cursor[1] = group.digits[1];
        cursor[2] = group.digits[2];
        cursor += 3;
    }
    return out;
}

std::string DecodeBytes(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() / 3);
    const std::size_t whole = digits.size() - digits.size() % 3;
    for (std::size_t i = 0; i < whole; i += 3) {
        const int units = DigitValue(digits[i]);
        const int tens = DigitValue(digits[i + 1]);
        const int hundreds = DigitValue(digits[i + 2]);
        if (units < 0 || tens < 0 || hundreds < 0) {
            continue;
        }
        const int code = hundreds * 100 + tens * 10 + units - 500;
        if (code >= 0 && code <= 255) {
            out.push_back(static_cast<char>(code));
        }
    }
    // A trailing group of one or two digits is always below 500, so it is simply dropped.
    return std::string(out.rbegin(), out.rend());
}

std::string EncodeText(std::string_view text) { return EncodeBytes(Utf8ToCp1252(text)); }

std::string DecodeText(std::string_view digits) { return Cp1252ToUtf8(DecodeBytes(digits)); }

}  // namespace wire
