#pragma once

#include <cstdint>

#include "core/wire/receive.h"
#include "platform/event_loop.h"

namespace kestova {

class KestovaMain;

// The receive path of the server connection. The network may cut a message over several reads
// or join several in one, so the reads of one burst are gathered until the line has been quiet
// for the settle time; then the burst is decoded and each message goes to the dispatcher in the
// order the server sent it. A digit left over from a read waits for the next burst.
class ListenReceiver {
public:
    explicit ListenReceiver(KestovaMain& main);
    ~ListenReceiver();
    ListenReceiver(const ListenReceiver&) = delete;
    ListenReceiver& operator=(const ListenReceiver&) = delete;

    // The `DataArrival` of the server connection: takes the read and waits for the burst to end.
    void DataArrived();
    // Forgets a burst in progress: what a closed connection left half-sent has no meaning.
    void Reset();

private:
    void ArmSettleTimer();
    void Settled();
    void StopSettleTimer();

    KestovaMain& main_;
    wire::ReceiveAssembler assembler_;
    platform::EventLoop::TimerId settleTimer_ = 0;
};

}  // namespace kestova
