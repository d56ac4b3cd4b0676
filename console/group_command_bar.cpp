#include "console/group_command_bar.h"

#include <functional>
#include <string>

#include "console/client_commands.h"
#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "console/marked_rows.h"
#include "console/operator_commands.h"
#include "console/send_procedures.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

namespace request = wire::request;

constexpr int kGroupPaceMs = 50;
constexpr int kReconnectPaceMs = 100;
constexpr const char* kNone = "None";

bool MayRestart(const KestovaMain& main, bool forAdministrators) {
    return main.ClientShutdownAllowed() || (forAdministrators && OperatorName() == "ADMINISTRATOR");
}

void ShowChosen(KestovaMain& main, bool all) {
    main.Option1.ForeColor = all ? ui::colors::Red : ui::colors::Black;
    main.Option2.ForeColor = all ? ui::colors::Black : ui::colors::Red;
}

bool CommandChosen(const KestovaMain& main) {
    const std::string& text = main.Combo1.Text;
    return !text.empty() && text != kNone;
}

// Back to idle: no scope, the list text "None".
void Reset(KestovaMain& main) {
    main.Option1.Value = false;
    main.Option2.Value = false;
    main.Option1.ForeColor = ui::colors::Black;
    main.Option2.ForeColor = ui::colors::Black;
    main.Combo1.Text = kNone;
}

// Every client slot in turn, 50 ms apart; the selection is invisible meanwhile. The pause keeps
// the window painted and the connection served while the operator's input waits. False when the
// connection refused a message.
bool WalkAllSlots(KestovaMain& main, const std::function<std::string(int port)>& message) {
    platform::EventLoop& loop = platform::services().loop();
    ui::Grid& grid = main.ConList;
    const ui::Color selectionColour = grid.BackColorSel;
    grid.BackColorSel = 0;
    main.ProgressStartEnd(0);
    bool sent = true;
    for (int row = 1; row < grid.Rows(); ++row) {
        main.ProgressMove();
        sent = SendClientCommand(main, row - 1, message(row - 1)) && sent;
        loop.pause(kGroupPaceMs);
    }
    grid.BackColorSel = selectionColour;
    main.ProgressStartEnd(0);
    return sent;
}

// A command for all clients; false when the operator answered No to its question.
bool RunForAll(KestovaMain& main, const std::string& command) {
    // Restart and shut down go to the client's port, as the menus send them.
    auto walk = [&main](const char* question, const std::function<std::string(int)>& message,
                        const char* status) {
        if (!Ask(question)) {
            return false;
        }
        SetSentStatus(main, WalkAllSlots(main, message), status);
        return true;
    };
    if (command == "Pause") {
        PauseAll(main);
    } else if (command == "UnPause") {
        UnpauseAll(main);
    } else if (command == "Log Off") {
        return walk(
            "Log Off All Client(s)?",
            [](int port) { return request::SlotCommandText(request::LogOff, port); },
            "All Clients Logged Off");
    } else if (command == "Reconnect") {
        ui::Raise(main.M_Reset.Click);
    } else if (command == "Send Message") {
        ui::Raise(main.m_SendAll.Click);
    } else if (command == "Restart Client(s)") {
        return walk(
            "Restart All Clients?",
            [](int port) { return request::ClientCommandText(port, request::client::Restart); },
            "All Client(s) Restarted.");
    } else if (command == "Shutdown Client(s)") {
        return walk(
            "Shutdown All Clients?",
            [](int port) { return request::ClientCommandText(port, request::client::Shutdown); },
            "All Client(s) Shutdown.");
    }
    return true;
}

// Pause and resume go only to clients in the other state: the server's pause message flips a
// client, so "Pause" sent to a paused client would resume it. False when it was not sent.
bool PauseIfIn(KestovaMain& main, OncePerClient& once, int row, bool paused) {
    const bool isPaused = main.ConList.TextMatrix(row, client_grid::kInformation) == "Paused";
    return isPaused != paused || !once.first(row - 1) || PauseClient(main, row - 1);
}

// A command for the highlighted and marked clients; false when the operator answered No.
bool RunForSelected(KestovaMain& main, const std::string& command) {
    const int highlighted = main.ConList.RowSel();
    OncePerClient once;
    bool sent = true;
    auto send = [&](int row, const std::string& message) {
        if (once.first(row - 1)) {
            sent = SendClientCommand(main, row - 1, message) && sent;
        }
    };
    auto unmark = [&main](int row) {
        client_grid::SetMarked(main.ConList, row, false, main.BackColor);
    };
    if (command == "Pause" || command == "UnPause") {
        const bool toPause = command == "Pause";
        if (highlighted > 0) {
            sent = PauseIfIn(main, once, highlighted, !toPause);
        }
        WalkMarkedRows(main, kGroupPaceMs,
                       [&](int row) { sent = PauseIfIn(main, once, row, !toPause) && sent; });
        SetSentStatus(main, sent,
                      toPause ? "Selected Port(s) Paused." : "Selected Port(s) UnPaused.");
    } else if (command == "Log Off") {
        if (!Ask("Log Off Selected Client(s)?")) {
            return false;
        }
        if (highlighted > 0) {
            send(highlighted, request::SlotCommandText(request::LogOff, highlighted - 1));
        }
        WalkMarkedRows(main, kGroupPaceMs, [&](int row) {
            send(row, request::SlotCommandText(request::LogOff, row - 1));
        });
        SetSentStatus(main, sent, "Selected Client(s) Logged Off.");
    } else if (command == "Reconnect") {
        if (!Ask("Close Selected Port(s)?")) {
            return false;
        }
        if (highlighted > 0) {
            unmark(highlighted);
            send(highlighted, request::SlotCommandText(request::Disconnect, highlighted));
        }
        WalkMarkedRows(main, kReconnectPaceMs, [&](int row) {
            send(row, request::SlotCommandText(request::Disconnect, row));
        });
        SetSentStatus(main, sent, "Selected Port(s) Closed.");
    } else if (command == "Send Message") {
        const ui::Color selectionColour = main.ConList.BackColorSel;
        ui::Raise(main.m_sendMessage.Click);
        main.ConList.BackColorSel = selectionColour;
        if (highlighted > 0) {
            main.ConList.SetRow(highlighted);
        }
        main.ConList.SetColSel(client_grid::kFiller);
    } else if (command == "Restart Client(s)" || command == "Shutdown Client(s)") {
        const bool restart = command == "Restart Client(s)";
        if (!Ask(restart ? "Restart Selected Port(s)?" : "Shutdown Selected Port(s)?")) {
            main.Combo1.Text = kNone;
            return false;
        }
        const std::string_view word =
            restart ? request::client::Restart : request::client::Shutdown;
        if (highlighted > 0) {
            unmark(highlighted);
            send(highlighted, request::ClientCommandText(highlighted - 1, word));
        }
        WalkMarkedRows(main, kGroupPaceMs,
                       [&](int row) { send(row, request::ClientCommandText(row - 1, word)); });
        SetSentStatus(main, sent,
                      restart ? "Selected Client(s) Restarted." : "Selected Client(s) Shutdown.");
    }
    return true;
}

}  // namespace

void FillGroupCommands(KestovaMain& main, bool fromFocus) {
    ui::ComboBox& list = main.Combo1;
    if (list.ListCount() > 0) {
        return;
    }
    const std::string rights = OperatorRight();
    if (rights == "VIEWER") {
        list.AddItem(kNone);
        main.Option1.ForeColor = ui::colors::Black;
        main.Option2.ForeColor = ui::colors::Black;
        return;
    }
    if (rights != "ADMINISTRATOR" && rights != "USER") {
        return;
    }
    for (const char* entry : {kNone, "Pause", "UnPause", "Log Off", "Reconnect", "Send Message"}) {
        list.AddItem(entry);
    }
    const bool administrator = rights == "ADMINISTRATOR";
    if (administrator && fromFocus) {
        list.AddItem("Hide Client(s)");
        list.AddItem("Show Client(s)");
    }
    if (MayRestart(main, administrator)) {
        list.AddItem("Restart Client(s)");
        list.AddItem("Shutdown Client(s)");
    }
}

void ChooseAllClients(KestovaMain& main) {
    main.Command1.Enabled = CommandChosen(main);
    ShowChosen(main, true);
    main.Combo1.Enabled = true;
}

void ChooseSelectedClients(KestovaMain& main) {
    main.Command1.Enabled = CommandChosen(main);
    main.Combo1.Enabled = true;
    ShowChosen(main, false);
}

void ChooseGroupCommand(KestovaMain& main) {
    const bool notNone = main.Combo1.Text.get() != kNone;
    if ((main.Option1.Value && notNone) || (main.Option2.Value && notNone)) {
        main.Command1.Enabled = true;
        return;
    }
    main.Command1.Enabled = false;
    main.Option1.Value = false;
    main.Option2.Value = false;
    main.Combo1.Enabled = false;
    main.Option1.ForeColor = ui::colors::Black;
    main.Option2.ForeColor = ui::colors::Black;
}

void ExecuteGroupCommand(KestovaMain& main) {
    if (!CommandChosen(main) || (main.Option1.Value && main.Option2.Value)) {
        main.Command1.Enabled = false;
        main.Combo1.Text = kNone;
        main.Option1.Value = false;
        main.Option2.Value = false;
        return;
    }
    main.Command1.Enabled = false;
    const std::string command = main.Combo1.Text;
    bool ranToItsEnd = true;
    if (main.Option1.Value) {
        ranToItsEnd = RunForAll(main, command);
    } else if (main.Option2.Value) {
        ranToItsEnd = RunForSelected(main, command);
    }
    if (ranToItsEnd) {
        Reset(main);
    }
}

void ResetGroupCommandBar(KestovaMain& main) {
    main.Combo1.Clear();
    Reset(main);
    main.Command1.Enabled = false;
    main.Combo1.Enabled = true;
}

}  // namespace kestova
