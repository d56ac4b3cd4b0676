#include "server/host/server_options.h"

#include <QCommandLineParser>
#include <QStandardPaths>
#include <cmath>
#include <limits>

namespace zarnevo {
namespace {

// Reads a whole number within [low, high], or sets error.
std::int64_t ReadNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                        std::int64_t fallback, std::int64_t low, std::int64_t high,
                        QString& error) {
    if (!parser.isSet(option)) {
        return fallback;
    }
    bool ok = false;
    const auto value = parser.value(option).toLongLong(&ok);
    if (!ok || value < low || value > high) {
        error = QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                    .arg(option.names().constFirst())
                    .arg(low)
                    .arg(high)
                    .arg(parser.value(option));
    }
    return value;
}

}  // namespace

QString DefaultDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zarnevo/zarnevo.db");
}

std::variant<ServerOptions, ExitRequest> ParseServerOptions(const QStringList& arguments,
                                                            const QString& defaultDatabasePath) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A stand-in for the café's management server: it serves Kestova consoles on TCP port "
        "999 + offset, simulates the café's client computers and keeps operators, POS staff, "
        "tickets and sales in an SQLite database."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption portOffset(
        QStringLiteral("port-offset"),
        QStringLiteral("Serve consoles on port 999 + N (default 1, so port 1000)."),
        QStringLiteral("N"));
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Listen on this address only (default 127.0.0.1; 0.0.0.0 opens the "
                       "server to the network)."),
        QStringLiteral("ADDRESS"));
    const QCommandLineOption discovery(
        QStringLiteral("discovery"),
        QStringLiteral("Also answer consoles searching for a server on port 999."));
    const QCommandLineOption discoveryPort(
        QStringLiteral("discovery-port"),
        QStringLiteral("Answer the search on this port instead of 999 (for testing)."),
        QStringLiteral("PORT"));
    const QCommandLineOption slotCount(QStringLiteral("slots"),
                                       QStringLiteral("Client computers of the café (default 20)."),
                                       QStringLiteral("N"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("A lively demo café: demo accounts, clients that come and go, sales."));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the demo café (default 1)."),
                                  QStringLiteral("N"));
    const QCommandLineOption speed(QStringLiteral("speed"),
                                   QStringLiteral("Simulated seconds per real second (default 1)."),
                                   QStringLiteral("X"));
    const QCommandLineOption posWindow(
        QStringLiteral("pos-window"),
        QStringLiteral("The window POS staff work in: \"generation\" (tickets are sold and "
                       "printed) or \"operations\" (tickets are activated); kept in the database."),
        QStringLiteral("WINDOW"));
    const QCommandLineOption database(
        QStringLiteral("db"),
        QStringLiteral("The SQLite database (default %1; \":memory:\" keeps nothing).")
            .arg(defaultDatabasePath),
        QStringLiteral("PATH"));
    parser.addOptions({help, version, portOffset, listen, discovery, discoveryPort, slotCount, demo,
                       seed, speed, posWindow, database});

    if (!parser.parse(arguments)) {
        return ExitRequest{parser.errorText() + QStringLiteral("\nTry --help."), 2};
    }
    if (parser.isSet(help)) {
        return ExitRequest{parser.helpText(), 0};
    }
    if (parser.isSet(version)) {
        return ExitRequest{QStringLiteral("zarnevo-server %1.%2.%3")
                               .arg(KESTOVA_VERSION_MAJOR)
                               .arg(KESTOVA_VERSION_MINOR)
                               .arg(KESTOVA_VERSION_PATCH),
                           0};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return ExitRequest{QStringLiteral("unexpected argument \"%1\"\nTry --help.")
                               .arg(parser.positionalArguments().constFirst()),
                           2};
    }

    ServerOptions options;
    QString error;
    options.portOffset =
        static_cast<int>(ReadNumber(parser, portOffset, 1, 1, 65535 - kConsolePortBase, error));
    options.discovery = parser.isSet(discovery);
    options.discoveryPort =
        static_cast<int>(ReadNumber(parser, discoveryPort, kDiscoveryPort, 1, 65535, error));
    options.engine.slots = static_cast<int>(ReadNumber(parser, slotCount, 20, 1, 255, error));
    options.engine.demo = parser.isSet(demo);
    if (parser.isSet(posWindow)) {
        const QString window = parser.value(posWindow);
        if (window != QStringLiteral("generation") && window != QStringLiteral("operations")) {
            error = QStringLiteral(
                        "--pos-window takes \"generation\" or \"operations\", not "
                        "\"%1\"")
                        .arg(window);
        }
        options.engine.posGeneration = window == QStringLiteral("generation");
    }
    options.engine.seed = static_cast<std::uint64_t>(
        ReadNumber(parser, seed, 1, 0, std::numeric_limits<std::int64_t>::max(), error));
    if (parser.isSet(speed)) {
        bool ok = false;
        options.engine.speed = parser.value(speed).toDouble(&ok);
        if (!ok || !std::isfinite(options.engine.speed) || options.engine.speed <= 0 ||
            options.engine.speed > 10000) {
            error = QStringLiteral("--speed takes a number above 0 and up to 10000, not \"%1\"")
                        .arg(parser.value(speed));
        }
    }
    if (parser.isSet(listen) && !options.listen.setAddress(parser.value(listen))) {
        error =
            QStringLiteral("--listen takes an IP address, not \"%1\"").arg(parser.value(listen));
    }
    options.databasePath = parser.isSet(database) ? parser.value(database) : defaultDatabasePath;
    if (options.databasePath.isEmpty()) {
        error = QStringLiteral("--db takes a file path or \":memory:\"");
    }
    if (options.discovery && options.discoveryPort == options.consolePort()) {
        error = QStringLiteral(
                    "the console port %1 would be the discovery port too; choose "
                    "another --port-offset")
                    .arg(options.consolePort());
    }
    if (!error.isEmpty()) {
        return ExitRequest{error + QStringLiteral("\nTry --help."), 2};
    }
    return options;
}

}  // namespace zarnevo
