// The receive path of the server connection as the dispatcher sees it: messages cut over several
// reads, several messages in one read, and bursts that are far apart.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/supervision.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using ::testing::ElementsAre;

class ReceivePathTest : public ConsoleSimTest {
protected:
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();

    void settle() { advance(network().latency() + kSettleMs + 10); }
};

TEST_F(ReceivePathTest, AMessageCutInsideADigitGroupIsHandledOnceAndWhole) {
    const std::string digits = wire::EncodeText("||TYPE||USER||");
    server.sendInReads({digits.substr(0, 7), digits.substr(7, 11), digits.substr(18)}, 2);
    settle();
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
}

TEST_F(ReceivePathTest, SeveralMessagesInOneReadAreHandledInTheOrderTheyWereSent) {
    server.send(wire::EncodeText("||TYPE||USER||") + wire::EncodeText("||STILL CONNECTED||||") +
                wire::EncodeText("||TYPE||ADMINISTRATOR||"));
    settle();
    EXPECT_EQ(KestovaCode().RightsLevel, "ADMINISTRATOR");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
}

TEST_F(ReceivePathTest, AFullRefreshInOneReadLaysEveryRow) {
    std::string digits;
    for (int slot = 1; slot <= 30; ++slot) {
        const std::string n = std::to_string(slot);
        digits += wire::EncodeText("||UPDATE||30==" + n + "==" + n + ".==PC" + n +
                                   "==user==00:10==Logged in==Connected.==10.0.0." + n + "||");
    }
    server.send(digits);
    settle();
    ASSERT_EQ(main.ConList.Rows(), 31);
    for (int row = 1; row <= 30; ++row) {
        EXPECT_EQ(main.ConList.TextMatrix(row, 1), "PC" + std::to_string(row));
        EXPECT_EQ(main.ConList.RowHeight(row), 255);
    }
}

TEST_F(ReceivePathTest, ReadsFarApartAreSeparateBurstsAndAStrayDigitWaitsForTheNext) {
    const std::string first = wire::EncodeText("||STILL CONNECTED||||");
    const std::string second = wire::EncodeText("||TYPE||USER||");
    server.send(first + second.substr(0, 1));
    settle();
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");

    server.send(second.substr(1));
    settle();
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
}

std::string Record(const std::string& information) {
    return "||UPDATE||20==3==3.==PC3==john==01:20==" + information +
           "==Connected.==127.0.0.13==10:15==1003==0==0==0==0||";
}

TEST_F(ReceivePathTest, ARecordThatCompletesWhileAnotherIsHandledWaitsItsTurn) {
    // Handlers take time: the first record's handler is still running (it lets events run)
    // when the newer record has arrived whole.
    constexpr sim::Ms kYieldMs = 30;
    loop().setYieldTime(kYieldMs);
    server.send(wire::EncodeText(Record("Logged in")));
    // Sent once the first record's handler has begun.
    loop().schedule(network().latency() + kSettleMs + kYieldMs + 5,
                    [this] { server.send(wire::EncodeText(Record("Paused"))); });
    advance(1000);
    EXPECT_EQ(main.ConList.TextMatrix(3, 4), "Paused") << "the older record came last";
}

TEST_F(ReceivePathTest, AMessageDelayedInTheMiddleByTheNetworkIsHandledWholeOnce) {
    const std::string digits = wire::EncodeText(Record("Logged in"));
    for (const sim::Ms gap : {50, 300, 800, 1500}) {
        main.ConList.SetTextMatrix(3, 4, "");
        server.sendInReads({digits.substr(0, 100), digits.substr(100)}, gap);
        advance(gap - 1);
        EXPECT_EQ(main.ConList.TextMatrix(3, 4), "") << "nothing is laid before it is whole";
        advance(network().latency() + kSettleMs + 2);
        EXPECT_EQ(main.ConList.TextMatrix(3, 4), "Logged in") << "a gap of " << gap << " ms";
    }
}

TEST_F(ReceivePathTest, AfterAStrayByteTheNextMessageIsHandledAtOnce) {
    for (const std::string& stray :
         {std::string("7"), std::string("x"), std::string(1, '\0'), std::string("42")}) {
        KestovaCode().RightsLevel = "VIEWER";
        server.send(stray + wire::EncodeText("||TYPE||USER||") + wire::EncodeText("||UPDATEX||||"));
        settle();
        EXPECT_EQ(KestovaCode().RightsLevel, "USER") << "after \"" << stray << "\"";
    }
    EXPECT_THAT(messagesFrom(server), ::testing::Each("||UPDATE||"));
}

TEST_F(ReceivePathTest, AConnectionSilentForLongerThanTheServerWaitsCountsAsLost) {
    // The server's keep-alive probes keep the connection.
    for (int probe = 0; probe < 4; ++probe) {
        advance(20000);
        serverSays(server, "||STILL CONNECTED||||");
    }
    EXPECT_TRUE(main.Connected);
    EXPECT_EQ(server.listener().acceptedCount(), 1u);
    // A server that goes silent (its socket still open) is given up and connected to again.
    advance(65000 + 30000);
    EXPECT_FALSE(server.isConnected());
    EXPECT_EQ(server.listener().acceptedCount(), 2u);
}

TEST_F(ReceivePathTest, AServerQuietWhileNothingIsAskedIsKeptAndOneThatStopsAnsweringIsNot) {
    bool answering = true;
    server.listener().onReceive = [&](sim::SimPeer& peer, const std::string& bytes) {
        if (answering && wire::DecodeText(bytes).find("UPDATE||") != std::string::npos) {
            peer.send(wire::EncodeText(testing::ClientRecord(1, "PC1", "Logged in")));
        }
    };
    advance(21000);  // a refresh, answered
    // A point-of-sale window stops the supervision: for minutes nothing is asked, and this
    // server probes only now and then.
    main.ListenTimer.SetEnabled(false);
    advance(180000);
    main.ListenTimer.SetEnabled(true);
    advance(45000);
    EXPECT_TRUE(main.Connected);
    EXPECT_EQ(server.listener().acceptedCount(), 1u);
    // Requests nobody answers for longer than the server waits: the connection is dead.
    answering = false;
    advance(65000 + 2 * 20000);
    EXPECT_EQ(server.listener().acceptedCount(), 2u);
}

TEST_F(ReceivePathTest, UnknownKeywordsArePassedOverAndTheRepliesAfterThemHandled) {
    server.send(wire::EncodeText("||FOO||bar||STILL CONNECTED||||") +
                wire::EncodeText("||TYPE||USER||"));
    settle();
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
}

TEST_F(ReceivePathTest, AReconnectionForgetsWhatTheOldConnectionLeftHalfSent) {
    // Ten digits: three groups and a stray one that would shift everything after it.
    server.send(wire::EncodeText("||TYPE||ADMINISTRATOR||").substr(0, 10));
    advance(network().latency() + 1);  // arrived, not yet settled
    dialogs().expectMsgBox("Reconnect Kestova?", platform::msgbox::Yes);
    ReconnectKestova(main);
    loop().runUntil([&] { return main.Connected; }, 10000);
    ASSERT_EQ(server.listener().acceptedCount(), 2u);

    serverSays(server.listener().lastPeer(), "||TYPE||USER||");
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
}

}  // namespace
}  // namespace kestova
