#include <QAbstractEventDispatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "qt/binder/appearance.h"
#include "qt/binder/grid_order_proxy.h"
#include "qt/binder/grid_table_model.h"
#include "qt/binder/keys.h"
#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"

namespace qtplatform {
namespace {

constexpr int kTwipsPerPixel = 15;
// One frame of a 60 Hz display: the table is drawn at most this often while changes pour in.
constexpr int kFrameMs = 16;
constexpr int kLongestReorderWaitMs = 6 * kFrameMs;

int mouseButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int mouseButtonsOf(Qt::MouseButtons buttons) {
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
           (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

// The header row of a grid. Its sections take the grid's column widths, never the widths of
// their cells, and its height comes from its own labels. QHeaderView forgets its measured
// height on every change of the cells (in case a section sizes to its contents) and measures
// all its labels again at the next layout of the table: each client record of a refresh would
// pay for that.
class GridHeaderView : public QHeaderView {
public:
    // Takes over the settings of the header the layout designed, to take its place.
    explicit GridHeaderView(const QHeaderView& designed)
        : QHeaderView(Qt::Horizontal, designed.parentWidget()) {
        setSectionsClickable(designed.sectionsClickable());
        setHighlightSections(designed.highlightSections());
        setStretchLastSection(designed.stretchLastSection());
    }

protected:
    void dataChanged(const QModelIndex&, const QModelIndex&, const QList<int>&) override {}
};

// Keeps a QTableView and its grid model in step: cells by range, shape, row heights and column
// widths, and the current cell, selection and top row in both directions. Between the two sits
// the grid's order of its rows for the view (sort and filter): every row that passes is mapped.
class GridViewAdapter : public QObject, public ui::GridObserver {
public:
    GridViewAdapter(ui::Grid& grid, QTableView& view, ControlBinding& binding)
        : QObject(&binding),
          grid_(grid),
          view_(view),
          binding_(binding),
          model_(new GridTableModel(grid, &view)),
          order_(new GridOrderProxy(grid, *model_, &view)) {
        view_.setHorizontalHeader(new GridHeaderView(*view_.horizontalHeader()));
        view_.setModel(order_);
        view_.verticalHeader()->hide();
        view_.verticalHeader()->setMinimumSectionSize(1);
        view_.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view_.horizontalHeader()->setMinimumSectionSize(1);
        view_.setEditTriggers(QAbstractItemView::NoEditTriggers);
        if (view_.selectionMode() != QAbstractItemView::SingleSelection) {
            view_.setSelectionMode(QAbstractItemView::ContiguousSelection);
        }
        view_.setMouseTracking(true);
        frameEnd_.setSingleShot(true);
        frameEnd_.setInterval(kFrameMs);
        QObject::connect(&frameEnd_, &QTimer::timeout, this, [this] { resumePainting(); });
        reorderAtLatest_.setSingleShot(true);
        reorderAtLatest_.setInterval(kLongestReorderWaitMs);
        QObject::connect(&reorderAtLatest_, &QTimer::timeout, this, [this] { reorder(); });
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                             if (reorderPending_) {
                                 reorder();
                             }
                         });
        grid_.addGridObserver(this);
        shapeChanged();
        sortChanged();
        connectView();
    }

    ~GridViewAdapter() override { grid_.removeGridObserver(this); }

    int gridRow(int viewRow) const { return order_->gridRow(viewRow); }

    // New texts repaint only their cells; the view merges what changed before it paints. Rows
    // the new texts put out of order or out of the filter are put right soon after.
    void cellsChanged(int top, int left, int bottom, int right) override {
        fromModel([&] { model_->cellsChanged(top, left, bottom, right); });
        const int last = std::min(bottom, grid_.Rows() - 1);
        for (int row = std::max(top, model_->headerRows()); row <= last; ++row) {
            if (order_->outOfPlace(row)) {
                reorderSoon();
                return;
            }
        }
    }

    void shapeChanged() override {
        fromModel([this] {
            model_->reshape();
            if (grid_.SortColumn() >= 0) {
                order_->applySort();
            }
            applyGeometry(0, grid_.Rows() - 1, true);
        });
        selectionChanged();
    }

    void geometryChanged(int top, int bottom, bool columns) override {
        if (fromView_) {
            return;  // the operator's drag, already on screen
        }
        // Sizes set here are the model's own, not the operator's drags.
        fromModel([&] { applyGeometry(top, bottom, columns); });
    }

    // A new filter (the operator typing) is applied at once.
    void filterChanged() override { reorder(); }

    void sortChanged() override {
        fromModel([this] {
            QHeaderView& header = *view_.horizontalHeader();
            header.setSortIndicatorShown(grid_.SortColumn() >= 0);
            header.setSortIndicator(grid_.SortColumn(), grid_.SortDescending()
                                                            ? Qt::DescendingOrder
                                                            : Qt::AscendingOrder);
            order_->applySort();
            const QModelIndex current = order_->viewIndex(grid_.Row(), grid_.Col());
            if (current.isValid()) {
                view_.scrollTo(current);
            }
        });
        topRowFromView();
    }

    // Row heights of grid rows top to bottom, and the column widths when asked. A client
    // record shows or hides its one row: only that row is applied.
    void applyGeometry(int top, int bottom, bool columns) {
        paintAtFrameEnd();
        if (top <= 0) {
            view_.horizontalHeader()->setVisible(model_->headerRows() > 0 &&
                                                 grid_.RowHeight(0) > 0);
            // Rows at the default height are nothing the vertical header has to remember
            // through a new order of the rows, which it would otherwise do row by row.
            const int pixels = grid_.DefaultRowHeight() / kTwipsPerPixel;
            if (pixels > 0 && pixels != view_.verticalHeader()->defaultSectionSize()) {
                view_.verticalHeader()->setDefaultSectionSize(pixels);
            }
        }
        const int first = std::max(top, model_->headerRows());
        const int last = std::min(bottom, grid_.Rows() - 1);
        for (int row = first; row <= last; ++row) {
            applyRowHeight(row, order_->viewRow(row));
        }
        if (!columns) {
            return;
        }
        for (int col = 0; col < grid_.Cols(); ++col) {
            const int pixels = grid_.ColWidth(col) / kTwipsPerPixel;
            view_.setColumnHidden(col, pixels == 0);
            if (pixels > 0) {
                view_.setColumnWidth(col, pixels);
            }
        }
    }

    void selectionChanged() override {
        if (fromView_) {
            return;
        }
        fromModel([this] {
            const QModelIndex current = order_->viewIndex(grid_.Row(), grid_.Col());
            const QModelIndex corner = order_->viewIndex(grid_.RowSel(), grid_.ColSel());
            QItemSelectionModel* selection = view_.selectionModel();
            if (current.isValid()) {
                selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
                const QModelIndex far = corner.isValid() ? corner : current;
                QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
                if (view_.selectionBehavior() == QAbstractItemView::SelectRows) {
                    flags |= QItemSelectionModel::Rows;
                }
                selection->select(QItemSelection(current, far), flags);
            } else {
                selection->clear();
            }
            if (grid_.TopRow() != appliedTopRow_) {
                appliedTopRow_ = grid_.TopRow();
                const QModelIndex top = order_->viewIndex(grid_.TopRow(), 0);
                if (top.isValid()) {
                    view_.scrollTo(top, QAbstractItemView::PositionAtTop);
                }
            }
        });
    }

    void repaintAll() { model_->repaintAll(); }

private:
    // A refresh is a burst of client records, and each new order lays out and paints the whole
    // table: the rows are put in place when the event loop runs out of work (the records have
    // stopped coming), at the latest a few frames after the first that needed it. Until then
    // nothing is painted: the rows that changed are not where they belong.
    void reorderSoon() {
        if (reorderPending_) {
            return;
        }
        reorderPending_ = true;
        view_.setUpdatesEnabled(false);
        reorderAtLatest_.start();
    }

    void reorder() {
        reorderPending_ = false;
        reorderAtLatest_.stop();
        fromModel([this] {
            order_->reorder();
            // Laid out now, while nothing is painted: one paint then shows the new order.
            view_.doItemsLayout();
        });
        selectionChanged();
        topRowFromView();
        resumePainting();
    }

    void resumePainting() {
        if (!frameEnd_.isActive() && !reorderPending_) {
            view_.setUpdatesEnabled(grid_.Redraw);
        }
    }

    void applyRowHeight(int gridRow, int viewRow) {
        if (viewRow < 0) {
            return;
        }
        const int pixels = grid_.RowHeight(gridRow) / kTwipsPerPixel;
        view_.setRowHidden(viewRow, pixels == 0);
        if (pixels > 0) {
            view_.setRowHeight(viewRow, pixels);
        }
    }

    // The console lets events run after every client record it lays into the grid, and each of
    // those passes would repaint what the record changed. While rows appear or go (the first
    // refresh after a connection) every row moves and the scroll bar with it, 255 times for a
    // full café. The table is then drawn once a frame instead: the first row shown or hidden
    // stops the painting of the whole view (cells, header and scroll bars), and the end of the
    // frame paints it whole. New texts alone repaint only their cells.
    void paintAtFrameEnd() {
        if (frameEnd_.isActive()) {
            return;
        }
        view_.setUpdatesEnabled(false);
        frameEnd_.start();
    }

    void connectView() {
        QItemSelectionModel* selection = view_.selectionModel();
        QObject::connect(selection, &QItemSelectionModel::selectionChanged, this,
                         [this] { selectionFromView(); });
        QObject::connect(selection, &QItemSelectionModel::currentChanged, this,
                         [this] { selectionFromView(); });
        QObject::connect(view_.verticalScrollBar(), &QScrollBar::valueChanged, this,
                         [this] { topRowFromView(); });
        // A column border dragged by the operator: the model keeps the new width, so later
        // changes of the table keep it too and the window's rules see it.
        QObject::connect(view_.horizontalHeader(), &QHeaderView::sectionResized, this,
                         [this](int column, int, int pixels) {
                             fromView([&] { grid_.SetColWidth(column, pixels * kTwipsPerPixel); });
                         });
        QObject::connect(view_.horizontalHeader(), &QHeaderView::sectionClicked, this,
                         [this](int column) { ui::Raise(grid_.HeaderClick, column); });
        // Rows a filter lets through again, or a record brings in, are new to the view.
        QObject::connect(order_, &QAbstractItemModel::rowsInserted, this,
                         [this](const QModelIndex&, int first, int last) {
                             for (int row = first; row <= last; ++row) {
                                 applyRowHeight(order_->gridRow(row), row);
                             }
                         });
        QObject::connect(&view_, &QTableView::clicked, this, [this] { ui::Raise(grid_.Click); });
        QObject::connect(&view_, &QTableView::doubleClicked, this,
                         [this] { ui::Raise(grid_.DblClick); });
    }

    // Brings a change of the model to the view without the view's answers (a current row that
    // Qt moves when its row leaves the view) echoing back.
    template <typename Change>
    void fromModel(Change change) {
        const bool wasApplying = std::exchange(applying_, true);
        change();
        applying_ = wasApplying;
    }

    // Writes the view's state into the model without it echoing back.
    template <typename Change>
    void fromView(Change change) {
        if (applying_ || binding_.applying()) {
            return;
        }
        fromView_ = true;
        change();
        fromView_ = false;
    }

    void selectionFromView() {
        fromView([this] {
            const QModelIndex current = view_.selectionModel()->currentIndex();
            if (!current.isValid()) {
                return;
            }
            int farRow = current.row();
            int farCol = current.column();
            for (const QItemSelectionRange& range : view_.selectionModel()->selection()) {
                if (range.contains(current)) {
                    farRow = range.top() == current.row() ? range.bottom() : range.top();
                    farCol = range.left() == current.column() ? range.right() : range.left();
                }
            }
            grid_.SetRow(order_->gridRow(current.row()));
            grid_.SetCol(current.column());
            grid_.SetRowSel(order_->gridRow(farRow));
            grid_.SetColSel(farCol);
            ui::Raise(grid_.SelChange);
        });
    }

    void topRowFromView() {
        fromView([this] {
            const int top = view_.rowAt(0);
            if (top >= 0) {
                grid_.SetTopRow(order_->gridRow(top));
                appliedTopRow_ = grid_.TopRow();
            }
        });
    }

    ui::Grid& grid_;
    QTableView& view_;
    ControlBinding& binding_;
    GridTableModel* model_;
    GridOrderProxy* order_;
    bool applying_ = false;
    bool fromView_ = false;
    int appliedTopRow_ = -1;
    QTimer frameEnd_;
    bool reorderPending_ = false;
    QTimer reorderAtLatest_;
};

// The cell under the pointer (row in grid numbering, the header being the fixed rows), then the
// mouse event for the handler, positions in twips.
void bindMouse(ui::Grid& grid, QTableView& view, const GridViewAdapter& adapter,
               ControlBinding& binding) {
    auto locate = [&grid, &view, &adapter](const QMouseEvent& mouse) {
        const QModelIndex index = view.indexAt(mouse.position().toPoint());
        grid.setMouseCell(index.isValid() ? adapter.gridRow(index.row()) : -1,
                          index.isValid() ? index.column() : -1);
    };
    QWidget& area = *view.viewport();
    binding.onEvent(area, QEvent::MouseMove, [&grid, locate](QEvent& event) {
        const auto& mouse = static_cast<QMouseEvent&>(event);
        locate(mouse);
        const QPoint at = mouse.position().toPoint();
        ui::Raise(grid.MouseMove, mouseButtonsOf(mouse.buttons()), shiftStateOf(mouse.modifiers()),
                  at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
        return false;
    });
    // The right button opens the context menu on MouseUp and leaves the selection alone.
    binding.onEvent(area, QEvent::MouseButtonPress, [](QEvent& event) {
        return static_cast<QMouseEvent&>(event).button() == Qt::RightButton;
    });
    binding.onEvent(area, QEvent::MouseButtonRelease, [&grid, locate](QEvent& event) {
        const auto& mouse = static_cast<QMouseEvent&>(event);
        locate(mouse);
        const QPoint at = mouse.position().toPoint();
        ui::Raise(grid.MouseUp, mouseButtonOf(mouse.button()), shiftStateOf(mouse.modifiers()),
                  at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
        return false;
    });
}

void applySelectionColors(QTableView& view, const ui::Grid& grid) {
    QPalette palette = view.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, toQColor(grid.BackColorSel));
        palette.setColor(group, QPalette::HighlightedText, toQColor(grid.ForeColorSel));
    }
    view.setPalette(palette);
}

}  // namespace

void bindGrid(ui::Grid& grid, ControlBinding& binding) {
    auto& view = expectWidget<QTableView>(binding, "QTableView");
    bindWidgetBasics(binding, view);
    auto* adapter = new GridViewAdapter(grid, view, binding);
    // The grid is one stop of the window's tab order, so the controls after it can be reached by
    // keyboard; the arrow keys move between its cells.
    view.setTabKeyNavigation(false);
    bindMouse(grid, view, *adapter, binding);
    binding.onEvent(view, QEvent::KeyPress, [&grid, &view](QEvent& event) {
        return offerKeyPress(view, static_cast<QKeyEvent&>(event), grid.KeyPress);
    });
    binding.mirror({"BackColor", "BackColorFixed"}, [adapter] { adapter->repaintAll(); });
    binding.mirror({"BackColorBkg"}, [&] { applyColor(view, QPalette::Base, grid.BackColorBkg); });
    binding.mirror({"BackColorSel", "ForeColorSel"}, [&] { applySelectionColors(view, grid); });
    binding.mirror({"Redraw"}, [&] { view.setUpdatesEnabled(grid.Redraw); });
}

}  // namespace qtplatform
