#include "core/wire/receive.h"

#include <algorithm>
#include <cstdio>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"

namespace wire {
namespace {

constexpr std::size_t kGroup = 3;

void LogToStderr(const std::string& line) {
    std::fprintf(stderr, "kestova: %s\n", line.c_str());
}

}  // namespace

ReceiveAssembler::ReceiveAssembler(ReceiveOptions options, LogSink log)
    : options_(options), log_(log ? std::move(log) : LogSink(LogToStderr)) {
    // Whole groups only, so that a cut by the cap falls between two groups of the stream.
    options_.capBytes = std::max(kGroup, options_.capBytes - options_.capBytes % kGroup);
}

std::size_t ReceiveAssembler::feed(std::string_view bytes, std::int64_t nowMs) {
    // After a cut, the stream resumes at the next group boundary.
    const std::size_t realign = std::min(skipBytes_, bytes.size());
    skipBytes_ -= realign;
    bytes.remove_prefix(realign);

    const std::size_t room = options_.capBytes - pending_.size();
    std::size_t accepted = bytes.size();
    if (accepted > room) {
        // Keep the buffer ending on a group boundary: pending_ begins on one, and the cap is a
        // whole number of groups.
        accepted = room;
    }
    pending_.append(bytes.substr(0, accepted));
    if (accepted > 0) {
        lastArrivalMs_ = nowMs;
    }
    const std::size_t dropped = bytes.size() - accepted;
    if (dropped > 0) {
        skipBytes_ = (kGroup - dropped % kGroup) % kGroup;
        log_("receive buffer full (" + std::to_string(pending_.size()) +
             " bytes waiting): dropped " + std::to_string(dropped) + " bytes from the server");
    }
    return realign + dropped;
}

std::optional<std::int64_t> ReceiveAssembler::settleDeadline() const {
    if (pending_.size() < kGroup) {
        return std::nullopt;
    }
    return lastArrivalMs_ + options_.settleMs;
}

std::optional<std::string> ReceiveAssembler::takeChunk(std::int64_t nowMs) {
    const auto deadline = settleDeadline();
    if (!deadline || nowMs < *deadline) {
        return std::nullopt;
    }
    const std::size_t whole = pending_.size() - pending_.size() % kGroup;
    std::string chunk = pending_.substr(0, whole);
    pending_.erase(0, whole);
    return chunk;
}

void ReceiveAssembler::reset() {
    pending_.clear();
    skipBytes_ = 0;
}

std::size_t ReplyValueCount(std::string_view keyword) {
    // A value that ends in "|" lends that bar to the next element: it is not the keyword's.
    keyword.remove_prefix(std::min(keyword.find_first_not_of('|'), keyword.size()));
    const reply::Keyword* known = reply::Find(UpperAscii(keyword));
    return known != nullptr ? known->values : 1;
}

namespace {

// One element of a decoded text as SplitElements finds it, read lazily from an offset.
struct Element {
    std::size_t begin;
    std::size_t end;  // where the separator after it begins (the text's size for the last)
    bool last;        // no separator follows
    bool empty() const { return begin == end; }
};

Element ElementAt(std::string_view text, std::size_t begin) {
    const std::size_t at = text.find(kSeparator, begin);
    if (at == std::string_view::npos) {
        return Element{begin, text.size(), true};
    }
    return Element{begin, at, false};
}

Element NextElement(std::string_view text, const Element& element) {
    return ElementAt(text, element.end + kSeparator.size());
}

// Where the message that begins at `start` ends: see SplitDecodedChunk for the rule.
std::size_t MessageEnd(std::string_view text, std::size_t start) {
    Element element = ElementAt(text, start);
    while (element.empty() && !element.last) {
        element = NextElement(text, element);
    }
    while (true) {
        // element is a reply's keyword; step over its values.
        const std::size_t values =
            ReplyValueCount(text.substr(element.begin, element.end - element.begin));
        for (std::size_t i = 0; i < values; ++i) {
            if (element.last) {
                return text.size();
            }
            element = NextElement(text, element);
        }
        if (element.last) {
            return text.size();
        }
        const Element next = NextElement(text, element);
        if (!next.empty()) {
            element = next;  // a further reply of the same message
            continue;
        }
        if (next.last) {
            return text.size();  // the closing separator of the chunk's final message
        }
        // The end of this message: the next one begins with the last "||" of this run of bars.
        std::size_t runEnd = element.end;
        while (runEnd < text.size() && text[runEnd] == '|') {
            ++runEnd;
        }
        return runEnd == text.size() ? runEnd : runEnd - kSeparator.size();
    }
}

}  // namespace

std::vector<std::string> SplitDecodedChunk(std::string_view decoded) {
    std::vector<std::string> messages;
    std::size_t start = 0;
    while (start < decoded.size()) {
        const std::size_t end = MessageEnd(decoded, start);
        messages.emplace_back(decoded.substr(start, end - start));
        start = end;
    }
    // The decoder's final reversal put the last message first.
    std::reverse(messages.begin(), messages.end());
    return messages;
}

std::vector<std::string> DecodeMessages(std::string_view digits) {
    return SplitDecodedChunk(DecodeText(digits));
}

}  // namespace wire
