// Connection supervision: port rotation and discovery probes while no server answers, the
// greeting, the refresh and recount while connected, and the loss of a greeted connection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/login_window.h"
#include "connection/supervision.h"
#include "core/version.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using ::testing::ElementsAre;

constexpr int kDiscoveryPort = 999;

class SupervisionTest : public ConsoleSimTest {
protected:
    // Attempts of the server connection, by port; the probes of the search socket are apart.
    struct Attempts {
        std::vector<int> listenPorts;
        // For each probe, the port of the connection attempt made just before it.
        std::vector<int> probedAfterPort;
    };

    Attempts attempts() {
        Attempts result;
        const int listenSocket = 0;  // the main window makes `Listen` before `Search`
        for (const sim::ConnectAttempt& attempt : network().connectAttempts()) {
            if (attempt.port == kDiscoveryPort) {
                EXPECT_NE(attempt.socketId, listenSocket);
                EXPECT_EQ(attempt.host, kLoopback);
                result.probedAfterPort.push_back(result.listenPorts.back());
            } else {
                result.listenPorts.push_back(attempt.port);
            }
        }
        return result;
    }

    void runUntilListenAttempts(std::size_t count) {
        loop().runUntil([&] { return attempts().listenPorts.size() >= count; },
                        static_cast<sim::Ms>(count) * 4000);
    }
};

TEST_F(SupervisionTest, WithoutServerTheConsoleTriesPorts1000To1100InTurnThenStartsAgain) {
    console();
    runUntilListenAttempts(103);

    const Attempts seen = attempts();
    ASSERT_GE(seen.listenPorts.size(), 103u);
    for (int i = 0; i <= 100; ++i) {
        ASSERT_EQ(seen.listenPorts[i], 1000 + i) << "attempt " << i;
    }
    EXPECT_EQ(seen.listenPorts[101], 1000);
    EXPECT_EQ(seen.listenPorts[102], 1001);
}

TEST_F(SupervisionTest, EveryFifthOffsetAndTheWrapProbeTheDiscoveryPort) {
    console();
    runUntilListenAttempts(102);

    std::vector<int> expected;
    for (int port = 1004; port <= 1099; port += 5) {
        expected.push_back(port);  // offsets 5, 10, ... 100
    }
    expected.push_back(1100);  // offset 101 wraps to 0
    const Attempts seen = attempts();
    ASSERT_GE(seen.probedAfterPort.size(), expected.size());
    EXPECT_EQ(std::vector<int>(seen.probedAfterPort.begin(),
                               seen.probedAfterPort.begin() + expected.size()),
              expected);
}

TEST_F(SupervisionTest, AFixedPortIsTriedEveryTimeAndOffsetSevenNeverProbes) {
    setOption(settings::UsePort, "1");
    setOption(settings::PortNo, "7");
    console();
    runUntilListenAttempts(12);

    const Attempts seen = attempts();
    for (const int port : seen.listenPorts) {
        EXPECT_EQ(port, 1006);
    }
    EXPECT_TRUE(seen.probedAfterPort.empty());
}

TEST_F(SupervisionTest, ANonNumericLoopRotatesOverFourPorts) {
    setOption(settings::Loop, "many");
    console();
    runUntilListenAttempts(9);
    EXPECT_THAT(attempts().listenPorts,
                ElementsAre(1000, 1001, 1002, 1003, 1000, 1001, 1002, 1003, 1000));
}

TEST_F(SupervisionTest, ANonNumericFixedPortFallsBackToOffsetTen) {
    setOption(settings::UsePort, "1");
    setOption(settings::PortNo, "ten");
    console();
    runUntilListenAttempts(2);
    EXPECT_THAT(attempts().listenPorts, ElementsAre(1009, 1009));
}

TEST_F(SupervisionTest, WhileConnectingTheStateBlinksEveryTwoAndThreeSeconds) {
    KestovaMain& main = console();
    advance(kFirstTickMs);
    EXPECT_EQ(main.StatusBar1.PanelText(4), "Trying to Connect ...");
    EXPECT_EQ(main.ListenTimer.Interval(), 3000);
    advance(3000);
    EXPECT_EQ(main.StatusBar1.PanelText(4), "");
    EXPECT_EQ(main.ListenTimer.Interval(), 2000);
    advance(2000);
    EXPECT_EQ(main.StatusBar1.PanelText(4), "Trying to Connect ...");
    EXPECT_EQ(main.StatusBar1.PanelText(2), "0 Connected");
    EXPECT_EQ(main.StatusBar1.PanelText(3), "0 InUse");
    EXPECT_FALSE(main.m_LogOff.Enabled);
    EXPECT_FALSE(main.Command3.Enabled);
}

TEST_F(SupervisionTest, AMissingServerAddressNeverConnectsButKeepsTrying) {
    KestovaMain& main = console();
    DeleteRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP");
    ASSERT_EQ(ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName),
              "Error");

    advance(30000);
    EXPECT_TRUE(network().connectAttempts().empty());
    EXPECT_THAT(main.StatusBar1.PanelText(4), ::testing::AnyOf("", "Trying to Connect ..."));
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
}

TEST_F(SupervisionTest, TheGreetingNamesTheConsoleAndAsksForTheClientList) {
    sim::SimListener& server = givenServerListening(1000);
    network().setLocalHostName("FRONT-DESK");
    KestovaMain& main = console();
    loop().runUntil([&] { return Server().IsGreeted(); }, 10000);

    ASSERT_EQ(server.acceptedCount(), 1u);
    EXPECT_THAT(messagesFrom(server.lastPeer()),
                ElementsAre("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]"
                            "||LOCALHOSTNAME||Kestova[FRONT-DESK]||",
                            "||UPDATE||||"));
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Kestova Connected to Server.");
}

TEST_F(SupervisionTest, ConnectedTicksAskForTheListEveryRefreshSeconds) {
    setOption(settings::Refresh, "5");
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();

    advance(3000);  // the first tick after connecting still runs at the connecting interval
    EXPECT_EQ(main.ListenTimer.Interval(), 5000);
    EXPECT_EQ(main.StatusBar1.PanelText(4), "Connected to Server.");
    EXPECT_TRUE(main.m_LogOff.Enabled);
    EXPECT_TRUE(main.m_refresh.Enabled);
    EXPECT_TRUE(main.Command3.Enabled);

    server.clearReceived();
    advance(10000);
    EXPECT_THAT(messagesFrom(server), ElementsAre("UPDATE||||", "UPDATE||||"));
}

TEST_F(SupervisionTest, TheRefreshIntervalFallsBackToThirtySecondsAndIsAMinuteWhileBusy) {
    sim::SimPeer& server = connectedServer();
    (void)server;
    KestovaMain& main = console();
    for (const char* refresh : {"abc", "0", "-4"}) {
        setOption(settings::Refresh, refresh);
        SupervisionTick(main);
        EXPECT_EQ(main.ListenTimer.Interval(), 30000) << "Refresh = " << refresh;
    }
    setOption(settings::Refresh, "20");
    main.SetBusy(true);
    SupervisionTick(main);
    EXPECT_EQ(main.ListenTimer.Interval(), 60000);
}

TEST_F(SupervisionTest, TheRecountShowsAndCountsOnlyRowsWithNameAndAddress) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server,
               "||UPDATE||4==1==1.==PC1==ann==00:10==Logged in==Connected.==127.0.1.11||"
               "UPDATE||4==2==2.==PC2====00:00==Self Timer Mode==Connected.==127.0.1.12||"
               "UPDATE||4==3==3.==PC3==bob==00:30==Logged in==Connected.==||"
               "UPDATE||4==4==4.==PC4==cy==00:20==Logged in now==Connected.==127.0.1.14||");
    ASSERT_EQ(main.ConList.Rows(), 5);
    EXPECT_EQ(main.ConList.RowHeight(3), 255);

    SupervisionTick(main);
    EXPECT_EQ(main.ConList.RowHeight(1), 255);
    EXPECT_EQ(main.ConList.RowHeight(2), 255);
    EXPECT_EQ(main.ConList.RowHeight(3), 0) << "a row without a client address is hidden";
    EXPECT_EQ(main.ConList.RowHeight(4), 255);
    EXPECT_EQ(main.StatusBar1.PanelText(2), "3 Connected");
    EXPECT_EQ(main.StatusBar1.PanelText(3), "2 InUse");
}

TEST_F(SupervisionTest, ALostConnectionLogsTheOperatorOffAndEmptiesTheTable) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server,
               "||TYPE||ADMINISTRATOR||UPDATE||3==2==2.==PC2==ann==00:10==Logged in=="
               "Connected.==127.0.1.12||");
    ASSERT_EQ(main.ConList.Rows(), 4);
    KestovaCode().OperatorName = "ADMINISTRATOR";
    main.StatusBar1.SetPanelText(1, " User: ADMINISTRATOR");

    server.disconnect();
    advance(kFirstTickMs + 1);

    EXPECT_FALSE(Server().IsGreeted());
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_EQ(main.StatusBar1.PanelText(1), "User: AutoStart User");
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Kestova Disconnected!");
    EXPECT_EQ(main.ConList.Rows(), 2);
    EXPECT_EQ(main.ConList.RowHeight(1), 0);
    EXPECT_FALSE(main.m_LogOff.Enabled);
    EXPECT_FALSE(main.Command4.Visible);
    EXPECT_TRUE(main.Command2.Visible);
    // ... and the console is connecting again, on the next port.
    EXPECT_EQ(network().connectAttempts().back().port, 1001);
}

TEST_F(SupervisionTest, AConnectionLostWhileTheLoginWindowIsOpenClosesIt) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    Splash().Show();
    ASSERT_TRUE(Splash().IsLoaded());

    server.disconnect();
    advance(network().latency() + 1);
    SupervisionTick(main);

    EXPECT_FALSE(Splash().IsLoaded());
}

TEST_F(SupervisionTest, ReconnectAfterConfirmationStartsAgainAtTheFirstPort) {
    KestovaMain& main = console();
    runUntilListenAttempts(4);
    const std::size_t before = network().connectAttempts().size();

    dialogs().expectMsgBox("Reconnect Kestova?", platform::msgbox::No);
    ReconnectKestova(main);
    EXPECT_EQ(network().connectAttempts().size(), before);

    dialogs().expectMsgBox("Reconnect Kestova?", platform::msgbox::Yes);
    ReconnectKestova(main);
    ASSERT_GT(network().connectAttempts().size(), before);
    EXPECT_EQ(network().connectAttempts().back().port, 1000);
    EXPECT_EQ(main.ConList.Row(), 1);
    EXPECT_EQ(dialogs().last().title, VersionTitle());
    EXPECT_EQ(dialogs().last().flags, platform::msgbox::YesNo | platform::msgbox::Question |
                                          platform::msgbox::DefaultButton2);
}

}  // namespace
}  // namespace kestova
