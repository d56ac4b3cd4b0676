#pragma once

namespace kestova {

class KestovaMain;

// One tick of the supervision timer `ListenTimer`: while the server connection is up and greeted
// it asks for a fresh client list and recounts the client table; otherwise it closes the socket,
// blinks "Trying to Connect ...", connects again on the next port and every fifth attempt probes
// the server's discovery port. A tick that finds a greeted connection lost logs the operator off
// and empties the table. It sets the timer's interval for the next tick.
void SupervisionTick(KestovaMain& main);

// The `Connect` event of `Listen`: greets the server, enters the connected state and asks for
// the client list.
void ListenConnected(KestovaMain& main);

// "Reconnect Kestova" (`m_recKestova`): after the operator confirms, drops the connection and
// starts again from the first port at once.
void ReconnectKestova(KestovaMain& main);

}  // namespace kestova
