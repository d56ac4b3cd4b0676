// The ticket search, the report window and the point-of-sale operations window on the Qt
// platform against the real zarnevo-server on loopback: tickets sold by a POS staff member are
// found, the day's report counts them with the right totals, and its print-out goes to a PDF file
// whose text reads back; another staff member looks one of them up and deactivates and activates
// the batch as a range, with its progress list.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/settings.h"
#include "core/settings_table.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "reports/rsummary.h"
#include "server/db/sqlite_store.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

// What a poppler tool writes of the newest PDF file in the folder, given its options before and
// after the file.
QString OfNewestPdf(const QString& folder, const QString& tool, QStringList options,
                    const QStringList& after = {}) {
    const QStringList pdfs = QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    options.append(QDir(folder).filePath(pdfs.value(pdfs.size() - 1)));
    QProcess process;
    process.start(tool, options + after);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString NewestPdfText(const QString& folder) {
    return OfNewestPdf(folder, "pdftotext", {"-layout"}, {"-"});
}

// The machine's local time as logs and reports stamp it: "02:05PM 08-Dec-26".
std::string LogStamp(const QDateTime& when) {
    return QLocale::c().toString(when, "hh:mmAP dd-MMM-yy").toStdString();
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

    const QDateTime asked = QDateTime::currentDateTime();
    const std::string after = TodaysReport(true);
    const QDateTime shown = QDateTime::currentDateTime();
    EXPECT_NE(after.find("3 Number(s) of 45min(s) at #7.25 := #21.75"), std::string::npos) << after;
    // The machine's zone (these tests run far from UTC): either side of a minute's turn.
    const std::string madeAt = after.substr(after.rfind(": ") + 2);
    EXPECT_TRUE(madeAt == LogStamp(asked) || madeAt == LogStamp(shown)) << madeAt;
    for (const auto& [label, added] : {std::pair{"Total Number of Ticket(s) Sold", 3},
                                       std::pair{"Total Cost of Ticket(s) Sold", 2175}}) {
        EXPECT_EQ(Figure(after, label), Figure(before, label) + added) << label;
    }
    const QString page = NewestPdfText(prints.path());
    EXPECT_TRUE(page.contains("3 Number(s) of 45min(s) at #7.25 := #21.75")) << page.toStdString();
    EXPECT_TRUE(page.contains("Report printed! - ")) << page.toStdString();
    // The charts of the sales by staff member and by ticket type: the list's two heading lines
    // and a line each.
    const QString images = OfNewestPdf(prints.path(), "pdfimages", {"-list"});
    EXPECT_EQ(images.count('\n'), 4) << images.toStdString();
    EXPECT_TRUE(console->dialogs().allAnswered());
}

// MARY signs in where the café's staff work in the operations window, looks up a ticket JOHN
// sold, then deactivates and activates his batch as the range 001 to 003.
TEST(OperationsWindow, ATicketIsLookedUpAndARangeDeactivatedAndActivatedWithItsProgress) {
    QTemporaryDir data;
    const QString database = data.filePath("cafe.db");
    zarnevo::SqliteStore(database.toStdString()).putSetting("POSTYPE", "False");
    CafeServer server(4, database);
    ASSERT_TRUE(server.start()) << server.log();
    const std::string user = SellTickets(server.consolePort(), "30|3|2.50|False|False|False|JOHN");
    ASSERT_FALSE(user.empty());
    ConsoleUnderTest console(server.portOffset());
    EnterViewerState();
    console.main().Show();
    ASSERT_TRUE(WaitUntil([&] { return console.main().Command4.Visible.get(); }));

    namespace msgbox = platform::msgbox;
    console.dialogs().expectMsgBox("Deactivate ticket(s) 001 to 003 in TicketGrp[", msgbox::Yes);
    console.dialogs().expectMsgBox("Activate ticket(s) 001 to 003 in TicketGrp[", msgbox::Yes);
    Passwords& signIn = PosPasswords();
    OfrmPOS& window = PosOperations();
    std::string looked;  // the ticket's group/number and whether it could be deactivated
    std::vector<std::vector<std::string>> progress;  // the list after each request
    const auto idle = [&] { return !window.Timer1.IsEnabled() && !window.AwaitingActivation(); };
    Driver driver([&] {
        if (signIn.IsModal() && signIn.OKButton.Enabled) {
            signIn.Text1.Text = "mary";
            signIn.Text2.Text = "mary";
            signIn.OKButton.DoClick();
        }
        if (!window.IsModal() || window.Label11.Caption.get() == "Unknown" || !idle()) {
            return false;
        }
        if (window.Text3.Text.get().empty()) {
            window.Text3.Text = user;
            window.Command5.DoClick();
        } else if (looked.empty()) {
            if (window.Username.Caption.get() == user) {
                looked = window.GroupNo.Caption.get() + (window.Command4.Enabled ? " active" : "");
                window.Tb.SelectedIndex = 2;
                ui::Raise(window.Tb.Click);
                window.Option4.Value = true;
                window.Option3.Value = false;
                window.Text5.Text = looked.substr(0, looked.find('/'));
                window.Text6.Text = "001";
                window.Text7.Text = "003";
                window.Command4.DoClick();
            }
        } else if (window.Command2.Enabled) {
            progress.push_back(window.List1.Items());
            if (progress.size() == 1) {
                window.Command2.DoClick();
            } else {
                window.Command3.DoClick();
                return true;
            }
        }
        return false;
    });
    console.main().Command4.DoClick();

    ASSERT_EQ(looked.size(), std::string("123456789012/001 active").size()) << looked;
    EXPECT_TRUE(looked.ends_with("/001 active")) << looked;
    const std::string group = looked.substr(0, 12);
    const std::vector<std::string> wholeBatch = {group + "-001", group + "-002", group + "-003"};
    EXPECT_EQ(progress, (std::vector{wholeBatch, wholeBatch}));
    EXPECT_EQ(window.Label18.Caption.get(), "3 Ticket(s) in Ticket Group");
    EXPECT_EQ(window.Pg.Value.get(), 3);
    EXPECT_TRUE(console.dialogs().allAnswered());
    EXPECT_TRUE(console.main().Visible);
}

}  // namespace
}  // namespace kestova::e2e
