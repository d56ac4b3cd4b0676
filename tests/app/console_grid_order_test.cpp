// Sorting and filtering the client grid change only what the operator sees: the rows stay keyed
// by slot, and the highlighted row, the marks, every command and every client record reach the
// client of their slot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_commands.h"
#include "console/client_grid.h"
#include "console/client_grid_order.h"
#include "tests/app/operator_session_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace grid = client_grid;

TEST(ClientGridOrder, CellsCompareByWhatTheirColumnHolds) {
    struct Case {
        int column;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {grid::kClientName, "PC2", "PC10"},
        {grid::kClientName, "pc2", "PC3"},
        {grid::kClientName, "PC-009", "PC-10"},
        {grid::kClientName, "PC", "PC1"},
        {grid::kUsername, "", "ann"},
        {grid::kClientIP, "127.0.0.9", "127.0.0.13"},
        {grid::kClientIP, "127.0.0.200", "127.0.1.2"},
        {grid::kNumber, "9.", "10."},
        {grid::kPort, "999", "1001"},
        {grid::kDownRate, "7.25", "7.3"},
        {grid::kDownRate, "7.25 kB/s", "7.3"},
        {grid::kLeftQuota, "-5", "0"},
        {grid::kLeftQuota, "48000", ""},
        {grid::kTime, "9:05", "10:15"},
        {grid::kTime, "1:10:00", "01:20"},
        {grid::kTime, "00:59:59", "1:00"},
        {grid::kTime, "99:00", "Unlimited"},
        {grid::kLogInTime, "12:30AM", "01:00AM"},
        {grid::kLogInTime, "11:59am", "12:00 PM"},
        {grid::kLogInTime, "02:05PM", "15:00"},
    };
    for (const Case& c : cases) {
        EXPECT_LT(grid::CompareCells(c.column, c.before, c.after), 0)
            << c.before << " / " << c.after << " in column " << c.column;
        EXPECT_GT(grid::CompareCells(c.column, c.after, c.before), 0)
            << c.after << " / " << c.before << " in column " << c.column;
    }
    EXPECT_EQ(grid::CompareCells(grid::kClientName, "pc07", "PC7"), 0);
    EXPECT_EQ(grid::CompareCells(grid::kTime, "1:20:00", "01:20"), 0);
}

TEST(ClientGridOrder, OnlyWellFormedTimesAreTimes) {
    EXPECT_EQ(grid::TimeSeconds(" 01:20 "), 4800);
    EXPECT_EQ(grid::TimeSeconds("12:00AM"), 0);
    EXPECT_EQ(grid::TimeSeconds("99999:59:59"), 99999 * 3600 + 59 * 60 + 59);
    for (const char* text : {"", "10", "10:5", "10:60", "1:00:60", "13:00PM", "0:30AM", "10:15 XM",
                             "123456:00", "10:15:30:00", ":15"}) {
        EXPECT_EQ(grid::TimeSeconds(text), std::nullopt) << text;
    }
}

// One client record as the server sends it, with the cells the order and the filter read.
std::string Record(int slot, const std::string& name, const std::string& user,
                   const std::string& time, const std::string& address) {
    const std::string n = std::to_string(slot);
    return "||UPDATE||20==" + n + "==" + n + ".==" + name + "==" + user + "==" + time +
           "==Logged in==Connected.==" + address + "==10:15==100" + n + "==0==0==0==0||";
}

// The café of the operator session (PC4, pc5 and PC7 of john on 127.0.0.4, .5 and .7, 01:20
// each) and two more clients on the café's other subnet.
class GridOrderTest : public testing::OperatorSessionTest {
protected:
    GridOrderTest() {
        serverSays(server, Record(2, "PC10", "mary", "00:05", "127.1.0.12"));
        serverSays(server, Record(9, "PC2", "ann", "1:10:00", "127.1.0.9"));
        logIn("ADMINISTRATOR", "ADMINISTRATOR");
    }

    std::vector<int> onScreen() const { return sim::RowsOnScreen(main.ConList); }
    void clickHeader(int column) { sim::ClickHeader(main.ConList, column); }
    bool marked(int row) const { return grid::IsMarked(main.ConList, row, main.BackColor); }
};

TEST_F(GridOrderTest, AHeaderClickSortsTheClientsByItsColumnAndASecondReversesThem) {
    clickHeader(grid::kClientName);
    EXPECT_THAT(onScreen(), ElementsAre(9, 4, 5, 7, 2));
    clickHeader(grid::kClientName);
    EXPECT_THAT(onScreen(), ElementsAre(2, 7, 5, 4, 9));
    clickHeader(grid::kTime);
    EXPECT_THAT(onScreen(), ElementsAre(2, 9, 4, 5, 7)) << "equal times in slot order";
    clickHeader(grid::kClientIP);
    EXPECT_THAT(onScreen(), ElementsAre(4, 5, 7, 9, 2)) << "addresses part by part";
    clickHeader(grid::kFiller);
    EXPECT_EQ(main.ConList.SortColumn(), grid::kClientIP);

    EXPECT_EQ(main.ConList.TextMatrix(9, grid::kClientName), "PC2") << "rows stay by slot";
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(GridOrderTest, SortedAndFilteredEveryCommandAndRecordReachesTheClientOfItsSlot) {
    clickHeader(grid::kClientName);
    clickHeader(grid::kClientName);
    ASSERT_TRUE(sim::PressShortcut(main, "Ctrl+Shift+F"));
    sim::TypeInto(main.txtFilter, "127.1.0.");
    EXPECT_THAT(onScreen(), ElementsAre(2, 9));

    sim::ClickRowOnScreen(main.ConList, 1);
    EXPECT_EQ(main.ConList.RowSel(), 9);
    main.ConList_DblClick();
    EXPECT_TRUE(marked(9));
    EXPECT_TRUE(sim::PressShortcut(main, "Ctrl+P"));
    EXPECT_THAT(sent(), ElementsAre("||F-PAUSE||8||"));

    // A record of the slot lands in its row, which stays highlighted, marked and in its place.
    serverSays(server, Record(9, "PC2", "ann", "1:09:00", "127.1.0.9"));
    EXPECT_EQ(main.ConList.TextMatrix(9, grid::kTime), "1:09:00");
    EXPECT_EQ(main.ConList.RowSel(), 9);
    EXPECT_TRUE(marked(9));
    EXPECT_THAT(onScreen(), ElementsAre(2, 9));

    sim::ClickRowOnScreen(main.ConList, 0);
    dialogs().expectMsgBox("Log Off Selected Client?", platform::msgbox::Yes);
    EXPECT_TRUE(sim::PressShortcut(main, "Ctrl+D"));
    EXPECT_THAT(sent(), ElementsAre("||F-LOGOFF||1||"));
}

TEST_F(GridOrderTest, TheFilterMatchesNameUserOrAddressAndNoHiddenClientStaysHighlighted) {
    main.ConList.SetRow(7);
    sim::TypeInto(main.txtFilter, " MARY ");
    EXPECT_THAT(onScreen(), ElementsAre(2));
    EXPECT_EQ(main.ConList.RowSel(), 0) << "PC7 went out of sight";
    EXPECT_FALSE(sim::PressShortcut(main, "Ctrl+P"));

    for (const auto& [typed, shown] :
         std::vector<std::pair<std::string, std::vector<int>>>{{"pc1", {2}},
                                                               {"JOHN", {4, 5, 7}},
                                                               {"1.0.9", {9}},
                                                               {"Logged", {}},
                                                               {"  ", {2, 4, 5, 7, 9}}}) {
        main.txtFilter.Text = typed;
        EXPECT_EQ(onScreen(), shown) << "filter \"" << typed << "\"";
    }

    // A client whose record no longer matches leaves the screen, and the highlight with it.
    main.txtFilter.Text = "mary";
    sim::ClickRowOnScreen(main.ConList, 0);
    serverSays(server, Record(2, "PC10", "bob", "00:04", "127.1.0.12"));
    EXPECT_THAT(onScreen(), IsEmpty());
    EXPECT_EQ(main.ConList.RowSel(), 0);

    // Find Computer shows the client it finds, whatever the filter.
    dialogs().expectInputBox("Enter Computer Name to Search for?", "pc7");
    EXPECT_TRUE(sim::PressShortcut(main, "Ctrl+F"));
    EXPECT_EQ(main.txtFilter.Text.get(), "");
    EXPECT_EQ(main.ConList.RowSel(), 7);
    EXPECT_THAT(sent(), IsEmpty());
}

}  // namespace
}  // namespace kestova
