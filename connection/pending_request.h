#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kestova {

// A request a window sends to the server and waits for, counted in ticks of the window's own
// request timer: sent at tick 0 and every `resendEvery` ticks after, given up at `giveUpAt`
// unless a resend falls on it. The window keeps its timer, its texts and what it shows; the
// counting, the resends and the end of the wait are here, once for every window.
class PendingRequest {
public:
    // What a tick does while the server connection is down.
    enum class WhenLost {
        KeepCounting,  // the ticks go on (a resend simply is not sent)
        End,           // the wait ends at once and `lost` runs
        Hold,          // `lost` runs at every tick, and the request waits, its ticks held
    };
    struct Edges {
        int resendEvery = 5;
        int giveUpAt = 24;
        WhenLost whenLost = WhenLost::End;
    };
    struct Handlers {
        // The text to send at a resend tick; none when the request is no longer wanted.
        std::function<std::optional<std::string>()> request;
        // The give-up tick came without an answer.
        std::function<void()> timedOut;
        // The connection is down at a tick (see WhenLost); not needed with KeepCounting.
        std::function<void()> lost;
    };

    PendingRequest(Edges edges, Handlers handlers);

    // The request is wanted: its first text goes out at the next tick.
    void Start();
    // An answer, a cancel or a closed window: the wait is over.
    void End() { waiting_ = false; }
    bool IsWaiting() const { return waiting_; }
    // The server shows it is at work on the request: the count goes on from `tick`.
    void CountFrom(int tick) { ticks_ = tick; }
    // One tick of the window's request timer; nothing while no request waits.
    void Tick();

private:
    Edges edges_;
    Handlers handlers_;
    bool waiting_ = false;
    int ticks_ = 0;
};

}  // namespace kestova
