// The report read from the server's text and laid out: staff sections, subtotals and grand
// totals in exact cents, the records that cannot count, and the same report as spreadsheet rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pos/csv.h"
#include "reports/report_csv.h"
#include "reports/report_text.h"
#include "reports/sales_report.h"

namespace kestova::report {
namespace {

const std::string kDashes = "\r\n     " + std::string(72, '-');
const char* const kMadeAt = "09:00AM 07-Dec-26";

TEST(ReportLayout, TwoStaffMembersGetASectionEachWithSubtotalsAndGrandTotals) {
    const std::string body =
        BodyText(ReadSalesReport("30-100-2-JOHN-60-150-1-JOHN-60-150-3-MARY"), kMadeAt);
    EXPECT_EQ(body,
              "\r\n"
              "\r\n     Sales Details for Staff: JOHN" +
                  kDashes +
                  "\r\n     2 Number(s) of 30min(s) at #100.00 := #200.00"
                  "\r\n     1 Number(s) of 60min(s) at #150.00 := #150.00" +
                  kDashes +
                  "\r\n     **Sales Summary for Staff: JOHN**"
                  "\r\n     Total Ticket No.: 3  Total Cost: #350.00" +
                  kDashes + "\r\n" + kDashes + "\r\n     Sales Details for Staff: MARY" + kDashes +
                  "\r\n     3 Number(s) of 60min(s) at #150.00 := #450.00" + kDashes +
                  "\r\n     **Sales Summary for Staff: MARY**"
                  "\r\n     Total Ticket No.: 3  Total Cost: #450.00" +
                  kDashes + "\r\n" + kDashes +
                  "\r\n     Total Number of Ticket(s) Sold: 6"
                  "\r\n     Total Cost of Ticket(s) Sold: #800.00"
                  "\r\n     Report Generation Time and Date: 09:00AM 07-Dec-26");
    EXPECT_EQ(HeadText("Ticket and Cost Summary", "7", "DEC", "2026"),
              "     Ticket and Cost Summary for 7 DEC, 2026" + kDashes);
}

TEST(ReportLayout, FewerThanThreeFieldsGiveOnlyTheGrandTotals) {
    EXPECT_EQ(BodyText(ReadSalesReport("60-100"), kMadeAt),
              kDashes +
                  "\r\n     Total Number of Ticket(s) Sold: 0"
                  "\r\n     Total Cost of Ticket(s) Sold: #0.00"
                  "\r\n     Report Generation Time and Date: 09:00AM 07-Dec-26");
}

// A record that cannot count adds no line and nothing to the sums; the report says how many.
TEST(ReportLayout, UnreadableAndCutRecordsCountForNothingAndAreNoted) {
    const struct {
        const char* text;
        int lines;
        std::int64_t tickets;
        std::int64_t cents;
    } cases[] = {
        {"30-abc-2-JOHN-60-1.50-1-JOHN", 1, 1, 150},          // a price that is no number
        {"30-1-x-JOHN-60-1.50-1-JOHN", 1, 1, 150},            // a count that is no number
        {"30-1-2.5-JOHN-60-1.50-1-JOHN", 1, 1, 150},          // half a ticket
        {"60-1.50-1-JOHN-30-1", 1, 1, 150},                   // the text cut inside a record
        {"60-1.50-1-JOHN-1-1e9-2000000000-JOHN", 1, 1, 150},  // a cost beyond any sum
    };
    for (const auto& c : cases) {
        const SalesReport report = ReadSalesReport(c.text);
        ASSERT_FALSE(report.staff.empty()) << c.text;
        EXPECT_EQ(report.staff[0].lines.size(), static_cast<std::size_t>(c.lines)) << c.text;
        EXPECT_EQ(report.tickets, c.tickets) << c.text;
        EXPECT_EQ(report.costCents, c.cents) << c.text;
        EXPECT_EQ(report.recordsLeftOut, 1) << c.text;
        EXPECT_THAT(BodyText(report, kMadeAt),
                    ::testing::HasSubstr("Record(s) not counted (unreadable or cut short): 1"));
    }
}

// Ten thousand tickets at 0.10 are 1,000.00 exactly; single-precision sums drift away from it.
TEST(ReportLayout, ManySmallSalesSumExactly) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += (i == 0 ? "" : "-") + std::string("30-0.10-1-JOHN");
    }
    const SalesReport report = ReadSalesReport(text);
    EXPECT_EQ(report.costCents, 100000);
    EXPECT_THAT(BodyText(report, kMadeAt),
                ::testing::HasSubstr("Total Ticket No.: 10000  Total Cost: #1,000.00"));
}

// A staff name is the server's text: one that looks like a formula stays text in a spreadsheet.
TEST(ReportLayout, SpreadsheetRowsHoldOneRowPerStaffAndKindAndTheTotalLast) {
    const std::string csv =
        CsvText(CsvRows(ReadSalesReport("30-2.5-2-Smith, J-60-1.5-1-=SUM(A1)"), "2026-12-07"));
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "Date,Staff,Minutes,Price,Tickets,Cost\r\n"
              "2026-12-07,\"Smith, J\",30,2.50,2,5.00\r\n"
              "2026-12-07,'=SUM(A1),60,1.50,1,1.50\r\n"
              "Total,,,,3,6.50\r\n");
}

}  // namespace
}  // namespace kestova::report
