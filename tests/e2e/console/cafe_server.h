#pragma once

#include <QString>
#include <QtGlobal>
#include <map>
#include <memory>
#include <string>

#include "tests/e2e/loopback/server_process.h"

namespace kestova::e2e {

// The slot numbers and names of the clients a console shows: every slot holding a connected
// client, by slot number (the grid row).
using ClientNames = std::map<int, std::string>;

// zarnevo-server with a demo café on loopback, at a port offset a console can be pointed at:
// the console keeps its port offset in 16 bits, so the offset stays below 32768 (and off the
// multiples of five, at which the console would also knock at the discovery port). The café is
// slowed down so far that no computer comes or goes while a test looks at it, and a restart
// brings back the same café (same seed).
class CafeServer {
public:
    // `database`: where the server keeps its store (kept only in memory by default).
    explicit CafeServer(int slots, QString database = QStringLiteral(":memory:"));
    CafeServer(const CafeServer&) = delete;
    CafeServer& operator=(const CafeServer&) = delete;
    ~CafeServer();

    // Starts on a random free offset, trying another one when the port is taken.
    bool start();
    // Starts again on the same offset after stop(); waits a little while the port is still
    // held by the old listener.
    bool restart();
    // SIGTERM, then waits; true when the server ended normally.
    bool stop();

    int portOffset() const { return portOffset_; }
    quint16 consolePort() const;
    // What the server printed on stderr, for failure messages.
    std::string log() const;

private:
    bool launch();

    int slots_;
    QString database_;
    int portOffset_ = 0;
    std::unique_ptr<zarnevo::e2e::ServerProcess> process_;
    std::string lastLog_;  // the stopped server's log
};

// What the server reports to a console: a second console connects, greets, asks for the client
// list and reads one UPDATE record per slot. Empty when the server does not answer.
ClientNames ClientsOnServer(quint16 consolePort);

// JOHN signs in on a link of the test's own and sells a batch ("minutes|count|cost|..."): the
// first ticket's user name, empty when the server sold none.
std::string SellTickets(quint16 consolePort, const std::string& order);

}  // namespace kestova::e2e
