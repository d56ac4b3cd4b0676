#include "core/messages.h"

#include "core/version.h"

namespace kestova {
namespace {
// The picture of the About box: the main window's icon.
constexpr const char* kProgramIcon = "kestova";
constexpr double kNormalFontSize = 8.0;
}  // namespace

Messages::Messages() : ui::Form("Messages") {
    Caption = kKestovaServerMessagesTitle;
    OKButton.Caption = "Clo&se";
    OKButton.Default = true;
    OKButton.Cancel = true;
    // The window is a log to read; what the operator could type into it would be lost anyway.
    Text1.Locked = true;
    Picture1.Visible = false;
    OKButton.Click = [this] { OKButton_Click(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
}

void Messages::ShowNotice(const std::string& text, const std::string& title) {
    if (title == kAboutTitle) {
        ShowAboutBox();
    } else {
        ShowLog();
    }
    Text1.FontBold = false;
    Text1.FontSize = kNormalFontSize;
    WindowState = 0;
    Show();
    Caption = title;
    Text1.Text = Text1.Text.get() + text + "\r\n";
}

void Messages::ShowAboutBox() {
    Text1.BorderStyle = 0;
    Picture2.Picture = kProgramIcon;
    Label2.Caption = "for Windows Platform";
    Label1.Caption = VersionTitle();
    Text1.Text = "";
    Picture1.Visible = true;
}

void Messages::ShowLog() {
    Text1.BorderStyle = 1;
    // An About box or a tip is never mixed with notices.
    if (Caption.get() == kAboutTitle || Caption.get() == kTipTitle) {
        Text1.Text = "";
    }
    Picture1.Visible = false;
    Picture2.Picture = "";
    Label1.Caption = "";
}

void Messages::OKButton_Click() {
    Unload();
}

// However the window closes, the next notice starts a fresh log.
void Messages::Form_Unload(int&) {
    Text1.Text = "";
}

Messages& MessagesWindow() {
    static Messages window;
    return window;
}

void ShowNotice(const std::string& text, const std::string& title) {
    MessagesWindow().ShowNotice(text, title);
}

}  // namespace kestova
