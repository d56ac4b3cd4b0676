#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ui/tile_board.h"

namespace kestova {

// Where each client computer's tile lies on the floor map, by the computer's name: laid out
// once by the operator as the café's room, and kept in the settings ([Floor], one key per
// computer, "column,line"). Names compare without regard to case, as the settings' keys do. A
// computer without a spot gets the first free one, line by line.
class FloorPlan {
public:
    // More than a café has computers: room for names that went away while their desks stay.
    static constexpr std::size_t kMaxSpots = 1024;

    // The spots kept in the settings; entries that are no spot are passed over.
    void Load();
    // Keeps every spot in the settings, in one write.
    void Save() const;

    std::size_t size() const { return spots_.size(); }
    std::optional<ui::TileSpot> SpotOf(std::string_view name) const;
    // The computer's spot, giving one without a spot the first free spot of lines `columns`
    // wide. When the plan is full, the spots of the computers `present` does not name are
    // forgotten first.
    ui::TileSpot Place(std::string_view name, int columns,
                       const std::function<bool(std::string_view name)>& present);
    // The operator put the computer's tile on the spot; a tile lying there takes the spot the
    // moved one left.
    void Move(std::string_view name, ui::TileSpot spot, int columns);

private:
    struct Kept {
        std::string name;  // as first seen
        ui::TileSpot spot;
    };

    ui::TileSpot FirstFree(int columns) const;
    const Kept* Find(std::string_view name) const;

    std::map<std::string, Kept> spots_;  // by the name in lower case
};

// How many columns the first free spots fill in a café of `computers`: a board about as wide as
// a wide screen is high holds them, so a full café fits the screen without scrolling.
int FloorColumnsFor(int computers);

}  // namespace kestova
