#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "server/engine/engine.h"
#include "server/host/message_assembler.h"
#include "server/host/server_clock.h"

class QTcpSocket;

namespace zarnevo {

// The network side of zarnevo-server: accepts any number of consoles on the console port, turns
// each connection's digits into single messages for the engine, encodes the engine's replies
// (one write each) and drives the engine's clock. Every engine call is guarded: a fault in one
// request is logged and the server goes on.
class ServerHost : public QObject {
    Q_OBJECT
public:
    using Log = std::function<void(const std::string&)>;

    static constexpr int kTickMs = 250;
    // A console that lets this much of our output pile up unread is dropped.
    static constexpr qint64 kMaxUnsentBytes = 8 * 1024 * 1024;

    ServerHost(Store& store, const EngineOptions& options, Log log, QObject* parent = nullptr);
    ~ServerHost() override;

    // Opens the console port; on failure returns false and says why in error.
    bool listen(const QHostAddress& address, quint16 port, QString& error);
    // Closes the port and every console connection.
    void close();

    std::size_t consoleCount() const { return consoles_.size(); }
    // The answer to a console's search, naming serverIp as the server's address.
    std::string discoveryAnswer(const QString& serverIp, int portOffset) const;

private:
    struct Console;
    class EngineOutbox;

    void acceptConsoles();
    void readConsole(ConsoleId id);
    void sendToConsole(ConsoleId id, const std::string& plainMessage);
    // Forgets the console and tells the engine; always runs from the event loop, never inside
    // an engine call.
    void closeConsole(ConsoleId id, const char* why);
    void scheduleClose(ConsoleId id, const char* why);
    void tick();
    void deliver(ConsoleId id, const std::string& message, std::int64_t nowMs);
    template <typename Call>
    void guarded(const char* what, Call&& call);

    Log log_;
    ServerClock clock_;
    std::unique_ptr<EngineOutbox> outbox_;
    std::unique_ptr<Engine> engine_;
    QTcpServer server_;
    QTimer ticker_;
    std::map<ConsoleId, std::unique_ptr<Console>> consoles_;
    ConsoleId nextId_ = 1;
};

}  // namespace zarnevo
