#include "tests/e2e/console/wait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace kestova::e2e {

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs) {
    constexpr int kLookEveryMs = 20;
    const QDeadlineTimer deadline(deadlineMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(kLookEveryMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

Driver::Driver(std::function<bool()> step) : step_(std::move(step)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (running_) {
            return;
        }
        running_ = true;
        const bool done = step_();
        running_ = false;
        if (done) {
            timer_.stop();
        }
    });
    timer_.start(50);
}

}  // namespace kestova::e2e
