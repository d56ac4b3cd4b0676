#pragma once

#include "platform/dialogs.h"

namespace qtplatform {

// Message boxes and input boxes as QMessageBox and QInputDialog, over the active window.
class QtDialogs : public platform::Dialogs {
public:
    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
};

}  // namespace qtplatform
