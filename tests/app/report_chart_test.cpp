// The report's sales as charts: who sold and which tickets sold, largest first, a staff member
// counted once wherever their records come, and a long list folded so the chart stays readable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reports/sales_chart.h"

namespace kestova::report {
namespace {

using Bar = platform::BarChart::Bar;

TEST(ReportChart, BarsAddUpByStaffAndByTicketTypeLargestFirst) {
    const char* const apart = "30-1.50-2-JOHN-60-2.50-3-MARY-30-1.50-4-JOHN";
    const struct {
        const char* text;
        platform::BarChart (*chart)(const SalesReport&);
        std::vector<Bar> bars;
    } cases[] = {
        // JOHN's records came apart: his sales are one bar.
        {apart, StaffChart, {{"JOHN", 9, "#9.00 (6 tickets)"}, {"MARY", 7.5, "#7.50 (3 tickets)"}}},
        {apart,
         TicketTypeChart,
         {{"30min(s) at #1.50", 9, "#9.00 (6 tickets)"},
          {"60min(s) at #2.50", 7.5, "#7.50 (3 tickets)"}}},
        // Equal amounts keep the order they came in; one length at two prices is two types.
        {"60-2-1-JOHN-60-1-2-JOHN-30-2-1-MARY",
         TicketTypeChart,
         {{"60min(s) at #2.00", 2, "#2.00 (1 ticket)"},
          {"60min(s) at #1.00", 2, "#2.00 (2 tickets)"},
          {"30min(s) at #2.00", 2, "#2.00 (1 ticket)"}}},
        // Nothing that counts: no ticket type, but the staff member still has a bar.
        {"30-abc-2-JOHN", TicketTypeChart, {}},
        {"30-abc-2-JOHN", StaffChart, {{"JOHN", 0, "#0.00 (0 tickets)"}}},
        {"60-100", StaffChart, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.chart(ReadSalesReport(c.text)).bars, c.bars) << c.text;
    }
    EXPECT_EQ(StaffChart({}).title, "Sales by Staff Member");
    EXPECT_EQ(TicketTypeChart({}).title, "Sales by Ticket Type");
}

// Beyond eight bars the smallest are added up in the last one.
TEST(ReportChart, ALongListFoldsItsSmallestIntoOneBar) {
    std::string text;
    for (int staff = 1; staff <= 10; ++staff) {
        text += (staff == 1 ? "" : "-") + std::string("30-1-") + std::to_string(staff) + "-S" +
                std::to_string(staff);
    }
    const platform::BarChart chart = StaffChart(ReadSalesReport(text));
    ASSERT_EQ(chart.bars.size(), 8u);
    EXPECT_EQ(chart.bars.front(), (Bar{"S10", 10.0, "#10.00 (10 tickets)"}));
    EXPECT_EQ(chart.bars[6].label, "S4");
    EXPECT_EQ(chart.bars.back(), (Bar{"3 others", 6.0, "#6.00 (6 tickets)"}));
}

}  // namespace
}  // namespace kestova::report
