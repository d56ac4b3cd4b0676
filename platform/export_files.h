#pragma once

#include <string>

namespace platform {

// A document the operator saves where they choose (an export): the desktop's save dialog, and a
// write that leaves either the old file or the whole new one, never a mixture.
class ExportFiles {
public:
    virtual ~ExportFiles() = default;
    // Asks where to save, offering `suggestedName`; `filter` names the kind of file, as in
    // "CSV files (*.csv)". The chosen path, or empty when the operator cancelled.
    virtual std::string choosePath(const std::string& title, const std::string& suggestedName,
                                   const std::string& filter) = 0;
    virtual bool write(const std::string& path, const std::string& content) = 0;
};

}  // namespace platform
