#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The commands for the client in the highlighted row: end or restart its timer, restart or shut
// down its computer, log it off, reconnect it, enable or disable it, move its timer, clear its
// desktop, allow or prevent printing. Each is one message to the server, which carries it out
// and reports the client's new state in its record.
namespace kestova {

class KestovaMain;
struct HighlightedClient;

struct Notice {
    const char* text;
    const char* title;
};

struct ClientCommand {
    enum class Check { None, Silently, WithNotice };
    enum class Numbering { Port, Row };

    std::string_view keyword;
    // A word of the client program (wire::request::ClientCommandText) when true, else a server
    // keyword for the slot (wire::request::SlotCommandText).
    bool clientKeyword;
    Numbering numbering;
    // A client row must be highlighted ("No Client selected!").
    Check rowCheck;
    // The connection must be up before the question, with this notice when it is not.
    std::optional<Notice> connectedBeforeQuestion;
    // The question, without one when empty.
    std::function<std::string(const KestovaMain&, const HighlightedClient&)> question;
    // After the question the connection is checked again, after letting events run.
    Check connectedAfterQuestion;
    std::optional<Notice> notConnectedAfterQuestion;
    // Written into the row's "Information" cell after sending, when set.
    const char* information;
    // Shown once the message was sent.
    std::function<std::string(const HighlightedClient&)> status;
    // Shown when the message could not be sent (else connectedBeforeQuestion, when set).
    std::optional<Notice> sendFailed;
};

// Runs the command: its checks in order, its question (No ends it with nothing sent and nothing
// shown), the message, then the information cell and the status text.
void RunClientCommand(KestovaMain& main, const ClientCommand& command);

// The commands of the "&Control", "&File", "&Others" menus and the context menu that follow
// that pattern.
const ClientCommand& EndTimerCommand();
const ClientCommand& RestartTimerOnlyCommand();
const ClientCommand& RestartComputerCommand();
const ClientCommand& ShutDownComputerCommand();
const ClientCommand& LogOffClientCommand();
const ClientCommand& ReconnectClientCommand();
const ClientCommand& EnableClientCommand();
const ClientCommand& DisableClientCommand();
const ClientCommand& RelocateTimerCommand();
const ClientCommand& ClearDesktopCommand();
const ClientCommand& AllowPrintingCommand();
const ClientCommand& PreventPrintingCommand();

// The commands with rules of their own.
void ChangeClientName(KestovaMain& main);
void UpdateClientSettings(KestovaMain& main);
void RequestClientInformation(KestovaMain& main);
void PauseHighlightedClient(KestovaMain& main);
void FindComputer(KestovaMain& main);

}  // namespace kestova
