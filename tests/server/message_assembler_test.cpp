#include "server/engine/message_assembler.h"

#include <gtest/gtest.h>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"

namespace zarnevo {
namespace {

// What the console writes for these messages, each encoded on its own, back to back.
std::string Stream(const std::vector<std::string>& messages) {
    std::string digits;
    for (const auto& message : messages) {
        digits += wire::EncodeText(message);
    }
    return digits;
}

// The keyword/value pairs a message means; separators at its very edges carry no meaning.
std::vector<std::pair<std::string, std::string>> Meaning(const std::string& message) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& pair : wire::SplitPairs(message)) {
        if (!pair.keyword.empty()) {
            pairs.emplace_back(pair.keyword, pair.value);
        }
    }
    return pairs;
}

std::vector<std::vector<std::pair<std::string, std::string>>> Meanings(
    const std::vector<std::string>& messages) {
    std::vector<std::vector<std::pair<std::string, std::string>>> out;
    for (const auto& message : messages) {
        out.push_back(Meaning(message));
    }
    return out;
}

const std::string kGreeting =
    "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||LOCALHOSTNAME||"
    "Kestova[desk]||";
const std::string kLogin = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||";

TEST(MessageAssembler, OneMessageInOneReadComesOutUnchanged) {
    for (const std::string& message :
         {kGreeting, kLogin, std::string("||UPDATE||||"), std::string("||UPDATE||"),
          std::string("||KESTOVA||3||CHANGENAME|PC9||"),
          std::string("||POSTICKET||60|2|2.50|False|False|False|JOHN||")}) {
        MessageAssembler assembler(wire::request::Keywords());
        const auto fed = assembler.feed(wire::EncodeText(message), 0);
        EXPECT_EQ(fed.messages, std::vector<std::string>{message}) << message;
        EXPECT_EQ(assembler.pendingBytes(), 0u) << message;
    }
}

TEST(MessageAssembler, ABareUpdateAloneWaitsForQuietSinceItMayBeTheTailOfALongerKeyword) {
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_TRUE(assembler.feed(wire::EncodeText("UPDATE||||"), 100).messages.empty());
    EXPECT_FALSE(assembler.takeQuiet(100 + MessageAssembler::kQuietMs - 1));
    EXPECT_EQ(assembler.takeQuiet(100 + MessageAssembler::kQuietMs), "UPDATE||||");
    // Anything arriving behind it settles it at once.
    const std::vector<std::string> sent{"UPDATE||||", "||YESCONNECT||||"};
    EXPECT_EQ(Meanings(assembler.feed(Stream(sent), 200).messages), Meanings(sent));
}

TEST(MessageAssembler, MergedMessagesComeOutSeparatelyInSendOrder) {
    // What a console sends on connecting, plus a keep-alive and a command to a client.
    const std::vector<std::string> sent{kGreeting,
                                        "||UPDATE||||",
                                        "||YESCONNECT||||",
                                        "UPDATE||||",
                                        "KESTOVA||2||MESSAGE|Closing in 10 minutes||||",
                                        kLogin};
    MessageAssembler assembler(wire::request::Keywords());
    const auto fed = assembler.feed(Stream(sent), 0);
    EXPECT_EQ(Meanings(fed.messages), Meanings(sent));
    EXPECT_EQ(assembler.pendingBytes(), 0u);
}

TEST(MessageAssembler, EverySplitOfTheStreamGivesTheSameMessages) {
    const std::vector<std::string> sent{"UPDATE||||",
                                        kLogin,
                                        "||F-UPDATEPOS||JOHN||",
                                        "||F-UPDATE||4||",
                                        "||MACTIVATE1||000000000012-JOHN||",
                                        "KESTOVA||2||MESSAGE|hi||||",
                                        "UPDATE||||"};
    const std::string stream = Stream(sent);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        MessageAssembler assembler(wire::request::Keywords());
        auto messages = assembler.feed(stream.substr(0, cut), 0).messages;
        for (auto& message : assembler.feed(stream.substr(cut), 0).messages) {
            messages.push_back(std::move(message));
        }
        if (auto last = assembler.takeQuiet(MessageAssembler::kQuietMs)) {
            messages.push_back(*last);
        }
        ASSERT_EQ(Meanings(messages), Meanings(sent)) << "cut after digit " << cut;
    }
}

TEST(MessageAssembler, ByteByByteArrivalLosesNothing) {
    const std::vector<std::string> sent{kGreeting, "||UPDATE||||", "||F-POSLOG||JOHN||john||"};
    MessageAssembler assembler(wire::request::Keywords());
    std::vector<std::string> messages;
    for (const char digit : Stream(sent)) {
        for (auto& message : assembler.feed(std::string_view(&digit, 1), 0).messages) {
            messages.push_back(std::move(message));
        }
    }
    EXPECT_EQ(Meanings(messages), Meanings(sent));
}

TEST(MessageAssembler, KeywordsInOtherCasesStillStartAMessage) {
    const std::vector<std::string> sent{"update||||",
                                        "||f-login||Username = 'A' and Password = 'b'||"};
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_EQ(Meanings(assembler.feed(Stream(sent), 0).messages), Meanings(sent));
}

TEST(MessageAssembler, KeywordWordsInsideATextDoNotCutIt) {
    const std::vector<std::string> sent{"||SMESSAGE||KESTOVA: UPDATE done, F-LOGIN please||",
                                        "||KESTOVA||1||RESTART||"};
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_EQ(assembler.feed(Stream(sent), 0).messages, sent);
}

TEST(MessageAssembler, TextOutsideTheAsciiRangeSurvives) {
    const std::string message = "||SMESSAGE||KESTOVA: Café → 22:00 – €2||";
    MessageAssembler assembler(wire::request::Keywords());
    const auto fed = assembler.feed(wire::EncodeText(message), 0);
    // The arrow is not in the code page and travels as "?"; the rest survives.
    EXPECT_EQ(fed.messages, std::vector<std::string>{"||SMESSAGE||KESTOVA: Café ? 22:00 – €2||"});
}

TEST(MessageAssembler, AMalformedGroupCostsOneCharacterWithoutShiftingTheRest) {
    std::string digits = wire::EncodeText("||F-POSLOG||JOHN||john||");
    // The text travels reversed: the third group is the "n" of the password.
    digits.replace(6, 3, "x9!");
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_EQ(assembler.feed(digits, 0).messages,
              std::vector<std::string>{"||F-POSLOG||JOHN||joh||"});
}

TEST(MessageAssembler, AnUnknownRequestIsHandedOverOnlyAfterQuiet) {
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_TRUE(assembler.feed(wire::EncodeText("||NOSUCHTHING||1||"), 5000).messages.empty());
    EXPECT_FALSE(assembler.takeQuiet(5000 + MessageAssembler::kQuietMs - 1));
    EXPECT_EQ(assembler.takeQuiet(5000 + MessageAssembler::kQuietMs), "||NOSUCHTHING||1||");
    EXPECT_EQ(assembler.pendingBytes(), 0u);
    EXPECT_FALSE(assembler.takeQuiet(99'000));
}

TEST(MessageAssembler, AnUnknownRequestFollowedByAKnownOneKeepsTheKnownOneUsable) {
    MessageAssembler assembler(wire::request::Keywords());
    const auto fed = assembler.feed(Stream({"||NOSUCHTHING||1||", "||UPDATE||||"}), 0);
    ASSERT_EQ(fed.messages.size(), 1u);
    // Both arrive together, the known request first, so it is still acted on.
    EXPECT_EQ(wire::SplitPairs(fed.messages[0]).front().keyword, "UPDATE");
}

TEST(MessageAssembler, StrayDigitsAndBarsAloneAreNotMessages) {
    MessageAssembler assembler(wire::request::Keywords());
    EXPECT_TRUE(assembler.feed(wire::EncodeText("||||") + "12", 0).messages.empty());
    EXPECT_FALSE(assembler.takeQuiet(MessageAssembler::kQuietMs));
}

TEST(MessageAssembler, BeyondTheCapEverythingPendingIsDroppedAndLaterMessagesWork) {
    MessageAssembler assembler(wire::request::Keywords(), 3000);
    const std::string flood = wire::EncodeText(std::string(1200, 'A'));  // 3600 digits, no keyword
    const auto fed = assembler.feed(flood, 0);
    EXPECT_TRUE(fed.messages.empty());
    EXPECT_EQ(fed.droppedBytes, flood.size());
    EXPECT_EQ(assembler.pendingBytes(), 0u);
    EXPECT_EQ(assembler.feed(wire::EncodeText("||UPDATE||||"), 0).messages,
              std::vector<std::string>{"||UPDATE||||"});
}

TEST(MessageAssembler, CompleteMessagesInAnOversizedReadAreKept) {
    MessageAssembler assembler(wire::request::Keywords(), 300);
    std::vector<std::string> sent(20, "||YESCONNECT||||");  // 960 digits in one read
    const auto fed = assembler.feed(Stream(sent), 0);
    EXPECT_EQ(fed.messages, sent);
    EXPECT_EQ(fed.droppedBytes, 0u);
}

TEST(MessageAssembler, SeparatesServerRepliesGivenTheirKeywords) {
    constexpr std::string_view kReplies[] = {"TYPE", "SHUTREST", "F-LOGIN", "STILL CONNECTED"};
    const std::vector<std::string> sent{"||TYPE||ADMINISTRATOR||", "||SHUTREST||False||",
                                        "||F-LOGIN||TRUE||", "||STILL CONNECTED||||"};
    MessageAssembler assembler(kReplies);
    EXPECT_EQ(Meanings(assembler.feed(Stream(sent), 0).messages), Meanings(sent));
}

}  // namespace
}  // namespace zarnevo
