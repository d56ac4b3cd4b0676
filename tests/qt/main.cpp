#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "announcing_console.h"

#include "qt/platform/services.h"

// Widgets need a QApplication; the tests draw offscreen unless told otherwise. Started with the
// announce option, the program is the other console of the single-instance tests.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], kestova_test::kAnnounceOption) == 0) {
        return kestova_test::runAnnouncingConsole(argv[2]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    qtplatform::QtServices services;
    platform::installServices(&services);
    const int result = RUN_ALL_TESTS();
    platform::installServices(nullptr);
    return result;
}
