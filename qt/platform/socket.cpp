#include "qt/platform/socket.h"

#include <QHostInfo>
#include <QNetworkInterface>

#include "qt/platform/text.h"

namespace qtplatform {

QtSocket::QtSocket() {
    QObject::connect(&socket_, &QTcpSocket::connected, &socket_, [this] {
        failed_ = false;
        if (OnConnect) {
            OnConnect();
        }
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { drain(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &socket_, [this] {
        if (!ownCall_ && OnClose) {
            OnClose();
        }
    });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_, [this] {
        if (ownCall_) {
            return;
        }
        failed_ = true;
        if (OnError) {
            OnError(fromQt(socket_.errorString()));
        }
    });
}

// Reads everything the socket holds, including what arrives while the handler runs (a handler
// that yields lets more data in, and Qt does not announce it again while we are inside readyRead).
void QtSocket::drain() {
    while (socket_.bytesAvailable() > 0) {
        received_ += socket_.readAll().toStdString();
        if (OnDataArrival) {
            OnDataArrival(received_.size());
        }
    }
}

void QtSocket::Connect() {
    ownCall_ = true;
    socket_.abort();
    ownCall_ = false;
    failed_ = false;
    received_.clear();
    socket_.connectToHost(toQt(RemoteHost), static_cast<quint16>(RemotePort));
}

void QtSocket::Close() {
    ownCall_ = true;
    socket_.abort();
    ownCall_ = false;
    failed_ = false;
}

void QtSocket::SendData(const std::string& bytes) {
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

std::string QtSocket::GetData() {
    return std::exchange(received_, {});
}

platform::Socket::State QtSocket::GetState() const {
    switch (socket_.state()) {
        case QAbstractSocket::HostLookupState:
            return ResolvingHost;
        case QAbstractSocket::ConnectingState:
            return Connecting;
        case QAbstractSocket::ConnectedState:
            return Connected;
        case QAbstractSocket::BoundState:
            return Open;
        case QAbstractSocket::ListeningState:
            return Listening;
        case QAbstractSocket::ClosingState:
            return Closing;
        case QAbstractSocket::UnconnectedState:
            break;
    }
    return failed_ ? Error : Closed;
}

std::string QtSocket::LocalIP() const {
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        return fromQt(socket_.localAddress().toString());
    }
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            return fromQt(address.toString());
        }
    }
    return "127.0.0.1";
}

std::string QtSocket::LocalHostName() const {
    return fromQt(QHostInfo::localHostName());
}

}  // namespace qtplatform
