#pragma once

#include <memory>

#include "platform/serial_port.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

class KestovaMain;

// The options dialog: where and how the console finds the server, how often it refreshes, the
// receipt printer's port and its test line, and the search for a server. Nothing is stored until
// Apply or OK.
class KestovaOpt : public ui::Form {
public:
    KestovaOpt();
    ~KestovaOpt() override;

    // "Connection Setup"
    ui::Frame Frame1{*this, "Frame1"};
    ui::TextBox Text1{*this, "Text1"};     // the server's address
    ui::ComboBox Combo1{*this, "Combo1"};  // the highest port offset searched
    ui::CheckBox Check1{*this, "Check1"};  // one port only, the one in Text2
    ui::TextBox Text2{*this, "Text2"};
    ui::Button Command2{*this, "Command2"};  // starts or stops the server search
    ui::ComboBox Combo2{*this, "Combo2"};    // the refresh interval in seconds
    // "POS Port Setting"
    ui::Frame Frame2{*this, "Frame2"};
    ui::ComboBox Combo13{*this, "Combo13"};
    // The device the chosen port name stands for ([Ports] in kestova.ini).
    ui::Label lblPortDevice{*this, "lblPortDevice"};
    ui::Button Command30{*this, "Command30"};  // "Test"
    ui::Button OKButton{*this, "OKButton"};
    ui::Button CancelButton{*this, "CancelButton"};
    ui::Button Command1{*this, "Command1"};  // "&Apply"

    // The serial line of the printer test; open from a test until the next one or the unload.
    std::unique_ptr<platform::SerialPort> MSCm;

    void Form_Load();
    void Form_Unload(int& cancel);
    void Text1_GotFocus();
    void Text1_LostFocus();
    void Check1_Click();
    void Combo13_Changed();
    void Command1_Click();
    void Command2_Click();
    void Command30_Click();
    void OKButton_Click();
    void CancelButton_Click();

private:
    // Any edit makes Apply available.
    void Edited();
    // A refused server address is replaced by the built-in one and the focus sent back to it.
    bool ServerAddressAccepted();
    // Stores the six settings unless the server address is refused; true when stored.
    bool ApplyChanges();
    void ShowSearchCaption();
    // Opens the chosen port and, once the operator says the printer is on, sends the test line.
    void TestPrinter();
};

// "Op&tion ..." on the main window: the dialog over the greyed table with the supervision slowed;
// afterwards a changed server address takes effect at once.
void ShowOptionsDialog(KestovaMain& main);

}  // namespace kestova
