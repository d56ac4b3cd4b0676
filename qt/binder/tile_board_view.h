#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "ui/tile_board.h"

namespace qtplatform {

// What a window draws on a tile beyond its texts, read from the tile's grid row.
struct TileDress {
    QColor accent;  // the border and the tint of the face; invalid: the palette's own
    QIcon icon;     // before the first line
    QString toolTip;
    bool marked = false;
    bool emphasised = false;  // the last line in bold, in the accent
};

class TileLook {
public:
    virtual ~TileLook() = default;
    virtual TileDress dress(int gridRow) const = 0;
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
    // Gathers the tiles again at the next paint: their rows, texts or spots changed.
    void refresh();

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
    void paintTile(QPainter& painter, const Tile& tile, const QRectF& box, bool current);
    void moveHighlight(int dx, int dy);

    ui::TileBoard* board_ = nullptr;
    std::unique_ptr<TileLook> look_;
    bool gathered_ = false;
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
