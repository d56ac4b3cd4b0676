// The demo café: seeded accounts and sales, and a simulation that is the same for the same seed.
#include "server/engine/accounts.h"
#include "server/engine/demo_seed.h"
#include "server/engine/reports.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

TEST(DemoSeed, SeedsTheOperatorsStaffQuickTypesAndSalesOfSeveralDays) {
    MemoryStore store;
    SeedDemo(store, 1, TestNow(), PasswordCost::Minimal);
    for (const auto& [name, password, rights] :
         {std::tuple{"ADMINISTRATOR", "admin", "ADMINISTRATOR"},
          {"CLERK", "clerk", "USER"},
          {"GUEST", "guest", "VIEWER"},
          {"JOHN", "john", ""},
          {"MARY", "mary", ""}}) {
        const auto found = FindLogin(store, *rights ? LoginKind::Operator : LoginKind::Staff,
                                     std::string("Username = '") + name + "' and Password = 'x'");
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(found->rights, rights);
        EXPECT_TRUE(VerifyPassword(password, found->stored)) << name;
    }
    EXPECT_EQ(store.quickTicketTypes().size(), 4u);

    for (int daysAgo = 0; daysAgo <= 3; ++daysAgo) {
        const std::int64_t day = TestNow() - daysAgo * kDayMs;
        EXPECT_GT(FiguresOfDay(store, "JOHN", day).tickets, 0) << daysAgo;
        EXPECT_GT(FiguresOfDay(store, "MARY", day).tickets, 0) << daysAgo;
        EXPECT_FALSE(DayReportText(store, LocalDayStartOf(day)).empty());
    }
    for (const Sale& sale : store.salesBetween(0, INT64_MAX))
        EXPECT_LE(sale.atMs, TestNow());
    bool waiting = false;
    for (const Ticket& ticket : store.allTickets())
        waiting |= !ticket.activated;
    EXPECT_TRUE(waiting) << "some tickets wait to be activated at the counter";
}

TEST(DemoSeed, SeedingTwiceAddsNothing) {
    MemoryStore store;
    SeedDemo(store, 1, TestNow(), PasswordCost::Minimal);
    const std::size_t tickets = store.allTickets().size();
    const std::size_t sales = store.salesBetween(0, INT64_MAX).size();
    SeedDemo(store, 2, TestNow(), PasswordCost::Minimal);
    EXPECT_EQ(store.allTickets().size(), tickets);
    EXPECT_EQ(store.salesBetween(0, INT64_MAX).size(), sales);
}

// Runs a demo café for a simulated hour and returns every message sent.
std::vector<std::pair<ConsoleId, std::string>> RunDemoHour(std::uint64_t seed) {
    MemoryStore store;
    SeedDemo(store, seed, TestNow(), PasswordCost::Minimal);
    RecordingOutbox outbox;
    SeededRandom random(seed);
    Engine engine(store, outbox,
                  EngineOptions{.slots = 12, .demo = true, .seed = seed, .speed = 60}, nullptr,
                  random);
    engine.consoleConnected(1, "127.0.0.1", TestNow());
    engine.receive(1, kGreeting, TestNow());
    for (std::int64_t t = TestNow(); t <= TestNow() + 60'000; t += 250) {
        engine.receive(1, "||YESCONNECT||||", t);
        engine.tick(t);
    }
    engine.receive(1, "||UPDATE||||", TestNow() + 60'000);
    return outbox.sent;
}

TEST(DemoCafe, TheSameSeedGivesTheSameCafe) {
    EXPECT_EQ(RunDemoHour(4), RunDemoHour(4));
    EXPECT_NE(RunDemoHour(4), RunDemoHour(5));
}

TEST(DemoCafe, ClientsComeAndGoAndUsersLogInWithTickets) {
    const auto sent = RunDemoHour(4);
    std::set<std::string> modes, users, inUse;
    std::size_t hidden = 0, endingSoon = 0, droppedInUse = 0;
    for (const auto& [console, message] : sent) {
        if (!message.starts_with("||UPDATE||"))
            continue;
        const auto fields = RecordFields(message);
        ASSERT_EQ(fields.size(), 15u);
        EXPECT_EQ(fields[0], "12");
        if (fields[7] != "Connected.") {
            ++hidden;
            droppedInUse += inUse.erase(fields[1]);
            continue;
        }
        if (fields[6] == "Logged in") {
            inUse.insert(fields[1]);
            endingSoon += fields[5] < "00:05" ? 1 : 0;
        } else {
            inUse.erase(fields[1]);
        }
        modes.insert(fields[6]);
        if (fields[6] == "Logged in" || fields[6] == "Paused") {
            EXPECT_FALSE(fields[9].empty()) << "a running session shows when it began: " << message;
        }
        if (!fields[4].empty() && fields[4] != "ALLOCATED")
            users.insert(fields[4]);
    }
    EXPECT_GT(hidden, 0u) << "some slots are empty";
    EXPECT_TRUE(modes.contains("Logged in"));
    EXPECT_TRUE(modes.contains("Disabled"));
    EXPECT_TRUE(modes.contains("Paused"));
    EXPECT_FALSE(users.empty()) << "users logged in with tickets";
    EXPECT_GT(endingSoon, 0u) << "some sessions come close to their end";
    EXPECT_GT(droppedInUse, 0u) << "some computers in use drop off the network";
}

}  // namespace
}  // namespace zarnevo::testing
