#include "connection/client_count.h"

#include <string_view>

#include "console/client_grid.h"
#include "ui/grid.h"

namespace kestova {

ClientCount RecountClients(ui::Grid& grid) {
    constexpr std::string_view kLoggedIn = "Logged in";
    ClientCount count;
    grid.BeginUpdate();
    for (int row = 1; row < grid.Rows(); ++row) {
        const bool connected = !grid.TextMatrix(row, client_grid::kClientName).empty() &&
                               !grid.TextMatrix(row, client_grid::kClientIP).empty() &&
                               grid.RowHeight(row) > 0;
        grid.SetRowHeight(row,
                          connected ? client_grid::kShownRowHeight : client_grid::kHiddenRowHeight);
        if (!connected) {
            continue;
        }
        ++count.connected;
        if (std::string_view(grid.TextMatrix(row, client_grid::kInformation))
                .starts_with(kLoggedIn)) {
            ++count.inUse;
        }
    }
    grid.EndUpdate();
    return count;
}

}  // namespace kestova
