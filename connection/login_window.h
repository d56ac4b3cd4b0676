#pragma once

#include <optional>
#include <string>

#include "connection/pending_request.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class KestovaMain;

// The operator login window, which doubles as the start-up splash. At start-up it shows the
// picture and the loading texts with its login frame hidden; opened from "Log off ..." it rolls
// down, takes a user name and password, asks the server every five seconds and gives up after
// 25 seconds. The server's answer arrives through the dispatcher, which calls `Login` or resets
// the fields.
class FrmSplash : public ui::Form {
public:
    FrmSplash();

    ui::PictureBox Image1{*this, "Image1"};
    ui::Label Label7{*this, "Label7"};  // "KESTOVA v" and the version
    ui::Label Label3{*this, "Label3"};  // status line
    ui::Label lblWarning{*this, "lblWarning"};
    // The login frame: hidden while the window serves as the start-up splash.
    ui::Frame Frame1{*this, "Frame1"};
    ui::Label Label1{*this, "Label1"};  // "Username:"
    ui::TextBox Text1{*this, "Text1"};
    ui::Label Label2{*this, "Label2"};  // "Password:"
    ui::TextBox Text2{*this, "Text2"};
    ui::Button Command1{*this, "Command1"};  // "O&k"
    ui::Button Command2{*this, "Command2"};  // "&Log off", "Can&cel" while a request is pending
    // The request timer: one tick a second while a login request waits for its answer.
    ui::Timer Timer1{*this, "Timer1", 1000, false};

    // A request goes out at ticks 0, 5, 10, 15 and 20 of Timer1 after "O&k", and tick 24 times
    // out; a lost connection only keeps the request from going out.
    static constexpr PendingRequest::Edges kRequestEdges{
        .resendEvery = 5, .giveUpAt = 24, .whenLost = PendingRequest::WhenLost::KeepCounting};

    // The server's answer to the login: an accepted login completes, a refused one puts the
    // fields back for another try.
    void LoginAnswered(bool accepted);
    // An answer came while the connection is gone or not greeted: the window closes.
    void AnsweredWithoutConnection();

    // Completes an accepted login: grants the rights, names the operator, refreshes the menus and
    // brings the main window forward.
    void Login();
    // Puts the fields back for another try after the server refused the login.
    void LoginRefused();

    void Form_Load();
    void Form_Activate();
    void Form_Unload(int& cancel);
    void Text1_KeyPress(int& keyAscii);
    void Text1_GotFocus();
    void Text1_LostFocus();
    void Text2_KeyPress(int& keyAscii);
    void Text2_GotFocus();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

private:
    void ResetToDesign();
    void RollDown();
    void CancelRequest();
    void TimedOut();
    void SetFieldsEnabled(bool enabled);
    // The login text for a resend, unless the answer came in while events ran.
    std::optional<std::string> LoginText();

    PendingRequest request_;
};

// "Log off ..." on the main window: empties the command bar's list, shows the login window as a
// modal dialog over the greyed table with the supervision stopped, and afterwards resumes the
// supervision at once.
void ShowLoginDialog(KestovaMain& main);

}  // namespace kestova
