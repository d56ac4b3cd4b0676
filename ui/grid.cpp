#include "ui/grid.h"

#include <algorithm>
#include <utility>

namespace ui {
namespace {
const std::string kEmpty;
}

Grid::Grid(Form& form, std::string name, int rows, int cols)
    : Control(form, std::move(name)), rows_(0), cols_(0) {
    SetCols(cols);
    SetRows(rows);
}

bool Grid::validCell(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

Grid::Cell& Grid::cell(int row, int col) {
    return cells_[row][col];
}

const Grid::Cell* Grid::findCell(int row, int col) const {
    return validCell(row, col) ? &cells_[row][col] : nullptr;
}

void Grid::SetRows(int rows) {
    rows = std::max(rows, 0);
    // Every client record repeats the row count: the same count is no new shape for the view.
    if (rows == rows_) {
        return;
    }
    cells_.resize(rows, std::vector<Cell>(cols_));
    rowHeights_.resize(rows, -1);
    rows_ = rows;
    fixedRows_ = std::min(fixedRows_, rows_);
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    rowSel_ = std::min(rowSel_, std::max(rows_ - 1, 0));
    topRow_ = std::min(topRow_, std::max(rows_ - 1, 0));
    shapeDirty_ = true;
    flush();
}

void Grid::SetCols(int cols) {
    cols = std::max(cols, 0);
    for (auto& row : cells_) {
        row.resize(cols);
    }
    colWidths_.resize(cols, -1);
    cols_ = cols;
    fixedCols_ = std::min(fixedCols_, cols_);
    col_ = std::min(col_, std::max(cols_ - 1, 0));
    colSel_ = std::min(colSel_, std::max(cols_ - 1, 0));
    shapeDirty_ = true;
    flush();
}

void Grid::SetFixedRows(int n) {
    fixedRows_ = std::clamp(n, 0, rows_);
    shapeDirty_ = true;
    flush();
}

void Grid::SetFixedCols(int n) {
    fixedCols_ = std::clamp(n, 0, cols_);
    shapeDirty_ = true;
    flush();
}

const std::string& Grid::TextMatrix(int row, int col) const {
    const Cell* c = findCell(row, col);
    return c != nullptr ? c->text : kEmpty;
}

void Grid::SetTextMatrix(int row, int col, const std::string& text) {
    if (!validCell(row, col) || cell(row, col).text == text) {
        return;
    }
    cell(row, col).text = text;
    touch(row, col);
}

Color Grid::CellBackColor(int row, int col) const {
    const Cell* c = findCell(row, col);
    return (c != nullptr && c->hasBack) ? c->back : 0;
}

void Grid::SetCellBackColor(int row, int col, Color color) {
    if (!validCell(row, col)) {
        return;
    }
    Cell& c = cell(row, col);
    if (c.hasBack && c.back == color) {
        return;
    }
    c.back = color;
    c.hasBack = true;
    touch(row, col);
}

int Grid::RowHeight(int row) const {
    if (row < 0 || row >= rows_) {
        return 0;
    }
    return rowHeights_[row] < 0 ? defaultRowHeight_ : rowHeights_[row];
}

void Grid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_ || rowHeights_[row] == twips) {
        return;
    }
    rowHeights_[row] = twips;
    if (rowsResizedTop_ > rowsResizedBottom_) {
        rowsResizedTop_ = rowsResizedBottom_ = row;
    } else {
        rowsResizedTop_ = std::min(rowsResizedTop_, row);
        rowsResizedBottom_ = std::max(rowsResizedBottom_, row);
    }
    flush();
}

void Grid::SetDefaultRowHeight(int twips) {
    if (twips < 0 || twips == defaultRowHeight_) {
        return;
    }
    defaultRowHeight_ = twips;
    if (rows_ > 0) {
        rowsResizedTop_ = 0;
        rowsResizedBottom_ = rows_ - 1;
    }
    flush();
}

int Grid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) {
        return 0;
    }
    return colWidths_[col] < 0 ? defaultColWidth_ : colWidths_[col];
}

void Grid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= cols_ || colWidths_[col] == twips) {
        return;
    }
    colWidths_[col] = twips;
    columnsResized_ = true;
    flush();
}

void Grid::SetRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    row_ = row;
    rowSel_ = row;
    selectionDirty_ = true;
    flush();
}

void Grid::SetCol(int col) {
    if (col < 0 || col >= cols_) {
        return;
    }
    col_ = col;
    colSel_ = col;
    selectionDirty_ = true;
    flush();
}

void Grid::SetRowSel(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    rowSel_ = row;
    selectionDirty_ = true;
    flush();
}

void Grid::SetColSel(int col) {
    if (col < 0 || col >= cols_) {
        return;
    }
    colSel_ = col;
    selectionDirty_ = true;
    flush();
}

void Grid::SetTopRow(int row) {
    if (row < fixedRows_ || row >= rows_) {
        return;
    }
    topRow_ = row;
    selectionDirty_ = true;
    flush();
}

void Grid::SetRowOrder(RowOrder order) {
    order_ = std::move(order);
    sortDirty_ = true;
    filterDirty_ = true;
    flush();
}

bool Grid::RowLess(int column, int left, int right) const {
    return order_.less ? order_.less(column, left, right) : left < right;
}

bool Grid::Admits(int row) const {
    return !order_.admits || order_.admits(row);
}

void Grid::Sort(int column, bool descending) {
    if (column < 0 || column >= cols_) {
        column = -1;
        descending = false;
    }
    if (column == sortColumn_ && descending == sortDescending_) {
        return;
    }
    sortColumn_ = column;
    sortDescending_ = descending;
    sortDirty_ = true;
    flush();
}

void Grid::Refilter() {
    filterDirty_ = true;
    flush();
}

void Grid::BeginUpdate() {
    ++updateDepth_;
}

void Grid::EndUpdate() {
    if (updateDepth_ > 0) {
        --updateDepth_;
    }
    flush();
}

void Grid::touch(int row, int col) {
    if (!dirty_) {
        dirty_ = true;
        dirtyTop_ = dirtyBottom_ = row;
        dirtyLeft_ = dirtyRight_ = col;
    } else {
        dirtyTop_ = std::min(dirtyTop_, row);
        dirtyBottom_ = std::max(dirtyBottom_, row);
        dirtyLeft_ = std::min(dirtyLeft_, col);
        dirtyRight_ = std::max(dirtyRight_, col);
    }
    flush();
}

void Grid::addGridObserver(GridObserver* observer) {
    gridObservers_.push_back(observer);
}

void Grid::removeGridObserver(GridObserver* observer) {
    std::erase(gridObservers_, observer);
}

template <typename Tell>
void Grid::tellObservers(Tell tell) const {
    for (GridObserver* observer : gridObservers_) {
        tell(*observer);
    }
}

// Only new rules, a new current row or new cells of it can put the current row out of sight.
void Grid::dropCurrentRowOutOfSight() {
    const auto touched = [this](int row) {
        return dirty_ && row >= dirtyTop_ && row <= dirtyBottom_;
    };
    if (fixedRows_ == 0 ||
        !(filterDirty_ || selectionDirty_ || touched(row_) || touched(rowSel_))) {
        return;
    }
    const auto outOfSight = [this](int row) { return row >= fixedRows_ && !Admits(row); };
    if (outOfSight(row_) || outOfSight(rowSel_)) {
        row_ = 0;
        rowSel_ = 0;
        selectionDirty_ = true;
    }
}

void Grid::flush() {
    if (updateDepth_ > 0) {
        return;
    }
    dropCurrentRowOutOfSight();
    if (shapeDirty_) {
        shapeDirty_ = false;
        dirty_ = false;
        rowsResizedTop_ = 0;
        rowsResizedBottom_ = -1;
        columnsResized_ = false;
        tellObservers([](GridObserver& observer) { observer.shapeChanged(); });
    }
    if (dirty_) {
        dirty_ = false;
        const int top = dirtyTop_, left = dirtyLeft_, bottom = dirtyBottom_, right = dirtyRight_;
        tellObservers(
            [&](GridObserver& observer) { observer.cellsChanged(top, left, bottom, right); });
    }
    if (rowsResizedTop_ <= rowsResizedBottom_ || columnsResized_) {
        const int top = rowsResizedTop_;
        const int bottom = rowsResizedBottom_;
        const bool columns = columnsResized_;
        rowsResizedTop_ = 0;
        rowsResizedBottom_ = -1;
        columnsResized_ = false;
        tellObservers(
            [&](GridObserver& observer) { observer.geometryChanged(top, bottom, columns); });
    }
    if (filterDirty_) {
        filterDirty_ = false;
        tellObservers([](GridObserver& observer) { observer.filterChanged(); });
    }
    if (sortDirty_) {
        sortDirty_ = false;
        tellObservers([](GridObserver& observer) { observer.sortChanged(); });
    }
    if (selectionDirty_) {
        selectionDirty_ = false;
        tellObservers([](GridObserver& observer) { observer.selectionChanged(); });
    }
}

}  // namespace ui
