#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

// Titles of the message window.
inline constexpr const char* kAboutTitle = "About Zarnevo";
inline constexpr const char* kTipTitle = "Zarnevo Tip";
inline constexpr const char* kKestovaServerMessagesTitle = "Kestova Server Message(s)";
inline constexpr const char* kServerMessagesTitle = "Server Message(s)";
inline constexpr const char* kClientMessagesTitle = "Client Message(s)";

// The most messages the window keeps; older ones are dropped, and the window says so.
inline constexpr std::size_t kMessagesKept = 1000;

// The one non-modal window where the console's notices and the messages of the server and the
// clients pile up as a log until the operator closes it; also the About box. Every message is a
// line of its own (cut when it is too long to show), and a console left running for days keeps
// the last kMessagesKept of them.
class Messages : public ui::Form {
public:
    Messages();

    // Shows the window with the title and appends the text as a new line. The About title turns
    // the window into the About box (version, icon) with only that text; any other title after an
    // About box or a tip starts a fresh log.
    void ShowNotice(const std::string& text, const std::string& title);
    // The same without taking the keyboard from the window in front: for what the console tells
    // of its own accord (a client's time running out) while the operator may be typing.
    void ShowNoticeInBackground(const std::string& text, const std::string& title);

    // The window in client-message mode. ShowClientMessages starts the log afresh with the text
    // (or keeps the log as it is, without a text); AddClientMessage adds the text to the client
    // messages, or starts them afresh after a notice or the About box.
    void ShowClientMessages(std::optional<std::string_view> text);
    void AddClientMessage(std::optional<std::string_view> text);

    ui::TextBox Text1{*this, "Text1"};
    ui::PictureBox Picture1{*this, "Picture1"};
    ui::PictureBox Picture2{*this, "Picture2"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    // Shown once older messages have been dropped.
    ui::Label lblDropped{*this, "lblDropped"};
    ui::Button OKButton{*this, "OKButton"};

private:
    void OKButton_Click();
    void Form_Unload(int& cancel);
    void AddNotice(const std::string& text, const std::string& title, bool inBackground);
    void ShowAboutBox();
    void ShowLog();
    void ClientMessageMode();
    void ClearLog();
    // Adds one message as a line of its own, dropping the oldest beyond kMessagesKept.
    void AddLine(std::string_view text);

    // Bytes of each message line in Text1, oldest first.
    std::deque<std::size_t> lines_;
};

// The program's one message window, made on first use.
Messages& MessagesWindow();
// Destroys it, so that the next use starts from a fresh window: the end of a run of the program
// or of a test. Its views must be gone.
void ReleaseMessagesWindow();

// The console's own notices: appended to the message window under the title.
void ShowNotice(const std::string& text, const std::string& title);
void ShowNoticeInBackground(const std::string& text, const std::string& title);

}  // namespace kestova
