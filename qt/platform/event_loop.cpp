#include "qt/platform/event_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "qt/binder/form_binding.h"
#include "ui/form.h"

namespace qtplatform {

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop() {
    for (auto& [id, timer] : timers_) {
        delete timer;
    }
}

void QtEventLoop::yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventLoop::pause(int milliseconds) {
    // Sleeps in short slices and, between them, delivers only the windows' pending repaint
    // requests: unlike processEvents this runs no timer, socket, input or posted handler, so the
    // caller's logic is not re-entered while it waits, yet a label changed just before the pause
    // still appears on screen.
    constexpr int kSliceMs = 10;
    QElapsedTimer elapsed;
    elapsed.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - elapsed.elapsed()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kSliceMs)));
    }
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
    // Modality only takes effect when a window is shown, so a window already on screen is shown
    // again as application-modal.
    window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    if (form.Visible && form.IsLoaded()) {
        window->show();
        modalLoops_.push_back(&loop);
        if (!quitting_) {
            loop.exec();
        }
        modalLoops_.pop_back();
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
    for (QEventLoop* loop : modalLoops_) {
        loop->exit(exitCode);
    }
    QCoreApplication::exit(exitCode);
}

platform::EventLoop::TimerId QtEventLoop::startTimer(int intervalMs,
                                                     std::function<void()> callback) {
    auto* timer = new QTimer;
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(callback));
    timer->start();
    const TimerId id = nextTimerId_++;
    timers_[id] = timer;
    return id;
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    // A timer is often stopped from its own callback: delete it once that callback has returned.
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

void QtEventLoop::post(std::function<void()> callback) {
    QTimer::singleShot(0, &context_, std::move(callback));
}

}  // namespace qtplatform
