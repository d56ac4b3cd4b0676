#include "tools/kestova-audit/commands.h"

#include <algorithm>
#include <array>
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

using Rows = std::vector<std::vector<std::string>>;

std::string Table(const Rows& rows) {
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

const std::vector<std::string> kHeading = {"No.",    "Time (UTC)", "Operator",     "Command",
                                           "Client", "Port",       "Ticket group", "Wire text"};

// Feeds the stream to the reader a block at a time, until it ends or the reader wants no more.
void ReadLines(std::istream& in, audit::LineReader& reader) {
    std::array<char, 64 * 1024> block;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const std::string_view bytes(block.data(), static_cast<std::size_t>(in.gcount()));
        if (!reader.feed(bytes)) {
            return;
        }
    }
    reader.finish();
}

}  // namespace

bool IsSeal(std::string_view text) {
    return text.size() >= audit::kShortSealDigits && text.size() <= 64 &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

int Verify(std::istream& log, std::string_view noted, std::ostream& out) {
    audit::ChainCheck check(noted);
    audit::LineReader reader([&check](const audit::LogLine& line) { return check.take(line); });
    ReadLines(log, reader);
    const audit::Verification verification = check.finish();
    out << audit::Describe(verification) << "\n";
    if (!verification.intact()) {
        return kBroken;
    }
    if (verification.entries > 0) {
        out << "Last seal: " << verification.head.hash << "\n";
    }
    return kIntact;
}

int Print(std::istream& log, std::ostream& out) {
    Rows rows = {kHeading};
    std::string notes;
    std::size_t noted = 0;
    bool printed = false;
    const auto flush = [&] {
        out << Table(rows) << notes;
        printed = true;
        rows = {kHeading};
        notes.clear();
        noted = 0;
    };
    audit::LineReader reader([&](const audit::LogLine& line) {
        const auto entry = line.tooLong ? std::nullopt : audit::ParseLine(line.text);
        if (!entry) {
            notes += "Line " + std::to_string(line.number) + " holds no whole entry.\n";
            ++noted;
        } else {
            rows.push_back({std::to_string(entry->seq), Shown(entry->time), Shown(entry->who),
                            Shown(entry->what), Shown(entry->client),
                            entry->port ? std::to_string(*entry->port) : "", Shown(entry->group),
                            Shown(entry->wire)});
        }
        if (rows.size() - 1 + noted >= kRowsPerTable) {
            flush();
        }
        return true;
    });
    ReadLines(log, reader);
    if (!printed || rows.size() > 1 || noted > 0) {
        flush();
    }
    return kIntact;
}

}  // namespace kestovaaudit
