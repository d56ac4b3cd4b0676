#include "dispatch/listen_receiver.h"

#include <algorithm>

#include "console/kestova_main.h"
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

ListenReceiver::ListenReceiver(KestovaMain& main) : main_(main) {}

ListenReceiver::~ListenReceiver() {
    StopTimer();
}

void ListenReceiver::DataArrived() {
    if (main_.Listen == nullptr) {
        return;
    }
    reader_.feed(main_.Listen->GetData(), NowMs());
    TakeWholeMessages();
}

void ListenReceiver::TakeWholeMessages() {
    StopTimer();
    const std::int64_t now = NowMs();
    std::vector<std::string> messages = reader_.take(now);
    if (!messages.empty()) {
        askedAtMs_.reset();
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
    for (auto& callback : std::exchange(afterDispatch_, {})) {
        Loop().post(std::move(callback));
    }
}

void ListenReceiver::Reset() {
    StopTimer();
    reader_.reset();
    queue_.clear();
    askedAtMs_.reset();
}

void ListenReceiver::RequestSent() {
    if (!askedAtMs_.has_value()) {
        askedAtMs_ = NowMs();
    }
}

std::int64_t ListenReceiver::UnansweredMs() const {
    return askedAtMs_.has_value() ? NowMs() - *askedAtMs_ : 0;
}

void ListenReceiver::AfterDispatch(std::function<void()> callback) {
    if (dispatching_) {
        afterDispatch_.push_back(std::move(callback));
    } else {
        callback();
    }
}

}  // namespace kestova
