#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A log file that only ever grows: whole reads, and appends that reach the disk before they
// return, one at a time, so that a crash loses at most the append under way.
class AppendLog {
public:
    virtual ~AppendLog() = default;
    // The whole file; empty when it does not exist yet; nothing when it cannot be read.
    virtual std::optional<std::string> read() const = 0;
    // Adds the bytes at the end and flushes them to the disk. False when they did not all get
    // there: then the file may end with a part of them.
    virtual bool append(std::string_view bytes) = 0;
    // Where the file is, to tell the operator.
    virtual std::string location() const = 0;
};

}  // namespace platform
