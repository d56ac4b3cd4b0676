// Refusals that wait longer the more a console is refused in a row, and password checks that run
// apart from the requests while each console's requests keep their order.
#include <functional>

#include "server/engine/consoles.h"
#include "server/engine/login_guard.h"
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
    std::erase(replies, "||STILL CONNECTED||||");
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

// Guessers that spread their tries over connections and addresses, on simulated time.
class GuessingAcrossConnections : public EngineTest {
protected:
    struct Guesser {
        ConsoleId console;
        int answers = 0;
    };
    // `connections` guessers from one address, each sending a wrong password for the account
    // as soon as its last one was answered and reconnecting after every five answers, for
    // `forMs`; `during` runs once, half-way. Returns the refusals answered.
    int guess(const std::string& address, const char* keyword, const char* account, int connections,
              std::int64_t forMs, std::function<void()> during = {}) {
        const std::string guessText =
            "||" + std::string(keyword) + "||Username = '" + account + "' and Password = 'guess'||";
        std::vector<Guesser> guessers;
        for (int i = 0; i < connections; ++i) {
            guessers.push_back({nextId++});
            connect(guessers.back().console, address);
            say(guessers.back().console, guessText);
        }
        int refused = 0;
        const std::int64_t end = now + forMs;
        for (const std::int64_t half = now + forMs / 2; now < end; engine.tick(now += 50)) {
            if (during && now >= half)
                std::exchange(during, nullptr)();
            for (Guesser& guesser : guessers) {
                const int answered = static_cast<int>(sentTo(guesser.console, keyword).size());
                if (answered == guesser.answers)
                    continue;
                refused += answered - guesser.answers;
                guesser.answers = answered;
                if (answered % 5 == 0) {
                    engine.consoleDisconnected(guesser.console);
                    guesser = {nextId++};
                    connect(guesser.console, address);
                }
                say(guesser.console, guessText);
            }
        }
        return refused;
    }
    ConsoleId nextId = 100;
};

TEST_F(GuessingAcrossConnections, TriesFromOneAddressAreCheckedOneAtATimeEachAfterItsDelay) {
    // Five answered at once, then the sixth after 1 s, the seventh 2 s later, the eighth 4 s and
    // the ninth 8 s later: nine in 20 s, however many connections the guesser holds.
    for (const auto& [keyword, account] :
         {std::pair{"F-LOGIN", "ADMINISTRATOR"}, std::pair{"F-POSLOG", "JOHN"}}) {
        EXPECT_EQ(guess("127.0.0." + std::to_string(nextId), keyword, account, 8, 20'000), 9)
            << keyword;
    }
}

TEST_F(GuessingAcrossConnections, TheRightfulOperatorElsewhereIsLetInAtOnceWhileOthersGuess) {
    std::vector<std::string> answer;
    guess("127.0.0.5", "F-LOGIN", "ADMINISTRATOR", 8, 10'000, [&] {
        connect(1, "127.0.0.1");
        say(1, "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||");
        answer = sentTo(1, "F-LOGIN");
    });
    EXPECT_EQ(answer, std::vector<std::string>{"||F-LOGIN||TRUE||"});
}

TEST_F(GuessingAcrossConnections, ASuccessResetsTheAddressButNotItsCountForTheGuessedAccount) {
    EXPECT_EQ(guess("127.0.0.5", "F-LOGIN", "ADMINISTRATOR", 1, 1'500), 6);
    connect(1, "127.0.0.5");
    say(1, "||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||");
    EXPECT_TRUE(sentTo(1, "F-LOGIN").empty()) << "the address waits for its seventh refusal";
    engine.tick(now += 2'000);
    say(1, "||F-LOGIN||Username = 'GUEST' and Password = 'wrong'||");
    EXPECT_EQ(sentTo(1, "F-LOGIN"),
              (std::vector<std::string>{"||F-LOGIN||TRUE||", "||F-LOGIN||FALSE||"}))
        << "after the success the address starts again";
    EXPECT_EQ(guess("127.0.0.5", "F-LOGIN", "ADMINISTRATOR", 1, 1'000), 0)
        << "its count for the guessed account stays: the next try still waits";
}

TEST_F(GuessingAcrossConnections, ManyAddressesGuessingOneAccountHaveItsRefusalsAnsweredLate) {
    for (int i = 1; i <= 6; ++i) {
        connect(i, "127.0.1." + std::to_string(i));
        say(i, "||F-LOGIN||Username = 'administrator' and Password = 'guess'||");
        EXPECT_EQ(sentTo(i, "F-LOGIN").size(), i <= 5 ? 1u : 0u) << i;
    }
    connect(7, "127.0.1.7");
    say(7, "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||");
    EXPECT_EQ(sentTo(7, "F-LOGIN"), std::vector<std::string>{"||F-LOGIN||TRUE||"});
    engine.tick(now += 1'000);
    EXPECT_EQ(sentTo(6, "F-LOGIN"), std::vector<std::string>{"||F-LOGIN||FALSE||"});
}

TEST(LoginGuard, CountsFromEverNewAddressesAndNamesStayBoundedAndExpire) {
    LoginGuard guard;
    const int tries = static_cast<int>(kMaxRememberedCounts) + 100;
    const std::int64_t start = 1'000'000;
    for (int i = 0; i < tries; ++i) {
        const LoginSource source{"10.0." + std::to_string(i), AccountKey(false, std::to_string(i))};
        ASSERT_TRUE(guard.mayStart(source, start + i));
        guard.start(source);
        guard.refused(source, start + i);
    }
    EXPECT_EQ(guard.remembered(), 3 * kMaxRememberedCounts);
    const LoginSource latest{"10.0." + std::to_string(tries - 1), ""};
    for (int i = 0; i < kFreeLoginFailures; ++i)
        guard.refused(latest, start + tries);
    EXPECT_FALSE(guard.mayStart(latest, start + tries))
        << "the latest counts were kept, the oldest gave way";
    guard.expire(start + tries + kRefusalMemoryMs + 1);
    EXPECT_EQ(guard.remembered(), 0u);
    EXPECT_EQ(AccountKey(true, std::string(1000, 'a')), "staff " + std::string(64, 'A'));
}

}  // namespace
}  // namespace zarnevo::testing
