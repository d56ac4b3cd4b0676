// Refusals that wait longer the more a console is refused in a row, and password checks that run
// apart from the requests while each console's requests keep their order.
#include "server/engine/password_verifier.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

const std::string kRefused = "||F-LOGIN||FALSE||";

std::string LogIn(const std::string& user, const std::string& password) {
    return "||F-LOGIN||Username = '" + user + "' and Password = '" + password + "'||";
}

class LoginPacing : public EngineTest {
protected:
    void SetUp() override {
        connect(1);
        connect(2);
        outbox.clear();
    }
    void advanceTo(std::int64_t t) {
        now = t;
        engine.tick(now);
    }
    void refuseFiveTimes(ConsoleId console) {
        for (int i = 0; i < kFreeLoginFailures; ++i)
            say(console, LogIn("CLERK", "wrong"));
        ASSERT_EQ(sentTo(console, "F-LOGIN"), std::vector<std::string>(5, kRefused));
        outbox.clear();
    }
};

TEST_F(LoginPacing, BeyondFiveRefusalsEachWaitsTwiceAsLongAsTheLastUpToThirtySeconds) {
    refuseFiveTimes(1);
    for (const std::int64_t delay : {1'000, 2'000, 4'000, 8'000, 16'000, 30'000, 30'000}) {
        say(1, LogIn("CLERK", "wrong"));
        advanceTo(now + delay - 1);
        EXPECT_TRUE(sentTo(1, "F-LOGIN").empty()) << delay;
        advanceTo(now + 1);
        EXPECT_EQ(sentTo(1, "F-LOGIN"), std::vector<std::string>{kRefused}) << delay;
        outbox.clear();
    }
}

TEST_F(LoginPacing, AWaitingConsoleKeepsItsOrderWhileOthersAreAnsweredAtOnce) {
    refuseFiveTimes(1);
    say(1, LogIn("CLERK", "wrong"));
    say(1, "||UPDATE||||");
    say(1, LogIn("CLERK", "clerk"));  // the right password learns nothing sooner
    say(2, LogIn("ADMINISTRATOR", "admin"));
    say(2, "||UPDATE||||");
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_EQ(sentTo(2, "F-LOGIN"), std::vector<std::string>{"||F-LOGIN||TRUE||"});
    EXPECT_EQ(sentTo(2, "UPDATE").size(), 20u);

    advanceTo(now + kFirstRefusalDelayMs);
    const std::vector<std::string> replies = sentTo(1);
    ASSERT_EQ(replies.size(), 1u + 20u + 3u);
    EXPECT_EQ(replies.front(), kRefused);
    EXPECT_TRUE(replies[1].starts_with("||UPDATE||"));
    EXPECT_EQ(replies.back(), "||F-LOGIN||TRUE||");
}

TEST_F(LoginPacing, StaffSignInsCountWithLogInsAndASuccessStartsTheCountAgain) {
    for (int i = 0; i < 3; ++i)
        say(1, LogIn("CLERK", "wrong"));
    for (int i = 0; i < 2; ++i)
        say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'wrong'||");
    say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    EXPECT_EQ(sentTo(1).back(), "||F-POSLOG||TRUE||");
    outbox.clear();
    refuseFiveTimes(1);
    say(1, "||F-POSLOG||Username = 'NOBODY' and Password = 'x'||");
    EXPECT_TRUE(sentTo(1).empty()) << "an unknown name is a refusal like any other";
    advanceTo(now + kFirstRefusalDelayMs);
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||F-POSLOG||FALSE||"});
}

// Holds every check until the test gives its verdict, as a worker thread would.
class ManualVerifier final : public PasswordVerifier {
public:
    void start(PasswordCheckId id, PasswordCheck check) override {
        started.emplace_back(id, std::move(check));
    }
    std::vector<std::pair<PasswordCheckId, PasswordCheck>> started;
};

class PasswordChecks : public LoginPacing {
protected:
    void SetUp() override {
        engine.checkPasswordsWith(verifier);
        LoginPacing::SetUp();
    }
    void finish(std::size_t index) {
        const auto& [id, check] = verifier.started.at(index);
        engine.passwordChecked(id, CheckPassword(check.password, check.stored, check.cost), now);
    }
    ManualVerifier verifier;
};

TEST_F(PasswordChecks, TheConsoleWaitsForItsVerdictAndOthersAreServedMeanwhile) {
    say(1, LogIn("CLERK", "clerk"));
    say(1, LogIn("CLERK", "clerk"));
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    say(2, "||UPDATE||||");
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_EQ(sentTo(2, "UPDATE").size(), 20u);
    ASSERT_EQ(verifier.started.size(), 1u) << "one check at a time per console";
    EXPECT_EQ(verifier.started[0].second.password, "clerk");

    finish(0);
    EXPECT_EQ(sentTo(1).front(), "||TYPE||USER||");
    ASSERT_EQ(verifier.started.size(), 2u) << "the second log-in is checked after the first";
    finish(1);
    EXPECT_EQ(lastRecord(1, 1)[6], "Logged in") << "the allocation came after the log-in";
    EXPECT_EQ(sentTo(1, "F-LOGIN"), std::vector<std::string>(2, "||F-LOGIN||TRUE||"));
}

TEST_F(PasswordChecks, AVerdictForAConsoleThatLeftIsDropped) {
    say(1, LogIn("CLERK", "clerk"));
    engine.consoleDisconnected(1);
    connect(1);  // the same number again is a new console
    outbox.clear();
    finish(0);
    EXPECT_TRUE(sentTo(1).empty());
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    EXPECT_TRUE(lastRecord(1, 1).empty()) << "nobody logged in on the new console";
}

TEST_F(PasswordChecks, AtMostSixtyFourRequestsWaitAndTheRestAreDroppedWithALogLine) {
    say(1, LogIn("CLERK", "clerk"));
    for (std::size_t i = 0; i < kMaxHeldRequests + 6; ++i)
        say(1, "||UPDATE||||");
    logLines.clear();
    finish(0);
    EXPECT_EQ(sentTo(1, "UPDATE").size(), kMaxHeldRequests * 20);
    ASSERT_FALSE(logLines.empty());
    EXPECT_NE(logLines.back().find("6 request(s) dropped while it waited"), std::string::npos)
        << logLines.back();
}

}  // namespace
}  // namespace zarnevo::testing
