#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_store.h"

namespace platform {

// The settings files as plain files in one folder. A write goes to a temporary file in the same
// folder, is flushed to the disk and then renamed over the old file, so a crash or a full disk
// leaves either the old or the new file, never a mixture. The folder is created on first write.
// Only plain file names are accepted (no folder part, not "." or ".."); anything else reads as
// absent and fails to write.
class DirectoryFileStore : public FileStore {
public:
    explicit DirectoryFileStore(std::filesystem::path directory);

    std::optional<std::string> read(const std::string& fileName) const override;
    bool writeAtomically(const std::string& fileName, const std::string& content) override;
    std::optional<FileStamp> stamp(const std::string& fileName) const override;
    std::string location(const std::string& fileName) const override {
        return (directory_ / fileName).string();
    }

    const std::filesystem::path& directory() const { return directory_; }

private:
    std::filesystem::path directory_;
};

}  // namespace platform
