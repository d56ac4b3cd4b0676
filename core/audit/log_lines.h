#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/audit/entry.h"

namespace audit {

// Far more than any entry's line takes: a longer line holds no entry.
inline constexpr std::size_t kMaxLineBytes = 1024 * 1024;

struct LogLine {
    std::int64_t number = 0;  // from 1
    std::string_view text;    // without its line break
    bool ended = false;       // a line break follows it; only the last line of a log can lack one
    bool tooLong = false;     // longer than kMaxLineBytes (a LineReader keeps only its start)
};

// The lines of a log's text. A text that ends with a line break has no empty line after it.
std::vector<LogLine> SplitLog(std::string_view log);

// The lines of a log read a piece at a time, as SplitLog gives them of the whole text, holding
// no more than kMaxLineBytes of a line: a log of any size, or endless input, takes little memory.
// A line that grows too long is handed over at once, with its start, and the rest of it skipped.
class LineReader {
public:
    // Takes a line; false when no more lines are wanted.
    using Sink = std::function<bool(const LogLine&)>;
    explicit LineReader(Sink sink) : sink_(std::move(sink)) {}
    // The next piece of the log; false once the sink wants no more.
    bool feed(std::string_view bytes);
    // The log has ended: its last line, when no line break ended it.
    void finish();

private:
    bool deliver(bool ended, bool tooLong);

    Sink sink_;
    std::string line_;
    bool skipping_ = false;  // the rest of a line handed over as too long
    std::int64_t number_ = 0;
    bool done_ = false;
};

// The entry on each line that holds one, in the order of the log. A line holds an entry when it
// parses as one (ParseLine), with or without its line break: a write cut off before its line
// break left the whole entry, while one cut off earlier left a line that holds none.
struct LoggedEntry {
    std::int64_t line = 0;
    Entry entry;
};
std::vector<LoggedEntry> EntriesOf(std::string_view log);

}  // namespace audit
