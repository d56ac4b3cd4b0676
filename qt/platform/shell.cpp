#include "qt/platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "qt/platform/text.h"

namespace qtplatform {

bool QtShell::open(const std::string& fileOrUrl) {
    const QString target = toQt(fileOrUrl);
    const QFileInfo file(target);
    // A file that is not there cannot be opened, whatever the desktop would say.
    if (file.isAbsolute() && !file.exists()) {
        return false;
    }
    const QUrl url =
        file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace qtplatform
