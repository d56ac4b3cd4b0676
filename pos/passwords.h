#pragma once

#include "connection/pending_request.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class KestovaMain;

// The point-of-sale staff sign-in: a user name and a password, sent to the server every five
// seconds until it answers or 24 seconds have passed. The answer ("F-POSLOG") reaches the
// dispatcher, which opens the staff member's point-of-sale window or lets them try again.
class Passwords : public ui::Form {
public:
    Passwords();

    ui::Label Label1{*this, "Label1"};  // "Username:"
    ui::TextBox Text1{*this, "Text1"};
    ui::Label Label2{*this, "Label2"};  // "Password:"
    ui::TextBox Text2{*this, "Text2"};
    ui::Button OKButton{*this, "OKButton"};
    // "Cancel"; "Can&cel" while a sign-in waits for its answer.
    ui::Button CancelButton{*this, "CancelButton"};
    // Ticks once a second while a sign-in waits for its answer.
    ui::Timer Timer1{*this, "Timer1", 1000, false};

    // The sign-in goes out at ticks 0, 5, 10, 15 and 20 and is given up at 24; a lost
    // connection ends it at once.
    static constexpr PendingRequest::Edges kRequestEdges{
        .resendEvery = 5, .giveUpAt = 24, .whenLost = PendingRequest::WhenLost::End};

    // A sign-in request is out and no answer has come yet.
    bool IsWaiting() const { return IsLoaded() && Timer1.IsEnabled(); }
    // The server's answer came: the request ends and Cancel is locked while the dispatch runs;
    // the console is busy until the answer is carried out.
    void AnswerArrived();
    // Carries the answer out once the dispatch is over, so that the server's further replies
    // (the staff figures among them) keep coming while the windows and boxes show: the staff
    // member's point-of-sale window over the hidden console, or another try.
    void FinishSignIn(bool accepted);

    void Form_Load();
    void Form_Activate();
    void Form_Unload(int& cancel);
    void Text1_KeyPress(int& keyAscii);
    void Text2_KeyPress(int& keyAscii);
    void OKButton_Click();
    void CancelButton_Click();
    void Timer1_Timer();

private:
    void SetFieldsEnabled(bool enabled);
    void TimedOut();
    // The server refused the staff member: the fields are back for another try.
    void SignInRefused();
    void OpenStaffWindow(const std::string& staff);
    // The connection is down: says so and closes the window.
    void NotConnected();

    PendingRequest request_;
};

// The main window's "Point-of-Sale" button: the sign-in over the greyed table with the
// supervision stopped; afterwards the supervision starts again from its first interval.
void ShowPosSignIn(KestovaMain& main);

}  // namespace kestova
