#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Where the settings files live: whole-file reads and atomic whole-file writes, so a crash never
// leaves a half-written file behind.
// What tells one version of a file from another: it changes whenever the file is written or
// replaced, by this program or any other.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t modifiedNs = 0;
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual std::optional<std::string> read(const std::string& fileName) const = 0;
    virtual bool writeAtomically(const std::string& fileName, const std::string& content) = 0;
    // The file's stamp, nothing when it does not exist: much cheaper than reading it.
    virtual std::optional<FileStamp> stamp(const std::string& fileName) const = 0;
    // Where the file is, as the operator would look for it.
    virtual std::string location(const std::string& fileName) const = 0;
};

}  // namespace platform
