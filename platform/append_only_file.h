#pragma once

#include <filesystem>

#include "platform/append_log.h"

namespace platform {

// The log as a file on the disk. Each append opens the file for appending only (O_APPEND, so
// nothing can write anywhere but at its end), writes, fsyncs and closes it; the first append
// creates the file and its folder, readable by the user alone.
class AppendOnlyFile : public AppendLog {
public:
    explicit AppendOnlyFile(std::filesystem::path path);

    std::optional<std::string> read() const override;
    bool append(std::string_view bytes) override;
    std::string location() const override { return path_.string(); }

private:
    std::filesystem::path path_;
};

}  // namespace platform
