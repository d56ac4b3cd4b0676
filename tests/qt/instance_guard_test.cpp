#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "announcing_console.h"
#include "qt/platform/instance_guard.h"

namespace {

using kestova_test::AnnouncingConsole;
using qtplatform::QtInstanceGuard;

// The start-up checks ask about these two titles; two windows or more mean refusal.
const QString kCopyTitle = "Kestova";
constexpr const char* kServerTitle = "Zarnevo Kestova";

// Every test gets its own lock folder through $KESTOVA_CONFIG_DIR, which the helper consoles
// inherit, and a second "installation": a file at another path.
class InstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previous = qgetenv("KESTOVA_CONFIG_DIR");
        qputenv("KESTOVA_CONFIG_DIR", folder.filePath("config").toUtf8());
        QFile copy(copyPath);
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    }
    void TearDown() override { qputenv("KESTOVA_CONFIG_DIR", previous); }

    QTemporaryDir folder;
    QByteArray previous;
    const QString thisProgram = QCoreApplication::applicationFilePath();
    const QString copyPath = folder.filePath("kestova-copy");
};

TEST_F(InstanceGuardTest, TheSameProgramStartedTwiceEndsSilentlyAndACrashFreesTheGuard) {
    AnnouncingConsole running(kCopyTitle);
    ASSERT_TRUE(running.ready());

    EXPECT_TRUE(QtInstanceGuard(thisProgram).previousInstanceRunning());
    const QString link = folder.filePath("kestova-link");
    ASSERT_TRUE(QFile::link(thisProgram, link));
    EXPECT_TRUE(QtInstanceGuard(link).previousInstanceRunning()) << "a link is the same program";
    EXPECT_FALSE(QtInstanceGuard(copyPath).previousInstanceRunning());

    running.crash();
    QtInstanceGuard next(thisProgram);
    EXPECT_FALSE(next.previousInstanceRunning()) << "the dead console's lock is taken over";
    EXPECT_FALSE(next.previousInstanceRunning()) << "asking again keeps the guard";
    EXPECT_TRUE(QtInstanceGuard(thisProgram).previousInstanceRunning());
}

TEST_F(InstanceGuardTest, ACopyFromAnotherPathSeesTheRunningConsoleButNoServerWindow) {
    AnnouncingConsole running(kCopyTitle);
    ASSERT_TRUE(running.ready());
    EXPECT_EQ(running.windowsFound(), 1) << "the first console counts only itself";

    QtInstanceGuard copy(copyPath);
    ASSERT_FALSE(copy.previousInstanceRunning());
    EXPECT_EQ(copy.windowsTitled("KESTOVA"), 2) << "titles compare without regard to case";
    EXPECT_EQ(copy.windowsTitled(kServerTitle), 1);
}

TEST_F(InstanceGuardTest, AConsoleAloneCountsItselfOnceAndAnnouncesToLaterConsoles) {
    QtInstanceGuard first(copyPath);
    ASSERT_FALSE(first.previousInstanceRunning());
    EXPECT_EQ(first.windowsTitled(kCopyTitle.toStdString()), 1);
    EXPECT_EQ(first.windowsTitled(kCopyTitle.toStdString()), 1) << "asking again adds nothing";

    AnnouncingConsole later(kCopyTitle);
    ASSERT_TRUE(later.ready());
    EXPECT_EQ(later.windowsFound(), 2);
    EXPECT_EQ(first.windowsTitled(kCopyTitle.toStdString()), 1) << "the first holds the title";
}

TEST_F(InstanceGuardTest, OwnWindowsWithTheTitleCountHiddenOrNotAndOnlyOnce) {
    QtInstanceGuard guard(copyPath);
    QWidget main;
    main.setWindowTitle("Zarnevo Kestova");
    EXPECT_EQ(guard.windowsTitled(kServerTitle), 1) << "the own window is the announced one";

    QWidget other;
    other.setWindowTitle("zarnevo kestova");
    other.show();
    EXPECT_EQ(guard.windowsTitled(kServerTitle), 2);

    QWidget child(&other);
    child.setWindowTitle("Zarnevo Kestova");
    EXPECT_EQ(guard.windowsTitled(kServerTitle), 2) << "a child widget is no window";
}

}  // namespace
