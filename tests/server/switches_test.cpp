// The café-wide switches pushed to consoles, the keep-alive probe and the discovery answer.
#include <algorithm>

#include "server/engine/consoles.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

class Switches : public EngineTest {};

const std::vector<std::string> kInitialSwitches = {
    "||DOWNBILL||TRUE||", "||ADDPAUSE||True||", "||ADDTIME||True||",   "||CMESS||False||",
    "||POSTYPE||True||",  "||DISLOG||False||",  "||SHUTREST||False||", "||PRINTS||True||"};

TEST_F(Switches, AConsoleGetsEverySwitchAndTheQuickTicketListOnceItGreetsAndNotBefore) {
    store.putQuickTicketTypes({QuickTicketType{30, 5000, true, true, false},
                               QuickTicketType{60, 10000, true, false, false},
                               QuickTicketType{120, 15000, false, false, true}});
    engine.consoleConnected(1, "127.0.0.1", now);
    connectAs(2, "ADMINISTRATOR", "admin");
    say(2, "||F-ALLOWPAUSE||||");
    say(2, "||F-ALLOCATE||600||FALSE||0||");
    engine.tick(now + kProbeIntervalMs);
    EXPECT_EQ(sentTo(2, "ADDPAUSE").size(), 1u);
    EXPECT_EQ(sentTo(2, "UPDATE").size(), 1u);
    EXPECT_TRUE(sentTo(1).empty())
        << "a peer that has not greeted is told nothing: " << ::testing::PrintToString(sentTo(1));

    say(1, kGreeting);
    std::vector<std::string> expected = kInitialSwitches;
    expected[1] = "||ADDPAUSE||False||";
    expected.push_back(
        "||QUICKTYPE||30min(s) - N50.00 [Time Once]|60min(s) - N100.00 [Time Ticket]|"
        "120min(s) - N150.00 [Normal Ticket] - VIP|||");
    EXPECT_EQ(sentTo(1), expected);
}

class OperationsSwitches : public EngineTest {
protected:
    OperationsSwitches()
        : EngineTest([] {
              EngineOptions options;
              options.posGeneration = false;
              return options;
          }()) {}
};

TEST_F(OperationsSwitches, TheOperationsWindowOptionTurnsPosTypeOffForEveryConsole) {
    connect(1);
    const std::vector<std::string> sent = sentTo(1);
    EXPECT_NE(std::find(sent.begin(), sent.end(), "||POSTYPE||False||"), sent.end());
    EXPECT_EQ(store.setting("POSTYPE"), "False");
}

TEST_F(Switches, AnEmptyQuickTicketListStillTakesItsValueElement) {
    connect(1);
    EXPECT_EQ(sentTo(1).back(), "||QUICKTYPE||||");
}

TEST_F(Switches, AToggleFromOneConsoleIsPushedToEveryConsoleAndKept) {
    connectAs(1, "CLERK", "clerk");
    connect(2);
    outbox.clear();
    say(1, "||F-DISLOG||||");
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||DISLOG||True||"});
    EXPECT_EQ(sentTo(2), std::vector<std::string>{"||DISLOG||True||"});
    say(1, "||F-ALLOWPAUSE||||");
    say(1, "||F-ALLOWTIME||||");
    say(1, "||F-DISMESS||||");
    say(1, "||F-DISLOG||||");
    EXPECT_EQ(sentTo(2), (std::vector<std::string>{"||DISLOG||True||", "||ADDPAUSE||False||",
                                                   "||ADDTIME||False||", "||CMESS||True||",
                                                   "||DISLOG||False||"}));
    EXPECT_EQ(store.setting("CMESS"), "True");

    outbox.clear();
    connect(3);
    EXPECT_EQ(sentTo(3)[1], "||ADDPAUSE||False||") << "a console connecting later sees the change";
}

TEST_F(Switches, AViewerCannotFlipASwitch) {
    connectAs(1, "GUEST", "guest");
    say(1, "||F-DISLOG||||");
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_EQ(store.setting("DISLOG"), std::nullopt);
}

TEST_F(Switches, TheShutDownPermissionTravelsWithTheLogIn) {
    store.putSetting("SHUTREST", "True");
    connect(1);
    outbox.clear();
    say(1, "||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||");
    EXPECT_EQ(sentTo(1)[1], "||SHUTREST||True||");
    say(1, "||KESTOVA||0||RESTART||");
    EXPECT_EQ(lastRecord(1, 1)[7], "Restarting");
}

TEST_F(Switches, ConsolesAreProbedAndOneThatStaysSilentIsDropped) {
    connect(1);
    connect(2);
    outbox.clear();
    engine.tick(now + kProbeIntervalMs);
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||STILL CONNECTED||||"});
    EXPECT_EQ(sentTo(2), std::vector<std::string>{"||STILL CONNECTED||||"});

    // Console 1 answers every probe, console 2 never does.
    for (std::int64_t t = now + kProbeIntervalMs; t <= now + kSilenceLimitMs + kProbeIntervalMs;
         t += 5'000) {
        engine.receive(1, "||YESCONNECT||||", t);
        engine.tick(t);
    }
    EXPECT_EQ(outbox.dropped, std::vector<ConsoleId>{2});
    outbox.clear();
    engine.receive(2, "||UPDATE||||", now + kSilenceLimitMs + kProbeIntervalMs);
    EXPECT_TRUE(sentTo(2).empty()) << "a dropped console is no longer served";
}

TEST_F(Switches, ADisconnectedConsoleIsForgotten) {
    connect(1);
    engine.consoleDisconnected(1);
    outbox.clear();
    say(1, "||UPDATE||||");
    engine.tick(now + 10 * kProbeIntervalMs);
    EXPECT_TRUE(outbox.sent.empty());
    EXPECT_TRUE(outbox.dropped.empty());
}

TEST_F(Switches, TheDiscoveryAnswerLeadsTheConsoleToOurPort) {
    // The console steps its offset by one after taking PORT, so PORT names the offset below ours.
    EXPECT_EQ(engine.discoveryAnswer("127.0.0.1", 4),
              "||SERVERIP||127.0.0.1||NOCOMPUTER||4||PORT||3||");
    // Eight elements, the last numbered 7: the console takes the offset from it.
    EXPECT_EQ(SplitOn(engine.discoveryAnswer("127.0.0.1", 1), "||").size(), 8u);
}

}  // namespace
}  // namespace zarnevo::testing
