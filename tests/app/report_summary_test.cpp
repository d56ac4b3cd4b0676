// The report window opened from the console: the day and report chosen, the request schedule,
// stop and time-out, the server's answers and late ones, the lost connection, printing and
// saving.
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

    // Once the window is up the operator clicks "Show Report Summary" and answers Yes.
    void operatorAsksForTheReport(sim::Ms at, bool posCosts = false) {
        dialogs().expectMsgBox(StartsWith("Show "), Yes);
        afterMs(at, [this, posCosts] {
            if (posCosts) {
                report.Option2.Value = true;
                report.Option2_Click();
            }
            startedAt = loop().now();
            report.Command1.DoClick();
        });
    }
    void operatorClosesAt(sim::Ms at) {
        afterMs(at, [this] {
            report.Command2.DoClick();  // "Stop Process" while pending, else "Close ..."
            report.Command2.DoClick();
        });
    }
    RSummary& report = RSummaryWindow();
};

TEST_F(ReportSummaryTest, OpensOnTodayAndAsksEveryFiveSecondsUntilItTimesOut) {
    operatorAsksForTheReport(100);
    std::vector<std::string> state;
    afterMs(100 + 24900, [&] {
        state = {report.Days.Text,
                 report.Months.Text,
                 report.Years.Text,
                 report.Command2.Caption,
                 std::to_string(report.Days.Enabled + report.Command1.Enabled),
                 std::to_string(main.ConsoleBusy)};
    });
    dialogs().expectMsgBox("Request timed out!");
    afterMs(100 + 26000, [&] {
        state.push_back(report.Command2.Caption);
        state.push_back(std::to_string(report.Days.Enabled + report.Command1.Enabled));
        report.Command2.DoClick();
    });
    ShowReportSummary(main);

    EXPECT_EQ(dialogs().shown().front().text,
              "Show Ticket and Cost Report Summary for the 7 DEC, 2026?");
    EXPECT_THAT(requestTimes, ElementsAre(1000, 6000, 11000, 16000, 21000));
    EXPECT_EQ(requests.front(), "||F-REPORTSUMMARY||7-12-2026||");
    EXPECT_THAT(state, ElementsAre("7", "DEC", "2026", "Stop Process", "0", "1",
                                   "Close Report Summary", "2"));
    EXPECT_FALSE(main.ConsoleBusy);
    EXPECT_EQ(main.ConList.BackColor.get(), ui::colors::White);
    EXPECT_EQ(messagesFrom(server).back(), "UPDATE||||") << "a supervision tick at once";
}

TEST_F(ReportSummaryTest, StopAndNoEndTheRequestAndTheWindowStaysWhilePending) {
    operatorAsksForTheReport(100, true);
    afterMs(3000, [this] {
        EXPECT_FALSE(report.Unload()) << "no closing while a request is pending";
        report.Command2.DoClick();  // "Stop Process"
        dialogs().expectMsgBox(StartsWith("Show POS Report Summary for the 7 DEC"), No);
        report.Command1.DoClick();
    });
    afterMs(20000, [this] { report.Command2.DoClick(); });
    ShowReportSummary(main);
    EXPECT_THAT(requests, ElementsAre("||F-REPORTSUMMARY2||7-12-2026||"));
    EXPECT_FALSE(report.IsLoaded());
}

TEST_F(ReportSummaryTest, OnlyFourDigitsOfYearAllowTheRequest) {
    report.EnsureLoaded();
    for (const auto& [typed, enabled] : std::initializer_list<std::pair<const char*, bool>>{
             {"204", false}, {"2o04", false}, {"2004", true}}) {
        report.Years.Text = "";
        sim::TypeInto(report.Years, typed);
        EXPECT_EQ(report.Command1.Enabled.get(), enabled) << typed;
    }
    report.Years.Text = "20|4";  // pasted: the keys never saw it
    EXPECT_FALSE(report.Command1.Enabled);
}

TEST_F(ReportSummaryTest, TheAnswerIsLaidOutNoReportSaysSoAndLateAnswersArePassedOver) {
    answer = kReport;
    operatorAsksForTheReport(100);
    std::string laidOut;
    std::string late;
    afterMs(3000, [&] {
        laidOut = report.Text2.Text;
        answer = "||NOREPORTSUMMARY||||";
        dialogs().expectMsgBox(StartsWith("Show "), Yes);
        report.Command1.DoClick();
    });
    afterMs(6000, [&] {
        answer.clear();
        dialogs().expectMsgBox(StartsWith("Show "), Yes);
        report.Command1.DoClick();
        report.Command2.DoClick();  // stopped before any request went out
        server.send(wire::EncodeText(kReport));
    });
    afterMs(8000, [&] {
        late = report.Text2.Text;
        report.Command2.DoClick();
    });
    ShowReportSummary(main);
    EXPECT_THAT(laidOut, StartsWith("     Ticket and Cost Summary for 7 DEC, 2026\r\n     ----"));
    EXPECT_THAT(laidOut, HasSubstr("Total Cost of Ticket(s) Sold: #650.00"));
    EXPECT_EQ(late, "\r\n\tNo Report Summary") << "the answer nobody waited for";
    EXPECT_EQ(requests.size(), 2u);

    main.ConsoleBusy = true;  // busy for another window
    serverSays(server, kReport);
    EXPECT_FALSE(report.IsLoaded()) << "an answer to a closed window does not load it";
}

TEST_F(ReportSummaryTest, WithoutTheServerEachTickSaysSoOneBoxAtATime) {
    operatorAsksForTheReport(100);
    afterMs(2500, [this] { connectionLost(); });
    dialogs().expectMsgBox("Kestova not connected!").after(4000);  // read for four seconds
    dialogs().expectMsgBox("Kestova not connected!");
    afterMs(9000, [this] { report.Command2.DoClick(); });
    afterMs(9500, [this] { report.Command2.DoClick(); });
    ShowReportSummary(main);
    EXPECT_EQ(dialogs().countShown("Kestova not connected!"), 2);
}

TEST_F(ReportSummaryTest, PrintsOnTheDefaultPrinterOrItsPdfFolderAndSaves) {
    answer = kReport;
    operatorAsksForTheReport(100);
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
        EXPECT_THAT(std::vector<std::string>(page.begin(), page.begin() + 3),
                    ElementsAre("", "", "     Ticket and Cost Summary for 7 DEC, 2026"));
        EXPECT_THAT(std::vector<std::string>(page.end() - 3, page.end()),
                    ElementsAre(std::string(51, '-'), StartsWith("Report printed! - "), ""));
        EXPECT_EQ(printers().lastDocument().lines[0].font,
                  (sim::PrinterFont{"Courier New", 10, false}));

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
        dialogs().expectSaveFile("Save as CSV", "");
        report.Command5.DoClick();
    });
    operatorClosesAt(5000);
    ShowReportSummary(main);
}

}  // namespace
}  // namespace kestova
