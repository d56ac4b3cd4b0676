#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/audit/entry.h"

namespace audit {

struct LogLine {
    std::int64_t number = 0;  // from 1
    std::string_view text;    // without its line break
    bool ended = false;       // a line break follows it; only the last line of a log can lack one
};

// The lines of a log's text. A text that ends with a line break has no empty line after it.
std::vector<LogLine> SplitLog(std::string_view log);

// The entry on each line that holds one, in the order of the log. A line holds an entry when it
// parses as one (ParseLine), with or without its line break: a write cut off before its line
// break left the whole entry, while one cut off earlier left a line that holds none.
struct LoggedEntry {
    std::int64_t line = 0;
    Entry entry;
};
std::vector<LoggedEntry> EntriesOf(std::string_view log);

}  // namespace audit
