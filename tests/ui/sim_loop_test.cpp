// The simulated event loop is the ground every behaviour test stands on: these tests pin down the
// ordering and re-entrancy rules the windows rely on.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sim/sim_test.h"
#include "ui/form.h"

namespace {

using sim::Ms;

class SimLoopTest : public sim::SimTest {
protected:
    // Records what ran, and when.
    std::function<void()> note(std::string what) {
        return [this, what] { log.push_back(what + "@" + std::to_string(loop().now())); };
    }
    std::vector<std::string> log;
};

TEST_F(SimLoopTest, EventsDueAtTheSameTimeRunInTheOrderTheyWereScheduled) {
    loop().schedule(10, note("click"));
    loop().post(note("posted"));
    loop().schedule(10, note("arrival"));
    loop().schedule(5, note("early"));
    advance(10);
    EXPECT_EQ(log, (std::vector<std::string>{"posted@0", "early@5", "click@10", "arrival@10"}));
    EXPECT_EQ(loop().now(), 10);
}

TEST_F(SimLoopTest, AdvanceStopsAtItsTargetAndLeavesLaterEventsQueued) {
    loop().schedule(20, note("later"));
    advance(19);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(loop().now(), 19);
    EXPECT_EQ(loop().nextDueTime(), 20);
    advance(1);
    EXPECT_EQ(log, std::vector<std::string>{"later@20"});
}

TEST_F(SimLoopTest, YieldInsideAHandlerRunsTheOtherDueEventsBeforeTheHandlerGoesOn) {
    loop().schedule(5, [this] {
        log.push_back("handler starts");
        loop().post(note("posted by handler"));
        loop().yield();
        log.push_back("handler ends");
    });
    loop().schedule(5, note("queued behind handler"));
    advance(5);
    EXPECT_EQ(log, (std::vector<std::string>{"handler starts", "queued behind handler@5",
                                             "posted by handler@5", "handler ends"}));
}

TEST_F(SimLoopTest, APauseRunsTicksAndArrivalsButHoldsTheOperatorsInputUntilItEnds) {
    loop().schedule(100, note("arrival"));
    loop().scheduleInput(100, note("click"));
    loop().schedule(0, [this] {
        loop().pause(250);
        log.push_back("after pause@" + std::to_string(loop().now()));
    });
    advance(0);
    EXPECT_EQ(log, (std::vector<std::string>{"arrival@100", "after pause@250"}));
    yield();
    EXPECT_EQ(log.back(), "click@250") << "the click waited for the pause and then ran";
}

TEST_F(SimLoopTest, HeldInputWaitsAndKeepsItsOrder) {
    loop().scheduleInput(10, note("key"));
    loop().scheduleInput(20, note("click"));
    loop().schedule(30, note("arrival"));
    loop().holdInput();
    advance(40);
    EXPECT_EQ(log, std::vector<std::string>{"arrival@30"});
    loop().releaseInput();
    yield();
    EXPECT_EQ(log, (std::vector<std::string>{"arrival@30", "key@40", "click@40"}));
}

TEST_F(SimLoopTest, AYieldTimeLetsArrivalsDueDuringAHandlerRunInsideItsYields) {
    loop().setYieldTime(1);
    loop().schedule(0, [this] {
        log.push_back("handler starts");
        loop().yield();
        loop().yield();
        log.push_back("handler ends");
    });
    loop().schedule(2, note("arrival"));
    advance(0);
    EXPECT_EQ(log, (std::vector<std::string>{"handler starts", "arrival@2", "handler ends"}));
}

TEST_F(SimLoopTest, TimerTicksAtEveryMultipleOfItsInterval) {
    loop().startTimer(300, note("tick"));
    advance(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@300", "tick@600", "tick@900"}));
}

TEST_F(SimLoopTest, StoppedTimerNeverFiresAgainEvenWhenItsTickIsAlreadyDue) {
    platform::EventLoop::TimerId id = 0;
    // A handler due at the same instant as the tick, and ahead of it, stops the timer.
    loop().schedule(100, [&] { loop().stopTimer(id); });
    id = loop().startTimer(100, note("tick"));
    advance(1000);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(loop().runningTimerCount(), 0u);
    EXPECT_FALSE(loop().hasPendingEvents());
}

TEST_F(SimLoopTest, TimerStoppedInsideItsOwnCallbackTicksOnce) {
    platform::EventLoop::TimerId id = 0;
    int ticks = 0;
    id = loop().startTimer(50, [&] {
        ++ticks;
        loop().stopTimer(id);
    });
    advance(1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(loop().isTimerRunning(id));
}

TEST_F(SimLoopTest, TimerDoesNotReenterItsOwnCallbackFromANestedYield) {
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    loop().startTimer(10, [&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1) {
            // A long handler that yields while its own timer keeps falling due.
            for (int i = 0; i < 5; ++i) {
                loop().pause(10);
                loop().yield();
            }
        }
        --depth;
    });
    advance(100);
    EXPECT_EQ(deepest, 1);
    EXPECT_GT(ticks, 1);
}

TEST_F(SimLoopTest, TimerThatFellBehindDoesNotBurstToCatchUp) {
    int ticks = 0;
    // The first tick's handler takes a second: the ticks falling due meanwhile are skipped.
    loop().startTimer(100, [&] {
        if (++ticks == 1) {
            loop().pause(1000);
        }
    });
    advance(1101);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(loop().nextDueTime(), 1200) << "the next tick is a whole interval after the pause";
}

TEST_F(SimLoopTest, RunUntilIdleReportsWhetherTheQueueRanEmpty) {
    loop().schedule(30, note("once"));
    EXPECT_TRUE(loop().runUntilIdle(1000));
    EXPECT_EQ(loop().now(), 30);
    loop().startTimer(10, [] {});
    EXPECT_FALSE(loop().runUntilIdle(100));
    EXPECT_EQ(loop().now(), 130);
}

TEST_F(SimLoopTest, WallClockFollowsVirtualTimeFromAFixedMorning) {
    using namespace std::chrono;
    const auto start = clock().now();
    EXPECT_EQ(start, sys_days{year{2026} / December / 7} + hours{9});
    advance(90'000);
    EXPECT_EQ(clock().now() - start, seconds{90});
    EXPECT_EQ(clock().monotonicMs(), 90'000);
}

class ModalForm : public ui::Form {
public:
    ModalForm() : ui::Form("frmModal") {}
};

TEST_F(SimLoopTest, ModalLoopAdvancesToScriptedActionsAndReturnsWhenTheFormHides) {
    ModalForm form;
    afterMs(2000, [&] { form.Hide(); });
    form.Show(true);
    EXPECT_EQ(loop().now(), 2000);
    EXPECT_FALSE(form.IsModal());
    EXPECT_EQ(loop().modalDepth(), 0);
}

TEST_F(SimLoopTest, ModalLoopWithNothingScheduledFailsAsADeadlock) {
    ModalForm form;
    EXPECT_NONFATAL_FAILURE(form.Show(true), "Deadlock: modal window 'frmModal'");
}

TEST_F(SimLoopTest, ModalLoopThatNobodyClosesFailsAfterItsTimeLimit) {
    ModalForm form;
    loop().setModalTimeLimit(10'000);
    loop().startTimer(1000, [] {});
    EXPECT_NONFATAL_FAILURE(form.Show(true), "still open after 10000 ms");
}

TEST_F(SimLoopTest, QuitEndsNestedModalLoopsAndStopsFurtherEvents) {
    ModalForm outer;
    ModalForm inner;
    afterMs(10, [&] { inner.Show(true); });
    afterMs(20, [&] { loop().quit(3); });
    afterMs(30, note("after quit"));
    outer.Show(true);
    EXPECT_EQ(loop().exitCode(), 3);
    EXPECT_EQ(loop().modalDepth(), 0);
    advance(100);
    EXPECT_TRUE(log.empty());
}

}  // namespace
