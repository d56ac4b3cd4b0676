#include "server/host/server_host.h"

#include <QTcpSocket>
#include <QThread>
#include <algorithm>
#include <deque>
#include <exception>

#include "core/wire/codec.h"
#include "core/wire/request_keywords.h"
#include "server/engine/texts.h"

namespace zarnevo {
namespace {

// The address refused log-ins are counted by: an IPv4 address as such, also when it comes
// mapped into IPv6, and an IPv6 address by its /64 network, which one host usually holds whole.
std::string SourceAddress(const QHostAddress& peer) {
    bool isIpv4 = false;
    const quint32 ipv4 = peer.toIPv4Address(&isIpv4);
    if (isIpv4) {
        return QHostAddress(ipv4).toString().toStdString();
    }
    Q_IPV6ADDR network = peer.toIPv6Address();
    std::fill(std::begin(network.c) + 8, std::end(network.c), quint8{0});
    return QHostAddress(network).toString().toStdString() + "/64";
}

}  // namespace

struct ServerHost::Console {
    QTcpSocket* socket = nullptr;  // owned; deleted with deleteLater when the console goes
    MessageAssembler assembler{wire::request::Keywords()};
    std::deque<std::string> queue;  // requests waiting for their turn, in the order sent
    bool closing = false;
};

// Checks each password on the host's worker threads and posts the verdict back to the event
// thread, where the engine lives.
class ServerHost::Verifier final : public PasswordVerifier {
public:
    explicit Verifier(ServerHost& host) : host_(host) {}
    void start(PasswordCheckId id, PasswordCheck check) override {
        host_.checks_.start([&host = host_, id, check = std::move(check)] {
            PasswordVerdict verdict;
            std::string fault;
            try {
                verdict = CheckPassword(check.password, check.stored, check.cost);
            } catch (const std::exception& error) {
                fault = error.what();
            }
            // The host waits for its workers before it goes, so it is still there to post to.
            QMetaObject::invokeMethod(
                &host, [&host, id, verdict, fault] { host.passwordChecked(id, verdict, fault); },
                Qt::QueuedConnection);
        });
    }

private:
    ServerHost& host_;
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
      verifier_(std::make_unique<Verifier>(*this)),
      outbox_(std::make_unique<EngineOutbox>(*this)),
      engine_(std::make_unique<Engine>(store, *outbox_, options, log_)) {
    // One core stays with the consoles; a worker or two hash.
    checks_.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 2));
    engine_->checkPasswordsWith(*verifier_);
    turn_.setSingleShot(true);
    turn_.setInterval(0);
    connect(&turn_, &QTimer::timeout, this, &ServerHost::serveTurn);
    connect(&server_, &QTcpServer::newConnection, this, &ServerHost::acceptConsoles);
    connect(&server_, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        log_("cannot accept a console: " + server_.errorString().toStdString());
    });
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &ServerHost::tick);
}

ServerHost::~ServerHost() {
    close();
    checks_.clear();
    checks_.waitForDone();
}

bool ServerHost::listen(const QHostAddress& address, quint16 port, QString& error) {
    server_.setListenBacklogSize(kListenBacklog);
    if (!server_.listen(address, port)) {
        error = server_.errorString();
        return false;
    }
    ticker_.start();
    return true;
}

void ServerHost::close() {
    ticker_.stop();
    turn_.stop();
    server_.close();
    while (!consoles_.empty()) {
        closeConsole(consoles_.begin()->first, "the server is shutting down");
    }
}

std::size_t ServerHost::queuedRequests() const {
    std::size_t queued = 0;
    for (const auto& [id, console] : consoles_) {
        queued += console->queue.size();
    }
    return queued;
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
        if (consoles_.size() >= kMaxConsoles) {
            log_("connection from " + socket->peerAddress().toString().toStdString() + ":" +
                 std::to_string(socket->peerPort()) + " refused: " + std::to_string(kMaxConsoles) +
                 " consoles are connected already");
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
        guarded("a console connecting", [&] {
            engine_->consoleConnected(id, SourceAddress(socket->peerAddress()), clock_.nowMs());
        });
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
    enqueue(id, console, std::move(fed.messages));
}

void ServerHost::enqueue(ConsoleId id, Console& console, std::vector<std::string> messages) {
    std::size_t dropped = 0;
    for (std::string& message : messages) {
        if (console.queue.size() < kMaxQueuedRequests) {
            console.queue.push_back(std::move(message));
        } else {
            ++dropped;
        }
    }
    if (dropped > 0) {
        log_("console " + std::to_string(id) + ": dropped " + std::to_string(dropped) +
             " request(s): " + std::to_string(kMaxQueuedRequests) + " wait for their turn already");
    }
    if (!console.queue.empty() && !turn_.isActive()) {
        turn_.start();
    }
}

void ServerHost::serveTurn() {
    const std::int64_t now = clock_.nowMs();
    std::vector<ConsoleId> waiting;
    for (const auto& [id, console] : consoles_) {
        if (!console->queue.empty()) {
            waiting.push_back(id);
        }
    }
    bool more = false;
    for (ConsoleId id : waiting) {
        for (std::size_t served = 0; served < kRequestsPerTurn; ++served) {
            // Looked up again each time: the engine may have let the console go meanwhile.
            const auto it = consoles_.find(id);
            if (it == consoles_.end() || it->second->closing || it->second->queue.empty()) {
                break;
            }
            const std::string message = std::move(it->second->queue.front());
            it->second->queue.pop_front();
            guarded("a console request", [&] { engine_->receive(id, message, now); });
        }
        const auto it = consoles_.find(id);
        more |= it != consoles_.end() && !it->second->closing && !it->second->queue.empty();
    }
    if (more) {
        turn_.start();  // the rest waits for the next turn, after whatever else is due
    }
}

void ServerHost::passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict,
                                 const std::string& fault) {
    if (!fault.empty()) {
        log_("a password check failed: " + LogSafe(fault));
    }
    guarded("a password verdict", [&] { engine_->passwordChecked(id, verdict, clock_.nowMs()); });
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
            enqueue(id, *console, {std::move(*remainder)});
        }
    }
}

}  // namespace zarnevo
