#include "tools/kestova-audit/commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "core/audit/log_lines.h"
#include "core/audit/verify.h"

namespace kestovaaudit {
namespace {

// Characters on the terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Shown(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string Table(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t col = 0; col < row.size(); ++col) {
            widths[col] = std::max(widths[col], Columns(row[col]));
        }
    }
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t col = 0; col < row.size(); ++col) {
            line += row[col];
            if (col + 1 < row.size()) {
                line += std::string(widths[col] - Columns(row[col]) + 2, ' ');
            }
        }
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

}  // namespace

bool IsSeal(std::string_view text) {
    return text.size() >= audit::kShortSealDigits && text.size() <= 64 &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

Result Verify(std::string_view log, std::string_view noted) {
    const audit::Verification verification = audit::Verify(log, noted);
    Result result;
    result.output = audit::Describe(verification) + "\n";
    if (!verification.intact()) {
        result.exitCode = kBroken;
    } else if (verification.entries > 0) {
        result.output += "Last seal: " + verification.head.hash + "\n";
    }
    return result;
}

Result Print(std::string_view log) {
    std::vector<std::vector<std::string>> rows = {{"No.", "Time (UTC)", "Operator", "Command",
                                                   "Client", "Port", "Ticket group", "Wire text"}};
    std::string notes;
    for (const audit::LogLine& line : audit::SplitLog(log)) {
        const auto entry = audit::ParseLine(line.text);
        if (!entry) {
            notes += "Line " + std::to_string(line.number) + " holds no whole entry.\n";
            continue;
        }
        rows.push_back({std::to_string(entry->seq), Shown(entry->time), Shown(entry->who),
                        Shown(entry->what), Shown(entry->client),
                        entry->port ? std::to_string(*entry->port) : "", Shown(entry->group),
                        Shown(entry->wire)});
    }
    return {Table(rows) + notes, kIntact};
}

}  // namespace kestovaaudit
