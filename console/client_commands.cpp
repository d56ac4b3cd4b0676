#include "console/client_commands.h"

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "console/operator_commands.h"
#include "console/send_procedures.h"
#include "core/messages.h"
#include "core/version.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

using Check = ClientCommand::Check;
namespace request = wire::request;
using Numbering = ClientCommand::Numbering;

constexpr Notice kNoClientSelected{"No Client selected!", kKestovaNoticeTitle};
constexpr std::size_t kLongestClientName = 20;

void Yield() {
    platform::services().loop().yield();
}

void Show(const Notice& notice) {
    ShowNotice(notice.text, notice.title);
}

std::string Upper(const HighlightedClient& client) {
    return wire::UpperAscii(client.name);
}

// The message text of the command for the client.
std::string MessageFor(const ClientCommand& command, const HighlightedClient& client) {
    const int number = command.numbering == Numbering::Row ? client.row : client.port();
    return command.clientKeyword ? request::ClientCommandText(number, command.keyword)
                                 : request::SlotCommandText(command.keyword, number);
}

ClientCommand Command(std::string_view keyword, bool clientKeyword) {
    ClientCommand command{};
    command.keyword = keyword;
    command.clientKeyword = clientKeyword;
    command.numbering = Numbering::Port;
    command.rowCheck = Check::WithNotice;
    command.connectedAfterQuestion = Check::None;
    command.information = nullptr;
    return command;
}

}  // namespace

void RunClientCommand(KestovaMain& main, const ClientCommand& command) {
    const HighlightedClient client = Highlighted(main);
    if (command.rowCheck != Check::None && !client.isRow()) {
        if (command.rowCheck == Check::WithNotice) {
            Show(kNoClientSelected);
        }
        return;
    }
    if (command.connectedBeforeQuestion && !Server().IsConnected()) {
        Show(*command.connectedBeforeQuestion);
        return;
    }
    if (command.question && !Ask(command.question(client))) {
        return;
    }
    if (command.connectedAfterQuestion != Check::None) {
        Yield();
        if (!Server().IsConnected()) {
            if (command.notConnectedAfterQuestion) {
                Show(*command.notConnectedAfterQuestion);
            }
            return;
        }
    }
    if (!SendClientCommand(main, client.port(), MessageFor(command, client))) {
        // The connection went while the question was open: said as its check says it.
        if (const auto& failed =
                command.sendFailed ? command.sendFailed : command.connectedBeforeQuestion) {
            Show(*failed);
        }
        return;
    }
    if (command.information != nullptr) {
        main.ConList.SetTextMatrix(client.row, client_grid::kInformation, command.information);
    }
    SetStatus(main, command.status(client));
}

const ClientCommand& EndTimerCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::EndTimer, true);
        c.connectedBeforeQuestion = Notice{"Client not connected", kNoticeTitle};
        c.question = [](const HighlightedClient& client) {
            return "End Timer of Client " + ClientLabel(client) + "?";
        };
        c.status = [](const HighlightedClient& client) { return StatusLabel(client) + " Ended."; };
        return c;
    }();
    return command;
}

const ClientCommand& RestartTimerOnlyCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Reload, true);
        c.connectedBeforeQuestion = Notice{"Client not connected", kNoticeTitle};
        c.question = [](const HighlightedClient& client) {
            return "Restart Timer Only of Client " + Upper(client) + "?";
        };
        c.information = "Restarting Client Only...";
        c.status = [](const HighlightedClient&) { return std::string("Client Only Restarted."); };
        return c;
    }();
    return command;
}

const ClientCommand& RestartComputerCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Restart, true);
        c.connectedBeforeQuestion = Notice{"Client not connected", kNoticeTitle};
        c.question = [](const HighlightedClient& client) {
            return "Restart Client " + Upper(client) + "?";
        };
        c.information = "Restarting ...";
        c.status = [](const HighlightedClient&) { return std::string("Client Restarted."); };
        c.sendFailed = kNoClientSelected;
        return c;
    }();
    return command;
}

const ClientCommand& ShutDownComputerCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Shutdown, true);
        c.connectedBeforeQuestion = Notice{"Client not connected", kNoticeTitle};
        c.question = [](const HighlightedClient& client) {
            return "Shutdown Client " + Upper(client) + "?";
        };
        c.information = "Shutting down ...";
        c.status = [](const HighlightedClient&) { return std::string("Client Shutdown."); };
        c.sendFailed = kNoClientSelected;
        return c;
    }();
    return command;
}

const ClientCommand& LogOffClientCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::LogOff, false);
        c.question = [](const HighlightedClient&) {
            return std::string("Log Off Selected Client?");
        };
        c.connectedAfterQuestion = Check::Silently;
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " Logged Out.";
        };
        return c;
    }();
    return command;
}

const ClientCommand& ReconnectClientCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::Disconnect, false);
        c.numbering = Numbering::Row;
        c.question = [](const HighlightedClient&) {
            return std::string("Disconnect and Reconnect Client?");
        };
        c.connectedAfterQuestion = Check::Silently;
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " Reconnecting ...";
        };
        return c;
    }();
    return command;
}

const ClientCommand& EnableClientCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Enable, true);
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " Enabled.";
        };
        c.sendFailed = Notice{"Client Can't be Enabled!", kNoticeTitle};
        return c;
    }();
    return command;
}

const ClientCommand& DisableClientCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Disable, true);
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " Disabled.";
        };
        c.sendFailed = Notice{"Client Can't be disabled!", kKestovaNoticeTitle};
        return c;
    }();
    return command;
}

const ClientCommand& RelocateTimerCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::Relocate, true);
        c.status = [](const HighlightedClient&) { return std::string("Client Relocated."); };
        c.sendFailed = Notice{"Client Can't be Relocated!", kNoticeTitle};
        return c;
    }();
    return command;
}

const ClientCommand& ClearDesktopCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::client::ClearDesktop, true);
        c.connectedBeforeQuestion = kNoClientSelected;
        c.question = [](const HighlightedClient& client) {
            return "Clear Desktop of " + ClientLabel(client) + "?";
        };
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + "'s Desktop Cleared.";
        };
        return c;
    }();
    return command;
}

const ClientCommand& AllowPrintingCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::AllowPrint, false);
        c.question = [](const HighlightedClient& client) {
            return "Allow " + client.name + " to Print?";
        };
        c.connectedAfterQuestion = Check::WithNotice;
        c.notConnectedAfterQuestion = Notice{"Client not connected!", kKestovaNoticeTitle};
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " allowed to Print";
        };
        c.sendFailed = Notice{"Error Allowing Client to Print", kNoticeTitle};
        return c;
    }();
    return command;
}

const ClientCommand& PreventPrintingCommand() {
    static const ClientCommand command = [] {
        ClientCommand c = Command(request::PreventPrint, false);
        c.question = [](const HighlightedClient& client) {
            return "Prevent " + client.name + " from Print?";
        };
        c.connectedAfterQuestion = Check::WithNotice;
        c.notConnectedAfterQuestion = Notice{"Client not connected!", kKestovaNoticeTitle};
        c.status = [](const HighlightedClient& client) {
            return StatusLabel(client) + " prevented from Print";
        };
        c.sendFailed = Notice{"Error preventing Client from Print", kNoticeTitle};
        return c;
    }();
    return command;
}

void ChangeClientName(KestovaMain& main) {
    if (!Server().IsConnected()) {
        Show(kNoClientSelected);
        return;
    }
    const HighlightedClient client = Highlighted(main);
    // With the header row highlighted there is no client to rename (it would go to port -1).
    if (!client.isRow()) {
        Show(kNoClientSelected);
        return;
    }
    const std::string label = ClientLabel(client);
    const std::string name = AskText("Enter new name for Computer Name " + label + "?");
    if (name.empty()) {
        return;
    }
    if (wire::CharacterCount(name) > kLongestClientName) {
        platform::services().dialogs().MsgBox("Client Name can't be more than 20 characters!",
                                              platform::msgbox::OKOnly, VersionTitle());
        return;
    }
    if (!SendClientCommand(main, client.port(), request::RenameClientText(client.port(), name))) {
        ShowNotice("Client name could not be changed: not connected to the server.",
                   kKestovaNoticeTitle);
        return;
    }
    SetStatus(main, label + "'s name changed.");
}

void UpdateClientSettings(KestovaMain& main) {
    const HighlightedClient client = Highlighted(main);
    if (!client.isRow()) {
        return;
    }
    Yield();
    if (client.name.empty() ||
        !SendClientCommand(main, client.port(),
                           request::SlotCommandText(request::UpdateClient, client.row))) {
        SetStatus(main, "Client not connected.");
        return;
    }
    SetStatus(main, "Client " + client.name + " settings updated.");
}

void RequestClientInformation(KestovaMain& main) {
    const HighlightedClient client = Highlighted(main);
    if (!client.isRow() || client.name.empty() || client.name == "Connection Slot") {
        ShowNotice("Client not connected!", kNoticeTitle);
        return;
    }
    SendClientCommand(main, client.port(),
                      request::SlotCommandText(request::ClientInformation, client.port()));
}

void PauseHighlightedClient(KestovaMain& main) {
    const HighlightedClient client = Highlighted(main);
    // The header row names no client (it would pause port -1).
    if (client.isRow()) {
        PauseClient(main, client.port());
    }
}

void FindComputer(KestovaMain& main) {
    const std::string wanted = platform::services().dialogs().InputBox(
        "Enter Computer Name to Search for?", VersionTitle() + " - Search", "");
    if (wanted.empty()) {
        return;
    }
    ui::Grid& grid = main.ConList;
    if (const int row = Server().IsConnected() ? client_grid::RowNamed(grid, wanted) : 0) {
        // The operator asked for this client by name: a filter that hides it goes.
        if (!grid.Admits(row)) {
            main.txtFilter.Text = "";
        }
        client_grid::Highlight(grid, row);
        grid.SetTopRow(row);
        SetStatus(main, "Search Successful.");
        return;
    }
    ShowNotice("Search not Successful!", kNoticeTitle);
    SetStatus(main, "Search not Successful.");
}

}  // namespace kestova
