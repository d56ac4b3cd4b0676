#pragma once

#include <optional>
#include <string_view>

#include "connection/pending_request.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class KestovaMain;

// The ticket information window: the operator types a ticket's user name, the console asks the
// server every five seconds until it answers or 24 seconds pass, and the server's text about the
// ticket can be printed on the default printer. The answer arrives through the dispatcher.
class TicketInfo : public ui::Form {
public:
    TicketInfo();

    ui::Label Label1{*this, "Label1"};               // "Enter Ticket Username:"
    ui::TextBox Text2{*this, "Text2"};               // the user name, typed in capitals
    ui::Button OKButton{*this, "OKButton"};          // "&Search"
    ui::Button CancelButton{*this, "CancelButton"};  // "&Close", "&Cancel" while searching
    ui::TextBox Text1{*this, "Text1"};               // the server's text about the ticket
    ui::Label Label2{*this, "Label2"};               // status line
    ui::Button Command1{*this, "Command1"};          // "&Print"
    ui::Timer Timer1{*this, "Timer1", 1000, false};  // the request timer

    // The server's answer (F-SEARCH): the ticket's text and the status line (either may be
    // missing). Taken only while a search runs, so a late answer never overwrites the window
    // after a cancel, a time-out or a new name.
    void SearchAnswered(std::optional<std::string_view> information,
                        std::optional<std::string_view> status);

    // A search is running: the request timer is on and the answer has not come yet.
    bool Searching() const { return Timer1.IsEnabled() && !OKButton.Enabled; }
    // Requests at ticks 0, 5, 10, 15 and 20 of Timer1 after "&Search", time-out at 24; a lost
    // connection ends the search at once.
    static constexpr PendingRequest::Edges kRequestEdges{
        .resendEvery = 5, .giveUpAt = 24, .whenLost = PendingRequest::WhenLost::End};

    void Form_Load();
    void Form_Activate();
    void Form_Unload(int& cancel);
    void Text2_KeyPress(int& keyAscii);
    void OKButton_Click();
    void CancelButton_Click();
    void Command1_Click();
    void Timer1_Timer();

private:
    void ResetToDesign();
    // Back to idle: the name can be typed and searched again.
    void EndSearch(const std::string& status);

    PendingRequest request_;
};

// "Search for Ticket" (`SearchAccount`, Ctrl+K), the context menu's "Search for A&ccount"
// (`p_Search`) and the toolbar's "Search": the window as a modal dialog over the greyed table,
// with the supervision slowed while connected.
void ShowTicketInfo(KestovaMain& main);

}  // namespace kestova
