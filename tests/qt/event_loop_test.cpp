#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <vector>

#include "qt/platform/event_loop.h"

namespace {

using TimerId = platform::EventLoop::TimerId;

// Runs events until the condition holds, for at most the given time.
template <typename Condition>
void RunUntil(Condition condition, int limitMs = 2000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// The receive path starts and stops a timer for every message it waits on, often from inside
// a pass the dispatcher yields to: a stopped timer must go at once (its callback and what that
// holds with it), or the console grows with every refresh.
TEST(QtEventLoopTest, StoppedTimersAreGoneWithTheirCallbacks) {
    qtplatform::QtEventLoop loop;
    const auto held = std::make_shared<int>(0);

    loop.stopTimer(loop.startTimer(1, [held] {}));
    EXPECT_EQ(held.use_count(), 1) << "stopped before it fired";

    int ownFirings = 0;
    TimerId own = 0;
    own = loop.startTimer(1, [&, held] {
        ++ownFirings;
        loop.stopTimer(own);
    });
    int outerFirings = 0;
    TimerId inner = loop.startTimer(1000, [held] {});
    TimerId outer = 0;
    outer = loop.startTimer(1, [&, held] {
        ++outerFirings;
        loop.stopTimer(outer);
        loop.yield();  // as the dispatcher does, with the timer already stopped
        loop.stopTimer(inner);
    });
    RunUntil([&] { return held.use_count() == 1; });
    EXPECT_EQ(held.use_count(), 1) << "stopped from its own callback or from another's";
    RunUntil([] { return false; }, 50);  // time for a stray firing
    EXPECT_EQ(ownFirings, 1);
    EXPECT_EQ(outerFirings, 1);
}

// A handler running during a pause (a supervision tick, a reply) may yield: the operator's input
// must still wait for the end of the pause, as it does in the pause itself.
TEST(QtEventLoopTest, InputStaysHeldInPassesYieldedToDuringAPause) {
    qtplatform::QtEventLoop loop;
    std::vector<bool> heldInTicks;
    TimerId tick = 0;
    tick = loop.startTimer(1, [&] {
        heldInTicks.push_back(loop.inputHeld());
        loop.yield();
        loop.stopTimer(tick);
    });
    loop.pause(100);
    EXPECT_EQ(heldInTicks, std::vector<bool>{true});
    EXPECT_FALSE(loop.inputHeld()) << "released when the pause ends";
}

}  // namespace
