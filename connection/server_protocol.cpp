#include "connection/server_protocol.h"

#include "core/wire/framing.h"

namespace kestova::protocol {

std::string Greeting(std::string_view localIp, std::string_view localHostName) {
    std::string text = "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[";
    text += localIp;
    text += "]||LOCALHOSTNAME||Kestova[";
    text += localHostName;
    text += "]||";
    return text;
}

std::string LoginRequest(std::string_view userName, std::string_view password) {
    return wire::CredentialsMessage("F-LOGIN", userName, password);
}

}  // namespace kestova::protocol
