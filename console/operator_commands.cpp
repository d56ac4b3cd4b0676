#include "console/operator_commands.h"

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "core/program_state.h"
#include "core/version.h"
#include "core/wire/framing.h"
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

std::string ClientLabel(const HighlightedClient& client) {
    return client.name.empty() ? Server().RemoteEndpoint() : client.name;
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

bool ServerConnected() {
    return Server().IsConnected();
}

std::string OperatorRight() {
    return wire::UpperAscii(KestovaCode().RightsLevel);
}

const std::string& OperatorName() {
    return KestovaCode().OperatorName;
}

void SetStatus(KestovaMain& main, const std::string& text) {
    main.StatusBar1.SetPanelText(5, text);
}

bool SendCommand(std::string_view plainMessage) {
    return Server().Send(plainMessage);
}

bool SendClientCommand(const KestovaMain& main, int port, std::string_view plainMessage) {
    const ui::Grid& grid = main.ConList;
    const int row = port + 1;
    const std::string name = row >= 1 && row < grid.Rows()
                                 ? grid.TextMatrix(row, client_grid::kClientName)
                                 : std::string();
    return Server().Send(plainMessage, name);
}

void SetSentStatus(KestovaMain& main, bool sent, const std::string& text) {
    SetStatus(main, sent ? text : "Kestova not connected.");
}

}  // namespace kestova
