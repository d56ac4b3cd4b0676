#pragma once

#include <filesystem>
#include <string>

#include "platform/autostart.h"
#include "platform/directory_file_store.h"

namespace platform {

// Start-with-the-system entries as the desktop keeps them: one file <entry>.desktop in the
// autostart folder (see AutostartDirectory), written atomically, whose Exec line starts the
// program. An entry name must be a plain file name.
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(std::filesystem::path directory);

    bool add(const std::string& entryName, const std::string& executablePath) override;
    bool remove(const std::string& entryName) override;
    bool exists(const std::string& entryName) const override;

private:
    std::filesystem::path fileOf(const std::string& entryName) const;

    DirectoryFileStore files_;
};

// The text of the .desktop file that starts the executable; empty when the path cannot be
// written on an Exec line (it holds a line break or another control character).
std::string DesktopEntryText(const std::string& entryName, const std::string& executablePath);

}  // namespace platform
