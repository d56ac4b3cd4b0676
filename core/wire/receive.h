#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The receive path of the server connection. The server's stream has no length prefix and no
// terminator, and the network may split a message over several reads or join several messages
// in one read. The assembler gathers the reads of one burst (bytes arriving less than a settle
// time apart, like the silent interval that ends a frame on a serial bus) into one chunk, keeping
// the digits of an incomplete group for the next chunk; SplitDecodedChunk then cuts the decoded
// chunk into the messages in the order the server sent them.
//
// Both are plain classes without timers: the owner feeds each read with the current time, arms a
// timer for settleDeadline() and takes the chunk when it fires.
namespace wire {

struct ReceiveOptions {
    std::int64_t settleMs = 20;
    // The most digits that may wait for the settle time; what arrives beyond is dropped so that a
    // hostile peer cannot exhaust memory.
    std::size_t capBytes = 4 * 1024 * 1024;
};

class ReceiveAssembler {
public:
    using LogSink = std::function<void(const std::string& line)>;

    // The log sink receives one line for every read cut by the cap; by default it goes to stderr.
    explicit ReceiveAssembler(ReceiveOptions options = {}, LogSink log = {});

    // Adds one read that arrived at nowMs. Returns how many of its bytes were dropped: those beyond
    // the cap, and after such a cut the few that complete the group the cut fell in, so that the
    // groups after it still decode.
    std::size_t feed(std::string_view bytes, std::int64_t nowMs);

    // When the pending reads are settled (the last arrival plus the settle time); nothing when
    // no whole group is pending.
    std::optional<std::int64_t> settleDeadline() const;

    // The settled digits in whole groups of three, once nowMs has reached the deadline; nothing
    // before that or when no whole group is pending. One or two digits of an incomplete group
    // stay for the next chunk.
    std::optional<std::string> takeChunk(std::int64_t nowMs);

    // Everything pending (including a carried partial group), for a connection that closed.
    void reset();

    std::size_t pendingBytes() const { return pending_.size(); }

private:
    ReceiveOptions options_;
    LogSink log_;
    std::string pending_;
    std::int64_t lastArrivalMs_ = 0;
    // Bytes still to skip after a cut by the cap, so that the stream resumes on a group boundary.
    std::size_t skipBytes_ = 0;
};

// How many value elements the server's reply with this keyword carries (upper-cased before the
// look-up): two for F-SEARCH and PRINTPOS, eleven for KESTOVAUPDATE, one for every other reply
// (a reply without a value carries one empty value element).
std::size_t ReplyValueCount(std::string_view keyword);

// Cuts a decoded chunk (DecodeText of the digits, which holds the messages last one first) into
// its messages in the order the server sent them. Every message begins and ends with "||", and
// SplitPairs of each gives exactly its pairs as if it had arrived alone; a chunk holding one
// message gives that message unchanged.
//
// The boundary rule: a message is read reply by reply, each reply being a keyword element and
// ReplyValueCount(keyword) value elements. After the values of a reply the next element is the
// next reply's keyword, which is never empty; an empty element in that place is the pair of
// separators that ends this message and begins the next, and the next message begins with the
// last "||" of that run of bars (a keyword never begins with "|", while a value may end with one;
// such a bar, taken into the next element by the split, is not part of the keyword). This holds
// for every message the server sends: replies whose values hold no "||" and do not begin with
// "|", one or several replies to a message, each message opening and closing with "||".
std::vector<std::string> SplitDecodedChunk(std::string_view decoded);

// DecodeText followed by SplitDecodedChunk: the digits of one chunk to its messages in send order.
std::vector<std::string> DecodeMessages(std::string_view digits);

}  // namespace wire
