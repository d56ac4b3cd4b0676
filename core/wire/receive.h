#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The receive path of the server connection. The server's stream has no length prefix and no
// terminator; the network may cut a message over several reads (a segment delayed for a second
// on a busy café network) or join several in one, and a faulty line may add stray bytes.
//
// How whole messages are found: the server encodes each message on its own, and the encoding
// reverses the text, so the digit groups decoded in arrival order give every message reversed,
// one after the other. A message begins with "||", its first keyword and "||", and ends with
// "||"; reversed, it begins with "||" and ends with "||", the keyword reversed and "||". It is
// complete there when the next character is a bar (the next message has begun) or, after a short
// quiet, when nothing follows. Any word of keyword characters may begin a message, one this
// console knows or not (the dispatcher passes unknown keywords over); such a word may as well be
// a value inside a message, so the elements after it decide: when they are the values of a reply
// that reaches past it, the message goes on. A message that is not whole waits for the rest.
//
// A message may come without its closing "||" (the first thing that arrives of it), or without
// the "||" before the reply keyword it begins with: that is only told from a message cut there
// once the line has been quiet for a while. Then what is waiting is read as it stands; what does
// not read as a message is dropped with a log line, never half-applied.
//
// Staying in step: only digits enter the stream. The digits of every message begin with the
// encoding of its closing "||" ("426426"); when the front of the stream is no message start (a
// stray digit shifted the groups), the reader skips to the next place where one begins and takes
// the first message found there only when it is well formed.
namespace wire {

struct ReaderOptions {
    // A message whose end is the last thing that has arrived could still be the tail of a longer
    // one cut right after one of its replies: it is taken after this much quiet.
    std::int64_t settleMs = 20;
    // After this much quiet what is waiting is read as it stands, or dropped.
    std::int64_t incompleteMs = 2000;
    // The most digits that may wait for their message; beyond it everything waiting is dropped,
    // so that a hostile peer cannot exhaust memory.
    std::size_t capDigits = 4 * 1024 * 1024;
};

class ReplyReader {
public:
    using LogSink = std::function<void(const std::string& line)>;

    // The log sink receives a line for everything dropped; by default it goes to stderr.
    explicit ReplyReader(ReaderOptions options = {}, LogSink log = {});

    // Adds one read that arrived at nowMs. Bytes that are no digits are dropped. Call take()
    // after it.
    void feed(std::string_view bytes, std::int64_t nowMs);

    // The messages that are whole at nowMs, plain UTF-8 text in the order the server sent them.
    std::vector<std::string> take(std::int64_t nowMs);

    // When take() has something more to do (a message settling, an incomplete one timing out);
    // nothing when nothing is waiting.
    std::optional<std::int64_t> deadline() const;

    // Forgets everything waiting: what a closed connection left half-sent has no meaning.
    void reset();

    std::size_t pendingDigits() const { return digits_.size() - digitFront_; }

private:
    struct Boundary {
        std::size_t end;  // text length of the message
        bool atEnd;       // nothing has arrived after it yet
    };
    // The element where a message would begin (its end in the text): `length` 0 when it cannot.
    struct FirstKeyword {
        std::size_t length;
        bool known;   // a reply keyword
        bool closed;  // "||" follows; otherwise the text ends with it and the line is quiet
    };
    enum class Ahead { SameMessage, NextMessage, Undecided };
    // How far lookAhead has read the elements after one candidate end, to go on from there when
    // more arrives.
    struct LookAhead {
        std::size_t candidate = std::string::npos;
        std::size_t index = 0;     // of the element being read, from 1
        std::size_t element = 0;   // where it begins
        std::size_t searched = 0;  // where the search for its end goes on
    };

    std::string_view text() const { return std::string_view(text_).substr(textFront_); }
    void decodeAhead();
    bool frontIsMessageStart() const;
    // Nothing while the element at `at` is still arriving.
    std::optional<FirstKeyword> firstKeywordAt(std::size_t at) const;
    std::optional<Boundary> findBoundary();
    // Whether the `depth` elements from `from` on, past the candidate end at `candidate`, belong
    // to the message before it.
    Ahead lookAhead(std::size_t candidate, std::size_t from, std::size_t depth);
    // Moves the front to the next place a message may begin, from digit `from` on; false when
    // none has arrived yet.
    bool resync(std::size_t from);
    void moveFront(std::size_t digitIndex);
    void consume(std::size_t textLength);
    void compact();
    void dropAll(const char* why);
    void flushSkipLog();

    ReaderOptions options_;
    LogSink log_;
    std::string digits_;
    std::size_t digitFront_ = 0;
    // The bytes of the groups from the front on, decoded as far as they are valid.
    std::string text_;
    std::size_t textFront_ = 0;
    // The first group (counted from the front) that is no valid group; npos while there is none.
    std::size_t invalidAt_ = std::string::npos;
    std::size_t scan_ = 0;  // where the search for the front message's end resumes
    LookAhead ahead_;
    std::int64_t lastArrivalMs_ = 0;
    // The front was found by skipping: its first message must be well formed.
    bool verify_ = false;
    // The front message looks whole and waits for the settle time.
    bool settling_ = false;
    // The line has been quiet so long that nothing more of what is waiting will come.
    bool final_ = false;
    // Digits passed over from the start of the connection, and for each alignment of the groups
    // the stream offset of a known invalid group: a start of that alignment before it never
    // leads to a message.
    std::uint64_t streamOffset_ = 0;
    std::array<std::uint64_t, 3> failsBefore_{};
    std::size_t skippedDigits_ = 0;
    // Found by skipping: the other starts in the run of bars the front was chosen from, latest
    // last, and where the search goes on when none of them leads to a message.
    std::vector<std::size_t> laterStarts_;
    std::size_t resumeFrom_ = 0;
};

// True when a plain message is "||", one or more replies (a reply keyword and exactly its value
// elements) and a closing "||".
bool IsWellFormedMessage(std::string_view plain);

}  // namespace wire
