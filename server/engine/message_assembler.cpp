#include "server/engine/message_assembler.h"

#include <algorithm>

#include "core/wire/codec.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"

namespace zarnevo {
namespace {

// Enough to look back over a "||" and the longest keyword that may still be arriving.
constexpr std::size_t kLookBack = 24;

// Keywords are words of letters, digits and dashes; a few server keywords hold a space.
bool IsKeywordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ' ';
}

bool OnlyBars(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '|'; });
}

}  // namespace

MessageAssembler::MessageAssembler(std::span<const std::string_view> startKeywords,
                                   std::size_t capBytes)
    : keywords_(startKeywords.begin(), startKeywords.end()), capBytes_(capBytes) {
    std::ranges::sort(keywords_);
}

bool MessageAssembler::startsMessage(std::string_view upperKeyword) const {
    return std::binary_search(keywords_.begin(), keywords_.end(), upperKeyword);
}

bool MessageAssembler::endsALongerKeyword(std::string_view upperKeyword) const {
    return std::ranges::any_of(keywords_, [&](std::string_view keyword) {
        return keyword.size() > upperKeyword.size() && keyword.ends_with(upperKeyword);
    });
}

MessageAssembler::Fed MessageAssembler::feed(std::string_view bytes, std::int64_t nowMs) {
    lastArrivalMs_ = nowMs;
    carry_.append(bytes);
    const std::size_t whole = carry_.size() - carry_.size() % 3;
    // DecodeBytes reverses the whole text at the end; undoing that leaves every message reversed
    // in send order.
    const std::string decoded = wire::DecodeBytes(std::string_view(carry_).substr(0, whole));
    reversed_.append(decoded.rbegin(), decoded.rend());
    carry_.erase(0, whole);

    Fed fed;
    while (const auto length = completeLength()) {
        const std::string_view message = std::string_view(reversed_).substr(0, *length);
        if (!OnlyBars(message)) {
            fed.messages.push_back(Unreverse(message));
        }
        reversed_.erase(0, *length);
        scan_ = 0;
    }
    scan_ = reversed_.size() > kLookBack ? reversed_.size() - kLookBack : 0;

    if (pendingBytes() > capBytes_) {
        fed.droppedBytes = pendingBytes();
        carry_.clear();
        reversed_.clear();
        scan_ = 0;
    }
    return fed;
}

std::optional<std::string> MessageAssembler::takeQuiet(std::int64_t nowMs) {
    if (pendingBytes() == 0 || nowMs - lastArrivalMs_ < kQuietMs) {
        return std::nullopt;
    }
    std::string remainder = OnlyBars(reversed_) ? std::string() : Unreverse(reversed_);
    carry_.clear();
    reversed_.clear();
    scan_ = 0;
    return remainder.empty() ? std::nullopt : std::optional<std::string>(std::move(remainder));
}

std::optional<std::size_t> MessageAssembler::completeLength() {
    const std::string_view text = reversed_;
    for (std::size_t bars = text.find(wire::kSeparator, scan_); bars != std::string_view::npos;
         bars = text.find(wire::kSeparator, bars + 1)) {
        const std::size_t start = bars + 2;
        std::size_t end = start;
        while (end < text.size() && IsKeywordChar(text[end])) {
            ++end;
        }
        if (end == start || (end < text.size() && text[end] != '|')) {
            continue;
        }
        const std::string_view token = text.substr(start, end - start);
        const std::string keyword = wire::UpperAscii(std::string(token.rbegin(), token.rend()));
        if (!startsMessage(keyword)) {
            continue;
        }
        if (end == text.size() && endsALongerKeyword(keyword)) {
            // "UPDATE" at the end so far may be the tail of "F-UPDATE" whose start is still on
            // its way; only quiet settles it.
            continue;
        }
        return text.substr(end, 2) == wire::kSeparator ? end + 2 : end;
    }
    return std::nullopt;
}

std::string MessageAssembler::Unreverse(std::string_view reversed) {
    return wire::Cp1252ToUtf8(std::string(reversed.rbegin(), reversed.rend()));
}

}  // namespace zarnevo
