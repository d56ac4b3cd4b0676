#include "connection/login_window.h"

#include <string>

#include "connection/login_rights.h"
#include "connection/server_link.h"
#include "connection/server_protocol.h"
#include "connection/supervision.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/version.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "program/kestova_code.h"
#include "program/startup.h"

namespace kestova {
namespace {

constexpr int kLoadWidth = 5190;
constexpr int kShownWidth = 5290;
constexpr int kFullHeight = 3435;
// The roll-down: 18 steps of 200 twips, the window rising by half a step each time so that it
// unrolls about its centre.
constexpr int kRollDownLast = 3400;
constexpr int kRollDownStep = 200;
constexpr int kRollDownRise = 100;

constexpr int kKeyCtrlA = 1;
constexpr int kKeyEnter = 13;
constexpr int kPanelOperator = 1;

const char* const kLogOffCaption = "&Log off";
const char* const kCancelCaption = "Can&cel";
const char* const kAdministrator = "ADMINISTRATOR";

platform::EventLoop& Loop() {
    return platform::services().loop();
}

bool LoadStart() {
    return ToTruth(ReadSetting(settings::LoadStart)).value_or(false);
}

}  // namespace

FrmSplash::FrmSplash()
    : ui::Form("frmSplash"),
      request_(kRequestEdges, {.request = [this] { return LoginText(); },
                               .timedOut = [this] { TimedOut(); },
                               .lost = {}}) {
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Text1.KeyPress = [this](int& key) { Text1_KeyPress(key); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
    Text2.KeyPress = [this](int& key) { Text2_KeyPress(key); };
    Text2.GotFocus = [this] { Text2_GotFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    ResetToDesign();
}

// What the window's design holds; a window loaded again after an unload starts from it.
void FrmSplash::ResetToDesign() {
    Label1.Caption = "Username:";
    Label2.Caption = "Password:";
    Frame1.Caption = "Operator login";
    Label3.Caption = "Loading ...";
    Text1.Text = "";
    Text2.Text = "";
    Text2.PasswordChar = "*";
    Command1.Caption = "O&k";
    Command1.Default = true;
    Command2.Caption = kLogOffCaption;
    Image1.Picture = "kestova";
    SetFieldsEnabled(true);
    Timer1.SetEnabled(false);
}

void FrmSplash::Form_Load() {
    ResetToDesign();
    Width = kLoadWidth;
    const bool startUpSplash = LoadStart() && !KestovaCode().StartUpDone;
    if (!LoadStart() || KestovaCode().StartUpDone) {
        Height = 0;  // rolled up: the activation unrolls it
    }
    Label3.Caption = "Initializing ...";
    Label7.Caption = "KESTOVA v" + VersionNumber();
    lblWarning.Caption =
        "Warning: only operators named by the server may log in. Every login is recorded.";
    Caption =
        "Zarnevo Server v" + VersionNumber() + (startUpSplash ? "" : " - [Login to Continue]");
}

void FrmSplash::Form_Activate() {
    if (Frame1.Visible && Text1.Visible && Text1.Enabled) {
        Text1.SetFocus();
    }
    if (const auto colour = ToWholeNumber(ReadSetting(settings::Colour))) {
        BackColor = static_cast<ui::Color>(*colour);
    }
    Width = kShownWidth;
    // Unrolled once per showing: an activation of the open window (after a message box, or when
    // the operator comes back to it) must not make it creep up the screen.
    if (Height < kFullHeight) {
        RollDown();
    }
    Label3.Caption = KestovaCode().StartUpDone ? "" : "Loading Kestova ...";
    Height = kFullHeight;
}

// Each step's position is counted from where the roll began, not from where the window reports
// itself: a window manager reports moves late, and a step taken from a late report would undo
// the rise of the steps before it.
void FrmSplash::RollDown() {
    const int top = Top;
    int rise = 0;
    for (int height = 0; height <= kRollDownLast; height += kRollDownStep) {
        Loop().yield();
        Height = height;
        rise += kRollDownRise;
        Top = top - rise;
    }
}

void FrmSplash::Form_Unload(int& /*cancel*/) {
    Image1.Picture = "";
}

void FrmSplash::Text1_KeyPress(int& keyAscii) {
    Label3.Caption = "";
    if (keyAscii == kKeyCtrlA) {
        Text1.Text = kAdministrator;
        Text1.SelectAll();
        keyAscii = 0;
    } else if (keyAscii == kKeyEnter) {
        Text2.SetFocus();
        keyAscii = 0;
    } else if (keyAscii >= 'a' && keyAscii <= 'z') {
        keyAscii -= 'a' - 'A';
    }
}

void FrmSplash::Text1_GotFocus() {
    Text1.SelectAll();
}

void FrmSplash::Text1_LostFocus() {
    Text1.Text = wire::UpperAscii(Text1.Text.get());
}

void FrmSplash::Text2_KeyPress(int& keyAscii) {
    Label3.Caption = "";
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        Command1.DoClick();
    }
}

void FrmSplash::Text2_GotFocus() {
    Text2.SelectAll();
}

void FrmSplash::Command1_Click() {
    TopMost = true;
    if (!Server().IsConnected()) {
        Label3.Caption = "Not Connected!";
        EnterViewerState();
        Unload();
        return;
    }
    if (Text1.Text.get().empty()) {
        Label3.Caption = "Username can't be blank!";
        Text1.SetFocus();
        return;
    }
    Label3.Caption = "Verifying Username and Password ...";
    // Every attempt starts from the first tick, also after an accepted or refused one.
    request_.Start();
    Timer1.SetEnabled(true);
    SetFieldsEnabled(false);
    Command2.Caption = kCancelCaption;
}

void FrmSplash::Command2_Click() {
    if (Command2.Caption.get() == kCancelCaption) {
        CancelRequest();
        return;
    }
    Timer1.SetEnabled(false);
    EnterViewerState();
    Unload();
}

void FrmSplash::Timer1_Timer() {
    request_.Tick();
}

std::optional<std::string> FrmSplash::LoginText() {
    Loop().yield();
    // The answer may have come in while events ran: then the request is no longer wanted.
    if (!Timer1.IsEnabled() || !IsLoaded()) {
        return std::nullopt;
    }
    return wire::request::OperatorLoginText(Text1.Text.get(), Text2.Text.get());
}

void FrmSplash::TimedOut() {
    CancelRequest();
    Label3.Caption = "Request Timed Out ...";
}

void FrmSplash::CancelRequest() {
    Timer1.SetEnabled(false);
    request_.End();
    SetFieldsEnabled(true);
    Command2.Caption = kLogOffCaption;
    Label3.Caption = "Login Cancelled!";
}

void FrmSplash::LoginAnswered(bool accepted) {
    request_.End();
    Timer1.SetEnabled(false);
    if (accepted) {
        Login();
    } else {
        LoginRefused();
    }
}

void FrmSplash::AnsweredWithoutConnection() {
    request_.End();
    Timer1.SetEnabled(false);
    Unload();
}

void FrmSplash::LoginRefused() {
    request_.End();
    Timer1.SetEnabled(false);
    SetFieldsEnabled(true);
    Command2.Caption = kLogOffCaption;
    Label3.Caption = "Username/Password Incorrect!";
}

void FrmSplash::SetFieldsEnabled(bool enabled) {
    Text1.Enabled = enabled;
    Text2.Enabled = enabled;
    Command1.Enabled = enabled;
}

void FrmSplash::Login() {
    constexpr int kBeforeMenusMs = 500;
    constexpr int kAfterMenusMs = 1000;
    KestovaMain& main = Main();
    ProgramState& state = KestovaCode();
    if (!state.StartUpDone) {
        Loop().pause(kBeforeMenusMs);
    }
    Label3.Caption = "Loading Menu ...";
    ApplyMenuRights(main, state.RightsLevel);
    state.OperatorName = Text1.Text;
    main.StatusBar1.SetPanelText(kPanelOperator, " User: " + state.OperatorName);
    main.m_LogOff.Caption = "Log off .. " + state.OperatorName;
    // The toolbar and "&Control" too, not only at the next activation of the main window.
    ApplyActivationRights(main);
    main.LoadMenu();
    Loop().yield();
    Label3.Caption = "Loading Completed.";
    Loop().pause(kAfterMenusMs);
    main.Show();
    Unload();
}

void ShowLoginDialog(KestovaMain& main) {
    main.Combo1.Clear();
    {
        ConsoleDimmed dimmed(main, {.busy = true, .intervalWhileConnectedMs = std::nullopt});
        Splash().Show(true);
    }
    SupervisionTick(main);
}

}  // namespace kestova
