#pragma once

#include <string>
#include <vector>

#include "core/audit/chain.h"

// Logs for the tests, written the way the console writes them.
namespace audit::testing {

// A distinct entry for every n: a pause of the client on port n.
inline Entry Sample(int n) {
    const std::string number = std::to_string(n);
    return {0,
            "2026-12-08T14:05:" + std::string(n < 10 ? "0" : "") + number + "Z",
            "CLERK",
            "Pause or resume",
            "PC" + number,
            n,
            "",
            "||F-PAUSE||" + number + "||",
            ""};
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
