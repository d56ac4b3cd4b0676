#include "dispatch/message_replies.h"

#include <string>

#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova {
namespace {

// The message window in client-message mode with this text (or, without a text, its current one).
void ShowClientMessages(Messages& window, std::optional<std::string_view> text) {
    window.Caption = kClientMessagesTitle;
    if (text.has_value()) {
        window.Text1.Text = std::string(*text);
    }
    window.Picture1.Visible = false;
    window.Picture2.Picture = "";
    window.Label1.Caption = "";
    window.Text1.FontBold = false;
    window.Text1.FontSize = 8.0;
}

// IMESSAGE and MESSAGE: a notice or the About box is replaced, client messages are added to.
void AddClientMessage(const Reply& reply) {
    Messages& window = MessagesWindow();
    window.Show();
    const std::string& caption = window.Caption;
    const auto text = reply.Value(1);
    if (caption == kKestovaServerMessagesTitle || caption == kAboutTitle) {
        ShowClientMessages(window, text);
    } else if (text.has_value()) {
        window.Text1.Text = window.Text1.Text.get() + std::string(*text) + "\r\n";
    }
    window.Text1.FontBold = false;
    window.Text1.FontSize = 8.0;
}

}  // namespace

void HandleClientMessage(KestovaMain& /*main*/, const Reply& reply) {
    Messages& window = MessagesWindow();
    window.Show();
    ShowClientMessages(window, reply.Value(1));
}

void HandleAddedMessage(KestovaMain& /*main*/, const Reply& reply) {
    AddClientMessage(reply);
}

void HandleServerMessage(KestovaMain& main, const Reply& reply) {
    if (ToTruth(ReadSetting(settings::DisableMessage)).value_or(false)) {
        return;
    }
    main.FlashCaption();
    AddClientMessage(reply);
}

}  // namespace kestova
