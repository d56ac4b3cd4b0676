#include "pos/ticket_info.h"

#include <string>

#include "connection/server_link.h"
#include "console/console_dimmed.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/pos_replies.h"
#include "pos/print_out.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::Exclamation;
using platform::msgbox::Information;

constexpr int kIntervalWhileOpenMs = 60000;

const char* const kCloseCaption = "&Close";
const char* const kCancelCaption = "&Cancel";
const char* const kSearching = "Searching for Ticket ...";
const char* const kPrintFont = "Arial";

platform::Dialogs& Dialogs() {
    return platform::services().dialogs();
}

// The request for the ticket. A ticket's user name never holds "|", the server's own separator;
// one pasted into the box would split the request into fields of the operator's making.
std::string SearchRequest(std::string name) {
    std::erase(name, '|');
    return wire::request::TicketSearchText(wire::UpperAscii(name));
}

}  // namespace

TicketInfo::TicketInfo()
    : ui::Form("TicketInfo"),
      request_(kRequestEdges, {.request =
                                   [this] {
                                       Label2.Caption = kSearching;
                                       return std::optional(SearchRequest(Text2.Text));
                                   },
                               .timedOut = [this] { EndSearch("Request timed out!"); },
                               // The search cannot go on: say so instead of "Searching ..." for
                               // good.
                               .lost = [this] { EndSearch("Not Connected!"); }}) {
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Text2.KeyPress = [this](int& key) { Text2_KeyPress(key); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    ResetToDesign();
}

// What the window's design holds; a window loaded again after an unload starts from it.
void TicketInfo::ResetToDesign() {
    Caption = "Ticket Information";
    Label1.Caption = "Enter Ticket Username:";
    Text2.Text = "";
    Text2.Enabled = true;
    OKButton.Caption = "&Search";
    OKButton.Default = true;
    OKButton.Enabled = true;
    CancelButton.Caption = kCloseCaption;
    CancelButton.Cancel = true;
    Text1.Text = "";
    Text1.Locked = true;
    Label2.Caption = "";
    Command1.Caption = "&Print";
    Timer1.SetEnabled(false);
    request_.End();
}

void TicketInfo::Form_Load() {
    ResetToDesign();
}

void TicketInfo::Form_Activate() {
    Text2.SetFocus();
}

void TicketInfo::Form_Unload(int& /*cancel*/) {
    Timer1.SetEnabled(false);
}

void TicketInfo::Text2_KeyPress(int& keyAscii) {
    if (keyAscii == '|') {
        keyAscii = 0;
    } else if (keyAscii >= 'a' && keyAscii <= 'z') {
        keyAscii -= 'a' - 'A';
    }
}

void TicketInfo::OKButton_Click() {
    if (!Server().IsConnected()) {
        Unload();
        return;
    }
    if (Text2.Text.get().empty()) {
        return;
    }
    Text2.Enabled = false;
    OKButton.Enabled = false;
    CancelButton.Caption = kCancelCaption;
    Label2.Caption = kSearching;
    request_.Start();
    Timer1.SetEnabled(true);
}

void TicketInfo::CancelButton_Click() {
    if (CancelButton.Caption.get() == kCloseCaption) {
        Unload();
        return;
    }
    Timer1.SetEnabled(false);
    request_.End();
    Text2.Enabled = true;
    OKButton.Enabled = true;
    CancelButton.Caption = kCloseCaption;
    Label2.Caption = "";
}

void TicketInfo::EndSearch(const std::string& status) {
    Text2.Enabled = true;
    OKButton.Enabled = true;
    CancelButton.Caption = kCloseCaption;
    Label2.Caption = status;
    request_.End();
    Timer1.SetEnabled(false);
    Text2.SetFocus();
}

void TicketInfo::Timer1_Timer() {
    if (OKButton.Enabled) {
        Timer1.SetEnabled(false);
        return;
    }
    request_.Tick();
}

void TicketInfo::SearchAnswered(std::optional<std::string_view> information,
                                std::optional<std::string_view> status) {
    if (!Searching()) {
        return;
    }
    request_.End();
    if (information) {
        Text1.Text = std::string(*information);
    }
    if (status) {
        Label2.Caption = std::string(*status);
    }
    Text2.Enabled = true;
    OKButton.Enabled = true;
    CancelButton.Caption = kCloseCaption;
}

void TicketInfo::Command1_Click() {
    PrintOut out("Ticket Information");
    if (out.PrinterName().empty()) {
        Dialogs().MsgBox("No Printer Installed!", Exclamation, VersionTitle());
        return;
    }
    if (Text1.Text.get().empty()) {
        return;
    }
    out.Font(kPrintFont, 14, true);
    out.Line(VersionTitle());
    out.Line(std::string(12, '-'));
    out.Line("");
    out.Font(kPrintFont, 12, true);
    out.Line("Ticket Information");
    out.Line("");
    out.Font(kPrintFont, 12, false);
    out.Line(Text1.Text.get());
    if (!out.End()) {
        Dialogs().MsgBox("Printer Error!", Critical, VersionTitle());
        return;
    }
    Dialogs().MsgBox("Ticket Information Printed Successfully!", Information, VersionTitle());
}

void ShowTicketInfo(KestovaMain& main) {
    ConsoleDimmed dimmed(main, {.busy = false, .intervalWhileConnectedMs = kIntervalWhileOpenMs});
    TicketInfoWindow().Show(true);
}

// ---- The server's answer to the search ------------------------------------------------------

void HandleTicketSearchAnswer(KestovaMain& /*main*/, const Reply& reply) {
    TicketInfo& search = TicketInfoWindow();
    if (!Server().IsConnected() || !search.IsLoaded()) {
        return;
    }
    search.SearchAnswered(reply.Value(1), reply.Value(2));
}

}  // namespace kestova
