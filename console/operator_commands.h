#pragma once

#include <string>
#include <string_view>

// What the console's commands for clients share: the client they address (the grid's
// highlighted row), the labels their questions and status texts name it by, the question box,
// the status panel and the one way a command reaches the server.
namespace kestova {

class KestovaMain;

// Titles of the command notices.
inline constexpr const char* kNoticeTitle = "Server Message(s)";
inline constexpr const char* kKestovaNoticeTitle = "Kestova Server Message(s)";

struct HighlightedClient {
    int row = 0;              // the grid's RowSel; 0 is the header row, never a client
    std::string name;         // "Client Name"; empty when the slot has no client
    std::string information;  // the client's mode or state
    std::string address;      // "Client IP"

    int port() const { return row - 1; }
    bool isRow() const { return row >= 1; }
};

HighlightedClient Highlighted(const KestovaMain& main);

// How questions and prompts name the client: its name, or, for a slot without one, the server
// connection it is reached through.
std::string ClientLabel(const HighlightedClient& client);
// How status texts name it: its name, or its address.
std::string StatusLabel(const HighlightedClient& client);

// A question with Yes and No, No the default, under the program's title; true on Yes.
bool Ask(const std::string& question);
// An answer typed into an input box under the program's title; empty when cancelled.
std::string AskText(const std::string& prompt, const std::string& defaultText = {});

// The server connection is up.
bool ServerConnected();
// The operator's right, upper-cased: "ADMINISTRATOR", "USER" or "VIEWER" (or what else the
// server sent).
std::string OperatorRight();
// The user name of the last successful operator login, as typed.
const std::string& OperatorName();

// The fifth status panel: the result of the last command.
void SetStatus(KestovaMain& main, const std::string& text);

// Sends a command to the server when the connection is up; false (nothing sent) when it is not.
bool SendCommand(std::string_view plainMessage);
// The same for a command to the client on `port`, which the audit log names as the grid shows it
// while the command leaves.
bool SendClientCommand(const KestovaMain& main, int port, std::string_view plainMessage);
// The result of a command that went to the server: the text when all of it was sent, else
// "Kestova not connected.", so that a refused command never reads as done.
void SetSentStatus(KestovaMain& main, bool sent, const std::string& text);

}  // namespace kestova
