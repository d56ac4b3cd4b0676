// zarnevo-server: a stand-in for the café's management server, for demos, tests and trying the
// console by hand. It serves consoles on TCP port 999 + offset on loopback unless told otherwise.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

#include "server/db/sqlite_store.h"
#include "server/engine/demo_seed.h"
#include "server/host/discovery_responder.h"
#include "server/host/server_clock.h"
#include "server/host/server_host.h"
#include "server/host/server_options.h"
#include "server/host/shutdown_signals.h"

namespace {

void Say(const QString& line) {
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void Log(const std::string& line) {
    std::fprintf(stderr, "%s zarnevo-server: %s\n",
                 QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8().constData(),
                 line.c_str());
    std::fflush(stderr);
}

int Fail(const QString& line) {
    std::fprintf(stderr, "zarnevo-server: %s\n", line.toUtf8().constData());
    return 1;
}

QString WhyCannotListen(const QString& what, const QHostAddress& address, int port,
                        const QString& error) {
    QString text = QStringLiteral("cannot listen for %1 on %2 port %3: %4")
                       .arg(what, address.toString())
                       .arg(port)
                       .arg(error);
    if (port < 1024) {
        text += QStringLiteral(" (ports below 1024 may need administrator rights)");
    }
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zarnevo-server"));

    const auto parsed =
        zarnevo::ParseServerOptions(QCoreApplication::arguments(), zarnevo::DefaultDatabasePath());
    if (const auto* exit = std::get_if<zarnevo::ExitRequest>(&parsed)) {
        std::fprintf(exit->exitCode == 0 ? stdout : stderr, "%s\n",
                     exit->text.toUtf8().constData());
        return exit->exitCode;
    }
    const auto& options = std::get<zarnevo::ServerOptions>(parsed);

    std::unique_ptr<zarnevo::ShutdownSignals> shutdownSignals;
    std::unique_ptr<zarnevo::SqliteStore> store;
    try {
        zarnevo::InitCrypto();
        shutdownSignals = std::make_unique<zarnevo::ShutdownSignals>();
        if (options.databasePath != QStringLiteral(":memory:")) {
            QDir().mkpath(QFileInfo(options.databasePath).absolutePath());
        }
        store = std::make_unique<zarnevo::SqliteStore>(options.databasePath.toStdString());
        if (options.engine.demo) {
            zarnevo::SeedDemo(*store, options.engine.seed, zarnevo::ServerClock().nowMs());
        }
    } catch (const std::exception& error) {
        return Fail(QString::fromStdString(error.what()));
    }

    // The host owns the engine; it goes before the store closes (end of main, reverse order).
    std::optional<zarnevo::ServerHost> host;
    try {
        host.emplace(*store, options.engine, Log);
    } catch (const std::exception& error) {
        return Fail(QString::fromStdString(error.what()));
    }
    QString error;
    if (!host->listen(options.listen, static_cast<quint16>(options.consolePort()), error)) {
        return Fail(WhyCannotListen(QStringLiteral("consoles"), options.listen,
                                    options.consolePort(), error));
    }
    Say(QStringLiteral("zarnevo-server: listening for consoles on %1 port %2 (%3 client slots, "
                       "database %4)")
            .arg(options.listen.toString())
            .arg(options.consolePort())
            .arg(options.engine.slots)
            .arg(options.databasePath));

    zarnevo::DiscoveryResponder discovery(
        [&](const QString& serverIp) {
            return host->discoveryAnswer(serverIp, options.portOffset);
        },
        Log);
    if (options.discovery) {
        if (discovery.listen(options.listen, static_cast<quint16>(options.discoveryPort), error)) {
            Say(QStringLiteral("zarnevo-server: answering server searches on %1 port %2")
                    .arg(options.listen.toString())
                    .arg(options.discoveryPort));
        } else {
            Log(WhyCannotListen(QStringLiteral("server searches"), options.listen,
                                options.discoveryPort, error)
                    .toStdString() +
                "; going on without");
        }
    }
    if (options.engine.demo) {
        Say(
            QStringLiteral("zarnevo-server: demo café. Operators: ADMINISTRATOR/admin, "
                           "CLERK/clerk, GUEST/guest. POS staff: JOHN/john, MARY/mary."));
    }

    QObject::connect(shutdownSignals.get(), &zarnevo::ShutdownSignals::requested, &app,
                     &QCoreApplication::quit);
    const int code = app.exec();

    discovery.close();
    host->close();
    host.reset();
    store.reset();  // closes the database (the write-ahead log is checkpointed)
    Say(QStringLiteral("zarnevo-server: stopped (signal %1), database closed")
            .arg(shutdownSignals->lastSignal()));
    return code;
}
