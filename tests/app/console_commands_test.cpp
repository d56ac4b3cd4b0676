// The operator's commands for clients as they reach the server: exact texts, numbering by port
// or row, questions and their refusals, and what the console shows afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "console/client_grid.h"
#include "console/operator_commands.h"
#include "core/messages.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using platform::msgbox::No;
using platform::msgbox::Yes;
using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A café of clients on rows 4 (PC4, in use), 5 (pc5, paused) and 7 (PC7, in use), row 4
// highlighted, the console connected.
class CommandTest : public ConsoleSimTest {
protected:
    CommandTest() {
        serverSays(server, testing::ClientRecord(4, "PC4", "Logged in"));
        serverSays(server, testing::ClientRecord(5, "pc5", "Paused"));
        serverSays(server, testing::ClientRecord(7, "PC7", "Logged in"));
        main.ConList.SetRow(4);
        server.clearReceived();
    }

    // What the server received since the last look.
    std::vector<std::string> sent() {
        advance(network().latency() + 1);
        std::vector<std::string> messages = commandsFrom(server);
        server.clearReceived();
        return messages;
    }
    std::string status() { return main.StatusBar1.PanelText(5); }
    void mark(int row) { client_grid::SetMarked(main.ConList, row, true, main.BackColor); }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
};

TEST_F(CommandTest, EverySingleClientCommandSendsItsTextForTheHighlightedRow) {
    struct Case {
        ui::MenuItem KestovaMain::*item;
        int row;
        const char* question;  // answered Yes; nullptr: none asked
        const char* message;
        const char* status;
    };
    const Case cases[] = {
        {&KestovaMain::EndTimer, 4, "End Timer of Client PC4?", "||KESTOVA||3||ENDTIMER||",
         "PC4 Ended."},
        {&KestovaMain::m_ResTClientTimerOnly, 5, "Restart Timer Only of Client PC5?",
         "||KESTOVA||4||RELOAD||", "Client Only Restarted."},
        {&KestovaMain::RestartClient, 5, "Restart Client PC5?", "||KESTOVA||4||RESTART||",
         "Client Restarted."},
        {&KestovaMain::m_ShutDown, 4, "Shutdown Client PC4?", "||KESTOVA||3||SHUTDOWN||",
         "Client Shutdown."},
        {&KestovaMain::M_disconnect, 5, "Log Off Selected Client?", "||F-LOGOFF||4||",
         "pc5 Logged Out."},
        {&KestovaMain::P_ClosePort, 5, "Disconnect and Reconnect Client?", "||F-DISCONNECT||5||",
         "pc5 Reconnecting ..."},
        {&KestovaMain::Enable, 4, nullptr, "||KESTOVA||3||ENABLE||", "PC4 Enabled."},
        {&KestovaMain::m_disable, 4, nullptr, "||KESTOVA||3||DISABLE||", "PC4 Disabled."},
        {&KestovaMain::M_relocate, 4, nullptr, "||KESTOVA||3||RELOCATE||", "Client Relocated."},
        {&KestovaMain::m_clearDesktop, 4, "Clear Desktop of PC4?", "||KESTOVA||3||CLEARDESKTOP||",
         "PC4's Desktop Cleared."},
        {&KestovaMain::p_print, 4, "Allow PC4 to Print?", "||F-ALLOWPRINT||3||",
         "PC4 allowed to Print"},
        {&KestovaMain::m_prevent, 4, "Prevent PC4 from Print?", "||F-PREVENTPRINT||3||",
         "PC4 prevented from Print"},
        {&KestovaMain::P_Pause, 4, nullptr, "||F-PAUSE||3||", ""},
        {&KestovaMain::p_updateset, 5, nullptr, "||F-UPDATE||5||", "Client pc5 settings updated."},
        {&KestovaMain::m_Cinfo, 4, nullptr, "||KESTOVA-INFO||3||", ""},
    };
    for (const Case& c : cases) {
        main.ConList.SetRow(c.row);
        SetStatus(main, "");
        if (c.question != nullptr) {
            dialogs().expectMsgBox(c.question, Yes);
        }
        ui::Raise((main.*c.item).Click);
        EXPECT_THAT(sent(), ElementsAre(c.message)) << (main.*c.item).Name();
        EXPECT_EQ(status(), c.status) << (main.*c.item).Name();
    }
    EXPECT_EQ(main.ConList.TextMatrix(5, client_grid::kInformation), "Restarting ...");
    EXPECT_EQ(main.ConList.TextMatrix(4, client_grid::kInformation), "Shutting down ...");
}

TEST_F(CommandTest, ChecksRefuseBeforeAnythingIsSent) {
    main.ConList.SetRow(0);
    main.EndTimer_Click();
    EXPECT_EQ(dialogs().countShown(::testing::_), 0) << "notices go to the message window";
    EXPECT_EQ(MessagesWindow().Text1.Text.get(), "No Client selected!\r\n");

    main.ConList.SetRow(4);
    dialogs().expectMsgBox("Log Off Selected Client?", No);
    main.M_disconnect_Click();

    main.ConList.SetTextMatrix(4, client_grid::kInformation, "Invisible Mode");
    main.m_disable_Click();

    dialogs().expectInputBox("Enter new name for Computer Name PC4?", std::string(21, 'N'));
    dialogs().expectMsgBox("Client Name can't be more than 20 characters!");
    main.m_ChangCName_Click();

    main.ConList.SetTextMatrix(4, client_grid::kClientName, "Connection Slot");
    main.m_Clientinfo_Click();
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(MessagesWindow().Text1.Text.get(),
                ::testing::EndsWith("Client not connected!\r\n"));

    server.disconnect();
    advance(network().latency() + 1);
    main.EndTimer_Click();
    EXPECT_THAT(MessagesWindow().Text1.Text.get(), ::testing::EndsWith("Client not connected\r\n"));
    MessagesWindow().Unload();
}

TEST_F(CommandTest, ARenameJoinsKeywordAndNameWithOneBar) {
    dialogs().expectInputBox("Enter new name for Computer Name PC4?", std::string(20, 'N'));
    main.m_ChangCName_Click();
    EXPECT_THAT(sent(), ElementsAre("||KESTOVA||3||CHANGENAME|" + std::string(20, 'N') + "||"));
    EXPECT_EQ(status(), "PC4's name changed.");
}

TEST_F(CommandTest, AllocationChecksTheMinutesAndAsksByTheClientsMode) {
    struct Case {
        int row;
        const char* typed;
        std::vector<std::pair<const char*, int>> questions;
        const char* notice;  // nullptr when none
        const char* message;
        const char* status;
    };
    const Case cases[] = {
        {4, "0.5", {}, "The value must be greater that 0!", nullptr, ""},
        {4, "abc", {}, "The value must be a numeric entry!", nullptr, ""},
        {4, "9999.5", {}, "Entry must be between 1 and 9999!", nullptr, ""},
        {4,
         "9999",
         {{"Add to PC4's Time?", Yes}},
         nullptr,
         "||F-ALLOCATE||599940||TRUE||3||",
         "9999mins Added to PC4."},
        {5,
         "2.9",
         {{"Add to pc5's Time?", No}},
         nullptr,
         "||F-ALLOCATE||120||FALSE||4||",
         "2mins Allocated to pc5."},
        {7,
         "30",
         {{"Add to PC7's Time?", platform::msgbox::Cancel}},
         nullptr,
         nullptr,
         "No mins Allocated to PC7."},
    };
    for (const Case& c : cases) {
        main.ConList.SetRow(c.row);
        SetStatus(main, "");
        dialogs().expectInputBox(
            "Enter minutes to allocate to " + main.ConList.TextMatrix(c.row, 1) + "?", c.typed);
        for (const auto& [question, answer] : c.questions) {
            dialogs().expectMsgBox(question, answer);
        }
        main.m_allocate_Click();
        EXPECT_EQ(sent(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.typed;
        EXPECT_EQ(status(), c.status) << c.typed;
        if (c.notice != nullptr) {
            EXPECT_THAT(MessagesWindow().Text1.Text.get(),
                        ::testing::EndsWith(c.notice + std::string("\r\n")));
        }
    }
    EXPECT_EQ(main.ConList.TextMatrix(4, client_grid::kTime), "*****") << "added time is coming";

    // Any other mode: a plain question and a new allocation; no mode at all: refused.
    main.ConList.SetRow(7);
    main.ConList.SetTextMatrix(7, client_grid::kInformation, "Ready");
    dialogs().expectInputBox("Enter minutes to allocate to PC7?", "5");
    dialogs().expectMsgBox("Continue to Allocate Time?", Yes);
    main.m_allocate_Click();
    EXPECT_THAT(sent(), ElementsAre("||F-ALLOCATE||300||FALSE||6||"));
    main.ConList.SetTextMatrix(7, client_grid::kInformation, "");
    main.m_allocate_Click();
    EXPECT_THAT(MessagesWindow().Text1.Text.get(),
                ::testing::EndsWith("Client mode doesn't support allocation!\r\n"));
    MessagesWindow().Unload();
}

TEST_F(CommandTest, DeallocationTakesMinutesOnlyFromAClientInUse) {
    dialogs().expectInputBox("Enter minutes to deallocate to PC4?", "30");
    dialogs().expectMsgBox("Continue to deallocate Time?", Yes);
    main.m_dealloc_Click();
    EXPECT_THAT(sent(), ElementsAre("||F-DEALLOCATE||1800||3||"));
    EXPECT_EQ(status(), "30mins deduced from PC4.");
    EXPECT_EQ(main.ConList.TextMatrix(4, client_grid::kInformation), "30mins deallocated");

    main.ConList.SetRow(5);
    dialogs().expectInputBox("Enter minutes to deallocate to pc5?", "30");
    main.m_dealloc_Click();
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(MessagesWindow().Text1.Text.get(),
                ::testing::EndsWith("Client mode doesn't support deallocation!\r\n"));
    MessagesWindow().Unload();
}

TEST_F(CommandTest, MessagesFollowTheClsAndBarRulesAndReachEachClientOnce) {
    // To the highlighted client, which is marked too, and to another marked one.
    mark(4);
    mark(7);
    dialogs().expectInputBox("Enter Message to Send to Selected Client(s)?", "a|b");
    const sim::Ms started = loop().now();
    main.m_sendMessage_Click();
    EXPECT_THAT(sent(),
                ElementsAre("||KESTOVA||3||MESSAGE|a b||||", "||KESTOVA||6||MESSAGE|a b||||"));
    EXPECT_EQ(loop().now() - started, 50 * (main.ConList.Rows() - 1) + network().latency() + 1)
        << "50 ms for every row";
    EXPECT_EQ(status(), "Message Sent to Selected Client(s).");
    EXPECT_FALSE(client_grid::IsMarked(main.ConList, 7, main.BackColor));

    dialogs().expectInputBox("Enter Message to Send to Selected Client(s)?", "cLs");
    main.m_sendMessage_Click();
    EXPECT_THAT(sent(), ElementsAre("||KESTOVA||3||MESSAGE|||||"));
    EXPECT_EQ(status(), "Message Cleared on Client(s).");

    // To all clients in use, cut to 500 characters.
    dialogs().expectInputBox("Enter Message to Send to All Client(s)?", std::string(600, 'x'));
    main.m_SendAll_Click();
    const std::string cut(500, 'x');
    EXPECT_THAT(sent(), ElementsAre("KESTOVA||3||MESSAGE|" + cut + "||||",
                                    "KESTOVA||4||MESSAGE|" + cut + "||||",
                                    "KESTOVA||6||MESSAGE|" + cut + "||||"));

    dialogs().expectInputBox("Enter Message to Send to Server?", std::string(600, '|'));
    main.m_messServer_Click();
    EXPECT_THAT(sent(), ElementsAre("||SMESSAGE||KESTOVA: " + std::string(600, ' ') + "||"));
    EXPECT_EQ(status(), "Message Sent to Server.");
    EXPECT_EQ(main.ConList.BackColor.get(), ui::colors::White);
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
}

TEST_F(CommandTest, CafeWideSwitchesSendTheirTextAndTellWhatWasAskedFor) {
    main.m_AllowPause_Click();
    main.m_allowTime.Checked = true;
    main.m_allowTime_Click();
    main.m_updateKestova_Click();
    EXPECT_THAT(sent(), ElementsAre("||F-ALLOWPAUSE||||", "||F-ALLOWTIME||||", "||UPDATE||"));
    dialogs().expectMsgBox("Do you want to prevent Tickets from logging in?", Yes);
    main.Command2_Click();
    dialogs().expectMsgBox("All connected Client(s) will be disconnected, Are you Sure?", Yes);
    main.M_Reset_Click();
    EXPECT_THAT(sent(), ElementsAre("||F-DISLOG||||", "||F-RESET||||"));
    EXPECT_EQ(status(), "All Port(s) Reseted.");

    server.disconnect();
    advance(network().latency() + 1);
    dialogs().expectMsgBox("All connected Client(s) will be disconnected, Are you Sure?", Yes);
    main.M_Reset_Click();
    EXPECT_EQ(status(), "Kestova not connected.") << "nothing could be sent";
    main.m_updateKestova_Click();
    EXPECT_EQ(status(), "Kestova not connected.");
}

// A command the connection did not take says so instead of its result, and the audit log
// records nothing that did not leave: the server goes while the operator types a new name.
TEST_F(CommandTest, WithoutTheServerNoCommandReadsAsDoneAndNothingIsAudited) {
    loop().schedule(1000, [this] {
        network().stopListening(kLoopback, kFirstConsolePort);
        server.disconnect();
    });
    SetStatus(main, "");
    dialogs().expectInputBox("Enter new name for Computer Name PC4?", "PC9").after(2000);
    main.m_ChangCName_Click();
    EXPECT_EQ(status(), "");
    dialogs().alwaysAnswerInputBox(::testing::_, "hi");
    dialogs().alwaysAnswerMsgBox(::testing::_, Yes);
    mark(7);
    const auto bar = [this](const char* command, ui::OptionButton& scope) {
        main.Combo1.Text = command;
        scope.Value = true;
        main.Command1_Click();
    };
    const std::function<void()> commands[] = {
        [&] { main.m_PauseAll_Click(); }, [&] { main.m_SendAll_Click(); },
        [&] { main.m_sendMessage_Click(); }, [&] { bar("Log Off", main.Option1); },
        [&] { bar("Pause", main.Option2); }};
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        main.ConList.SetRow(4);
        commands[i]();
        EXPECT_EQ(status(), "Kestova not connected.") << i;
    }
    EXPECT_FALSE(protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||G1||"));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(auditLog().content(), "");
    MessagesWindow().Unload();
}

TEST_F(CommandTest, FindComputerMatchesTheWholeNameWithoutRegardToCase) {
    struct Case {
        const char* typed;
        int row;  // the row found; 0: none
    };
    const Case cases[] = {{"pc7", 7}, {"PC5", 5}, {"pC5", 5}, {"PC", 0}, {"PC44", 0}};
    for (const Case& c : cases) {
        main.ConList.SetRow(4);
        dialogs().expectInputBox("Enter Computer Name to Search for?", c.typed);
        main.m_FComputer_Click();
        EXPECT_EQ(main.ConList.RowSel(), c.row == 0 ? 4 : c.row) << c.typed;
        EXPECT_EQ(status(), c.row == 0 ? "Search not Successful." : "Search Successful.")
            << c.typed;
    }
    MessagesWindow().Unload();
}

}  // namespace
}  // namespace kestova
