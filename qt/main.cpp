#include <QApplication>
#include <QIcon>

#include "core/messages.h"
#include "core/version.h"
#include "qt/binder/form_binding.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "qt/views/screenshot.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kestova");
    QApplication::setWindowIcon(QIcon(":/images/kestova.png"));

    qtplatform::QtServices services;
    platform::installServices(&services);
    qtplatform::FormViews views;
    kestova::Messages& messages = kestova::MessagesWindow();
    views.attach(messages);

    kestova::ShowNotice(kestova::VersionTitle() + " is starting.",
                        kestova::kKestovaServerMessagesTitle);
    kestova::ShowNotice("Waiting for the connection to the Zarnevo Server ...",
                        kestova::kKestovaServerMessagesTitle);

    // Until the console's own start-up lands, the program is this one window.
    auto* binding = dynamic_cast<qtplatform::FormBinding*>(messages.view());
    QObject::connect(binding, &qtplatform::FormBinding::windowHidden, &app, &QApplication::quit);

    qtplatform::scheduleScreenshotFromEnvironment();
    const int exitCode = QApplication::exec();
    platform::installServices(nullptr);
    return exitCode;
}
