#include "pos/passwords.h"

#include <string>

#include "connection/server_protocol.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "core/version.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

constexpr int kRequestEveryTicks = 5;
constexpr std::int16_t kGiveUpAtTick = 24;
constexpr int kTickMs = 1000;
constexpr int kSupervisionAfterSignInMs = 3000;

constexpr int kKeyCtrlA = 1;
constexpr int kKeyEnter = 13;

const char* const kSignInTitle = "Zarnevo Kestova";

int MsgBox(const std::string& text, int flags, const std::string& title) {
    return platform::services().dialogs().MsgBox(text, flags, title);
}

}  // namespace

Passwords::Passwords() : ui::Form("Passwords") {
    Caption = "Enter Password - Zarnevo";
    Label1.Caption = "Username:";
    Label2.Caption = "Password:";
    Text2.PasswordChar = "*";
    OKButton.Caption = "OK";
    OKButton.Default = true;
    CancelButton.Cancel = true;
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Text1.GotFocus = [this] { Text1.SelectAll(); };
    Text2.GotFocus = [this] { Text2.SelectAll(); };
    Text1.KeyPress = [this](int& key) { Text1_KeyPress(key); };
    Text2.KeyPress = [this](int& key) { Text2_KeyPress(key); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void Passwords::Form_Load() {
    Text1.Text = "";
    Text2.Text = "";
    CancelButton.Caption = "Cancel";
    CancelButton.Enabled = true;
    SetFieldsEnabled(true);
    Timer1.SetEnabled(false);
}

void Passwords::Form_Activate() {
    if (Text1.Enabled) {
        Text1.SetFocus();
    }
}

void Passwords::Form_Unload(int& /*cancel*/) {
    Timer1.SetEnabled(false);
}

void Passwords::Text1_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyCtrlA) {
        Text1.Text = "ADMINISTRATOR";
        Text1.SelectAll();
        keyAscii = 0;
    } else if (keyAscii == kKeyEnter) {
        Text2.SetFocus();
        keyAscii = 0;
    }
}

void Passwords::Text2_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        OKButton.DoClick();
    }
}

void Passwords::OKButton_Click() {
    if (!Main().IsServerConnected()) {
        NotConnected();
        return;
    }
    if (Text1.Text.get().empty()) {
        MsgBox("Username can't be blank!", platform::msgbox::Critical, VersionTitle());
        Text1.SetFocus();
        return;
    }
    if (Text2.Text.get().empty()) {
        MsgBox("Password can't be blank!", platform::msgbox::Critical, VersionTitle());
        Text2.SetFocus();
        return;
    }
    signInTicks_ = 0;
    Timer1.SetInterval(kTickMs);
    SetFieldsEnabled(false);
    CancelButton.Caption = "Can&cel";
    Timer1.SetEnabled(true);
}

void Passwords::CancelButton_Click() {
    Timer1.SetEnabled(false);
    Unload();
}

void Passwords::Timer1_Timer() {
    KestovaMain& main = Main();
    if (!main.IsServerConnected()) {
        Timer1.SetEnabled(false);
        NotConnected();
        return;
    }
    if (signInTicks_ % kRequestEveryTicks == 0) {
        protocol::SendToServer(*main.Listen,
                               wire::request::StaffSignInText(Text1.Text.get(), Text2.Text.get()));
        ++signInTicks_;
    } else if (signInTicks_ < kGiveUpAtTick) {
        ++signInTicks_;
    } else {
        Timer1.SetEnabled(false);
        SetFieldsEnabled(true);
        MsgBox("Request Timed Out!", platform::msgbox::Information, kSignInTitle);
    }
}

void Passwords::SignInRefused() {
    SetFieldsEnabled(true);
    MsgBox("Username/Password Incorrect or User not authorized!", platform::msgbox::Information,
           kSignInTitle);
}

void Passwords::NotConnected() {
    MsgBox("Kestova not connected!", platform::msgbox::Information, kSignInTitle);
    Unload();
}

void Passwords::SetFieldsEnabled(bool enabled) {
    Text1.Enabled = enabled;
    Text2.Enabled = enabled;
    OKButton.Enabled = enabled;
}

void ShowPosSignIn(KestovaMain& main) {
    {
        ConsoleDimmed dimmed(main, {});
        PosPasswords().Show(true);
    }
    main.ListenTimer.SetInterval(kSupervisionAfterSignInMs);
}

}  // namespace kestova
