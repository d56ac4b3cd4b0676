// Marking client rows for group commands, from the grid and from the "&Edit" menu.
#include <functional>

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "platform/services.h"

namespace kestova {
namespace {

constexpr int kSpaceKey = 32;

bool IsMarked(const KestovaMain& main, int row) {
    return client_grid::IsMarked(main.ConList, row, main.BackColor);
}

void SetMarked(KestovaMain& main, int row, bool marked) {
    client_grid::SetMarked(main.ConList, row, marked, main.BackColor);
}

// Marks the highlighted row when unmarked and it holds a client; unmarks it when marked, client
// or not (its client may have gone).
void ToggleHighlighted(KestovaMain& main) {
    const int row = main.ConList.RowSel();
    if (IsMarked(main, row)) {
        SetMarked(main, row, false);
    } else if (client_grid::HasClient(main.ConList, row)) {
        SetMarked(main, row, true);
    }
}

// Makes every client row current in turn and lets `visit` change it, yielding to the event loop
// after each row (replies may change the grid meanwhile; the bound is read again each time).
// The highlighted row is current again afterwards, selected across all columns.
void WalkRows(KestovaMain& main, const std::function<void(int row)>& visit) {
    ui::Grid& grid = main.ConList;
    const int remembered = grid.RowSel();
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetRow(row);
        visit(row);
        platform::services().loop().yield();
    }
    if (remembered > 0) {
        client_grid::Highlight(grid, remembered);
    }
}

}  // namespace

void KestovaMain::ConList_DblClick() {
    if (ConList.Row() != 0) {
        ToggleHighlighted(*this);
    }
}

void KestovaMain::ConList_KeyPress(int& keyAscii) {
    if (keyAscii == kSpaceKey && ConList.MouseRow() != 0) {
        ToggleHighlighted(*this);
    }
}

void KestovaMain::m_Select_Click() {
    if (ConList.Row() != 0 && client_grid::HasClient(ConList, ConList.RowSel())) {
        SetMarked(*this, ConList.RowSel(), true);
    }
}

void KestovaMain::m_Unselect_Click() {
    if (ConList.Row() != 0) {
        SetMarked(*this, ConList.RowSel(), false);
    }
}

void KestovaMain::m_SelectAll_Click() {
    WalkRows(*this, [this](int row) {
        if (client_grid::HasClient(ConList, row)) {
            SetMarked(*this, row, true);
        }
    });
}

void KestovaMain::m_UnselectAll_Click() {
    ProgressStartEnd(0);
    WalkRows(*this, [this](int row) {
        ProgressMove();
        SetMarked(*this, row, false);
    });
    ProgressStartEnd(0);
}

void KestovaMain::m_invertselect_Click() {
    WalkRows(*this, [this](int row) {
        if (client_grid::HasClient(ConList, row)) {
            SetMarked(*this, row, !IsMarked(*this, row));
        }
    });
}

}  // namespace kestova
