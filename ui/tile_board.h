#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/grid.h"

namespace ui {

// A cell of a tile board, counted from the top left.
struct TileSpot {
    int column = 0;
    int line = 0;
    friend bool operator==(const TileSpot&, const TileSpot&) = default;
};

// A second view of a grid's body rows: each row the window places is a tile on a board of equal
// cells. Where a tile lies and what it says are the window's rules; the board's events name grid
// rows, as the grid's own do, so whatever a click starts reaches the same row in either view. The
// board shows what the grid's view rules admit (a filter thins out both).
class TileBoard : public Control {
public:
    TileBoard(Form& form, std::string name, Grid& rows)
        : Control(form, std::move(name)), rows_(rows) {}
    const char* Kind() const override { return "TileBoard"; }

    Grid& Rows() const { return rows_; }

    // Where the row's tile lies; none leaves the row off the board.
    std::function<std::optional<TileSpot>(int row)> SpotOf;
    // The lines of text on the row's tile, the first the tile's name.
    std::function<std::vector<std::string>(int row)> TextsOf;
    // The rules give other spots than before (not for a drop, which the view already shows).
    void SpotsChanged() { notify("Spots"); }

    std::function<void(int row)> TileClick;
    std::function<void(int row)> TileDblClick;
    // The right button released over the row's tile.
    std::function<void(int row)> TileMenu;
    // The operator dragged the row's tile onto the spot.
    std::function<void(int row, TileSpot spot)> TileDropped;

private:
    Grid& rows_;
};

}  // namespace ui
