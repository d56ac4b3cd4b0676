#pragma once

#include <string_view>

namespace platform {
class Socket;
}

namespace kestova {

// True for four dot-separated parts of one to three decimal digits, each at most largestPart.
bool IsDottedQuad(std::string_view address, int largestPart);

// True for a dotted address of four decimal parts, each 0 to 254 (a part of 255 is a broadcast
// address and is refused). Signs, spaces, exponents and empty parts are refused.
bool IsWellFormedServerAddress(std::string_view address);

// What the operator is told about a refused address (its example is only text).
inline constexpr std::string_view kInvalidAddressMessage = "Invalid IP value! (e.g. 192.168.0.1)";

// The message box that tells the operator an address is refused.
void TellInvalidServerAddress();

// The check the options dialog makes on a server address: like IsWellFormedServerAddress, and
// tells the operator with a message box when the address is refused.
bool IsValidServerAddress(std::string_view address);

// Points the socket at a dotted address (four decimal parts of 0 to 255) and connects; false, and
// the socket untouched, for anything else. Every address a socket gets goes through here: given a
// host name or a text like "127.0.0.300", a socket looks it up by name, and that lookup leaves
// the machine.
bool ConnectToAddress(platform::Socket& socket, std::string_view address, int port);

}  // namespace kestova
