#pragma once

// The café-wide commands: reset every client, switch ticket log-ins, pausing and adding tickets
// on or off, have the server push the console's settings again, and search for clients. The
// check marks of the switches are the server's to set (its replies say the new state); the
// status texts tell what was asked for.
namespace kestova {

class KestovaMain;

void ResetAllClients(KestovaMain& main);
void SwitchTicketLogins(KestovaMain& main);
// The "Disable &Login" button: asks before disabling, confirms after enabling.
void TicketLoginButton(KestovaMain& main);
void SwitchClientPausing(KestovaMain& main);
void SwitchTicketAdding(KestovaMain& main);
void UpdateConsoleSettings(KestovaMain& main);
void SearchForClients(KestovaMain& main);

}  // namespace kestova
