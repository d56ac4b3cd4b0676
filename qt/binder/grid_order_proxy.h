#pragma once

#include <QSortFilterProxyModel>

#include "qt/binder/grid_table_model.h"
#include "ui/grid.h"

namespace qtplatform {

// The grid's table in the order and with the rows its view rules give (ui::Grid::SetRowOrder).
// Rows are grid rows in the grid and view rows here: everything that passes between the view and
// the grid is mapped, so the grid keeps its rows where they are.
//
// The order is not kept up by every change of a cell: a refresh brings a record per client, and
// moving a row for each would lay out and paint the whole table each time. The view asks whether
// changed rows are out of place and has them put in place once a frame.
class GridOrderProxy : public QSortFilterProxyModel {
public:
    GridOrderProxy(ui::Grid& grid, GridTableModel& table, QObject* parent);

    // The grid row of a view row, and the view row of a grid row (-1 when the view leaves it out).
    int gridRow(int viewRow) const;
    int viewRow(int gridRow) const;
    QModelIndex viewIndex(int gridRow, int column) const;

    // Sorts as the grid says; the rows' own order when it names no column.
    void applySort();
    // A grid row that the rules now let through or leave out otherwise than the view shows, or
    // that its new cells move away from its neighbours in the sort.
    bool outOfPlace(int gridRow) const;
    // Filters every row again and sorts again.
    void reorder();

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    ui::Grid& grid_;
    GridTableModel& table_;
};

}  // namespace qtplatform
