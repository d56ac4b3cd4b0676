// The operator sorts the café by a click on a column header and filters it in the box above the
// grid, then commands the one client left in sight, on the Qt platform against the real
// zarnevo-server on loopback: the command and the server's answer reach the client's own slot.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <string>
#include <vector>

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "console/client_grid_order.h"
#include "qt/binder/grid_order_proxy.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

namespace grid = client_grid;

// The names of the clients the view shows, from the top.
std::vector<std::string> NamesShown(QTableView& view) {
    std::vector<std::string> names;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        if (!view.isRowHidden(row)) {
            names.push_back(
                view.model()->index(row, grid::kClientName).data().toString().toStdString());
        }
    }
    return names;
}

// Each name comes after the one above it (descending: before it), in natural order.
bool InNaturalOrder(const std::vector<std::string>& names, bool descending) {
    for (std::size_t i = 1; i < names.size(); ++i) {
        const int order = grid::CompareNatural(names[i - 1], names[i]);
        if (descending ? order < 0 : order > 0) {
            return false;
        }
    }
    return names.size() > 1;
}

void ClickHeader(QTableView& view, int column) {
    QHeaderView& header = *view.horizontalHeader();
    const int middle = header.sectionViewportPosition(column) + header.sectionSize(column) / 2;
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(middle, header.height() / 2));
}

TEST(ConsoleSortsAndFiltersTheCafe, ACommandForTheClientInSightReachesItsSlot) {
    CafeServer server{12};
    ASSERT_TRUE(server.start()) << server.log();
    ConsoleUnderTest console(server.portOffset());
    ASSERT_TRUE(console.startUp());
    KestovaMain& main = console.main();
    ASSERT_TRUE(
        WaitUntil([&] { return Server().IsGreeted() && console.shownClients().size() > 2; }));
    main.ConList.SetRow(0);
    ASSERT_EQ(console.logIn("ADMINISTRATOR", "admin"), "Loading Completed.");
    console.mainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console.mainWindow()));
    QTableView& view = console.grid();

    ClickHeader(view, grid::kClientName);
    EXPECT_TRUE(InNaturalOrder(NamesShown(view), false)) << NamesShown(view).front();
    ClickHeader(view, grid::kClientName);
    const std::vector<std::string> names = NamesShown(view);
    EXPECT_TRUE(InNaturalOrder(names, true)) << names.front();
    EXPECT_EQ(view.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    // A client in the middle of the view, and its slot.
    const std::string name = names[names.size() / 2];
    int slot = 0;
    for (const auto& [row, shown] : console.shownClients()) {
        slot = shown == name ? row : slot;
    }
    ASSERT_GT(slot, 0);

    QTest::keyClick(&console.mainWindow(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    auto* filter = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(filter, nullptr) << "Ctrl+Shift+F did not reach the filter box";
    EXPECT_EQ(filter->objectName(), "txtFilter");
    QTest::keyClicks(filter, QString::fromStdString(name).toLower());
    ASSERT_EQ(NamesShown(view), std::vector<std::string>{name});

    const auto& order = dynamic_cast<const qtplatform::GridOrderProxy&>(*view.model());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(order.viewIndex(slot, grid::kClientName)).center());
    ASSERT_EQ(main.ConList.RowSel(), slot);

    const std::string renamed = name + "X";
    console.dialogs().expectInputBox("Enter new name for Computer Name " + name, renamed);
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([&] { return NamesShown(view) == std::vector<std::string>{renamed}; }))
        << server.log();
    EXPECT_EQ(ClientsOnServer(server.consolePort())[slot], renamed);
    EXPECT_EQ(main.ConList.TextMatrix(slot, grid::kClientName), renamed);
    EXPECT_EQ(main.ConList.RowSel(), slot);
    EXPECT_TRUE(console.dialogs().allAnswered());
}

}  // namespace
}  // namespace kestova::e2e
