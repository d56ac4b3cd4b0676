#include "pos/passwords.h"

#include <optional>
#include <string>

#include "connection/server_link.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/pos_replies.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

constexpr int kTickMs = 1000;
constexpr int kSupervisionAfterSignInMs = 3000;

constexpr int kKeyCtrlA = 1;
constexpr int kKeyEnter = 13;

const char* const kSignInTitle = "Zarnevo Kestova";

int MsgBox(const std::string& text, int flags, const std::string& title) {
    return platform::services().dialogs().MsgBox(text, flags, title);
}

}  // namespace

Passwords::Passwords()
    : ui::Form("Passwords"),
      request_(kRequestEdges, {.request =
                                   [this] {
                                       return std::optional(wire::request::StaffSignInText(
                                           Text1.Text.get(), Text2.Text.get()));
                                   },
                               .timedOut = [this] { TimedOut(); },
                               .lost =
                                   [this] {
                                       Timer1.SetEnabled(false);
                                       NotConnected();
                                   }}) {
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
    request_.End();
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
    if (!Server().IsConnected()) {
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
    request_.Start();
    Timer1.SetInterval(kTickMs);
    SetFieldsEnabled(false);
    CancelButton.Caption = "Can&cel";
    Timer1.SetEnabled(true);
}

void Passwords::CancelButton_Click() {
    Timer1.SetEnabled(false);
    request_.End();
    Unload();
}

void Passwords::Timer1_Timer() {
    request_.Tick();
}

void Passwords::TimedOut() {
    Timer1.SetEnabled(false);
    SetFieldsEnabled(true);
    MsgBox("Request Timed Out!", platform::msgbox::Information, kSignInTitle);
}

void Passwords::AnswerArrived() {
    Main().SetBusy(true);
    CancelButton.Enabled = false;
    Timer1.SetEnabled(false);
    request_.End();
}

void Passwords::FinishSignIn(bool accepted) {
    KestovaMain& main = Main();
    // Closed meanwhile (Cancel, or the close box): the staff member no longer wants in.
    if (IsLoaded()) {
        if (!Server().IsConnected()) {
            MsgBox("Zarnevo Kestova not connected!", platform::msgbox::Information,
                   "Zarnevo Kestova");
            Unload();
        } else if (!accepted) {
            SignInRefused();
        } else {
            OpenStaffWindow(wire::UpperAscii(Text1.Text.get()));
        }
    }
    CancelButton.Enabled = true;
    main.SetBusy(false);
}

void Passwords::OpenStaffWindow(const std::string& staff) {
    KestovaMain& main = Main();
    const bool generation = ToTruth(ReadSetting(settings::PosType)).value_or(true);
    if (Server().IsConnected()) {
        Server().Send(wire::request::StaffFiguresText(staff));
    }
    ui::Form& window = PosStaffWindow(generation, staff);
    Unload();
    main.ListenTimer.SetEnabled(false);
    platform::services().loop().yield();
    main.Hide();
    window.Show(true);
    main.ListenTimer.SetEnabled(true);
    main.Show();
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

// ---- The server's answer to the sign-in -------------------------------------------------------

// F-POSLOG: the sign-in window carries the answer out once the dispatch is over.
void HandlePosSignIn(KestovaMain& main, const Reply& reply) {
    Passwords& signIn = PosPasswords();
    if (!signIn.IsWaiting()) {
        return;  // no sign-in waits: a late answer after Cancel opens nothing
    }
    signIn.AnswerArrived();
    // The server's "TRUE" is exact: "True" is a refusal.
    const bool accepted = reply.Value(1) == "TRUE";
    main.Receiver().AfterDispatch([accepted] { PosPasswords().FinishSignIn(accepted); });
}

}  // namespace kestova
