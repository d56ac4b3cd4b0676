// Refusals that wait longer the more a console is refused in a row, and password checks that run
// apart from the requests while each console's requests keep their order.
#include "server/engine/consoles.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

std::string LogIn(const std::string& password, const std::string& keyword = "F-LOGIN") {
    return "||" + keyword + "||Username = '" + (keyword == "F-LOGIN" ? "CLERK" : "JOHN") +
           "' and Password = '" + password + "'||";
}

// Holds every check until the test gives its verdict, as a worker thread would.
struct ManualVerifier final : PasswordVerifier {
    void start(PasswordCheckId id, PasswordCheck check) override {
        started.emplace_back(id, std::move(check));
    }
    std::vector<std::pair<PasswordCheckId, PasswordCheck>> started;
};

class LoginPacing : public EngineTest {
protected:
    void SetUp() override {
        connect(1);
        connect(2);
        outbox.clear();
    }
    void after(std::int64_t ms) { engine.tick(now += ms); }
    void finish(std::size_t check) {
        const auto& [id, c] = verifier.started.at(check);
        engine.passwordChecked(id, CheckPassword(c.password, c.stored, c.cost), now);
    }
    ManualVerifier verifier;
};

TEST_F(LoginPacing, BeyondFiveRefusalsInARowEachWaitsTwiceAsLongAndTheConsoleKeepsItsOrder) {
    for (const char* keyword : {"F-LOGIN", "F-LOGIN", "F-POSLOG"})
        say(1, LogIn("wrong", keyword));
    say(1, LogIn("john", "F-POSLOG"));  // a success starts the count again
    for (const char* keyword : {"F-LOGIN", "F-POSLOG", "F-LOGIN", "F-POSLOG", "F-LOGIN"})
        say(1, LogIn("wrong", keyword));
    EXPECT_EQ(sentTo(1).size(), 9u) << "all answered at once";
    for (const std::int64_t delay : {1'000, 2'000, 4'000, 8'000, 16'000, 30'000, 30'000}) {
        outbox.clear();
        say(1, LogIn("wrong"));
        after(delay - 1);
        EXPECT_TRUE(sentTo(1, "F-LOGIN").empty()) << delay;
        after(1);
        EXPECT_EQ(sentTo(1, "F-LOGIN"), std::vector<std::string>{"||F-LOGIN||FALSE||"}) << delay;
    }
    connect(2);  // silent all this time, it was let go
    outbox.clear();
    say(1, LogIn("wrong"));
    say(1, "||UPDATE||||");
    say(1, LogIn("clerk"));  // the right password learns nothing sooner
    say(2, "||UPDATE||||");  // another console is answered at once
    EXPECT_EQ(sentTo(2).size(), 20u);
    EXPECT_TRUE(sentTo(1, "UPDATE").empty());
    after(kLongestRefusalDelayMs);
    std::vector<std::string> replies = sentTo(1);
    std::erase(replies, kProbeMessage);
    ASSERT_EQ(replies.size(), 1u + 20u + 3u);
    EXPECT_EQ(replies.front(), "||F-LOGIN||FALSE||");
    EXPECT_EQ(replies.back(), "||F-LOGIN||TRUE||");
}

TEST_F(LoginPacing, WhileItsPasswordIsCheckedAConsolesRequestsWaitAndOthersAreServed) {
    engine.checkPasswordsWith(verifier);
    say(1, LogIn("clerk"));
    say(1, LogIn("clerk"));
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    for (std::size_t i = 0; i < kMaxHeldRequests; ++i)
        say(1, "||UPDATE||||");
    say(2, "||UPDATE||||");
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_EQ(sentTo(2, "UPDATE").size(), 20u);
    ASSERT_EQ(verifier.started.size(), 1u) << "one check at a time per console";
    finish(0);
    EXPECT_EQ(sentTo(1).back(), "||F-LOGIN||TRUE||");
    ASSERT_EQ(verifier.started.size(), 2u) << "the second log-in is checked after the first";
    finish(1);
    EXPECT_EQ(lastRecord(1, 1)[6], "Logged in") << "the allocation came after the log-in";
    EXPECT_EQ(sentTo(1, "UPDATE").size(), 1u + (kMaxHeldRequests - 2) * 20);
    EXPECT_NE(logLines.back().find("2 request(s) dropped while it waited"), std::string::npos);

    say(2, LogIn("clerk"));
    engine.consoleDisconnected(2);
    connect(2);  // the same number again is a new console: the verdict is not for it
    outbox.clear();
    finish(2);
    EXPECT_TRUE(sentTo(2).empty());
}

}  // namespace
}  // namespace zarnevo::testing
