#include "console/operator_commands.h"

#include "connection/server_protocol.h"
#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "core/version.h"
#include "platform/services.h"

namespace kestova {

HighlightedClient Highlighted(const KestovaMain& main) {
    const ui::Grid& grid = main.ConList;
    HighlightedClient client;
    client.row = grid.RowSel();
    if (client.isRow()) {
        client.name = grid.TextMatrix(client.row, client_grid::kClientName);
        client.information = grid.TextMatrix(client.row, client_grid::kInformation);
        client.address = grid.TextMatrix(client.row, client_grid::kClientIP);
    }
    return client;
}

std::string ClientLabel(const KestovaMain& main, const HighlightedClient& client) {
    if (!client.name.empty() || main.Listen == nullptr) {
        return client.name;
    }
    return main.Listen->RemoteHost + ":" + std::to_string(main.Listen->RemotePort);
}

std::string StatusLabel(const HighlightedClient& client) {
    return client.name.empty() ? client.address : client.name;
}

bool Ask(const std::string& question) {
    using namespace platform::msgbox;
    return platform::services().dialogs().MsgBox(question, YesNo | Question | DefaultButton2,
                                                 VersionTitle()) == Yes;
}

std::string AskText(const std::string& prompt, const std::string& defaultText) {
    return platform::services().dialogs().InputBox(prompt, VersionTitle(), defaultText);
}

void SetStatus(KestovaMain& main, const std::string& text) {
    main.StatusBar1.SetPanelText(5, text);
}

bool SendCommand(KestovaMain& main, std::string_view plainMessage) {
    return main.Listen != nullptr && protocol::SendToServer(*main.Listen, plainMessage);
}

void SetSentStatus(KestovaMain& main, bool sent, const std::string& text) {
    SetStatus(main, sent ? text : "Kestova not connected.");
}

}  // namespace kestova
