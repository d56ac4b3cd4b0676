#include "tests/e2e/loopback/server_process.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <memory>

namespace zarnevo::e2e {

ServerProcess::ServerProcess(const QStringList& arguments) {
    process_.start(QStringLiteral(ZARNEVO_SERVER_PATH), arguments);
}

ServerProcess::~ServerProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(kDeadlineMs);
    }
}

void ServerProcess::collect() {
    output_ += QString::fromUtf8(process_.readAllStandardOutput());
    errors_ += QString::fromUtf8(process_.readAllStandardError());
}

bool ServerProcess::waitFor(const QString& text, const QString& stream) {
    QDeadlineTimer deadline(kDeadlineMs);
    while (true) {
        collect();
        if (stream.contains(text)) {
            return true;
        }
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired()) {
            return false;
        }
        // Either stream may have something new; wait briefly and look at both.
        process_.waitForReadyRead(
            static_cast<int>(std::min<qint64>(deadline.remainingTime(), 200)));
    }
}

std::optional<int> ServerProcess::waitForExit() {
    const bool ended =
        process_.state() == QProcess::NotRunning || process_.waitForFinished(kDeadlineMs);
    collect();
    if (!ended || process_.exitStatus() != QProcess::NormalExit) {
        return std::nullopt;
    }
    return process_.exitCode();
}

std::optional<int> ServerProcess::terminate() {
    process_.terminate();  // SIGTERM
    return waitForExit();
}

QString ServerProcess::output() {
    collect();
    return output_;
}

QString ServerProcess::errors() {
    collect();
    return errors_;
}

int RandomPortOffset() {
    return 30'000 + static_cast<int>(QRandomGenerator::global()->bounded(30'000));
}

RunningServer StartServer(const QStringList& extraArguments) {
    RunningServer server;
    for (int attempt = 0; attempt < 8; ++attempt) {
        server.portOffset = RandomPortOffset();
        QStringList arguments{QStringLiteral("--listen"), QStringLiteral("127.0.0.1"),
                              QStringLiteral("--port-offset"), QString::number(server.portOffset)};
        arguments += extraArguments;
        server.process = std::make_unique<ServerProcess>(arguments);
        if (server.process->waitForOutput(QStringLiteral("listening for consoles"))) {
            return server;
        }
        // Most likely the port was taken by someone else: try another one.
    }
    server.process.reset();
    return server;
}

}  // namespace zarnevo::e2e
