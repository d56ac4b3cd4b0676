#include "connection/server_link.h"

#include "audit/command_audit.h"
#include "connection/server_address.h"
#include "core/one_instance.h"
#include "core/wire/codec.h"
#include "core/wire/requests.h"
#include "platform/services.h"
#include "platform/socket.h"

namespace kestova {

ServerLink::ServerLink() = default;

ServerLink::~ServerLink() = default;

void ServerLink::Open(std::function<void()> connected, std::function<void()> dataArrived) {
    socket_ = platform::services().createSocket();
    socket_->OnConnect = std::move(connected);
    socket_->OnDataArrival = [dataArrived = std::move(dataArrived)](std::size_t) { dataArrived(); };
}

void ServerLink::OnConnectionChanged(std::function<void()> changed) {
    changed_ = std::move(changed);
}

bool ServerLink::IsConnected() const {
    return socket_ != nullptr && socket_->GetState() == platform::Socket::Connected;
}

bool ServerLink::Send(std::string_view plainMessage, std::string_view client) {
    return SendAudited(plainMessage, AuditAs::Command, client);
}

bool ServerLink::Send(std::string_view plainMessage, AuditAs as) {
    return SendAudited(plainMessage, as, {});
}

bool ServerLink::SendAudited(std::string_view plainMessage, AuditAs as, std::string_view client) {
    if (!IsConnected()) {
        return false;
    }
    Audit().BeforeSend(plainMessage, as, client);
    socket_->SendData(wire::EncodeText(plainMessage));
    if (wire::request::IsAnswered(plainMessage) && !askedAtMs_.has_value()) {
        askedAtMs_ = platform::services().clock().monotonicMs();
    }
    return true;
}

bool ServerLink::Connect(std::string_view address, int port) {
    return socket_ != nullptr && ConnectToAddress(*socket_, address, port);
}

void ServerLink::Close() {
    if (socket_ != nullptr) {
        socket_->Close();
    }
    askedAtMs_.reset();
    Changed();
}

void ServerLink::ConnectionBegan() {
    askedAtMs_.reset();
    Changed();
}

void ServerLink::Changed() const {
    if (changed_) {
        changed_();
    }
}

std::string ServerLink::Read() {
    return socket_ != nullptr ? socket_->GetData() : std::string();
}

std::int64_t ServerLink::UnansweredMs() const {
    return askedAtMs_.has_value() ? platform::services().clock().monotonicMs() - *askedAtMs_ : 0;
}

std::string ServerLink::LocalIP() const {
    return socket_ != nullptr ? socket_->LocalIP() : std::string();
}

std::string ServerLink::LocalHostName() const {
    return socket_ != nullptr ? socket_->LocalHostName() : std::string();
}

std::string ServerLink::RemoteEndpoint() const {
    return socket_ != nullptr ? socket_->RemoteHost + ":" + std::to_string(socket_->RemotePort)
                              : std::string();
}

namespace {

OneInstance<ServerLink>& ServerInstance() {
    static OneInstance<ServerLink> instance;
    return instance;
}

}  // namespace

ServerLink& Server() {
    return ServerInstance().get();
}

void ReleaseServer() {
    ServerInstance().release();
}

}  // namespace kestova
