// The floor map: the clients as tiles in the places the operator gives them, kept in the
// settings, and a second view of the same rows, so highlight, marks and commands stay with the
// client whichever view the operator uses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_grid.h"
#include "console/floor_plan.h"
#include "tests/app/operator_session_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ui::TileSpot;

class FloorPlanTest : public sim::SimTest {
protected:
    static bool Anyone(std::string_view) { return true; }
    FloorPlan plan;
};

TEST_F(FloorPlanTest, NewComputersTakeTheFirstFreeSpotsAndAMoveSwapsWithTheTileThere) {
    for (const char* name : {"PC1", "PC2", "PC3", "PC4"}) {
        plan.Place(name, 3, Anyone);
    }
    EXPECT_EQ(plan.SpotOf("pc4"), (TileSpot{0, 1})) << "lines of three, names in any case";

    plan.Move("PC4", {1, 0}, 3);  // onto PC2
    EXPECT_EQ(plan.SpotOf("PC2"), (TileSpot{0, 1}));
    plan.Move("PC1", {7, 4}, 3);  // onto the empty floor
    EXPECT_EQ(plan.Place("PC5", 3, Anyone), (TileSpot{0, 0})) << "the spot PC1 left";
    EXPECT_EQ(plan.Place("PC6", 3, Anyone), (TileSpot{1, 1}));
    plan.Move("PC6", {-3, 5000}, 3);
    EXPECT_EQ(plan.SpotOf("PC6"), (TileSpot{0, 999})) << "kept on the board";
}

TEST_F(FloorPlanTest, SpotsSurviveInTheSettingsAndWhatIsNoSpotIsPassedOver) {
    files().put("kestova.ini",
                "[Floor]\n; the bar counter\nPC1=2, 3\n; by the door\nbad=x\nneg=-1,2\nfar=1000,1\n"
                "half=4\n");
    plan.Load();
    EXPECT_EQ(plan.SpotOf("PC1"), (TileSpot{2, 3}));
    EXPECT_EQ(plan.size(), 1u);

    plan.Place("PC 9 = bar", 2, Anyone);
    plan.Save();
    EXPECT_THAT(files().contents("kestova.ini"), HasSubstr("; the bar counter\nPC1=2,3\n"));
    EXPECT_THAT(files().contents("kestova.ini"), HasSubstr("; by the door"));
    EXPECT_THAT(files().contents("kestova.ini"), Not(HasSubstr("bad=")));
    FloorPlan again;
    again.Load();
    EXPECT_EQ(again.SpotOf("PC 9 = bar"), (TileSpot{0, 0}));
}

TEST_F(FloorPlanTest, AFullPlanForgetsTheComputersThatAreGone) {
    for (std::size_t i = 0; i < FloorPlan::kMaxSpots; ++i) {
        plan.Place("gone" + std::to_string(i), 32, Anyone);
    }
    plan.Place("PC1", 32, [](std::string_view name) { return name == "gone7"; });
    EXPECT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan.SpotOf("gone7"), (TileSpot{7, 0}));
    EXPECT_EQ(plan.SpotOf("PC1"), (TileSpot{0, 0}));
}

class FloorMapTest : public testing::OperatorSessionTest {
protected:
    FloorMapTest() { logIn("ADMINISTRATOR", "ADMINISTRATOR"); }
    bool marked(int row) const { return client_grid::IsMarked(main.ConList, row, main.BackColor); }
};

TEST_F(FloorMapTest, TilesActOnTheClientsOfTheirRowsAndTheTableKeepsWhatWasDoneThere) {
    ASSERT_TRUE(sim::PressShortcut(main, "Ctrl+M"));
    EXPECT_TRUE(main.Floor.Visible);
    EXPECT_FALSE(main.ConList.Visible);
    EXPECT_TRUE(main.m_floorMap.Checked);
    EXPECT_THAT(files().contents("kestova.ini"), HasSubstr("FloorMap=True"));

    // The café's computers in the first free spots as the board gathers them, row by row; the
    // empty slots are off the board.
    std::vector<std::pair<int, TileSpot>> tiles;
    for (int row = 1; row < main.ConList.Rows(); ++row) {
        if (const auto spot = main.Floor.SpotOf(row)) {
            tiles.emplace_back(row, *spot);
        }
    }
    EXPECT_THAT(tiles, ElementsAre(std::pair(4, TileSpot{0, 0}), std::pair(5, TileSpot{1, 0}),
                                   std::pair(7, TileSpot{2, 0})));
    EXPECT_THAT(main.Floor.TextsOf(4), ElementsAre("PC4", "john", "01:20"));

    main.Floor.TileClick(7);
    EXPECT_TRUE(sim::PressShortcut(main, "Ctrl+P"));
    EXPECT_THAT(sent(), ElementsAre("||F-PAUSE||6||"));
    main.Floor.TileDblClick(5);
    EXPECT_TRUE(marked(5));
    main.Floor.TileDropped(4, {3, 2});
    EXPECT_THAT(files().contents("kestova.ini"), HasSubstr("PC4=3,2"));
    EXPECT_EQ(main.Floor.SpotOf(4), (TileSpot{3, 2}));

    ASSERT_TRUE(sim::PressShortcut(main, "Ctrl+M"));
    EXPECT_TRUE(main.ConList.Visible);
    EXPECT_EQ(main.ConList.RowSel(), 5);
    EXPECT_TRUE(marked(5));
    EXPECT_THAT(files().contents("kestova.ini"), Not(HasSubstr("FloorMap=True")));
}

}  // namespace
}  // namespace kestova
