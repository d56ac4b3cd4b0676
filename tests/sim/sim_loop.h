#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/event_loop.h"

namespace sim {

// Virtual milliseconds since the simulation started.
using Ms = std::int64_t;

// The event loop as a discrete-event simulation. Every event (a timer tick, a socket arrival, a
// scripted click) sits in one queue ordered by its due time and, at equal times, by the order it
// was scheduled. Virtual time only moves when a test advances it, a handler pauses or yields (a
// yield may be given a cost, see setYieldTime), or a modal loop waits for its next event, so a
// 25-second time-out is tested exactly and instantly. The operator's input is an event of its
// own kind: it waits while input is held (during a pause, or a hold a handler takes).
class SimLoop : public platform::EventLoop {
public:
    SimLoop() = default;
    SimLoop(const SimLoop&) = delete;
    SimLoop& operator=(const SimLoop&) = delete;

    // --- platform::EventLoop, as the program sees it ---
    // Moves the clock on by the yield time (0 unless a test sets it) and runs every event due by
    // then, including those the handlers add.
    void yield() override;
    // Moves the clock on, running the timer ticks and arrivals that fall due meanwhile; the
    // operator's input stays queued until the pause ends.
    void pause(int milliseconds) override;
    void holdInput() override { ++inputHolds_; }
    void releaseInput() override { --inputHolds_; }
    // Runs events, moving the clock to each, until the form is hidden or unloaded. Fails the test
    // when nothing is left that could close it (a deadlock) or when it stays open longer than the
    // modal time limit.
    void runModal(ui::Form& form) override;
    // Records the exit code; modal loops end and no further event runs.
    void quit(int exitCode) override;
    // A repeating timer ticking at start + n * interval. A tick never re-enters its own callback:
    // one that falls due while the callback still runs is skipped, as with the toolkit's timers.
    TimerId startTimer(int intervalMs, std::function<void()> callback) override;
    void stopTimer(TimerId id) override;
    void post(std::function<void()> callback) override;

    // --- test controls ---
    Ms now() const { return now_; }
    // Runs the action once, delayMs after now (a network event, a server's doing).
    void schedule(Ms delayMs, std::function<void()> action);
    // The same for the operator's input (a click, a keystroke): it waits while input is held.
    void scheduleInput(Ms delayMs, std::function<void()> action);
    // How much virtual time each yield takes, as a handler's work takes real time: with a cost,
    // arrivals due shortly after a handler started run inside its yields, as they would on a
    // busy machine.
    void setYieldTime(Ms ms) { yieldTime_ = ms; }
    bool inputHeld() const { return inputHolds_ > 0; }
    // Runs, in order, every event due up to now + ms, moving the clock to each; ends at now + ms.
    void advance(Ms ms);
    // Runs events until none is queued or maxMs has passed; true when the queue ran empty.
    bool runUntilIdle(Ms maxMs);
    // Runs events until the condition holds (checked before each event) or maxMs has passed.
    bool runUntil(const std::function<bool()>& condition, Ms maxMs);

    bool hasPendingEvents() const { return !queue_.empty(); }
    // The earliest event that may run now (held input passed over).
    std::optional<Ms> nextDueTime() const;
    std::size_t runningTimerCount() const { return timers_.size(); }
    bool isTimerRunning(TimerId id) const { return timers_.count(id) != 0; }
    int modalDepth() const { return modalDepth_; }
    bool quitRequested() const { return exitCode_.has_value(); }
    std::optional<int> exitCode() const { return exitCode_; }
    // How long a modal window may stay open before the test fails (virtual time).
    void setModalTimeLimit(Ms ms) { modalTimeLimit_ = ms; }

private:
    struct Timer {
        Ms interval;
        std::shared_ptr<std::function<void()>> callback;
        bool running = false;
        std::pair<Ms, std::uint64_t> queuedTick;
    };
    using Key = std::pair<Ms, std::uint64_t>;
    struct Event {
        std::function<void()> action;
        bool input = false;
    };

    void enqueue(Ms due, std::function<void()> action, bool input = false);
    // The first queued event that may run by `limit`, held input passed over.
    std::map<Key, Event>::iterator firstRunnable(Ms limit);
    void scheduleTick(TimerId id, Ms due);
    void fireTimer(TimerId id, Ms due);
    // Runs the first queued event if it is due by `limit`; false when there is none.
    bool runNext(Ms limit);

    Ms now_ = 0;
    std::uint64_t sequence_ = 0;
    std::map<Key, Event> queue_;
    int inputHolds_ = 0;
    Ms yieldTime_ = 0;
    std::map<TimerId, Timer> timers_;
    TimerId nextTimerId_ = 1;
    int modalDepth_ = 0;
    Ms modalTimeLimit_ = 4 * 60 * 60 * 1000;
    std::optional<int> exitCode_;
};

// Wall-clock time that follows the loop's virtual time from a fixed moment.
class SimClock : public platform::Clock {
public:
    // Monday 7 December 2026, 09:00:00 UTC.
    static std::chrono::system_clock::time_point defaultStart();

    explicit SimClock(const SimLoop& loop,
                      std::chrono::system_clock::time_point start = defaultStart());
    std::chrono::system_clock::time_point now() const override;
    std::int64_t monotonicMs() const override { return loop_.now(); }
    // Moves the wall clock (not the monotonic count), e.g. to cross midnight.
    void setWallClock(std::chrono::system_clock::time_point at);
    // The local time zone: UTC until a test sets an offset.
    std::chrono::seconds utcOffset(std::chrono::system_clock::time_point) const override {
        return utcOffset_;
    }
    void setUtcOffset(std::chrono::seconds offset) { utcOffset_ = offset; }

private:
    const SimLoop& loop_;
    std::chrono::system_clock::time_point start_;
    std::chrono::seconds utcOffset_{0};
};

}  // namespace sim
