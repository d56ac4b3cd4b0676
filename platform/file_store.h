#pragma once

#include <optional>
#include <string>

namespace platform {

// Where the settings files live: whole-file reads and atomic whole-file writes, so a crash never
// leaves a half-written file behind.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual std::optional<std::string> read(const std::string& fileName) const = 0;
    virtual bool writeAtomically(const std::string& fileName, const std::string& content) = 0;
};

}  // namespace platform
