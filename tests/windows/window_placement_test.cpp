// Every window of the program opens centred and lies wholly on the screen, shown the way the
// program shows it. Run on an X screen without a window manager (Xvfb), where nothing moves a
// window but the program itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <string>

#include "audit/audit_trail.h"
#include "connection/login_window.h"
#include "console/help_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/machine_store.h"
#include "core/messages.h"
#include "core/settings_table.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "reports/rsummary.h"

namespace {

struct Window {
    const char* name;
    std::function<ui::Form&()> open;  // shows it as the program does
};

// A window that unrolls as it opens (the login window) ends within a few pixels of the centre.
constexpr int kCentredWithinPx = 8;

class WindowPlacement : public ::testing::TestWithParam<Window> {
protected:
    static void SetUpTestSuite() {
        // The program's settings in a folder of their own, naming only loopback.
        qputenv("KESTOVA_CONFIG_DIR", config().path().toUtf8());
        kestova::CreateRegistryKey(kestova::settings::ServerIp.keyPath);
        kestova::WriteRegistryString(kestova::settings::ServerIp.keyPath,
                                     kestova::settings::ServerIp.valueName, "127.0.0.1");
    }
    static QTemporaryDir& config() {
        static QTemporaryDir dir;
        return dir;
    }
    ~WindowPlacement() override { kestova::ReleaseProgram(); }
};

TEST_P(WindowPlacement, OpensCentredAndWhollyOnTheScreen) {
    qtplatform::FormViews views;
    ui::Form& form = GetParam().open();
    QWidget& window = views.window(form);
    QTest::qWait(100);
    ASSERT_TRUE(window.isVisible());
    const QRect screen = window.screen()->availableGeometry();
    const QRect placed = window.frameGeometry();
    EXPECT_TRUE(screen.contains(placed)) << "at " << placed.x() << "," << placed.y() << " "
                                         << placed.width() << "x" << placed.height();
    EXPECT_LE(std::abs(placed.center().x() - screen.center().x()), kCentredWithinPx);
    EXPECT_LE(std::abs(placed.center().y() - screen.center().y()), kCentredWithinPx);
    form.Hide();
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindow, WindowPlacement,
    ::testing::Values(Window{"KestovaMain",
                             []() -> ui::Form& {
                                 kestova::Main().Show();
                                 return kestova::Main();
                             }},
                      Window{"frmSplash",
                             []() -> ui::Form& {
                                 kestova::Splash().Show();
                                 return kestova::Splash();
                             }},
                      Window{"Messages",
                             []() -> ui::Form& {
                                 kestova::ShowNotice("A notice", kestova::kServerMessagesTitle);
                                 return kestova::MessagesWindow();
                             }},
                      Window{"TicketInfo",
                             []() -> ui::Form& {
                                 kestova::TicketInfoWindow().Show();
                                 return kestova::TicketInfoWindow();
                             }},
                      Window{"RSummary",
                             []() -> ui::Form& {
                                 kestova::RSummaryWindow().Show();
                                 return kestova::RSummaryWindow();
                             }},
                      Window{"KestovaOpt",
                             []() -> ui::Form& {
                                 kestova::Options().Show();
                                 return kestova::Options();
                             }},
                      Window{"Passwords",
                             []() -> ui::Form& {
                                 kestova::PosPasswords().Show();
                                 return kestova::PosPasswords();
                             }},
                      Window{"frmPOS",
                             []() -> ui::Form& {
                                 ui::Form& window = kestova::PosStaffWindow(true, "JOHN");
                                 window.Show();
                                 return window;
                             }},
                      Window{"OfrmPOS",
                             []() -> ui::Form& {
                                 ui::Form& window = kestova::PosStaffWindow(false, "MARY");
                                 window.Show();
                                 return window;
                             }},
                      Window{"frmHelp",
                             []() -> ui::Form& {
                                 kestova::HelpWindow().ShowPage(KESTOVA_HELP_PAGE);
                                 return kestova::HelpWindow();
                             }},
                      Window{"AuditTrail",
                             []() -> ui::Form& {
                                 kestova::AuditTrailWindow().Show();
                                 return kestova::AuditTrailWindow();
                             }}),
    [](const ::testing::TestParamInfo<Window>& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    qtplatform::QtServices services;
    platform::installServices(&services);
    const int result = RUN_ALL_TESTS();
    platform::installServices(nullptr);
    return result;
}
