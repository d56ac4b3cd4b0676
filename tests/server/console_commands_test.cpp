// Every command a console sends, in the exact form it sends it, visibly changes the café: the
// changed client's record (or the switch) goes to every console, not only to the one that asked.
#include <algorithm>

#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

constexpr int kName = 3, kUser = 4, kTime = 5, kInfo = 6, kState = 7, kNoField = -1;
const std::string kAlloc = "||F-ALLOCATE||1800||FALSE||1||";  // port 1 is slot 2

struct Command {
    std::vector<std::string> before;  // the scene, set by the same console
    std::string sent;                 // exactly as the console sends it
    int field = kNoField;             // a field of slot 2's record as every console gets it
    std::string shown{};
    std::string message{};   // the start of a message every console gets
    std::string info{};      // a line of slot 2's client information afterwards
    bool askerOnly = false;  // the message goes only to the console that asked
};

void PrintTo(const Command& command, std::ostream* out) {
    *out << command.sent;
}

const Command kCommands[] = {
    {{}, kAlloc, kInfo, "Logged in"},
    {{}, kAlloc, kUser, "ALLOCATED"},
    {{kAlloc}, "||F-ALLOCATE||600||TRUE||1||", kTime, "00:40"},
    {{kAlloc}, "||F-ALLOCATE||600||FALSE||1||", kTime, "00:10"},
    {{kAlloc}, "||F-DEALLOCATE||600||1||", kTime, "00:20"},
    {{kAlloc}, "||F-PAUSEALL||||", kInfo, "Paused"},
    {{kAlloc, "||F-PAUSEALL||||"}, "||F-UNPAUSEALL||||", kInfo, "Logged in"},
    {{kAlloc}, "||F-PAUSE||1||", kInfo, "Paused"},
    {{kAlloc, "||F-PAUSE||1||"}, "||F-PAUSE||1||", kInfo, "Logged in"},
    {{}, "KESTOVA||1||MESSAGE|Closing soon||||", kState, "Connected.", "", "Message: Closing soon"},
    {{},
     "||KESTOVA||1||MESSAGE|Closing soon||||",
     kState,
     "Connected.",
     "",
     "Message: Closing soon"},
    {{"||KESTOVA||1||MESSAGE|Hi||||"},
     "||KESTOVA||1||MESSAGE|||||",
     kState,
     "Connected.",
     "",
     "Message: -"},
    {{kAlloc}, "||F-LOGOFF||1||", kInfo, "Ready"},
    {{}, "||F-DISCONNECT||2||", kState, "Reconnecting"},
    {{}, "||F-UPDATE||2||", kState, "Connected."},
    {{kAlloc}, "||KESTOVA||1||ENDTIMER||", kInfo, "Ready"},
    {{}, "||KESTOVA||1||RELOAD||", kState, "Restarting Client"},
    {{}, "||KESTOVA||1||RESTART||", kState, "Restarting"},
    {{}, "||KESTOVA||1||SHUTDOWN||", kState, "Shut down"},
    {{}, "||KESTOVA||1||DISABLE||", kInfo, "Disabled"},
    {{"||KESTOVA||1||DISABLE||"}, "||KESTOVA||1||ENABLE||", kInfo, "Ready"},
    {{kAlloc}, "||KESTOVA||1||RELOCATE||", kInfo, "Logged in"},
    {{"||KESTOVA||1||MESSAGE|Hi||||"},
     "||KESTOVA||1||CLEARDESKTOP||",
     kState,
     "Connected.",
     "",
     "Message: -"},
    {{}, "||KESTOVA||1||CHANGENAME|PC9||", kName, "PC9", "", "Client: PC9"},
    {{}, "||F-PREVENTPRINT||1||", kState, "Connected.", "", "Printing: Prevented"},
    {{"||F-PREVENTPRINT||1||"},
     "||F-ALLOWPRINT||1||",
     kState,
     "Connected.",
     "",
     "Printing: Allowed"},
    {{}, "||KESTOVA-INFO||1||", kNoField, "", "||CMESSAGE||Client: PC02", "", true},
    {{}, "||UPDATE||", kNoField, "", "||UPDATE||5==1==1.==PC01==", "", true},
    {{}, "||F-RESET||||", kNoField, "", "||UPDATEX||||"},
    {{}, "||F-DISLOG||||", kNoField, "", "||DISLOG||True||"},
    {{}, "||F-ALLOWPAUSE||||", kNoField, "", "||ADDPAUSE||False||"},
    {{}, "||F-ALLOWTIME||||", kNoField, "", "||ADDTIME||False||"},
    {{}, "||F-DISMESS||||", kNoField, "", "||CMESS||True||"},
    {{}, "||F-BROADCAST||||", kNoField, "", "||CMESSAGE||Client search completed: 5 client(s)"},
};

class ConsoleCommands : public EngineTest, public ::testing::WithParamInterface<Command> {
protected:
    ConsoleCommands() : EngineTest(EngineOptions{.slots = 5}) {}
};

TEST_P(ConsoleCommands, ChangeTheCafeForEveryConsole) {
    const Command& command = GetParam();
    connectAs(1, "ADMINISTRATOR", "admin");
    connect(2);
    for (const std::string& scene : command.before)
        say(1, scene);
    outbox.clear();
    say(1, command.sent);
    for (const ConsoleId console : {1, 2}) {
        if (command.field != kNoField) {
            const std::vector<std::string> record = lastRecord(console, 2);
            ASSERT_EQ(record.size(), 15u) << "console " << console << " got no record of slot 2";
            EXPECT_EQ(record[static_cast<std::size_t>(command.field)], command.shown);
        }
        const auto told = std::ranges::count_if(sentTo(console), [&](const std::string& m) {
            return !command.message.empty() && m.starts_with(command.message);
        });
        EXPECT_EQ(told, command.message.empty() || (command.askerOnly && console == 2) ? 0 : 1);
    }
    if (!command.info.empty()) {
        say(1, "||KESTOVA-INFO||1||");
        EXPECT_NE(sentTo(1, "CMESSAGE").back().find(command.info), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(AsTheConsoleSendsThem, ConsoleCommands, ::testing::ValuesIn(kCommands));

}  // namespace
}  // namespace zarnevo::testing
