#include <QApplication>
#include <QIcon>

#include "audit/audit_trail.h"
#include "connection/login_window.h"
#include "console/kestova_main.h"
#include "program/kestova_code.h"
#include "core/messages.h"
#include "program/startup.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "qt/views/screenshot.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kestova");
    QApplication::setWindowIcon(QIcon(":/images/kestova.png"));

    qtplatform::QtServices services;
    platform::installServices(&services);
    int exitCode = 0;
    {
        // The windows' views go before the windows they show.
        qtplatform::FormViews views;
        views.attach(kestova::MessagesWindow());
        views.attach(kestova::Splash());
        views.attach(kestova::Main());
        views.attach(kestova::AuditTrailWindow());
        if (kestova::StartUp()) {
            qtplatform::scheduleScreenshotFromEnvironment();
            exitCode = QApplication::exec();
        }
    }
    kestova::ReleaseProgram();
    platform::installServices(nullptr);
    return exitCode;
}
