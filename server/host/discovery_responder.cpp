#include "server/host/discovery_responder.h"

#include <QTcpSocket>
#include <QTimer>

#include "core/wire/discovery.h"

namespace zarnevo {

DiscoveryResponder::DiscoveryResponder(Answer answer, Log log, QObject* parent)
    : QObject(parent), answer_(std::move(answer)), log_(std::move(log)) {
    connect(&server_, &QTcpServer::newConnection, this, &DiscoveryResponder::accept);
}

bool DiscoveryResponder::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (!server_.listen(address, port)) {
        error = server_.errorString();
        return false;
    }
    return true;
}

void DiscoveryResponder::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // The socket is the server's child until it is done; deleteLater then removes it.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->setReadBufferSize(kMaxHelloBytes + 1);
        QTimer::singleShot(kIdleMs, socket, [socket] { socket->abort(); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(*socket); });
    }
}

void DiscoveryResponder::answer(QTcpSocket& socket) {
    // The hello is tiny; it stays in the socket's buffer until it is complete.
    const QByteArray hello = socket.peek(kMaxHelloBytes + 1);
    if (hello.toUpper().contains(
            QByteArrayView(wire::discovery::Hello.data(), wire::discovery::Hello.size()))) {
        socket.readAll();
        // A console on an IPv4 address reached through a dual-stack port sees the plain form.
        bool mapped = false;
        const quint32 ipv4 = socket.localAddress().toIPv4Address(&mapped);
        const QString serverIp =
            mapped ? QHostAddress(ipv4).toString() : socket.localAddress().toString();
        const std::string reply = answer_(serverIp);
        socket.write(reply.data(), static_cast<qint64>(reply.size()));
        log_("answered a server search from " + socket.peerAddress().toString().toStdString());
        socket.disconnectFromHost();  // after the answer has been written
    } else if (hello.size() > kMaxHelloBytes) {
        log_("dropped a server search that sent no hello");
        socket.abort();
    }
}

}  // namespace zarnevo
