#pragma once

#include <string_view>

namespace kestova {

class KestovaMain;

// One step of the subnet search for a server, run by the main window's `Timer1` every two
// seconds; `start` begins a new search. Each step tries the next address 1..254 of the console's
// own /24 network on the discovery port, holding on an address while its answer is open. There
// is no search while the server connection is up.
void BroadCaster(KestovaMain& main, bool start);

// The `Connect` event of the search socket: says hello to the server.
void SearchConnected(KestovaMain& main);

// The `DataArrival` event of the search socket: the server's plain-text answer.
void SearchDataArrival(KestovaMain& main);

// Applies a discovery answer: "SERVERIP" stores the address the server gives, "NOCOMPUTER" the
// number of ports to try, "PORT" the port offset to connect on.
void ApplySearchAnswer(std::string_view answer);

}  // namespace kestova
