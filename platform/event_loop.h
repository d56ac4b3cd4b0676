#pragma once

#include <cstdint>
#include <functional>

namespace ui {
class Form;
}

namespace platform {

// The one event thread of the program. Handlers yield to it, pause on it and run modal windows
// inside it, exactly like the event loop of a classic desktop toolkit.
class EventLoop {
public:
    using TimerId = std::uint64_t;

    virtual ~EventLoop() = default;

    // Runs the events that are due now (socket arrivals, timer ticks, clicks) and returns.
    virtual void yield() = 0;
    // Waits for the given time without running other handlers (windows may repaint).
    virtual void pause(int milliseconds) = 0;
    // Shows the form and runs events until it is hidden or unloaded.
    virtual void runModal(ui::Form& form) = 0;
    // Ends every modal loop and the main loop: the program stops.
    virtual void quit(int exitCode) = 0;

    // A repeating timer: the callback runs every interval until stopped. Returns a non-zero id.
    virtual TimerId startTimer(int intervalMs, std::function<void()> callback) = 0;
    virtual void stopTimer(TimerId id) = 0;

    // Runs the callback once, as soon as the loop is idle (after the current handler returns).
    virtual void post(std::function<void()> callback) = 0;
};

}  // namespace platform
