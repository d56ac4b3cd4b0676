#include "reports/report_text.h"

#include "core/convert.h"

namespace kestova::report {
namespace {

constexpr std::string_view kIndent = "     ";
const std::string kDashes(72, '-');

// Adds a line: a line break, the indent and the text.
void AddLine(std::string& text, std::string_view line) {
    text += "\r\n";
    text += kIndent;
    text += line;
}

void OpenSection(std::string& text, const StaffSales& staff) {
    AddLine(text, "Sales Details for Staff: " + staff.staff);
    AddLine(text, kDashes);
}

void CloseSection(std::string& text, const StaffSales& staff) {
    AddLine(text, kDashes);
    AddLine(text, "**Sales Summary for Staff: " + staff.staff + "**");
    AddLine(text, "Total Ticket No.: " + std::to_string(staff.tickets) + "  " + "Total Cost: #" +
                      CentsFormat(staff.costCents));
    AddLine(text, kDashes);
    text += "\r\n";
}

void AddSalesLine(std::string& text, const SalesLine& line) {
    AddLine(text, line.count + " Number(s) of " + line.minutes + "min(s) at #" +
                      CentsFormat(line.priceCents) + " := #" + CentsFormat(line.costCents));
}

// The grand totals, the records left out of them (when any) and the time the text was made.
void AddTotals(std::string& text, const SalesReport& report, std::string_view madeAt) {
    AddLine(text, "Total Number of Ticket(s) Sold: " + std::to_string(report.tickets));
    AddLine(text, "Total Cost of Ticket(s) Sold: #" + CentsFormat(report.costCents));
    if (report.recordsLeftOut > 0) {
        AddLine(text, "Record(s) not counted (unreadable or cut short): " +
                          std::to_string(report.recordsLeftOut));
    }
    AddLine(text, "Report Generation Time and Date: " + std::string(madeAt));
}

}  // namespace

std::string HeadText(std::string_view title, std::string_view day, std::string_view month,
                     std::string_view year) {
    std::string text(kIndent);
    text += std::string(title) + " for " + std::string(day) + " " + std::string(month) + ", " +
            std::string(year);
    AddLine(text, kDashes);
    return text;
}

std::string BodyText(const SalesReport& report, std::string_view madeAt) {
    std::string text;
    for (std::size_t i = 0; i < report.staff.size(); ++i) {
        const StaffSales& staff = report.staff[i];
        if (i == 0) {
            text += "\r\n";
        } else {
            CloseSection(text, report.staff[i - 1]);
            AddLine(text, kDashes);
        }
        OpenSection(text, staff);
        for (const SalesLine& line : staff.lines) {
            AddSalesLine(text, line);
        }
    }
    if (!report.staff.empty()) {
        CloseSection(text, report.staff.back());
    }
    AddLine(text, kDashes);
    AddTotals(text, report, madeAt);
    return text;
}

std::string SummaryHeadText(std::string_view period) {
    return std::string(kIndent) + "POS Sales Summary for " + std::string(period);
}

std::string SummaryBodyText(const SalesReport& summary, std::string_view staff,
                            std::string_view madeAt) {
    std::string text;
    AddLine(text, kDashes);
    for (const StaffSales& section : summary.staff) {
        for (const SalesLine& line : section.lines) {
            AddSalesLine(text, line);
        }
    }
    AddLine(text, kDashes);
    text += "\r\n";
    AddLine(text, "Staff: " + std::string(staff));
    AddTotals(text, summary, madeAt);
    return text;
}

}  // namespace kestova::report
