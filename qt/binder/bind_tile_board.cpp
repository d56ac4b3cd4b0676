#include "qt/binder/kinds.h"
#include "qt/binder/tile_board_view.h"
#include "qt/binder/widget_basics.h"

namespace qtplatform {
namespace {

// Every change of the grid may change what the tiles say, where they lie or which is
// highlighted. New texts repaint their tiles; anything else gathers the tiles again when the
// board next paints, so a burst of client records costs one gathering.
class TileBoardRefresh : public QObject, public ui::GridObserver {
public:
    TileBoardRefresh(ui::Grid& grid, TileBoardView& view, QObject* parent)
        : QObject(parent), grid_(grid), view_(view) {
        grid_.addGridObserver(this);
    }
    ~TileBoardRefresh() override { grid_.removeGridObserver(this); }

    void cellsChanged(int top, int, int bottom, int) override { view_.rowsChanged(top, bottom); }
    void shapeChanged() override { view_.refresh(); }
    void geometryChanged(int, int, bool) override { view_.refresh(); }
    void selectionChanged() override { view_.repaintSoon(); }
    void sortChanged() override {}
    void filterChanged() override { view_.refresh(); }

private:
    ui::Grid& grid_;
    TileBoardView& view_;
};

}  // namespace

void bindTileBoard(ui::TileBoard& board, ControlBinding& binding) {
    auto& view = expectWidget<TileBoardView>(binding, "qtplatform::TileBoardView");
    bindWidgetBasics(binding, view);
    view.setBoard(board);
    new TileBoardRefresh(board.Rows(), view, &binding);
    binding.mirror({"Spots"}, [&view] { view.refresh(); });
}

}  // namespace qtplatform
