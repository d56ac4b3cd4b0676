#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/receive.h"
#include "core/wire/replies.h"

// Random sequences of the messages the server sends, encoded one by one, cut into reads at
// random points and delivered with pauses a busy network makes, arrive whole, once and in order.
namespace {

using Messages = std::vector<std::string>;

class ServerMessages {
public:
    explicit ServerMessages(std::uint32_t seed) : random_(seed) {}

    std::string message() {
        std::string text = "||";
        const int replies = pick(1, 3);
        for (int r = 0; r < replies; ++r) {
            // A reply of several values whose last is empty cannot be told from the end of a
            // message when another reply follows it; the server never sends that.
            if (r > 0 && text.ends_with("||||") && !lastReplyHadOneValue_) {
                break;
            }
            text += reply();
        }
        return text;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::string reply() {
        static const char* const kSingle[] = {
            "CMESSAGE", "IMESSAGE",  "MESSAGE",    "DOWNBILL",      "ADDPAUSE",   "ADDTIME",
            "CMESS",    "POSTYPE",   "DISLOG",     "SHUTREST",      "PRINTS",     "TYPE",
            "F-LOGIN",  "F-POSLOG",  "TICKET1",    "ACTIVATED",     "ACTMESSAGE", "MLIST",
            "UPDATE",   "QUICKTYPE", "POSSUMMARY", "REPORTSUMMARY", "update",     "Type"};
        static const char* const kEmpty[] = {"STILL CONNECTED", "UPDATEX", "NOTICKET1",
                                             "NOREPORTSUMMARY", "NOPOSSUMMARY"};
        lastReplyHadOneValue_ = true;
        switch (pick(0, 4)) {
            case 0:
                return std::string(kEmpty[pick(0, 4)]) + "||||";
            case 1:
                lastReplyHadOneValue_ = false;
                return std::string(pick(0, 1) ? "F-SEARCH" : "PRINTPOS") + "||" + value() + "||" +
                       value() + "||";
            case 2: {
                lastReplyHadOneValue_ = false;
                std::string text = "KESTOVAUPDATE||";
                for (int i = 0; i < 11; ++i) {
                    text += value() + "||";
                }
                return text;
            }
            default:
                return std::string(kSingle[pick(0, 23)]) + "||" + value() + "||";
        }
    }

    // Free text as the server's values hold it: no "||" inside and no bar at the start, but
    // single bars, "==" fields, spaces, accented letters and empty values all occur.
    std::string value() {
        static const char* const kPieces[] = {"a", "Z",      "7",      " ",  "==",  "-", ".",
                                              ":", "\u00e9", "\u20ac", "\"", "x y", "|"};
        std::string text;
        const int length = pick(0, 3) == 0 ? 0 : pick(1, 12);
        for (int i = 0; i < length; ++i) {
            const std::string piece = kPieces[pick(0, 12)];
            if (piece == "|" && (text.empty() || text.back() == '|')) {
                continue;
            }
            text += piece;
        }
        return text;
    }

    std::mt19937 random_;
    bool lastReplyHadOneValue_ = true;
};

// True when the part of a message that has arrived (its end, the digits arriving reversed) reads
// as a whole message of its own: the end of one that was cut right after one of its replies.
bool LooksWhole(const std::string& arrived) {
    if (arrived.size() < 4 || !arrived.starts_with("||") || !arrived.ends_with("||")) {
        return false;
    }
    const std::string keyword = arrived.substr(2, arrived.find("||", 2) - 2);
    return wire::reply::Find(wire::UpperAscii(keyword)) != nullptr;
}

// Delivers the messages' digits (and the stray digits among them) cut into reads of random
// length, with pauses up to 1.5 s between reads. A pause longer than the settle time never
// falls where the part of a message that has arrived looks whole: nobody can tell that from
// the whole message (the server's messages are short and come in one segment).
Messages Deliver(ServerMessages& server, const Messages& sent,
                 const std::vector<std::string>& strayDigits, bool strayBytes) {
    std::string digits;
    std::vector<std::pair<std::size_t, const std::string*>> starts;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        starts.emplace_back(digits.size(), &sent[i]);
        digits += wire::EncodeText(sent[i]) + (i < strayDigits.size() ? strayDigits[i] : "");
    }
    auto cutLooksWhole = [&](std::size_t at) {
        for (const auto& [start, message] : starts) {
            const std::string plain = wire::Utf8ToCp1252(*message);
            if (at > start && at < start + 3 * plain.size()) {
                return LooksWhole(plain.substr(plain.size() - (at - start) / 3));
            }
        }
        return false;
    };
    wire::ReplyReader reader({}, [](const std::string&) {});
    Messages received;
    std::int64_t now = 1000;
    std::size_t at = 0;
    while (at < digits.size()) {
        const std::size_t length = std::min<std::size_t>(digits.size() - at, server.pick(1, 200));
        std::string read(digits.substr(at, length));
        if (strayBytes) {
            read.insert(server.pick(0, static_cast<int>(read.size())),
                        server.pick(0, 1) ? "x" : "\n");
        }
        reader.feed(read, now);
        at += length;
        const bool longPause = server.pick(0, 3) == 0 && !cutLooksWhole(at);
        now += longPause ? server.pick(21, 1500) : server.pick(0, 19);
        for (std::string& message : reader.take(now)) {
            received.push_back(std::move(message));
        }
    }
    for (std::string& message : reader.take(now + 2000)) {
        received.push_back(std::move(message));
    }
    EXPECT_EQ(reader.pendingDigits(), 0u);
    return received;
}

TEST(ReceiveProperty, MessagesCutIntoReadsArriveWholeOnceAndInOrder) {
    constexpr int kRounds = 400;
    for (int round = 0; round < kRounds; ++round) {
        ServerMessages server(static_cast<std::uint32_t>(round) * 7919u + 17u);
        Messages sent;
        for (int i = server.pick(1, 8); i > 0; --i) {
            sent.push_back(server.message());
        }
        ASSERT_EQ(Deliver(server, sent, {}, false), sent) << "round " << round;
    }
}

TEST(ReceiveProperty, BytesThatAreNoDigitsChangeNothing) {
    constexpr int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        ServerMessages server(static_cast<std::uint32_t>(round) + 5000u);
        Messages sent;
        for (int i = server.pick(1, 6); i > 0; --i) {
            sent.push_back(server.message());
        }
        ASSERT_EQ(Deliver(server, sent, {}, true), sent) << "round " << round;
    }
}

TEST(ReceiveProperty, AStrayDigitBetweenMessagesCostsNoMessage) {
    constexpr int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        ServerMessages server(static_cast<std::uint32_t>(round) + 9000u);
        Messages sent;
        std::vector<std::string> strays;
        for (int i = server.pick(2, 6); i > 0; --i) {
            sent.push_back(server.message());
            strays.push_back(server.pick(0, 1) == 0 ? std::to_string(server.pick(0, 99)) : "");
        }
        ASSERT_EQ(Deliver(server, sent, strays, false), sent) << "round " << round;
    }
}

}  // namespace
