#include "console/help_window.h"

namespace kestova {

FrmHelp::FrmHelp() : ui::Form("frmHelp") {
    Caption = "Zarnevo Help";
    Command1.Caption = "Clo&se";
    Command1.Cancel = true;
    Command1.Click = [this] { Command1_Click(); };
}

void FrmHelp::ShowPage(const std::string& path) {
    Browser1.Source = path;
    Show();
}

void FrmHelp::Command1_Click() {
    Unload();
}

}  // namespace kestova
