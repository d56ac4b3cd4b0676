#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/audit/entry.h"

namespace platform {
class Clock;
}

// The audit log as the Audit Trail window lists it: the café's local time, the filters, and the
// table it shows and exports.
namespace kestova {

struct TrailRow {
    audit::Entry entry;
    std::string localTime;  // "2026-12-08 15:05:00", or the stamp as written when it is none
    std::string day;        // "2026-12-08"
};

// The log's entries, newest first, their times in the clock's local time.
std::vector<TrailRow> TrailRowsOf(std::string_view log, const platform::Clock& clock);

struct TrailFilter {
    std::string who;     // the operator or staff member; empty for everyone
    std::string client;  // a part of the client's name or ticket group (in any case), or the
                         // port; empty for every client
    std::string day;     // empty for every day
};
bool Shows(const TrailFilter& filter, const TrailRow& row);

// The window's columns and a row's cells in them.
const std::vector<std::string>& TrailHeadings();
std::vector<std::string> TrailCells(const TrailRow& row);

// The rows as the CSV file has them: the window's columns, and the time also as written in the
// log (UTC), under a heading row.
std::vector<std::vector<std::string>> ExportTable(const std::vector<const TrailRow*>& rows);

}  // namespace kestova
