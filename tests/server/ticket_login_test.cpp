// A ticket sold at the counter logs a user in on a simulated client computer.
#include "tests/server/pos_fixture.h"

namespace zarnevo::testing {
namespace {

class TicketLogin : public PosTest {
protected:
    void SetUp() override {
        PosTest::SetUp();
        connect(5);
        sold = sell(1, "60|2|100|False|1|0|JOHN");
        ASSERT_EQ(sold.size(), 2u);
        outbox.clear();
    }
    std::vector<PrintedTicket> sold;
};

TEST_F(TicketLogin, ASoldTicketLogsTheUserInAndEveryConsoleSeesIt) {
    ASSERT_TRUE(engine.clientLogin(3, sold[0].user, sold[0].password, now));
    const auto record = lastRecord(5, 3);
    ASSERT_EQ(record.size(), 15u);
    EXPECT_EQ(record[4], sold[0].user);
    EXPECT_EQ(record[5], "01:00");
    EXPECT_EQ(record[6], "Logged in");
    EXPECT_EQ(record[9], "14:30");
    EXPECT_NE(store.findTicket(sold[0].user)->firstUsedAtMs, 0);
}

TEST_F(TicketLogin, ATicketServesOneClientAtATimeAndKeepsWhatIsLeft) {
    ASSERT_TRUE(engine.clientLogin(3, sold[0].user, sold[0].password, now));
    EXPECT_FALSE(engine.clientLogin(4, sold[0].user, sold[0].password, now));
    EXPECT_FALSE(engine.clientLogin(3, sold[1].user, sold[1].password, now)) << "client busy";

    engine.tick(now);
    engine.receive(5, "||YESCONNECT||||", now + 20 * kMinuteMs);
    engine.tick(now + 20 * kMinuteMs);
    connectAs(6, "CLERK", "clerk");
    say(6, "||F-LOGOFF||2||");
    EXPECT_EQ(store.findTicket(sold[0].user)->secondsLeft, 40 * 60);
    EXPECT_TRUE(engine.clientLogin(4, sold[0].user, sold[0].password, now));
    EXPECT_EQ(lastRecord(6, 4)[5], "00:40");
}

TEST_F(TicketLogin, WrongPasswordsUnsoldExpiredSpentAndDisabledLogInsAreRefused) {
    EXPECT_FALSE(engine.clientLogin(3, sold[0].user, "WRONG", now));
    EXPECT_FALSE(engine.clientLogin(3, "NOSUCHONE", "x", now));
    EXPECT_FALSE(engine.clientLogin(99, sold[0].user, sold[0].password, now));

    const TicketBatch unsold = prePrinted(1);
    EXPECT_FALSE(engine.clientLogin(3, unsold.tickets[0].user, unsold.tickets[0].password, now));
    EXPECT_FALSE(engine.clientLogin(3, sold[0].user, sold[0].password, now + 5 * kDayMs));

    store.putSetting("DISLOG", "True");
    EXPECT_FALSE(engine.clientLogin(3, sold[0].user, sold[0].password, now));
    EXPECT_TRUE(lastRecord(5, 3).empty());
}

TEST_F(TicketLogin, ATicketForOneUseIsSpentByItsFirstSession) {
    const auto once = sell(1, "60|1|100|False|1|1|JOHN");
    ASSERT_TRUE(engine.clientLogin(2, once[0].user, once[0].password, now));
    connectAs(6, "CLERK", "clerk");
    say(6, "||KESTOVA||1||ENDTIMER||");
    EXPECT_EQ(store.findTicket(once[0].user)->secondsLeft, 0);
    EXPECT_FALSE(engine.clientLogin(2, once[0].user, once[0].password, now));
}

TEST_F(TicketLogin, TimeRunningOutEndsTheSessionAndEmptiesTheTicket) {
    ASSERT_TRUE(engine.clientLogin(3, sold[0].user, sold[0].password, now));
    engine.tick(now);
    for (std::int64_t t = now; t <= now + 61 * kMinuteMs; t += kMinuteMs) {
        engine.receive(5, "||YESCONNECT||||", t);
        engine.tick(t);
    }
    EXPECT_EQ(lastRecord(5, 3)[6], "Ready");
    EXPECT_EQ(store.findTicket(sold[0].user)->secondsLeft, 0);
}

}  // namespace
}  // namespace zarnevo::testing
