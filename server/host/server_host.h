#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "server/engine/engine.h"
#include "server/engine/message_assembler.h"
#include "server/host/server_clock.h"

class QTcpSocket;

namespace zarnevo {

// The network side of zarnevo-server: accepts up to kMaxConsoles consoles on the console port,
// turns each connection's digits into single messages for the engine, hands them over a few per
// console and turn, encodes the engine's replies (one write each), checks passwords on a worker
// thread and drives the engine's clock. Every engine call is guarded: a fault in one request is
// logged and the server goes on.
class ServerHost : public QObject {
    Q_OBJECT
public:
    using Log = std::function<void(const std::string&)>;

    static constexpr int kTickMs = 250;
    // A console that lets this much of our output pile up unread is dropped.
    static constexpr qint64 kMaxUnsentBytes = 8 * 1024 * 1024;
    // Consoles served at once; a connection beyond them is closed at once.
    static constexpr std::size_t kMaxConsoles = 64;
    // Connections the system keeps waiting to be accepted, so a burst of them is not turned away.
    static constexpr int kListenBacklog = 1024;
    // Requests of one console handled per turn of the event loop: every console gets its turn,
    // and a console that sends a thousand at once waits for its own, not the others.
    static constexpr std::size_t kRequestsPerTurn = 4;
    // Requests of one console waiting for their turns; further ones are dropped.
    static constexpr std::size_t kMaxQueuedRequests = 256;

    ServerHost(Store& store, const EngineOptions& options, Log log, QObject* parent = nullptr);
    ~ServerHost() override;

    // Opens the console port; on failure returns false and says why in error.
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    // Closes the port and every console connection.
    void close();

    std::size_t consoleCount() const { return consoles_.size(); }
    // Requests received and waiting for their consoles' turns.
    std::size_t queuedRequests() const;
    // The console port, once listening.
    quint16 port() const { return server_.serverPort(); }
    // The answer to a console's search, naming serverIp as the server's address.
    std::string discoveryAnswer(const QString& serverIp, int portOffset) const;

private:
    struct Console;
    class EngineOutbox;
    class Verifier;

    void acceptConsoles();
    void readConsole(ConsoleId id);
    // Queues a console's requests for their turns.
    void enqueue(ConsoleId id, Console& console, std::vector<std::string> messages);
    // One turn: a few requests of each console that has some waiting.
    void serveTurn();
    // A worker thread's verdict, back on the event thread.
    void passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict,
                         const std::string& fault);
    void sendToConsole(ConsoleId id, const std::string& plainMessage);
    // Forgets the console and tells the engine; always runs from the event loop, never inside
    // an engine call.
    void closeConsole(ConsoleId id, const char* why);
    void scheduleClose(ConsoleId id, const char* why);
    void tick();
    template <typename Call>
    void guarded(const char* what, Call&& call);

    Log log_;
    ServerClock clock_;
    // Password hashing is slow on purpose: it runs here, off the thread that serves consoles.
    QThreadPool checks_;
    std::unique_ptr<Verifier> verifier_;
    std::unique_ptr<EngineOutbox> outbox_;
    std::unique_ptr<Engine> engine_;
    QTcpServer server_;
    QTimer ticker_;
    QTimer turn_;
    std::map<ConsoleId, std::unique_ptr<Console>> consoles_;
    ConsoleId nextId_ = 1;
};

}  // namespace zarnevo
