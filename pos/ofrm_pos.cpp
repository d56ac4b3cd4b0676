#include "pos/ofrm_pos.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "connection/server_link.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/display_text.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "platform/services.h"
#include "pos/pos_replies.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;

constexpr int kOpeningIntervalMs = 3000;

const char* const kCloseCaption = "Close";
const char* const kStopCaption = "STOP";

}  // namespace

OfrmPOS::OfrmPOS()
    : ui::Form("OfrmPOS"),
      request_(kRequestEdges, {.request = [this] { return std::optional(requestText_); },
                               .timedOut = [this] { TimedOut(); },
                               .lost = [this] { NotConnected(); }}) {
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Tb.Click = [this] { Tb_Click(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    for (ui::TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7}) {
        box->GotFocus = [box] { box->SelectAll(); };
        box->KeyPress = [this, box](int& key) { InputKeyPress(*box, key); };
    }
    for (ui::TextBox* box : {&Text1, &Text2, &Text3}) {
        box->KeyUp = [this](int /*keyCode*/, int /*shift*/) { LookUpKeyUp(); };
    }
    Text1.Change = [this] { TicketChanged(false); };
    Text2.Change = [this] { TicketChanged(false); };
    Text3.Change = [this] { TicketChanged(true); };
    Frame2.Caption = "Staff Information and Activity";
    Command1.Caption = "Refresh Info";
    Command3.Cancel = true;
    Command6.Caption = "Save as &PDF...";
    Command7.Caption = "Save as C&SV...";
}

// A window opened again after a close starts from its design.
void OfrmPOS::Form_Load() {
    Caption = "Point-of-Sale(POS) - " + VersionTitle();
    Timer1.SetEnabled(false);
    Timer1.SetInterval(kOpeningIntervalMs);
    request_.End();
    requestText_.clear();
    Command3.Caption = kCloseCaption;
    Label10.Caption = "Unknown";
    Label11.Caption = "Unknown";
    Label3.Caption = "";
    ResetTicketSide();
    ResetSalesSide();
    Tb.SelectedIndex = kTicketTab;
    ShowTab(kTicketTab);
    TopMost = true;
}

void OfrmPOS::Form_Activate() {
    TopMost = true;
}

void OfrmPOS::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
    if (Timer1.IsEnabled()) {
        cancel = 1;
    }
}

void OfrmPOS::Form_Unload(int& /*cancel*/) {
    Timer1.SetEnabled(false);
    request_.End();
}

void OfrmPOS::Tb_Click() {
    if (Timer1.IsEnabled()) {
        // The tab strip moved on its own: back to the tab of the request under way.
        Tb.SelectedIndex = tab_;
        return;
    }
    ShowTab(Tb.SelectedIndex);
}

void OfrmPOS::Command2_Click() {
    switch (tab_) {
        case kTicketTab:
        case kGroupTab:
            Activation(false);
            break;
        case kSummaryTab:
            RefreshSummary();
            break;
        default:
            ClearLog();
            break;
    }
}

void OfrmPOS::Command4_Click() {
    switch (tab_) {
        case kTicketTab:
        case kGroupTab:
            Activation(true);
            break;
        case kSummaryTab:
            PrintSummary();
            break;
        default:
            PrintLog();
            break;
    }
}

void OfrmPOS::Command3_Click() {
    if (Command3.Caption.get() == kStopCaption) {
        Stop();
    } else {
        Unload();
    }
}

void OfrmPOS::Command5_Click() {
    Timer1_Timer();
}

void OfrmPOS::StartRequest(std::string request, const char* status) {
    requestText_ = std::move(request);
    Command3.Caption = kStopCaption;
    request_.Start();
    Label3.ForeColor = ui::colors::Red;
    Label3.Caption = status;
    Timer1.SetEnabled(true);
}

void OfrmPOS::EndRequest() {
    request_.End();
    Frame4.Enabled = true;
    Frame6.Enabled = true;
    Frame7.Enabled = true;
    Command3.Caption = kCloseCaption;
    UpdateSaveButtons();
}

void OfrmPOS::FinishSale() {
    EndRequest();
    switch (tab_) {
        case kTicketTab:
            (Option1.Value ? Text3 : Text1).SetFocus();
            break;
        case kGroupTab:
            (Option3.Value ? Text4 : Text5).SetFocus();
            break;
        default:
            break;
    }
}

void OfrmPOS::Timer1_Timer() {
    if (!Pending()) {
        LookUp();
        return;
    }
    request_.Tick();
}

void OfrmPOS::TimedOut() {
    const bool summary = SummaryTab();
    EndRequest();
    AddLog("Process timed out - ");
    Label3.Caption = "Terminating ...";
    platform::services().dialogs().MsgBox(summary ? "Sales Summary Retrieval timed out!"
                                                  : "Activation/Deactivation request timed out!",
                                          Critical, VersionTitle());
}

// STOP: the request is not sent again, and an answer that still comes is shown as usual.
void OfrmPOS::Stop() {
    EndRequest();
    Label3.Caption = "Terminating ...";
    AddLog("Process Terminated - ");
}

void OfrmPOS::NotConnected() {
    Timer1.SetEnabled(false);
    platform::services().dialogs().MsgBox("Zarnevo Kestova not connected!", Critical,
                                          VersionTitle());
    Unload();
}

// ---- The server's replies for the operations window ----------------------------------------

namespace {

// The operations window while it is open: the console is busy for as long as it shows. Its
// answers are passed over otherwise, and never load a closed window.
OfrmPOS* OperationsWindow(const KestovaMain& main) {
    if (!main.IsBusy()) {
        return nullptr;
    }
    OfrmPOS& window = PosOperations();
    return window.IsLoaded() ? &window : nullptr;
}

// Where an activation or deactivation answer carries its figures: value 1 split at "|", piece
// 0 the tickets sold today, then the number of tickets (none in DEACTIVATED) and the cost.
struct ActivationAnswer {
    bool activated;
    bool group;
    std::optional<std::size_t> countPiece;
    std::size_t costPiece;
};

constexpr ActivationAnswer kActivated{true, false, 1, 2};
constexpr ActivationAnswer kDeactivated{false, false, std::nullopt, 1};
constexpr ActivationAnswer kGroupActivated{true, true, 1, 2};
constexpr ActivationAnswer kGroupDeactivated{false, true, 2, 1};

// A count of tickets: a whole number that fits 16 bits.
std::optional<std::int16_t> TicketCount(std::string_view text) {
    const auto count = ToWholeNumber(text);
    if (!count || *count < INT16_MIN || *count > INT16_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*count);
}

void TakeActivationAnswer(KestovaMain& main, const Reply& reply, const ActivationAnswer& answer) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr) {
        return;
    }
    // Ends the activation waiting, never a summary request that came after it.
    if (window->AwaitingActivation()) {
        window->FinishSale();
    }
    const std::vector<std::string> pieces = wire::SplitOn(reply.Value(1).value_or(""), "|");
    const auto piece = [&pieces](std::size_t n) {
        return n < pieces.size() ? std::string_view(pieces[n]) : std::string_view();
    };
    window->ShowSoldToday(piece(0));
    if (answer.group && answer.activated) {
        window->GroupActivationDone();
    }
    // Figures that do not read change nothing.
    const auto count =
        answer.countPiece ? TicketCount(piece(*answer.countPiece)) : std::optional<std::int16_t>(0);
    const auto cents = ToCents(piece(answer.costPiece));
    if (!count || !cents) {
        return;
    }
    if (answer.activated) {
        window->SaleMade(*count, *cents);
    } else {
        window->SaleDemade(*count, *cents);
    }
}

}  // namespace

void HandleNoTicket(KestovaMain& main, const Reply& /*reply*/) {
    if (OfrmPOS* window = OperationsWindow(main)) {
        window->ShowNoTicket();
    }
}

void HandleTicketRecord(KestovaMain& main, const Reply& reply) {
    if (OfrmPOS* window = OperationsWindow(main)) {
        window->ShowTicket(reply.Value(1).value_or(""));
    }
}

void HandleTicketActivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kActivated);
}

void HandleTicketDeactivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kDeactivated);
}

void HandleGroupActivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kGroupActivated);
}

void HandleGroupDeactivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kGroupDeactivated);
}

void HandleActivationMessage(KestovaMain& main, const Reply& reply) {
    if (OperationsWindow(main) == nullptr) {
        return;
    }
    // The box opens once the dispatch is over, so the answers that came with the text are
    // taken first; a text longer than any box shows waits cut.
    const std::string text =
        CutForDisplay(reply.Value(1).value_or(""), kLongestMessageShown, kMessageCutMark);
    main.Receiver().ShowBoxAfterDispatch([text] {
        OfrmPOS& window = PosOperations();
        if (window.IsLoaded()) {
            window.Message(text);
        }
    });
}

void HandleGroupList(KestovaMain& main, const Reply& reply) {
    OfrmPOS* window = OperationsWindow(main);
    if (window != nullptr && reply.Value(1)) {
        window->GroupListed(*reply.Value(1));
    }
}

// A summary is taken only while one is asked for: a late one would stand under the heading of
// another period.
void HandleSalesSummary(KestovaMain& main, const Reply& reply) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr || !window->AwaitingSummary()) {
        return;
    }
    window->SummaryArrived(reply.Value(1));
}

void HandleNoSalesSummary(KestovaMain& main, const Reply& /*reply*/) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr || !window->AwaitingSummary()) {
        return;
    }
    window->NoSummaryArrived();
}

}  // namespace kestova
