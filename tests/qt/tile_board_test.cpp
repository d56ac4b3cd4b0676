// The tile board's widget: tiles where the board's rules put them, scaled so a full café fits a
// small screen, and the pointer's clicks, double clicks, right clicks and drags named by grid row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <memory>

#include "qt/binder/binder.h"
#include "qt/binder/tile_board_view.h"
#include "ui/form.h"
#include "ui/tile_board.h"

namespace {

class BoardForm : public ui::Form {
public:
    BoardForm() : ui::Form("Board") {}
    ui::Grid Grid1{*this, "Grid1", 2, 2};
    ui::TileBoard Board1{*this, "Board1", Grid1};
};

class TileBoardTest : public ::testing::Test {
protected:
    TileBoardTest() {
        view = new qtplatform::TileBoardView;
        view->setObjectName("Board1");
        view->setParent(&window);
        auto* table = new QTableView(&window);  // the grid's own view, hidden by the floor map
        table->setObjectName("Grid1");
        table->hide();
        form.Board1.SpotOf = [this](int row) -> std::optional<ui::TileSpot> {
            if (row >= static_cast<int>(spots.size()) || spots[row].column < 0) {
                return std::nullopt;
            }
            return spots[row];
        };
        form.Board1.TextsOf = [](int row) {
            return std::vector<std::string>{"PC" + std::to_string(row), "john", "01:20"};
        };
        form.Board1.TileClick = [this](int row) {
            events.push_back("click " + std::to_string(row));
        };
        form.Board1.TileDblClick = [this](int row) {
            events.push_back("double " + std::to_string(row));
        };
        form.Board1.TileMenu = [this](int row) { events.push_back("menu " + std::to_string(row)); };
        form.Board1.TileDropped = [this](int row, ui::TileSpot spot) {
            events.push_back("drop " + std::to_string(row) + " on " + std::to_string(spot.column) +
                             "," + std::to_string(spot.line));
        };
    }

    void show(int width, int height) {
        qtplatform::bind(form, window);
        window.show();
        view->setGeometry(0, 0, width, height);
        QApplication::processEvents();
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    BoardForm form;
    QWidget window;
    qtplatform::TileBoardView* view;
    std::vector<ui::TileSpot> spots;  // by grid row; a negative column: no tile
    std::vector<std::string> events;
};

TEST_F(TileBoardTest, AFullCafeOfTilesFitsTheFloorOfASmallScreen) {
    constexpr int kClients = 255;
    constexpr int kColumns = 19;  // what the console lays out for 255 computers
    form.Grid1.SetRows(kClients + 1);
    spots.assign(kClients + 1, {});
    for (int row = 1; row <= kClients; ++row) {
        spots[row] = {(row - 1) % kColumns, (row - 1) / kColumns};
    }
    // A 1366x768 screen less the window's frame, menu, toolbar, filter box and command bar.
    show(1340, 560);
    const QRectF area = view->rect();
    for (int row = 1; row <= kClients; ++row) {
        const QRectF tile = view->tileRect(row);
        ASSERT_TRUE(area.contains(tile)) << "row " << row;
        EXPECT_GE(tile.height(), 34) << "row " << row << ": too small for name, user and time";
    }
}

TEST_F(TileBoardTest, ThePointerActsOnTheTileOfItsRowAndADragDropsOnTheCellUnderIt) {
    form.Grid1.SetRows(5);
    spots = {{-1, 0}, {0, 0}, {1, 0}, {-1, 0}, {0, 1}};
    std::string hidden;
    form.Grid1.SetRowOrder({{}, [&](int row) { return row != 2 || hidden.empty(); }});
    show(600, 400);
    EXPECT_TRUE(view->tileRect(3).isEmpty()) << "no spot, no tile";
    const QPointF pc2 = view->tileRect(2).center();
    const QPointF pc4 = view->tileRect(4).center();

    mouse(QEvent::MouseButtonPress, pc2, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, pc2, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonDblClick, pc2, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, pc2, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, pc4, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, pc4, Qt::RightButton, Qt::NoButton);

    // PC4 dragged beside PC2, into the free column right of the tiles.
    const QPointF free = view->tileRect(2).center() + QPointF(view->tileRect(2).width(), 0);
    mouse(QEvent::MouseButtonPress, pc4, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, (pc4 + free) / 2, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, free, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, free, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(events, (std::vector<std::string>{"click 2", "double 2", "menu 4", "drop 4 on 2,0"}));

    hidden = "filtered";
    form.Grid1.Refilter();
    EXPECT_TRUE(view->tileRect(2).isEmpty()) << "a row the grid's view leaves out has no tile";
}

// The arrow keys go to the nearest tile that way (a near tile off the line before a far one on
// it), and nowhere when none lies that way; Space and the menu key act on the highlighted tile.
TEST_F(TileBoardTest, TheKeysMoveTheHighlightToTheNearestTileThatWay) {
    form.Grid1.SetRows(6);
    spots = {{-1, 0}, {0, 0}, {4, 0}, {1, 1}, {0, 4}, {4, 4}};  // 3 near 1, the others at corners
    form.Board1.TileClick = [this](int row) {
        form.Grid1.SetRow(row);
        events.push_back("click " + std::to_string(row));
    };
    show(600, 400);
    form.Grid1.SetRow(1);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up,
                        Qt::Key_Up, Qt::Key_Space, Qt::Key_Menu}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"click 3", "click 2", "click 5", "click 4",
                                                "click 1", "double 1", "menu 1"}));
}

}  // namespace
