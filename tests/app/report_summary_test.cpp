// The report window opened from the console: the day and report chosen, the request schedule,
// stop and time-out, the server's answers and late ones, the lost connection, printing, saving.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reports/rsummary.h"
#include "tests/app/window_request_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using platform::msgbox::No;
using platform::msgbox::Yes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const char* const kReport = "||REPORTSUMMARY||30-100-2-JOHN-60-150-3-MARY||";

class ReportSummaryTest : public testing::WindowRequestTest {
protected:
    ReportSummaryTest() : WindowRequestTest("||F-REPORTSUMMARY") {}

    // At `at` the operator clicks "Show Report Summary" and answers the question.
    void operatorAsksAt(sim::Ms at, int answer = Yes) {
        afterMs(at, [this, answer] {
            dialogs().expectMsgBox(StartsWith("Show "), answer);
            startedAt = loop().now();
            report.Command1.DoClick();
        });
    }
    void operatorClicksCommand2At(sim::Ms at) {
        afterMs(at, [this] { report.Command2.DoClick(); });
    }
    // What the window shows of its state: day, month, year, Command2, choices and Show enabled.
    std::string State() {
        return report.Days.Text.get() + " " + report.Months.Text.get() + " " +
               report.Years.Text.get() + "|" + report.Command2.Caption.get() + "|" +
               std::to_string(report.Days.Enabled + report.Command1.Enabled);
    }

    RSummary& report = RSummaryWindow();
};

TEST_F(ReportSummaryTest, OpensOnTodayAndAsksEveryFiveSecondsUntilItTimesOut) {
    operatorAsksAt(100);
    std::string pending;
    afterMs(100 + 24900, [&] { pending = State() + (main.ConsoleBusy ? "|busy" : ""); });
    afterMs(100, [&] { dialogs().expectMsgBox("Request timed out!"); });
    std::string timedOut;
    afterMs(100 + 26000, [&] { timedOut = State(); });
    operatorClicksCommand2At(100 + 26000);
    ui::Raise(main.m_report.Click);

    EXPECT_EQ(dialogs().shown().front().text,
              "Show Ticket and Cost Report Summary for the 7 DEC, 2026?");
    EXPECT_THAT(requestTimes, ElementsAre(1000, 6000, 11000, 16000, 21000));
    EXPECT_EQ(requests.front(), "||F-REPORTSUMMARY||7-12-2026||");
    EXPECT_EQ(pending, "7 DEC 2026|Stop Process|0|busy");
    EXPECT_EQ(timedOut, "7 DEC 2026|Close Report Summary|2");
    EXPECT_FALSE(main.ConsoleBusy);
    EXPECT_EQ(messagesFrom(server).back(), "UPDATE||||") << "a supervision tick at once";
}

TEST_F(ReportSummaryTest, StopAndNoEndTheRequestAndTheWindowStaysWhilePending) {
    afterMs(100, [this] {
        report.Option2.Value = true;
        report.Option2_Click();
    });
    operatorAsksAt(100);
    afterMs(3000, [this] { EXPECT_FALSE(report.Unload()) << "refused while pending"; });
    operatorClicksCommand2At(3000);  // "Stop Process"
    operatorAsksAt(4000, No);
    operatorClicksCommand2At(20000);
    ShowReportSummary(main);
    EXPECT_THAT(requests, ElementsAre("||F-REPORTSUMMARY2||7-12-2026||"));
    EXPECT_EQ(dialogs().last().text, "Show POS Report Summary for the 7 DEC, 2026?");
    EXPECT_EQ(report.Option2.ForeColor.get(), ui::colors::Red);
    EXPECT_FALSE(report.IsLoaded());
}

// A pasted year never saw the key filter: only four digits may go into a request.
TEST_F(ReportSummaryTest, OnlyFourDigitsOfYearAllowTheRequest) {
    report.EnsureLoaded();
    for (const auto& [typed, enabled] : std::initializer_list<std::pair<const char*, bool>>{
             {"204", false}, {"2o04", false}, {"2004", true}}) {
        report.Years.Text = "";
        sim::TypeInto(report.Years, typed);
        EXPECT_EQ(report.Command1.Enabled.get(), enabled) << typed;
    }
    report.Years.Text = "20|4";
    EXPECT_FALSE(report.Command1.Enabled);
}

TEST_F(ReportSummaryTest, TheAnswerIsLaidOutNoReportSaysSoAndLateAnswersArePassedOver) {
    answer = kReport;
    operatorAsksAt(100);
    std::string laidOut;
    std::size_t staffBars = 0;
    afterMs(3000, [&] {
        laidOut = report.Text2.Text;
        staffBars = report.SalesByStaff.Data.get().bars.size();
        answer = "||NOREPORTSUMMARY||||";
    });
    operatorAsksAt(3000);
    afterMs(6000, [&] { answer.clear(); });
    operatorAsksAt(6000);
    operatorClicksCommand2At(6000);  // stopped before any request went out
    afterMs(6000, [this] { server.send(wire::EncodeText(kReport)); });
    operatorClicksCommand2At(8000);
    ShowReportSummary(main);
    EXPECT_THAT(laidOut, StartsWith("     Ticket and Cost Summary for 7 DEC, 2026\r\n     ----"));
    EXPECT_THAT(laidOut, HasSubstr("Total Cost of Ticket(s) Sold: #650.00"));
    EXPECT_EQ(staffBars, 2u);
    EXPECT_EQ(report.Text2.Text.get(), "\r\n\tNo Report Summary") << "not the late answer";
    EXPECT_TRUE(report.SalesByTicketType.Data.get().bars.empty());
    EXPECT_EQ(requests.size(), 2u);

    main.ConsoleBusy = true;  // busy for another window
    serverSays(server, kReport);
    EXPECT_FALSE(report.IsLoaded()) << "an answer to a closed window does not load it";
}

// The request timer, like every timer, does not tick again while its own tick shows the box.
TEST_F(ReportSummaryTest, WithoutTheServerEachTickSaysSoUntilTheRequestIsStopped) {
    operatorAsksAt(100);
    afterMs(2500, [this] {
        connectionLost();
        dialogs().expectMsgBox("Kestova not connected!").after(4000);
        dialogs().expectMsgBox("Kestova not connected!");
    });
    operatorClicksCommand2At(9000);
    operatorClicksCommand2At(9500);
    ShowReportSummary(main);
    EXPECT_EQ(dialogs().countShown("Kestova not connected!"), 2);
}

TEST_F(ReportSummaryTest, PrintsOnTheDefaultPrinterOrItsPdfFolderAndSaves) {
    answer = kReport;
    operatorAsksAt(100);
    afterMs(3000, [this] {
        printers().setDeviceName("");
        dialogs().expectMsgBox("No Printer installed!");
        report.Command3.DoClick();
        WriteSetting(settings::PdfFolder, "/srv/prints");
        dialogs().expectMsgBox("Print Report with default print[/srv/prints]?", No);
        report.Command3.DoClick();
        EXPECT_TRUE(printers().documents().empty());
        dialogs().expectMsgBox("Print Report with default print[/srv/prints]?", Yes);
        report.Command3.DoClick();
        const std::vector<std::string> page = printers().lastDocument().texts();
        EXPECT_THAT(std::vector(page.begin(), page.begin() + 3),
                    ElementsAre("", "", "     Ticket and Cost Summary for 7 DEC, 2026"));
        EXPECT_THAT(std::vector(page.end() - 3, page.end()),
                    ElementsAre(std::string(51, '-'), StartsWith("Report printed! - "), ""));
        // The charts follow the report's text, before the line that says when it was printed.
        const std::vector<sim::PrintedChart>& charts = printers().lastDocument().charts;
        ASSERT_EQ(charts.size(), 2u);
        EXPECT_EQ(charts[0].chart, report.SalesByStaff.Data.get());
        EXPECT_EQ(charts[1].chart, report.SalesByTicketType.Data.get());
        EXPECT_EQ(charts[1].afterLines, page.size() - 4);
        printers().failEndDoc();
        dialogs().expectMsgBox(StartsWith("Print Report"), Yes);
        dialogs().expectMsgBox("Printer Error!");
        report.Command3.DoClick();
        printers().failEndDoc(false);
        dialogs().expectSaveFile("Save as PDF", "/home/op/day.pdf");
        dialogs().expectMsgBox(StartsWith("Saved as"));
        report.Command4.DoClick();
        EXPECT_EQ(dialogs().shown().at(dialogs().shown().size() - 2).defaultText,
                  "Ticket and Cost Summary 2026-12-07.pdf");
        EXPECT_THAT(printers().lastDocument().texts(), ::testing::Contains(HasSubstr("#650.00")));
        EXPECT_EQ(printers().lastDocument().charts.size(), 2u);
    });
    operatorClicksCommand2At(5000);
    ShowReportSummary(main);
}

// At 12:00 UTC a café in Kiritimati (UTC+14) is at 02:00 the next morning: the window offers
// its day, and the report, its print-out and the file it goes to carry its time.
TEST_F(ReportSummaryTest, ACafeFarFromUtcGetsItsOwnDayAndTime) {
    clock().setWallClock(std::chrono::sys_days{std::chrono::December / 7 / 2026} +
                         std::chrono::hours{12});
    clock().setUtcOffset(std::chrono::hours{14});
    WriteSetting(settings::PdfFolder, "/srv/prints");
    answer = kReport;
    operatorAsksAt(100);
    afterMs(3000, [this] {
        EXPECT_THAT(report.Text2.Text.get(),
                    HasSubstr("Report Generation Time and Date: 02:00AM 08-Dec-26"));
        dialogs().expectMsgBox(StartsWith("Print Report"), Yes);
        report.Command3.DoClick();
        EXPECT_THAT(printers().lastDocument().texts(),
                    ::testing::Contains("Report printed! - 02:00AM 08-Dec-26"));
        EXPECT_THAT(printers().lastDocument().pdfPath, StartsWith("/srv/prints/20261208-0200"));
    });
    operatorClicksCommand2At(5000);
    ShowReportSummary(main);
    EXPECT_EQ(requests.front(), "||F-REPORTSUMMARY||8-12-2026||");
}

}  // namespace
}  // namespace kestova
