#pragma once

// The numbers the console connects to the server with. The texts of its messages are built in
// core/wire (request_texts.h) and leave through the ServerLink (server_link.h).
namespace kestova::protocol {

// The server's discovery port; the console port is this plus the port offset (1000 and up).
inline constexpr int kDiscoveryPort = 999;
inline constexpr int kConsolePortBase = 999;

}  // namespace kestova::protocol
