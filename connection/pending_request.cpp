#include "connection/pending_request.h"

#include <utility>

#include "connection/server_link.h"

namespace kestova {

PendingRequest::PendingRequest(Edges edges, Handlers handlers)
    : edges_(edges), handlers_(std::move(handlers)) {}

void PendingRequest::Start() {
    // Counted from 0 for every request: the first goes out at once, whatever ended the last.
    ticks_ = 0;
    waiting_ = true;
}

void PendingRequest::Tick() {
    if (!waiting_) {
        return;
    }
    if (edges_.whenLost != WhenLost::KeepCounting && !Server().IsConnected()) {
        if (edges_.whenLost == WhenLost::End) {
            waiting_ = false;
        }
        handlers_.lost();
        return;
    }
    if (ticks_ % edges_.resendEvery == 0) {
        if (const std::optional<std::string> text = handlers_.request()) {
            Server().Send(*text);
        }
    } else if (ticks_ >= edges_.giveUpAt) {
        waiting_ = false;
        handlers_.timedOut();
        return;
    }
    ++ticks_;
}

}  // namespace kestova
