#include "connection/server_protocol.h"

#include "audit/command_audit.h"
#include "console/kestova_main.h"
#include "core/wire/codec.h"
#include "core/wire/requests.h"
#include "platform/socket.h"
#include "program/kestova_code.h"

namespace kestova::protocol {

bool SendToServer(platform::Socket& socket, std::string_view plainMessage) {
    return SendToServer(socket, plainMessage, AuditAs::Command);
}

bool SendToServer(platform::Socket& socket, std::string_view plainMessage, AuditAs as) {
    if (socket.GetState() != platform::Socket::Connected) {
        return false;
    }
    Audit().BeforeSend(plainMessage, as);
    socket.SendData(wire::EncodeText(plainMessage));
    if (wire::request::IsAnswered(plainMessage)) {
        Main().Receiver.RequestSent();
    }
    return true;
}

}  // namespace kestova::protocol
