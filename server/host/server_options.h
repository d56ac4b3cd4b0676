#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>

#include "server/engine/engine.h"

namespace zarnevo {

// The console port is this base plus the port offset, as the console computes it.
inline constexpr int kConsolePortBase = 999;
// Where consoles look for a server.
inline constexpr int kDiscoveryPort = 999;

struct ServerOptions {
    int portOffset = 1;
    QHostAddress listen = QHostAddress(QHostAddress::LocalHost);
    bool discovery = false;
    int discoveryPort = kDiscoveryPort;
    EngineOptions engine;
    QString databasePath;  // a file, or ":memory:"

    int consolePort() const { return kConsolePortBase + portOffset; }
};

// What the command line asked for: options to run with, or a text to print and an exit code
// (help and version exit 0, a wrong option 2).
struct ExitRequest {
    QString text;
    int exitCode = 0;
};

// arguments include the program name first. defaultDatabasePath is used when --db is absent.
std::variant<ServerOptions, ExitRequest> ParseServerOptions(const QStringList& arguments,
                                                            const QString& defaultDatabasePath);

// The standard place for the server's database: the user's data folder + "/zarnevo/zarnevo.db".
QString DefaultDatabasePath();

}  // namespace zarnevo
