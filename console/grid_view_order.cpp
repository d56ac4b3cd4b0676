// The order and the filter of the client grid's view: a click on a column header sorts by that
// column (again: the other way round), the filter box thins out the rows shown.
#include "console/client_grid.h"
#include "console/client_grid_order.h"
#include "console/kestova_main.h"

namespace kestova {

void KestovaMain::wireClientOrder() {
    ConList.SetRowOrder({
        [this](int column, int left, int right) {
            return client_grid::SortsBefore(ConList, column, left, right);
        },
        [this](int row) { return client_grid::MatchesFilter(ConList, row, txtFilter.Text.get()); },
    });
    ConList.HeaderClick = [this](int column) { ConList_HeaderClick(column); };
    txtFilter.Change = [this] { txtFilter_Change(); };
    m_filterClients.Click = [this] { m_filterClients_Click(); };
}

void KestovaMain::ConList_HeaderClick(int column) {
    // The filler column holds no text to sort by.
    if (column < 0 || column > client_grid::kLastDataColumn) {
        return;
    }
    const bool again = ConList.SortColumn() == column;
    ConList.Sort(column, again && !ConList.SortDescending());
}

void KestovaMain::txtFilter_Change() {
    ConList.Refilter();
}

void KestovaMain::m_filterClients_Click() {
    txtFilter.SetFocus();
    txtFilter.SelectAll();
}

}  // namespace kestova
