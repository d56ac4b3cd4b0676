#include "core/wire/receive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/framing.h"

namespace {

using wire::DecodeMessages;
using wire::EncodeText;
using wire::ReceiveAssembler;
using wire::SplitDecodedChunk;
using Messages = std::vector<std::string>;

std::string Encoded(const Messages& messages) {
    std::string digits;
    for (const std::string& message : messages) {
        digits += EncodeText(message);
    }
    return digits;
}

TEST(ReceiveAssembler, ReadsWithinTheSettleTimeMakeOneChunk) {
    ReceiveAssembler assembler;
    const std::string digits = EncodeText("||TYPE||USER||");
    EXPECT_FALSE(assembler.settleDeadline());
    assembler.feed(digits.substr(0, 10), 1000);
    EXPECT_EQ(assembler.settleDeadline(), 1020);
    assembler.feed(digits.substr(10), 1015);
    EXPECT_EQ(assembler.settleDeadline(), 1035) << "each read restarts the settle time";
    EXPECT_FALSE(assembler.takeChunk(1034));
    const auto chunk = assembler.takeChunk(1035);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(*chunk, digits);
    EXPECT_FALSE(assembler.settleDeadline());
    EXPECT_FALSE(assembler.takeChunk(5000)) << "a chunk is handed on once";
}

TEST(ReceiveAssembler, AnIncompleteGroupIsCarriedIntoTheNextChunk) {
    ReceiveAssembler assembler;
    const std::string first = EncodeText("||TYPE||USER||");
    const std::string second = EncodeText("||PRINTS||True||");
    assembler.feed(first + second.substr(0, 2), 0);
    const auto chunk1 = assembler.takeChunk(20);
    ASSERT_TRUE(chunk1);
    EXPECT_EQ(*chunk1, first);
    EXPECT_EQ(assembler.pendingBytes(), 2u);
    EXPECT_FALSE(assembler.settleDeadline()) << "two digits are no group to wait for";
    assembler.feed(second.substr(2), 100);
    const auto chunk2 = assembler.takeChunk(120);
    ASSERT_TRUE(chunk2);
    EXPECT_EQ(DecodeMessages(*chunk2), Messages{"||PRINTS||True||"});
}

TEST(ReceiveAssembler, AStrayDigitAfterASingleMessageLeavesThatMessageAsItIs) {
    ReceiveAssembler assembler;
    assembler.feed("9958957951", 0);
    const auto chunk = assembler.takeChunk(20);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(wire::DecodeText(*chunk), "abc");
    assembler.reset();
    EXPECT_EQ(assembler.pendingBytes(), 0u);
}

TEST(ReceiveAssembler, ASettleTimeOfZeroHandsOnAtOnce) {
    ReceiveAssembler assembler(wire::ReceiveOptions{0, 1024});
    assembler.feed("995895795", 7);
    const auto chunk = assembler.takeChunk(7);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(*chunk, "995895795");
}

TEST(ReceiveAssembler, TheCapDropsTheExcessWithALogLineAndRealigns) {
    std::vector<std::string> log;
    const std::string first = EncodeText("||TYPE||USER||");
    ReceiveAssembler assembler(wire::ReceiveOptions{20, first.size()},
                               [&](const std::string& line) { log.push_back(line); });
    // Four digits beyond the cap: a whole group and one digit of the next.
    EXPECT_EQ(assembler.feed(first + "1234", 0), 4u);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("dropped 4 bytes"), std::string::npos);
    const auto kept = assembler.takeChunk(20);
    ASSERT_TRUE(kept);
    EXPECT_EQ(DecodeMessages(*kept), Messages{"||TYPE||USER||"});
    // The next read first completes the group the cut fell in; those digits go too.
    const std::string second = EncodeText("||PRINTS||1||");
    EXPECT_EQ(assembler.feed("56" + second.substr(0, 7), 30), 2u);
    EXPECT_EQ(assembler.feed(second.substr(7), 31), 0u);
    const auto next = assembler.takeChunk(51);
    ASSERT_TRUE(next);
    EXPECT_EQ(DecodeMessages(*next), Messages{"||PRINTS||1||"});
}

TEST(ReceiveAssembler, AFloodNeverGrowsBeyondTheDefaultCap) {
    std::size_t lines = 0;
    ReceiveAssembler assembler({}, [&](const std::string&) { ++lines; });
    const std::string mebibyte(1024 * 1024, '5');
    std::size_t dropped = 0;
    for (int i = 0; i < 6; ++i) {
        dropped += assembler.feed(mebibyte, i);
        EXPECT_LE(assembler.pendingBytes(), 4u * 1024 * 1024);
    }
    EXPECT_EQ(assembler.pendingBytes() + dropped, 6u * 1024 * 1024);
    EXPECT_GE(lines, 2u);
    EXPECT_EQ(assembler.settleDeadline(), 3 + 20) << "dropped bytes do not delay the chunk";
    const auto chunk = assembler.takeChunk(23);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->size() % 3, 0u);
}

TEST(ReplyValueCount, MultiValueRepliesAndTheRest) {
    EXPECT_EQ(wire::ReplyValueCount("F-SEARCH"), 2u);
    EXPECT_EQ(wire::ReplyValueCount("printpos"), 2u);
    EXPECT_EQ(wire::ReplyValueCount("KESTOVAUPDATE"), 11u);
    EXPECT_EQ(wire::ReplyValueCount("|F-SEARCH"), 2u);
    EXPECT_EQ(wire::ReplyValueCount("UPDATE"), 1u);
    EXPECT_EQ(wire::ReplyValueCount("STILL CONNECTED"), 1u);
    EXPECT_EQ(wire::ReplyValueCount("anything"), 1u);
}

TEST(SplitDecodedChunk, ASingleMessageComesOutUnchanged) {
    for (const std::string message :
         {"||UPDATE||||", "UPDATE||||", "||||TYPE||USER||", "||STILL CONNECTED||||",
          "||TYPE||USER||PRINTS||True||", "||F-SEARCH||text||status||", "||CMESSAGE||",
          "||QUICKTYPE||Gold|Silver|||", "||STILL CONNECTED||TYPE||USER||", "", "||||", "abc",
          "||UPDATE||20==3==3.==PC3==john==01:20==Logged in==Connected.==127.0.1.13==10:15=="
          "1003==0==0==0==0||"}) {
        const std::string digits = EncodeText(message);
        const auto messages = DecodeMessages(digits);
        if (message.empty()) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(messages.size(), 1u) << message;
        EXPECT_EQ(messages[0], message);
        // And so its pairs are exactly those of the chunk read alone.
        const auto alone = wire::SplitPairs(wire::DecodeText(digits));
        const auto split = wire::SplitPairs(messages[0]);
        ASSERT_EQ(split.size(), alone.size());
        for (std::size_t i = 0; i < alone.size(); ++i) {
            EXPECT_EQ(split[i].keyword, alone[i].keyword);
            EXPECT_EQ(split[i].value, alone[i].value);
            EXPECT_EQ(split[i].hasValue, alone[i].hasValue);
        }
    }
}

TEST(SplitDecodedChunk, MessagesOfOneReadComeOutInSendOrder) {
    const Messages sent = {"||TYPE||USER||", "||STILL CONNECTED||||", "||PRINTS||True||"};
    EXPECT_EQ(DecodeMessages(Encoded(sent)), sent);
    // What the decoder alone makes of it: the last message first, pairs shifted.
    EXPECT_EQ(wire::DecodeText(Encoded(sent)),
              "||PRINTS||True||||STILL CONNECTED||||||TYPE||USER||");
}

TEST(SplitDecodedChunk, EveryReplyShapeKeepsItsBoundaries) {
    const std::string update11 = "||KESTOVAUPDATE||3||||50||1||1||1||0||1||0||||1||";
    const Messages sent = {
        "||F-SEARCH||||||",                   // two empty values
        update11,                             // eleven values, two of them empty
        "||QUICKTYPE||Gold|Silver|||",        // a value ending in a bar
        "||PRINTPOS||batch|1|2||G7||",        // two values with bars inside
        "||UPDATEX||||",                      // an empty reply
        "||QUICKTYPE||A|||F-SEARCH||x||y||",  // a bar-ended value, then a two-value reply
        "||CMESSAGE||||",                     // empty value
        "||TYPE||USER||SHUTREST||True||F-LOGIN||TRUE||",
        "||MESSAGE||caf\u00e9 \u20ac5 == ok - fine||",
    };
    EXPECT_EQ(DecodeMessages(Encoded(sent)), sent);
    for (std::size_t first = 0; first < sent.size(); ++first) {
        for (std::size_t second = 0; second < sent.size(); ++second) {
            const Messages pair = {sent[first], sent[second]};
            EXPECT_EQ(DecodeMessages(Encoded(pair)), pair) << first << " then " << second;
        }
    }
}

TEST(SplitDecodedChunk, GarbageIsHandedOnWithoutHarmingLaterMessages) {
    EXPECT_EQ(SplitDecodedChunk("||||||"), Messages{"||||||"});
    EXPECT_EQ(SplitDecodedChunk("||A"), Messages{"||A"});
    EXPECT_EQ(SplitDecodedChunk("|"), Messages{"|"});
    const auto messages = SplitDecodedChunk("||B||2||||A||1||||||");
    EXPECT_EQ(messages, (Messages{"||A||1||||||", "||B||2||"}));
}

}  // namespace
