// The options dialog: what it loads, how its fields take edits, what Apply and OK store, the
// server search button, the receipt printer's test line and the reconnection after it closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/server_address.h"
#include "console/kestova_opt.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
namespace msgbox = platform::msgbox;

class OptionsDialogTest : public testing::ConsoleSimTest {
protected:
    KestovaMain& main = console();
    KestovaOpt& options = Options();

    // The dialog opened from the menu; the operator acts at 100 ms, then closes it.
    void runDialog(const std::function<void()>& actions, ui::Button& closeWith) {
        afterMs(100, [&, actions] {
            actions();
            closeWith.DoClick();
        });
        ui::Raise(main.m_Opt.Click);
    }
};

TEST_F(OptionsDialogTest, LoadsTheStoredSettingsAndOkWithoutAChangeStoresNothing) {
    for (const auto& [setting, value] : {std::pair{&settings::Loop, "10"},
                                         {&settings::Refresh, "7"},
                                         {&settings::UsePort, "1"},
                                         {&settings::PortNo, "x"},
                                         {&settings::Com, "COM3"}}) {
        setOption(*setting, value);
    }
    WriteSetting(settings::kPorts, "COM3", "/dev/ttyUSB0");
    const int writes = files().writeCount();
    runDialog([] {}, options.OKButton);

    EXPECT_THAT(options.Combo1.Items(), ElementsAre("4", "5", "6", "7", "8", "9", "10"));
    EXPECT_EQ(options.Combo2.ListCount(), 26);
    EXPECT_EQ(options.Combo1.Text.get() + options.Combo2.Text.get(), "107");
    EXPECT_TRUE(options.Check1.Value == 1 && options.Text2.Enabled);
    EXPECT_EQ(options.Text2.Text.get(), "10") << "not numeric";
    EXPECT_EQ(options.Text1.Text.get(), "127.0.0.1");
    EXPECT_EQ(options.Combo13.ListIndex.get(), 2);
    EXPECT_EQ(options.lblPortDevice.Caption.get(), "/dev/ttyUSB0");
    EXPECT_EQ(files().writeCount(), writes);
}

TEST_F(OptionsDialogTest, EditsEnableApplyWhichStoresEverySettingAndTheNewServerCountsAtOnce) {
    runDialog(
        [this] {
            EXPECT_FALSE(options.Command1.Enabled);
            options.Check1.Value = 1;
            ui::Raise(options.Check1.Click);
            EXPECT_TRUE(options.Text2.Enabled && options.Command1.Enabled);
            options.Text2.Text = "";
            sim::TypeInto(options.Text2, "1a2.b3");  // figures, the point and Backspace only
            options.Text1.Text = "127.0.0.2";
            options.Combo2.Text = "9";
            options.Combo13.ChooseText("COM2");
            ui::Raise(options.Combo13.Click);
            EXPECT_EQ(options.lblPortDevice.Caption.get(), "/dev/ttyS1");
            options.Command1.DoClick();
            EXPECT_FALSE(options.Command1.Enabled);
        },
        options.CancelButton);

    EXPECT_EQ(ReadSetting(settings::Refresh) + ReadSetting(settings::UsePort), "91");
    EXPECT_THAT(files().contents("kestova.ini"), ::testing::HasSubstr("PorTNo=12.3"));
    EXPECT_EQ(ReadSetting(settings::Com), "COM2");
    EXPECT_EQ(main.m_IP.Caption.get(), "Server IP: 127.0.0.2");
    EXPECT_EQ(network().connectAttempts().back().host, "127.0.0.2");
    EXPECT_EQ(network().connectAttempts().back().port, 999 + 12);
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
}

TEST_F(OptionsDialogTest, AWrongAddressIsReplacedOnLeavingAndTheSearchButtonStartsAndStops) {
    Server().Close();
    // Simulated sockets only: the built-in address is shown, never connected to.
    dialogs().expectMsgBox(std::string(kInvalidAddressMessage));
    runDialog(
        [this] {
            options.Text1.Text = "300.1.1.1";
            ui::Raise(options.Text1.LostFocus);
            EXPECT_EQ(options.Text1.Text.get(), settings::kDefaultServerIp);
            options.Command2.DoClick();
            EXPECT_TRUE(main.IsServerSearchRunning());
            EXPECT_EQ(options.Command2.Caption.get(), "Stop &Server Search");
            options.Command2.DoClick();
            EXPECT_FALSE(main.IsServerSearchRunning());
            EXPECT_EQ(options.Command2.Caption.get(), "Search for &Server Now");
        },
        options.CancelButton);
    EXPECT_EQ(ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName),
              "127.0.0.1")
        << "Cancel stores nothing";
    for (const auto& attempt : network().connectAttempts()) {
        EXPECT_TRUE(attempt.host.starts_with("127.")) << attempt.host;
    }
}

TEST_F(OptionsDialogTest, EnterOnOkWithAWrongAddressStoresNothingAndKeepsTheDialogOpen) {
    const int writes = files().writeCount();
    dialogs().expectMsgBox(std::string(kInvalidAddressMessage)).after(100);
    runDialog(
        [this, writes] {
            options.Text1.Text = "127.0.0.300";
            options.Combo2.Text = "9";
            afterMs(10, [this] { ui::Raise(options.Text1.LostFocus); });  // taken by the box
            options.OKButton.DoClick();  // Enter: the field keeps the focus until the box shows
            EXPECT_TRUE(options.IsLoaded());
            EXPECT_EQ(options.Text1.Text.get(), settings::kDefaultServerIp);
            EXPECT_EQ(files().writeCount(), writes) << "not even the refresh rate";
        },
        options.CancelButton);
}

// Counts how often the view would have to take a list again.
struct ListUpdates : ui::ControlObserver {
    int count = 0;
    void propertyChanged(ui::Control&, std::string_view property) override {
        count += property == "List" ? 1 : 0;
    }
};

TEST_F(OptionsDialogTest, TheLoopListIsOneUpdateAndNoLongerThanThePortRotationCanUse) {
    setOption(settings::Loop, "200000");
    ListUpdates updates;
    options.Combo1.setObserver(&updates);
    runDialog([] {}, options.CancelButton);
    options.Combo1.setObserver(nullptr);

    EXPECT_EQ(updates.count, 1);
    EXPECT_EQ(options.Combo1.ListCount(), 32766 - 3);
    EXPECT_EQ(options.Combo1.Items().back(), "32766");
    EXPECT_EQ(options.Combo1.Text.get(), "32766");
}

struct PrinterTest {
    const char* port;
    const char* device;   // where the line goes
    int answer;           // to "Is your POS connected ...?"; 0: not asked
    const char* message;  // shown after it; "" for none
};

class PrinterTestButtonTest : public OptionsDialogTest,
                              public ::testing::WithParamInterface<PrinterTest> {};

TEST_P(PrinterTestButtonTest, WritesTheTestLineOnceThePrinterIsSaidToBeOn) {
    const PrinterTest& c = GetParam();
    serialLines().refuse("/dev/ttyS1");
    serialLines().unplug("/dev/ttyS2");
    WriteSetting(settings::kPorts, "COM4", "/dev/ttyUSB0");
    if (c.answer != 0) {
        dialogs().expectMsgBox("Is your POS connected to a COM port and switched ON?", c.answer);
    }
    if (*c.message != '\0') {
        dialogs().expectMsgBox(c.message);
    }
    runDialog(
        [&] {
            options.Combo13.Text = c.port;
            options.Command30.DoClick();
            EXPECT_TRUE(options.Command30.Enabled);
        },
        options.CancelButton);
    EXPECT_EQ(
        serialLines().written(c.device),
        c.answer == msgbox::Yes ? "This is a POS test for " + std::string(c.port) + "\r\n" : "");
    EXPECT_FALSE(options.MSCm->isOpen()) << "closed with the dialog";
}

INSTANTIATE_TEST_SUITE_P(
    EveryPort, PrinterTestButtonTest,
    ::testing::Values(PrinterTest{"COM1", "/dev/ttyS0", msgbox::Yes, ""},
                      PrinterTest{"COM4", "/dev/ttyUSB0", msgbox::Yes, ""},  // [Ports]
                      PrinterTest{"COMX", "/dev/ttyS0", msgbox::Yes, ""},
                      PrinterTest{"COM1", "/dev/ttyS0", msgbox::No,
                                  "Connect the POS, Switch it ON and try testing again!"},
                      PrinterTest{"COM2", "/dev/ttyS1", 0, "Port not open!"},
                      PrinterTest{"COM3", "/dev/ttyS2", 0, "Port doesn't exist!"},
                      PrinterTest{"COM10", "/dev/ttyS0", 0, "Port doesn't exist!"}));

}  // namespace
}  // namespace kestova
