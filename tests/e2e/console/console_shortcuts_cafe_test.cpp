// An operator who works by keyboard: a click on a client and the menu shortcut at once, with no
// menu opened first, on the Qt platform against the real zarnevo-server on loopback.

#include <gtest/gtest.h>

#include <QTableView>
#include <QTest>

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "qt/binder/grid_order_proxy.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

using platform::msgbox::Yes;
namespace grid = client_grid;

// The operator clicks the client's row in the table.
void ClickClient(ConsoleUnderTest& console, int row) {
    QTableView& view = console.grid();
    const auto& model = dynamic_cast<const qtplatform::GridOrderProxy&>(*view.model());
    const QRect cell = view.visualRect(model.viewIndex(row, grid::kClientName));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
}

TEST(ConsoleShortcutsTheCafe, CtrlAAllocatesRightAfterLogInAndAGuestAfterwardsGetsNoCommand) {
    CafeServer server{12};
    ASSERT_TRUE(server.start()) << server.log();
    ConsoleUnderTest console(server.portOffset());
    ASSERT_TRUE(console.startUp());
    KestovaMain& main = console.main();
    ASSERT_TRUE(WaitUntil([&] { return Server().IsGreeted() && !console.shownClients().empty(); }));
    main.ConList.SetRow(0);  // no client highlighted while the log-in sets up the menus
    ASSERT_EQ(console.logIn("ADMINISTRATOR", "admin"), "Loading Completed.");
    console.mainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console.mainWindow()));

    const std::optional<int> ready = console.readyClient();
    ASSERT_TRUE(ready) << "the demo café has no free client";
    const int row = *ready;
    const std::string name = main.ConList.TextMatrix(row, grid::kClientName);
    ClickClient(console, row);
    ASSERT_EQ(main.ConList.RowSel(), row);

    console.dialogs().expectInputBox("Enter minutes to allocate to " + name, "30");
    console.dialogs().expectMsgBox("Continue to Allocate Time?", Yes);
    QTest::keyClick(&console.grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([&] { return main.ConList.TextMatrix(row, grid::kTime) == "00:30"; }));
    EXPECT_TRUE(console.dialogs().allAnswered()) << "Ctrl+A did not allocate";

    ASSERT_EQ(console.logIn("GUEST", "guest"), "Loading Completed.");
    console.mainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console.mainWindow()));
    ClickClient(console, row);
    const std::string status = main.StatusBar1.PanelText(5);
    // Deallocation asks for minutes first: any box would fail the test.
    QTest::keyClick(&console.grid(), Qt::Key_E, Qt::ControlModifier);
    QTest::qWait(200);
    EXPECT_EQ(main.StatusBar1.PanelText(5), status);
    for (const char* item : {"m_dealloc", "M_Reset", "m_allocate", "M_disconnect"}) {
        EXPECT_FALSE(console.menuEntry(item).isEnabled()) << item;
    }
}

}  // namespace
}  // namespace kestova::e2e
