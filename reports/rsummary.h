#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reports/sales_report.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class KestovaMain;
class PrintOut;

// The report window: the operator picks a day and one of two reports (the ticket and cost
// summary, or the point-of-sale cost summary) and asks the server for it. The request goes out
// every five seconds until the answer comes or 24 seconds pass; the answer, run by the
// dispatcher, is laid out per staff member with subtotals and grand totals, and can be printed
// on the default printer or saved as a PDF or CSV file. Charts beside the text show the sales
// by staff member and by type of ticket.
class RSummary : public ui::Form {
public:
    RSummary();

    ui::OptionButton Option1{*this, "Option1"};  // "Ticket and Cost Summary"
    ui::OptionButton Option2{*this, "Option2"};  // "POS Cost Summary"
    ui::ComboBox Days{*this, "Days"};            // 1 to 31
    ui::ComboBox Months{*this, "Months"};        // "JAN" to "DEC"
    ui::TextBox Years{*this, "Years"};           // four digits
    ui::Button Command1{*this, "Command1"};      // "Show Report Summary"
    // "Close Report Summary", "Stop Process" while a request is pending.
    ui::Button Command2{*this, "Command2"};
    ui::Button Command3{*this, "Command3"};  // "Print Report Summary"
    ui::Button Command4{*this, "Command4"};  // "Save as &PDF..."
    ui::Button Command5{*this, "Command5"};  // "Save as C&SV..."
    ui::TextBox Text2{*this, "Text2"};       // the report
    // The report's sales drawn beside it.
    ui::Chart SalesByStaff{*this, "SalesByStaff"};
    ui::Chart SalesByTicketType{*this, "SalesByTicketType"};
    // The request timer: one tick a second while a request is pending.
    ui::Timer Timer1{*this, "Timer1", 1000, false};

    // The answers of the server, run by the dispatcher: the heading of the chosen report and
    // day, the report laid out below it, and the end of the pending request.
    void SummaryHead();
    void SummaryBody(std::string_view text);
    void Stopx();
    // The server has no report for the day.
    void NoReport();

    // A request is pending: an answer now is the report asked for.
    bool AwaitingReport() const { return Timer1.IsEnabled(); }
    // Ticks of Timer1 since "Show Report Summary"; requests at 0, 5, 10, 15, 20, time-out at 24.
    std::int16_t ReportTicks() const { return reportTicks_; }

    void Form_Load();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Form_Unload(int& cancel);
    void Option1_Click();
    void Option2_Click();
    void Years_KeyPress(int& keyAscii);
    void Years_GotFocus();
    void Years_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Timer1_Timer();

private:
    // The report on show, kept for saving it.
    struct ShownReport {
        report::SalesReport report;
        std::string title;  // "Ticket and Cost Summary 2004-03-05"
        std::string date;   // "2004-03-05"
    };

    void ResetToDesign();
    void SetChoicesEnabled(bool enabled);
    void UpdateSaveButtons();
    void ShowCharts();
    bool PosCostsChosen() const { return Option2.Value; }
    std::string ReportTitle() const;
    // The chosen day as the request and the saved files name it.
    int MonthNumber() const { return Months.ListIndex + 1; }
    std::string ChosenDate() const;
    // The report's lines and charts on a print-out (for the printer and for a PDF file alike).
    void PrintReportText(PrintOut& out) const;

    std::int16_t reportTicks_ = 0;
    std::optional<ShownReport> shown_;
};

// "Report Summary" (`m_report`) on the main window: the report window as a modal dialog over the
// greyed table, with the console busy and the supervision slowed; afterwards a supervision tick
// at once.
void ShowReportSummary(KestovaMain& main);

}  // namespace kestova
