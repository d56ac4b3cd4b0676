#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/wire/receive.h"
#include "platform/event_loop.h"

namespace kestova {

class KestovaMain;
class ServerLink;

// The receive path of the server connection: reads become whole messages (wire::ReplyReader),
// and whole messages go to the dispatcher strictly in the order they arrived, one at a time. A
// handler may let events run; a message that becomes whole meanwhile waits in the queue until the
// handler returns, so an older client record never overwrites a newer one. While messages are
// dispatched the operator's input waits, so no command the operator starts runs inside a
// handler; a handler that must open a window or a box of its own does so after the dispatch
// (AfterDispatch, ShowBoxAfterDispatch), never inside one: a window open inside a dispatch would
// hold every later message, keep-alive probes among them, until it closed.
class ListenReceiver {
public:
    // `server` reaches the server connection the reads come from (the program's one link); the
    // messages are dispatched for `main`.
    ListenReceiver(KestovaMain& main, std::function<ServerLink&()> server);
    ~ListenReceiver();
    ListenReceiver(const ListenReceiver&) = delete;
    ListenReceiver& operator=(const ListenReceiver&) = delete;

    // The `DataArrival` of the server connection.
    void DataArrived();
    // The connection changed: forgets what the last one left half-sent and what is queued.
    void Reset();
    // Runs the callback outside any dispatch: at once when none runs, otherwise once the queue
    // has been handled.
    void AfterDispatch(std::function<void()> callback);
    // Shows a box a reply asks for outside any dispatch, one box at a time in the order asked:
    // while one is open, messages go on being dispatched and the boxes they ask for wait their
    // turn. A server that asks for more than kMostWaitingBoxes at once has the rest dropped.
    void ShowBoxAfterDispatch(std::function<void()> box);
    static constexpr std::size_t kMostWaitingBoxes = 100;

private:
    void TakeWholeMessages();
    void ArmTimer();
    void StopTimer();
    void DispatchQueued();
    void RunAfterDispatch();
    void ShowWaitingBoxes();

    KestovaMain& main_;
    std::function<ServerLink&()> server_;
    wire::ReplyReader reader_;
    std::deque<std::string> queue_;
    std::vector<std::function<void()>> afterDispatch_;
    std::deque<std::function<void()>> boxes_;
    bool dispatching_ = false;
    bool boxOpen_ = false;
    platform::EventLoop::TimerId timer_ = 0;
};

}  // namespace kestova
