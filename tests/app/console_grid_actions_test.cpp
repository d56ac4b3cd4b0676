// What the operator does on the client grid: marking rows (double click, Space, the "&Edit"
// items), the progress helpers around walks, the refresh, the context menu and the column limits.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_grid.h"
#include "tests/app/connection_test_support.h"
#include "tests/app/console_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using testing::RecordingView;
namespace grid = client_grid;

constexpr int kSpace = 32;
constexpr int kRightButton = 2;
constexpr int kLeftButton = 1;

// A console whose grid shows eight slots; rows 2, 3, 5 and 7 hold clients.
class GridActionTest : public ConsoleSimTest {
protected:
    GridActionTest() : main_(console()) {
        ui::Grid& list = main_.ConList;
        list.SetRows(9);
        for (int row : {2, 3, 5, 7}) {
            list.SetTextMatrix(row, grid::kClientName, "PC" + std::to_string(row));
            list.SetRowHeight(row, grid::kShownRowHeight);
        }
    }

    bool marked(int row) { return grid::IsMarked(main_.ConList, row, main_.BackColor); }
    std::vector<int> markedRows() {
        std::vector<int> rows;
        for (int row = 1; row < main_.ConList.Rows(); ++row) {
            if (marked(row)) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    void highlight(int row) { main_.ConList.SetRow(row); }
    void pressSpace() {
        int key = kSpace;
        main_.ConList_KeyPress(key);
    }

    KestovaMain& main_;
};

TEST_F(GridActionTest, DoubleClickMarksAClientRowAndUnmarksItAgain) {
    highlight(3);

    main_.ConList_DblClick();
    EXPECT_TRUE(marked(3));
    EXPECT_EQ(main_.ConList.CellBackColor(3, grid::kClientName), main_.BackColor.get());

    main_.ConList_DblClick();
    EXPECT_FALSE(marked(3));
    EXPECT_EQ(main_.ConList.CellBackColor(3, grid::kClientName), 0u);
}

TEST_F(GridActionTest, DoubleClickLeavesAnEmptySlotAndTheHeaderUnmarked) {
    highlight(4);
    main_.ConList_DblClick();
    highlight(0);
    main_.ConList_DblClick();

    EXPECT_THAT(markedRows(), ::testing::IsEmpty());
    EXPECT_NE(main_.ConList.CellBackColor(0, grid::kClientName), main_.BackColor.get());
}

TEST_F(GridActionTest, AMarkedRowWhoseClientLeftCanStillBeUnmarked) {
    highlight(5);
    main_.ConList_DblClick();
    main_.ConList.SetTextMatrix(5, grid::kClientName, "");

    main_.ConList_DblClick();

    EXPECT_FALSE(marked(5));
}

TEST_F(GridActionTest, SpaceTogglesTheMarkUnlessThePointerRestsOnTheHeader) {
    highlight(2);
    main_.ConList.setMouseCell(4, 1);
    pressSpace();
    EXPECT_TRUE(marked(2));

    main_.ConList.setMouseCell(0, 1);
    pressSpace();
    EXPECT_TRUE(marked(2)) << "pointer on the header row: nothing";

    main_.ConList.setMouseCell(2, 1);
    int otherKey = 'x';
    main_.ConList_KeyPress(otherKey);
    EXPECT_TRUE(marked(2));
    pressSpace();
    EXPECT_FALSE(marked(2));
}

TEST_F(GridActionTest, SelectMarksOnlyClientRowsAndUnselectUnmarksAnyRow) {
    highlight(4);
    main_.m_Select_Click();
    EXPECT_FALSE(marked(4));

    highlight(7);
    main_.m_Select_Click();
    EXPECT_TRUE(marked(7));
    main_.p_Unselect.Click();
    EXPECT_FALSE(marked(7));
    main_.p_Select.Click();
    EXPECT_TRUE(marked(7));
    main_.m_Unselect_Click();
    EXPECT_FALSE(marked(7));
}

TEST_F(GridActionTest, SelectAllMarksEveryClientAndKeepsTheHighlightedRow) {
    highlight(5);

    main_.m_SelectAll_Click();

    EXPECT_THAT(markedRows(), ::testing::ElementsAre(2, 3, 5, 7));
    EXPECT_EQ(main_.ConList.Row(), 5);
    EXPECT_EQ(main_.ConList.ColSel(), grid::kFiller);
}

TEST_F(GridActionTest, TheInstantToolsFrameCountsTheClientsAMarkedCommandReaches) {
    EXPECT_EQ(main_.lblMarked.Caption.get(), "0 Marked");
    main_.m_SelectAll_Click();
    EXPECT_EQ(main_.lblMarked.Caption.get(), "4 Marked");
    highlight(3);
    main_.ConList_DblClick();
    EXPECT_EQ(main_.lblMarked.Caption.get(), "3 Marked");
    main_.ConList.SetTextMatrix(5, grid::kClientName, "");
    EXPECT_EQ(main_.lblMarked.Caption.get(), "2 Marked") << "a row without a client is not reached";
    main_.ConList.SetRows(6);
    EXPECT_EQ(main_.lblMarked.Caption.get(), "1 Marked") << "row 7 went with the smaller café";
}

TEST_F(GridActionTest, UnselectAllUnmarksEverythingWithTheProgressBarRunning) {
    main_.m_SelectAll_Click();
    main_.ConList.SetTextMatrix(3, grid::kClientName, "");  // its client left, the mark stays
    highlight(2);

    main_.m_UnselectAll_Click();

    EXPECT_THAT(markedRows(), ::testing::IsEmpty());
    EXPECT_EQ(main_.Prog.Value.get(), 0);
    EXPECT_EQ(main_.Prog.Max.get(), 9);
    EXPECT_EQ(main_.ConList.Row(), 2);
}

TEST_F(GridActionTest, InvertSwapsTheMarksOfClientRowsOnly) {
    highlight(3);
    main_.m_Select_Click();

    main_.m_invertselect_Click();

    EXPECT_THAT(markedRows(), ::testing::ElementsAre(2, 5, 7));
}

TEST_F(GridActionTest, AWalkReadsRowsAsItReachesThemWhileRepliesChangeTheGrid) {
    // A client arrives in row 8 while the walk is at row 1.
    loop().post([this] { main_.ConList.SetTextMatrix(8, grid::kClientName, "PC8"); });

    main_.m_SelectAll_Click();

    EXPECT_THAT(markedRows(), ::testing::ElementsAre(2, 3, 5, 7, 8));
}

TEST_F(GridActionTest, ProgressHelpersCountRowsUnlessTheServerSearchOwnsTheBar) {
    main_.ProgressStartEnd(5);
    EXPECT_EQ(main_.Prog.Max.get(), 5);
    main_.ProgressMove();
    main_.ProgressMove();
    EXPECT_EQ(main_.Prog.Value.get(), 2);
    main_.ProgressStartEnd(0);
    EXPECT_EQ(main_.Prog.Value.get(), 0);
    EXPECT_EQ(main_.Prog.Max.get(), main_.ConList.Rows());

    main_.ServerSearchStarted();
    main_.Prog.Max = 255;
    main_.Prog.Value = 40;
    main_.ProgressStartEnd(0);
    main_.ProgressMove();
    EXPECT_EQ(main_.Prog.Max.get(), 255);
    EXPECT_EQ(main_.Prog.Value.get(), 40);
}

TEST_F(GridActionTest, DraggingColumnsOutOfTheirLimitsSnapsThemBackAtTheNextMove) {
    main_.ConList.SetColWidth(grid::kClientName, 4100);
    main_.ConList.SetColWidth(grid::kNumber, 339);
    main_.ConList.SetColWidth(grid::kTime, 1500);

    main_.ConList_MouseMove(0, 0, 100, 100);

    EXPECT_EQ(main_.ConList.ColWidth(grid::kClientName), 1300);
    EXPECT_EQ(main_.ConList.ColWidth(grid::kNumber), 350);
    EXPECT_EQ(main_.ConList.ColWidth(grid::kTime), 1500) << "within its limits";
}

TEST_F(GridActionTest, ARightClickOpensTheContextMenuOnTheRowForOperatorsOnly) {
    RecordingView view(main_);
    main_.ConList.setMouseCell(5, 2);

    main_.ConList_MouseUp(kRightButton, 0, 0, 0);
    EXPECT_THAT(view.popups, ::testing::IsEmpty()) << "a VIEWER gets no menu";

    KestovaCode().RightsLevel = "user";
    main_.ConList.setMouseCell(0, 2);
    main_.ConList_MouseUp(kRightButton, 0, 0, 0);
    main_.ConList.setMouseCell(5, 2);
    main_.ConList_MouseUp(kLeftButton, 0, 0, 0);
    EXPECT_THAT(view.popups, ::testing::IsEmpty()) << "the header row and the left button";

    main_.ConList_MouseUp(kRightButton, 0, 0, 0);
    EXPECT_THAT(view.popups, ::testing::ElementsAre("m_Popup"));
    EXPECT_EQ(main_.ConList.Row(), 5);
    EXPECT_EQ(main_.ConList.ColSel(), grid::kFiller);
}

TEST_F(GridActionTest, RefreshRunsOneSupervisionTickAndSaysSo) {
    sim::SimListener& server = givenServerListening(kFirstConsolePort);
    loop().runUntil([&] { return Server().IsGreeted(); }, 60000);
    ASSERT_TRUE(Server().IsGreeted());
    sim::SimPeer& peer = server.lastPeer();
    peer.clearReceived();

    main_.m_refresh_Click();
    advance(network().latency() + 1);

    EXPECT_THAT(messagesFrom(peer), ::testing::Contains("UPDATE||||"));
    EXPECT_EQ(main_.StatusBar1.PanelText(5), "Server refreshed.");
    EXPECT_TRUE(main_.Command3.Enabled);
    EXPECT_TRUE(main_.ListenTimer.IsEnabled());
}

}  // namespace
}  // namespace kestova
