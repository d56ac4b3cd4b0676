#include "qt/binder/grid_order_proxy.h"

namespace qtplatform {

GridOrderProxy::GridOrderProxy(ui::Grid& grid, GridTableModel& table, QObject* parent)
    : QSortFilterProxyModel(parent), grid_(grid), table_(table) {
    setDynamicSortFilter(false);
    setSourceModel(&table);
}

int GridOrderProxy::gridRow(int viewRow) const {
    const QModelIndex source = mapToSource(index(viewRow, 0));
    return source.isValid() ? table_.gridRow(source.row()) : -1;
}

int GridOrderProxy::viewRow(int gridRow) const {
    return viewIndex(gridRow, 0).row();
}

QModelIndex GridOrderProxy::viewIndex(int gridRow, int column) const {
    return mapFromSource(table_.index(table_.tableRow(gridRow), column));
}

void GridOrderProxy::applySort() {
    sort(grid_.SortColumn(), grid_.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool GridOrderProxy::outOfPlace(int gridRow) const {
    const int row = viewRow(gridRow);
    if ((row >= 0) != grid_.Admits(gridRow)) {
        return true;
    }
    const int column = grid_.SortColumn();
    if (row < 0 || column < 0) {
        return false;
    }
    const auto before = [this, column](int upper, int lower) {
        return grid_.SortDescending() ? grid_.RowLess(column, lower, upper)
                                      : grid_.RowLess(column, upper, lower);
    };
    return (row > 0 && !before(this->gridRow(row - 1), gridRow)) ||
           (row + 1 < rowCount() && !before(gridRow, this->gridRow(row + 1)));
}

void GridOrderProxy::reorder() {
    invalidateFilter();
    applySort();
}

bool GridOrderProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return grid_.RowLess(left.column(), table_.gridRow(left.row()), table_.gridRow(right.row()));
}

bool GridOrderProxy::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
    return grid_.Admits(table_.gridRow(sourceRow));
}

}  // namespace qtplatform
