#include "core/wire/receive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/wire/codec.h"

namespace {

using wire::EncodeText;
using Messages = std::vector<std::string>;

std::string Encoded(const Messages& messages) {
    std::string digits;
    for (const std::string& message : messages) {
        digits += EncodeText(message);
    }
    return digits;
}

// A reader whose log lines are kept for the test to read.
struct Reader {
    std::vector<std::string> log;
    wire::ReplyReader reader{{}, [this](const std::string& line) { log.push_back(line); }};
    Messages received;

    void feed(std::string_view bytes, std::int64_t now) {
        reader.feed(bytes, now);
        take(now);
    }
    void take(std::int64_t now) {
        for (std::string& message : reader.take(now)) {
            received.push_back(std::move(message));
        }
    }
};

TEST(ReplyReader, EveryReplyShapeArrivesAsSentAloneAndJoined) {
    const Messages shapes = {
        "||TYPE||USER||",
        "||STILL CONNECTED||||",
        "||F-SEARCH||||||",                                   // two empty values
        "||KESTOVAUPDATE||3||||50||1||1||1||0||1||0||||1||",  // eleven values, two empty
        "||QUICKTYPE||Gold|Silver|||",                        // a value ending in a bar
        "||PRINTPOS||batch|1|2||G7||",                        // bars inside values
        "||QUICKTYPE||A|||F-SEARCH||x||y||",                  // a bar-ended value, then a reply
        "||UPDATEX||||TYPE||USER||",                          // an empty reply, then a reply
        "||TYPE||USER||SHUTREST||True||F-LOGIN||TRUE||",
        "||MESSAGE||caf\u00e9 \u20ac5 == ok - fine||",
        "||update||20==3==3.==PC3==john==01:20==Logged in==Connected.==127.0.1.13==10:15||",
        "||STILL CONNECTED||TYPE||USER||",  // malformed, yet whole
        // Keywords the console does not know, in either case: passed over by the dispatcher.
        "||FOO||bar||STILL CONNECTED||||",
        "||x-9 Q||v||TYPE||USER||",
        "||7||z||PRINTS||1||",
    };
    for (const std::string& shape : shapes) {
        Reader alone;
        alone.feed(EncodeText(shape), 0);
        alone.take(2000);
        EXPECT_EQ(alone.received, Messages{shape});
    }
    for (const std::string& first : shapes) {
        for (const std::string& second : shapes) {
            Reader joined;
            joined.feed(Encoded({first, second}), 0);
            EXPECT_EQ(joined.received, Messages{first}) << "the next one has begun: no waiting";
            joined.take(2000);
            EXPECT_EQ(joined.received, (Messages{first, second}));
        }
    }
}

// What only a quiet line tells: a message that begins with a keyword the console does not know
// could be a value of one cut right after it, and one without the "||" before its reply keyword
// the end of one cut there. A message without its closing "||" is read at once. What begins
// inside an element, or with an unknown word and no "||" before it, is a message cut.
TEST(ReplyReader, AQuietLineReadsAMessageWithoutItsOuterSeparators) {
    const std::string typeCut = EncodeText("||TYPE||ADMINISTRATOR||").substr(0, 15);
    struct Case {
        std::string stream;
        Messages beforeQuiet;
        Messages onceQuiet;
    };
    const Case cases[] = {
        {EncodeText("||FOO||bar||STILL CONNECTED||||"), {}, {"||FOO||bar||STILL CONNECTED||||"}},
        {EncodeText("STILL CONNECTED||||"), {}, {"STILL CONNECTED||||"}},
        {EncodeText("||TYPE||USER"), {"||TYPE||USER"}, {"||TYPE||USER"}},
        {EncodeText("type||USER"), {}, {"type||USER"}},
        {EncodeText("||TYPE||USER") + EncodeText("||PRINTS||1||"),
         {"||TYPE||USER", "||PRINTS||1||"},
         {"||TYPE||USER", "||PRINTS||1||"}},
        {EncodeText("||PRINTS||1||") + EncodeText("STILL CONNECTED||||"),
         {"||PRINTS||1||"},
         {"||PRINTS||1||", "STILL CONNECTED||||"}},
        {typeCut, {}, {}},                           // "TOR||"
        {EncodeText("FOO||bar||"), {}, {}},          // no reply keyword first
        {"7" + EncodeText("||TYPE||USER"), {}, {}},  // found by skipping: must be well formed
    };
    for (const Case& c : cases) {
        Reader r;
        r.feed(c.stream, 0);
        r.take(1999);
        EXPECT_EQ(r.received, c.beforeQuiet) << wire::DecodeText(c.stream);
        r.take(2000);
        EXPECT_EQ(r.received, c.onceQuiet) << wire::DecodeText(c.stream);
        EXPECT_EQ(r.reader.pendingDigits(), 0u);
    }
}

TEST(ReplyReader, AMessageCutByAPauseOnTheNetworkArrivesWholeOnce) {
    const std::string message = "||MESSAGE||Closing in ten minutes, please save your work||";
    const std::string digits = EncodeText(message);
    for (const std::int64_t gap : {50, 200, 700, 1500, 1999}) {
        for (const std::size_t cut : {1UL, 3UL, 6UL, digits.size() / 2, digits.size() - 3}) {
            Reader r;
            r.feed(digits.substr(0, cut), 0);
            r.take(gap - 1);
            EXPECT_TRUE(r.received.empty()) << "gap " << gap << ", cut " << cut;
            r.feed(digits.substr(cut), gap);
            r.take(gap + 20);
            EXPECT_EQ(r.received, Messages{message}) << "gap " << gap << ", cut " << cut;
            EXPECT_TRUE(r.log.empty());
        }
    }
}

TEST(ReplyReader, TheRestOfAMessageThatNeverComesIsDroppedNotHalfApplied) {
    Reader r;
    const std::string digits = EncodeText("||TYPE||ADMINISTRATOR||");
    r.feed(digits.substr(0, 15), 0);
    EXPECT_EQ(r.reader.deadline(), 2000);
    r.take(2000);
    EXPECT_TRUE(r.received.empty());
    ASSERT_EQ(r.log.size(), 1u);
    EXPECT_NE(r.log[0].find("did not come"), std::string::npos);
    // What comes later is read as it is: the old tail does not sit in front of it.
    r.feed(digits.substr(15) + EncodeText("||PRINTS||1||"), 2500);
    r.take(2520);
    EXPECT_EQ(r.received, Messages{"||PRINTS||1||"});
}

TEST(ReplyReader, AWholeMessageAtTheEndWaitsOnlyTheSettleTime) {
    Reader r;
    r.feed(EncodeText("||TYPE||USER||"), 100);
    EXPECT_TRUE(r.received.empty());
    EXPECT_EQ(r.reader.deadline(), 120);
    r.take(120);
    EXPECT_EQ(r.received, Messages{"||TYPE||USER||"});
    EXPECT_FALSE(r.reader.deadline());
}

TEST(ReplyReader, StrayBytesNeverPutTheReaderOutOfStep) {
    const std::string first = EncodeText("||TYPE||USER||");
    const std::string second = EncodeText("||PRINTS||True||");
    const std::string third = EncodeText("||SHUTREST||False||");
    struct Case {
        const char* what;
        std::string stream;
        Messages expected;
    };
    const Case cases[] = {
        {"letters and a NUL between messages",
         first + std::string("x\0Q", 3) + second,
         {"||TYPE||USER||", "||PRINTS||True||"}},
        {"letters inside a message",
         first.substr(0, 7) + "abc" + first.substr(7) + second,
         {"||TYPE||USER||", "||PRINTS||True||"}},
        {"one digit between messages",
         first + "7" + second + third,
         {"||TYPE||USER||", "||PRINTS||True||", "||SHUTREST||False||"}},
        {"two digits before the first message",
         "12" + first + second,
         {"||TYPE||USER||", "||PRINTS||True||"}},
        {"one digit inside a message",
         first + second.substr(0, 20) + "5" + second.substr(20) + third,
         {"||TYPE||USER||", "||SHUTREST||False||"}},
    };
    for (const Case& c : cases) {
        Reader r;
        r.feed(c.stream, 0);
        r.take(20);
        EXPECT_EQ(r.received, c.expected) << c.what;
        EXPECT_EQ(r.reader.pendingDigits(), 0u) << c.what;
    }
}

TEST(ReplyReader, AfterSkippingOnlyAWellFormedMessageIsTaken) {
    Reader r;
    // Found by skipping a stray digit, the message reads as UPDATEX and a TYPE without its
    // value: not taken. Its well-formed tail is, and so is what follows.
    const std::string broken = "9" + EncodeText("||UPDATEX||||TYPE||");
    r.feed(broken + EncodeText("||PRINTS||1||"), 0);
    r.take(20);
    EXPECT_EQ(r.received, (Messages{"||UPDATEX||||", "||PRINTS||1||"}));
}

// Each start found by skipping is read up to the end of what it could be; thousands of false
// starts in one long text once took hours with the console frozen. They are given up in bulk.
TEST(ReplyReader, ManyFalseStartsAreGivenUpAndTheNextMessageStillArrives) {
    Reader r;
    std::string value;
    for (int i = 0; i < 4000; ++i) {
        value += "s|||TYPE";
    }
    r.feed(EncodeText("junk") + EncodeText("||CMESSAGE||" + value + "||") +
               EncodeText("||TYPE||USER||"),
           0);
    r.take(20);
    ASSERT_FALSE(r.received.empty());
    EXPECT_EQ(r.received.back(), "||TYPE||USER||");
    EXPECT_EQ(r.reader.pendingDigits(), 0u);
}

TEST(ReplyReader, TheCapDropsWhatWaitsWithALogLineAndLaterMessagesStillArrive) {
    std::vector<std::string> log;
    wire::ReplyReader reader({20, 2000, 300},
                             [&](const std::string& line) { log.push_back(line); });
    reader.feed(EncodeText("||CMESSAGE||" + std::string(200, 'x') + "||"), 0);
    EXPECT_EQ(reader.pendingDigits(), 0u);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("more than the receive buffer holds"), std::string::npos);
    reader.feed(EncodeText("||TYPE||USER||"), 10);
    EXPECT_EQ(reader.take(30), Messages{"||TYPE||USER||"});
}

TEST(ReplyReader, ResetForgetsAHalfReceivedMessage) {
    Reader r;
    r.feed(EncodeText("||TYPE||USER||").substr(0, 20), 0);
    r.reader.reset();
    EXPECT_EQ(r.reader.pendingDigits(), 0u);
    r.feed(EncodeText("||PRINTS||1||"), 5);
    r.take(25);
    EXPECT_EQ(r.received, Messages{"||PRINTS||1||"});
}

TEST(IsWellFormedMessage, RepliesWithExactlyTheirValues) {
    EXPECT_TRUE(wire::IsWellFormedMessage("||TYPE||USER||"));
    EXPECT_TRUE(wire::IsWellFormedMessage("||STILL CONNECTED||||"));
    EXPECT_TRUE(wire::IsWellFormedMessage("||F-SEARCH||a||b||TYPE||USER||"));
    EXPECT_TRUE(wire::IsWellFormedMessage("||update||x||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("||TYPE||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("||F-SEARCH||a||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("||STILL CONNECTED||TYPE||USER||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("||NOSUCHWORD||x||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("TYPE||USER||"));
    EXPECT_FALSE(wire::IsWellFormedMessage("||"));
}

}  // namespace
