#include <gtest/gtest.h>

#include <QApplication>

// On the X screen given (xvfb-run), where the tests start a window manager; without one the Qt
// platform is offscreen and the tests skip.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
