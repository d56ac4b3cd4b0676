#include "tools/kestova-wire/commands.h"

#include <limits>

#include "core/wire/codec.h"
#include "core/wire/framing.h"

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

Decoder::Decoder(bool messages) : messages_(messages), reader_({}, [](const std::string&) {}) {}

Result Decoder::feed(std::string_view input) {
    const std::size_t first = digits_.size();
    for (const char c : input) {
        ++position_;
        if (c >= '0' && c <= '9') {
            digits_.push_back(c);
        } else if (!IsSpace(c)) {
            return Result{{},
                          "the input holds \"" + Visible(std::string_view(&c, 1)) +
                              "\" at position " + std::to_string(position_) +
                              "; only digits and whitespace may be decoded"};
        }
    }
    if (!messages_) {
        if (digits_.size() > kMaxInputBytes) {
            return Result{{},
                          "more than " + std::to_string(kMaxInputBytes / (1024 * 1024)) +
                              " MiB of digits to decode as one text; decode --messages reads "
                              "a capture of any length"};
        }
        return {};
    }
    // The console's own reader: messages in the order the server sent them; what is not a whole
    // message (a capture cut in the middle of one) is left out.
    reader_.feed(std::string_view(digits_).substr(first), 0);
    digits_.clear();
    std::string out;
    for (const std::string& message : reader_.take(0)) {
        out += Visible(message) + "\n";
    }
    return Result{out, {}};
}

Result Decoder::finish() {
    if (!messages_) {
        // A short trailing group (one or two stray digits) is dropped, as the receiver does.
        return Result{wire::DecodeText(digits_) + "\n", {}};
    }
    std::string out;
    for (const std::string& message : reader_.take(std::numeric_limits<std::int64_t>::max() / 2)) {
        out += Visible(message) + "\n";
    }
    return Result{out, {}};
}

Result Decode(std::string_view digits, bool messages) {
    Decoder decoder(messages);
    Result fed = decoder.feed(digits);
    if (!fed.error.empty()) {
        return fed;
    }
    Result rest = decoder.finish();
    return Result{fed.output + rest.output, {}};
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
