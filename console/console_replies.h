#pragma once

// The replies that concern the main window: the switches and flags it shows, the keep-alive and
// the client-list request, the operator's right and login answer, the client records of its grid
// and the messages for the operator (console/main_window_replies.h, console/client_table.h,
// console/message_replies.h).
namespace kestova {

// Registers their handlers with the dispatcher's keyword table.
void RegisterConsoleReplies();

}  // namespace kestova
