#include "pos/ofrm_pos.h"

#include "connection/server_link.h"
#include "console/kestova_main.h"
#include "core/version.h"
#include "platform/services.h"
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

}  // namespace kestova
