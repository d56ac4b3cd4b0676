#include "server/host/server_host.h"

#include <QTcpSocket>
#include <exception>

#include "core/wire/codec.h"
#include "server/engine/texts.h"
#include "server/host/console_keywords.h"

namespace zarnevo {

struct ServerHost::Console {
    QTcpSocket* socket = nullptr;  // owned; deleted with deleteLater when the console goes
    MessageAssembler assembler{ConsoleMessageKeywords()};
    bool closing = false;
};

// What the engine writes to: every message is encoded and written on its own.
class ServerHost::EngineOutbox final : public zarnevo::Outbox {
public:
    explicit EngineOutbox(ServerHost& host) : host_(host) {}
    void send(ConsoleId console, const std::string& plainMessage) override {
        host_.sendToConsole(console, plainMessage);
    }
    void disconnect(ConsoleId console) override {
        host_.scheduleClose(console, "the engine let it go");
    }

private:
    ServerHost& host_;
};

ServerHost::ServerHost(Store& store, const EngineOptions& options, Log log, QObject* parent)
    : QObject(parent),
      log_(std::move(log)),
      outbox_(std::make_unique<EngineOutbox>(*this)),
      engine_(std::make_unique<Engine>(store, *outbox_, options, log_)) {
    connect(&server_, &QTcpServer::newConnection, this, &ServerHost::acceptConsoles);
    connect(&server_, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        log_("cannot accept a console: " + server_.errorString().toStdString());
    });
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &ServerHost::tick);
}

ServerHost::~ServerHost() {
    close();
}

bool ServerHost::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (!server_.listen(address, port)) {
        error = server_.errorString();
        return false;
    }
    ticker_.start();
    return true;
}

void ServerHost::close() {
    ticker_.stop();
    server_.close();
    while (!consoles_.empty()) {
        closeConsole(consoles_.begin()->first, "the server is shutting down");
    }
}

std::string ServerHost::discoveryAnswer(const QString& serverIp, int portOffset) const {
    return engine_->discoveryAnswer(serverIp.toStdString(), portOffset);
}

template <typename Call>
void ServerHost::guarded(const char* what, Call&& call) {
    try {
        call();
    } catch (const std::exception& fault) {
        log_(std::string(what) + " failed: " + LogSafe(fault.what()));
    }
}

void ServerHost::acceptConsoles() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const ConsoleId id = nextId_++;
        socket->setParent(nullptr);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // Qt stops reading from the network when this much is waiting, so a flood is paced.
        socket->setReadBufferSize(64 * 1024);
        auto console = std::make_unique<Console>();
        console->socket = socket;
        consoles_.emplace(id, std::move(console));

        connect(socket, &QTcpSocket::readyRead, this, [this, id] { readConsole(id); });
        // Queued: a socket may report its end from inside a write, and the engine must never
        // hear of a departure while it is still busy with that console.
        connect(
            socket, &QTcpSocket::disconnected, this,
            [this, id] { closeConsole(id, "it disconnected"); }, Qt::QueuedConnection);
        log_("console " + std::to_string(id) + " connected from " +
             socket->peerAddress().toString().toStdString() + ":" +
             std::to_string(socket->peerPort()));
        guarded("greeting a console", [&] { engine_->consoleConnected(id, clock_.nowMs()); });
        if (socket->bytesAvailable() > 0) {
            readConsole(id);
        }
    }
}

void ServerHost::readConsole(ConsoleId id) {
    const auto it = consoles_.find(id);
    if (it == consoles_.end() || it->second->closing) {
        return;
    }
    Console& console = *it->second;
    const QByteArray bytes = console.socket->readAll();
    const std::int64_t now = clock_.nowMs();
    const auto fed = console.assembler.feed(std::string_view(bytes.constData(), bytes.size()), now);
    if (fed.droppedBytes > 0) {
        log_("console " + std::to_string(id) + ": dropped " + std::to_string(fed.droppedBytes) +
             " bytes that formed no request");
    }
    for (const auto& message : fed.messages) {
        deliver(id, message, now);
    }
}

void ServerHost::deliver(ConsoleId id, const std::string& message, std::int64_t nowMs) {
    const auto it = consoles_.find(id);
    if (it == consoles_.end() || it->second->closing) {
        return;  // the engine let it go while handling an earlier message of the same read
    }
    guarded("a console request", [&] { engine_->receive(id, message, nowMs); });
}

void ServerHost::sendToConsole(ConsoleId id, const std::string& plainMessage) {
    const auto it = consoles_.find(id);
    if (it == consoles_.end() || it->second->closing) {
        return;
    }
    QTcpSocket& socket = *it->second->socket;
    if (socket.state() != QAbstractSocket::ConnectedState) {
        return;
    }
    if (socket.bytesToWrite() > kMaxUnsentBytes) {
        scheduleClose(id, "it stopped reading its replies");
        return;
    }
    const std::string digits = wire::EncodeText(plainMessage);
    socket.write(digits.data(), static_cast<qint64>(digits.size()));
    // Hand it to the network now, so each message leaves in its own write.
    socket.flush();
}

void ServerHost::scheduleClose(ConsoleId id, const char* why) {
    const auto it = consoles_.find(id);
    if (it == consoles_.end() || it->second->closing) {
        return;
    }
    it->second->closing = true;
    QMetaObject::invokeMethod(
        this, [this, id, why] { closeConsole(id, why); }, Qt::QueuedConnection);
}

void ServerHost::closeConsole(ConsoleId id, const char* why) {
    const auto it = consoles_.find(id);
    if (it == consoles_.end()) {
        return;
    }
    std::unique_ptr<Console> console = std::move(it->second);
    consoles_.erase(it);
    console->socket->disconnect(this);
    console->socket->abort();
    console->socket->deleteLater();
    log_("console " + std::to_string(id) + " closed: " + why);
    guarded("a console leaving", [&] { engine_->consoleDisconnected(id); });
}

void ServerHost::tick() {
    const std::int64_t now = clock_.nowMs();
    guarded("the clock tick", [&] { engine_->tick(now); });
    for (auto& [id, console] : consoles_) {
        if (auto remainder = console->assembler.takeQuiet(now)) {
            deliver(id, *remainder, now);
        }
    }
}

}  // namespace zarnevo
