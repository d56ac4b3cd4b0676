#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zarnevo {

// Turns the digit stream of one connection into its messages, one at a time, in the order they
// were sent. TCP may split a message over several reads or merge several messages into one read;
// neither changes what comes out. The server uses it on what consoles send; it works as well on
// what the server sends, given the keywords the server's messages begin with.
//
// How messages are told apart: every message is encoded on its own, and encoding reverses the
// text. Decoding the three-digit groups in arrival order without reversing the whole text
// therefore gives each message reversed, in send order. A message begins with one of a known set
// of keywords (F-LOGIN between bars, or UPDATE without leading bars), so a reversed message ends
// with "||" and that
// keyword reversed; it is complete there when the next character is a bar (the closing
// separator of the next message) or nothing has arrived yet. A "||" right after it is still the
// message's own leading separator. When nothing has arrived after a keyword that may be the tail
// of a longer one ("UPDATE" of "F-UPDATE"), the message waits for more bytes or for quiet. An
// operator's text that holds "||" plus such a keyword can cut a message short; nothing else can.
//
// Digits are kept aligned in groups of three across reads. What has not completed after
// kQuietMs without new bytes is handed over as it stands (an unknown request is then logged by
// the engine, not kept forever). More than the cap of pending bytes is dropped.
class MessageAssembler {
public:
    static constexpr std::size_t kDefaultCapBytes = 1024 * 1024;
    static constexpr std::int64_t kQuietMs = 500;

    // startKeywords: upper case, the keywords a message can begin with.
    explicit MessageAssembler(std::span<const std::string_view> startKeywords,
                              std::size_t capBytes = kDefaultCapBytes);

    struct Fed {
        std::vector<std::string> messages;  // plain UTF-8 messages, in send order
        std::size_t droppedBytes = 0;       // bytes thrown away because the cap was passed
    };
    Fed feed(std::string_view bytes, std::int64_t nowMs);

    // The incomplete remainder once the connection has been quiet for kQuietMs.
    std::optional<std::string> takeQuiet(std::int64_t nowMs);

    // Received bytes not handed over yet.
    std::size_t pendingBytes() const { return carry_.size() + reversed_.size() * 3; }

private:
    // Length of the first complete message at the front of reversed_, scanning from scan_.
    std::optional<std::size_t> completeLength();
    bool startsMessage(std::string_view upperKeyword) const;
    bool endsALongerKeyword(std::string_view upperKeyword) const;
    static std::string Unreverse(std::string_view reversed);

    std::vector<std::string> keywords_;  // sorted
    std::size_t capBytes_;
    std::string carry_;     // up to two digits of a group not complete yet
    std::string reversed_;  // decoded Windows-1252 bytes, each message reversed
    std::size_t scan_ = 0;  // where in reversed_ the search for a message start resumes
    std::int64_t lastArrivalMs_ = 0;
};

}  // namespace zarnevo
