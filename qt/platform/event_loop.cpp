#include "qt/platform/event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "qt/binder/form_binding.h"
#include "ui/form.h"

namespace qtplatform {

// A timer stopped from its own callback goes once that callback has returned. Timers are deleted
// here rather than with deleteLater: the receive path starts and stops one for every message it
// waits on, mostly from inside the passes the dispatcher yields to, and those deferred deletions
// piled up (853 of 1,000 stopped timers still alive after 600 refreshes of a full café).
struct QtEventLoop::Timer {
    QTimer timer;
    int firing = 0;
    bool stopped = false;
};

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop() {
    for (auto& [id, timer] : timers_) {
        delete timer;
    }
}

void QtEventLoop::yield() {
    QCoreApplication::processEvents(inputHolds_ > 0 ? QEventLoop::ExcludeUserInputEvents
                                                    : QEventLoop::AllEvents);
}

void QtEventLoop::pause(int milliseconds) {
    if (quitting_ || milliseconds <= 0) {
        return;
    }
    // Timers, sockets and repaints go on (windows uncovered meanwhile are drawn, the connection
    // is served); the user's keys and clicks wait for the end of the pause.
    QEventLoop wait;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &wait, &QEventLoop::quit);
    nestedLoops_.push_back(&wait);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    nestedLoops_.pop_back();
}

void QtEventLoop::runModal(ui::Form& form) {
    auto* binding = dynamic_cast<FormBinding*>(form.view());
    QWidget* window = binding != nullptr ? binding->window() : nullptr;
    if (window == nullptr) {
        qWarning("kestova: form %s has no window to run modally", form.Name().c_str());
        return;
    }
    QEventLoop loop;
    QObject::connect(binding, &FormBinding::windowHidden, &loop, &QEventLoop::quit);
    // The window shows modal from the start (see FormBinding). Modality only takes effect when a
    // window is shown, so a window that was already on screen without it is shown again.
    if (window->windowModality() != Qt::ApplicationModal) {
        window->hide();
        window->setWindowModality(Qt::ApplicationModal);
    }
    if (form.Visible && form.IsLoaded()) {
        window->show();
        nestedLoops_.push_back(&loop);
        if (!quitting_) {
            loop.exec();
        }
        nestedLoops_.pop_back();
    }
    const bool stillShown = window->isVisible();
    window->hide();
    window->setWindowModality(Qt::NonModal);
    if (stillShown) {
        window->show();
    }
}

void QtEventLoop::quit(int exitCode) {
    quitting_ = true;
    for (QEventLoop* loop : nestedLoops_) {
        loop->exit(exitCode);
    }
    QCoreApplication::exit(exitCode);
}

platform::EventLoop::TimerId QtEventLoop::startTimer(int intervalMs,
                                                     std::function<void()> callback) {
    auto* timer = new Timer;
    timer->timer.setInterval(intervalMs);
    QObject::connect(&timer->timer, &QTimer::timeout, &timer->timer,
                     [timer, callback = std::move(callback)] {
                         ++timer->firing;
                         callback();
                         if (--timer->firing == 0 && timer->stopped) {
                             delete timer;  // Qt keeps this slot alive until it returns
                         }
                     });
    timer->timer.start();
    const TimerId id = nextTimerId_++;
    timers_[id] = timer;
    return id;
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    Timer* timer = it->second;
    timers_.erase(it);
    timer->timer.stop();
    if (timer->firing > 0) {
        timer->stopped = true;
    } else {
        delete timer;
    }
}

void QtEventLoop::post(std::function<void()> callback) {
    QTimer::singleShot(0, &context_, std::move(callback));
}

}  // namespace qtplatform
