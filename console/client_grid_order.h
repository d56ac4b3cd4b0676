#pragma once

#include <optional>
#include <string_view>

#include "ui/grid.h"

// The order and the filter the operator may put on the client grid's view. They change only what
// the view shows: rows stay keyed by slot, and every command, mark and client record still names
// the row of its slot.
namespace kestova::client_grid {

// Texts in natural order: letters without regard to case, a run of digits by its value, so "PC2"
// comes before "PC10" and "127.0.0.9" before "127.0.0.13". Negative, zero or positive.
int CompareNatural(std::string_view a, std::string_view b);

// A time as the server writes one, a time of use or a time of day: hours, minutes and optional
// seconds ("01:20", "1:05:30"), optionally with AM or PM ("02:05PM", "10:15 am"). In seconds.
std::optional<int> TimeSeconds(std::string_view text);

// Two cells of a column compared as the column's values: numbers ("No.", "Port", the quotas and
// rates) as numbers, "Time" and "Log In Time" as times, the other columns as names in natural
// order. A text that is no number or time comes after those that are.
int CompareCells(int column, std::string_view a, std::string_view b);

// Row `left` before row `right` in ascending order of `column`; equal cells in slot order.
bool SortsBefore(const ui::Grid& grid, int column, int left, int right);

// The filter box: the client's name, user or address contains the text, without regard to case.
// An empty text (blanks alone) lets every row through.
bool MatchesFilter(const ui::Grid& grid, int row, std::string_view text);

}  // namespace kestova::client_grid
