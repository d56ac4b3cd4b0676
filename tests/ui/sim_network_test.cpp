// The simulated network decides how the program's receive path is exercised: how bytes are cut
// into reads, when connections open, fail and close. These tests hold it to TCP's guarantees.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/sim/sim_test.h"

namespace {

using platform::Socket;

class SimNetworkTest : public sim::SimTest {
protected:
    // A program-side socket that records its events as text.
    std::unique_ptr<platform::Socket> openSocket(int port) {
        auto socket = services().createSocket();
        platform::Socket* raw = socket.get();
        raw->OnConnect = [this] { events.push_back("connect@" + std::to_string(loop().now())); };
        raw->OnError = [this](const std::string& what) { events.push_back("error: " + what); };
        raw->OnClose = [this] { events.push_back("close@" + std::to_string(loop().now())); };
        raw->OnDataArrival = [this, raw](std::size_t total) {
            const std::string data = raw->GetData();
            EXPECT_EQ(total, data.size());
            events.push_back("read " + data);
        };
        raw->RemoteHost = kLoopback;
        raw->RemotePort = port;
        raw->Connect();
        return socket;
    }
    std::vector<std::string> events;
};

TEST_F(SimNetworkTest, ConnectToAListenerOpensAfterTheConnectDelay) {
    sim::SimListener& server = givenServerListening(1000);
    auto socket = openSocket(1000);
    EXPECT_EQ(socket->GetState(), Socket::Connecting);
    advance(1);
    EXPECT_EQ(socket->GetState(), Socket::Connected);
    EXPECT_EQ(events, std::vector<std::string>{"connect@1"});
    EXPECT_EQ(server.acceptedCount(), 1u);
    EXPECT_TRUE(server.lastPeer().isConnected());
}

TEST_F(SimNetworkTest, ConnectWhereNobodyListensEndsInErrorAfterTheRefusalDelay) {
    network().setRefusalDelay(1000);
    auto socket = openSocket(1001);
    advance(999);
    EXPECT_EQ(socket->GetState(), Socket::Connecting);
    advance(1);
    EXPECT_EQ(socket->GetState(), Socket::Error);
    EXPECT_EQ(events, std::vector<std::string>{"error: Connection refused"});
}

TEST_F(SimNetworkTest, SilentHostLeavesTheSocketConnecting) {
    network().makeSilent(kLoopback, 999);
    auto socket = openSocket(999);
    advance(60'000);
    EXPECT_EQ(socket->GetState(), Socket::Connecting);
    EXPECT_TRUE(events.empty());
}

TEST_F(SimNetworkTest, EveryConnectAttemptIsRecordedWithItsPortAndTime) {
    auto socket = openSocket(1000);
    advance(3000);
    socket->Close();
    socket->RemotePort = 1001;
    socket->Connect();
    ASSERT_EQ(network().connectAttempts().size(), 2u);
    EXPECT_EQ(network().attemptedPorts(), (std::vector<int>{1000, 1001}));
    EXPECT_EQ(network().connectAttempts()[1].atMs, 3000);
    EXPECT_EQ(network().connectAttempts()[1].host, kLoopback);
}

TEST_F(SimNetworkTest, PeerCutsArriveAsSeparateReadsInOrder) {
    givenServerListening(1000);
    auto socket = openSocket(1000);
    advance(1);
    sim::SimPeer& peer = network().listenerAt(kLoopback, 1000)->lastPeer();
    peer.sendInReads({"123", "45", "6"}, 10);
    peer.send("789");
    advance(100);
    EXPECT_EQ(events,
              (std::vector<std::string>{"connect@1", "read 123", "read 45", "read 6", "read 789"}));
}

TEST_F(SimNetworkTest, UnreadBytesAccumulateAndDataArrivalCountsThemAll) {
    givenServerListening(1000);
    auto socket = services().createSocket();
    std::vector<std::size_t> totals;
    socket->OnDataArrival = [&](std::size_t total) { totals.push_back(total); };
    socket->RemoteHost = kLoopback;
    socket->RemotePort = 1000;
    socket->Connect();
    advance(1);
    network().listenerAt(kLoopback, 1000)->lastPeer().sendInReads({"ab", "cde"}, 0);
    advance(1);
    EXPECT_EQ(totals, (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(socket->GetData(), "abcde");
    EXPECT_EQ(socket->GetData(), "");
}

TEST_F(SimNetworkTest, ServerSeesEachSendAndCanAnswerIt) {
    sim::SimListener& server = givenServerListening(1000);
    server.onReceive = [](sim::SimPeer& peer, const std::string& bytes) {
        peer.send("echo:" + bytes);
    };
    auto socket = openSocket(1000);
    socket->SendData("too early");  // not connected yet: goes nowhere
    advance(1);
    socket->SendData("hello");
    socket->SendData("again");
    advance(10);
    EXPECT_EQ(server.lastPeer().writes(), (std::vector<std::string>{"hello", "again"}));
    EXPECT_EQ(events,
              (std::vector<std::string>{"connect@1", "read echo:hello", "read echo:again"}));
    auto* simSocket = network().sockets().at(0);
    EXPECT_EQ(simSocket->droppedSends(), 1);
    EXPECT_EQ(simSocket->sentBytes(), "helloagain");
}

TEST_F(SimNetworkTest, PeerDisconnectArrivesAfterTheDataSentBeforeIt) {
    givenServerListening(1000);
    auto socket = openSocket(1000);
    advance(1);
    sim::SimPeer& peer = network().listenerAt(kLoopback, 1000)->lastPeer();
    peer.sendInReads({"last", "words"}, 5);
    peer.disconnect();
    EXPECT_FALSE(peer.send("after hanging up"));
    advance(100);
    EXPECT_EQ(events,
              (std::vector<std::string>{"connect@1", "read last", "read words", "close@7"}));
    EXPECT_EQ(socket->GetState(), Socket::Closed);
}

TEST_F(SimNetworkTest, ClosingTheSocketDropsDataStillOnTheWayAndTellsTheServer) {
    sim::SimListener& server = givenServerListening(1000);
    int closes = 0;
    server.onClose = [&](sim::SimPeer&) { ++closes; };
    auto socket = openSocket(1000);
    advance(1);
    server.lastPeer().send("in flight");
    socket->Close();
    advance(10);
    EXPECT_EQ(events, std::vector<std::string>{"connect@1"});
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(server.lastPeer().isConnected());
}

TEST_F(SimNetworkTest, ReconnectingBeforeTheFirstAttemptCompletesIgnoresTheFirst) {
    sim::SimListener& server = givenServerListening(1000);
    auto socket = openSocket(1001);  // refused after 1 ms unless abandoned first
    socket->RemotePort = 1000;
    socket->Connect();
    advance(10);
    EXPECT_EQ(events, std::vector<std::string>{"connect@1"});
    EXPECT_EQ(server.acceptedCount(), 1u);
}

TEST_F(SimNetworkTest, DestroyedSocketLeavesTheNetworkAndItsPendingEventsAreDropped) {
    sim::SimListener& server = givenServerListening(1000);
    auto keep = openSocket(1000);
    auto drop = openSocket(1000);
    advance(1);
    server.peer(1).send("for a socket about to go");
    drop.reset();
    advance(10);
    EXPECT_EQ(network().sockets().size(), 1u);
    EXPECT_FALSE(server.peer(1).isConnected());
    EXPECT_TRUE(server.peer(0).isConnected());
}

TEST_F(SimNetworkTest, StoppedListenerRefusesNewConnectionsButKeepsOpenOnes) {
    sim::SimListener& server = givenServerListening(1000);
    auto first = openSocket(1000);
    advance(1);
    network().stopListening(kLoopback, 1000);
    auto second = openSocket(1000);
    advance(10);
    EXPECT_EQ(first->GetState(), Socket::Connected);
    EXPECT_EQ(second->GetState(), Socket::Error);
    EXPECT_EQ(server.acceptedCount(), 1u);
}

TEST_F(SimNetworkTest, LocalAddressIsLoopbackAndHostNameIsConfigurable) {
    auto socket = services().createSocket();
    network().setLocalHostName("FRONT-DESK");
    EXPECT_EQ(socket->LocalIP(), "127.0.0.1");
    EXPECT_EQ(socket->LocalHostName(), "FRONT-DESK");
}

}  // namespace
