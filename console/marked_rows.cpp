#include "console/marked_rows.h"

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "platform/services.h"

namespace kestova {

void WalkMarkedRows(KestovaMain& main, int paceMs, const std::function<void(int row)>& visit) {
    platform::EventLoop& loop = platform::services().loop();
    ui::Grid& grid = main.ConList;
    const int highlighted = grid.RowSel();
    const ui::Color selectionColour = grid.BackColorSel;
    grid.BackColorSel = 0;
    main.ProgressStartEnd(0);
    for (int row = 1; row < grid.Rows(); ++row) {
        loop.yield();
        main.ProgressMove();
        grid.SetRow(row);
        if (client_grid::IsMarked(grid, row, main.BackColor) && client_grid::HasClient(grid, row)) {
            client_grid::SetMarked(grid, row, false, main.BackColor);
            visit(row);
        }
        loop.pause(paceMs);
    }
    if (highlighted > 0) {
        grid.SetRow(highlighted);
    }
    grid.BackColorSel = selectionColour;
    grid.SetColSel(client_grid::kFiller);
    main.ProgressStartEnd(0);
}

}  // namespace kestova
