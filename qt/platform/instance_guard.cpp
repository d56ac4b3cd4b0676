#include "qt/platform/instance_guard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

#include "platform/config_dir.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// The runtime folder is per user and per session; a test's own configuration folder keeps test
// runs apart from a console the developer is running.
QString configDir() {
    return QString::fromStdString(platform::ConfigDirectory().string());
}

QString lockDir() {
    if (!qEnvironmentVariableIsEmpty("KESTOVA_CONFIG_DIR")) {
        return configDir();
    }
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? configDir() : runtime;
}

// Paths and titles may hold any character; a hash makes them a safe file name.
QString lockPath(const QString& kind, const QString& key) {
    const QByteArray digest =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(20);
    const QString dir = lockDir();
    QDir().mkpath(dir);
    return QDir(dir).filePath("kestova-" + kind + "-" + QString::fromLatin1(digest) + ".lock");
}

struct LockAttempt {
    std::unique_ptr<QLockFile> held;  // null when not taken
    bool heldElsewhere = false;       // another live process holds it
};

// A folder that cannot be written counts as nobody else holding the lock: the console then
// starts unguarded rather than not at all.
LockAttempt tryHold(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        return {std::move(lock), false};
    }
    return {nullptr, lock->error() == QLockFile::LockFailedError};
}

QString canonicalProgramPath(const QString& path) {
    const QFileInfo file(path.isEmpty() ? QCoreApplication::applicationFilePath() : path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

}  // namespace

QtInstanceGuard::QtInstanceGuard(QString executablePath)
    : executablePath_(std::move(executablePath)) {}

bool QtInstanceGuard::previousInstanceRunning() {
    if (instanceLock_ != nullptr) {
        return false;
    }
    LockAttempt attempt = tryHold(lockPath("program", canonicalProgramPath(executablePath_)));
    instanceLock_ = std::move(attempt.held);
    return attempt.heldElsewhere;
}

int QtInstanceGuard::windowsTitled(const std::string& title) {
    const QString wanted = toQt(title).toUpper();
    int own = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isWindow() && window->windowTitle().toUpper() == wanted) {
            ++own;
        }
    }
    // The caller's threshold of two expects the asking program among the windows counted, as the
    // hidden application window of a desktop program was; announcing the title stands for that
    // window, and may be one of the program's own windows with the title already counted.
    const int self = std::max(own, 1);
    return announce(wanted) ? self : self + 1;
}

bool QtInstanceGuard::announce(const QString& upperTitle) {
    if (titleLocks_.contains(upperTitle)) {
        return true;
    }
    LockAttempt attempt = tryHold(lockPath("title", upperTitle));
    if (attempt.held != nullptr) {
        titleLocks_.emplace(upperTitle, std::move(attempt.held));
    }
    return !attempt.heldElsewhere;
}

}  // namespace qtplatform
