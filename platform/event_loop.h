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
    // Waits for the given time. Timer ticks and socket arrivals run as they fall due, so the
    // connection is served and the windows stay painted, but the operator's input waits until
    // the pause ends: no second command starts in the middle of a paced walk.
    virtual void pause(int milliseconds) = 0;
    // While held, the operator's input (keys, clicks, menu choices) waits in order until the
    // hold ends; everything else runs. Holds nest. A handler holds it while a command the
    // operator starts must not run inside it (see InputHold).
    virtual void holdInput() = 0;
    virtual void releaseInput() = 0;
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

// Holds the operator's input for its lifetime.
class InputHold {
public:
    explicit InputHold(EventLoop& loop) : loop_(loop) { loop_.holdInput(); }
    ~InputHold() { loop_.releaseInput(); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

private:
    EventLoop& loop_;
};

}  // namespace platform
