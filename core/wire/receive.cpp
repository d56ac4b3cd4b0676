#include "core/wire/receive.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/wire/codec.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"

namespace wire {
namespace {

constexpr std::size_t kGroup = 3;
// How many starts found by skipping may fail in a row to read as a message before everything up
// to the end the last one ran to is given up. Each try reads the text up to that end again; a
// server's message has far fewer runs of bars, but a hostile text of many short runs would
// otherwise take time growing with the square of its length (hours for a megabyte) while the
// console stands still.
constexpr int kFailedStartsPerEnd = 16;
// The digits of "||", with which every message's digits begin.
constexpr std::string_view kMessageStartDigits = "426426";

void LogToStderr(const std::string& line) {
    std::fprintf(stderr, "kestova: %s\n", line.c_str());
}

// The reply keyword a reversed element names, in any case; nullptr when it names none. Without
// allocating: the receive path asks this of every run of bars in what arrives.
const reply::Keyword* ReversedReplyKeyword(std::string_view reversed) {
    std::array<char, 32> upper{};
    if (reversed.size() > reply::LongestKeyword() || reversed.size() > upper.size()) {
        return nullptr;
    }
    std::transform(reversed.rbegin(), reversed.rend(), upper.begin(),
                   [](char c) { return UpperAscii(c); });
    return reply::Find(std::string_view(upper.data(), reversed.size()));
}

// The part of an element that has arrived could still become a reply keyword: keyword
// characters, at most as many as the longest, and perhaps the first bar of the "||" after it.
bool MayBecomeReplyKeyword(std::string_view partial) {
    if (partial.ends_with('|')) {
        partial.remove_suffix(1);
    }
    return partial.size() <= reply::LongestKeyword() &&
           std::all_of(partial.begin(), partial.end(), [](char c) { return IsKeywordChar(c); });
}

// The reply keyword a word names, in any case; nullptr when it names none.
const reply::Keyword* FindReplyKeyword(std::string_view word) {
    const auto keywords = reply::Keywords();
    const auto it = std::find_if(keywords.begin(), keywords.end(), [word](const reply::Keyword& k) {
        return IsUpperAsciiOf(k.name, word);
    });
    return it == keywords.end() ? nullptr : &*it;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

ReplyReader::ReplyReader(ReaderOptions options, LogSink log)
    : options_(options), log_(log ? std::move(log) : LogSink(LogToStderr)) {}

void ReplyReader::feed(std::string_view bytes, std::int64_t nowMs) {
    compact();
    const std::size_t before = digits_.size();
    // Copied in place rather than appended digit by digit: a read may hold hundreds of
    // thousands, and appending one at a time was the largest part of taking them in.
    digits_.resize(before + bytes.size());
    digits_.erase(std::copy_if(bytes.begin(), bytes.end(), digits_.begin() + before, IsDigit),
                  digits_.end());
    const std::size_t strays = bytes.size() - (digits_.size() - before);
    if (strays > 0) {
        log_("ignored " + std::to_string(strays) + " bytes from the server that are no digits");
    }
    if (digits_.size() > before) {
        lastArrivalMs_ = nowMs;
    }
    if (pendingDigits() > options_.capDigits) {
        dropAll("more than the receive buffer holds");
    }
}

void ReplyReader::decodeAhead() {
    if (invalidAt_ != std::string::npos) {
        return;
    }
    for (std::size_t at = digitFront_ + kGroup * text().size(); at + kGroup <= digits_.size();
         at += kGroup) {
        const int code = DecodeGroup(digits_.data() + at);
        if (code < 0) {
            invalidAt_ = text().size();
            return;
        }
        text_.push_back(static_cast<char>(code));
    }
}

// A message in step may lack its closing "||"; one found by skipping must begin with it.
bool ReplyReader::frontIsMessageStart() const {
    if (invalidAt_ == 0) {
        return false;
    }
    if (!verify_) {
        return true;
    }
    const std::string_view front = text().substr(0, 2);
    return front == std::string_view("||").substr(0, front.size()) &&
           (invalidAt_ == std::string::npos || invalidAt_ >= 2);
}

std::optional<ReplyReader::FirstKeyword> ReplyReader::firstKeywordAt(std::size_t at) const {
    const std::string_view t = text();
    std::size_t end = at;
    while (end < t.size() && IsKeywordChar(t[end])) {
        ++end;
    }
    const std::size_t length = end - at;
    const bool arriving = end + kSeparator.size() > t.size() && (end == t.size() || t[end] == '|');
    if (arriving && length <= kLongestKeyword && !final_) {
        return std::nullopt;
    }
    const bool closed = t.substr(end, kSeparator.size()) == kSeparator;
    const bool shaped = length > 0 && length <= kLongestKeyword && (closed || end == t.size());
    return FirstKeyword{shaped ? length : 0, shaped && ReversedReplyKeyword(t.substr(at, length)),
                        closed};
}

// The end of the front message: "||", a keyword reversed and "||", followed by the "||" of the
// next message or by nothing yet. Two shapes inside one message look alike and are told apart: a
// value ending in a bar leaves one bar, not two; and where a reply's value is empty, the element
// after it stands where the next message's first keyword would. The elements after that tell:
// they are the reply's values and keyword, reversed, when the message goes on.
std::optional<ReplyReader::Boundary> ReplyReader::findBoundary() {
    const std::string_view t = text();
    for (std::size_t bars = t.find(kSeparator, scan_); bars != std::string_view::npos;
         bars = t.find(kSeparator, bars + 1)) {
        const std::size_t start = bars + kSeparator.size();
        const std::optional<FirstKeyword> keyword = firstKeywordAt(start);
        if (!keyword.has_value()) {
            break;  // the keyword or its bars are still arriving
        }
        // After skipping only a reply keyword begins a message: the message must be well formed.
        if (keyword->length == 0 || (verify_ && !keyword->known)) {
            continue;
        }
        if (!keyword->closed) {
            // Once the line is quiet, a message that begins with its keyword, without "||"
            // before it: what has arrived could be the end of any message cut there, so only a
            // reply keyword counts.
            if (keyword->known) {
                return Boundary{t.size(), true};
            }
            continue;
        }
        const std::size_t messageEnd = start + keyword->length + kSeparator.size();
        const std::string_view after = t.substr(messageEnd);
        if (after.empty()) {
            // A word the console does not know may as well be a value of a message cut right
            // after it: such a message is taken once the line is quiet.
            if (keyword->known || final_) {
                return Boundary{messageEnd, true};
            }
            scan_ = bars;
            return std::nullopt;
        }
        if (after[0] != '|') {
            continue;
        }
        if (after.size() < kSeparator.size()) {
            if (final_) {
                continue;
            }
            break;
        }
        if (after[1] != '|') {
            continue;  // a value ending in a bar
        }
        // A reply keyword is evidence enough of a message start that only an empty reply right
        // before it (in the same message) makes it none; any other word needs the values of a
        // reply reaching past it to be ruled out.
        const std::size_t depth = keyword->known ? 1 : reply::MostValues() + 1;
        switch (lookAhead(bars, messageEnd + kSeparator.size(), depth)) {
            case Ahead::NextMessage:
                return Boundary{messageEnd, false};
            case Ahead::Undecided:
                scan_ = bars;
                return std::nullopt;
            case Ahead::SameMessage:
                break;
        }
    }
    // An end still arriving begins no further back than this.
    const std::size_t lookBack = 2 * kLongestKeyword + 4 * kSeparator.size();
    scan_ = t.size() > lookBack ? t.size() - lookBack : 0;
    return std::nullopt;
}

// Reversed, the elements after a candidate end are those before it in the message, if it goes on
// there: the value of an empty reply first, then the other values and the keyword of a reply.
// The first reply keyword met decides: the message goes on when the candidate is among that
// reply's values or right after them.
ReplyReader::Ahead ReplyReader::lookAhead(std::size_t candidate, std::size_t from,
                                          std::size_t depth) {
    const std::string_view t = text();
    if (ahead_.candidate != candidate) {
        ahead_ = LookAhead{candidate, 1, from, from};
    }
    while (true) {
        const bool last = ahead_.index == depth;
        // Of the last element only whether it is a reply keyword counts: its end is not needed
        // when it is longer than any.
        const std::size_t reach =
            last ? std::min(t.size(), ahead_.element + reply::LongestKeyword() + kSeparator.size())
                 : t.size();
        std::size_t end = t.substr(0, reach).find(kSeparator, ahead_.searched);
        if (end == std::string_view::npos) {
            if (reach == t.size() && !final_) {
                ahead_.searched = std::max(ahead_.element, t.size() - 1);
                return !last || MayBecomeReplyKeyword(t.substr(ahead_.element))
                           ? Ahead::Undecided
                           : Ahead::NextMessage;
            }
            end = reach;
        }
        if (const reply::Keyword* keyword =
                ReversedReplyKeyword(t.substr(ahead_.element, end - ahead_.element))) {
            return ahead_.index <= keyword->values ? Ahead::SameMessage : Ahead::NextMessage;
        }
        if (last || end == t.size()) {
            return Ahead::NextMessage;
        }
        ++ahead_.index;
        ahead_.element = end + kSeparator.size();
        ahead_.searched = ahead_.element;
    }
}

std::vector<std::string> ReplyReader::take(std::int64_t nowMs) {
    std::vector<std::string> messages;
    bool settling = false;
    int failedStarts = 0;
    // After this long nothing more is coming: what can be read is read as it stands.
    const bool quietLongEnough = nowMs - lastArrivalMs_ >= options_.incompleteMs;
    final_ = quietLongEnough;
    while (pendingDigits() > 0) {
        decodeAhead();
        if (!frontIsMessageStart()) {
            if (resync(digitFront_ + 1)) {
                continue;
            }
            break;
        }
        const std::optional<Boundary> boundary = findBoundary();
        if (!boundary.has_value() ||
            (invalidAt_ != std::string::npos && invalidAt_ < boundary->end)) {
            if (invalidAt_ != std::string::npos) {
                // Groups of this alignment go wrong before any message ends: no start of this
                // alignment up to the bad group leads anywhere.
                const std::uint64_t bad = streamOffset_ + digitFront_ + kGroup * invalidAt_;
                failsBefore_[bad % kGroup] = std::max(failsBefore_[bad % kGroup], bad);
                if (resync(digitFront_ + 1)) {
                    continue;
                }
            }
            break;
        }
        if (boundary->atEnd && nowMs - lastArrivalMs_ < options_.settleMs) {
            settling = true;
            break;
        }
        const std::string_view reversed = text().substr(0, boundary->end);
        const std::string plain(reversed.rbegin(), reversed.rend());
        if (verify_ && !IsWellFormedMessage(plain)) {
            std::size_t from = digitFront_ + 1;
            if (++failedStarts == kFailedStartsPerEnd) {
                failedStarts = 0;
                laterStarts_.clear();
                from = digitFront_ + kGroup * boundary->end;
            }
            if (resync(from)) {
                continue;
            }
            break;
        }
        verify_ = false;
        failedStarts = 0;
        messages.push_back(Cp1252ToUtf8(plain));
        consume(boundary->end);
    }
    if (quietLongEnough && pendingDigits() > 0) {
        dropAll("the rest of a message did not come");
    }
    settling_ = settling;
    compact();
    flushSkipLog();
    return messages;
}

bool ReplyReader::resync(std::size_t from) {
    if (!laterStarts_.empty()) {
        moveFront(laterStarts_.back());
        laterStarts_.pop_back();
        verify_ = true;
        return true;
    }
    from = std::max(from, resumeFrom_);
    for (std::size_t at = digits_.find(kMessageStartDigits, from); at != std::string::npos;
         at = digits_.find(kMessageStartDigits, at + 1)) {
        const std::uint64_t offset = streamOffset_ + at;
        if (offset < failsBefore_[offset % kGroup]) {
            continue;
        }
        // In a run of bars the message may begin at any of them: a message may begin with more
        // than two (its last value empty or ending in a bar), and what came before it may end
        // in bars (the "||" of a message whose start was lost). The whole run is tried first,
        // then the run less one such "||", then the others from the latest on.
        std::size_t runEnd = at;
        while (digits_.compare(runEnd, kGroup, kMessageStartDigits.substr(0, kGroup)) == 0) {
            runEnd += kGroup;
        }
        const std::size_t latest = runEnd - kMessageStartDigits.size();
        const std::size_t lessOneSeparator = at + kMessageStartDigits.size();
        std::vector<std::size_t> preferred = {at};
        if (lessOneSeparator <= latest) {
            preferred.push_back(lessOneSeparator);
        }
        for (std::size_t start = latest; start > at; start -= kGroup) {
            if (start != lessOneSeparator) {
                preferred.push_back(start);
            }
        }
        moveFront(preferred.front());
        // Tried from the back.
        laterStarts_.assign(preferred.rbegin(), preferred.rend() - 1);
        resumeFrom_ = runEnd + 1 - kMessageStartDigits.size();
        verify_ = true;
        return true;
    }
    // None yet; a start may straddle the next read, so the last few digits stay.
    const std::size_t keep = kMessageStartDigits.size() - 1;
    moveFront(std::max(std::min(from, digits_.size()),
                       digits_.size() > keep ? digits_.size() - keep : 0));
    verify_ = true;
    return false;
}

void ReplyReader::moveFront(std::size_t digitIndex) {
    skippedDigits_ += digitIndex - digitFront_;
    digitFront_ = digitIndex;
    text_.clear();
    textFront_ = 0;
    invalidAt_ = std::string::npos;
    scan_ = 0;
    ahead_ = {};
}

void ReplyReader::consume(std::size_t textLength) {
    textFront_ += textLength;
    digitFront_ += kGroup * textLength;
    if (invalidAt_ != std::string::npos) {
        invalidAt_ -= textLength;
    }
    scan_ = 0;
    ahead_ = {};
    laterStarts_.clear();
    resumeFrom_ = 0;
    if (textFront_ > text_.size() / 2) {
        text_.erase(0, textFront_);
        textFront_ = 0;
    }
}

// What lies before the front (and before the starts still to try) is never read again.
void ReplyReader::compact() {
    const std::size_t unused =
        laterStarts_.empty()
            ? digitFront_
            : std::min(digitFront_, *std::min_element(laterStarts_.begin(), laterStarts_.end()));
    if (unused == 0 || unused < digits_.size() / 2) {
        return;
    }
    digits_.erase(0, unused);
    streamOffset_ += unused;
    digitFront_ -= unused;
    for (std::size_t& start : laterStarts_) {
        start -= unused;
    }
    resumeFrom_ = resumeFrom_ > unused ? resumeFrom_ - unused : 0;
}

void ReplyReader::dropAll(const char* why) {
    log_("dropped " + std::to_string(pendingDigits()) + " digits from the server: " + why);
    streamOffset_ += digits_.size();
    digits_.clear();
    digitFront_ = 0;
    laterStarts_.clear();
    resumeFrom_ = 0;
    text_.clear();
    textFront_ = 0;
    invalidAt_ = std::string::npos;
    scan_ = 0;
    ahead_ = {};
    // What comes next may be the rest of what was dropped.
    verify_ = true;
}

void ReplyReader::flushSkipLog() {
    if (skippedDigits_ > 0) {
        log_("skipped " + std::to_string(skippedDigits_) +
             " digits from the server to find the next whole message");
        skippedDigits_ = 0;
    }
}

std::optional<std::int64_t> ReplyReader::deadline() const {
    if (pendingDigits() == 0) {
        return std::nullopt;
    }
    return lastArrivalMs_ + (settling_ ? options_.settleMs : options_.incompleteMs);
}

void ReplyReader::reset() {
    *this = ReplyReader(options_, std::move(log_));
}

bool IsWellFormedMessage(std::string_view plain) {
    if (plain.size() < 2 * kSeparator.size() || !plain.starts_with(kSeparator) ||
        !plain.ends_with(kSeparator)) {
        return false;
    }
    // Element by element in place, without copies: the server's fuzz target checks every message
    // the server sends.
    std::string_view rest = plain.substr(kSeparator.size(), plain.size() - 2 * kSeparator.size());
    std::size_t valuesDue = 0;
    for (bool more = true; more;) {
        const std::size_t end = rest.find(kSeparator);
        std::string_view element = rest.substr(0, end);
        more = end != std::string_view::npos;
        rest = more ? rest.substr(end + kSeparator.size()) : std::string_view();
        if (valuesDue > 0) {
            --valuesDue;
            continue;
        }
        // A value ending in a bar lends it to the element after it, here the keyword.
        element.remove_prefix(std::min(element.find_first_not_of('|'), element.size()));
        const reply::Keyword* keyword = FindReplyKeyword(element);
        if (keyword == nullptr) {
            return false;
        }
        valuesDue = keyword->values;
    }
    return valuesDue == 0;
}

}  // namespace wire
