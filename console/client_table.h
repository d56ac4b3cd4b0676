#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "dispatch/reply.h"

namespace ui {
class Grid;
}

// The UPDATE reply: one client record laid into its row of the client table. The record's fields
// are separated by "==": slot count, slot number (= grid row), then the texts of columns 0 to 12
// ("No.", name, user, time, information, state, address, log-in time, port, quotas, rates).
namespace kestova {

// More slots than any café has: a record claiming more is malformed, not a bigger café.
inline constexpr int kMaxClientSlots = 4096;

// The fields of a record; empty fields count.
std::vector<std::string_view> SplitClientRecord(std::string_view record);

// Lays one record into the grid: sets the row count to the slot count + 1, then shows the
// record's row with its 13 texts when its state is "Connected." and it has a row label, or hides
// it (keeping its old texts) otherwise. A record that is shorter than the state field or that
// addresses the header row or no row at all changes nothing. A slot count that is not a number
// (or beyond any café) leaves the row count as it is; a row beyond the row count is not laid.
// The row shown or hidden, if any.
std::optional<int> LayClientRecord(ui::Grid& grid, const std::vector<std::string_view>& fields);

// UPDATE: ignored while the supervision timer is stopped (a point-of-sale window is open);
// otherwise lays the record and tells the main window which row it laid, letting events run
// before and after.
void HandleClientUpdate(KestovaMain& main, const Reply& reply);

}  // namespace kestova
