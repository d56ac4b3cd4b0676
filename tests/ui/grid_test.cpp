// The flexible grid holds the client table: row r is a client slot, hidden rows keep their data,
// and a batch of updates must reach the view as one repaint of exactly the touched area.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/grid.h"

namespace {

using ::testing::ElementsAre;

class RecordingGridView : public ui::GridObserver {
public:
    void cellsChanged(int top, int left, int bottom, int right) override {
        events.push_back("cells " + std::to_string(top) + "," + std::to_string(left) + "-" +
                         std::to_string(bottom) + "," + std::to_string(right));
    }
    void shapeChanged() override { events.push_back("shape"); }
    void geometryChanged(int top, int bottom, bool columns) override {
        events.push_back("geometry " + std::to_string(top) + "-" + std::to_string(bottom) +
                         (columns ? " columns" : ""));
    }
    void selectionChanged() override { events.push_back("selection"); }
    void sortChanged() override { events.push_back("sort"); }
    void filterChanged() override { events.push_back("filter"); }
    std::vector<std::string> events;
};

class GridTest : public ::testing::Test {
protected:
    GridTest() { grid.addGridObserver(&view); }
    ui::Form form{"frmGrid"};
    ui::Grid grid{form, "ConList", 5, 4};
    RecordingGridView view;
};

TEST_F(GridTest, TextMatrixStoresEachCellAndIgnoresCellsOutsideTheGrid) {
    grid.SetTextMatrix(0, 1, "Client Name");
    grid.SetTextMatrix(3, 1, "PC-03");
    grid.SetTextMatrix(5, 1, "beyond the last row");
    grid.SetTextMatrix(1, -1, "before the first column");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Client Name");
    EXPECT_EQ(grid.TextMatrix(3, 1), "PC-03");
    EXPECT_EQ(grid.TextMatrix(3, 2), "");
    EXPECT_EQ(grid.TextMatrix(5, 1), "");
    EXPECT_THAT(view.events, ElementsAre("cells 0,1-0,1", "cells 3,1-3,1"));
}

TEST_F(GridTest, WritingTheSameTextAgainIsNotAChange) {
    grid.SetTextMatrix(2, 2, "60");
    grid.SetTextMatrix(2, 2, "60");
    EXPECT_EQ(view.events.size(), 1u);
}

TEST_F(GridTest, SettingRowCollapsesTheSelectionOntoIt) {
    grid.SetRow(1);
    grid.SetRowSel(4);
    ASSERT_EQ(grid.RowSel(), 4);
    grid.SetRow(2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.RowSel(), 2);
    grid.SetCol(3);
    grid.SetColSel(1);
    grid.SetCol(2);
    EXPECT_EQ(grid.ColSel(), 2);
}

TEST_F(GridTest, SelectionOutsideTheGridIsIgnored) {
    grid.SetRow(3);
    grid.SetRow(9);
    grid.SetRowSel(-1);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.RowSel(), 3);
}

TEST_F(GridTest, BatchedChangesReachTheViewOnceAsTheirHull) {
    grid.BeginUpdate();
    grid.SetTextMatrix(1, 2, "a");
    grid.SetCellBackColor(4, 1, ui::colors::White);
    grid.SetTextMatrix(2, 3, "b");
    grid.SetRow(4);
    EXPECT_TRUE(view.events.empty());
    grid.EndUpdate();
    EXPECT_THAT(view.events, ElementsAre("cells 1,1-4,3", "selection"));
}

TEST_F(GridTest, NestedBatchesReportOnlyWhenTheOutermostEnds) {
    grid.BeginUpdate();
    grid.BeginUpdate();
    grid.SetTextMatrix(1, 1, "x");
    grid.EndUpdate();
    EXPECT_TRUE(view.events.empty());
    grid.EndUpdate();
    EXPECT_THAT(view.events, ElementsAre("cells 1,1-1,1"));
}

TEST_F(GridTest, AddingAndRemovingRowsKeepsTheCellsThatRemain) {
    grid.SetTextMatrix(2, 1, "PC-02");
    grid.SetCellBackColor(2, 1, ui::colors::Red);
    grid.SetTextMatrix(4, 1, "PC-04");
    grid.SetRows(8);
    EXPECT_EQ(grid.TextMatrix(2, 1), "PC-02");
    EXPECT_EQ(grid.CellBackColor(2, 1), ui::colors::Red);
    EXPECT_EQ(grid.TextMatrix(7, 1), "");
    grid.SetRows(3);
    EXPECT_EQ(grid.TextMatrix(2, 1), "PC-02");
    EXPECT_EQ(grid.TextMatrix(4, 1), "");  // gone with its row
    grid.SetRows(5);
    EXPECT_EQ(grid.TextMatrix(4, 1), "");  // a row added again starts empty
    EXPECT_EQ(grid.Rows(), 5);
}

// Every client record sets the row count again; a shape change would make the view rebuild the
// whole table for each of them.
TEST_F(GridTest, RepeatingTheRowCountChangesOnlyTheCellsOfTheBatch) {
    grid.BeginUpdate();
    grid.SetRows(5);
    grid.SetTextMatrix(2, 1, "PC-02");
    grid.EndUpdate();
    EXPECT_THAT(view.events, ElementsAre("cells 2,1-2,1"));
}

TEST_F(GridTest, ShrinkingBelowTheCurrentRowMovesTheCurrentRowInside) {
    grid.SetRow(4);
    grid.SetRows(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.RowSel(), 2);
}

TEST_F(GridTest, AddingColumnsKeepsTheTextOfEveryRow) {
    grid.SetTextMatrix(1, 3, "last column");
    grid.SetCols(6);
    grid.SetTextMatrix(1, 5, "new column");
    EXPECT_EQ(grid.TextMatrix(1, 3), "last column");
    EXPECT_EQ(grid.TextMatrix(1, 5), "new column");
}

TEST_F(GridTest, CellColourIsZeroUntilSetAndAnExplicitZeroIsStillAChange) {
    EXPECT_EQ(grid.CellBackColor(1, 1), 0u);
    grid.SetCellBackColor(1, 1, 0);
    EXPECT_THAT(view.events, ElementsAre("cells 1,1-1,1"));
    grid.SetCellBackColor(1, 1, 0);
    EXPECT_EQ(view.events.size(), 1u);
    EXPECT_EQ(grid.CellBackColor(-1, 1), 0u);
}

TEST_F(GridTest, HiddenRowKeepsItsDataAndReportsGeometryNotCells) {
    grid.SetTextMatrix(3, 1, "PC-03");
    view.events.clear();
    grid.SetRowHeight(3, 0);
    EXPECT_EQ(grid.RowHeight(3), 0);
    EXPECT_EQ(grid.TextMatrix(3, 1), "PC-03");
    EXPECT_EQ(grid.RowHeight(2), grid.DefaultRowHeight());
    EXPECT_THAT(view.events, ElementsAre("geometry 3-3"));

    // A batch reports the rows it resized as one range, and the columns once.
    view.events.clear();
    grid.BeginUpdate();
    grid.SetRowHeight(4, 0);
    grid.SetRowHeight(2, 0);
    grid.SetColWidth(1, 0);
    grid.EndUpdate();
    EXPECT_THAT(view.events, ElementsAre("geometry 2-4 columns"));
}

TEST_F(GridTest, EveryObserverIsToldUntilItLeaves) {
    RecordingGridView counter;
    grid.addGridObserver(&counter);
    grid.SetTextMatrix(1, 1, "PC-01");
    grid.removeGridObserver(&counter);
    grid.SetTextMatrix(2, 1, "PC-02");
    EXPECT_THAT(counter.events, ElementsAre("cells 1,1-1,1"));
    EXPECT_THAT(view.events, ElementsAre("cells 1,1-1,1", "cells 2,1-2,1"));
}

TEST_F(GridTest, ANewDefaultHeightResizesTheRowsWithoutAHeightOfTheirOwn) {
    grid.SetRowHeight(2, 0);
    view.events.clear();
    grid.SetDefaultRowHeight(255);
    EXPECT_EQ(grid.RowHeight(1), 255);
    EXPECT_EQ(grid.RowHeight(2), 0);
    grid.SetDefaultRowHeight(255);
    EXPECT_THAT(view.events, ElementsAre("geometry 0-4"));
}

// The view orders and filters by the grid's rules; the grid only remembers the operator's sort.
TEST_F(GridTest, ASortIsReportedOnceAndAColumnOutsideTheGridMeansTheRowsOwnOrder) {
    grid.Sort(2, true);
    grid.Sort(2, true);
    EXPECT_EQ(grid.SortColumn(), 2);
    EXPECT_TRUE(grid.SortDescending());
    grid.Sort(4, true);
    EXPECT_EQ(grid.SortColumn(), -1);
    EXPECT_FALSE(grid.SortDescending());
    EXPECT_THAT(view.events, ElementsAre("sort", "sort"));
    EXPECT_TRUE(grid.RowLess(1, 2, 3)) << "without rules, rows in their own order";
}

TEST_F(GridTest, ARowTheRulesLeaveOutIsNeverCurrent) {
    std::string wanted = "PC";
    grid.SetRowOrder({nullptr, [&](int row) {
                          return grid.TextMatrix(row, 1).find(wanted) != std::string::npos;
                      }});
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetTextMatrix(row, 1, "PC-0" + std::to_string(row));
    }
    grid.SetRow(3);
    view.events.clear();

    wanted = "PC-03";
    grid.Refilter();
    EXPECT_EQ(grid.Row(), 3) << "still let through";
    wanted = "PC-02";
    grid.Refilter();
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.RowSel(), 0);
    EXPECT_THAT(view.events, ElementsAre("filter", "filter", "selection"));

    grid.SetRow(2);
    grid.SetTextMatrix(4, 1, "other");
    EXPECT_EQ(grid.Row(), 2) << "another row's cells say nothing of the current one";
    grid.SetTextMatrix(2, 1, "renamed");
    EXPECT_EQ(grid.RowSel(), 0) << "the current row's own cells took it out";
    grid.SetRow(4);
    EXPECT_EQ(grid.Row(), 0) << "no row out of sight becomes current";
    grid.SetRow(0);
    grid.SetTextMatrix(0, 1, "Client Name");
    EXPECT_EQ(grid.Row(), 0) << "the header stays where it is";
}

}  // namespace
