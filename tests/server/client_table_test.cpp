// The client list and the commands a console sends for client computers.
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

class ClientTable : public EngineTest {
protected:
    ClientTable() : EngineTest(EngineOptions{.slots = 5}) {}
};

TEST_F(ClientTable, EveryFormOfTheListRequestGetsOneRecordPerSlotInSlotOrder) {
    connect(1);
    for (const char* request : {"UPDATE||||", "||UPDATE||||", "||UPDATE||", "||update||"}) {
        outbox.clear();
        say(1, request);
        const auto records = sentTo(1);
        ASSERT_EQ(records.size(), 5u) << request;
        for (int slot = 1; slot <= 5; ++slot) {
            EXPECT_EQ(RecordFields(records[static_cast<std::size_t>(slot - 1)])[1],
                      std::to_string(slot));
        }
    }
}

TEST_F(ClientTable, ARecordHasTheFifteenFieldsOfTheConsolesGrid) {
    connect(1);
    outbox.clear();
    say(1, "||UPDATE||||");
    EXPECT_EQ(sentTo(1)[2],
              "||UPDATE||5==3==3.==PC03====00:00==Ready==Connected.==127.0.1.4====1003==0==0==0.0=="
              "0.0||");
}

TEST_F(ClientTable, AllocationStartsTheClientAndPushesItsRecordToEveryConsole) {
    connectAs(1, "CLERK", "clerk");
    connect(2);
    outbox.clear();
    say(1, "||F-ALLOCATE||1800||FALSE||2||");  // port 2 is row 3

    const std::vector<std::string> expected = {
        "5",         "3",     "3.",   "PC03", "ALLOCATED", "00:30", "Logged in", "Connected.",
        "127.0.1.4", "14:30", "1003", "0",    "0",         "0.0",   "0.0"};
    EXPECT_EQ(lastRecord(1, 3), expected);
    EXPECT_EQ(lastRecord(2, 3), expected);
    EXPECT_EQ(sentTo(1).size(), 1u);
}

TEST_F(ClientTable, AddingTimeExtendsARunningSessionAndDeallocationTakesItAway) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-ALLOCATE||1800||FALSE||0||");
    say(1, "||F-ALLOCATE||600||TRUE||0||");
    EXPECT_EQ(lastRecord(1, 1)[5], "00:40");
    say(1, "||F-DEALLOCATE||900||0||");
    EXPECT_EQ(lastRecord(1, 1)[5], "00:25");
    say(1, "||F-DEALLOCATE||6000||0||");  // more than is left ends the session
    EXPECT_EQ(lastRecord(1, 1)[6], "Ready");
    EXPECT_EQ(lastRecord(1, 1)[4], "");
}

TEST_F(ClientTable, PauseTogglesAndPauseAllReachesEverySession) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    say(1, "||F-ALLOCATE||600||FALSE||1||");
    say(1, "||F-PAUSE||0||");
    EXPECT_EQ(lastRecord(1, 1)[6], "Paused");
    say(1, "||F-PAUSE||0||");
    EXPECT_EQ(lastRecord(1, 1)[6], "Logged in");

    outbox.clear();
    say(1, "||F-PAUSEALL||||");
    EXPECT_EQ(lastRecord(1, 1)[6], "Paused");
    EXPECT_EQ(lastRecord(1, 2)[6], "Paused");
    EXPECT_TRUE(lastRecord(1, 3).empty()) << "a client without a session is not touched";
    say(1, "||F-UNPAUSEALL||||");
    EXPECT_EQ(lastRecord(1, 2)[6], "Logged in");
}

TEST_F(ClientTable, LogOffAndEndTimerEndTheSession) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    say(1, "||F-LOGOFF||0||");
    EXPECT_EQ(lastRecord(1, 1)[6], "Ready");
    say(1, "||F-ALLOCATE||600||FALSE||3||");
    say(1, "||KESTOVA||3||ENDTIMER||");
    EXPECT_EQ(lastRecord(1, 4)[6], "Ready");
    EXPECT_EQ(lastRecord(1, 4)[5], "00:00");
}

TEST_F(ClientTable, ReconnectAndUpdateSettingsAddressTheRowNotThePort) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-DISCONNECT||4||");
    EXPECT_EQ(lastRecord(1, 4)[7], "Reconnecting");
    EXPECT_TRUE(lastRecord(1, 5).empty());

    engine.tick(now);
    engine.tick(now + 5'000);  // three simulated seconds later it is back
    EXPECT_EQ(lastRecord(1, 4)[7], "Connected.");

    outbox.clear();
    say(1, "||F-UPDATE||2||");
    EXPECT_FALSE(lastRecord(1, 2).empty());
    EXPECT_TRUE(lastRecord(1, 3).empty());
}

TEST_F(ClientTable, EnableDisableRenamePrintingAndMessagesChangeTheClient) {
    connectAs(1, "ADMINISTRATOR", "admin");
    say(1, "||F-ALLOCATE||600||FALSE||1||");
    say(1, "||KESTOVA||1||DISABLE||");
    EXPECT_EQ(lastRecord(1, 2)[6], "Disabled");
    EXPECT_EQ(lastRecord(1, 2)[4], "") << "disabling ends the session";
    say(1, "||F-ALLOCATE||600||FALSE||1||");
    EXPECT_EQ(lastRecord(1, 2)[6], "Disabled") << "a disabled client takes no time";
    say(1, "||KESTOVA||1||ENABLE||");
    EXPECT_EQ(lastRecord(1, 2)[6], "Ready");

    say(1, "||KESTOVA||1||CHANGENAME|PC9||");
    EXPECT_EQ(lastRecord(1, 2)[3], "PC9");
    say(1, "||KESTOVA||1||CHANGENAME|A==B|C||");
    EXPECT_EQ(lastRecord(1, 2)[3], "A=B C") << "a name never breaks the record";
    say(1, "||KESTOVA||1||CHANGENAME|ABCDEFGHIJKLMNOPQRSTU||");  // 21 characters
    EXPECT_EQ(lastRecord(1, 2)[3], "A=B C");

    outbox.clear();
    say(1, "||F-PREVENTPRINT||1||");
    say(1, "||KESTOVA||1||MESSAGE|Closing in 10 minutes||||");
    say(1, "||KESTOVA-INFO||1||");
    const auto info = sentTo(1, "CMESSAGE");
    ASSERT_EQ(info.size(), 1u);
    EXPECT_NE(info[0].find("Client: A=B C"), std::string::npos);
    EXPECT_NE(info[0].find("Printing: Prevented"), std::string::npos);
    EXPECT_NE(info[0].find("Message: Closing in 10 minutes"), std::string::npos);

    say(1, "||KESTOVA||1||CLEARDESKTOP||");
    say(1, "||F-ALLOWPRINT||1||");
    outbox.clear();
    say(1, "||KESTOVA-INFO||1||");
    EXPECT_NE(sentTo(1, "CMESSAGE")[0].find("Printing: Allowed"), std::string::npos);
    EXPECT_NE(sentTo(1, "CMESSAGE")[0].find("Message: -"), std::string::npos);
}

TEST_F(ClientTable, ANewNameNeverPutsAnEqualsSignAgainstARecordSeparator) {
    connectAs(1, "CLERK", "clerk");
    for (const auto& [asked, shown] : {std::pair{"PC=", "PC"},
                                       {"=PC", "PC"},
                                       {"==PC==", "PC"},
                                       {"= PC =", "PC"},
                                       {"P===C=|", "P=C"},
                                       {"=|=P=", "P"}}) {
        say(1, "||KESTOVA||1||CHANGENAME|" + std::string(asked) + "||");
        ASSERT_EQ(lastRecord(1, 2).size(), 15u) << asked;
        EXPECT_EQ(lastRecord(1, 2)[3], shown) << asked;
        EXPECT_EQ(lastRecord(1, 2)[5], "00:00") << asked;
    }
    say(1, "||KESTOVA||1||CHANGENAME|===||");  // nothing but separators is no name
    EXPECT_EQ(lastRecord(1, 2)[3], "P");
}

TEST_F(ClientTable, AMessageWithoutLeadingBarsReachesTheClient) {
    connectAs(1, "CLERK", "clerk");
    say(1, "KESTOVA||2||MESSAGE|Closing in 10 minutes||||");
    say(1, "||KESTOVA-INFO||2||");
    EXPECT_NE(sentTo(1, "CMESSAGE")[0].find("Message: Closing in 10 minutes"), std::string::npos);
    say(1, "||KESTOVA||2||MESSAGE|||||");  // an empty text clears it
    outbox.clear();
    say(1, "||KESTOVA-INFO||2||");
    EXPECT_NE(sentTo(1, "CMESSAGE")[0].find("Message: -"), std::string::npos);
}

TEST_F(ClientTable, RestartAndShutdownTakeTheClientAwayAndEndItsSession) {
    connectAs(1, "ADMINISTRATOR", "admin");
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    say(1, "||KESTOVA||0||RESTART||");
    EXPECT_EQ(lastRecord(1, 1)[7], "Restarting");
    say(1, "||KESTOVA||1||SHUTDOWN||");
    EXPECT_EQ(lastRecord(1, 2)[7], "Shut down");
    say(1, "||KESTOVA||2||RELOAD||");
    EXPECT_EQ(lastRecord(1, 3)[7], "Restarting Client");

    engine.tick(now);
    engine.tick(now + 60'000);
    EXPECT_EQ(lastRecord(1, 1)[7], "Connected.");
    EXPECT_EQ(lastRecord(1, 1)[6], "Ready") << "the restart ended the session";
    EXPECT_EQ(lastRecord(1, 2)[7], "Shut down") << "still off";
}

TEST_F(ClientTable, RestartNeedsTheAdministratorOrTheShutDownPermission) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||KESTOVA||0||RESTART||");
    EXPECT_TRUE(lastRecord(1, 1).empty());

    connectAs(2, "ADMINISTRATOR", "admin");
    say(2, "||KESTOVA||0||RESTART||");  // the administrator may, whatever the switch says
    EXPECT_EQ(lastRecord(2, 1)[7], "Restarting");
}

TEST_F(ClientTable, ResetAllAsksConsolesForTheWholeListOnce) {
    connectAs(1, "ADMINISTRATOR", "admin");
    say(1, "||F-RESET||||");
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||UPDATEX||||"});
    outbox.clear();
    say(1, "||UPDATE||");
    EXPECT_EQ(lastRecord(1, 5)[7], "Reconnecting");
}

TEST_F(ClientTable, ClientSearchReportsTheConnectedClients) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-BROADCAST||||");
    EXPECT_EQ(sentTo(1), (std::vector<std::string>{
                             "||CMESSAGE||Client search completed: 5 client(s) connected.||",
                             "||UPDATEX||||"}));
}

TEST_F(ClientTable, CommandsNeedALoggedInOperatorWhoMayCommand) {
    connect(1);
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    connectAs(2, "GUEST", "guest");
    say(2, "||F-ALLOCATE||600||FALSE||0||");
    say(2, "||F-RESET||||");
    connectAs(3, "CLERK", "clerk");
    say(3, "||F-RESET||||");  // resetting every client is for administrators
    say(3, "||UPDATE||||");
    EXPECT_EQ(lastRecord(3, 1)[6], "Ready");
    EXPECT_EQ(lastRecord(3, 1)[7], "Connected.");
}

TEST_F(ClientTable, CommandsForMissingClientsOrMalformedNumbersChangeNothing) {
    connectAs(1, "CLERK", "clerk");
    for (const char* request :
         {"||F-ALLOCATE||600||FALSE||5||", "||F-ALLOCATE||600||FALSE||-1||",
          "||F-ALLOCATE||abc||FALSE||0||", "||F-ALLOCATE||600||MAYBE||0||",
          "||F-ALLOCATE||99999999||FALSE||0||", "||F-DISCONNECT||0||", "||F-PAUSE||x||",
          "||KESTOVA||0||FLY||", "||KESTOVA||||", "||F-LOGOFF||"}) {
        say(1, request);
    }
    EXPECT_TRUE(sentTo(1).empty());
    EXPECT_FALSE(logLines.empty());
}

TEST_F(ClientTable, RunningTimeCountsDownAndEndsTheSession) {
    connectAs(1, "CLERK", "clerk");
    say(1, "||F-ALLOCATE||120||FALSE||0||");
    engine.tick(now);
    engine.tick(now + 61'000);
    EXPECT_EQ(lastRecord(1, 1)[5], "00:01");
    now += 61'000;
    say(1, "||YESCONNECT||||");  // the console answers the keep-alive probe
    engine.tick(now + 60'000);
    EXPECT_EQ(lastRecord(1, 1)[6], "Ready");
}

}  // namespace
}  // namespace zarnevo::testing
