#include "pos/export.h"

#include <filesystem>

#include "core/version.h"
#include "platform/dialogs.h"
#include "platform/directory_file_store.h"
#include "platform/services.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::Information;

// Asks where to save; the path chosen, with the extension added when the operator left it off.
std::string AskForPath(const std::string& title, const std::string& fileName,
                       const std::string& filter, const std::string& extension) {
    std::string path = platform::services().dialogs().SaveFileName(title, fileName, filter);
    if (!path.empty() && std::filesystem::path(path).extension() != extension) {
        path += extension;
    }
    return path;
}

bool Tell(bool saved, const std::string& path) {
    platform::services().dialogs().MsgBox(
        saved ? "Saved as " + path + "." : "Could not save " + path + "!",
        saved ? Information : Critical, VersionTitle());
    return saved;
}

}  // namespace

bool SaveAsCsv(const std::string& fileName, const std::vector<CsvRow>& rows) {
    const std::string path = AskForPath("Save as CSV", fileName, "CSV files (*.csv)", ".csv");
    if (path.empty()) {
        return false;
    }
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    platform::DirectoryFileStore store(folder);
    return Tell(store.writeAtomically(file.filename().string(), CsvText(rows)), path);
}

bool SaveAsPdf(const std::string& fileName, const std::function<void(PrintOut&)>& body) {
    const std::string path = AskForPath("Save as PDF", fileName, "PDF files (*.pdf)", ".pdf");
    if (path.empty()) {
        return false;
    }
    PrintOut out = PrintOut::ToPdfFile(path);
    body(out);
    return Tell(out.End(), path);
}

}  // namespace kestova
