// Start-up and exit: the two refusals of a second copy, the autostart entry that follows
// "LoadStart", the splash and the logged-out viewer state the console starts in, and the exit
// question.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/login_window.h"
#include "core/version.h"
#include "tests/app/connection_test_support.h"
#include "tests/app/console_test_support.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::DefaultButton2;
using platform::msgbox::No;
using platform::msgbox::OKOnly;
using platform::msgbox::Question;
using platform::msgbox::Yes;
using platform::msgbox::YesNo;
using testing::ConsoleSimTest;
using testing::RecordingView;

constexpr const char* kCopyRunning =
    "A Copy of Zarnevo Kestova is already running, Close every program and try again!";
constexpr const char* kServerRunning =
    "Zarnevo Server is already running on this system, Close every program and try again!";

class StartUpTest : public ConsoleSimTest {
protected:
    // The program's own windows are among those counted: one is no copy.
    void givenWindowsTitled(std::string_view title, int count) {
        instanceGuard().setWindowsTitled(std::string(title), count);
    }
    std::string executable() { return services().executablePath(); }
};

TEST_F(StartUpTest, ASecondCopyOfTheSameProgramEndsSilently) {
    instanceGuard().setPreviousInstanceRunning(true);

    EXPECT_FALSE(StartUp());

    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_FALSE(Main().IsLoaded());
    EXPECT_TRUE(network().connectAttempts().empty());
}

TEST_F(StartUpTest, AnotherConsoleWindowIsRefusedWithTheCopyMessage) {
    givenWindowsTitled("KESTOVA", 2);
    dialogs().expectMsgBox(kCopyRunning);

    EXPECT_FALSE(StartUp());

    const sim::ShownBox& box = dialogs().last();
    EXPECT_EQ(box.title, "Zarnevo Kestova v" + VersionNumber());
    EXPECT_EQ(box.flags, OKOnly | Critical);
    EXPECT_FALSE(Main().IsLoaded());
    EXPECT_FALSE(Splash().IsLoaded());
}

TEST_F(StartUpTest, AWindowWithTheApplicationTitleIsRefusedWithTheServerMessage) {
    givenWindowsTitled(kApplicationTitle, 2);
    dialogs().expectMsgBox(kServerRunning);

    EXPECT_FALSE(StartUp());

    EXPECT_EQ(dialogs().last().flags, OKOnly | Critical);
    EXPECT_FALSE(Main().IsLoaded());
}

TEST_F(StartUpTest, OnlyItsOwnWindowsWithThoseTitlesDoNotStopTheStart) {
    givenWindowsTitled("Kestova", 1);
    givenWindowsTitled(kApplicationTitle, 1);

    EXPECT_TRUE(StartUp());

    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(Main().Visible);
}

TEST_F(StartUpTest, LoadStartTrueWritesTheEntryWithTheFullPathAtEveryStart) {
    setOption(settings::LoadStart, "True");

    ASSERT_TRUE(StartUp());

    ASSERT_EQ(autostart().entries().count("kestova"), 1u);
    EXPECT_EQ(autostart().entries().at("kestova"), executable());
}

TEST_F(StartUpTest, LoadStartFalseOrAbsentRemovesAnEntryLeftFromEarlier) {
    autostart().add("kestova", executable());

    ASSERT_TRUE(StartUp());

    EXPECT_FALSE(autostart().exists("kestova"));
}

TEST_F(StartUpTest, AnAutostartFolderThatCannotBeWrittenDoesNotStopTheStart) {
    setOption(settings::LoadStart, "True");
    autostart().failChanges();

    EXPECT_TRUE(StartUp());
    EXPECT_TRUE(Main().Visible);
}

TEST_F(StartUpTest, TheSplashShowsWithoutItsLoginFrameThenMakesWayForTheMainWindow) {
    RecordingView splashView(Splash());
    bool loginFrameShownWithSplash = true;
    sim::Ms splashShownAt = -1;
    splashView.onVisibilityChange = [&] {
        if (Splash().Visible) {
            loginFrameShownWithSplash = Splash().Frame1.Visible;
            splashShownAt = loop().now();
        }
    };

    ASSERT_TRUE(StartUp());

    EXPECT_EQ(splashShownAt, 0);
    EXPECT_FALSE(loginFrameShownWithSplash);
    EXPECT_FALSE(Splash().IsLoaded());
    EXPECT_TRUE(Splash().Frame1.Visible) << "the login frame is back for the next login";
    EXPECT_TRUE(Main().Visible);
    EXPECT_GE(loop().now(), 4000) << "three seconds of splash and one of finalizing";
}

TEST_F(StartUpTest, AfterStartTheConsoleIsLoggedOutWithClientCommandsWithheld) {
    ASSERT_TRUE(StartUp());
    KestovaMain& main = Main();

    EXPECT_EQ(main.StatusBar1.PanelText(1), "User: AutoStart User");
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_TRUE(KestovaCode().StartUpDone);
    for (const ui::MenuItem* item :
         {&main.m_allocate, &main.m_dealloc, &main.M_disconnect, &main.m_Pause, &main.m_PauseAll,
          &main.m_UnpauseAll, &main.M_Reset, &main.m_LogOff, &main.m_ClosePort, &main.m_Print,
          &main.m_prevent}) {
        EXPECT_FALSE(item->Enabled) << item->Name();
    }
    for (const ui::MenuItem* menu :
         {&main.m_Controls, &main.m_Messages, &main.m_Other, &main.m_View, &main.m_Edit,
          &main.m_report, &main.m_auditTrail}) {
        EXPECT_FALSE(menu->Visible) << menu->Name();
    }
    EXPECT_TRUE(main.m_Tool.Visible);
    EXPECT_TRUE(main.M_File.Visible);
    EXPECT_FALSE(main.Option1.Enabled);
    EXPECT_FALSE(main.Option2.Enabled);
    EXPECT_FALSE(main.Command2.Enabled);
    EXPECT_EQ(main.m_LogOff.Caption.get(), "Log off ...");
}

TEST_F(StartUpTest, TheViewerStateTakesBackWhatALoginGranted) {
    KestovaMain& main = console();
    KestovaCode().RightsLevel = "ADMINISTRATOR";
    main.m_Controls.Visible = true;
    main.m_allocate.Enabled = true;
    main.m_LogOff.Caption = "Log off .. ADMIN";
    main.StatusBar1.SetPanelText(1, " User: ADMIN");

    EnterViewerState();

    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
    EXPECT_FALSE(main.m_Controls.Visible);
    EXPECT_FALSE(main.m_allocate.Enabled);
    EXPECT_EQ(main.m_LogOff.Caption.get(), "Log off ...");
    EXPECT_EQ(main.StatusBar1.PanelText(1), "User: AutoStart User");
}

TEST_F(StartUpTest, TheMainWindowLoadsWhenTheViewerStateFirstTouchesIt) {
    EXPECT_FALSE(Main().IsLoaded());

    EnterViewerState();

    EXPECT_TRUE(Main().IsLoaded());
    EXPECT_FALSE(Main().Visible) << "it shows only at the end of the start";
    EXPECT_EQ(Main().ListenTimer.Interval(), 3000);
}

TEST(ProgramFilePathTest, JoinsTheProgramFolderAndTheFileWithOneSeparator) {
    sim::SimServices services;
    sim::InstalledServices installed(services);

    services.setExecutablePath("/opt/kestova/bin/kestova");
    EXPECT_EQ(ProgramFilePath("Zarnevo.hlp"), "/opt/kestova/bin/Zarnevo.hlp");

    services.setExecutablePath("/kestova");
    EXPECT_EQ(ProgramFilePath("Zarnevo.hlp"), "/Zarnevo.hlp");

    services.setExecutablePath("C:\\Kestova.exe");
    EXPECT_EQ(ProgramFilePath("Zarnevo.hlp"), "C:\\Zarnevo.hlp");

    services.setExecutablePath("D:\\Zarnevo\\Kestova.exe");
    EXPECT_EQ(ProgramFilePath("Zarnevo.hlp"), "D:\\Zarnevo\\Zarnevo.hlp");
}

class ExitTest : public ConsoleSimTest {};

TEST_F(ExitTest, AnsweringNoKeepsTheConsoleRunningAndConnected) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = Main();
    dialogs().expectMsgBox("Terminate Zarnevo Kestova?", No);

    main.M_exit.DoClick();

    const sim::ShownBox& box = dialogs().last();
    EXPECT_EQ(box.flags, YesNo | Question | DefaultButton2);
    EXPECT_EQ(box.title, VersionTitle());
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_FALSE(loop().quitRequested());
    advance(30000);
    EXPECT_TRUE(server.isConnected());
    EXPECT_TRUE(Server().IsGreeted());
}

TEST_F(ExitTest, AnsweringYesSaysGoodbyeAndEndsWithoutClosingTheConnection) {
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = Main();
    dialogs().expectMsgBox("Terminate Zarnevo Kestova?", Yes);
    const sim::Ms asked = loop().now();

    main.M_exit.DoClick();

    EXPECT_EQ(main.StatusBar1.PanelText(5), "Goodbye from Zarnevo Kestova!");
    EXPECT_EQ(loop().exitCode(), 0);
    EXPECT_EQ(loop().now() - asked, 1000);
    EXPECT_TRUE(server.isConnected()) << "the program ends without closing the connection";
}

TEST_F(ExitTest, TheCloseBoxAndTheToolbarExitAskTheSameQuestion) {
    KestovaMain& main = console();
    dialogs().expectMsgBox("Terminate Zarnevo Kestova?", No);
    dialogs().expectMsgBox("Terminate Zarnevo Kestova?", No);

    EXPECT_FALSE(main.CloseRequested());
    main.Toolbar1_ButtonClick(main.Toolbar1.IndexOfKey("Exit"));

    EXPECT_TRUE(main.IsLoaded());
    EXPECT_FALSE(loop().quitRequested());
}

}  // namespace
}  // namespace kestova
