#include "audit/trail_rows.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>

#include "core/audit/log_lines.h"
#include "platform/clock.h"

namespace kestova {
namespace {

std::string LocalTimeText(std::chrono::sys_seconds local) {
    using namespace std::chrono;
    const sys_days day = floor<days>(local);
    const year_month_day date(day);
    const hh_mm_ss<seconds> time(local - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool Contains(std::string_view text, const std::string& lowerPart) {
    return Lower(text).find(lowerPart) != std::string::npos;
}

std::string PortText(const audit::Entry& entry) {
    return entry.port ? std::to_string(*entry.port) : std::string();
}

}  // namespace

std::vector<TrailRow> TrailRowsOf(std::string_view log, const platform::Clock& clock) {
    std::vector<TrailRow> rows;
    for (audit::LoggedEntry& logged : audit::EntriesOf(log)) {
        TrailRow row;
        row.entry = std::move(logged.entry);
        if (const auto utc = audit::ParseUtcTime(row.entry.time)) {
            row.localTime = LocalTimeText(*utc + clock.utcOffset(*utc));
            row.day = row.localTime.substr(0, 10);
        } else {
            row.localTime = row.entry.time;
        }
        rows.push_back(std::move(row));
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

bool Shows(const TrailFilter& filter, const TrailRow& row) {
    if (!filter.who.empty() && row.entry.who != filter.who) {
        return false;
    }
    if (!filter.day.empty() && row.day != filter.day) {
        return false;
    }
    if (filter.client.empty()) {
        return true;
    }
    const std::string part = Lower(filter.client);
    return Contains(row.entry.client, part) || Contains(row.entry.group, part) ||
           PortText(row.entry) == filter.client;
}

const std::vector<std::string>& TrailHeadings() {
    static const std::vector<std::string> headings = {
        "No.", "Time", "Operator", "Command", "Client", "Port", "Ticket Group", "Wire Text"};
    return headings;
}

std::vector<std::string> TrailCells(const TrailRow& row) {
    const audit::Entry& e = row.entry;
    return {std::to_string(e.seq), row.localTime, e.who, e.what, e.client,
            PortText(e),           e.group,       e.wire};
}

std::vector<std::vector<std::string>> ExportTable(const std::vector<const TrailRow*>& rows) {
    std::vector<std::vector<std::string>> table;
    std::vector<std::string> headings = TrailHeadings();
    headings.insert(headings.begin() + 2, "Time (UTC)");
    table.push_back(std::move(headings));
    for (const TrailRow* row : rows) {
        std::vector<std::string> cells = TrailCells(*row);
        cells.insert(cells.begin() + 2, row->entry.time);
        table.push_back(std::move(cells));
    }
    return table;
}

}  // namespace kestova
