#pragma once

#include <string>
#include <string_view>

// The texts the console sends at the server boundary and the numbers it connects with. Replies
// the server sends are known by the dispatcher's keyword table.
namespace kestova::protocol {

// The server's discovery port; the console port is this plus the port offset (1000 and up).
inline constexpr int kDiscoveryPort = 999;
inline constexpr int kConsolePortBase = 999;

// Requests for the whole client list: the supervision tick's, the greeting's, and the one the
// server asks for with UPDATEX. The server answers each with one UPDATE reply per slot.
inline constexpr std::string_view kRefreshRequest = "UPDATE||||";
inline constexpr std::string_view kFirstListRequest = "||UPDATE||||";
inline constexpr std::string_view kRequestedListRequest = "||UPDATE||";

// The answer to the server's keep-alive probe.
inline constexpr std::string_view kKeepAliveAnswer = "||YESCONNECT||||";

// The plain-text hello on the discovery socket.
inline constexpr std::string_view kSearchHello = "CONNECTED";

// The console's greeting on a new server connection: who and where it is.
std::string Greeting(std::string_view localIp, std::string_view localHostName);

// The operator login request; the server evaluates the condition it carries.
std::string LoginRequest(std::string_view userName, std::string_view password);

}  // namespace kestova::protocol
