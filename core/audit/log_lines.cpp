#include "core/audit/log_lines.h"

namespace audit {

std::vector<LogLine> SplitLog(std::string_view log) {
    std::vector<LogLine> lines;
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = log.find('\n', start);
        const bool ended = end != std::string_view::npos;
        const std::size_t stop = ended ? end : log.size();
        lines.push_back(
            {static_cast<std::int64_t>(lines.size()) + 1, log.substr(start, stop - start), ended});
        start = stop + 1;
    }
    return lines;
}

std::vector<LoggedEntry> EntriesOf(std::string_view log) {
    std::vector<LoggedEntry> entries;
    for (const LogLine& line : SplitLog(log)) {
        if (auto entry = ParseLine(line.text)) {
            entries.push_back({line.number, std::move(*entry)});
        }
    }
    return entries;
}

}  // namespace audit
