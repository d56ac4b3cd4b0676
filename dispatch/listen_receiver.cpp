#include "dispatch/listen_receiver.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "connection/server_link.h"
#include "dispatch/dispatcher.h"
#include "platform/services.h"

namespace kestova {
namespace {

platform::EventLoop& Loop() {
    return platform::services().loop();
}
std::int64_t NowMs() {
    return platform::services().clock().monotonicMs();
}

}  // namespace

ListenReceiver::ListenReceiver(KestovaMain& main, std::function<ServerLink&()> server)
    : main_(main), server_(std::move(server)) {}

ListenReceiver::~ListenReceiver() {
    StopTimer();
}

void ListenReceiver::DataArrived() {
    reader_.feed(server_().Read(), NowMs());
    TakeWholeMessages();
}

void ListenReceiver::TakeWholeMessages() {
    StopTimer();
    const std::int64_t now = NowMs();
    std::vector<std::string> messages = reader_.take(now);
    if (!messages.empty()) {
        server_().Heard();
    }
    std::move(messages.begin(), messages.end(), std::back_inserter(queue_));
    ArmTimer();
    DispatchQueued();
}

// Comes back when a message waiting for its settle time or for its rest is due.
void ListenReceiver::ArmTimer() {
    const auto deadline = reader_.deadline();
    if (!deadline.has_value()) {
        return;
    }
    const int waitMs = static_cast<int>(std::max<std::int64_t>(*deadline - NowMs(), 1));
    timer_ = Loop().startTimer(waitMs, [this] { TakeWholeMessages(); });
}

void ListenReceiver::StopTimer() {
    if (timer_ != 0) {
        Loop().stopTimer(timer_);
        timer_ = 0;
    }
}

void ListenReceiver::DispatchQueued() {
    if (dispatching_ || queue_.empty()) {
        return;
    }
    dispatching_ = true;
    {
        platform::InputHold hold(Loop());
        // Events that came in meanwhile run before the replies, as they always have.
        Loop().yield();
        while (!queue_.empty()) {
            const std::string message = std::move(queue_.front());
            queue_.pop_front();
            DispatchMessage(main_, message);
        }
    }
    dispatching_ = false;
    if (!afterDispatch_.empty() || !boxes_.empty()) {
        Loop().post([this] { RunAfterDispatch(); });
    }
}

void ListenReceiver::RunAfterDispatch() {
    // Run from inside a dispatch that began meanwhile (in one of its yields): the end of that
    // dispatch comes back here.
    if (dispatching_) {
        return;
    }
    for (auto& callback : std::exchange(afterDispatch_, {})) {
        callback();
    }
    ShowWaitingBoxes();
}

void ListenReceiver::ShowWaitingBoxes() {
    // The box on show takes the next when it closes.
    if (boxOpen_) {
        return;
    }
    boxOpen_ = true;
    while (!boxes_.empty()) {
        const std::function<void()> box = std::move(boxes_.front());
        boxes_.pop_front();
        box();
    }
    boxOpen_ = false;
}

void ListenReceiver::Reset() {
    StopTimer();
    reader_.reset();
    queue_.clear();
}

void ListenReceiver::AfterDispatch(std::function<void()> callback) {
    if (dispatching_) {
        afterDispatch_.push_back(std::move(callback));
    } else {
        callback();
    }
}

void ListenReceiver::ShowBoxAfterDispatch(std::function<void()> box) {
    if (boxes_.size() >= kMostWaitingBoxes) {
        std::fprintf(stderr, "kestova: dropped a box the server asked for: %zu wait already\n",
                     boxes_.size());
        return;
    }
    boxes_.push_back(std::move(box));
    if (!dispatching_) {
        ShowWaitingBoxes();
    }
}

}  // namespace kestova
