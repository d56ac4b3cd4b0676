#include "tests/sim/sim_loop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/form.h"

namespace sim {

void SimLoop::enqueue(Ms due, std::function<void()> action, bool input) {
    queue_.emplace(Key{due, sequence_++}, Event{std::move(action), input});
}

void SimLoop::schedule(Ms delayMs, std::function<void()> action) {
    enqueue(now_ + std::max<Ms>(delayMs, 0), std::move(action));
}

void SimLoop::scheduleInput(Ms delayMs, std::function<void()> action) {
    enqueue(now_ + std::max<Ms>(delayMs, 0), std::move(action), true);
}

void SimLoop::post(std::function<void()> callback) {
    enqueue(now_, std::move(callback));
}

std::map<SimLoop::Key, SimLoop::Event>::iterator SimLoop::firstRunnable(Ms limit) {
    auto it = queue_.begin();
    while (it != queue_.end() && it->first.first <= limit && it->second.input && inputHeld()) {
        ++it;
    }
    return it != queue_.end() && it->first.first <= limit ? it : queue_.end();
}

std::optional<Ms> SimLoop::nextDueTime() const {
    for (const auto& [key, event] : queue_) {
        if (!event.input || !inputHeld()) {
            return key.first;
        }
    }
    return std::nullopt;
}

bool SimLoop::runNext(Ms limit) {
    if (quitRequested()) {
        return false;
    }
    const auto next = firstRunnable(limit);
    if (next == queue_.end()) {
        return false;
    }
    now_ = std::max(now_, next->first.first);
    std::function<void()> action = std::move(next->second.action);
    queue_.erase(next);
    action();
    return true;
}

void SimLoop::yield() {
    const Ms until = now_ + yieldTime_;
    while (runNext(until)) {
    }
    now_ = std::max(now_, until);
}

void SimLoop::pause(int milliseconds) {
    const Ms until = now_ + std::max(milliseconds, 0);
    holdInput();
    while (runNext(until)) {
    }
    releaseInput();
    now_ = std::max(now_, until);
}

void SimLoop::advance(Ms ms) {
    const Ms target = now_ + std::max<Ms>(ms, 0);
    while (runNext(target)) {
    }
    now_ = std::max(now_, target);
}

bool SimLoop::runUntilIdle(Ms maxMs) {
    const Ms limit = now_ + std::max<Ms>(maxMs, 0);
    while (runNext(limit)) {
    }
    if (!queue_.empty()) {
        now_ = std::max(now_, limit);
    }
    return queue_.empty();
}

bool SimLoop::runUntil(const std::function<bool()>& condition, Ms maxMs) {
    const Ms limit = now_ + std::max<Ms>(maxMs, 0);
    while (!condition()) {
        if (!runNext(limit)) {
            now_ = std::max(now_, limit);
            return condition();
        }
    }
    return true;
}

void SimLoop::runModal(ui::Form& form) {
    ++modalDepth_;
    const Ms opened = now_;
    while (form.IsLoaded() && form.Visible && !quitRequested()) {
        if (!nextDueTime().has_value()) {
            ADD_FAILURE() << "Deadlock: modal window '" << form.Name() << "' is open at " << now_
                          << " ms and nothing is scheduled that could close it";
            break;
        }
        if (*nextDueTime() - opened > modalTimeLimit_) {
            ADD_FAILURE() << "Modal window '" << form.Name() << "' is still open after "
                          << modalTimeLimit_ << " ms of virtual time; nothing closed it";
            break;
        }
        runNext(*nextDueTime());
    }
    --modalDepth_;
}

void SimLoop::quit(int exitCode) {
    if (!exitCode_) {
        exitCode_ = exitCode;
    }
}

platform::EventLoop::TimerId SimLoop::startTimer(int intervalMs, std::function<void()> callback) {
    const TimerId id = nextTimerId_++;
    // A zero interval would tick forever at one instant; the toolkit runs it once per pass.
    const Ms interval = std::max(intervalMs, 1);
    timers_.emplace(
        id, Timer{interval, std::make_shared<std::function<void()>>(std::move(callback)), false,
                  Key{}});
    scheduleTick(id, now_ + interval);
    return id;
}

void SimLoop::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    queue_.erase(it->second.queuedTick);
    timers_.erase(it);
}

void SimLoop::scheduleTick(TimerId id, Ms due) {
    const Key key{due, sequence_++};
    queue_.emplace(key, Event{[this, id, due] { fireTimer(id, due); }});
    timers_.at(id).queuedTick = key;
}

void SimLoop::fireTimer(TimerId id, Ms due) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    Timer& timer = it->second;
    // Like the toolkit: the next tick follows the last one, unless the loop fell behind.
    Ms next = due + timer.interval;
    if (next < now_) {
        next = now_ + timer.interval;
    }
    scheduleTick(id, next);
    if (timer.running) {
        return;
    }
    // Keep the callback alive even if it stops (and so erases) its own timer.
    const std::shared_ptr<std::function<void()>> callback = timer.callback;
    timer.running = true;
    (*callback)();
    if (const auto still = timers_.find(id); still != timers_.end()) {
        still->second.running = false;
    }
}

std::chrono::system_clock::time_point SimClock::defaultStart() {
    using namespace std::chrono;
    return sys_days{year{2026} / December / 7} + hours{9};
}

SimClock::SimClock(const SimLoop& loop, std::chrono::system_clock::time_point start)
    : loop_(loop), start_(start) {}

std::chrono::system_clock::time_point SimClock::now() const {
    return start_ + std::chrono::milliseconds{loop_.now()};
}

void SimClock::setWallClock(std::chrono::system_clock::time_point at) {
    start_ = at - std::chrono::milliseconds{loop_.now()};
}

}  // namespace sim
