#include "tools/kestova-wire/commands.h"

#include <limits>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "core/wire/receive.h"

namespace kestovawire {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// A line of output never breaks inside a field: control characters are written as \xHH.
std::string Visible(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

Result Encode(std::string_view text) {
    return Result{wire::EncodeText(text) + "\n", {}};
}

Result Decode(std::string_view digits, bool messages) {
    std::string clean;
    clean.reserve(digits.size());
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        if (c >= '0' && c <= '9') {
            clean.push_back(c);
        } else if (!IsSpace(c)) {
            return Result{{},
                          "the input holds \"" + Visible(std::string_view(&c, 1)) +
                              "\" at position " + std::to_string(i + 1) +
                              "; only digits and whitespace may be decoded"};
        }
    }
    // A short trailing group (one or two stray digits) is dropped, as the receiver does.
    if (!messages) {
        return Result{wire::DecodeText(clean) + "\n", {}};
    }
    // The console's own reader: messages in the order the server sent them; what is not a whole
    // message (a capture cut in the middle of one) is left out.
    wire::ReplyReader reader({}, [](const std::string&) {});
    reader.feed(clean, 0);
    std::string out;
    for (const std::string& message : reader.take(std::numeric_limits<std::int64_t>::max() / 2)) {
        out += Visible(message) + "\n";
    }
    return Result{out, {}};
}

Result Split(std::string_view text) {
    std::string out;
    for (const wire::Pair& pair : wire::SplitPairs(text)) {
        out += Visible(pair.keyword);
        if (pair.hasValue) {
            out += "\t" + Visible(pair.value);
        }
        out += "\n";
    }
    return Result{out, {}};
}

}  // namespace kestovawire
