#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string_view>

#include "audit/audit_trail.h"
#include "connection/login_window.h"
#include "console/help_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
#include "core/version.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "qt/views/screenshot.h"
#include "reports/rsummary.h"

namespace {

constexpr const char* kUsage =
    "Usage: kestova [--help] [--version]\n"
    "\n"
    "The operator console of the Zarnevo cafe suite: every client computer of the cafe in one\n"
    "table, and the point of sale. It finds the cafe's server at the address kept in\n"
    "machine.ini (Tools > Option ...) and needs no arguments.\n"
    "\n"
    "Settings: $KESTOVA_CONFIG_DIR when set, else $XDG_CONFIG_HOME/kestova (kestova.ini,\n"
    "machine.ini).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window or display is needed, so installers and scripts can ask.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            std::printf("kestova %s\n", kestova::VersionNumber().c_str());
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
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
        views.attach(kestova::TicketInfoWindow());
        views.attach(kestova::RSummaryWindow());
        views.attach(kestova::Options());
        views.attach(kestova::PosPasswords());
        views.attach(kestova::PosGeneration());
        views.attach(kestova::PosOperations());
        views.attach(kestova::AuditTrailWindow());
        views.attach(kestova::HelpWindow());
        if (kestova::StartUp()) {
            qtplatform::scheduleScreenshotFromEnvironment();
            exitCode = QApplication::exec();
        }
    }
    kestova::ReleaseProgram();
    platform::installServices(nullptr);
    return exitCode;
}
