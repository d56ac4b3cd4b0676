#pragma once

#include "dispatch/reply.h"

// The server's replies that set the main window's switches and flags, answer its keep-alive and
// re-login, and grant the operator's right.
namespace kestova {

// DOWNBILL "TRUE" (exactly) while connected: the point of sale is offered instead of
// "Disable &Login"; anything else the reverse.
void HandleDownBill(KestovaMain& main, const Reply& reply);
// STILL CONNECTED: the keep-alive probe, answered whatever the connection's state.
void HandleStillConnected(KestovaMain& main, const Reply& reply);
// ADDPAUSE, ADDTIME, CMESS: check marks of the café-wide switches.
void HandleAddPause(KestovaMain& main, const Reply& reply);
void HandleAddTime(KestovaMain& main, const Reply& reply);
void HandleClientMessagesSwitch(KestovaMain& main, const Reply& reply);
// POSTYPE: which point-of-sale window the console opens, kept in the settings.
void HandlePosType(KestovaMain& main, const Reply& reply);
// DISLOG: client logins disabled, shown on the menus and on the "Disable &Login" button.
void HandleDisableLogging(KestovaMain& main, const Reply& reply);
// SHUTREST, PRINTS: the shut-down permission and print-control flags.
void HandleShutdownAllowed(KestovaMain& main, const Reply& reply);
void HandlePrintControl(KestovaMain& main, const Reply& reply);
// UPDATEX: the server asks the console to ask for the client list.
void HandleUpdateRequest(KestovaMain& main, const Reply& reply);
// TYPE: the operator's right, as received.
void HandleRightsLevel(KestovaMain& main, const Reply& reply);
// F-LOGIN: the answer to the operator login, acted on only while the login window is open
// from the console.
void HandleLoginAnswer(KestovaMain& main, const Reply& reply);

}  // namespace kestova
