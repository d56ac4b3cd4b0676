// The floor map: the clients as tiles laid out as the café's room, a second view of the client
// grid. Its tiles name grid rows, so highlighting, marking, the context menu and every command
// reach the client of the row as they do from the table.
#include "console/client_grid.h"
#include "console/floor_plan.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova {
namespace {

// A row is on the floor while the table shows it: a client is in it and it is not hidden.
bool OnTheFloor(const ui::Grid& grid, int row) {
    return row >= 1 && row < grid.Rows() && client_grid::HasClient(grid, row) &&
           grid.RowHeight(row) > 0;
}

}  // namespace

void KestovaMain::wireFloorMap() {
    m_floorMap.Click = [this] { m_floorMap_Click(); };
    Floor.SpotOf = [this](int row) -> std::optional<ui::TileSpot> {
        if (!OnTheFloor(ConList, row)) {
            return std::nullopt;
        }
        const auto present = [this](std::string_view name) {
            return client_grid::RowNamed(ConList, name) != 0;
        };
        return floorPlan_.Place(ConList.TextMatrix(row, client_grid::kClientName),
                                FloorColumnsFor(ConList.Rows() - 1), present);
    };
    Floor.TextsOf = [this](int row) {
        return std::vector<std::string>{ConList.TextMatrix(row, client_grid::kClientName),
                                        ConList.TextMatrix(row, client_grid::kUsername),
                                        ConList.TextMatrix(row, client_grid::kTime)};
    };
    Floor.TileClick = [this](int row) { Floor_TileClick(row); };
    Floor.TileDblClick = [this](int row) { Floor_TileDblClick(row); };
    Floor.TileMenu = [this](int row) { OpenClientMenu(row); };
    Floor.TileDropped = [this](int row, ui::TileSpot spot) { Floor_TileDropped(row, spot); };
}

void KestovaMain::LoadFloorMap() {
    floorPlan_.Load();
    ShowFloorMap(ToTruth(ReadSetting(settings::FloorMap)).value_or(false));
}

void KestovaMain::m_floorMap_Click() {
    const bool shown = !m_floorMap.Checked;
    ShowFloorMap(shown);
    WriteSetting(settings::FloorMap, BoolText(shown));
    (shown ? static_cast<ui::Control&>(Floor) : ConList).SetFocus();
}

void KestovaMain::ShowFloorMap(bool shown) {
    m_floorMap.Checked = shown;
    ConList.Visible = !shown;
    Floor.Visible = shown;
}

void KestovaMain::Floor_TileClick(int row) {
    if (OnTheFloor(ConList, row)) {
        client_grid::Highlight(ConList, row);
    }
}

void KestovaMain::Floor_TileDblClick(int row) {
    if (OnTheFloor(ConList, row)) {
        Floor_TileClick(row);
        ConList_DblClick();
    }
}

void KestovaMain::Floor_TileDropped(int row, ui::TileSpot spot) {
    if (!OnTheFloor(ConList, row)) {
        return;
    }
    floorPlan_.Move(ConList.TextMatrix(row, client_grid::kClientName), spot,
                    FloorColumnsFor(ConList.Rows() - 1));
    floorPlan_.Save();
    Floor.SpotsChanged();
}

}  // namespace kestova
