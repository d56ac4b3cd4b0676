// The point of sale over many batches, as a whole program: the console on the Qt platform
// (offscreen, in this process, as the end-to-end tests run it) against zarnevo-server on
// loopback, its receipt printer a pseudo-terminal read at a given pace. JOHN signs in and sells
// one ticket a batch; at the end every byte the printer received is compared with the print-outs
// of the batches the server made, and the console's resident memory after the first and the
// last batch is reported.
//
// Usage: kestova_bench_pos_batches [batches, default 50] [bytes read a second, default 960]
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <regex>

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

namespace {

using namespace kestova;
using namespace kestova::e2e;
namespace msgbox = platform::msgbox;

constexpr int kReadEveryMs = 100;

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// The print-out of a batch, the staff member's time stamp left out.
std::string PrintOut(const std::vector<BatchTicket>& tickets) {
    std::string text;
    for (std::size_t k = 0; k < tickets.size(); ++k) {
        const BatchTicket& t = tickets[k];
        for (const std::string& line :
             {"   " + VersionTitle(), std::string(37, '-'), "   Username: " + t.user,
              "   Password: " + t.password, "   Time:     " + t.minutes + "min(s) [" + t.cost + "]",
              "   T/GRP:    " + t.groupAndNumber, "   Expire:   " + t.expiry,
              std::string("   Type:     Normal Ticket"), std::string(36, '-'),
              std::string("   Visit us at www.zarnevo.example"), std::string(" - JOHN [stamp]"),
              std::string(36, '-')}) {
            text += line + "\r\n";
        }
        const int emptyLines = k + 1 == tickets.size() ? 7 : 2;
        for (int i = 0; i < emptyLines; ++i) {
            text += "\r\n";
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int batches = argc > 1 ? std::atoi(argv[1]) : 50;
    const int bytesPerSecond = argc > 2 ? std::atoi(argv[2]) : 960;

    PtyPrinter pty;
    QTemporaryDir data;
    const QString database = data.filePath("cafe.db");
    zarnevo::SqliteStore(database.toStdString()).putSetting("POSspeed", "2");
    CafeServer server(5, database);
    if (!pty.ready() || !server.start()) {
        std::fprintf(stderr, "no printer or no server: %s\n", server.log().c_str());
        return 1;
    }
    ConsoleUnderTest console(server.portOffset(),
                             "[Ports]\nCOM1=" + pty.printer() + "\n[POS]\nCOM=COM1\n");
    EnterViewerState();
    console.main().Show();
    if (!WaitUntil([&] { return console.main().Command4.Visible.get(); })) {
        std::fprintf(stderr, "the server never offered the point of sale\n");
        return 1;
    }

    // The printer takes its bytes at the given pace.
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        pty.read(static_cast<std::size_t>(bytesPerSecond) * kReadEveryMs / 1000);
    });
    reader.start(kReadEveryMs);

    Passwords& signIn = PosPasswords();
    FrmPOS& pos = PosGeneration();
    std::string expected;
    long afterFirstKb = 0;
    long afterLastKb = 0;
    int sold = 0;
    bool selling = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (signIn.IsModal() && signIn.OKButton.Enabled) {
            signIn.Text1.Text = "JOHN";
            signIn.Text2.Text = "john";
            signIn.OKButton.DoClick();
            return;
        }
        if (!pos.IsModal() || selling || pos.Label11.Caption.get() == "Unknown") {
            return;
        }
        if (sold == batches) {
            pos.Command3.DoClick();
            return;
        }
        selling = true;
        console.dialogs().expectMsgBox("You have choosen", msgbox::Yes);
        console.dialogs().expectMsgBox("Did the POS Ticket", msgbox::Yes);
        console.dialogs().expectMsgBox("Ticket(s) with Ticket Group [", msgbox::OK);
        pos.Text1.Text = "60";
        pos.Text2.Text = "100";
        pos.Text3.Text = "1";
        pos.Command2.DoClick();
        expected += PrintOut(ParseTicketBatch(pos.BatchText()));
        ++sold;
        (sold == 1 ? afterFirstKb : afterLastKb) = ResidentKb();
        std::fprintf(stderr, "batch %d: VmRSS %ld kB\n", sold, ResidentKb());
        selling = false;
    });
    driver.start(50);
    console.main().Command4.DoClick();
    driver.stop();

    WaitUntil([&] { return pty.read(0).size() >= expected.size(); }, 60'000);
    reader.stop();
    const std::string received = std::regex_replace(
        pty.read(), std::regex(R"(JOHN \[\d\d:\d\d \d\d-[A-Z][a-z]{2}-\d\d\])"), "JOHN [stamp]");
    std::size_t same = 0;
    while (same < received.size() && same < expected.size() && received[same] == expected[same]) {
        ++same;
    }
    std::printf("batches sold: %d (one ticket each), printer read at %d bytes/s\n", sold,
                bytesPerSecond);
    std::printf("bytes printed: %zu of %zu, identical up to byte %zu; lost: %zu\n", received.size(),
                expected.size(), same, expected.size() - same);
    std::printf("console VmRSS: %ld kB after the first batch, %ld kB after batch %d (%+ld kB)\n",
                afterFirstKb, afterLastKb, sold, afterLastKb - afterFirstKb);
    return sold == batches && same == expected.size() ? 0 : 1;
}
