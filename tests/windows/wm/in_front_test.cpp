// The console as an operator meets it at a real counter: a window manager (openbox) on the X
// screen, the café far from UTC. Every window and every box that a sale, the reprint question,
// an activation, the report and the options open is the active window, stacked above the window
// it belongs to, framed and wholly on the screen; the login window opens framed and centred, in
// the same place every time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "connection/login_window.h"
#include "console/client_alerts.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "program/kestova_code.h"
#include "reports/rsummary.h"
#include "server/db/sqlite_store.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/pty_printer.h"
#include "tests/e2e/console/wait.h"
#include "tests/windows/wm/window_manager.h"

namespace kestova::e2e {
namespace {

namespace msgbox = platform::msgbox;

// How long the window manager may take to map, frame and activate a window.
constexpr int kSettleMs = 3000;
// The login window unrolls about its centre in whole steps and widens as it shows, and the window
// manager may still be settling its title bar: it ends within that of the centre, and of where it
// stood before.
constexpr int kCentredWithinPx = 24;
// The login window's height once unrolled, in twips.
constexpr int kUnrolledHeight = 3435;

bool Near(QPoint a, QPoint b) {
    return std::abs(a.x() - b.x()) <= kCentredWithinPx &&
           std::abs(a.y() - b.y()) <= kCentredWithinPx;
}

std::string Where(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

std::string Named(const QWidget& window) {
    return "\"" + window.windowTitle().toStdString() + "\"";
}

// Once the window manager has settled: the window is the active one (for the program and for
// the window manager), framed, wholly on the screen, and above the window it belongs to.
void ExpectInFront(QWidget& window, const QWidget* owner, const std::string& what) {
    const bool active = WaitUntil(
        [&] {
            return QApplication::activeWindow() == &window && wm::ActiveWindow() == window.winId();
        },
        kSettleMs);
    EXPECT_TRUE(active) << what << " is not the active window";
    const QMargins frame = wm::FrameExtents(window.winId());
    EXPECT_FALSE(frame.isNull()) << what << " has no frame";
    const QRect outside = window.geometry().marginsAdded(frame);
    EXPECT_TRUE(window.screen()->availableGeometry().contains(outside))
        << what << " lies at " << outside.x() << "," << outside.y() << " " << outside.width() << "x"
        << outside.height();
    if (owner != nullptr) {
        const std::vector<WId> stack = wm::StackingOrder();
        const auto at = [&stack](const QWidget& w) {
            return std::find(stack.begin(), stack.end(), w.winId()) - stack.begin();
        };
        EXPECT_GT(at(window), at(*owner)) << what << " is below " << Named(*owner);
    }
}

// One server and one console for the suite, in the order below: the login test logs the
// administrator in, whom the report and the options need.
class InFrontUnderAWindowManager : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::platformName() != "xcb") {
            skipped() = "no X screen to run a window manager on";
            return;
        }
        windowManager() = std::make_unique<wm::WindowManager>();
        printer() = std::make_unique<PtyPrinter>();
        if (!windowManager()->running() || !printer()->ready()) {
            return;
        }
        // The receipt printer at its fastest pace, so that a sale takes seconds.
        zarnevo::SqliteStore(database().toStdString()).putSetting("POSspeed", "2");
        server() = std::make_unique<CafeServer>(4, database());
        if (!server()->start()) {
            return;
        }
        console() = std::make_unique<ConsoleUnderTest>(
            server()->portOffset(),
            "[Ports]\nCOM1=" + printer()->printer() + "\n[POS]\nCOM=COM1\n");
        console()->dialogs().answerOnScreen(
            [](QDialog& box) { ExpectInFront(box, boxOwner(), "the box " + Named(box)); });
        started() = StartUpWatchingTheSplash();
    }
    static void TearDownTestSuite() {
        console().reset();  // before the server and the printer it uses
        server().reset();
        printer().reset();
        windowManager().reset();
    }
    void SetUp() override {
        if (!skipped().empty()) {
            GTEST_SKIP() << skipped();
        }
        ASSERT_TRUE(windowManager()->running())
            << "openbox did not start (scripts/deps installs it): "
            << windowManager()->log().toStdString();
        ASSERT_TRUE(printer()->ready()) << printer()->log().toStdString();
        ASSERT_TRUE(console() != nullptr) << "the server did not start: " << server()->log();
        ASSERT_TRUE(started());
    }

    // The start-up, with the splash looked at once it has unrolled.
    static bool StartUpWatchingTheSplash() {
        FrmSplash& splash = Splash();
        bool seen = false;
        Driver look([&] {
            if (splash.Visible && splash.Label3.Caption.get() == "Loading Kestova ...") {
                ExpectInFront(console()->window(splash), nullptr, "the splash");
                seen = true;
            }
            return seen;
        });
        const bool up = console()->startUp();
        EXPECT_TRUE(seen) << "the splash never unrolled";
        return up;
    }

    // Opens the login window through "Log off ..."; once it has unrolled it is looked at, and
    // then it logs in (or, with an empty user, logs off). The frame where it stood.
    static QRect OpenLogin(const std::string& user, const std::string& password) {
        FrmSplash& login = Splash();
        QRect stood;
        Driver step([&] {
            // Unrolled: its activation has emptied the status line.
            if (!login.IsModal() || !login.Label3.Caption.get().empty() ||
                !login.Command1.Enabled || login.Height != kUnrolledHeight) {
                return false;
            }
            QWidget& window = console()->window(login);
            ExpectInFront(window, &console()->mainWindow(), "the login window");
            // Once the window manager has done with the roll-down's steps.
            const QSize unrolled(login.Width / 15, login.Height / 15);
            QRect last;
            EXPECT_TRUE(WaitUntil(
                [&] {
                    const bool still = window.geometry() == last;
                    last = window.geometry();
                    return still && last.size() == unrolled;
                },
                kSettleMs))
                << "the login window stays at " << Where(last) << ", unrolled it is "
                << unrolled.width() << "x" << unrolled.height();
            stood = window.geometry().marginsAdded(wm::FrameExtents(window.winId()));
            if (user.empty()) {
                login.Command2.DoClick();
            } else {
                login.Text1.Text = user;
                login.Text2.Text = password;
                login.Command1.DoClick();
            }
            return true;
        });
        QObject deadline;  // a window that never gets there is closed, so the test goes on
        QTimer::singleShot(kWaitMs, &deadline, [&login] { login.Unload(); });
        QAction& open = console()->menuEntry("m_LogOff");
        EXPECT_TRUE(WaitUntil([&open] { return open.isEnabled(); }));
        open.trigger();
        EXPECT_FALSE(stood.isNull()) << "the login window never unrolled: " << login.Height.get()
                                     << " high, status \"" << login.Label3.Caption.get() << "\"";
        return stood;
    }

    // Signs the staff member in from the main window; `work` runs in their window once it is
    // ready and returns true when done (the window is then closed).
    static void AtThePointOfSale(const std::string& staff, const std::string& password,
                                 ui::Form& window, const std::function<bool()>& work) {
        Passwords& signIn = PosPasswords();
        bool signedIn = false;
        bool done = false;
        Driver step([&] {
            if (signIn.IsModal() && signIn.OKButton.Enabled && !signedIn) {
                ExpectInFront(console()->window(signIn), &console()->mainWindow(),
                              "the sign-in window");
                signIn.Text1.Text = staff;
                signIn.Text2.Text = password;
                signIn.OKButton.DoClick();
                signedIn = true;
            }
            if (!window.IsModal()) {
                return false;
            }
            if (!done) {
                ExpectInFront(console()->window(window), nullptr, "the point-of-sale window");
                boxOwner() = &console()->window(window);
                done = work();
            }
            if (done) {
                console()->window(window).close();  // refused while a request is pending
            }
            return done && !window.Visible;
        });
        QObject deadline;  // a window that never gets done is closed, so the test goes on
        QTimer::singleShot(2 * kWaitMs, &deadline, [&window, &signIn] {
            window.Unload();
            signIn.Unload();
        });
        KestovaMain& main = console()->main();
        EXPECT_TRUE(WaitUntil([&main] { return main.Command4.Visible && main.Command4.Enabled; }));
        main.Command4.DoClick();
        EXPECT_TRUE(done) << staff << " never got to work";
    }

    // Chooses the menu item that opens the window, and runs `work` in it until it is done.
    static void InWindow(const char* menuItem, ui::Form& window,
                         const std::function<bool()>& work) {
        bool looked = false;
        EXPECT_TRUE(console()->inWindow(menuItem, window, [&] {
            if (!looked) {
                ExpectInFront(console()->window(window), &console()->mainWindow(),
                              "the window opened by " + std::string(menuItem));
                boxOwner() = &console()->window(window);
                looked = true;
            }
            return work();
        }));
    }

    static std::string& skipped() {
        static std::string reason;
        return reason;
    }
    static QString database() {
        static QTemporaryDir folder;
        return folder.filePath("cafe.db");
    }
    static std::unique_ptr<wm::WindowManager>& windowManager() {
        static std::unique_ptr<wm::WindowManager> instance;
        return instance;
    }
    static std::unique_ptr<PtyPrinter>& printer() {
        static std::unique_ptr<PtyPrinter> instance;
        return instance;
    }
    static std::unique_ptr<CafeServer>& server() {
        static std::unique_ptr<CafeServer> instance;
        return instance;
    }
    static std::unique_ptr<ConsoleUnderTest>& console() {
        static std::unique_ptr<ConsoleUnderTest> instance;
        return instance;
    }
    static bool& started() {
        static bool up = false;
        return up;
    }
    // The window the boxes of the flow under way belong to.
    static const QWidget*& boxOwner() {
        static const QWidget* owner = nullptr;
        return owner;
    }
};

TEST_F(InFrontUnderAWindowManager, TheLoginWindowOpensCentredInTheSamePlaceEveryTime) {
    const QRect first = OpenLogin("", "");
    const QRect second = OpenLogin("", "");
    const QRect third = OpenLogin("ADMINISTRATOR", "admin");
    EXPECT_TRUE(Near(second.topLeft(), first.topLeft()) && Near(third.topLeft(), first.topLeft()))
        << "at " << Where(first) << ", then " << Where(second) << ", then " << Where(third);
    QWidget& main = console()->mainWindow();
    const QPoint off =
        first.center() - main.geometry().marginsAdded(wm::FrameExtents(main.winId())).center();
    EXPECT_TRUE(Near(off, QPoint())) << "off the centre by " << off.x() << "," << off.y();
    EXPECT_EQ(KestovaCode().RightsLevel, "ADMINISTRATOR");
}

TEST_F(InFrontUnderAWindowManager, ASaleWithItsQuotaAndReprintQuestions) {
    WriteSetting(settings::Download, "True");
    WriteSetting(settings::DownType, "1");
    ScriptedDialogs& boxes = console()->dialogs();
    boxes.expectInputBox("Enter the Quota (in kb) for this Ticket Group?", "1000");
    boxes.expectMsgBox("You have choosen to Create and Print 1 number(s)", msgbox::Yes);
    boxes.expectMsgBox("Did the POS Ticket with Ticket Group [", msgbox::No);
    boxes.expectMsgBox("Do you want to reprint the Ticket Group [", msgbox::No);
    boxes.expectMsgBox("] saved and printed!", msgbox::OK);
    FrmPOS& pos = PosGeneration();
    AtThePointOfSale("JOHN", "john", pos, [&] {
        if (pos.Label11.Caption.get() == "Unknown") {
            return false;  // the staff member's figures are still on their way
        }
        pos.Text1.Text = "60";
        pos.Text2.Text = "100";
        pos.Text3.Text = "1";
        pos.Command2.DoClick();  // returns once the batch is settled
        return true;
    });
    EXPECT_TRUE(boxes.allAnswered());
}

TEST_F(InFrontUnderAWindowManager, TheReportAndItsPrintQuestion) {
    QTemporaryDir prints;
    WriteSetting(settings::PdfFolder, prints.path().toStdString());
    console()->dialogs().expectMsgBox("Show Ticket and Cost Report Summary for the ", msgbox::Yes);
    console()->dialogs().expectMsgBox("Print Report with default print[", msgbox::Yes);
    RSummary& report = RSummaryWindow();
    InWindow("m_report", report, [&] {
        if (report.Text2.Text.get().empty()) {
            if (report.Command1.Enabled && !report.AwaitingReport()) {
                report.Command1.DoClick();
            }
            return false;
        }
        report.Command3.DoClick();
        return true;
    });
    EXPECT_TRUE(console()->dialogs().allAnswered());
}

TEST_F(InFrontUnderAWindowManager, TheOptionsPrinterTest) {
    console()->dialogs().expectMsgBox("Is your POS connected to a COM port and switched ON?",
                                      msgbox::No);
    console()->dialogs().expectMsgBox("Connect the POS, Switch it ON and try testing again!",
                                      msgbox::OK);
    KestovaOpt& options = Options();
    InWindow("m_Opt", options, [&] {
        options.Command30.DoClick();
        return true;
    });
    EXPECT_TRUE(console()->dialogs().allAnswered());
}

TEST_F(InFrontUnderAWindowManager, AnActivation) {
    // Staff work in the operations window from now on (as the server's switch would say).
    WriteSetting(settings::PosType, "False");
    const std::string user =
        SellTickets(server()->consolePort(), "30|1|2.50|False|False|False|JOHN");
    ASSERT_FALSE(user.empty());
    console()->dialogs().expectMsgBox("Deactivate ticket with Username[" + user + "]?",
                                      msgbox::Yes);
    OfrmPOS& pos = PosOperations();
    bool asked = false;
    AtThePointOfSale("MARY", "mary", pos, [&] {
        if (pos.Label11.Caption.get() == "Unknown" || pos.Timer1.IsEnabled() ||
            pos.AwaitingActivation()) {
            return false;
        }
        if (pos.Text3.Text.get().empty()) {
            pos.Text3.Text = user;
            pos.Command5.DoClick();
        } else if (!asked && pos.Username.Caption.get() == user && pos.Command4.Enabled) {
            pos.Command4.DoClick();
            asked = true;
        }
        return asked;
    });
    EXPECT_TRUE(console()->dialogs().allAnswered());
}

// What the console tells of its own accord (a client's time running out) goes to the message
// window, which shows without taking the keyboard from the window the operator types in.
TEST_F(InFrontUnderAWindowManager, ANoticeOfItsOwnAccordLeavesTheKeyboardWhereItWas) {
    QWidget& main = console()->mainWindow();
    main.activateWindow();
    ExpectInFront(main, nullptr, "the main window");
    ShowNoticeInBackground("ATLAS-04 has 4 minutes left.", kClientAlertsTitle);
    QWidget& log = console()->window(MessagesWindow());
    EXPECT_TRUE(WaitUntil([&log] { return log.isVisible(); }, kSettleMs));
    EXPECT_FALSE(WaitUntil(
        [&] { return QApplication::activeWindow() != &main || wm::ActiveWindow() != main.winId(); },
        kSettleMs / 3))
        << "the message window took the keyboard";
    MessagesWindow().Unload();
}

}  // namespace
}  // namespace kestova::e2e
