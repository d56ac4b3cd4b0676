// The window timer drives supervision, request repeats and time-outs; its ticks must land at
// exact virtual times and follow the Interval/Enabled rules the windows are written against.
#include <gtest/gtest.h>

#include <vector>

#include "tests/sim/sim_test.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

class TimerForm : public ui::Form {
public:
    TimerForm() : ui::Form("frmTimer") {
        Timer1.Tick = [this] { ticks.push_back(platform::services().clock().monotonicMs()); };
    }
    ui::Timer Timer1{*this, "Timer1", 1000};
    std::vector<sim::Ms> ticks;
};

class TimerTest : public sim::SimTest {
protected:
    TimerForm form;
};

TEST_F(TimerTest, TicksOnlyOnceTheFormIsLoaded) {
    advance(5000);
    EXPECT_TRUE(form.ticks.empty());
    form.Show();
    advance(3000);
    EXPECT_EQ(form.ticks, (std::vector<sim::Ms>{6000, 7000, 8000}));
}

TEST_F(TimerTest, SettingTheIntervalRestartsTheCount) {
    form.Show();
    advance(1500);
    form.Timer1.SetInterval(1000);  // same value: the count still starts again
    advance(1500);
    EXPECT_EQ(form.ticks, (std::vector<sim::Ms>{1000, 2500}));
    form.Timer1.SetInterval(250);
    advance(600);
    EXPECT_EQ(form.ticks, (std::vector<sim::Ms>{1000, 2500, 3250, 3500}));
}

TEST_F(TimerTest, ReEnablingRestartsTheCountFromThatMoment) {
    form.Show();
    advance(700);
    form.Timer1.SetEnabled(false);
    advance(5000);
    EXPECT_TRUE(form.ticks.empty());
    form.Timer1.SetEnabled(true);
    advance(1000);
    EXPECT_EQ(form.ticks, std::vector<sim::Ms>{6700});
}

TEST_F(TimerTest, ZeroIntervalStopsTheTimer) {
    form.Show();
    form.Timer1.SetInterval(0);
    advance(10'000);
    EXPECT_TRUE(form.ticks.empty());
    EXPECT_EQ(loop().runningTimerCount(), 0u);
}

TEST_F(TimerTest, TimerDisabledInItsOwnTickNeverTicksAgain) {
    form.Timer1.Tick = [this] {
        form.ticks.push_back(loop().now());
        form.Timer1.SetEnabled(false);
    };
    form.Show();
    advance(10'000);
    EXPECT_EQ(form.ticks, std::vector<sim::Ms>{1000});
}

TEST_F(TimerTest, TimerRetimedInItsOwnTickUsesTheNewInterval) {
    form.Timer1.Tick = [this] {
        form.ticks.push_back(loop().now());
        form.Timer1.SetInterval(3000);
    };
    form.Show();
    advance(8000);
    EXPECT_EQ(form.ticks, (std::vector<sim::Ms>{1000, 4000, 7000}));
}

TEST_F(TimerTest, UnloadingTheFormStopsItsTimers) {
    form.Show();
    advance(1000);
    ASSERT_TRUE(form.Unload());
    advance(10'000);
    EXPECT_EQ(form.ticks, std::vector<sim::Ms>{1000});
    EXPECT_EQ(loop().runningTimerCount(), 0u);
}

TEST_F(TimerTest, DestroyedWindowLeavesNoTimerBehind) {
    {
        TimerForm shortLived;
        shortLived.Show();
        EXPECT_EQ(loop().runningTimerCount(), 1u);
    }
    EXPECT_EQ(loop().runningTimerCount(), 0u);
}

}  // namespace
