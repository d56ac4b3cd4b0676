#pragma once

#include <string>
#include <string_view>

#include "ui/color.h"
#include "ui/grid.h"

// The client grid's model: one row per client slot of the server under the header row 0 (row r
// is slot r - 1 on the wire), 13 columns of client data and a filler column that takes up the
// space the others leave. Widths and heights are in twips.
namespace kestova::client_grid {

enum Column {
    kNumber = 0,
    kClientName = 1,
    kUsername = 2,
    kTime = 3,
    kInformation = 4,
    kState = 5,
    kClientIP = 6,
    kLogInTime = 7,
    kPort = 8,
    kLeftQuota = 9,
    kOrgQuota = 10,
    kDownRate = 11,
    kUpRate = 12,
    kFiller = 13,
};

inline constexpr int kColumnCount = 14;
inline constexpr int kLastDataColumn = kUpRate;
inline constexpr int kShownRowHeight = 255;
inline constexpr int kHiddenRowHeight = 0;
// Kept free at the right of the filler so no horizontal scroll bar appears for it.
inline constexpr int kFillerMargin = 50;

// Header text and initial width of each column.
const char* HeaderText(int column);
int InitialWidth(int column);

// Builds the grid as the window shows it before the server has said anything: the header row,
// the initial widths, and `slots` hidden rows labelled "1.", "2.", ...
void Build(ui::Grid& grid, int slots);

// A row has a client when its "Client Name" cell is not empty; the header row never has one.
bool HasClient(const ui::Grid& grid, int row);

// The first row whose client goes by the name, without regard to case (clients name themselves
// as they like); 0 when none does.
int RowNamed(const ui::Grid& grid, std::string_view name);

// Makes the row the highlighted one, selected across all columns.
void Highlight(ui::Grid& grid, int row);

// A row is marked (chosen for group commands) when its cells are painted in the window's
// background colour; an unmarked row has the grid's default colour 0.
bool IsMarked(const ui::Grid& grid, int row, ui::Color markColor);
void SetMarked(ui::Grid& grid, int row, bool marked, ui::Color markColor);

// Sizes the filler column to what the data columns leave of `gridWidth`; returns true when the
// columns fit (only the vertical scroll bar is needed).
bool FitFillerColumn(ui::Grid& grid, int gridWidth);

}  // namespace kestova::client_grid
