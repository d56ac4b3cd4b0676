#include "qt/binder/grid_table_model.h"

#include <QBrush>
#include <QStringList>
#include <algorithm>

#include "qt/binder/appearance.h"
#include "qt/platform/text.h"

namespace qtplatform {

GridTableModel::GridTableModel(ui::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), headerRows_(grid.FixedRows()) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(grid_.Rows() - headerRows_, 0);
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Cols();
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = gridRow(index.row());
    const int col = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return toQt(grid_.TextMatrix(row, col));
        case Qt::BackgroundRole: {
            // A cell colour of 0 means "not set": the grid's own colour shows.
            const ui::Color own = grid_.CellBackColor(row, col);
            const ui::Color color = own != 0                  ? own
                                    : col < grid_.FixedCols() ? grid_.BackColorFixed.get()
                                                              : grid_.BackColor.get();
            return QBrush(toQColor(color));
        }
        default:
            return look_ ? look_->data(row, col, role) : QVariant();
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || headerRows_ == 0) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    QStringList lines;
    for (int row = 0; row < headerRows_; ++row) {
        lines << toQt(grid_.TextMatrix(row, section));
    }
    return lines.join('\n');
}

void GridTableModel::cellsChanged(int top, int left, int bottom, int right) {
    if (top < headerRows_) {
        emit headerDataChanged(Qt::Horizontal, left, right);
    }
    const int first = std::max(tableRow(top), 0);
    const int last = tableRow(bottom);
    if (last < first) {
        return;
    }
    emit dataChanged(index(first, left), index(last, right));
    if (!look_) {
        return;
    }
    for (const int column : look_->columnsReading(left, right)) {
        if (column < left || column > right) {
            emit dataChanged(index(first, column), index(last, column));
        }
    }
}

void GridTableModel::reshape() {
    beginResetModel();
    headerRows_ = grid_.FixedRows();
    endResetModel();
}

void GridTableModel::setCellLook(std::unique_ptr<GridCellLook> look) {
    look_ = std::move(look);
    repaintAll();
}

void GridTableModel::repaintAll() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

}  // namespace qtplatform
