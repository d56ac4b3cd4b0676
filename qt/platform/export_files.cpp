#include "qt/platform/export_files.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <filesystem>

#include "platform/directory_file_store.h"
#include "qt/platform/text.h"

namespace qtplatform {

std::string QtExportFiles::choosePath(const std::string& title, const std::string& suggestedName,
                                      const std::string& filter) {
    return fromQt(QFileDialog::getSaveFileName(QApplication::activeWindow(), toQt(title),
                                               QDir::home().filePath(toQt(suggestedName)),
                                               toQt(filter)));
}

bool QtExportFiles::write(const std::string& path, const std::string& content) {
    const std::filesystem::path target(path);
    return platform::DirectoryFileStore(target.parent_path())
        .writeAtomically(target.filename().string(), content);
}

}  // namespace qtplatform
