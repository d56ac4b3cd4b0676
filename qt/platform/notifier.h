#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/notifier.h"

class QSoundEffect;
class QSystemTrayIcon;

namespace qtplatform {

// Notifications through the desktop's notification service on the session's D-Bus, else as a
// message of a tray icon; the alert sound through Qt Multimedia. Everything is made on first use,
// so a console that never alerts never loads the sound system.
class QtNotifier : public platform::Notifier {
public:
    QtNotifier();
    ~QtNotifier() override;

    void notify(const std::string& title, const std::string& text) override;
    void playAlertSound() override;

private:
    void showInTray(const QString& title, const QString& text);

    // The owner of the calls still waiting for the notification service.
    QObject pendingCalls_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QSoundEffect> sound_;
};

}  // namespace qtplatform
