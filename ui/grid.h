#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/color.h"
#include "ui/control.h"

namespace ui {

// The view side of a grid: told about changes by range so a table view can repaint exactly what
// changed. Changes made between BeginUpdate and EndUpdate are reported once, as their hull.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    virtual void cellsChanged(int top, int left, int bottom, int right) = 0;
    virtual void shapeChanged() = 0;  // Rows, Cols, FixedRows or FixedCols
    // Row heights from top to bottom changed (none when top > bottom), and column widths when
    // columns is true.
    virtual void geometryChanged(int top, int bottom, bool columns) = 0;
    virtual void selectionChanged() = 0;  // Row, Col, RowSel, ColSel, TopRow
    // The operator's sort column or direction changed.
    virtual void sortChanged() = 0;
    // The rows the view admits may have changed (a new filter).
    virtual void filterChanged() = 0;
};

// How a view may order and thin out the body rows for the eye. The rows themselves never move:
// row numbers, cells, colours and the current row stay the model's, and the view maps its own
// rows to them. Without rules a view shows the rows in their order, all of them.
struct RowOrder {
    // Row `left` comes before row `right` when the view sorts up by `column`.
    std::function<bool(int column, int left, int right)> less;
    // False for a row the view leaves out.
    std::function<bool(int row)> admits;
};

// The flexible grid: a matrix of texts with fixed header rows and columns, per-cell background
// colours, row heights and column widths in twips, and a current cell with a selection range.
class Grid : public Control {
public:
    Grid(Form& form, std::string name, int rows = 2, int cols = 2);
    const char* Kind() const override { return "Grid"; }

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    void SetRows(int rows);
    void SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int n);
    void SetFixedCols(int n);

    const std::string& TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const std::string& text);

    Color CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, Color color);

    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // The height of every row not given one of its own.
    void SetDefaultRowHeight(int twips);

    // The current cell and the far corner of the selection.
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    int TopRow() const { return topRow_; }
    // Setting Row or Col collapses the selection onto the new current cell, like the original.
    void SetRow(int row);
    void SetCol(int col);
    void SetRowSel(int row);
    void SetColSel(int col);
    void SetTopRow(int row);

    // The rules a view orders and filters the body rows by; the sort the operator chose (column
    // -1: the rows' own order). A row the rules leave out is never current: the current row
    // becomes 0 instead, so a command for the highlighted row never reaches one out of sight.
    void SetRowOrder(RowOrder order);
    bool RowLess(int column, int left, int right) const;
    bool Admits(int row) const;
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    void Sort(int column, bool descending);
    // What `admits` reads has changed (a filter text): the view asks every row again.
    void Refilter();

    // The cell under the pointer, as the view last reported it (-1 when none).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }
    void setMouseCell(int row, int col) {
        mouseRow_ = row;
        mouseCol_ = col;
    }

    Property<Color> BackColor{*this, "BackColor", colors::WindowBackground};
    Property<Color> BackColorBkg{*this, "BackColorBkg", colors::AppWorkspace};
    Property<Color> BackColorSel{*this, "BackColorSel", colors::Highlight};
    Property<Color> ForeColorSel{*this, "ForeColorSel", colors::HighlightText};
    Property<Color> BackColorFixed{*this, "BackColorFixed", colors::ButtonFace};
    Property<bool> Redraw{*this, "Redraw", true};

    // Collects every change until the matching EndUpdate into one report to the observer.
    void BeginUpdate();
    void EndUpdate();

    // Every observer is told of every change: the view, and whatever else keeps track of the
    // grid (a count of its marked rows).
    void addGridObserver(GridObserver* observer);
    void removeGridObserver(GridObserver* observer);

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int& keyAscii)> KeyPress;
    // button (1 left, 2 right), shift state, x and y in twips.
    std::function<void(int button, int shift, int x, int y)> MouseMove;
    std::function<void(int button, int shift, int x, int y)> MouseUp;
    std::function<void()> SelChange;
    // A click on the header of a column (the view does not sort by itself).
    std::function<void(int column)> HeaderClick;

private:
    struct Cell {
        std::string text;
        Color back = 0;
        bool hasBack = false;
    };
    Cell& cell(int row, int col);
    const Cell* findCell(int row, int col) const;
    void touch(int row, int col);
    void flush();
    template <typename Tell>
    void tellObservers(Tell tell) const;
    void dropCurrentRowOutOfSight();
    bool validCell(int row, int col) const;

    int rows_;
    int cols_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<std::vector<Cell>> cells_;
    std::vector<int> rowHeights_;
    std::vector<int> colWidths_;
    int defaultRowHeight_ = 240;
    int defaultColWidth_ = 960;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    RowOrder order_;
    int sortColumn_ = -1;
    bool sortDescending_ = false;

    std::vector<GridObserver*> gridObservers_;
    int updateDepth_ = 0;
    bool dirty_ = false;
    int dirtyTop_ = 0, dirtyLeft_ = 0, dirtyBottom_ = -1, dirtyRight_ = -1;
    bool shapeDirty_ = false;
    int rowsResizedTop_ = 0, rowsResizedBottom_ = -1;
    bool columnsResized_ = false;
    bool selectionDirty_ = false;
    bool sortDirty_ = false;
    bool filterDirty_ = false;
};

}  // namespace ui
