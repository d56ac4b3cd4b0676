// Every command a console sends, in the exact form it sends it, visibly changes the café: the
// changed client's record (or the switch) goes to every console, not only to the one that asked.
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

struct Command {
    const char* name = "";
    std::vector<std::string> before{};  // what sets the scene, from the same console
    std::string sent{};                 // exactly as the console sends it
    // What shows it. A field of slot 2's (port 1's) record as every console receives it:
    int field = -1;
    std::string shown{};
    // A line of that client's information afterwards:
    std::string info{};
    // A message every console receives, or only the asking one (console 1):
    std::string toEvery{};
    std::string toAsker{};
};

constexpr int kName = 3, kUser = 4, kTime = 5, kInformation = 6, kState = 7;
const std::string kAllocate = "||F-ALLOCATE||1800||FALSE||1||";

const Command kCommands[] = {
    {.name = "AllocateNew", .sent = kAllocate, .field = kInformation, .shown = "Logged in"},
    {.name = "AllocateShowsTheUser", .sent = kAllocate, .field = kUser, .shown = "ALLOCATED"},
    {.name = "AllocateAdds",
     .before = {kAllocate},
     .sent = "||F-ALLOCATE||600||TRUE||1||",
     .field = kTime,
     .shown = "00:40"},
    {.name = "AllocateReplaces",
     .before = {kAllocate},
     .sent = "||F-ALLOCATE||600||FALSE||1||",
     .field = kTime,
     .shown = "00:10"},
    {.name = "Deallocate",
     .before = {kAllocate},
     .sent = "||F-DEALLOCATE||600||1||",
     .field = kTime,
     .shown = "00:20"},
    {.name = "PauseAll",
     .before = {kAllocate},
     .sent = "||F-PAUSEALL||||",
     .field = kInformation,
     .shown = "Paused"},
    {.name = "UnpauseAll",
     .before = {kAllocate, "||F-PAUSEALL||||"},
     .sent = "||F-UNPAUSEALL||||",
     .field = kInformation,
     .shown = "Logged in"},
    {.name = "PausePauses",
     .before = {kAllocate},
     .sent = "||F-PAUSE||1||",
     .field = kInformation,
     .shown = "Paused"},
    {.name = "PauseResumes",
     .before = {kAllocate, "||F-PAUSE||1||"},
     .sent = "||F-PAUSE||1||",
     .field = kInformation,
     .shown = "Logged in"},
    {.name = "MessageToAll",
     .sent = "KESTOVA||1||MESSAGE|Closing soon||||",
     .field = kState,
     .shown = "Connected.",
     .info = "Message: Closing soon"},
    {.name = "MessageToSelected",
     .sent = "||KESTOVA||1||MESSAGE|Closing soon||||",
     .field = kState,
     .shown = "Connected.",
     .info = "Message: Closing soon"},
    {.name = "EmptyMessageClears",
     .before = {"||KESTOVA||1||MESSAGE|Closing soon||||"},
     .sent = "||KESTOVA||1||MESSAGE|||||",
     .field = kState,
     .shown = "Connected.",
     .info = "Message: -"},
    {.name = "LogOff",
     .before = {kAllocate},
     .sent = "||F-LOGOFF||1||",
     .field = kInformation,
     .shown = "Ready"},
    {.name = "ReconnectByRow",
     .sent = "||F-DISCONNECT||2||",
     .field = kState,
     .shown = "Reconnecting"},
    {.name = "UpdateSettingsByRow",
     .sent = "||F-UPDATE||2||",
     .field = kState,
     .shown = "Connected."},
    {.name = "EndTimer",
     .before = {kAllocate},
     .sent = "||KESTOVA||1||ENDTIMER||",
     .field = kInformation,
     .shown = "Ready"},
    {.name = "RestartTimerOnly",
     .sent = "||KESTOVA||1||RELOAD||",
     .field = kState,
     .shown = "Restarting Client"},
    {.name = "Restart", .sent = "||KESTOVA||1||RESTART||", .field = kState, .shown = "Restarting"},
    {.name = "ShutDown", .sent = "||KESTOVA||1||SHUTDOWN||", .field = kState, .shown = "Shut down"},
    {.name = "Disable",
     .sent = "||KESTOVA||1||DISABLE||",
     .field = kInformation,
     .shown = "Disabled"},
    {.name = "Enable",
     .before = {"||KESTOVA||1||DISABLE||"},
     .sent = "||KESTOVA||1||ENABLE||",
     .field = kInformation,
     .shown = "Ready"},
    {.name = "Relocate",
     .before = {kAllocate},
     .sent = "||KESTOVA||1||RELOCATE||",
     .field = kInformation,
     .shown = "Logged in"},
    {.name = "ClearDesktop",
     .before = {"||KESTOVA||1||MESSAGE|Hi||||"},
     .sent = "||KESTOVA||1||CLEARDESKTOP||",
     .field = kState,
     .shown = "Connected.",
     .info = "Message: -"},
    {.name = "ChangeName",
     .sent = "||KESTOVA||1||CHANGENAME|PC9||",
     .field = kName,
     .shown = "PC9",
     .info = "Client: PC9"},
    {.name = "PreventPrinting",
     .sent = "||F-PREVENTPRINT||1||",
     .field = kState,
     .shown = "Connected.",
     .info = "Printing: Prevented"},
    {.name = "AllowPrinting",
     .before = {"||F-PREVENTPRINT||1||"},
     .sent = "||F-ALLOWPRINT||1||",
     .field = kState,
     .shown = "Connected.",
     .info = "Printing: Allowed"},
    {.name = "ClientInformation",
     .sent = "||KESTOVA-INFO||1||",
     .toAsker = "||CMESSAGE||Client: PC02"},
    {.name = "ResetAll", .sent = "||F-RESET||||", .toEvery = "||UPDATEX||||"},
    {.name = "TicketLoginSwitch", .sent = "||F-DISLOG||||", .toEvery = "||DISLOG||True||"},
    {.name = "PausingSwitch", .sent = "||F-ALLOWPAUSE||||", .toEvery = "||ADDPAUSE||False||"},
    {.name = "TicketAddingSwitch", .sent = "||F-ALLOWTIME||||", .toEvery = "||ADDTIME||False||"},
    {.name = "ClientMessagesSwitch", .sent = "||F-DISMESS||||", .toEvery = "||CMESS||True||"},
    {.name = "SearchForClients",
     .sent = "||F-BROADCAST||||",
     .toEvery = "||CMESSAGE||Client search completed: 5 client(s) connected.||"},
    {.name = "UpdateConsoleSettings",
     .sent = "||UPDATE||",
     .toAsker = "||UPDATE||5==1==1.==PC01=="},
};

class ConsoleCommands : public EngineTest, public ::testing::WithParamInterface<Command> {
protected:
    ConsoleCommands() : EngineTest(EngineOptions{.slots = 5}) {}
    // The messages to the console that begin with the text.
    std::vector<std::string> startingWith(ConsoleId console, const std::string& text) const {
        std::vector<std::string> found;
        for (const std::string& message : sentTo(console)) {
            if (message.starts_with(text))
                found.push_back(message);
        }
        return found;
    }
};

TEST_P(ConsoleCommands, ChangeTheCafeForEveryConsole) {
    const Command& command = GetParam();
    connectAs(1, "ADMINISTRATOR", "admin");
    connect(2);
    for (const std::string& scene : command.before)
        say(1, scene);
    outbox.clear();
    say(1, command.sent);

    if (command.field >= 0) {
        for (ConsoleId console : {1, 2}) {
            const std::vector<std::string> record = lastRecord(console, 2);
            ASSERT_EQ(record.size(), 15u) << "console " << console << " got no record of slot 2";
            EXPECT_EQ(record[static_cast<std::size_t>(command.field)], command.shown);
        }
    }
    if (!command.toEvery.empty()) {
        EXPECT_EQ(startingWith(1, command.toEvery).size(), 1u);
        EXPECT_EQ(startingWith(2, command.toEvery).size(), 1u);
    }
    if (!command.toAsker.empty()) {
        EXPECT_FALSE(startingWith(1, command.toAsker).empty());
        EXPECT_TRUE(startingWith(2, command.toAsker).empty()) << "only the asking console";
    }
    if (!command.info.empty()) {
        outbox.clear();
        say(1, "||KESTOVA-INFO||1||");
        ASSERT_EQ(sentTo(1, "CMESSAGE").size(), 1u);
        EXPECT_NE(sentTo(1, "CMESSAGE")[0].find(command.info), std::string::npos)
            << sentTo(1, "CMESSAGE")[0];
    }
}

INSTANTIATE_TEST_SUITE_P(AsTheConsoleSendsThem, ConsoleCommands, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, AMessageToTheServerAppearsInItsLogEscaped) {
    connect(1);
    say(1, "||SMESSAGE||KESTOVA: Printer jam at PC03\x1b[2J||");
    ASSERT_FALSE(logLines.empty());
    EXPECT_NE(logLines.back().find("message from console 1: KESTOVA: Printer jam at PC03\\x1b[2J"),
              std::string::npos)
        << logLines.back();
}

}  // namespace
}  // namespace zarnevo::testing
