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

int DecodeGroup(const char* group) {
    const unsigned units = static_cast<unsigned char>(group[0]) - '0';
    const unsigned tens = static_cast<unsigned char>(group[1]) - '0';
    const unsigned hundreds = static_cast<unsigned char>(group[2]) - '0';
    const unsigned code = hundreds * 100 + tens * 10 + units - 500;
    // Unsigned wrap-around turns non-digits and values below 500 into huge numbers.
    return units <= 9 && tens <= 9 && hundreds <= 9 && code <= 255 ? static_cast<int>(code) : -1;
}

std::string DecodeBytes(std::string_view digits) {
    // Groups are read from the start and their bytes written from the end, which performs the
    // final reversal in the same pass. A group that adds nothing leaves a gap at the front.
    const std::size_t groups = digits.size() / 3;
    std::string out(groups, '\0');
    std::size_t free = groups;
    const char* group = digits.data();
    for (std::size_t i = 0; i < groups; ++i, group += 3) {
        if (const int code = DecodeGroup(group); code >= 0) {
            out[--free] = static_cast<char>(code);
        }
    }
    // A trailing group of one or two digits is always below 500, so it is simply dropped.
    out.erase(0, free);
    return out;
}

std::string EncodeText(std::string_view text) {
    return EncodeBytes(Utf8ToCp1252(text));
}

std::string DecodeText(std::string_view digits) {
    return Cp1252ToUtf8(DecodeBytes(digits));
}

}  // namespace wire
