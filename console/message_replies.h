#pragma once

#include "dispatch/reply.h"

// Messages from clients and from the server for the operator, shown in the message window.
namespace kestova {

// CMESSAGE: the window shows the client messages with this text only.
void HandleClientMessage(KestovaMain& main, const Reply& reply);
// IMESSAGE: the text is added to the client messages (it replaces a notice or the About box).
void HandleAddedMessage(KestovaMain& main, const Reply& reply);
// MESSAGE: like IMESSAGE after one flash of the main window, unless "DisableMessage" is set.
void HandleServerMessage(KestovaMain& main, const Reply& reply);

}  // namespace kestova
