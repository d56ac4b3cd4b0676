#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "ui/grid.h"

namespace qtplatform {

// What a window draws in one of its grids beyond the texts and cell colours of the model: icons,
// text colours, fonts, tool tips, each drawn from cells of its row. An empty value leaves the role
// as the model has it.
class GridCellLook {
public:
    virtual ~GridCellLook() = default;
    virtual QVariant data(int gridRow, int column, int role) const = 0;
    // The columns whose drawing reads cells of the columns left to right (a client's icon by its
    // name reads its mode), so that they are drawn anew when those cells change.
    virtual std::vector<int> columnsReading(int left, int right) const = 0;
};

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

    void setCellLook(std::unique_ptr<GridCellLook> look);

private:
    ui::Grid& grid_;
    int headerRows_ = 0;
    std::unique_ptr<GridCellLook> look_;
};

}  // namespace qtplatform
