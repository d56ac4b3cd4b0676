#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace zarnevo {

// Turns SIGINT and SIGTERM into the Qt signal requested() on the event loop. The handler only
// writes one byte to a socket pair (the self-pipe pattern); everything else runs in the loop.
// One instance per program.
class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    // Throws std::runtime_error when the socket pair or the handlers cannot be installed.
    ShutdownSignals();
    ~ShutdownSignals() override;

    // The number of the signal that asked last (0 before any).
    int lastSignal() const { return lastSignal_; }

Q_SIGNALS:
    void requested();

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
    int lastSignal_ = 0;
};

}  // namespace zarnevo
