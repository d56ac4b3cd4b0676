#include "program/startup.h"

#include "connection/login_rights.h"
#include "connection/login_window.h"
#include "console/group_command_bar.h"
#include "console/kestova_main.h"
#include "core/autostart_entry.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/version.h"
#include "platform/services.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

constexpr int kSplashMs = 3000;
constexpr int kFinalizingMs = 1000;
constexpr int kGoodbyeMs = 1000;

void Refuse(const std::string& text) {
    platform::services().dialogs().MsgBox(
        text, platform::msgbox::OKOnly | platform::msgbox::Critical, VersionTitle());
}

// The start-with-the-system entry follows "LoadStart" at every start; a value that is no truth
// value leaves the entry as it is.
void FollowLoadStart() {
    const std::optional<bool> loadStart = ToTruth(ReadSetting(settings::LoadStart));
    if (!loadStart.has_value()) {
        return;
    }
    const std::string executable = platform::services().executablePath();
    if (*loadStart) {
        AddAutostartEntry(executable);
    } else {
        RemoveAutostartEntry(executable);
    }
}

void Wait(int milliseconds) {
    auto& loop = platform::services().loop();
    loop.yield();
    loop.pause(milliseconds);
}

}  // namespace

bool StartUp() {
    if (platform::services().instanceGuard().previousInstanceRunning()) {
        return false;
    }
    if (WindowTitleInUse("Kestova")) {
        Refuse("A Copy of Zarnevo Kestova is already running, Close every program and try again!");
        return false;
    }
    if (WindowTitleInUse(kApplicationTitle)) {
        Refuse(
            "Zarnevo Server is already running on this system, Close every program and try "
            "again!");
        return false;
    }

    FollowLoadStart();

    FrmSplash& splash = Splash();
    splash.Frame1.Visible = false;
    splash.Show();
    Wait(kSplashMs);

    EnterViewerState();

    splash.Hide();
    splash.Frame1.Visible = true;
    splash.Unload();
    Main().Show();
    return true;
}

void EnterViewerState() {
    Splash().Label3.Caption = "Finalizing ...";
    Wait(kFinalizingMs);

    KestovaMain& main = Main();
    main.EnsureLoaded();
    for (ui::MenuItem* item : {&main.m_allocate, &main.m_dealloc, &main.M_disconnect, &main.m_Pause,
                               &main.m_PauseAll, &main.m_UnpauseAll, &main.M_Reset, &main.m_LogOff,
                               &main.m_ClosePort, &main.m_Print, &main.m_prevent}) {
        item->Enabled = false;
    }
    for (ui::MenuItem* menu :
         {&main.m_Controls, &main.m_Messages, &main.m_Other, &main.m_View, &main.m_Edit}) {
        menu->Visible = false;
    }
    main.m_Tool.Visible = true;
    main.m_report.Visible = false;
    main.m_auditTrail.Visible = false;
    main.Option1.Enabled = false;
    main.Option2.Enabled = false;
    main.Command2.Enabled = false;
    // Neither the last operator's toolbar nor a group command left chosen outlives the log-off
    // or the lost connection that brings the console here.
    ApplyToolbarRights(main.Toolbar1, kViewerToolbar);
    ResetGroupCommandBar(main);
    main.m_LogOff.Caption = "Log off ...";

    KestovaCode().RightsLevel = "VIEWER";
    main.StatusBar1.SetPanelText(1, "User: AutoStart User");
    KestovaCode().StartUpDone = true;
}

bool WindowTitleInUse(std::string_view title) {
    const int windows = platform::services().instanceGuard().windowsTitled(std::string(title));
    platform::services().loop().yield();
    return windows >= 2;
}

std::string ProgramFilePath(std::string_view fileName) {
    const std::string executable = platform::services().executablePath();
    const std::size_t cut = executable.find_last_of("/\\");
    if (cut == std::string::npos) {
        return std::string(fileName);
    }
    // The folder keeps the separator it ends with, so a root folder gets no second one.
    return executable.substr(0, cut + 1) + std::string(fileName);
}

bool ConfirmTermination() {
    const int answer = platform::services().dialogs().MsgBox(
        "Terminate Zarnevo Kestova?",
        platform::msgbox::YesNo | platform::msgbox::Question | platform::msgbox::DefaultButton2,
        VersionTitle());
    return answer == platform::msgbox::Yes;
}

void EndProgram() {
    Wait(kGoodbyeMs);
    platform::services().loop().quit(0);
}

}  // namespace kestova
