#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "ui/tile_board.h"

namespace qtplatform {

// What a window draws on a tile beyond its texts, read from the tile's grid row.
struct TileDress {
    QColor accent;  // the border and the tint of the face; invalid: the palette's own
    QIcon icon;     // before the first line
    bool marked = false;
    bool emphasised = false;  // the last line in bold, in the accent
};

class TileLook {
public:
    virtual ~TileLook() = default;
    virtual TileDress dress(int gridRow) const = 0;
    virtual QString toolTip(int gridRow) const = 0;
    // Draws the sign of a marked tile into the corner box.
    virtual void paintMark(QPainter& painter, const QRectF& box) const = 0;
};

// The widget of a ui::TileBoard: the tiles of the board's rows on equal cells, scaled so the
// whole board fits the widget (one free column and line beyond the last tile leave room to
// move a tile out). The current row of the grid is the highlighted tile. A click highlights, a
// double click and Space mark, the right button and the menu key open the menu, the arrow keys
// move the highlight to the nearest tile that way, and a tile dragged onto another cell is
// dropped there. The layout, the layout's name "qtplatform::TileBoardView", keeps an empty
// widget until the binder gives it its board.
class TileBoardView : public QWidget {
    Q_OBJECT

public:
    explicit TileBoardView(QWidget* parent = nullptr);

    void setBoard(ui::TileBoard& board);
    void setLook(std::unique_ptr<TileLook> look);
    // Gathers the tiles again and paints them soon: their rows, texts or spots changed. A
    // refresh of the café is a burst of client records with events let run between them, and
    // each painting of the whole board costs as much as the burst: the board is painted once
    // the event loop runs out of work (the records have stopped coming), at the latest a few
    // frames after the first change.
    void refresh();
    // Paints the tiles again soon, as above (the highlight moved).
    void repaintSoon();
    // New texts in these grid rows: their tiles alone are painted again, unless a tile comes,
    // goes or moves with them. The board is painted at most once a frame.
    void rowsChanged(int top, int bottom);

    // Where the row's tile is drawn now; empty when it is not on the board.
    QRectF tileRect(int gridRow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Tile {
        int row;
        ui::TileSpot spot;
    };

    void gather();
    QRectF cellRect(ui::TileSpot spot) const;
    std::optional<ui::TileSpot> spotAt(QPointF at) const;
    const Tile* tileAt(QPointF at) const;
    const Tile* tileOf(int row) const;
    // The fonts of the tiles' lines, sized to the tiles: the same for every tile of a paint.
    struct Lettering {
        Lettering(const QFont& base, qreal tileHeight);
        QFont plain;
        QFont bold;
        QFontMetricsF plainMetrics;
        QFontMetricsF boldMetrics;
    };

    void paintTile(QPainter& painter, const Lettering& lettering, const Tile& tile,
                   const QRectF& cell, bool current);
    void moveHighlight(int dx, int dy);
    void repaintSoon(const QRect& area);
    void paintPending(bool late);
    // The icon at that size, made once: a state's icon is drawn as shapes, and a full café
    // draws it on hundreds of tiles.
    const QPixmap& iconPixmap(const QIcon& icon, int side, QIcon::Mode mode);

    ui::TileBoard* board_ = nullptr;
    std::unique_ptr<TileLook> look_;
    bool gathered_ = false;
    std::map<std::tuple<qint64, int, int>, QPixmap> icons_;
    QRegion unpainted_;
    QTimer paintAtLatest_;
    QElapsedTimer sincePaint_;
    std::vector<Tile> tiles_;
    int columns_ = 1;  // cells across, the free one included
    int lines_ = 1;
    qreal cellWidth_ = 0;
    // The pressed tile, and where it follows the pointer once the press became a drag.
    int pressedRow_ = -1;
    QPoint pressedAt_;
    std::optional<QPointF> draggedTo_;
};

}  // namespace qtplatform
