#include "qt/platform/notifier.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QSoundEffect>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QVariantMap>

#include "qt/platform/local_bus.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// How the desktop names the program beside its notifications and on its tray icon.
constexpr const char* kProgramName = "Zarnevo Kestova";
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr int kServiceTimeoutMs = 5000;
constexpr int kTrayMessageMs = 15000;
constexpr float kSoundVolume = 0.7f;
constexpr unsigned char kNormalUrgency = 1;

bool sessionBusOnThisMachine() {
    return isLocalBusAddress(qgetenv("DBUS_SESSION_BUS_ADDRESS")) &&
           QDBusConnection::sessionBus().isConnected();
}

}  // namespace

bool isLocalBusAddress(const QByteArray& address) {
    bool reachable = false;
    for (const QByteArray& entry : address.split(';')) {
        if (entry.isEmpty()) {
            continue;
        }
        if (!entry.startsWith("unix:")) {
            return false;
        }
        reachable = true;
    }
    return reachable;
}

QtNotifier::QtNotifier() = default;

QtNotifier::~QtNotifier() = default;

void QtNotifier::notify(const std::string& title, const std::string& text) {
    const QString summary = toQt(title);
    const QString body = toQt(text);
    if (!sessionBusOnThisMachine()) {
        showInTray(summary, body);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    const QVariantMap hints = {{"urgency", QVariant::fromValue(kNormalUrgency)},
                               {"desktop-entry", QApplication::applicationName()}};
    call << QString(kProgramName) << 0u << QApplication::applicationName() << summary << body
         << QStringList() << hints << -1;
    auto* reply = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kServiceTimeoutMs), &pendingCalls_);
    QObject::connect(reply, &QDBusPendingCallWatcher::finished, &pendingCalls_,
                     [this, summary, body](QDBusPendingCallWatcher* finished) {
                         if (finished->isError()) {
                             showInTray(summary, body);
                         }
                         finished->deleteLater();
                     });
}

void QtNotifier::showInTray(const QString& title, const QString& text) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;  // the message window keeps the alert all the same
    }
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
        tray_->setToolTip(kProgramName);
        tray_->show();
    }
    tray_->showMessage(title, text, QSystemTrayIcon::Warning, kTrayMessageMs);
}

void QtNotifier::playAlertSound() {
    if (!sound_) {
        sound_ = std::make_unique<QSoundEffect>();
        sound_->setSource(QUrl("qrc:/sounds/alert.wav"));
        sound_->setVolume(kSoundVolume);
    }
    sound_->play();
}

}  // namespace qtplatform
