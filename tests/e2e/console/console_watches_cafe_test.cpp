// The console program on the Qt platform against the real zarnevo-server on loopback: it finds
// the server by itself, shows the café, grants an operator the server's rights, and survives the
// server going away and coming back.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <sstream>

#include "connection/login_window.h"
#include "connection/server_link.h"
#include "console/client_grid.h"
#include "core/program_state.h"
#include "program/kestova_code.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

constexpr int kSlots = 20;
const char* const kConnectedText = "Kestova Connected to Server.";

std::string Describe(const ClientNames& clients) {
    std::ostringstream text;
    for (const auto& [slot, name] : clients) {
        text << slot << ":" << name << " ";
    }
    return text.str();
}

// A demo café on loopback and the console pointed at it, started and connected.
class ConsoleWatchesTheCafe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << "no server could be started: " << server.log();
        console = std::make_unique<ConsoleUnderTest>(server.portOffset());
        ASSERT_TRUE(console->startUp()) << "the console refused to start";
        ASSERT_TRUE(WaitUntil([this] { return Server().IsGreeted(); }))
            << "not connected; connection panel: " << main().StatusBar1.PanelText(4)
            << "; server log: " << server.log();
    }

    KestovaMain& main() { return console->main(); }

    // Waits until the grid view shows exactly what the server reports (both may still be
    // settling right after a connection).
    ::testing::AssertionResult GridShowsTheServersClients() {
        const ClientNames onServer = ClientsOnServer(server.consolePort());
        if (onServer.empty()) {
            return ::testing::AssertionFailure() << "the server reported no clients";
        }
        if (WaitUntil([&] { return console->shownClients() == onServer; })) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "grid shows " << Describe(console->shownClients())
                                             << "\nserver has " << Describe(onServer);
    }

    bool MenuShown(const char* name) { return console->menuEntry(name).isVisible(); }
    bool ItemEnabled(const char* name) { return console->menuEntry(name).isEnabled(); }

    CafeServer server{kSlots};
    std::unique_ptr<ConsoleUnderTest> console;  // goes before the server stops
};

TEST_F(ConsoleWatchesTheCafe, ConnectsByItselfAndShowsEveryClientOfTheServer) {
    EXPECT_EQ(main().StatusBar1.PanelText(5), kConnectedText);
    ASSERT_TRUE(GridShowsTheServersClients());

    // One row per slot under the header, every shown row with a name.
    EXPECT_EQ(main().ConList.Rows(), kSlots + 1);
    EXPECT_EQ(console->grid().model()->rowCount(), kSlots);
    const ClientNames shown = console->shownClients();
    for (const auto& [slot, name] : shown) {
        EXPECT_FALSE(name.empty()) << "row " << slot;
        EXPECT_EQ(main().ConList.TextMatrix(slot, client_grid::kClientName), name);
    }
    // The recount of the next ticks agrees with the rows shown.
    const std::string connectedCount = std::to_string(shown.size()) + " Connected";
    EXPECT_TRUE(WaitUntil([&] { return main().StatusBar1.PanelText(2) == connectedCount; }))
        << main().StatusBar1.PanelText(2) << " instead of " << connectedCount;
    EXPECT_EQ(main().StatusBar1.PanelText(4), "Connected to Server.");

    // Nobody has logged in: the viewer sees the table and nothing to command it with.
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_EQ(main().StatusBar1.PanelText(1), "User: AutoStart User");
    for (const char* menu : {"m_Controls", "m_Messages", "m_Other", "m_View", "m_Edit"}) {
        EXPECT_FALSE(MenuShown(menu)) << menu;
    }
    EXPECT_TRUE(ItemEnabled("m_LogOff"));
    EXPECT_FALSE(ItemEnabled("m_allocate"));
}

TEST_F(ConsoleWatchesTheCafe, AnAdministratorLoggingInOpensUpTheMenus) {
    ASSERT_TRUE(GridShowsTheServersClients());

    EXPECT_EQ(console->logIn("ADMINISTRATOR", "admin"), "Loading Completed.");

    EXPECT_EQ(KestovaCode().RightsLevel, "ADMINISTRATOR");
    EXPECT_EQ(KestovaCode().OperatorName, "ADMINISTRATOR");
    EXPECT_EQ(main().StatusBar1.PanelText(1), " User: ADMINISTRATOR");
    EXPECT_EQ(console->menuEntry("m_LogOff").text().toStdString(), "Log off .. ADMINISTRATOR");
    EXPECT_FALSE(Splash().IsLoaded());
    for (const char* menu : {"m_Controls", "m_Messages", "m_Other", "m_View", "m_Edit", "m_Tool"}) {
        EXPECT_TRUE(MenuShown(menu)) << menu;
    }
    EXPECT_TRUE(MenuShown("m_report"));
    for (const char* item : {"m_PauseAll", "m_UnpauseAll", "M_Reset", "m_ClosePort", "m_Opt"}) {
        EXPECT_TRUE(ItemEnabled(item)) << item;
    }
    EXPECT_TRUE(main().Option1.Enabled);
    EXPECT_TRUE(main().Command2.Enabled);
    // The dialog gave the supervision back.
    EXPECT_FALSE(main().IsBusy());
    EXPECT_TRUE(main().ListenTimer.IsEnabled());

    // Highlighting a client in the table and opening "&File" offers the client commands.
    const int slot = console->shownClients().begin()->first;
    console->grid().selectRow(slot - 1);
    EXPECT_EQ(main().ConList.RowSel(), slot);
    console->menuEntry("M_File").menu()->popup({0, 0});
    console->menuEntry("M_File").menu()->hide();
    for (const char* item : {"m_allocate", "m_dealloc", "m_Pause", "M_disconnect"}) {
        EXPECT_TRUE(ItemEnabled(item)) << item;
    }
}

TEST_F(ConsoleWatchesTheCafe, AWrongPasswordIsRefusedAndTheConsoleStaysAViewer) {
    EXPECT_EQ(console->logIn("ADMINISTRATOR", "not-the-password"), "Username/Password Incorrect!");

    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_FALSE(MenuShown("m_Controls"));
    EXPECT_FALSE(ItemEnabled("m_allocate"));
    EXPECT_EQ(main().StatusBar1.PanelText(1), "User: AutoStart User");
    // Still connected: the refusal is the server's answer, not a lost line.
    EXPECT_TRUE(Server().IsGreeted());
}

TEST_F(ConsoleWatchesTheCafe, NoticesTheServerGoneAndFindsItAgainByItself) {
    ASSERT_TRUE(GridShowsTheServersClients());
    ASSERT_EQ(console->logIn("ADMINISTRATOR", "admin"), "Loading Completed.");
    const ClientNames before = console->shownClients();

    ASSERT_TRUE(server.stop()) << server.log();

    // The next tick finds the line down: the operator is logged off and the table emptied.
    ASSERT_TRUE(WaitUntil([this] { return !Server().IsGreeted(); }));
    EXPECT_TRUE(console->shownClients().empty()) << Describe(console->shownClients());
    EXPECT_EQ(main().ConList.Rows(), 2);
    EXPECT_EQ(main().StatusBar1.PanelText(5), "Kestova Disconnected!");
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_EQ(main().StatusBar1.PanelText(1), "User: AutoStart User");
    EXPECT_FALSE(MenuShown("m_Controls"));
    EXPECT_FALSE(ItemEnabled("m_LogOff"));
    EXPECT_TRUE(
        WaitUntil([this] { return main().StatusBar1.PanelText(4) == "Trying to Connect ..."; }));

    ASSERT_TRUE(server.restart()) << "the server could not listen again: " << server.log();

    ASSERT_TRUE(WaitUntil([this] { return Server().IsGreeted(); }))
        << "not reconnected; connection panel: " << main().StatusBar1.PanelText(4);
    EXPECT_EQ(main().StatusBar1.PanelText(5), kConnectedText);
    ASSERT_TRUE(GridShowsTheServersClients());
    // The same café (same seed) is back in the same rows.
    EXPECT_EQ(console->shownClients(), before);
    EXPECT_TRUE(WaitUntil([this] { return console->menuEntry("m_LogOff").isEnabled(); }));
}

}  // namespace
}  // namespace kestova::e2e
