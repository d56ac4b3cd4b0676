#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <functional>
#include <string>

class QTcpSocket;

namespace zarnevo {

// Answers consoles that look for a server: on the plain-text hello "CONNECTED" it writes the
// answer for the address the console reached us on and closes the connection. A peer that says
// anything else, too much, or nothing for a while is dropped.
class DiscoveryResponder : public QObject {
    Q_OBJECT
public:
    using Answer = std::function<std::string(const QString& serverIp)>;
    using Log = std::function<void(const std::string&)>;

    static constexpr int kMaxHelloBytes = 256;
    static constexpr int kIdleMs = 10'000;

    DiscoveryResponder(Answer answer, Log log, QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port, QString& error);
    void close() { server_.close(); }

private:
    void accept();
    void answer(QTcpSocket& socket);

    Answer answer_;
    Log log_;
    QTcpServer server_;
};

}  // namespace zarnevo
