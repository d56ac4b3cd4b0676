#include "qt/platform/file_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "qt/platform/config_dir.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// Store names are plain file names inside the configuration folder; anything that would leave
// the folder is refused.
QString pathOf(const std::string& fileName) {
    const QString name = toQt(fileName);
    if (name.isEmpty() || QDir::isAbsolutePath(name) || name.split('/').contains("..")) {
        return {};
    }
    return QDir(configDir()).filePath(name);
}

}  // namespace

std::optional<std::string> QtFileStore::read(const std::string& fileName) const {
    QFile file(pathOf(fileName));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

bool QtFileStore::writeAtomically(const std::string& fileName, const std::string& content) {
    const QString path = pathOf(fileName);
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(content.data(), static_cast<qint64>(content.size()));
    return file.commit();
}

}  // namespace qtplatform
