#pragma once

#include <QTimer>
#include <functional>

namespace kestova::e2e {

// Every wait in these tests gives up after this long, so a console that never gets there fails
// the test instead of hanging it.
inline constexpr int kWaitMs = 20'000;

// Runs the event loop, looking at the condition every 20 ms, until it holds (true) or the
// deadline passes (false). The console's timers, sockets and windows run meanwhile.
bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = kWaitMs);

// Runs a step every 50 ms from the event loop, inside whatever modal windows show, until it
// returns true; a step is never entered again while it runs.
class Driver {
public:
    explicit Driver(std::function<bool()> step);

private:
    std::function<bool()> step_;
    QTimer timer_;
    bool running_ = false;
};

}  // namespace kestova::e2e
