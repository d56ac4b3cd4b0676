#pragma once

#include <string>
#include <string_view>

// The operator's messages: to the clients' screens (all, or the highlighted and marked ones), to
// the server's operator, and the switch that lets clients send messages or not.
namespace kestova {

class KestovaMain;

void SendMessageToAllClients(KestovaMain& main);
void SendMessageToSelectedClients(KestovaMain& main);
void SendMessageToServer(KestovaMain& main);
void SwitchClientMessages(KestovaMain& main);

// The text a client is sent for what the operator typed: a bar would end the message early, so
// every "|" becomes a space; "CLS" in any case clears the message on the clients (an empty text).
std::string ClientMessageText(std::string_view typed);

}  // namespace kestova
