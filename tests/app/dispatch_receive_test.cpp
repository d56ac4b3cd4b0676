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
