#include "qt/platform/instance_guard.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWidget>

#include "qt/platform/config_dir.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// The runtime folder is per user and per session; a test's own configuration folder keeps test
// runs apart from a console the developer is running.
QString lockDir() {
    if (!qEnvironmentVariableIsEmpty("KESTOVA_CONFIG_DIR")) {
        return configDir();
    }
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? configDir() : runtime;
}

}  // namespace

bool QtInstanceGuard::previousInstanceRunning() {
    if (lock_ != nullptr) {
        return false;
    }
    const QString dir = lockDir();
    QDir().mkpath(dir);
    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath("kestova.lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return true;
    }
    lock_ = std::move(lock);
    return false;
}

int QtInstanceGuard::windowsTitled(const std::string& title) {
    const QString wanted = toQt(title);
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isWindow() && window->windowTitle().compare(wanted, Qt::CaseInsensitive) == 0) {
            ++count;
        }
    }
    return count;
}

}  // namespace qtplatform
