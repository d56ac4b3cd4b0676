#pragma once

#include <vector>

#include "ui/controls.h"
#include "ui/grid.h"

namespace kestova {

// Shows how many client rows are marked (the rows a command for the selected clients reaches),
// whatever marks or unmarks them or drops them with their rows: it follows the grid's changes
// instead of every command that marks.
class MarkedRowCount : public ui::GridObserver {
public:
    MarkedRowCount(ui::Grid& grid, const ui::Property<ui::Color>& markColor, ui::Label& shownIn);
    ~MarkedRowCount() override;
    MarkedRowCount(const MarkedRowCount&) = delete;
    MarkedRowCount& operator=(const MarkedRowCount&) = delete;

    int count() const { return count_; }

    void cellsChanged(int top, int left, int bottom, int right) override;
    void shapeChanged() override;
    void geometryChanged(int, int, bool) override {}
    void selectionChanged() override {}
    void sortChanged() override {}
    void filterChanged() override {}

private:
    void recheck(int top, int bottom);

    ui::Grid& grid_;
    const ui::Property<ui::Color>& markColor_;
    ui::Label& shownIn_;
    std::vector<bool> marked_;  // by grid row
    int count_ = 0;
};

}  // namespace kestova
