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

}  // namespace kestova::e2e
