#pragma once

#include <string>
#include <string_view>

// The commands for many clients, or one client's pause, that the menus, the messages and the
// group command bar share.
namespace kestova {

class KestovaMain;

// Pauses or resumes every client when connected; the status says whether it went.
void PauseAll(KestovaMain& main);
void UnpauseAll(KestovaMain& main);

// Sends the client program's word and its text to every client in use (a name and an address,
// and shown), 20 ms apart and letting events run after every slot, whether or not
// anything was sent for it; the progress bar follows unless quiet. False when the connection
// refused a message of the walk.
bool SendToAllClients(KestovaMain& main, const std::string& text, std::string_view keyword,
                      bool quiet);

// The client's pause when connected: the server pauses a running client and resumes a paused
// one. False when it was not sent.
bool PauseClient(KestovaMain& main, int port);

}  // namespace kestova
