#include "qt/binder/tile_board_view.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>

#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// One frame of a 60 Hz display: the board is painted at most this often, and a change waits at
// most six of them for its paint.
constexpr int kFrameMs = 16;
constexpr int kLongestPaintWaitMs = 6 * kFrameMs;
constexpr qreal kTileAspect = 5.0 / 3.0;  // width to height
constexpr qreal kLargestCellWidth = 168;
constexpr qreal kMargin = 6;
// The face is the base colour with this much of the accent.
constexpr qreal kTint = 0.14;

QColor blend(const QColor& base, const QColor& over, qreal share) {
    const auto mix = [share](int a, int b) { return static_cast<int>(a + (b - a) * share); };
    return QColor(mix(base.red(), over.red()), mix(base.green(), over.green()),
                  mix(base.blue(), over.blue()));
}

}  // namespace

TileBoardView::TileBoardView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    paintAtLatest_.setSingleShot(true);
    paintAtLatest_.setInterval(kLongestPaintWaitMs);
    connect(&paintAtLatest_, &QTimer::timeout, this, [this] { paintPending(true); });
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] { paintPending(false); });
    sincePaint_.start();
}

void TileBoardView::setBoard(ui::TileBoard& board) {
    board_ = &board;
    refresh();
}

void TileBoardView::setLook(std::unique_ptr<TileLook> look) {
    look_ = std::move(look);
    update();
}

void TileBoardView::refresh() {
    gathered_ = false;
    repaintSoon();
}

void TileBoardView::repaintSoon() {
    repaintSoon(rect());
}

void TileBoardView::repaintSoon(const QRect& area) {
    if (!isVisible()) {
        return;
    }
    if (unpainted_.isEmpty()) {
        paintAtLatest_.start();
    }
    unpainted_ += area;
}

void TileBoardView::rowsChanged(int top, int bottom) {
    if (!gathered_ || board_ == nullptr) {
        repaintSoon();
        return;
    }
    const ui::Grid& grid = board_->Rows();
    for (int row = std::max(top, grid.FixedRows()); row <= std::min(bottom, grid.Rows() - 1);
         ++row) {
        const Tile* tile = tileOf(row);
        const std::optional<ui::TileSpot> spot =
            grid.Admits(row) && board_->SpotOf ? board_->SpotOf(row) : std::nullopt;
        if (spot.has_value() != (tile != nullptr) || (tile != nullptr && !(*spot == tile->spot))) {
            refresh();  // a tile came, went or moved
            return;
        }
        if (tile != nullptr) {
            repaintSoon(cellRect(tile->spot).toAlignedRect());
        }
    }
}

// When the event loop runs out of work; `late` when a change has waited long enough.
void TileBoardView::paintPending(bool late) {
    if (unpainted_.isEmpty()) {
        return;
    }
    if (!late && sincePaint_.elapsed() < kFrameMs) {
        paintAtLatest_.start(kFrameMs - static_cast<int>(sincePaint_.elapsed()));
        return;
    }
    paintAtLatest_.stop();
    update(std::exchange(unpainted_, QRegion()));
}

QRectF TileBoardView::tileRect(int gridRow) {
    gather();
    const Tile* tile = tileOf(gridRow);
    return tile != nullptr ? cellRect(tile->spot) : QRectF();
}

void TileBoardView::gather() {
    if (gathered_ || board_ == nullptr) {
        return;
    }
    gathered_ = true;
    tiles_.clear();
    const ui::Grid& grid = board_->Rows();
    int lastColumn = 0;
    int lastLine = 0;
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row) {
        if (!grid.Admits(row) || !board_->SpotOf) {
            continue;
        }
        if (const std::optional<ui::TileSpot> spot = board_->SpotOf(row)) {
            tiles_.push_back({row, *spot});
            lastColumn = std::max(lastColumn, spot->column);
            lastLine = std::max(lastLine, spot->line);
        }
    }
    columns_ = tiles_.empty() ? 1 : lastColumn + 2;
    lines_ = tiles_.empty() ? 1 : lastLine + 2;
    const qreal across = (width() - 2 * kMargin) / columns_;
    const qreal down = (height() - 2 * kMargin) / lines_ * kTileAspect;
    cellWidth_ = std::max<qreal>(1, std::min({kLargestCellWidth, across, down}));
}

QRectF TileBoardView::cellRect(ui::TileSpot spot) const {
    const qreal cellHeight = cellWidth_ / kTileAspect;
    return {kMargin + spot.column * cellWidth_, kMargin + spot.line * cellHeight, cellWidth_,
            cellHeight};
}

std::optional<ui::TileSpot> TileBoardView::spotAt(QPointF at) const {
    const qreal cellHeight = cellWidth_ / kTileAspect;
    const int column = static_cast<int>(std::floor((at.x() - kMargin) / cellWidth_));
    const int line = static_cast<int>(std::floor((at.y() - kMargin) / cellHeight));
    if (column < 0 || line < 0 || column >= columns_ || line >= lines_) {
        return std::nullopt;
    }
    return ui::TileSpot{column, line};
}

const TileBoardView::Tile* TileBoardView::tileAt(QPointF at) const {
    const std::optional<ui::TileSpot> spot = spotAt(at);
    if (!spot) {
        return nullptr;
    }
    const auto found = std::find_if(tiles_.begin(), tiles_.end(),
                                    [&spot](const Tile& tile) { return tile.spot == *spot; });
    return found != tiles_.end() ? &*found : nullptr;
}

const TileBoardView::Tile* TileBoardView::tileOf(int row) const {
    const auto found = std::find_if(tiles_.begin(), tiles_.end(),
                                    [row](const Tile& tile) { return tile.row == row; });
    return found != tiles_.end() ? &*found : nullptr;
}

void TileBoardView::resizeEvent(QResizeEvent* event) {
    gathered_ = false;
    QWidget::resizeEvent(event);
}

void TileBoardView::paintEvent(QPaintEvent* event) {
    sincePaint_.restart();
    gather();
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    if (board_ == nullptr) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int current = board_->Rows().Row();
    const Lettering lettering(font(), cellRect({}).height());
    const Tile* dragged = draggedTo_ ? tileOf(pressedRow_) : nullptr;
    for (const Tile& tile : tiles_) {
        const QRectF cell = cellRect(tile.spot);
        if (&tile != dragged && event->region().intersects(cell.toAlignedRect())) {
            paintTile(painter, lettering, tile, cell, tile.row == current);
        }
    }
    if (dragged != nullptr) {
        // Where it would land, then the tile itself under the pointer.
        if (const std::optional<ui::TileSpot> target = spotAt(*draggedTo_)) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(cellRect(*target).adjusted(2, 2, -2, -2), 4, 4);
        }
        QRectF box = cellRect(dragged->spot);
        box.moveCenter(*draggedTo_);
        painter.setOpacity(0.85);
        paintTile(painter, lettering, *dragged, box, dragged->row == current);
    }
}

namespace {

// Three lines to a tile, within what stays readable.
QFont tileFont(QFont font, qreal tileHeight, bool bold) {
    font.setPixelSize(std::clamp(static_cast<int>(tileHeight / 4.2), 8, 14));
    font.setBold(bold);
    return font;
}

}  // namespace

TileBoardView::Lettering::Lettering(const QFont& base, qreal tileHeight)
    : plain(tileFont(base, tileHeight, false)),
      bold(tileFont(base, tileHeight, true)),
      plainMetrics(plain),
      boldMetrics(bold) {}

void TileBoardView::paintTile(QPainter& painter, const Lettering& lettering, const Tile& tile,
                              const QRectF& cell, bool current) {
    const TileDress dress = look_ != nullptr ? look_->dress(tile.row) : TileDress{};
    const QPalette& colors = palette();
    const QColor accent = dress.accent.isValid() ? dress.accent : colors.color(QPalette::Mid);
    const qreal gap = std::max<qreal>(1.5, cell.width() * 0.03);
    const QRectF box = cell.adjusted(gap, gap, -gap, -gap);
    const QColor face = current ? colors.color(QPalette::Highlight)
                                : blend(colors.color(QPalette::Base), accent, kTint);
    const QColor text =
        current ? colors.color(QPalette::HighlightedText) : colors.color(QPalette::Text);
    painter.setPen(QPen(current ? text : accent, current ? 2.5 : 1.5));
    painter.setBrush(face);
    painter.drawRoundedRect(box, 4, 4);

    const std::vector<std::string> lines =
        board_->TextsOf ? board_->TextsOf(tile.row) : std::vector<std::string>{};
    const qreal pad = std::max<qreal>(1.5, box.height() * 0.05);
    const QRectF inner = box.adjusted(pad, pad, -pad, -pad);
    const qreal lineHeight = lettering.boldMetrics.height();
    // As many lines as the tile holds: the name, and then the last lines (the time left
    // matters more than who uses it).
    const auto fitting = static_cast<std::size_t>(std::max<qreal>(1, inner.height() / lineHeight));
    const std::size_t skipped = lines.size() > fitting ? lines.size() - fitting : 0;
    const qreal iconSide = dress.icon.isNull() ? 0 : lineHeight;
    qreal y = inner.top();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && i <= skipped) {
            continue;
        }
        QRectF line(inner.left(), y, inner.width(), lineHeight);
        const bool last = i + 1 == lines.size();
        const bool bold = i == 0 || (last && dress.emphasised);
        painter.setFont(bold ? lettering.bold : lettering.plain);
        painter.setPen(last && dress.emphasised && !current ? accent : text);
        if (i == 0 && iconSide > 0) {
            painter.drawPixmap(QPointF(line.left(), y),
                               iconPixmap(dress.icon, static_cast<int>(iconSide),
                                          current ? QIcon::Selected : QIcon::Normal));
            line.setLeft(line.left() + iconSide + 2);
        }
        const QFontMetricsF& metrics = bold ? lettering.boldMetrics : lettering.plainMetrics;
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(toQt(lines[i]), Qt::ElideRight, line.width()));
        y += lineHeight;
    }
    if (dress.marked && look_ != nullptr) {
        const qreal side = std::min(lineHeight, box.height() / 2.5);
        look_->paintMark(painter, QRectF(box.right() - side - 1, box.top() + 1, side, side));
    }
}

void TileBoardView::mousePressEvent(QMouseEvent* event) {
    gather();
    setFocus(Qt::MouseFocusReason);
    const Tile* tile = tileAt(event->position());
    pressedRow_ = tile != nullptr && event->button() == Qt::LeftButton ? tile->row : -1;
    pressedAt_ = event->position().toPoint();
    draggedTo_.reset();
}

void TileBoardView::mouseMoveEvent(QMouseEvent* event) {
    if (pressedRow_ < 0 || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    if (draggedTo_ || (event->position().toPoint() - pressedAt_).manhattanLength() >=
                          QApplication::startDragDistance()) {
        draggedTo_ = event->position();
        update();
    }
}

void TileBoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (board_ == nullptr) {
        return;
    }
    const int row = std::exchange(pressedRow_, -1);
    const std::optional<QPointF> dropped = std::exchange(draggedTo_, std::nullopt);
    if (event->button() == Qt::RightButton) {
        if (const Tile* tile = tileAt(event->position())) {
            ui::Raise(board_->TileMenu, tile->row);
        }
        return;
    }
    if (event->button() != Qt::LeftButton || row < 0) {
        return;
    }
    if (!dropped) {
        ui::Raise(board_->TileClick, row);
        update();
        return;
    }
    const Tile* tile = tileOf(row);
    const std::optional<ui::TileSpot> spot = spotAt(*dropped);
    if (tile != nullptr && spot && !(*spot == tile->spot)) {
        ui::Raise(board_->TileDropped, row, *spot);  // the window tells the new spots
    }
    update();  // without the dragged tile
}

void TileBoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    gather();
    if (board_ != nullptr && event->button() == Qt::LeftButton) {
        if (const Tile* tile = tileAt(event->position())) {
            ui::Raise(board_->TileDblClick, tile->row);
            update();
        }
    }
}

void TileBoardView::keyPressEvent(QKeyEvent* event) {
    gather();
    const int current = board_ != nullptr ? board_->Rows().Row() : -1;
    switch (event->key()) {
        case Qt::Key_Left:
            return moveHighlight(-1, 0);
        case Qt::Key_Right:
            return moveHighlight(1, 0);
        case Qt::Key_Up:
            return moveHighlight(0, -1);
        case Qt::Key_Down:
            return moveHighlight(0, 1);
        case Qt::Key_Space:
            if (tileOf(current) != nullptr) {
                ui::Raise(board_->TileDblClick, current);
                update();
            }
            return;
        case Qt::Key_Menu:
            if (tileOf(current) != nullptr) {
                ui::Raise(board_->TileMenu, current);
            }
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

// The nearest tile whose spot lies that way of the highlighted one (within a quarter turn);
// the first tile when none is highlighted.
void TileBoardView::moveHighlight(int dx, int dy) {
    if (board_ == nullptr || tiles_.empty()) {
        return;
    }
    const Tile* from = tileOf(board_->Rows().Row());
    const Tile* best = from == nullptr ? &tiles_.front() : nullptr;
    double bestDistance = std::numeric_limits<double>::max();
    for (const Tile& tile : tiles_) {
        if (from == nullptr) {
            break;
        }
        const int along =
            (tile.spot.column - from->spot.column) * dx + (tile.spot.line - from->spot.line) * dy;
        const int across = std::abs((tile.spot.column - from->spot.column) * dy) +
                           std::abs((tile.spot.line - from->spot.line) * dx);
        if (along <= 0 || across > along) {
            continue;
        }
        const double distance = along + 2.0 * across;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &tile;
        }
    }
    if (best != nullptr) {
        ui::Raise(board_->TileClick, best->row);
        update();
    }
}

const QPixmap& TileBoardView::iconPixmap(const QIcon& icon, int side, QIcon::Mode mode) {
    // A few states in two modes: more means the tiles changed size.
    constexpr std::size_t kMostKept = 32;
    const auto key = std::make_tuple(icon.cacheKey(), side, static_cast<int>(mode));
    if (const auto found = icons_.find(key); found != icons_.end()) {
        return found->second;
    }
    if (icons_.size() >= kMostKept) {
        icons_.clear();
    }
    return icons_.emplace(key, icon.pixmap(QSize(side, side), devicePixelRatioF(), mode))
        .first->second;
}

// The icons take their colours from the palette.
void TileBoardView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        icons_.clear();
    }
    QWidget::changeEvent(event);
}

bool TileBoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && look_ != nullptr) {
        gather();
        auto* help = static_cast<QHelpEvent*>(event);
        const Tile* tile = tileAt(help->pos());
        const QString tip = tile != nullptr ? look_->toolTip(tile->row) : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace qtplatform
