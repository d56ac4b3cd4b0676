#pragma once

#include "platform/dialogs.h"

namespace qtplatform {

// Message boxes, input boxes and the save-file question as QMessageBox, QInputDialog and
// QFileDialog, each in front of the window it belongs to.
class QtDialogs : public platform::Dialogs {
public:
    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string SaveFileName(const std::string& title, const std::string& fileName,
                             const std::string& filter) override;
};

}  // namespace qtplatform
