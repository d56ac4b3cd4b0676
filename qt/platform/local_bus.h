#pragma once

#include <QByteArray>

namespace qtplatform {

// Whether a D-Bus address reaches only this machine (every transport of it a unix socket). With
// no address there is no session to tell (connecting would start a bus of its own), and a bus
// reached over the network is not the console's to use.
bool isLocalBusAddress(const QByteArray& address);

}  // namespace qtplatform
