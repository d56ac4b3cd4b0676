// Every command a console sends, in the exact form it sends it, visibly changes the café: the
// changed client's record (or the switch) goes to every console, not only to the one that asked.
#include <algorithm>

#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

const std::string kAlloc = "||F-ALLOCATE||1800||FALSE||1||";  // port 1 is slot 2
const std::string kMessage = "||KESTOVA||1||MESSAGE|Hi||||";

struct Command {
    std::vector<std::string> before;  // the scene, set by the same console
    std::string sent;                 // exactly as the console sends it
    // What shows it: "N=text", field N of slot 2's record as every console gets it; "info=text",
    // a line of slot 2's client information (its record goes to every console too); "all=text"
    // or "asker=text", the start of a message to every console or only to the one that asked.
    std::string shows;
};
void PrintTo(const Command& command, std::ostream* out) {
    *out << command.sent;
}

const Command kCommands[] = {
    {{}, kAlloc, "6=Logged in"},
    {{}, kAlloc, "4=ALLOCATED"},
    {{kAlloc}, "||F-ALLOCATE||600||TRUE||1||", "5=00:40"},
    {{kAlloc}, "||F-ALLOCATE||600||FALSE||1||", "5=00:10"},
    {{kAlloc}, "||F-DEALLOCATE||600||1||", "5=00:20"},
    {{kAlloc}, "||F-PAUSEALL||||", "6=Paused"},
    {{kAlloc, "||F-PAUSEALL||||"}, "||F-UNPAUSEALL||||", "6=Logged in"},
    {{kAlloc}, "||F-PAUSE||1||", "6=Paused"},
    {{kAlloc, "||F-PAUSE||1||"}, "||F-PAUSE||1||", "6=Logged in"},
    {{}, "KESTOVA||1||MESSAGE|Closing soon||||", "info=Message: Closing soon"},
    {{}, "||KESTOVA||1||MESSAGE|Closing soon||||", "info=Message: Closing soon"},
    {{kMessage}, "||KESTOVA||1||MESSAGE|||||", "info=Message: -"},
    {{kAlloc}, "||F-LOGOFF||1||", "6=Ready"},
    {{}, "||F-DISCONNECT||2||", "7=Reconnecting"},
    {{}, "||F-UPDATE||2||", "7=Connected."},
    {{kAlloc}, "||KESTOVA||1||ENDTIMER||", "6=Ready"},
    {{}, "||KESTOVA||1||RELOAD||", "7=Restarting Client"},
    {{}, "||KESTOVA||1||RESTART||", "7=Restarting"},
    {{}, "||KESTOVA||1||SHUTDOWN||", "7=Shut down"},
    {{}, "||KESTOVA||1||DISABLE||", "6=Disabled"},
    {{"||KESTOVA||1||DISABLE||"}, "||KESTOVA||1||ENABLE||", "6=Ready"},
    {{kAlloc}, "||KESTOVA||1||RELOCATE||", "6=Logged in"},
    {{kMessage}, "||KESTOVA||1||CLEARDESKTOP||", "info=Message: -"},
    {{}, "||KESTOVA||1||CHANGENAME|PC9||", "3=PC9"},
    {{}, "||F-PREVENTPRINT||1||", "info=Printing: Prevented"},
    {{"||F-PREVENTPRINT||1||"}, "||F-ALLOWPRINT||1||", "info=Printing: Allowed"},
    {{}, "||KESTOVA-INFO||1||", "asker=||CMESSAGE||Client: PC02"},
    {{}, "||UPDATE||", "asker=||UPDATE||5==1==1.==PC01=="},
    {{}, "||F-RESET||||", "all=||UPDATEX||||"},
    {{}, "||F-DISLOG||||", "all=||DISLOG||True||"},
    {{}, "||F-ALLOWPAUSE||||", "all=||ADDPAUSE||False||"},
    {{}, "||F-ALLOWTIME||||", "all=||ADDTIME||False||"},
    {{}, "||F-DISMESS||||", "all=||CMESS||True||"},
    {{}, "||F-BROADCAST||||", "all=||CMESSAGE||Client search completed: 5 client(s)"},
};

class ConsoleCommands : public EngineTest, public ::testing::WithParamInterface<Command> {
protected:
    ConsoleCommands() : EngineTest(EngineOptions{.slots = 5}) {}
};

TEST_P(ConsoleCommands, ChangeTheCafeForEveryConsole) {
    connectAs(1, "ADMINISTRATOR", "admin");
    connect(2);
    for (const std::string& scene : GetParam().before)
        say(1, scene);
    outbox.clear();
    say(1, GetParam().sent);
    const std::string& shows = GetParam().shows;
    const std::string kind = shows.substr(0, shows.find('=')), text = shows.substr(kind.size() + 1);
    for (const ConsoleId console : {1, 2}) {
        if (kind == "all" || kind == "asker") {
            const auto told = std::ranges::count_if(
                sentTo(console), [&](const std::string& m) { return m.starts_with(text); });
            EXPECT_EQ(told, kind == "asker" && console == 2 ? 0 : 1) << console;
            continue;
        }
        const std::vector<std::string> record = lastRecord(console, 2);
        ASSERT_EQ(record.size(), 15u) << "console " << console << " got no record of slot 2";
        if (kind != "info") {
            EXPECT_EQ(record[std::stoul(kind)], text);
        }
    }
    if (kind == "info") {
        say(1, "||KESTOVA-INFO||1||");
        EXPECT_NE(sentTo(1, "CMESSAGE").back().find(text), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(AsTheConsoleSendsThem, ConsoleCommands, ::testing::ValuesIn(kCommands));

}  // namespace
}  // namespace zarnevo::testing
