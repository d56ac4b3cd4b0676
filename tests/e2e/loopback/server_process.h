#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

namespace zarnevo::e2e {

// Every wait in these tests gives up after this long, so a broken server fails a test instead of
// hanging it.
inline constexpr int kDeadlineMs = 15'000;

// The real zarnevo-server program, started on loopback with the given arguments.
class ServerProcess {
public:
    explicit ServerProcess(const QStringList& arguments);
    ~ServerProcess();

    // Waits until the program printed a line holding text (true), or ended or the deadline
    // passed (false).
    bool waitForOutput(const QString& text) { return waitFor(text, output_); }
    // The same for its log on stderr.
    bool waitForLog(const QString& text) { return waitFor(text, errors_); }
    // Waits for the program to end by itself; its exit code, or nothing at the deadline.
    std::optional<int> waitForExit();
    // Sends SIGTERM and waits; the exit code of a normal exit, or nothing.
    std::optional<int> terminate();

    QString output();  // everything printed on stdout so far
    QString errors();  // everything printed on stderr so far

private:
    void collect();
    bool waitFor(const QString& text, const QString& stream);

    QProcess process_;
    QString output_;
    QString errors_;
};

// A running server with a demo café on a free high port (999 + offset, offset chosen at random
// above 30000 and tried again when taken).
struct RunningServer {
    std::unique_ptr<ServerProcess> process;
    int portOffset = 0;
    quint16 consolePort() const { return static_cast<quint16>(999 + portOffset); }
};
RunningServer StartServer(const QStringList& extraArguments);

int RandomPortOffset();

}  // namespace zarnevo::e2e
