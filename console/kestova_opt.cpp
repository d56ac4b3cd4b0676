#include "console/kestova_opt.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "connection/port_rotation.h"
#include "connection/server_address.h"
#include "connection/server_link.h"
#include "connection/server_search.h"
#include "connection/supervision.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/machine_store.h"
#include "core/serial_ports.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "core/wire/codepage.h"
#include "platform/services.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

namespace msgbox = platform::msgbox;

constexpr int kFewestPortsSearched = 4;
constexpr int kShortestRefresh = 5;
constexpr int kLongestRefresh = 30;
constexpr int kPortNames = 4;
constexpr int kSupervisionWhileOpenMs = 60'000;
const char* const kSearchNow = "Search for &Server Now";
const char* const kStopSearch = "Stop &Server Search";
const char* const kPortNoWhenNotNumeric = "10";

int MsgBox(const std::string& text, int flags) {
    return platform::services().dialogs().MsgBox(text, flags, VersionTitle());
}

// The whole numbers from first up to last (a stored value, not always a whole number).
std::vector<std::string> Numbers(int first, double last) {
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(std::to_string(n));
    }
    return numbers;
}

std::string StoredServerAddress() {
    return ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName);
}

}  // namespace

KestovaOpt::KestovaOpt() : ui::Form("KestovaOpt"), MSCm(platform::services().createSerialPort()) {
    Caption = "Kestova Option";
    Frame1.Caption = "Connection Setup";
    Frame2.Caption = "POS Port Setting";
    Text1.ToolTipText = "Enter Zarnevo Server IP address for connection";
    Combo1.ToolTipText = "Enter loop Kestova Searches for Server for Connection.";
    Combo2.ToolTipText = "Time for Automatic Refresh";
    Check1.Caption = "Use Only this Port of Connection (e.g. 1-120)";
    Combo13.Style = 2;
    Command30.Caption = "Test";
    OKButton.Caption = "&OK";
    OKButton.Default = true;
    CancelButton.Caption = "Can&cel";
    CancelButton.Cancel = true;
    Command1.Caption = "&Apply";

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
    Text2.KeyPress = ui::FiguresOnly;
    for (ui::TextBox* box : {&Text1, &Text2}) {
        box->Change = [this] { Edited(); };
    }
    for (ui::ComboBox* combo : {&Combo1, &Combo2}) {
        combo->Change = [this] { Edited(); };
        combo->Click = [this] { Edited(); };
    }
    Combo13.Change = [this] { Combo13_Changed(); };
    Combo13.Click = [this] { Combo13_Changed(); };
    Check1.Click = [this] { Check1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command30.Click = [this] { Command30_Click(); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
    MSCm->OnError = [this](const std::string&) {
        if (IsLoaded()) {
            MsgBox("Port doesn't exist!", msgbox::Critical);
        }
    };
}

KestovaOpt::~KestovaOpt() {
    MSCm->OnError = nullptr;
}

void KestovaOpt::Form_Load() {
    // A stored loop longer than the rotation can use (typed, or from a discovery answer) is
    // shown as the longest it can.
    const double loop =
        std::min(Val(ReadSetting(settings::Loop)), static_cast<double>(kLargestUsableLoop));
    Combo1.SetItems(Numbers(kFewestPortsSearched, loop));
    Combo2.SetItems(Numbers(kShortestRefresh, kLongestRefresh));
    Combo1.Text = SingleText(static_cast<float>(loop));
    Combo2.Text = ReadSetting(settings::Refresh);
    Check1.Value = ToWholeNumber(ReadSetting(settings::UsePort)).value_or(0) != 0 ? 1 : 0;
    Check1_Click();
    const std::string address = StoredServerAddress();
    Text1.Text = IsValidServerAddress(address) ? address : std::string(settings::kDefaultServerIp);
    const std::string portNo = ReadSetting(settings::PortNo);
    Text2.Text = IsNumeric(portNo) ? portNo : kPortNoWhenNotNumeric;
    if (Server().IsConnected()) {
        Command2.Enabled = false;
        Command2.Caption = kSearchNow;
    } else {
        Command2.Enabled = true;
        ShowSearchCaption();
    }
    std::vector<std::string> portNames;
    for (int port = 1; port <= kPortNames; ++port) {
        portNames.push_back("COM" + std::to_string(port));
    }
    Combo13.SetItems(std::move(portNames));
    Combo13.ChooseText(ReadSetting(settings::Com));
    Combo13_Changed();
    // What the load itself put into the fields is no change to apply.
    Command1.Enabled = false;
}

void KestovaOpt::Form_Unload(int& /*cancel*/) {
    MSCm->close();
}

void KestovaOpt::Edited() {
    Command1.Enabled = true;
}

void KestovaOpt::Text1_GotFocus() {
    Text1.SelectAll();
}

void KestovaOpt::Text1_LostFocus() {
    ServerAddressAccepted();
}

bool KestovaOpt::ServerAddressAccepted() {
    if (IsWellFormedServerAddress(Text1.Text.get())) {
        return true;
    }
    // Replaced before the operator is told: the message box takes the focus from the field, and
    // that lost focus must find nothing left to refuse (else a second box would follow).
    Text1.Text = std::string(settings::kDefaultServerIp);
    TellInvalidServerAddress();
    Text1.SetFocus();
    return false;
}

void KestovaOpt::Check1_Click() {
    Text2.Enabled = Check1.Value == 1;
    Edited();
}

void KestovaOpt::Combo13_Changed() {
    const std::string device = SerialDeviceOf(PortNumberOf(Combo13.Text.get()));
    lblPortDevice.Caption = device.empty() ? "(no such port)" : device;
    Edited();
}

void KestovaOpt::Command1_Click() {
    ApplyChanges();
}

bool KestovaOpt::ApplyChanges() {
    // Enter on OK leaves the address field without its losing the focus: the address is checked
    // here too, before anything is stored.
    if (!ServerAddressAccepted()) {
        return false;
    }
    WriteSetting(settings::Loop, Combo1.Text.get());
    WriteSetting(settings::Refresh, Combo2.Text.get());
    WriteSetting(settings::UsePort, std::to_string(Check1.Value.get()));
    // The key is written as "PorTNo"; the store finds it as "PortNo" all the same.
    WriteSetting(settings::kOption, "PorTNo",
                 IsNumeric(Text2.Text.get()) ? Text2.Text.get() : kPortNoWhenNotNumeric);
    WriteRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName, Text1.Text.get());
    WriteSetting(settings::Com, Combo13.Text.get());
    Command1.Enabled = false;
    return true;
}

void KestovaOpt::OKButton_Click() {
    if (Command1.Enabled && !ApplyChanges()) {
        return;
    }
    Unload();
}

void KestovaOpt::CancelButton_Click() {
    Unload();
}

void KestovaOpt::ShowSearchCaption() {
    Command2.Caption = Main().IsServerSearchRunning() ? kStopSearch : kSearchNow;
}

void KestovaOpt::Command2_Click() {
    KestovaMain& main = Main();
    if (main.IsServerSearchRunning()) {
        main.ServerSearchEnded();
    } else {
        BroadCaster(main, true);
    }
    ShowSearchCaption();
}

void KestovaOpt::Command30_Click() {
    Command30.Enabled = false;
    MSCm->close();
    TestPrinter();
    Command30.Enabled = true;
}

void KestovaOpt::TestPrinter() {
    const std::string device = SerialDeviceOf(PortNumberOf(Combo13.Text.get()));
    if (device.empty()) {
        MsgBox("Port doesn't exist!", msgbox::Critical);
        return;
    }
    MSCm->setPortName(device);
    switch (MSCm->open()) {
        case platform::SerialPort::OpenResult::NoSuchPort:
            MsgBox("Port doesn't exist!", msgbox::Critical);
            return;
        case platform::SerialPort::OpenResult::NotOpened:
            MsgBox("Port not open!", msgbox::Critical);
            return;
        case platform::SerialPort::OpenResult::Opened:
            break;
    }
    const int connected = MsgBox("Is your POS connected to a COM port and switched ON?",
                                 msgbox::YesNo | msgbox::Question | msgbox::DefaultButton2);
    if (connected != msgbox::Yes) {
        MsgBox("Connect the POS, Switch it ON and try testing again!", msgbox::Critical);
        return;
    }
    MSCm->output(wire::Utf8ToCp1252("This is a POS test for " + Combo13.Text.get()) + "\r\n");
}

void ShowOptionsDialog(KestovaMain& main) {
    {
        ConsoleDimmed dimmed(main,
                             {.busy = false, .intervalWhileConnectedMs = kSupervisionWhileOpenMs});
        const std::string before = StoredServerAddress();
        Options().Show(true);
        const std::string after = StoredServerAddress();
        if (after != before) {
            // The supervision connects to the new address, starting from the first port.
            Server().SetPortOffset(0);
            Server().Close();
        }
        main.m_IP.Caption = "Server IP: " + after;
    }
    SupervisionTick(main);
}

}  // namespace kestova
