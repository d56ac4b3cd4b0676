#include <QApplication>
#include <QIcon>

#include "connection/login_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
#include "pos/frm_pos.h"
#include "pos/passwords.h"
#include "program/kestova_code.h"
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
        views.attach(kestova::Options());
        views.attach(kestova::PosPasswords());
        views.attach(kestova::PosGeneration());
        if (kestova::StartUp()) {
            qtplatform::scheduleScreenshotFromEnvironment();
            exitCode = QApplication::exec();
        }
    }
    kestova::ReleaseProgram();
    platform::installServices(nullptr);
    return exitCode;
}
