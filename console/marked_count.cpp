#include "console/marked_count.h"

#include <algorithm>
#include <string>

#include "console/client_grid.h"

namespace kestova {

MarkedRowCount::MarkedRowCount(ui::Grid& grid, const ui::Property<ui::Color>& markColor,
                               ui::Label& shownIn)
    : grid_(grid), markColor_(markColor), shownIn_(shownIn) {
    grid_.addGridObserver(this);
    shapeChanged();
}

MarkedRowCount::~MarkedRowCount() {
    grid_.removeGridObserver(this);
}

void MarkedRowCount::cellsChanged(int top, int left, int bottom, int right) {
    // Marking paints every cell of a row, and a client's name comes and goes with its record:
    // both touch the name column, which is all the count reads.
    if (left <= client_grid::kClientName && client_grid::kClientName <= right) {
        recheck(top, bottom);
    }
}

void MarkedRowCount::shapeChanged() {
    marked_.assign(static_cast<std::size_t>(std::max(grid_.Rows(), 0)), false);
    count_ = 0;
    recheck(0, grid_.Rows() - 1);
}

void MarkedRowCount::recheck(int top, int bottom) {
    const int last = std::min(bottom, static_cast<int>(marked_.size()) - 1);
    for (int row = std::max(top, 0); row <= last; ++row) {
        const bool marked =
            client_grid::IsMarked(grid_, row, markColor_) && client_grid::HasClient(grid_, row);
        if (marked != marked_[static_cast<std::size_t>(row)]) {
            marked_[static_cast<std::size_t>(row)] = marked;
            count_ += marked ? 1 : -1;
        }
    }
    shownIn_.Caption = std::to_string(count_) + " Marked";
}

}  // namespace kestova
