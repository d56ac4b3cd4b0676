#pragma once

#include <string_view>

// The requests of the console that the server always answers with a reply of its own.
namespace wire::request {

// True for a request for the client list, an operator's log-in, a staff member's sign-in and
// every point-of-sale, ticket-search and report request; false for commands, the greeting, the
// keep-alive answer and a ticket batch given back for deletion, which the server does not
// answer.
bool IsAnswered(std::string_view plainMessage);

}  // namespace wire::request
