// The ticket search and the report window of the console on the Qt platform against the real
// zarnevo-server on loopback: tickets sold by a POS staff member on the server are found, the
// day's report counts them with the right totals, and the print-outs go to PDF files whose text
// reads back.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/framing.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "reports/rsummary.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"
#include "tests/e2e/loopback/console_link.h"

namespace kestova::e2e {
namespace {

using platform::msgbox::OK;
using platform::msgbox::Yes;

// JOHN signs in on a console link of the test's own and sells a batch; the tickets' user names.
std::vector<std::string> SellTickets(quint16 port, const std::string& order) {
    using zarnevo::e2e::IndexOf;
    using zarnevo::e2e::ValueOf;
    const auto has = [](std::string_view keyword) {
        return [keyword](const std::vector<std::string>& replies) {
            return IndexOf(replies, keyword) < replies.size();
        };
    };
    zarnevo::e2e::ConsoleLink pos;
    if (!pos.connectTo(port)) {
        return {};
    }
    pos.send(
        "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||"
        "LOCALHOSTNAME||Kestova[pos]||");
    pos.send("||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    if (ValueOf(pos.readUntil(has("F-POSLOG")), "F-POSLOG") != "TRUE") {
        return {};
    }
    pos.send("||POSTICKET||" + order + "||");
    const auto batch = ValueOf(pos.readUntil(has("PRINTPOS")), "PRINTPOS");
    std::vector<std::string> users;
    // One ticket after another, nine fields each, the user name first.
    const std::vector<std::string> fields = wire::SplitOn(batch.value_or(""), "|");
    for (std::size_t i = 0; i + 8 < fields.size(); i += 9) {
        users.push_back(fields[i]);
    }
    return users;
}

QString NewestPdfText(const QString& folder) {
    const QStringList pdfs = QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    if (pdfs.isEmpty()) {
        return {};
    }
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", QDir(folder).filePath(pdfs.last()), "-"});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// A number the report shows after `label`: "Total Number of Ticket(s) Sold: 12" is 12, and
// "Total Cost of Ticket(s) Sold: #1,250.00" is 125000 (cents).
long long Figure(const std::string& report, const char* label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + ": #?([0-9,.]+)");
    QString digits = pattern.match(QString::fromStdString(report)).captured(1);
    return digits.remove(',').remove('.').toLongLong();
}

// The demo café on loopback and an administrator logged in at the console; print-outs go to a
// PDF folder.
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
        bool asked = false;
        console->dialogs().expect("Show Ticket and Cost Report Summary for the ", Yes);
        EXPECT_TRUE(console->inWindow("m_report", window, [&] {
            if (!asked) {
                asked = true;
                window.Command1.DoClick();
                return false;
            }
            if (window.AwaitingReport() || window.Text2.Text.get().empty()) {
                return false;
            }
            shown = window.Text2.Text;
            if (print) {
                console->dialogs().expect(
                    "Print Report with default print[" + prints.path().toStdString() + "]?", Yes);
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

// Tickets sold after a first look at the day's report: the search finds one and prints it, and
// the report counts the sale with the right totals and prints.
TEST_F(TicketWindows, ASaleIsFoundAndCountedAndBothPrintOutsReadBackFromPdf) {
    const std::string before = TodaysReport(false);
    ASSERT_FALSE(before.empty());
    const std::vector<std::string> users =
        SellTickets(server.consolePort(), "45|3|7.25|False|False|False|JOHN");
    ASSERT_EQ(users.size(), 3u);

    TicketInfo& search = TicketInfoWindow();
    std::string found;
    console->dialogs().expect("Ticket Information Printed Successfully!", OK);
    EXPECT_TRUE(console->inWindow("SearchAccount", search, [&] {
        if (search.Text2.Text.get().empty()) {
            search.Text2.Text = users[1];
            search.OKButton.DoClick();
            return false;
        }
        if (!search.OKButton.Enabled) {
            return false;  // searching
        }
        found = search.Text1.Text.get() + "\n" + search.Label2.Caption.get();
        search.Command1.DoClick();
        return true;
    }));
    EXPECT_NE(found.find("Username: " + users[1]), std::string::npos) << found;
    EXPECT_NE(found.find("Time on Ticket: 45 min(s)"), std::string::npos) << found;
    EXPECT_NE(found.find("Ticket found."), std::string::npos) << found;
    const QString ticketPage = NewestPdfText(prints.path());
    EXPECT_TRUE(ticketPage.contains(QString::fromStdString("Username: " + users[1])))
        << ticketPage.toStdString();

    const std::string after = TodaysReport(true);
    EXPECT_NE(after.find("3 Number(s) of 45min(s) at #7.25 := #21.75"), std::string::npos) << after;
    EXPECT_EQ(Figure(after, "Total Number of Ticket(s) Sold"),
              Figure(before, "Total Number of Ticket(s) Sold") + 3);
    EXPECT_EQ(Figure(after, "Total Cost of Ticket(s) Sold"),
              Figure(before, "Total Cost of Ticket(s) Sold") + 2175);
    const QString reportPage = NewestPdfText(prints.path());
    EXPECT_TRUE(reportPage.contains("3 Number(s) of 45min(s) at #7.25 := #21.75"))
        << reportPage.toStdString();
    EXPECT_TRUE(console->dialogs().allShown());
}

}  // namespace
}  // namespace kestova::e2e
