#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/receive.h"

// Random sequences of the messages the server sends, encoded one by one, cut into reads at
// random points and delivered within the settle time, arrive whole, once and in order.
namespace {

using Messages = std::vector<std::string>;

class ServerMessages {
public:
    explicit ServerMessages(std::uint32_t seed) : random_(seed) {}

    std::string message() {
        std::string text = "||";
        const int replies = pick(1, 3);
        for (int r = 0; r < replies; ++r) {
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
            "UPDATE",   "QUICKTYPE", "POSSUMMARY", "REPORTSUMMARY", "update",     "Unknown-Word"};
        static const char* const kEmpty[] = {"STILL CONNECTED", "UPDATEX", "NOTICKET1",
                                             "NOREPORTSUMMARY", "NOPOSSUMMARY"};
        switch (pick(0, 4)) {
            case 0:
                return std::string(kEmpty[pick(0, 4)]) + "||||";
            case 1:
                return std::string(pick(0, 1) ? "F-SEARCH" : "PRINTPOS") + "||" + value() + "||" +
                       value() + "||";
            case 2: {
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
};

TEST(ReceiveProperty, MessagesCutIntoReadsArriveWholeOnceAndInOrder) {
    constexpr int kRounds = 400;
    for (int round = 0; round < kRounds; ++round) {
        ServerMessages server(static_cast<std::uint32_t>(round) * 7919u + 17u);
        Messages sent;
        std::string digits;
        const int count = server.pick(1, 8);
        for (int i = 0; i < count; ++i) {
            sent.push_back(server.message());
            digits += wire::EncodeText(sent.back());
        }
        wire::ReceiveAssembler assembler;
        std::int64_t now = 1000;
        std::size_t at = 0;
        while (at < digits.size()) {
            const std::size_t length =
                std::min<std::size_t>(digits.size() - at, server.pick(1, 200));
            ASSERT_EQ(assembler.feed(std::string_view(digits).substr(at, length), now), 0u);
            at += length;
            ASSERT_FALSE(assembler.takeChunk(now + server.pick(0, 19)));
            now += server.pick(0, 19);
        }
        const auto chunk = assembler.takeChunk(*assembler.settleDeadline());
        ASSERT_TRUE(chunk);
        EXPECT_EQ(assembler.pendingBytes(), 0u);
        ASSERT_EQ(wire::DecodeMessages(*chunk), sent) << "round " << round;
    }
}

TEST(ReceiveProperty, BurstsSeparatedByPausesArriveInOrder) {
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        ServerMessages server(static_cast<std::uint32_t>(round) + 5000u);
        wire::ReceiveAssembler assembler;
        Messages sent;
        Messages received;
        std::int64_t now = 0;
        for (int burst = server.pick(1, 5); burst > 0; --burst) {
            std::string digits;
            for (int i = server.pick(1, 4); i > 0; --i) {
                sent.push_back(server.message());
                digits += wire::EncodeText(sent.back());
            }
            const std::size_t cut = server.pick(0, static_cast<int>(digits.size()));
            assembler.feed(std::string_view(digits).substr(0, cut), now);
            assembler.feed(std::string_view(digits).substr(cut), now + 5);
            now += 5 + 20;
            const auto chunk = assembler.takeChunk(now);
            ASSERT_TRUE(chunk);
            for (std::string& message : wire::DecodeMessages(*chunk)) {
                received.push_back(std::move(message));
            }
            now += server.pick(1, 1000);
        }
        ASSERT_EQ(received, sent) << "round " << round;
    }
}

}  // namespace
