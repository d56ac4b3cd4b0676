#include "qt/platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include "qt/platform/config_dir.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

QString autostartDir() {
    if (!qEnvironmentVariableIsEmpty("KESTOVA_CONFIG_DIR")) {
        return configDir() + "/autostart";
    }
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + "/.config";
    }
    return base + "/autostart";
}

// An Exec value: quoted, with the characters the desktop-entry format reserves escaped.
QString execValue(const QString& path) {
    QString escaped = path;
    escaped.replace('\\', "\\\\\\\\");
    for (const char* reserved : {"\"", "`", "$"}) {
        escaped.replace(reserved, QStringLiteral("\\\\") + reserved);
    }
    return '"' + escaped + '"';
}

}  // namespace

QString QtAutostart::entryPath(const std::string& entryName) {
    QString fileName = toQt(entryName);
    fileName.replace(QRegularExpression("[^A-Za-z0-9._-]"), "_");
    return autostartDir() + '/' + fileName + ".desktop";
}

bool QtAutostart::add(const std::string& entryName, const std::string& executablePath) {
    if (!QDir().mkpath(autostartDir())) {
        return false;
    }
    QSaveFile file(entryPath(entryName));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QString content = QStringLiteral(
                                "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=%1\n"
                                "Exec=%2\n"
                                "X-GNOME-Autostart-enabled=true\n")
                                .arg(toQt(entryName), execValue(toQt(executablePath)));
    file.write(content.toUtf8());
    return file.commit();
}

bool QtAutostart::remove(const std::string& entryName) {
    const QString path = entryPath(entryName);
    return !QFile::exists(path) || QFile::remove(path);
}

bool QtAutostart::exists(const std::string& entryName) const {
    return QFile::exists(entryPath(entryName));
}

}  // namespace qtplatform
