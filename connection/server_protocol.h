#pragma once

#include <string>
#include <string_view>

namespace platform {
class Socket;
}
namespace kestova {
enum class AuditAs;  // audit/command_audit.h
}

// The numbers the console connects to the server with and the one way its messages leave. The
// texts of the messages are built in core/wire (request_texts.h).
namespace kestova::protocol {

// The server's discovery port; the console port is this plus the port offset (1000 and up).
inline constexpr int kDiscoveryPort = 999;
inline constexpr int kConsolePortBase = 999;

// Encodes a plain message and sends it on the server connection: the one way every message
// leaves, so that each command is in the audit log before it goes, as `as` says (a command
// unless told otherwise), and the supervision knows which request waits for the server. Only a
// connected socket takes a message (and only then is it audited); false when it was not sent.
bool SendToServer(platform::Socket& socket, std::string_view plainMessage);
bool SendToServer(platform::Socket& socket, std::string_view plainMessage, AuditAs as);

}  // namespace kestova::protocol
