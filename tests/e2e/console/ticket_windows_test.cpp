// The ticket search and the report window on the Qt platform against the real zarnevo-server on
// loopback: tickets sold by a POS staff member are found, the day's report counts them with the
// right totals, and its print-out goes to a PDF file whose text reads back.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/settings.h"
#include "core/settings_table.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "reports/rsummary.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/loopback/console_link.h"

namespace kestova::e2e {
namespace {

using zarnevo::e2e::IndexOf;
using zarnevo::e2e::ValueOf;

// JOHN signs in on a link of the test's own and sells a batch: the first ticket's user name.
std::string SellTickets(quint16 port, const std::string& order) {
    const auto has = [](std::string_view keyword) {
        return
            [keyword](const auto& replies) { return IndexOf(replies, keyword) < replies.size(); };
    };
    zarnevo::e2e::ConsoleLink pos;
    pos.connectTo(port);
    pos.send("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||");
    pos.send("||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    pos.readUntil(has("F-POSLOG"));
    pos.send("||POSTICKET||" + order + "||");
    const std::string batch = ValueOf(pos.readUntil(has("PRINTPOS")), "PRINTPOS").value_or("");
    return batch.substr(0, batch.find('|'));
}

QString NewestPdfText(const QString& folder) {
    const QStringList pdfs = QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    QProcess pdftotext;
    pdftotext.start("pdftotext",
                    {"-layout", QDir(folder).filePath(pdfs.value(pdfs.size() - 1)), "-"});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// "Total Cost of Ticket(s) Sold: #1,250.00" is 125000; "...Sold: 12" is 12.
long long Figure(const std::string& report, const char* label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + ": #?([0-9,.]+)");
    QString digits = pattern.match(QString::fromStdString(report)).captured(1);
    return digits.remove(',').remove('.').toLongLong();
}

class TicketWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.log();
        console = std::make_unique<ConsoleUnderTest>(server.portOffset());
        WriteSetting(settings::PdfFolder, prints.path().toStdString());
        ASSERT_TRUE(console->startUp());
        ASSERT_EQ(console->logIn("ADMINISTRATOR", "admin"), "Loading Completed.");
    }

    // Today's ticket and cost report as the window shows it, printed when `print` is set.
    std::string TodaysReport(bool print) {
        RSummary& window = RSummaryWindow();
        std::string shown;
        console->dialogs().expectMsgBox("Show Ticket and Cost Report Summary for the ",
                                        platform::msgbox::Yes);
        if (print) {
            console->dialogs().expectMsgBox(
                "Print Report with default print[" + prints.path().toStdString(),
                platform::msgbox::Yes);
        }
        EXPECT_TRUE(console->inWindow("m_report", window, [&] {
            if (window.Command1.Enabled && window.Text2.Text.get().empty()) {
                window.Command1.DoClick();
            }
            if (window.AwaitingReport() || window.Text2.Text.get().empty()) {
                return false;
            }
            shown = window.Text2.Text;
            if (print) {
                window.Command3.DoClick();
            }
            return true;
        }));
        return shown;
    }

    CafeServer server{4};
    QTemporaryDir prints;
    std::unique_ptr<ConsoleUnderTest> console;  // goes before the server stops
};

TEST_F(TicketWindows, ASaleIsFoundAndCountedWithTheRightTotalsAndItsReportPrintsToPdf) {
    const std::string before = TodaysReport(false);
    const std::string user = SellTickets(server.consolePort(), "45|3|7.25|False|False|False|JOHN");
    ASSERT_FALSE(user.empty());

    TicketInfo& search = TicketInfoWindow();
    EXPECT_TRUE(console->inWindow("SearchAccount", search, [&] {
        if (search.Text2.Text.get().empty()) {
            search.Text2.Text = user;
            search.OKButton.DoClick();
        }
        return search.OKButton.Enabled.get();
    }));
    EXPECT_NE(search.Text1.Text.get().find("Username: " + user), std::string::npos);
    EXPECT_NE(search.Text1.Text.get().find("Time on Ticket: 45 min(s)"), std::string::npos);
    EXPECT_EQ(search.Label2.Caption.get(), "Ticket found.");

    const std::string after = TodaysReport(true);
    EXPECT_NE(after.find("3 Number(s) of 45min(s) at #7.25 := #21.75"), std::string::npos) << after;
    for (const auto& [label, added] : {std::pair{"Total Number of Ticket(s) Sold", 3},
                                       std::pair{"Total Cost of Ticket(s) Sold", 2175}}) {
        EXPECT_EQ(Figure(after, label), Figure(before, label) + added) << label;
    }
    const QString page = NewestPdfText(prints.path());
    EXPECT_TRUE(page.contains("3 Number(s) of 45min(s) at #7.25 := #21.75")) << page.toStdString();
    EXPECT_TRUE(page.contains("Report printed! - ")) << page.toStdString();
    EXPECT_TRUE(console->dialogs().allAnswered());
}

}  // namespace
}  // namespace kestova::e2e
