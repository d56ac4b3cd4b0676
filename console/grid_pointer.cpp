// The pointer over the client grid: the context menu and the column width limits.
#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "console/operator_commands.h"

namespace kestova {
namespace {

constexpr int kRightButton = 2;

struct WidthLimit {
    int column;
    int lowest;
    int highest;
    int reset;
};

// Columns the operator may not drag out of shape: outside the limits they snap back.
constexpr WidthLimit kWidthLimits[] = {
    {client_grid::kNumber, 340, 360, 350},
    {client_grid::kClientName, 1200, 4000, 1300},
    {client_grid::kTime, 900, 1500, 900},
};

bool IsViewer() {
    return OperatorRight() == "VIEWER";
}

}  // namespace

void KestovaMain::ConList_MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button == kRightButton) {
        OpenClientMenu(ConList.MouseRow());
    }
}

void KestovaMain::OpenClientMenu(int row) {
    if (row < 1 || IsViewer()) {
        return;
    }
    client_grid::Highlight(ConList, row);
    PopupMenu(m_Popup);
}

void KestovaMain::ConList_MouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    for (const WidthLimit& limit : kWidthLimits) {
        const int width = ConList.ColWidth(limit.column);
        if (width > limit.highest || width < limit.lowest) {
            ConList.SetColWidth(limit.column, limit.reset);
        }
    }
}

}  // namespace kestova
