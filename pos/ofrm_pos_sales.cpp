// The sales side of the operations window: the staff member's figures, the sales summary of today
// or yesterday, the activity log, and their print-outs and files.
#include "connection/server_link.h"
#include "core/convert.h"
#include "core/local_time.h"
#include "core/program_state.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/export.h"
#include "pos/ofrm_pos.h"
#include "reports/report_csv.h"
#include "reports/report_text.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::DefaultButton2;
using platform::msgbox::Exclamation;
using platform::msgbox::Yes;
using platform::msgbox::YesNo;

constexpr int kSummaryIntervalMs = 1000;
const char* const kPrintFont = "Courier New";
constexpr double kPrintFontSize = 10;

platform::Dialogs& Dialogs() {
    return platform::services().dialogs();
}

bool Ask(const std::string& question) {
    return Dialogs().MsgBox(question, YesNo | platform::msgbox::Question | DefaultButton2,
                            VersionTitle()) == Yes;
}

void TellNotConnected() {
    Dialogs().MsgBox("Zarnevo Kestova not connected!", Critical, VersionTitle());
}

}  // namespace

void OfrmPOS::ResetSalesSide() {
    Combo1.Style = 2;
    Combo1.Clear();
    for (const char* period : {"None", "Today", "Yesterday"}) {
        Combo1.AddItem(period);
    }
    Combo1.ChooseText("None");
    Text8.Text = "";
    Text8.Locked = true;
    Text9.Locked = true;
    summary_.reset();
    totalCents_ = 0;
    ShowSalesToday();
    ShowTotalCost();
    log_.clear();
    AddLog("Staff Successfully Logged in - ");
}

void OfrmPOS::AddLog(std::string text) {
    log_.insert(log_.begin(), LogEntry{std::move(text), LogTimeNow()});
    ShowLog();
}

void OfrmPOS::ShowLog() {
    std::string text;
    for (const LogEntry& entry : log_) {
        text += (text.empty() ? "" : "\r\n") + entry.text + entry.time;
    }
    Text9.Text = text;
    UpdateSaveButtons();
}

void OfrmPOS::ShowSalesToday() {
    Label13.Caption = SingleText(KestovaCode().SalesToday);
}

void OfrmPOS::ShowTotalCost() {
    Label14.Caption = "#" + CentsFormat(totalCents_);
}

void OfrmPOS::StaffFigures(std::optional<std::string_view> soldToday,
                           std::optional<std::string_view> signedInAt,
                           std::optional<std::string_view> costToday) {
    if (soldToday) {
        ShowSoldToday(*soldToday);
    }
    if (const auto cents = costToday ? ToCents(*costToday) : std::nullopt) {
        totalCents_ = *cents;
        ShowTotalCost();
    }
    if (signedInAt && Label11.Caption.get() == "Unknown") {
        Label11.Caption = std::string(*signedInAt);
    }
    Label3.ForeColor = ui::colors::DarkGreen;
    Label3.Caption = "Ready.";
}

void OfrmPOS::ShowSoldToday(std::string_view soldToday) {
    if (IsNumeric(soldToday)) {
        KestovaCode().SalesToday = static_cast<float>(Val(soldToday));
        Label13.Caption = std::string(soldToday);
    }
}

void OfrmPOS::ShowSale(std::int64_t costCents) {
    ShowSalesToday();
    totalCents_ = costCents;
    ShowTotalCost();
}

void OfrmPOS::Message(const std::string& text) {
    platform::services().loop().yield();
    Dialogs().MsgBox(text, Exclamation, VersionTitle());
}

void OfrmPOS::Command1_Click() {
    if (!Server().IsConnected()) {
        TellNotConnected();
        return;
    }
    Server().Send(wire::request::StaffFiguresText(wire::UpperAscii(Label10.Caption.get())));
}

void OfrmPOS::Combo1_Click() {
    Command2_Click();
}

void OfrmPOS::RefreshSummary() {
    if (!Server().IsConnected()) {
        TellNotConnected();
        return;
    }
    const std::string period = Combo1.Text;
    if (period.empty() || period == "None") {
        Text8.Text = "";
        summary_.reset();
        UpdateSaveButtons();
        return;
    }
    Frame7.Enabled = false;
    Timer1.SetInterval(kSummaryIntervalMs);
    summaryPeriod_ = period;
    AddLog("Retrieving " + period + " Sales Summary for Staff[" + Label10.Caption.get() + "] - ");
    StartRequest(wire::request::SalesSummaryText(wire::UpperAscii(Label10.Caption.get()),
                                                 Combo1.ListIndex - 1),
                 "Retrieving ...");
    UpdateSaveButtons();
}

void OfrmPOS::SummaryHead() {
    summary_.reset();
    Text8.Text = report::SummaryHeadText(summaryPeriod_);
    UpdateSaveButtons();
}

void OfrmPOS::SummaryBody(std::string_view text) {
    report::SalesReport summary = report::ReadStaffSummary(text, Label10.Caption.get());
    Text8.AppendText(report::SummaryBodyText(summary, Label10.Caption.get(), LogTimeNow()));
    summary_ = std::move(summary);
    UpdateSaveButtons();
}

void OfrmPOS::SummaryArrived(std::optional<std::string_view> text) {
    FinishSale();
    SummaryHead();
    if (text) {
        SummaryBody(*text);
    }
}

void OfrmPOS::NoSummaryArrived() {
    FinishSale();
    SummaryHead();
    NoSummary();
}

void OfrmPOS::NoSummary() {
    Text8.Text = "\r\n\tNo Sales Summary";
}

void OfrmPOS::ClearLog() {
    if (!Ask("Clear Log(s)?")) {
        return;
    }
    log_.clear();
    AddLog("Log Cleared! - ");
}

void OfrmPOS::PrintSummaryText(PrintOut& out) const {
    out.Font(kPrintFont, kPrintFontSize, false);
    out.Line("");
    out.Line(Text8.Text.get());
}

void OfrmPOS::PrintLogText(PrintOut& out) const {
    out.Font(kPrintFont, kPrintFontSize, false);
    out.Line("");
    out.Line("");
    out.Line("Print of Log for POS staff[" + Label10.Caption.get() + "]");
    out.Line(std::string(51, '-'));
    out.Line("");
    out.Line(Text9.Text.get());
}

void OfrmPOS::PrintSummary() {
    std::optional<PrintOut> out =
        AskToPrint("Sales Summary", "Print Sales Summary with default print");
    if (!out) {
        return;
    }
    PrintSummaryText(*out);
    AddLog("Sales Summary printed! - ");
    FinishPrintOut(*out);
}

void OfrmPOS::PrintLog() {
    std::optional<PrintOut> out = AskToPrint("Activity Log", "Print Log(s) with default print");
    if (!out) {
        return;
    }
    PrintLogText(*out);
    if (FinishPrintOut(*out)) {
        AddLog("Log printed! - ");
    }
}

// Tab 3 saves the summary on show (not while the next one is being asked for); tab 4 the log.
void OfrmPOS::UpdateSaveButtons() {
    const bool onSummary = tab_ == kSummaryTab;
    const bool onLog = tab_ == kLogTab;
    Command6.Visible = onSummary || onLog;
    Command7.Visible = onSummary || onLog;
    const bool canSave = onLog || (onSummary && summary_.has_value() && !Pending());
    Command6.Enabled = canSave;
    Command7.Enabled = canSave;
}

std::string OfrmPOS::SummaryDate() const {
    const int daysBack = summaryPeriod_ == "Yesterday" ? 1 : 0;
    return FormatDateTime("yyyy-mm-dd", AddDays(LocalNow(), -daysBack));
}

void OfrmPOS::Command6_Click() {
    if (tab_ == kLogTab) {
        SaveAsPdf("Activity Log " + Label10.Caption.get() + ".pdf",
                  [this](PrintOut& out) { PrintLogText(out); });
    } else if (summary_) {
        SaveAsPdf("POS Sales Summary " + Label10.Caption.get() + " " + SummaryDate() + ".pdf",
                  [this](PrintOut& out) { PrintSummaryText(out); });
    }
}

void OfrmPOS::Command7_Click() {
    if (tab_ == kLogTab) {
        std::vector<CsvRow> rows = {{CsvField::Text("Time"), CsvField::Text("Activity")}};
        for (const LogEntry& entry : log_) {
            std::string_view text = entry.text;
            if (text.ends_with(" - ")) {
                text.remove_suffix(3);
            }
            rows.push_back({CsvField::Text(entry.time), CsvField::Text(std::string(text))});
        }
        SaveAsCsv("Activity Log " + Label10.Caption.get() + ".csv", rows);
    } else if (summary_) {
        SaveAsCsv("POS Sales Summary " + Label10.Caption.get() + " " + SummaryDate() + ".csv",
                  report::CsvRows(*summary_, SummaryDate()));
    }
}

}  // namespace kestova
