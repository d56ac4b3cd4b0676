#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {
class Socket;
}

namespace kestova {

enum class AuditAs;  // audit/command_audit.h

// The console's one connection to the management server (the socket `Listen`). Every message the
// console sends leaves through Send, and whoever needs to know whether the server can be reached
// asks here; nothing else touches the socket. Besides the socket the link keeps what belongs to
// the connection: whether the greeting went out on it, the port offset of the next attempt, and
// since when a request has waited for the server (the supervision counts a connection whose
// requests go unanswered as dead).
class ServerLink {
public:
    ServerLink();
    ~ServerLink();
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // Makes the socket (the main window does as it loads); its events go to the two handlers.
    void Open(std::function<void()> connected, std::function<void()> dataArrived);
    // Called whenever the connection is dropped or a new one begins: whatever the last one had
    // under way is void.
    void OnConnectionChanged(std::function<void()> changed);

    // The socket is connected, greeted or not yet.
    bool IsConnected() const;
    // The greeting went out on this connection, and no supervision tick has found it lost since.
    bool IsGreeted() const { return greeted_; }
    void SetGreeted(bool greeted) { greeted_ = greeted; }

    // Encodes a plain message and sends it, the one way every message leaves: it is in the audit
    // log before it goes (naming the client it is for, when it addresses one), and a request the
    // server always answers starts the wait for its answer. Only a connected socket takes a
    // message, and only then is it audited; false when it was not sent.
    bool Send(std::string_view plainMessage, std::string_view client = {});
    // The same, recorded in the audit log as `as` says.
    bool Send(std::string_view plainMessage, AuditAs as);

    // Connects to a dotted address (see ConnectToAddress); false, and nothing tried, otherwise.
    bool Connect(std::string_view address, int port);
    // Drops the connection; the listener hears of it.
    void Close();
    // A new connection is up: what the last one asked is forgotten, and the listener hears of it.
    void ConnectionBegan();

    // Everything received and not yet read.
    std::string Read();
    // A whole message came in: the server answers, whatever it was asked.
    void Heard() { askedAtMs_.reset(); }
    // How long the first request sent since the server was last heard has waited; 0 while
    // nothing is asked.
    std::int64_t UnansweredMs() const;

    std::string LocalIP() const;
    std::string LocalHostName() const;
    // The server's address and port, "127.0.0.1:1000".
    std::string RemoteEndpoint() const;

    // The connection goes to port 999 + the offset.
    std::int16_t PortOffset() const { return portOffset_; }
    void SetPortOffset(std::int16_t offset) { portOffset_ = offset; }

private:
    bool SendAudited(std::string_view plainMessage, AuditAs as, std::string_view client);
    void Changed() const;

    std::unique_ptr<platform::Socket> socket_;
    std::function<void()> changed_;
    bool greeted_ = false;
    std::int16_t portOffset_ = 0;
    std::optional<std::int64_t> askedAtMs_;
};

// The program's one connection to the management server, through which every window and
// command sends; made on first use.
ServerLink& Server();
// Destroys it, at the end of a run of the program or of a test; the next Server() makes a new one.
void ReleaseServer();

}  // namespace kestova
