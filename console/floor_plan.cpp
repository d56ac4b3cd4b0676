#include "console/floor_plan.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "core/ascii_text.h"
#include "core/convert.h"
#include "core/settings.h"
#include "core/settings_io.h"
#include "core/settings_table.h"

namespace kestova {
namespace {

// Far beyond any room, and small enough that a spot read from a hand-edited file cannot make
// the board absurdly large.
constexpr int kMaxCoordinate = 999;

std::optional<ui::TileSpot> ParseSpot(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto column = ToWholeNumber(TrimBlanks(text.substr(0, comma)));
    const auto line = ToWholeNumber(TrimBlanks(text.substr(comma + 1)));
    const auto fits = [](const std::optional<std::int32_t>& n) {
        return n && *n >= 0 && *n <= kMaxCoordinate;
    };
    if (!fits(column) || !fits(line)) {
        return std::nullopt;
    }
    return ui::TileSpot{*column, *line};
}

std::string SpotText(ui::TileSpot spot) {
    return std::to_string(spot.column) + "," + std::to_string(spot.line);
}

ui::TileSpot Clamped(ui::TileSpot spot) {
    const auto clamp = [](int n) { return std::clamp(n, 0, kMaxCoordinate); };
    return {clamp(spot.column), clamp(spot.line)};
}

}  // namespace

void FloorPlan::Load() {
    spots_.clear();
    const IniSection* section = SettingsDocument(kSettingsFileName).findSection(settings::kFloor);
    if (section == nullptr) {
        return;
    }
    for (const IniEntry& entry : section->entries) {
        const auto spot = ParseSpot(entry.value);
        if (spot && !entry.key.empty() && spots_.size() < kMaxSpots) {
            spots_.try_emplace(LowerAscii(entry.key), Kept{entry.key, *spot});
        }
    }
}

void FloorPlan::Save() const {
    UpdateSettingsFile(kSettingsFileName, [this](IniDocument& document) {
        // Spots forgotten since the last save leave the file too (their comments go to what
        // follows); the others are rewritten in place, beside the comments a technician put there.
        std::vector<std::string> forgotten;
        if (const IniSection* section = document.findSection(settings::kFloor)) {
            for (const IniEntry& entry : section->entries) {
                if (Find(entry.key) == nullptr) {
                    forgotten.push_back(entry.key);
                }
            }
        }
        for (const std::string& key : forgotten) {
            document.eraseValue(settings::kFloor, key);
        }
        for (const auto& [lower, kept] : spots_) {
            document.setValue(settings::kFloor, kept.name, SpotText(kept.spot));
        }
    });
}

const FloorPlan::Kept* FloorPlan::Find(std::string_view name) const {
    const auto found = spots_.find(LowerAscii(name));
    return found != spots_.end() ? &found->second : nullptr;
}

std::optional<ui::TileSpot> FloorPlan::SpotOf(std::string_view name) const {
    const Kept* kept = Find(name);
    return kept != nullptr ? std::optional(kept->spot) : std::nullopt;
}

ui::TileSpot FloorPlan::Place(std::string_view name, int columns,
                              const std::function<bool(std::string_view name)>& present) {
    if (const auto spot = SpotOf(name)) {
        return *spot;
    }
    if (spots_.size() >= kMaxSpots) {
        std::erase_if(spots_,
                      [&present](const auto& entry) { return !present(entry.second.name); });
    }
    const ui::TileSpot spot = FirstFree(columns);
    if (spots_.size() < kMaxSpots) {
        spots_.emplace(LowerAscii(name), Kept{std::string(name), spot});
    }
    return spot;
}

void FloorPlan::Move(std::string_view name, ui::TileSpot spot, int columns) {
    spot = Clamped(spot);
    const ui::TileSpot left = Place(name, columns, [](std::string_view) { return true; });
    for (auto& [lower, kept] : spots_) {
        if (kept.spot == spot) {
            kept.spot = left;
        }
    }
    if (const auto found = spots_.find(LowerAscii(name)); found != spots_.end()) {
        found->second.spot = spot;
    }
}

ui::TileSpot FloorPlan::FirstFree(int columns) const {
    columns = std::clamp(columns, 1, kMaxCoordinate + 1);
    std::set<std::pair<int, int>> taken;
    for (const auto& [lower, kept] : spots_) {
        taken.emplace(kept.spot.line, kept.spot.column);
    }
    for (int line = 0;; ++line) {
        for (int column = 0; column < columns; ++column) {
            if (!taken.contains({line, column})) {
                return {column, line};
            }
        }
    }
}

int FloorColumnsFor(int computers) {
    // A tile is 5:3; a wide screen's free area below the toolbar is about 2.3:1.
    constexpr double kBoardAspect = 1.4;
    return std::max(1,
                    static_cast<int>(std::ceil(std::sqrt(std::max(computers, 1) * kBoardAspect))));
}

}  // namespace kestova
