#include "console/client_grid.h"

#include <algorithm>
#include <array>

#include "core/ascii_text.h"

namespace kestova::client_grid {
namespace {

struct ColumnDesign {
    const char* header;
    int width;
};

constexpr std::array<ColumnDesign, kColumnCount> kColumns{{
    {"No.", 350},
    {"Client Name", 1300},
    {"Username", 1300},
    {"Time", 900},
    {"Information", 1635},
    {"State", 1200},
    {"Client IP", 1300},
    {"Log In Time", 1200},
    {"Port", 500},
    {"Left Quota", 900},
    {"Org. Quota", 900},
    {"Down. Rate", 900},
    {"Up. Rate", 900},
    {"", 0},
}};

bool IsColumn(int column) {
    return column >= 0 && column < kColumnCount;
}

}  // namespace

const char* HeaderText(int column) {
    return IsColumn(column) ? kColumns[column].header : "";
}

int InitialWidth(int column) {
    return IsColumn(column) ? kColumns[column].width : 0;
}

void Build(ui::Grid& grid, int slots) {
    grid.BeginUpdate();
    grid.SetCols(kColumnCount);
    grid.SetRows(slots + 1);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    // Every client row is shown at the same height: the view keeps no height of its own per row.
    grid.SetDefaultRowHeight(kShownRowHeight);
    for (int column = 0; column < kColumnCount; ++column) {
        grid.SetColWidth(column, InitialWidth(column));
        grid.SetTextMatrix(0, column, HeaderText(column));
    }
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetTextMatrix(row, kNumber, std::to_string(row) + ".");
        grid.SetRowHeight(row, kHiddenRowHeight);
    }
    grid.EndUpdate();
}

bool HasClient(const ui::Grid& grid, int row) {
    return row >= 1 && row < grid.Rows() && !grid.TextMatrix(row, kClientName).empty();
}

int RowNamed(const ui::Grid& grid, std::string_view name) {
    for (int row = 1; row < grid.Rows(); ++row) {
        if (EqualsIgnoringCase(grid.TextMatrix(row, kClientName), name)) {
            return row;
        }
    }
    return 0;
}

void Highlight(ui::Grid& grid, int row) {
    grid.SetRow(row);
    grid.SetColSel(kFiller);
}

bool IsMarked(const ui::Grid& grid, int row, ui::Color markColor) {
    return row >= 1 && grid.CellBackColor(row, kClientName) == markColor;
}

void SetMarked(ui::Grid& grid, int row, bool marked, ui::Color markColor) {
    if (row < 1 || row >= grid.Rows()) {
        return;
    }
    grid.BeginUpdate();
    for (int column = grid.FixedCols(); column < grid.Cols(); ++column) {
        grid.SetCellBackColor(row, column, marked ? markColor : 0);
    }
    grid.EndUpdate();
}

bool FitFillerColumn(ui::Grid& grid, int gridWidth) {
    int used = 0;
    for (int column = 0; column <= kLastDataColumn; ++column) {
        used += grid.ColWidth(column);
    }
    const bool fits = gridWidth > used;
    grid.SetColWidth(kFiller, fits ? std::max(gridWidth - used - kFillerMargin, 0) : 0);
    return fits;
}

}  // namespace kestova::client_grid
