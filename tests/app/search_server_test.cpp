// The subnet search for a server on the simulated network (never a real one): the addresses it
// tries, how it ends, the hello, and the answers it takes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/server_search.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;

constexpr int kDiscoveryPort = 999;

class ServerSearchTest : public ConsoleSimTest {
protected:
    ServerSearchTest() {
        // No console port answers, so the supervision keeps connecting and never stops a search.
        setOption(settings::UsePort, "1");
        setOption(settings::PortNo, "7");
    }

    KestovaMain& main = console();

    // The hosts the search socket tried on the discovery port, in order.
    std::vector<std::string> searchedHosts() {
        std::vector<std::string> hosts;
        for (const sim::ConnectAttempt& attempt : network().connectAttempts()) {
            if (attempt.port == kDiscoveryPort) {
                hosts.push_back(attempt.host);
            }
        }
        return hosts;
    }
};

TEST_F(ServerSearchTest, TriesEveryAddressOfTheLocalNetworkEveryTwoSecondsThenCompletes) {
    BroadCaster(main, true);
    EXPECT_TRUE(main.IsServerSearchRunning());
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Searching for Server: 127.0.0.1");
    advance(2000 * 253 + 1);
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Searching for Server: 127.0.0.254");
    advance(2000);

    std::vector<std::string> expected;
    for (int host = 1; host <= 254; ++host) {
        expected.push_back("127.0.0." + std::to_string(host));
    }
    EXPECT_EQ(searchedHosts(), expected);
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Search Completed.");
    EXPECT_FALSE(main.IsServerSearchRunning());
    EXPECT_FALSE(main.Timer1.IsEnabled());
    EXPECT_EQ(main.Prog.Value.get(), 0);
}

TEST_F(ServerSearchTest, StoppingEndsTheSearchAtTheNextStep) {
    BroadCaster(main, true);
    advance(2000 * 39 + 1);
    ASSERT_EQ(main.StatusBar1.PanelText(5), "Searching for Server: 127.0.0.40");
    main.ServerSearchEnded();  // the options dialog's stop button
    advance(2000);
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Search Terminated.");
    EXPECT_FALSE(main.Timer1.IsEnabled());
    EXPECT_EQ(searchedHosts().size(), 40u);
}

TEST_F(ServerSearchTest, TheSupervisionDoesNotProbeWhileASearchRuns) {
    setOption(settings::PortNo, "10");  // every attempt would probe
    BroadCaster(main, true);
    const std::size_t searched = searchedHosts().size();
    advance(20000);
    EXPECT_EQ(searchedHosts().size(), searched + 10) << "one address per step, no probe between";
}

TEST_F(ServerSearchTest, AServerThatAnswersIsGreetedAndHeldUntilItHangsUp) {
    sim::SimListener& finder = network().listen("127.0.0.3", kDiscoveryPort);
    std::string hello;
    finder.onReceive = [&](sim::SimPeer&, const std::string& bytes) { hello += bytes; };
    BroadCaster(main, true);
    advance(2000 * 2 + 10);  // the step to 127.0.0.3 connects
    EXPECT_EQ(hello, "CONNECTED");
    advance(2000 * 2);
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Searching for Server: 127.0.0.3")
        << "the search holds while the answer is open";

    finder.lastPeer().disconnect();
    advance(2000);
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Searching for Server: 127.0.0.4");
}

TEST_F(ServerSearchTest, NoSearchWhileConnectedToAServer) {
    setOption(settings::UsePort, "0");
    ReleaseProgram();
    sim::SimPeer& server = connectedServer();
    (void)server;
    KestovaMain& connected = console();
    connected.ServerSearchStarted();
    BroadCaster(connected, true);
    EXPECT_EQ(connected.StatusBar1.PanelText(5), "Search Terminated.");
    EXPECT_FALSE(connected.IsServerSearchRunning());
    EXPECT_FALSE(connected.Timer1.IsEnabled());
}

TEST_F(ServerSearchTest, ALongAnswerStoresTheAddressTheLoopAndThePort) {
    CreateRegistryKey(settings::FoundServerIp.keyPath);
    Server().SetPortOffset(9);
    ApplySearchAnswer("||SERVERIP||127.0.0.9||NOCOMPUTER||30||PORT||4||");
    EXPECT_EQ(
        ReadRegistryString(settings::FoundServerIp.keyPath, settings::FoundServerIp.valueName),
        "127.0.0.9");
    EXPECT_EQ(ReadSetting(settings::Loop), "30");
    EXPECT_EQ(Server().PortOffset(), 4);
}

TEST_F(ServerSearchTest, AShortAnswerWithANonNumericCountStoresFiftyAndResetsThePort) {
    CreateRegistryKey(settings::FoundServerIp.keyPath);
    Server().SetPortOffset(9);
    ApplySearchAnswer("||SERVERIP||127.0.0.9||NOCOMPUTER||lots||");
    EXPECT_EQ(ReadSetting(settings::Loop), "50");
    EXPECT_EQ(Server().PortOffset(), 0);
}

TEST_F(ServerSearchTest, AnswersCarryingNoUsableValueChangeNothing) {
    CreateRegistryKey(settings::FoundServerIp.keyPath);
    Server().SetPortOffset(9);
    ApplySearchAnswer("||HELLO||there||PORT||4||");
    EXPECT_EQ(Server().PortOffset(), 9) << "PORT counts only in the long answer";
    ApplySearchAnswer("||A||b||C||d||PORT||four||");
    EXPECT_EQ(Server().PortOffset(), 9);
    ApplySearchAnswer("||A||b||C||d||PORT||-5000||");
    EXPECT_EQ(Server().PortOffset(), 9) << "no TCP port below 1";
    ApplySearchAnswer("||SERVERIP||not an address||");
    EXPECT_EQ(
        ReadRegistryString(settings::FoundServerIp.keyPath, settings::FoundServerIp.valueName),
        "Error");
    EXPECT_EQ(Server().PortOffset(), 0);
}

TEST_F(ServerSearchTest, TheFoundAddressIsWrittenOnlyUnderAnExistingKey) {
    ApplySearchAnswer("||SERVERIP||127.0.0.9||");
    EXPECT_EQ(
        ReadRegistryString(settings::FoundServerIp.keyPath, settings::FoundServerIp.valueName),
        "Error");
}

}  // namespace
}  // namespace kestova
