#include <gtest/gtest.h>

#include <QApplication>

#include "qt/platform/services.h"

// Widgets need a QApplication; the tests draw offscreen unless told otherwise.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    qtplatform::QtServices services;
    platform::installServices(&services);
    const int result = RUN_ALL_TESTS();
    platform::installServices(nullptr);
    return result;
}
