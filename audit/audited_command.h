#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the audit trail records of a message the console sends to the server.
namespace kestova {

// Whom an entry is recorded under.
enum class Sender {
    Operator,       // the operator logged in at the console
    OperatorLogIn,  // an operator logging in, named in the message
    Staff,          // a point-of-sale staff member, named in the message
    StaffAtPos,     // the staff member the last staff message named (a deletion names nobody)
};

struct AuditedCommand {
    std::string what;  // in words: "Allocate 30 min", "Restart computer" ...
    Sender sender = Sender::Operator;
    std::string name;         // for OperatorLogIn and Staff: the name the message carries
    std::optional<int> port;  // the client the message addresses (a row number made a port)
    std::string group;        // the ticket group
    std::string wire;         // the message, any password in it masked
};

// The record of a message that changes a client, a sale or a café-wide switch, or that logs in;
// nothing for a request that only asks (the client list, the keep-alive, the greeting, ticket
// and client look-ups, summaries and reports). A message this table does not know is recorded
// as well, so that no new command can reach the server unrecorded.
std::optional<AuditedCommand> AuditedCommandOf(std::string_view plainMessage);

// The password in a log-in or sign-in text ("Username = '...' and Password = '...'") replaced by
// four stars. A text of another form is masked whole after its keyword, so that no password can
// ever reach the log.
std::string MaskPassword(std::string_view plainMessage);

}  // namespace kestova
