// The group command bar: the commands each right is offered, the walks over all slots and over
// the marked rows, their pacing, and that no client is sent a command twice or the wrong pause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_grid.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using platform::msgbox::No;
using platform::msgbox::Yes;
using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class GroupBarTest : public ConsoleSimTest {
protected:
    GroupBarTest() {
        for (int slot : {4, 5, 7}) {
            serverSays(server, testing::ClientRecord(slot, "PC" + std::to_string(slot),
                                                     slot == 5 ? "Paused" : "Logged in"));
        }
        KestovaCode().RightsLevel = "ADMINISTRATOR";
        KestovaCode().OperatorName = "ADMINISTRATOR";
        main.ConList.SetRow(4);
        server.clearReceived();
    }

    // The operator opens the list, picks the command and the scope, and executes.
    void execute(const std::string& command, bool all) {
        main.Combo1_GotFocus();
        main.Combo1.Text = command;
        main.Combo1_Click();
        (all ? main.Option1 : main.Option2).Value = true;
        all ? main.Option1_Click() : main.Option2_Click();
        ASSERT_TRUE(main.Command1.Enabled);
        main.Command1_Click();
    }
    std::vector<std::string> sent() {
        advance(network().latency() + 1);
        std::vector<std::string> messages = commandsFrom(server);
        server.clearReceived();
        return messages;
    }
    void mark(int row) { client_grid::SetMarked(main.ConList, row, true, main.BackColor); }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
};

TEST_F(GroupBarTest, EachRightIsOfferedItsCommands) {
    const std::vector<std::string> daily = {"None",    "Pause",     "UnPause",
                                            "Log Off", "Reconnect", "Send Message"};
    struct Case {
        const char* rights;
        const char* name;
        bool shutdownAllowed;
        bool fromFocus;
        std::vector<std::string> extra;
    };
    const Case cases[] = {
        {"ADMINISTRATOR",
         "ADMINISTRATOR",
         false,
         true,
         {"Hide Client(s)", "Show Client(s)", "Restart Client(s)", "Shutdown Client(s)"}},
        {"ADMINISTRATOR", "Administrator", false, true, {"Hide Client(s)", "Show Client(s)"}},
        {"administrator", "BOSS", true, false, {"Restart Client(s)", "Shutdown Client(s)"}},
        {"USER", "CLERK", false, true, {}},
        {"USER", "CLERK", true, true, {"Restart Client(s)", "Shutdown Client(s)"}},
    };
    for (const Case& c : cases) {
        KestovaCode().RightsLevel = c.rights;
        KestovaCode().OperatorName = c.name;
        main.AllowClientShutdown(c.shutdownAllowed);
        main.Combo1.Clear();
        c.fromFocus ? main.Combo1_GotFocus() : main.Combo1_DropDown();
        std::vector<std::string> expected = daily;
        expected.insert(expected.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(main.Combo1.Items(), expected) << c.rights << " " << c.name;
    }
    KestovaCode().RightsLevel = "VIEWER";
    main.Combo1.Clear();
    main.Combo1_GotFocus();
    EXPECT_EQ(main.Combo1.Items(), std::vector<std::string>{"None"});
    main.Option1.Value = true;
    main.Option1_Click();
    EXPECT_FALSE(main.Command1.Enabled);
}

TEST_F(GroupBarTest, LogOffForAllWalksEverySlotByPortFiftyMillisecondsApart) {
    dialogs().expectMsgBox("Log Off All Client(s)?", Yes);
    const sim::Ms started = loop().now();
    execute("Log Off", true);
    EXPECT_EQ(loop().now() - started, 20 * 50) << "every slot waits, client or not";
    std::vector<std::string> expected;
    for (int port = 0; port < 20; ++port) {
        expected.push_back("||F-LOGOFF||" + std::to_string(port) + "||");
    }
    EXPECT_THAT(sent(), ElementsAreArray(expected));
    EXPECT_EQ(main.StatusBar1.PanelText(5), "All Clients Logged Off");
    EXPECT_EQ(main.Combo1.Text.get(), "None");
    EXPECT_FALSE(main.Option1.Value);
}

TEST_F(GroupBarTest, SelectedClientsAreSentACommandOnceAndPauseOnlyWhenRunning) {
    // Row 4 highlighted and marked, 5 (paused) and 7 marked.
    for (int row : {4, 5, 7}) {
        mark(row);
    }
    execute("Pause", false);
    EXPECT_THAT(sent(), ElementsAre("||F-PAUSE||3||", "||F-PAUSE||6||"));
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Selected Port(s) Paused.");
    EXPECT_FALSE(client_grid::IsMarked(main.ConList, 7, main.BackColor));

    for (int row : {4, 5, 7}) {
        mark(row);
    }
    execute("UnPause", false);
    EXPECT_THAT(sent(), ElementsAre("||F-PAUSE||4||"));

    for (int row : {4, 7}) {
        mark(row);
    }
    dialogs().expectMsgBox("Restart Selected Port(s)?", Yes);
    execute("Restart Client(s)", false);
    EXPECT_THAT(sent(), ElementsAre("||KESTOVA||3||RESTART||", "||KESTOVA||6||RESTART||"));

    mark(5);
    dialogs().expectMsgBox("Close Selected Port(s)?", Yes);
    execute("Reconnect", false);
    EXPECT_THAT(sent(), ElementsAre("||F-DISCONNECT||4||", "||F-DISCONNECT||5||"))
        << "reconnect numbers clients by row, like the menu";
}

TEST_F(GroupBarTest, ANoAndTheEntriesWithoutActionEndAsTheyShould) {
    dialogs().expectMsgBox("Shutdown Selected Port(s)?", No);
    execute("Shutdown Client(s)", false);
    EXPECT_EQ(main.Combo1.Text.get(), "None");
    EXPECT_FALSE(main.Command1.Enabled);

    execute("Hide Client(s)", true);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(main.Combo1.Text.get(), "None");
    EXPECT_FALSE(main.Option1.Value);

    // Choosing "None" locks the list until a scope is chosen again.
    main.Combo1.Text = "None";
    main.Combo1_Click();
    EXPECT_FALSE(main.Combo1.Enabled);
    EXPECT_FALSE(main.Command1.Enabled);
}

}  // namespace
}  // namespace kestova
