#pragma once

#include <QObject>
#include <map>
#include <memory>
#include <vector>

#include "platform/event_loop.h"

class QEventLoop;
class QTimer;

namespace qtplatform {

// The one event thread, on QCoreApplication's loop: timers are QTimers, a modal form runs a nested
// QEventLoop until its window is hidden, and a pause runs one that leaves the user's input queued
// (Qt delivers it at the next pass that accepts input).
class QtEventLoop : public platform::EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;

    void yield() override;
    void pause(int milliseconds) override;
    void holdInput() override { ++inputHolds_; }
    void releaseInput() override { --inputHolds_; }
    bool inputHeld() const { return inputHolds_ > 0; }
    void runModal(ui::Form& form) override;
    void quit(int exitCode) override;
    TimerId startTimer(int intervalMs, std::function<void()> callback) override;
    void stopTimer(TimerId id) override;
    void post(std::function<void()> callback) override;

private:
    struct Timer;
    QObject context_;  // receiver of posted callbacks; destroying it drops the pending ones
    std::map<TimerId, Timer*> timers_;
    TimerId nextTimerId_ = 1;
    // Modal runs and pauses in progress, innermost last: quitting ends them all.
    std::vector<QEventLoop*> nestedLoops_;
    bool quitting_ = false;
    int inputHolds_ = 0;
};

}  // namespace qtplatform
