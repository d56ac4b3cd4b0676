#pragma once

#include <string>
#include <string_view>

// The server search on the discovery port: the console's hello and the server's answer, both
// plain text (not encoded), with the same "||" separator as the server connection.
namespace wire::discovery {

inline constexpr std::string_view Hello = "CONNECTED";

// The answer's keywords, each followed by its value: the server's address, the highest port
// offset a console should try, and the port offset to connect on.
inline constexpr std::string_view ServerIp = "SERVERIP";
inline constexpr std::string_view NoComputer = "NOCOMPUTER";
inline constexpr std::string_view Port = "PORT";

std::string AnswerText(std::string_view serverIp, int highestOffset, int portOffset);

}  // namespace wire::discovery
