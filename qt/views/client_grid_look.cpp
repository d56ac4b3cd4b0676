#include "qt/views/client_grid_look.h"

#include <QAbstractProxyModel>
#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "console/client_grid.h"
#include "console/client_state.h"
#include "console/kestova_main.h"
#include "qt/binder/grid_table_model.h"
#include "qt/binder/widget_basics.h"
#include "qt/views/client_looks.h"

namespace qtplatform {
namespace {

namespace grid = kestova::client_grid;
using kestova::ClientState;

// Whether the "No." cell's row is marked; passes through any proxy model like the other roles.
constexpr int kMarkedRole = Qt::UserRole + 1;

class ClientGridLook : public GridCellLook {
public:
    explicit ClientGridLook(const kestova::KestovaMain& main) : main_(main) {}

    QVariant data(int row, int column, int role) const override {
        if (column == grid::kNumber) {
            const bool marked = grid::IsMarked(main_.ConList, row, main_.BackColor);
            if (role == kMarkedRole) {
                return marked;
            }
            return role == Qt::ToolTipRole && marked ? QVariant("Marked") : QVariant();
        }
        if (!showsState(column, role)) {
            return {};
        }
        const std::optional<ClientState> state =
            kestova::ClientStateOfRow(main_.ConList, row, main_.ClientAlerts().alertMinutes());
        if (!state) {
            return {};
        }
        const ClientLook& look = clientLook(*state);
        const bool endingSoon = *state == ClientState::EndingSoon;
        switch (role) {
            case Qt::DecorationRole:
                return look.icon;
            case Qt::ToolTipRole:
                return look.name;
            case Qt::ForegroundRole:
                return column == grid::kInformation || endingSoon ? QBrush(look.color) : QVariant();
            case Qt::FontRole:
                return endingSoon ? boldFont() : QVariant();
            default:
                return {};
        }
    }

    // The mark reads the name's cell colour; the state drawn in the name, time and mode reads the
    // name (no client, no state), the user, the time and the mode.
    std::vector<int> columnsReading(int left, int right) const override {
        const auto reads = [left, right](int first, int last) {
            return left <= last && first <= right;
        };
        std::vector<int> columns;
        if (reads(grid::kClientName, grid::kClientName)) {
            columns.push_back(grid::kNumber);
        }
        if (reads(grid::kClientName, grid::kInformation)) {
            columns.insert(columns.end(), {grid::kClientName, grid::kTime, grid::kInformation});
        }
        return columns;
    }

private:
    static bool showsState(int column, int role) {
        switch (role) {
            case Qt::DecorationRole:
            case Qt::ToolTipRole:
                return column == grid::kClientName;
            case Qt::ForegroundRole:
                return column == grid::kInformation || column == grid::kTime;
            case Qt::FontRole:
                return column == grid::kTime;
            default:
                return false;
        }
    }

    // Only the weight: size and family stay the grid's.
    static QFont boldFont() {
        QFont bold;
        bold.setBold(true);
        return bold;
    }

    const kestova::KestovaMain& main_;
};

// A marked row's number on a tab with a check mark. The column is as narrow as its numbers, so the
// check mark takes the place of the number's full stop ("12." becomes "12" and the mark).
class MarkedNumberDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(kMarkedRole).toBool()) {
            return;
        }
        QString number = index.data(Qt::DisplayRole).toString();
        if (number.endsWith('.')) {
            number.chop(1);
        }
        const MarkLook look = markLook();
        const QRectF tab = QRectF(option.rect).adjusted(1, 1, -1, -1);
        const qreal numberWidth = QFontMetricsF(option.font).horizontalAdvance(number);
        const qreal checkSide =
            std::clamp(tab.width() - numberWidth - 2, tab.height() * 0.35, tab.height() * 0.6);
        const QRectF check(tab.right() - checkSide - 1, tab.center().y() - checkSide / 2, checkSide,
                           checkSide);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(look.tab);
        painter->drawRoundedRect(tab, 2, 2);
        painter->setClipRect(QRectF(tab.topLeft(), QPointF(check.left(), tab.bottom())));
        painter->setFont(option.font);
        painter->setPen(look.onTab);
        painter->drawText(tab.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, number);
        painter->restore();
        paintCheckMark(*painter, check, look.onTab);
    }
};

GridTableModel* gridModelOf(QTableView& view) {
    QAbstractItemModel* model = view.model();
    while (auto* proxy = qobject_cast<QAbstractProxyModel*>(model)) {
        model = proxy->sourceModel();
    }
    return dynamic_cast<GridTableModel*>(model);
}

}  // namespace

void dressClientGrid(kestova::KestovaMain& main, QWidget& window) {
    auto* view = window.findChild<QTableView*>(QString::fromStdString(main.ConList.Name()));
    GridTableModel* model = view != nullptr ? gridModelOf(*view) : nullptr;
    if (model == nullptr) {
        throw BindError("KestovaMain: the client grid has no bound table to draw its states in");
    }
    model->setCellLook(std::make_unique<ClientGridLook>(main));
    view->setItemDelegateForColumn(grid::kNumber, new MarkedNumberDelegate(view));
    // Icons as tall as the grid's letters leave the names their room in a column of fixed width.
    const int side = std::min(view->fontMetrics().height(),
                              view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view));
    view->setIconSize(QSize(side, side));
}

}  // namespace qtplatform
