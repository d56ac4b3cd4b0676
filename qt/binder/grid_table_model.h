#pragma once

#include <QAbstractTableModel>

#include "ui/grid.h"

namespace qtplatform {

// The grid control model seen as a table. The grid's fixed rows become the horizontal header, so
// they stay in sight while the body scrolls; body row r of the table is grid row r + FixedRows.
// Fixed columns stay ordinary columns, painted in the fixed colour.
class GridTableModel : public QAbstractTableModel {
public:
    GridTableModel(ui::Grid& grid, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int headerRows() const { return headerRows_; }
    int gridRow(int tableRow) const { return tableRow + headerRows_; }
    int tableRow(int gridRow) const { return gridRow - headerRows_; }

    // One ranged change signal for a block of grid cells (header cells: one header signal).
    void cellsChanged(int top, int left, int bottom, int right);
    // Rows, columns or fixed rows changed: the whole table is new.
    void reshape();
    // A colour that applies to every cell changed.
    void repaintAll();

private:
    ui::Grid& grid_;
    int headerRows_ = 0;
};

}  // namespace qtplatform
