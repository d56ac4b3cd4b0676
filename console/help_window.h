#pragma once

#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

// The help page in a window of the console's own, for a desktop that has no program to open it
// with.
class FrmHelp : public ui::Form {
public:
    FrmHelp();

    ui::Browser Browser1{*this, "Browser1"};
    ui::Button Command1{*this, "Command1"};

    // Shows the page (a file) and brings the window forward.
    void ShowPage(const std::string& path);

    void Command1_Click();
};

}  // namespace kestova
