#include "reports/rsummary.h"

#include <array>

#include "connection/server_link.h"
#include "connection/supervision.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/local_time.h"
#include "core/version.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/export.h"
#include "program/kestova_code.h"
#include "reports/report_csv.h"
#include "reports/report_replies.h"
#include "reports/report_text.h"
#include "reports/sales_chart.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::DefaultButton2;
using platform::msgbox::Question;
using platform::msgbox::Yes;
using platform::msgbox::YesNo;

constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr int kDays = 31;
constexpr int kTickMs = 1000;
constexpr int kBusyIntervalMs = 60000;
constexpr int kKeyBackspace = 8;
constexpr std::size_t kYearDigits = 4;

const char* const kCloseCaption = "Close Report Summary";
const char* const kStopCaption = "Stop Process";
const char* const kTitle = "Zarnevo Kestova";
const char* const kReportFont = "Courier New";
constexpr double kReportFontSize = 10;

platform::Dialogs& Dialogs() {
    return platform::services().dialogs();
}

bool IsFourDigits(const std::string& text) {
    return text.size() == kYearDigits && text.find_first_not_of("0123456789") == std::string::npos;
}

void Choose(ui::ComboBox& list, int index) {
    list.ListIndex = index;
    list.Text = list.List(index);
}

}  // namespace

RSummary::RSummary()
    : ui::Form("RSummary"),
      request_(kRequestEdges,
               {.request =
                    [this] {
                        return std::optional(wire::request::ReportText(
                            PosCostsChosen() ? wire::request::Report::PointOfSale
                                             : wire::request::Report::TicketsAndCosts,
                            Days.Text.get(), MonthNumber(), Years.Text.get()));
                    },
                .timedOut =
                    [this] {
                        Stopx();
                        Dialogs().MsgBox("Request timed out!", Critical, kTitle);
                    },
                // Said at every tick until the operator stops the request (the request goes on).
                .lost = [] { Dialogs().MsgBox("Kestova not connected!", Critical, kTitle); }}) {
    OnLoad = [this] { Form_Load(); };
    OnQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Years.KeyPress = [this](int& key) { Years_KeyPress(key); };
    Years.GotFocus = [this] { Years_GotFocus(); };
    Years.Change = [this] { Years_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    ResetToDesign();
}

// What the window's design holds; a window loaded again after an unload starts from it.
void RSummary::ResetToDesign() {
    Caption = "Report Summary";
    Option1.Caption = "Ticket and Cost Summary";
    Option2.Caption = "POS Cost Summary";
    Option1.Value = true;
    Option2.Value = false;
    Option1.ForeColor = ui::colors::Red;
    Option2.ForeColor = ui::colors::Black;
    Days.Style = 2;
    Months.Style = 2;
    Years.MaxLength = static_cast<int>(kYearDigits);
    Years.Text = "2000";
    Command1.Caption = "Show Report Summary";
    Command1.Default = true;
    Command2.Caption = kCloseCaption;
    Command3.Caption = "Print Report Summary";
    Command4.Caption = "Save as &PDF...";
    Command5.Caption = "Save as C&SV...";
    Text2.Text = "";
    Text2.Locked = true;
    Timer1.SetEnabled(false);
    request_.End();
    shown_.reset();
    ShowCharts();
    SetChoicesEnabled(true);
}

void RSummary::Form_Load() {
    ResetToDesign();
    Days.Clear();
    for (int day = 1; day <= kDays; ++day) {
        Days.AddItem(std::to_string(day));
    }
    Months.Clear();
    for (const char* month : kMonths) {
        Months.AddItem(month);
    }
    const DateTime today = LocalNow();
    Choose(Days, today.day - 1);
    Choose(Months, today.month - 1);
    Years.Text = std::to_string(today.year);
    Years_Change();
}

void RSummary::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
    if (Timer1.IsEnabled()) {
        cancel = 1;
    }
}

void RSummary::Form_Unload(int& /*cancel*/) {
    Timer1.SetEnabled(false);
}

void RSummary::Option1_Click() {
    Option1.ForeColor = ui::colors::Red;
    Option2.ForeColor = ui::colors::Black;
}

void RSummary::Option2_Click() {
    Option2.ForeColor = ui::colors::Red;
    Option1.ForeColor = ui::colors::Black;
}

void RSummary::Years_KeyPress(int& keyAscii) {
    if (!(keyAscii >= '0' && keyAscii <= '9') && keyAscii != kKeyBackspace) {
        keyAscii = 0;
    }
}

void RSummary::Years_GotFocus() {
    Years.SelStart = 0;
    Years.SelLength = static_cast<int>(Years.Text.get().size());
}

// A year pasted in bypasses the keys: only four digits make a request (anything else would go to
// the server inside it).
void RSummary::Years_Change() {
    Command1.Enabled = IsFourDigits(Years.Text);
}

void RSummary::SetChoicesEnabled(bool enabled) {
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&Option1, &Option2, &Days, &Months, &Years}) {
        control->Enabled = enabled;
    }
    Command1.Enabled = enabled && IsFourDigits(Years.Text);
    Command3.Enabled = enabled;
    UpdateSaveButtons();
}

// A report on show can be saved, but not while the next one is being asked for.
void RSummary::UpdateSaveButtons() {
    const bool canSave = shown_.has_value() && !Timer1.IsEnabled();
    Command4.Enabled = canSave;
    Command5.Enabled = canSave;
}

// The charts of the report on show; empty ones while there is none.
void RSummary::ShowCharts() {
    const report::SalesReport none;
    const report::SalesReport& sales = shown_ ? shown_->report : none;
    SalesByStaff.Data = report::StaffChart(sales);
    SalesByTicketType.Data = report::TicketTypeChart(sales);
}

void RSummary::Command1_Click() {
    const std::string question =
        std::string(PosCostsChosen() ? "Show POS Report Summary for the "
                                     : "Show Ticket and Cost Report Summary for the ") +
        Days.Text.get() + " " + Months.Text.get() + ", " + Years.Text.get() + "?";
    if (Dialogs().MsgBox(question, YesNo | Question | DefaultButton2, kTitle) != Yes) {
        return;
    }
    SetChoicesEnabled(false);
    Command2.Caption = kStopCaption;
    request_.Start();
    Timer1.SetInterval(kTickMs);
    Timer1.SetEnabled(true);
}

void RSummary::Timer1_Timer() {
    request_.Tick();
}

void RSummary::Stopx() {
    Timer1.SetEnabled(false);
    SetChoicesEnabled(true);
    request_.End();
    Command2.Caption = kCloseCaption;
}

void RSummary::Command2_Click() {
    if (Timer1.IsEnabled()) {
        Stopx();
    } else {
        Unload();
    }
}

std::string RSummary::ReportTitle() const {
    return PosCostsChosen() ? "POS Sales Summary" : "Ticket and Cost Summary";
}

std::string RSummary::ChosenDate() const {
    const auto year = ToWholeNumber(Years.Text.get());
    const auto day = ToWholeNumber(Days.Text.get());
    return FormatDateTime("yyyy-mm-dd", DateTime{year.value_or(0), MonthNumber(), day.value_or(0)});
}

void RSummary::SummaryHead() {
    shown_.reset();
    Text2.Text =
        report::HeadText(ReportTitle(), Days.Text.get(), Months.Text.get(), Years.Text.get());
    ShowCharts();
    UpdateSaveButtons();
}

void RSummary::SummaryBody(std::string_view text) {
    ShownReport shown{report::ReadSalesReport(text), ReportTitle() + " " + ChosenDate(),
                      ChosenDate()};
    Text2.AppendText(report::BodyText(shown.report, LogTimeNow()));
    shown_ = std::move(shown);
    ShowCharts();
    UpdateSaveButtons();
}

void RSummary::ReportArrived(std::optional<std::string_view> text) {
    Stopx();
    SummaryHead();
    if (text) {
        SummaryBody(*text);
    }
}

void RSummary::NoReportArrived() {
    Stopx();
    NoReport();
}

void RSummary::NoReport() {
    shown_.reset();
    Text2.Text = "\r\n\tNo Report Summary";
    ShowCharts();
    UpdateSaveButtons();
}

void RSummary::PrintReportText(PrintOut& out) const {
    out.Font(kReportFont, kReportFontSize, false);
    out.Line("");
    out.Line("");
    out.Line(Text2.Text.get());
    for (const ui::Chart* chart : {&SalesByStaff, &SalesByTicketType}) {
        if (!chart->Data.get().bars.empty()) {
            out.Chart(chart->Data);
        }
    }
}

void RSummary::Command3_Click() {
    std::optional<PrintOut> out = AskToPrint("Report Summary", "Print Report with default print");
    if (!out) {
        return;
    }
    PrintReportText(*out);
    out->Line("");
    out->Line(std::string(51, '-'));
    out->Line("Report printed! - " + LogTimeNow());
    out->Line("");
    FinishPrintOut(*out);
}

void RSummary::Command4_Click() {
    if (shown_) {
        SaveAsPdf(shown_->title + ".pdf", [this](PrintOut& out) { PrintReportText(out); });
    }
}

void RSummary::Command5_Click() {
    if (shown_) {
        SaveAsCsv(shown_->title + ".csv", report::CsvRows(shown_->report, shown_->date));
    }
}

void ShowReportSummary(KestovaMain& main) {
    {
        ConsoleDimmed dimmed(main, {.busy = true, .intervalWhileConnectedMs = kBusyIntervalMs});
        RSummaryWindow().Show(true);
    }
    SupervisionTick(main);
}

// ---- The server's answers to the report request ---------------------------------------------

namespace {

// The report window is open and its request pending; the console is busy while it shows.
RSummary* WaitingReportWindow(const KestovaMain& main) {
    if (!main.IsBusy()) {
        return nullptr;
    }
    RSummary& report = RSummaryWindow();
    return report.IsLoaded() && report.AwaitingReport() ? &report : nullptr;
}

}  // namespace

void HandleReportSummary(KestovaMain& main, const Reply& reply) {
    if (RSummary* report = WaitingReportWindow(main)) {
        report->ReportArrived(reply.Value(1));
    }
}

void HandleNoReportSummary(KestovaMain& main, const Reply& /*reply*/) {
    if (RSummary* report = WaitingReportWindow(main)) {
        report->NoReportArrived();
    }
}

}  // namespace kestova
