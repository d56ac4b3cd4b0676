#include "console/messaging.h"

#include <algorithm>

#include "console/client_commands.h"
#include "console/console_dimmed.h"
#include "console/kestova_main.h"
#include "console/marked_rows.h"
#include "console/operator_commands.h"
#include "console/send_procedures.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

constexpr int kWhileAskingIntervalMs = 60000;
constexpr int kSelectedPaceMs = 50;
constexpr std::size_t kLongestMessageToAll = 500;

std::string WithoutBars(std::string_view typed) {
    std::string text(typed);
    std::replace(text.begin(), text.end(), '|', ' ');
    return text;
}

ConsoleDimmed::Options WhileAsking() {
    return {.busy = false, .intervalWhileConnectedMs = kWhileAskingIntervalMs};
}

}  // namespace

std::string ClientMessageText(std::string_view typed) {
    const std::string text = WithoutBars(typed);
    return wire::UpperAscii(text) == "CLS" ? std::string() : text;
}

void SendMessageToAllClients(KestovaMain& main) {
    ConsoleDimmed dimmed(main, WhileAsking());
    const std::string typed = AskText("Enter Message to Send to All Client(s)?");
    if (typed.empty()) {
        return;
    }
    // At most 500 characters, whole characters.
    const std::string text = CutForDisplay(ClientMessageText(typed), kLongestMessageToAll, "");
    SetSentStatus(
        main, SendToAllClients(main, text, wire::request::client::Message, false),
        text.empty() ? "Message Cleared on All Client(s)." : "Message Sent to All Client(s).");
}

void SendMessageToSelectedClients(KestovaMain& main) {
    ConsoleDimmed dimmed(main, WhileAsking());
    const std::string typed = AskText("Enter Message to Send to Selected Client(s)?");
    if (typed.empty()) {
        return;
    }
    const std::string text = ClientMessageText(typed);
    OncePerClient once;
    bool sent = true;
    const HighlightedClient highlighted = Highlighted(main);
    if (highlighted.isRow() && once.first(highlighted.port())) {
        sent = SendClientCommand(main, highlighted.port(),
                                 wire::request::MessageToClientText(highlighted.port(), text));
    }
    WalkMarkedRows(main, kSelectedPaceMs, [&](int row) {
        if (once.first(row - 1)) {
            sent = SendClientCommand(main, row - 1,
                                     wire::request::MessageToClientText(row - 1, text)) &&
                   sent;
        }
    });
    SetSentStatus(
        main, sent,
        text.empty() ? "Message Cleared on Client(s)." : "Message Sent to Selected Client(s).");
}

void SendMessageToServer(KestovaMain& main) {
    const std::string typed = AskText("Enter Message to Send to Server?");
    if (typed.empty()) {
        return;
    }
    SetSentStatus(main, SendCommand(wire::request::MessageToServerText(WithoutBars(typed))),
                  "Message Sent to Server.");
}

void SwitchClientMessages(KestovaMain& main) {
    if (!Highlighted(main).isRow()) {
        ShowNotice("No Client selected!", kKestovaNoticeTitle);
        return;
    }
    if (!ServerConnected()) {
        return;
    }
    platform::services().loop().yield();
    // The check mark is the server's to set; the text tells what was asked for.
    SetSentStatus(main, SendCommand(wire::request::CafeCommandText(wire::request::DisMess)),
                  main.m_ClientMessage.Checked ? "Client Message ability Started."
                                               : "Client Message ability Ended.");
}

}  // namespace kestova
