// What a console may send that the server must survive: nonsense, giants, half-finished work.
#include <algorithm>

#include "server/engine/request.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

class Robustness : public EngineTest {};

TEST_F(Robustness, UnknownAndMalformedRequestsAreLoggedAndAnsweredWithNothing) {
    connect(1);
    outbox.clear();
    for (std::string_view text :
         {std::string_view(""), std::string_view("||||||"), std::string_view("HELLO"),
          std::string_view("||NOSUCHTHING||1||"), std::string_view("||ACTIVATE1||"),
          std::string_view("||F-TICKET2||"), std::string_view("||POSTICKET||1|2||"),
          std::string_view("\0\x01\xff", 3)}) {
        say(1, text);
    }
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_GE(logLines.size(), 8u);
    say(1, "||F-REPORTSUMMARY||x-y-z||");
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||NOREPORTSUMMARY||||"})
        << "a report asked for is answered, so the console stops waiting";
}

TEST_F(Robustness, NothingIsAnsweredOnAConnectionBeforeItsGreeting) {
    engine.consoleConnected(1, "127.0.0.1", now);
    outbox.clear();
    for (const char* request : {"||UPDATE||||", "UPDATE||||", "||F-BROADCAST||||",
                                "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||"}) {
        say(1, request);
        EXPECT_TRUE(sentTo(1).empty()) << request;
        EXPECT_NE(logLines.back().find("before the greeting ignored"), std::string::npos);
    }
    say(1, kGreeting);
    say(1, "||UPDATE||||");
    EXPECT_EQ(sentTo(1, "UPDATE").size(), 20u) << "greeted, the console is served";
}

TEST_F(Robustness, ARequestLargerThanTheCapIsDroppedWithALogLine) {
    connect(1);
    outbox.clear();
    say(1, "||UPDATE||||" + std::string(kMaxRequestBytes, 'x'));
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_NE(logLines.back().find("too large"), std::string::npos);
    say(1, "||UPDATE||||");
    EXPECT_EQ(sentTo(1).size(), 20u) << "the console is still served";
}

TEST_F(Robustness, AConsoleThatLeavesMidRequestChangesNothingElse) {
    connectStaff(1, "JOHN", "john");
    connect(2);
    engine.consoleDisconnected(1);
    outbox.clear();
    say(1, "||POSTICKET||60|3|100|False|1|0|JOHN||");
    EXPECT_TRUE(outbox.sent.empty());
    EXPECT_TRUE(store.allTickets().empty());

    connect(1);  // the same number again is a new console: nobody is signed in there
    outbox.clear();
    say(1, "||POSTICKET||60|3|100|False|1|0|JOHN||");
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_TRUE(store.allTickets().empty());
}

TEST_F(Robustness, FuzzedRequestsNeverCrashTheEngine) {
    connectAs(1, "ADMINISTRATOR", "admin");
    say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    const std::vector<std::string> keywords = {
        "UPDATE",      "F-ALLOCATE",   "F-DEALLOCATE", "KESTOVA",      "F-PAUSE",
        "F-LOGOFF",    "POSTICKET",    "F-TICKET1",    "F-TICKET2",    "ACTIVATE2",
        "MACTIVATE2",  "MDEACTIVATE1", "F-SEARCH",     "F-POSSUMMARY", "F-REPORTSUMMARY",
        "F-UPDATEPOS", "F-DISCONNECT"};
    const std::string alphabet = "0123456789|-='ABC |||";
    SeededRandom fuzz(99);
    for (int round = 0; round < 3000; ++round) {
        std::string text = "||" + keywords[fuzz.next() % keywords.size()] + "||";
        const int length = static_cast<int>(fuzz.next() % 40);
        for (int i = 0; i < length; ++i)
            text += alphabet[fuzz.next() % alphabet.size()];
        say(1, text);
    }
    outbox.clear();
    say(1, "||UPDATE||");
    EXPECT_EQ(sentTo(1).size(), 20u);
}

TEST_F(Robustness, WhatAConsoleSendsIsLoggedEscapedSoItCannotForgeLinesOrSteerATerminal) {
    const struct {
        std::string message;
        std::string logged;  // what the log line shows of it
    } kForged[] = {
        {"AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[x\n2026 console 9 greeted]||",
         "Kestova[x\\n2026 console 9 greeted]"},
        {"||SMESSAGE||KESTOVA: \x1b[2Jbye\r||", "KESTOVA: \\x1b[2Jbye\\r"},
        {"||SMESSAGE||KESTOVA: del\x7f c1\xc2\x9b tab\t||", "del\\x7f c1\\u009b tab\\t"},
        {"||SMESSAGE||KESTOVA: raw\xff\xc3 back\\slash café||", "raw\\xff\\xc3 back\\\\slash café"},
        {"||NO\x1bSUCH||1||", "NO\\x1bSUCH"}};
    connect(1);
    for (const auto& forged : kForged) {
        say(1, forged.message);
        EXPECT_NE(logLines.back().find(forged.logged), std::string::npos) << logLines.back();
    }
    for (const std::string& line : logLines)
        EXPECT_FALSE(std::ranges::any_of(line, [](char c) { return c == '\n' || c == '\x1b'; }));
}

TEST(RequestParsing, KeywordsInAnyCaseWithOrWithoutSeparators) {
    for (const char* text : {"UPDATE||||", "||UPDATE||||", "||UPDATE||", "update", "  Update ||"}) {
        const auto request = ParseRequest(text);
        ASSERT_TRUE(request) << text;
        EXPECT_EQ(request->keyword, "UPDATE") << text;
        EXPECT_TRUE(request->values.empty()) << text;
    }
    const auto command = ParseRequest("KESTOVA||2||MESSAGE|Hi there||||");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->keyword, "KESTOVA");
    EXPECT_EQ(command->values, (std::vector<std::string>{"2", "MESSAGE|Hi there"}));
    EXPECT_FALSE(ParseRequest("||||"));
}

TEST(RequestParsing, TheRawValueKeepsBarsInsideTheValue) {
    const auto request = ParseRequest("||F-LOGIN||Username = 'A' and Password = 'x||y'||");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->rawValue, "Username = 'A' and Password = 'x||y'");
}

TEST(Texts, MoneyIsReadStrictlyAndWrittenExactly) {
    EXPECT_EQ(ParseMoney("100"), 10000);
    EXPECT_EQ(ParseMoney("2.5"), 250);
    EXPECT_EQ(ParseMoney(" 0.75 "), 75);
    for (const char* bad : {"", "-1", "1.234", "1e3", "abc", "1,000", ".5"}) {
        EXPECT_FALSE(ParseMoney(bad)) << bad;
    }
    EXPECT_EQ(MoneyText(125050), "1250.50");
    EXPECT_EQ(MoneyText(-250), "-2.50");
    EXPECT_EQ(ShortMoneyText(10000), "100");
    EXPECT_EQ(ShortMoneyText(250), "2.5");
}

TEST(Texts, TimesAreWrittenInTheConsolesForms) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::int64_t moment = TestNow() - 25 * kMinuteMs;  // 14:05
    EXPECT_EQ(ClockText(moment), "14:05");
    EXPECT_EQ(LogTimeText(moment), "02:05PM 05-Mar-26");
    EXPECT_EQ(LogTimeText(TestNow() - 14 * kHourMs - 30 * kMinuteMs), "12:00AM 05-Mar-26");
    EXPECT_EQ(IsoDateText(moment), "2026-03-05");
    EXPECT_EQ(DurationText(80 * 60), "01:20");
    EXPECT_EQ(DurationText(59), "00:01");
    EXPECT_FALSE(LocalDayStart(2026, 2, 31));
    EXPECT_EQ(LocalDayStart(2026, 3, 5), TestNow() - 14 * kHourMs - 30 * kMinuteMs);
}

}  // namespace
}  // namespace zarnevo::testing
