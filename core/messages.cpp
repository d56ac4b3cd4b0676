#include "core/messages.h"

#include "core/display_text.h"
#include "core/one_instance.h"
#include "core/version.h"

namespace kestova {
namespace {
// The picture of the About box: the main window's icon.
constexpr const char* kProgramIcon = "kestova";
constexpr double kNormalFontSize = 8.0;
constexpr const char* kLineBreak = "\r\n";
}  // namespace

Messages::Messages() : ui::Form("Messages") {
    Caption = kKestovaServerMessagesTitle;
    OKButton.Caption = "Clo&se";
    OKButton.Default = true;
    OKButton.Cancel = true;
    // The window is a log to read; what the operator could type into it would be lost anyway.
    Text1.Locked = true;
    Picture1.Visible = false;
    lblDropped.Caption =
        "Older messages were dropped: the last " + std::to_string(kMessagesKept) + " are shown.";
    lblDropped.Visible = false;
    OKButton.Click = [this] { OKButton_Click(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };
}

void Messages::ShowNotice(const std::string& text, const std::string& title) {
    AddNotice(text, title, false);
}

void Messages::ShowNoticeInBackground(const std::string& text, const std::string& title) {
    AddNotice(text, title, true);
}

void Messages::AddNotice(const std::string& text, const std::string& title, bool inBackground) {
    if (title == kAboutTitle) {
        ShowAboutBox();
    } else {
        ShowLog();
    }
    Text1.FontBold = false;
    Text1.FontSize = kNormalFontSize;
    WindowState = 0;
    if (inBackground) {
        ShowInBackground();
    } else {
        Show();
    }
    Caption = title;
    AddLine(text);
}

void Messages::ShowAboutBox() {
    Text1.BorderStyle = 0;
    Picture2.Picture = kProgramIcon;
    Label2.Caption = "for Windows Platform";
    Label1.Caption = VersionTitle();
    ClearLog();
    Picture1.Visible = true;
}

void Messages::ShowLog() {
    Text1.BorderStyle = 1;
    // An About box or a tip is never mixed with notices.
    if (Caption.get() == kAboutTitle || Caption.get() == kTipTitle) {
        ClearLog();
    }
    Picture1.Visible = false;
    Picture2.Picture = "";
    Label1.Caption = "";
}

void Messages::ShowClientMessages(std::optional<std::string_view> text) {
    Show();
    ClientMessageMode();
    if (text.has_value()) {
        ClearLog();
        AddLine(*text);
    }
}

void Messages::AddClientMessage(std::optional<std::string_view> text) {
    Show();
    const std::string& caption = Caption;
    if (caption == kKestovaServerMessagesTitle || caption == kAboutTitle) {
        ShowClientMessages(text);
    } else if (text.has_value()) {
        AddLine(*text);
    }
    Text1.FontBold = false;
    Text1.FontSize = kNormalFontSize;
}

void Messages::ClientMessageMode() {
    Caption = kClientMessagesTitle;
    Picture1.Visible = false;
    Picture2.Picture = "";
    Label1.Caption = "";
    Text1.FontBold = false;
    Text1.FontSize = kNormalFontSize;
}

void Messages::AddLine(std::string_view text) {
    const std::string line =
        CutForDisplay(text, kLongestMessageShown, kMessageCutMark) + kLineBreak;
    Text1.AppendText(line);
    lines_.push_back(line.size());
    while (lines_.size() > kMessagesKept) {
        Text1.RemoveTextFront(lines_.front());
        lines_.pop_front();
        lblDropped.Visible = true;
    }
}

void Messages::ClearLog() {
    Text1.Text = "";
    lines_.clear();
    lblDropped.Visible = false;
}

void Messages::OKButton_Click() {
    Unload();
}

// However the window closes, the next notice starts a fresh log.
void Messages::Form_Unload(int&) {
    ClearLog();
}

namespace {

OneInstance<Messages>& MessagesInstance() {
    static OneInstance<Messages> instance;
    return instance;
}

}  // namespace

Messages& MessagesWindow() {
    return MessagesInstance().get();
}

void ReleaseMessagesWindow() {
    MessagesInstance().release();
}

void ShowNotice(const std::string& text, const std::string& title) {
    MessagesWindow().ShowNotice(text, title);
}

void ShowNoticeInBackground(const std::string& text, const std::string& title) {
    MessagesWindow().ShowNoticeInBackground(text, title);
}

}  // namespace kestova
