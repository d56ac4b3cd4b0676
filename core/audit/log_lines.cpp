#include "core/audit/log_lines.h"

#include <algorithm>

namespace audit {

std::vector<LogLine> SplitLog(std::string_view log) {
    std::vector<LogLine> lines;
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = log.find('\n', start);
        const bool ended = end != std::string_view::npos;
        const std::size_t stop = ended ? end : log.size();
        lines.push_back({static_cast<std::int64_t>(lines.size()) + 1,
                         log.substr(start, stop - start), ended, stop - start > kMaxLineBytes});
        start = stop + 1;
    }
    return lines;
}

bool LineReader::feed(std::string_view bytes) {
    while (!done_ && !bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (!skipping_) {
            const std::string_view piece = bytes.substr(0, end);
            line_.append(piece.substr(0, kMaxLineBytes + 1 - line_.size()));
            if (line_.size() > kMaxLineBytes) {
                done_ = !deliver(false, true);
                skipping_ = true;
            } else if (end != std::string_view::npos) {
                done_ = !deliver(true, false);
            }
        }
        if (end == std::string_view::npos) {
            break;
        }
        skipping_ = false;
        bytes.remove_prefix(end + 1);
    }
    return !done_;
}

void LineReader::finish() {
    if (!done_ && !skipping_ && !line_.empty()) {
        done_ = !deliver(false, false);
    }
}

bool LineReader::deliver(bool ended, bool tooLong) {
    const std::string_view text(line_.data(), std::min(line_.size(), kMaxLineBytes));
    const bool more = sink_({++number_, text, ended, tooLong});
    line_.clear();
    return more;
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
