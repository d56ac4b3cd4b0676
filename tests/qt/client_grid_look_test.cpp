#include <gtest/gtest.h>

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QSignalSpy>
#include <QTableView>
#include <set>

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "qt/binder/appearance.h"
#include "qt/views/form_views.h"

namespace {

namespace grid = kestova::client_grid;

// The main window's grid as the program draws it (the window bound, never shown or loaded, so it
// never connects anywhere): two clients, the second marked.
class ClientGridLookTest : public ::testing::Test {
protected:
    ClientGridLookTest() {
        views.attach(main);
        table = views.window(main).findChild<QTableView*>("ConList");
        grid::Build(main.ConList, 2);
        lay(1, {"1.", "PC1", "john", "00:04", "Logged in"});
        lay(2, {"2.", "PC2", "", "00:00", "Ready"});
        grid::SetMarked(main.ConList, 2, true, main.BackColor);
    }
    ~ClientGridLookTest() override { QApplication::setPalette(desktop); }

    void lay(int row, const std::vector<std::string>& texts) {
        for (std::size_t column = 0; column < texts.size(); ++column) {
            main.ConList.SetTextMatrix(row, static_cast<int>(column), texts[column]);
        }
    }
    QVariant data(int row, int column, int role) const {
        return table->model()->index(row - main.ConList.FixedRows(), column).data(role);
    }
    QColor textColour(int row, int column) const {
        return data(row, column, Qt::ForegroundRole).value<QBrush>().color();
    }

    const QPalette desktop = QApplication::palette();
    kestova::KestovaMain main;
    qtplatform::FormViews views;  // destroyed before the window's form
    QTableView* table = nullptr;
};

TEST_F(ClientGridLookTest, EachRowShowsItsStateAndMarkBesideTheModelsTextsAndColours) {
    EXPECT_EQ(data(1, grid::kClientName, Qt::ToolTipRole).toString(), "Ending soon");
    EXPECT_EQ(data(2, grid::kClientName, Qt::ToolTipRole).toString(), "Ready");
    EXPECT_FALSE(data(1, grid::kClientName, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_TRUE(data(1, grid::kTime, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(data(2, grid::kTime, Qt::FontRole).isValid());
    EXPECT_NE(textColour(1, grid::kInformation), textColour(2, grid::kInformation));
    EXPECT_EQ(data(2, grid::kNumber, Qt::ToolTipRole).toString(), "Marked");
    EXPECT_FALSE(data(1, grid::kNumber, Qt::ToolTipRole).isValid());

    EXPECT_EQ(data(1, grid::kTime, Qt::DisplayRole).toString(), "00:04");
    EXPECT_EQ(data(2, grid::kClientName, Qt::BackgroundRole).value<QBrush>().color(),
              qtplatform::toQColor(main.BackColor))
        << "a marked row keeps the background its marking is";
}

TEST_F(ClientGridLookTest, ANewTimeRedrawsTheCellsThatShowTheStateAndNoOthers) {
    QSignalSpy changes(table->model(), &QAbstractItemModel::dataChanged);
    main.ConList.SetTextMatrix(1, grid::kTime, "00:40");
    std::set<int> redrawn;
    for (const QList<QVariant>& change : changes) {
        for (int column = change[0].toModelIndex().column();
             column <= change[1].toModelIndex().column(); ++column) {
            redrawn.insert(column);
        }
    }
    EXPECT_EQ(redrawn, (std::set<int>{grid::kClientName, grid::kTime, grid::kInformation}));
    EXPECT_EQ(data(1, grid::kClientName, Qt::ToolTipRole).toString(), "In use");
}

TEST_F(ClientGridLookTest, ADarkDesktopGetsLighterStateColours) {
    const QColor onLight = textColour(1, grid::kTime);
    QPalette dark = desktop;
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    EXPECT_GT(textColour(1, grid::kTime).lightness(), onLight.lightness() + 40);
}

// A state's icon as a picture (as the floor map draws it): clear around its shape.
TEST_F(ClientGridLookTest, AStateIconsPictureIsClearAroundItsShape) {
    const QIcon icon = qvariant_cast<QIcon>(data(1, grid::kClientName, Qt::DecorationRole));
    ASSERT_FALSE(icon.isNull());
    for (int round = 0; round < 20; ++round) {  // fresh memory, with whatever it held before
        const QImage picture = icon.pixmap(QSize(40, 40)).toImage();
        ASSERT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        ASSERT_EQ(qAlpha(picture.pixel(39, 39)), 0);
    }
}

}  // namespace
