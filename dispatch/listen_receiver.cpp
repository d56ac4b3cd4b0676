#include "dispatch/listen_receiver.h"

#include <algorithm>
#include <string>
#include <vector>

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
    StopSettleTimer();
}

void ListenReceiver::DataArrived() {
    if (main_.Listen == nullptr) {
        return;
    }
    assembler_.feed(main_.Listen->GetData(), NowMs());
    ArmSettleTimer();
}

// Waits until the burst is settled; nothing to wait for while only a digit or two of a group
// has come.
void ListenReceiver::ArmSettleTimer() {
    StopSettleTimer();
    const auto deadline = assembler_.settleDeadline();
    if (!deadline.has_value()) {
        return;
    }
    const int waitMs = static_cast<int>(std::max<std::int64_t>(*deadline - NowMs(), 1));
    settleTimer_ = Loop().startTimer(waitMs, [this] { Settled(); });
}

void ListenReceiver::Reset() {
    StopSettleTimer();
    assembler_.reset();
}

void ListenReceiver::Settled() {
    StopSettleTimer();
    const auto digits = assembler_.takeChunk(NowMs());
    if (!digits.has_value()) {
        ArmSettleTimer();  // a timer may fire a little early: wait for the rest
        return;
    }
    const std::vector<std::string> messages = wire::DecodeMessages(*digits);
    // Events that came in meanwhile run before this burst's replies, as they always have.
    Loop().yield();
    for (const std::string& message : messages) {
        DispatchMessage(main_, message);
    }
}

void ListenReceiver::StopSettleTimer() {
    if (settleTimer_ != 0) {
        Loop().stopTimer(settleTimer_);
        settleTimer_ = 0;
    }
}

}  // namespace kestova
