#pragma once

#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

// Titles of the message window.
inline constexpr const char* kAboutTitle = "About Zarnevo";
inline constexpr const char* kTipTitle = "Zarnevo Tip";
inline constexpr const char* kKestovaServerMessagesTitle = "Kestova Server Message(s)";
inline constexpr const char* kServerMessagesTitle = "Server Message(s)";
inline constexpr const char* kClientMessagesTitle = "Client Message(s)";

// The one non-modal window where the console's notices and the messages of the server and the
// clients pile up as a log until the operator closes it; also the About box.
class Messages : public ui::Form {
public:
    Messages();

    // Shows the window with the title and appends the text as a new line. The About title turns
    // the window into the About box (version, icon) with only that text; any other title after an
    // About box or a tip starts a fresh log.
    void ShowNotice(const std::string& text, const std::string& title);

    ui::TextBox Text1{*this, "Text1"};
    ui::PictureBox Picture1{*this, "Picture1"};
    ui::PictureBox Picture2{*this, "Picture2"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::Button OKButton{*this, "OKButton"};

private:
    void OKButton_Click();
    void Form_Unload(int& cancel);
    void ShowAboutBox();
    void ShowLog();
};

// The program's one message window.
Messages& MessagesWindow();

// The console's own notices: appended to the message window under the title.
void ShowNotice(const std::string& text, const std::string& title);

}  // namespace kestova
