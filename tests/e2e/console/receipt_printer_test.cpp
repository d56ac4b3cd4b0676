// The receipt printer on a pseudo-terminal (socat) with the console on the Qt platform: the
// options dialog's test line, and a staff member's batch of two tickets from the real server,
// byte for byte on the other end of the line.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>
#include <regex>

#include "console/kestova_opt.h"
#include "core/convert.h"
#include "core/version.h"
#include "pos/frm_pos.h"
#include "pos/passwords.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "server/db/sqlite_store.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/pty_printer.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

namespace msgbox = platform::msgbox;

QString PrinterSettings(const PtyPrinter& pty) {
    return "[Ports]\nCOM1=" + pty.printer() + "\n[POS]\nCOM=COM1\n";
}

TEST(ReceiptPrinterOnAPty, TheOptionsTestLineArrivesWhole) {
    PtyPrinter pty;
    ASSERT_TRUE(pty.ready()) << pty.log().toStdString();
    ConsoleUnderTest console(30'001, PrinterSettings(pty));  // no server: it stays unconnected
    console.dialogs().expectMsgBox("Is your POS connected to a COM port and switched ON?",
                                   msgbox::Yes);
    KestovaOpt& options = Options();
    const std::string line = "This is a POS test for COM1\r\n";
    Driver driver([&] {
        if (options.IsModal()) {
            options.Command30.DoClick();
            WaitUntil([&] { return pty.read() == line; });
            options.CancelButton.DoClick();
        }
        return options.IsModal();
    });
    options.Show(true);
    EXPECT_EQ(pty.read(), line);
    EXPECT_TRUE(console.dialogs().allAnswered());
}

// The print-out of a ticket as the staff member's tickets are kept on the server.
std::string PrintOut(const zarnevo::Ticket& ticket, int emptyLines) {
    const std::vector<std::string> lines = {
        "   " + VersionTitle(),
        std::string(37, '-'),
        "   Username: " + ticket.user,
        "   Password: " + ticket.password,
        "   Time:     60min(s) [100.00]",
        "   T/GRP:    " + ticket.group + "-00" + std::to_string(ticket.number),
        "   Expire:   5day(s)",
        "   Type:     Normal Ticket",
        std::string(36, '-'),
        "   Visit us at www.zarnevo.example",
        " - JOHN [stamp]",
        std::string(36, '-'),
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    for (int i = 0; i < emptyLines; ++i) {
        text += "\r\n";
    }
    return text;
}

TEST(ReceiptPrinterOnAPty, AStaffMembersBatchComesOutOnThePrinterAndCountsAsSold) {
    PtyPrinter pty;
    ASSERT_TRUE(pty.ready()) << pty.log().toStdString();
    QTemporaryDir data;
    const QString database = data.filePath("cafe.db");
    zarnevo::SqliteStore(database.toStdString()).putSetting("POSspeed", "2");  // 600 ms a line
    CafeServer server(5, database);
    ASSERT_TRUE(server.start()) << server.log();
    ConsoleUnderTest console(server.portOffset(), PrinterSettings(pty));
    EnterViewerState();  // without the start-up's splash: the print-out takes time enough
    console.main().Show();
    ASSERT_TRUE(WaitUntil([&] { return console.main().Command4.Visible.get(); }))
        << "the server never offered the point of sale";

    console.dialogs().expectMsgBox("You have choosen to Create and Print 2 number(s)", msgbox::Yes);
    console.dialogs().expectMsgBox("Did the POS Ticket with Ticket Group [", msgbox::Yes);
    console.dialogs().expectMsgBox("Ticket(s) with Ticket Group [", msgbox::OK);
    Passwords& signIn = PosPasswords();
    FrmPOS& pos = PosGeneration();
    std::string soldBefore, soldAfter;
    float costBefore = 0, costAfter = 0;
    // Inside the modal windows: signs in, sells, asks the server for the figures, closes.
    Driver driver([&] {
        if (signIn.IsModal() && signIn.OKButton.Enabled) {
            signIn.Text1.Text = "JOHN";
            signIn.Text2.Text = "john";
            signIn.OKButton.DoClick();
        }
        if (!pos.IsModal() || pos.Label11.Caption.get() == "Unknown") {
            return false;
        }
        soldBefore = pos.Label13.Caption;
        costBefore = pos.TCost;
        pos.Text1.Text = "60";
        pos.Text2.Text = "100";
        pos.Text3.Text = "2";
        pos.Command2.DoClick();    // returns once the batch is settled
        pos.Label13.Caption = "";  // what shows next is the server's count, not the window's
        pos.Command1.DoClick();
        WaitUntil([&] { return !pos.Label13.Caption.get().empty(); });
        soldAfter = pos.Label13.Caption;
        costAfter = pos.TCost;
        pos.Command3.DoClick();
        return true;
    });
    QObject deadline;  // the fallback below goes with the test
    QTimer::singleShot(2 * kWaitMs, &deadline, [&] {
        pos.Unload();
        signIn.Unload();
    });
    console.main().Command4.DoClick();
    ASSERT_FALSE(soldAfter.empty()) << "the batch did not come through";

    const std::vector<BatchTicket> sold = ParseTicketBatch(pos.BatchText());
    const auto batch = zarnevo::SqliteStore(database.toStdString()).findBatch(BatchGroup(sold));
    ASSERT_TRUE(batch.has_value()) << "the server keeps no batch " << BatchGroup(sold);
    ASSERT_EQ(batch->tickets.size(), 2u);
    const std::string expected = PrintOut(batch->tickets[0], 2) + PrintOut(batch->tickets[1], 7);
    ASSERT_TRUE(WaitUntil([&] { return pty.read().size() >= expected.size(); }));
    // The staff member's line carries the minute it was printed.
    const std::string printed = std::regex_replace(
        pty.read(), std::regex(R"(JOHN \[\d\d:\d\d \d\d-[A-Z][a-z]{2}-\d\d\])"), "JOHN [stamp]");
    EXPECT_EQ(printed, expected);

    EXPECT_EQ(pos.Label12.Caption.get(), "2");
    EXPECT_EQ(Val(soldAfter), Val(soldBefore) + 2) << "as the server counts the day's sales";
    EXPECT_EQ(costAfter, costBefore + 200);
    EXPECT_TRUE(console.dialogs().allAnswered());
    EXPECT_TRUE(console.main().Visible);
}

}  // namespace
}  // namespace kestova::e2e
