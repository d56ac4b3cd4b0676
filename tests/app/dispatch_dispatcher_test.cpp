// The dispatcher: every keyword the server sends reaches its handler, the two-element walk, and
// the replies that set the main window's switches, answer the keep-alive and carry the right.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "core/wire/replies.h"
#include "dispatch/dispatcher.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DispatcherTest : public ConsoleSimTest {};

TEST(KeywordTableTest, RoutesEachOfTheThirtyThreeRepliesToItsOwnHandler) {
    // The windows' folders fill the table, as the program does when it makes the main window.
    RegisterReplyHandlers();
    const std::set<std::string_view> expected = {
        "CMESSAGE",      "IMESSAGE",  "MESSAGE",     "DOWNBILL",      "STILL CONNECTED",
        "ADDPAUSE",      "ADDTIME",   "CMESS",       "POSTYPE",       "DISLOG",
        "SHUTREST",      "PRINTS",    "UPDATEX",     "TYPE",          "F-SEARCH",
        "KESTOVAUPDATE", "F-LOGIN",   "PRINTPOS",    "F-POSLOG",      "NOTICKET1",
        "TICKET1",       "ACTIVATED", "DEACTIVATED", "ACTMESSAGE",    "MACTIVATED",
        "MDEACTIVATED",  "MLIST",     "POSSUMMARY",  "REPORTSUMMARY", "NOREPORTSUMMARY",
        "NOPOSSUMMARY",  "UPDATE",    "QUICKTYPE"};
    std::set<std::string_view> routed;
    std::set<ReplyHandler> handlers;
    for (const KeywordRoute& route : KeywordTable()) {
        routed.insert(route.keyword);
        handlers.insert(route.handler);
        EXPECT_EQ(FindReplyHandler(route.keyword), route.handler) << route.keyword;
    }
    EXPECT_EQ(routed, expected);
    std::set<std::string_view> listed;
    for (const wire::reply::Keyword& keyword : wire::reply::Keywords()) {
        listed.insert(keyword.name);
    }
    EXPECT_EQ(routed, listed) << "the dispatcher and the shared list of replies differ";
    EXPECT_EQ(KeywordTable().size(), 33u);
    EXPECT_EQ(handlers.size(), 33u) << "two keywords share a handler";
    EXPECT_EQ(FindReplyHandler("UPDATES"), nullptr);
    EXPECT_EQ(FindReplyHandler("update"), nullptr)
        << "the dispatcher upper-cases before looking up";
}

// The program registers the handlers again whenever it makes the main window anew.
TEST(KeywordTableTest, RegisteringAgainReplacesAHandlerAndNeverAddsARoute) {
    RegisterReplyHandlers();
    const ReplyHandler update = FindReplyHandler("UPDATE");
    const ReplyHandler type = FindReplyHandler("TYPE");
    ASSERT_NE(update, nullptr);
    ASSERT_NE(type, update);
    RegisterReplyHandlers();
    EXPECT_EQ(KeywordTable().size(), 33u);
    EXPECT_EQ(FindReplyHandler("UPDATE"), update);

    RegisterReplyHandler("UPDATE", type);
    EXPECT_EQ(FindReplyHandler("UPDATE"), type);
    EXPECT_EQ(KeywordTable().size(), 33u);
    RegisterReplyHandlers();
    EXPECT_EQ(FindReplyHandler("UPDATE"), update) << "the windows' registration restores it";
}

TEST_F(DispatcherTest, TheKeepAliveProbeIsAnsweredOnceInAnyLetterCase) {
    sim::SimPeer& server = connectedServer();
    serverSays(server, "||STILL CONNECTED||||");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));

    server.clearReceived();
    serverSays(server, "||still connected||||");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
}

TEST_F(DispatcherTest, OneMessageMayCarrySeveralReplies) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server, "||TYPE||USER||PRINTS||True||");
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
    EXPECT_TRUE(main.PrintControlOffered());
}

TEST_F(DispatcherTest, AReplyWithoutItsEmptyValueSwallowsTheNextKeyword) {
    sim::SimPeer& server = connectedServer();
    serverSays(server, "||STILL CONNECTED||TYPE||USER||");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER") << "the TYPE reply was taken as a value";
}

TEST_F(DispatcherTest, TheWalkStepsTwoElementsSoASecondValueIsExaminedAsAKeyword) {
    sim::SimPeer& server = connectedServer();
    serverSays(server, "||F-SEARCH||ticket text||STILL CONNECTED||||");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||YESCONNECT||||"));
}

TEST_F(DispatcherTest, UnknownKeywordsAreSkippedWithTheirValues) {
    sim::SimPeer& server = connectedServer();
    serverSays(server, "||PRINTS||True||HELLO||TYPE||NEWS||x||TYPE||USER||");
    EXPECT_EQ(KestovaCode().RightsLevel, "USER");
    EXPECT_THAT(messagesFrom(server), IsEmpty());
    EXPECT_EQ(dialogs().shown().size(), 0u);
}

TEST_F(DispatcherTest, DownBillOffersThePointOfSaleOnlyForAnExactTrueWhileConnected) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server, "||DOWNBILL||TRUE||");
    EXPECT_TRUE(main.Command4.Visible);
    EXPECT_FALSE(main.Command2.Visible);

    serverSays(server, "||DOWNBILL||True||");
    EXPECT_FALSE(main.Command4.Visible);
    EXPECT_TRUE(main.Command2.Visible);

    Server().SetGreeted(false);
    DispatchMessage(main, "||DOWNBILL||TRUE||");
    EXPECT_FALSE(main.Command4.Visible) << "not while the connection is not greeted";
}

TEST_F(DispatcherTest, SwitchRepliesSetTheirCheckMarksFromTruthValues) {
    KestovaMain& main = console();
    DispatchMessage(main, "||ADDPAUSE||true||ADDTIME||-1||CMESS||1||");
    EXPECT_TRUE(main.m_AllowPause.Checked);
    EXPECT_TRUE(main.m_allowTime.Checked);
    EXPECT_TRUE(main.m_ClientMessage.Checked);

    DispatchMessage(main, "||ADDPAUSE||FALSE||ADDTIME||0||CMESS||maybe||");
    EXPECT_FALSE(main.m_AllowPause.Checked);
    EXPECT_FALSE(main.m_allowTime.Checked);
    EXPECT_TRUE(main.m_ClientMessage.Checked) << "a value that is no truth value changes nothing";

    DispatchMessage(main, "||SHUTREST||True||PRINTS||1||");
    EXPECT_TRUE(main.ClientShutdownAllowed());
    EXPECT_TRUE(main.PrintControlOffered());
    DispatchMessage(main, "||SHUTREST||false||PRINTS||0||");
    EXPECT_FALSE(main.ClientShutdownAllowed());
    EXPECT_FALSE(main.PrintControlOffered());
}

TEST_F(DispatcherTest, PosTypeIsKeptInTheSettingsAsTrueOrFalse) {
    KestovaMain& main = console();
    DispatchMessage(main, "||POSTYPE||0||");
    EXPECT_EQ(ReadSetting(settings::PosType), "False");
    DispatchMessage(main, "||POSTYPE||-1||");
    EXPECT_EQ(ReadSetting(settings::PosType), "True");
    DispatchMessage(main, "||POSTYPE||neither||");
    EXPECT_EQ(ReadSetting(settings::PosType), "True");
}

TEST_F(DispatcherTest, DisabledClientLoggingIsMarkedOnTheMenusAndTheButton) {
    KestovaMain& main = console();
    DispatchMessage(main, "||DISLOG||True||");
    EXPECT_TRUE(main.m_Dislog.Checked);
    EXPECT_TRUE(main.P_Dislog.Checked);
    EXPECT_EQ(main.Command2.Caption.get(), "*Disable &Login");
    EXPECT_TRUE(main.Command2.FontItalic);

    DispatchMessage(main, "||DISLOG||False||");
    EXPECT_FALSE(main.P_Dislog.Checked);
    EXPECT_EQ(main.Command2.Caption.get(), "Disable &Login");
    EXPECT_FALSE(main.Command2.FontItalic);
}

TEST_F(DispatcherTest, UpdateXAsksForTheClientListOnlyWhileConnected) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server, "||UPDATEX||||");
    EXPECT_THAT(messagesFrom(server), ElementsAre("||UPDATE||"));

    Server().Close();
    server.clearReceived();
    DispatchMessage(main, "||UPDATEX||||");
    advance(5);
    EXPECT_THAT(messagesFrom(server), IsEmpty());
}

TEST_F(DispatcherTest, TheRightIsKeptAsReceived) {
    KestovaMain& main = console();
    DispatchMessage(main, "||TYPE||Administrator||");
    EXPECT_EQ(KestovaCode().RightsLevel, "Administrator");
    DispatchMessage(main, "||TYPE");
    EXPECT_EQ(KestovaCode().RightsLevel, "Administrator") << "a keyword without value does nothing";
}

TEST_F(DispatcherTest, TicketOperationsSearchAndReportRepliesAreHarmlessUntilTheirWindowsExist) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    serverSays(server, "||UPDATE||3==1==1.==PC1==ann==00:10==Logged in==Connected.==127.0.1.11||");
    const std::string before = main.ConList.TextMatrix(1, 1);
    main.SetBusy(true);
    serverSays(server,
               "||NOTICKET1||||TICKET1||a|b||ACTIVATED||1|2|3||DEACTIVATED||1|2||ACTMESSAGE||hi||"
               "MACTIVATED||1|2|3||MDEACTIVATED||1|2|3||MLIST||g-1-x||POSSUMMARY||s||"
               "NOPOSSUMMARY||||REPORTSUMMARY||r||NOREPORTSUMMARY||||F-SEARCH||t||");
    EXPECT_THAT(messagesFrom(server), IsEmpty());
    EXPECT_EQ(main.ConList.Rows(), 4);
    EXPECT_EQ(main.ConList.TextMatrix(1, 1), before);
    EXPECT_EQ(dialogs().shown().size(), 0u);
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
}

}  // namespace
}  // namespace kestova
