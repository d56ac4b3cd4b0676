#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/wire/request_texts.h"
#include "reports/sales_report.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class PrintOut;

// The point-of-sale operations window: a signed-in staff member looks a ticket up, activates or
// deactivates one ticket, a whole ticket group or a range of it (tabs 1 and 2), fetches the
// sales summary of today or yesterday (tab 3) and keeps an activity log (tab 4). Each request
// goes out on the request timer every fifth tick until the server answers, the staff member
// stops it or tick 21 gives it up; the answers arrive through the dispatcher.
class OfrmPOS : public ui::Form {
public:
    OfrmPOS();

    ui::TabStrip Tb{
        *this, "Tb", {"Single Ticket", "Ticket Group", "Sales Summary", "Activity Log"}};

    // Tab 1: one ticket, by its user name or by its group and number.
    ui::Frame Frame4{*this, "Frame4"};
    ui::OptionButton Option1{*this, "Option1"};  // "By Username"
    ui::TextBox Text3{*this, "Text3"};           // user name
    ui::OptionButton Option2{*this, "Option2"};  // "By Ticket Group/No"
    ui::TextBox Text1{*this, "Text1"};           // ticket group, 12 digits
    ui::TextBox Text2{*this, "Text2"};           // ticket number, 3 digits
    ui::Button Command5{*this, "Command5"};      // "Show Information"
    ui::Frame Frame5{*this, "Frame5"};           // "Ticket Information"
    ui::Label Username{*this, "Username"};
    ui::Label mins{*this, "mins"};
    ui::Label cost{*this, "cost"};
    ui::Label GroupNo{*this, "GroupNo"};
    ui::Label Types{*this, "Types"};  // kind of ticket or its expiry
    ui::Label ActivatedBy{*this, "ActivatedBy"};

    // Tab 2: a whole ticket group, or a range of numbers in it.
    ui::Frame Frame6{*this, "Frame6"};
    ui::OptionButton Option3{*this, "Option3"};  // "All Ticket(s) in Group"
    ui::TextBox Text4{*this, "Text4"};
    ui::OptionButton Option4{*this, "Option4"};  // "Selected Ticket(s) in Group"
    ui::TextBox Text5{*this, "Text5"};
    ui::TextBox Text6{*this, "Text6"};  // first number
    ui::TextBox Text7{*this, "Text7"};  // last number
    ui::ListBox List1{*this, "List1"};  // "List of Activated Ticket(s)"
    ui::Label Label18{*this, "Label18"};

    // Tab 3: the sales summary.
    ui::Frame Frame7{*this, "Frame7"};
    ui::ComboBox Combo1{*this, "Combo1"};  // "None", "Today", "Yesterday"
    ui::TextBox Text8{*this, "Text8"};

    // Tab 4: the activity log, newest entry first.
    ui::Frame Frame8{*this, "Frame8"};
    ui::TextBox Text9{*this, "Text9"};

    // The two buttons of the tab on show (captions by tab), and saving tabs 3 and 4 as files.
    ui::Button Command2{*this, "Command2"};
    ui::Button Command4{*this, "Command4"};
    ui::Button Command6{*this, "Command6"};  // "Save as &PDF..."
    ui::Button Command7{*this, "Command7"};  // "Save as C&SV..."
    ui::Button Command3{*this, "Command3"};  // "Close", "STOP" while a request is pending
    ui::ProgressBar Pg{*this, "Pg"};

    // "Staff Information and Activity"
    ui::Frame Frame2{*this, "Frame2"};
    ui::Label Label10{*this, "Label10"};     // staff member
    ui::Label Label11{*this, "Label11"};     // sign-in time
    ui::Label Label13{*this, "Label13"};     // tickets sold today
    ui::Label Label14{*this, "Label14"};     // cost of today's sales
    ui::Label Label3{*this, "Label3"};       // status
    ui::Button Command1{*this, "Command1"};  // "Refresh Info"
    // Sends and repeats the pending request; looks a ticket up a moment after typing.
    ui::Timer Timer1{*this, "Timer1", 3000, false};

    // The public operations through which the server's answers reach the window.
    void FinishSale();
    // A sale or a refund: the server's count of today's tickets (taken from the answer) stands
    // for the tickets, and the cost of today's sales is the one given.
    void SaleMade(std::int16_t /*tickets*/, std::int64_t costCents) { ShowSale(costCents); }
    void SaleDemade(std::int16_t /*tickets*/, std::int64_t costCents) { ShowSale(costCents); }
    void Message(const std::string& text);
    void SummaryHead();
    void SummaryBody(std::string_view text);
    // The server has no summary for the period.
    void NoSummary();
    // A looked-up ticket ("TICKET1" record), or none ("NOTICKET1"). Taken on the ticket tab
    // while no request is pending, so that a late look-up never enables a button under way.
    void ShowTicket(std::string_view record);
    void ShowNoTicket();
    // A progress list ("MLIST"): the group, its count and ticket numbers.
    void GroupListed(std::string_view list);
    // The tickets sold today, as an answer carries them; a text that is not a number changes
    // nothing.
    void ShowSoldToday(std::string_view soldToday);
    // The staff figures ("KESTOVAUPDATE"): sold today, sign-in time and today's cost, any of
    // them missing.
    void StaffFigures(std::optional<std::string_view> soldToday,
                      std::optional<std::string_view> signedInAt,
                      std::optional<std::string_view> costToday);

    // What the window waits for: an answer now ends that request.
    bool AwaitingActivation() const { return pending_ && !SummaryTab(); }
    bool AwaitingSummary() const { return pending_ && SummaryTab(); }
    // Ticks of the pending request; requests at 0, 5, 10, 15, 20, time-out at 21.
    std::int16_t RequestTicks() const { return ticks_; }
    // Today's cost of sales in cents, as the server last told it.
    std::int64_t TotalCents() const { return totalCents_; }

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Form_Unload(int& cancel);
    void Tb_Click();
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Combo1_Click();
    void Timer1_Timer();

private:
    static constexpr int kTicketTab = 1;
    static constexpr int kGroupTab = 2;
    static constexpr int kSummaryTab = 3;
    static constexpr int kLogTab = 4;

    // One activity-log entry: what happened and when.
    struct LogEntry {
        std::string text;  // ends with " - "
        std::string time;
    };

    // The ticket side, in ticket_activation.cpp.
    void ResetTicketSide();
    void ShowTab(int tab);
    void InputKeyPress(ui::TextBox& box, int& keyAscii);
    void LookUpKeyUp();
    void TicketChanged(bool byUser);
    void ClearTicketInformation();
    // The tickets the selected option names, when its inputs are complete.
    std::optional<wire::request::TicketSelection> ChosenTickets() const;
    void Activation(bool deactivate);
    void StartRequest(std::string request, const char* status);
    void EndRequest();
    void TimedOut();
    void Stop();
    void LookUp();
    // The connection is gone while a request waits: says so and closes.
    void NotConnected();
    bool SummaryTab() const { return tab_ == kSummaryTab; }
    bool AwaitingLookUp() const { return !pending_ && tab_ == kTicketTab; }

    // The summary and log side, in ofrm_pos_sales.cpp.
    void ResetSalesSide();
    void AddLog(std::string text);
    void ShowLog();
    void ShowSalesToday();
    void ShowTotalCost();
    void ShowSale(std::int64_t costCents);
    void RefreshSummary();
    void ClearLog();
    void PrintSummary();
    void PrintLog();
    void PrintSummaryText(PrintOut& out) const;
    void PrintLogText(PrintOut& out) const;
    void UpdateSaveButtons();
    // "Today" or "Yesterday" as the file names and rows date it: "2026-12-07".
    std::string SummaryDate() const;

    int tab_ = kTicketTab;
    bool pending_ = false;
    std::int16_t ticks_ = 0;
    // The text sent at ticks 0, 5, 10, 15 and 20: an activation or a deactivation, or the
    // summary; taken when the request is confirmed, while the inputs are locked.
    std::string request_;
    std::int64_t totalCents_ = 0;
    std::vector<LogEntry> log_;  // newest first
    // The summary on show, kept for saving it.
    std::optional<report::SalesReport> summary_;
    std::string summaryPeriod_;
};

}  // namespace kestova
