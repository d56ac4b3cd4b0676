#pragma once

#include <string>
#include <vector>

#include "core/audit/chain.h"
#include "core/audit/entry.h"

// Logs for the tests, written the way the console writes them.
namespace audit::testing {

// A distinct entry for every n: a pause of the client on port n.
inline Entry Sample(int n) {
    Entry entry;
    entry.time = "2026-12-08T14:05:" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "Z";
    entry.who = "CLERK";
    entry.what = "Pause or resume";
    entry.client = "PC" + std::to_string(n);
    entry.port = n;
    entry.wire = "||F-PAUSE||" + std::to_string(n) + "||";
    return entry;
}

// The lines of a log of `count` sample entries, each without its line break.
inline std::vector<std::string> SampleLines(int count) {
    std::vector<std::string> lines;
    Tail tail;
    for (int n = 1; n <= count; ++n) {
        const Appending appending = Append(tail, Sample(n));
        lines.push_back(appending.bytes.substr(0, appending.bytes.size() - 1));
        tail = appending.tail;
    }
    return lines;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string log;
    for (const std::string& line : lines) {
        log += line + "\n";
    }
    return log;
}

}  // namespace audit::testing
