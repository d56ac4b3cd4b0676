// The ticket side of the operations window: the look-up of one ticket, and the activation and
// deactivation of a ticket, a ticket group or a range of it, with their questions, log entries
// and progress list.
#include <algorithm>
#include <array>

#include "connection/server_link.h"
#include "core/convert.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/ofrm_pos.h"

namespace kestova {
namespace {

using Kind = wire::request::TicketSelection::Kind;

constexpr std::size_t kGroupLength = 12;
constexpr std::size_t kNumberLength = 3;
constexpr int kTypingIntervalMs = 1000;
constexpr int kKeyEnter = 13;

const char* const kNoTicketsListed = "0 Ticket(s) in Ticket Group";

// The pieces of a looked-up ticket's record.
enum Piece : std::size_t {
    kUser = 0,
    kSeconds = 1,
    kGroup = 2,
    kActivated = 3,
    kCost = 4,
    kTimeTicket = 5,
    kOnce = 6,
    kValidDays = 7,
    kExpiry = 8,
    kActivatedBy = 9,
    kNumber = 10,
};

bool HasLength(const std::string& text, std::size_t length) {
    return text.size() == length;
}

// What the window says about the tickets: the question before, the log entry on Yes.
std::string ActivationQuestion(const wire::request::TicketSelection& t, bool deactivate) {
    const std::string verb = deactivate ? "Deactivate" : "Activate";
    switch (t.kind) {
        case Kind::ByUser:
            return verb + " ticket with Username[" + t.user + "]?";
        case Kind::ByNumber:
            return verb + " ticket with TicketGrp/No[" + t.group + "/" + t.first + "]?";
        case Kind::WholeGroup:
            return verb + " ticket with TicketGrp[" + t.group + "]?";
        case Kind::Range:
            return verb + " ticket(s) " + t.first + " to " + t.last + " in TicketGrp[" + t.group +
                   "]?";
    }
    return {};
}

std::string LogText(const wire::request::TicketSelection& t, bool deactivate) {
    switch (t.kind) {
        case Kind::ByUser:
            return (deactivate ? "Deactivating Ticket [" : "Activating Ticket Username[") + t.user +
                   "] - ";
        case Kind::ByNumber:
            return (deactivate ? "Deactivating Ticket [" : "Activating Ticket TicketGrp/No[") +
                   t.group + "/" + t.first + "] - ";
        case Kind::WholeGroup:
            return (deactivate ? "Deactivating TicketGrp [" : "Activating Ticket Group[") +
                   t.group + "] - ";
        case Kind::Range:
            return (deactivate ? "Deactivating ticket(s) " : "Activating Ticket(s) ") + t.first +
                   " to " + t.last + " in TicketGrp[" + t.group + "] - ";
    }
    return {};
}

// The kind of ticket, or how long it is valid.
std::string TypeText(const std::vector<std::string>& pieces) {
    const auto piece = [&pieces](std::size_t n) {
        return n < pieces.size() ? std::string_view(pieces[n]) : std::string_view();
    };
    if (ToTruth(piece(kTimeTicket)).value_or(false) && ToTruth(piece(kOnce)).value_or(false)) {
        return "Time-Once";
    }
    const double days = Val(piece(kValidDays));
    if (days == 0 && piece(kExpiry) == "0") {
        return "Never Expire";
    }
    if (days > 0) {
        return std::string(piece(kValidDays)) + "day(s)";
    }
    // An expiry the server wrote in a form no date reads from is shown as it came.
    const auto expiry = ParseDateTime(piece(kExpiry));
    return expiry ? FormatDateTime("dd/mmm/yyyy", *expiry) : std::string(piece(kExpiry));
}

}  // namespace

void OfrmPOS::ResetTicketSide() {
    Option1.Caption = "By Username";
    Option2.Caption = "By Ticket Group/No";
    Option1.Value = true;
    Option2.Value = false;
    Text3.Text = "";
    Text1.Text = "000000000000";
    Text2.Text = "000";
    Text1.MaxLength = static_cast<int>(kGroupLength);
    Text2.MaxLength = static_cast<int>(kNumberLength);
    Text3.Enabled = true;
    Text1.Enabled = false;
    Text2.Enabled = false;
    Command5.Caption = "Show Information";
    Frame5.Caption = "Ticket Information";
    ClearTicketInformation();
    Option3.Caption = "All Ticket(s) in Group";
    Option4.Caption = "Selected Ticket(s) in Group";
    Option3.Value = true;
    Option4.Value = false;
    for (ui::TextBox* group : {&Text4, &Text5}) {
        group->Text = "";
        group->MaxLength = static_cast<int>(kGroupLength);
    }
    Text6.Text = "000";
    Text7.Text = "999";
    Text6.MaxLength = static_cast<int>(kNumberLength);
    Text7.MaxLength = static_cast<int>(kNumberLength);
    List1.Clear();
    Label18.Caption = kNoTicketsListed;
    Pg.Value = 0;
}

void OfrmPOS::ClearTicketInformation() {
    Username.Caption = "**********";
    mins.Caption = " **** min(s)";
    GroupNo.Caption = "*************";
    cost.Caption = "****";
    Types.Caption = "**************";
    ActivatedBy.Caption = "**************";
    Command2.Enabled = false;
    Command4.Enabled = false;
}

void OfrmPOS::ShowTab(int tab) {
    tab_ = tab;
    Frame4.Visible = tab == kTicketTab;
    Frame6.Visible = tab == kGroupTab;
    Frame7.Visible = tab == kSummaryTab;
    Frame8.Visible = tab == kLogTab;
    static constexpr std::array<std::array<const char*, 2>, 4> kCaptions = {{
        {"Activate Ticket(s)", "Deactivate Ticket(s)"},
        {"Activate Ticket(s)", "Deactivate Ticket(s)"},
        {"Refresh", "Print Sales Summary"},
        {"Clear Log(s)", "Print Log(s)"},
    }};
    Command2.Caption = kCaptions[static_cast<std::size_t>(tab - 1)][0];
    Command4.Caption = kCaptions[static_cast<std::size_t>(tab - 1)][1];
    // A ticket must be looked up before either button means anything.
    Command2.Enabled = tab != kTicketTab;
    Command4.Enabled = tab != kTicketTab;
    if (tab == kGroupTab) {
        Timer1.SetInterval(kTypingIntervalMs);
    }
    if (tab == kSummaryTab) {
        Combo1.ChooseText("None");
    }
    UpdateSaveButtons();
}

void OfrmPOS::Option1_Click() {
    Text3.Enabled = true;
    Text1.Enabled = false;
    Text2.Enabled = false;
    Text3.SetFocus();
    Timer1_Timer();
}

void OfrmPOS::Option2_Click() {
    Text3.Enabled = false;
    Text1.Enabled = true;
    Text2.Enabled = true;
    Text1.SetFocus();
    Timer1_Timer();
}

void OfrmPOS::InputKeyPress(ui::TextBox& box, int& keyAscii) {
    const bool lookUpBox = &box == &Text1 || &box == &Text2 || &box == &Text3;
    if (lookUpBox) {
        Timer1.SetEnabled(false);
        Timer1.SetInterval(kTypingIntervalMs);
    }
    if (keyAscii == kKeyEnter) {
        keyAscii = 0;
        if (&box == &Text1) {
            Text2.SetFocus();
            return;
        }
        const bool ticketTab = &box == &Text2 || &box == &Text3;
        for (ui::Button* button : {&Command2, &Command4, &Command5}) {
            if (button->Enabled && (button != &Command5 || ticketTab)) {
                button->SetFocus();
                return;
            }
        }
        return;
    }
    if (&box == &Text3) {
        // A user name never holds the server's separator.
        if (keyAscii == '|') {
            keyAscii = 0;
        }
        return;
    }
    ui::FiguresOnly(keyAscii);
}

// The look-up follows a second after the last key: the user name as typed, or a whole group
// and number.
void OfrmPOS::LookUpKeyUp() {
    const bool byUser = Option1.Value;
    if (byUser || (HasLength(Text1.Text, kGroupLength) && HasLength(Text2.Text, kNumberLength))) {
        Timer1.SetEnabled(true);
    }
}

void OfrmPOS::TicketChanged(bool byUser) {
    if (Option1.Value == byUser) {
        ClearTicketInformation();
    }
}

std::optional<wire::request::TicketSelection> OfrmPOS::ChosenTickets() const {
    wire::request::TicketSelection t;
    if (tab_ == kTicketTab && Option1.Value) {
        t.kind = Kind::ByUser;
        t.user = Text3.Text;
        return t.user.empty() ? std::nullopt : std::optional(t);
    }
    if (tab_ == kTicketTab) {
        t.kind = Kind::ByNumber;
        t.group = Text1.Text;
        t.first = Text2.Text;
    } else if (Option3.Value) {
        t.kind = Kind::WholeGroup;
        t.group = Text4.Text;
    } else {
        t.kind = Kind::Range;
        t.group = Text5.Text;
        t.first = Text6.Text;
        t.last = Text7.Text;
    }
    const bool numbersComplete = t.kind == Kind::WholeGroup ||
                                 (HasLength(t.first, kNumberLength) &&
                                  (t.kind == Kind::ByNumber || HasLength(t.last, kNumberLength)));
    if (!HasLength(t.group, kGroupLength) || !numbersComplete) {
        return std::nullopt;
    }
    return t;
}

void OfrmPOS::Activation(bool deactivate) {
    const std::optional<wire::request::TicketSelection> tickets = ChosenTickets();
    if (!tickets) {
        return;
    }
    if (tab_ == kGroupTab) {
        List1.Clear();
        Label18.Caption = kNoTicketsListed;
        Pg.Value = 0;
    }
    using platform::msgbox::DefaultButton2;
    using platform::msgbox::YesNo;
    if (platform::services().dialogs().MsgBox(ActivationQuestion(*tickets, deactivate),
                                              YesNo | platform::msgbox::Question | DefaultButton2,
                                              VersionTitle()) != platform::msgbox::Yes) {
        if (tickets->kind == Kind::ByUser) {
            Text3.SetFocus();
        }
        return;
    }
    Command2.Enabled = false;
    Command5.Enabled = false;
    if (deactivate) {
        Command4.Enabled = false;
    }
    (tab_ == kTicketTab ? Frame4 : Frame6).Enabled = false;
    AddLog(LogText(*tickets, deactivate));
    StartRequest(wire::request::ActivationText(*tickets, deactivate,
                                               wire::UpperAscii(Label10.Caption.get())),
                 deactivate ? "Deactivating ..." : "Activating ...");
}

// A tick with no request pending: the look-up of the ticket typed on tab 1, or the buttons of
// another tab.
void OfrmPOS::LookUp() {
    Timer1.SetEnabled(false);
    Label3.ForeColor = ui::colors::DarkGreen;
    Label3.Caption = "Ready.";
    Command5.Enabled = true;
    if (!Server().IsConnected()) {
        return;
    }
    if (tab_ != kTicketTab) {
        Command2.Enabled = true;
        Command4.Enabled = true;
        return;
    }
    if (const auto ticket = ChosenTickets()) {
        Server().Send(wire::request::TicketLookUpText(*ticket));
    }
}

void OfrmPOS::ShowTicket(std::string_view record) {
    if (!AwaitingLookUp()) {
        return;
    }
    const std::vector<std::string> pieces = wire::SplitOn(record, "|");
    const auto piece = [&pieces](std::size_t n) -> std::optional<std::string_view> {
        if (n >= pieces.size()) {
            return std::nullopt;
        }
        return pieces[n];
    };
    Username.Caption = std::string(piece(kUser).value_or(""));
    mins.Caption =
        SingleText(static_cast<float>(Val(piece(kSeconds).value_or("")) / 60)) + "min(s)";
    GroupNo.Caption =
        std::string(piece(kGroup).value_or("")) + "/" + std::string(piece(kNumber).value_or(""));
    cost.Caption = std::string(piece(kCost).value_or(""));
    Types.Caption = TypeText(pieces);
    ActivatedBy.Caption = std::string(piece(kActivatedBy).value_or(""));
    // A ticket whose state does not read can be neither activated nor deactivated from here.
    const std::optional<bool> activated = ToTruth(piece(kActivated).value_or(""));
    Command2.Enabled = activated.has_value() && !*activated;
    Command4.Enabled = activated.has_value() && *activated;
}

void OfrmPOS::ShowNoTicket() {
    if (AwaitingLookUp()) {
        ClearTicketInformation();
    }
}

void OfrmPOS::GroupListed(std::string_view list) {
    const std::vector<std::string> pieces = wire::SplitOn(list, "-");
    if (pieces.size() < 2) {
        return;
    }
    Label18.Caption = pieces[1] + " Ticket(s) in Ticket Group";
    const std::string& viewed = Option3.Value ? Text4.Text.get() : Text5.Text.get();
    if (pieces[0] != viewed) {
        return;
    }
    request_.CountFrom(2);
    if (const auto count = ToWholeNumber(pieces[1]); count && *count >= 0) {
        Pg.Max = *count;
    }
    for (std::size_t n = 2; n < pieces.size(); ++n) {
        List1.AddItem(pieces[0] + "-" + pieces[n]);
        Pg.Value = std::min(Pg.Value + 1, Pg.Max.get());
    }
}

}  // namespace kestova
