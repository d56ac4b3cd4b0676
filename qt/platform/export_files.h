#pragma once

#include "platform/export_files.h"

namespace qtplatform {

// The desktop's save dialog, opened on the active window in the user's home folder.
class QtExportFiles : public platform::ExportFiles {
public:
    std::string choosePath(const std::string& title, const std::string& suggestedName,
                           const std::string& filter) override;
    bool write(const std::string& path, const std::string& content) override;
};

}  // namespace qtplatform
