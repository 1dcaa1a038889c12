// The timer object on a simulated clock and mouse.
#include "SimMachineFixture.h"
#include "widgets/clsTimer.h"

#include <memory>
#include <optional>

namespace {

class Timer : public SimMachineTest {
protected:
    sim::SimTimers& timers() { return machine.timers; }
};

// A period of 1 ms and more is the start's own; 0 and less ask for the Interval.
TEST_F(Timer, StartUsesItsArgumentOrTheInterval)
{
    clsTimer timer;
    EXPECT_EQ(timer.Interval(), 1000);
    const struct {
        std::int16_t argument;
        std::uint32_t period;
    } cases[] = {{10, 10}, {1, 1}, {0, 1000}, {-5, 1000}};
    for (const auto& c : cases) {
        timer.StartTimer(c.argument);
        EXPECT_EQ(timers().lastPeriod, c.period) << c.argument;
        EXPECT_EQ(timer.Interval(), 1000);
        timer.StopTimer();
    }
    EXPECT_EQ(timers().Running(), 0u);
}

TEST_F(Timer, TicksCountFromOneAndAStartOnARunningTimerChangesNothing)
{
    clsTimer timer;
    std::vector<std::int32_t> ticks;
    std::vector<std::int32_t> times;
    timer.OnTime = [&](std::int32_t Int_Ticks, std::int32_t DwTime) {
        ticks.push_back(Int_Ticks);
        times.push_back(DwTime);
    };
    timer.StartTimer(10);
    timers().Advance(25);
    timer.StartTimer(50);  // running: period and count go on
    EXPECT_EQ(timers().sets, 1);
    timers().Advance(10);
    EXPECT_EQ(ticks, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(times, (std::vector<std::int32_t>{10, 20, 30}));

    timer.StopTimer();
    timer.StopTimer();  // harmless
    EXPECT_EQ(timers().kills, 1);
    timers().Advance(100);
    EXPECT_EQ(ticks.size(), 3u);
    timer.StartTimer(10);
    timers().Advance(10);
    EXPECT_EQ(ticks.back(), 1);
    timers().Advance(400000);  // the count goes on past what 16 bits hold
    EXPECT_EQ(ticks.back(), 40001);
}

TEST_F(Timer, IntervalAndWindowWhileRunning)
{
    clsTimer timer;
    int ticks = 0;
    timer.OnTime = [&](std::int32_t, std::int32_t) { ++ticks; };
    timer.Hwnd(ui::WindowHandle{0x10});
    timer.StartTimer(0);
    timer.Hwnd(ui::WindowHandle{0x20});  // ignored while running
    EXPECT_EQ(timer.Hwnd(), ui::WindowHandle{0x10});

    timers().Advance(1000);
    timer.Interval(1000);  // the same value: the system timer is left alone
    EXPECT_EQ(timers().sets, 1);
    timer.Interval(100);  // a new period replaces the running timer, the count goes on
    EXPECT_EQ(timers().sets, 2);
    EXPECT_EQ(timers().lastPeriod, 100u);
    EXPECT_EQ(timers().Running(), 1u);
    std::int32_t last = 0;
    timer.OnTime = [&](std::int32_t Int_Ticks, std::int32_t) { last = Int_Ticks; };
    timers().Advance(100);
    EXPECT_EQ(last, 2);
    timer.StopTimer();
    timer.Hwnd(ui::WindowHandle{0x20});
    EXPECT_EQ(timer.Hwnd(), ui::WindowHandle{0x20});
}

TEST_F(Timer, WaitReturnsAfterTheNextTickWithTheTimerStopped)
{
    clsTimer timer;
    timer.Wait(30);
    EXPECT_EQ(timers().Now(), 30u);
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(timers().Running(), 0u);

    timer.Wait(0);
    EXPECT_EQ(timers().Now(), 1030u);

    timer.StartTimer(10);
    timers().Advance(5);
    timer.Wait(500);  // a running timer: its own next tick ends the wait
    EXPECT_EQ(timers().Now(), 10u + 1030u);
    EXPECT_FALSE(timer.Running());

    timers().failNextSet = true;  // no system timer: no tick would ever come
    timer.Wait(10);
    EXPECT_EQ(timers().Now(), 1040u);
}

TEST_F(Timer, AHandlerMayDestroyTheTimerDuringItsOwnTick)
{
    auto timer = std::make_unique<clsTimer>();
    int ticks = 0;
    timer->OnTime = [&](std::int32_t, std::int32_t) {
        ++ticks;
        timer.reset();
    };
    timer->StartTimer(10);
    timers().Advance(50);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timers().Running(), 0u);  // destruction stopped it

    // A timer its own tick replaces while someone waits on it: the wait ends
    // without touching the new timer that now stands in its place.
    std::optional<clsTimer> waited(std::in_place);
    waited->OnTime = [&](std::int32_t, std::int32_t) {
        waited.emplace();
        waited->StartTimer(10);
    };
    waited->Wait(30);
    EXPECT_TRUE(waited->Running());
    EXPECT_EQ(timers().Running(), 1u);
}

TEST_F(Timer, TimersTickIndependently)
{
    clsTimer fast, slow;
    int fastTicks = 0, slowTicks = 0;
    fast.OnTime = [&](std::int32_t, std::int32_t) { ++fastTicks; };
    slow.OnTime = [&](std::int32_t, std::int32_t) { ++slowTicks; };
    fast.StartTimer(10);
    slow.StartTimer(25);
    timers().Advance(50);
    EXPECT_EQ(fastTicks, 5);
    EXPECT_EQ(slowTicks, 2);
}

TEST_F(Timer, MouseOverIsTheWindowRightUnderTheCursor)
{
    clsTimer timer;
    machine.cursor.windows = {{10, 10, 20, 20, ui::WindowHandle{0x2}}, {0, 0, 100, 100, ui::WindowHandle{0x1}}};  // a child over its parent
    machine.cursor.cursor = {50, 50};
    EXPECT_TRUE(timer.isMouseOver(ui::WindowHandle{0x1}));
    machine.cursor.cursor = {15, 15};
    EXPECT_FALSE(timer.isMouseOver(ui::WindowHandle{0x1}));
    EXPECT_TRUE(timer.isMouseOver(ui::WindowHandle{0x2}));
    machine.cursor.cursorKnown = false;
    EXPECT_FALSE(timer.isMouseOver(ui::WindowHandle{0x2}));
}

// A timer on a window is known by the id it asked for, as on Windows: a wait
// on it takes one tick, and stopping it stops it.
TEST_F(Timer, AWindowsTimerWaitsForItsTickAndStops)
{
    clsTimer timer;
    int ticks = 0;
    timer.OnTime = [&](std::int32_t, std::int32_t) { ++ticks; };
    timer.Hwnd(ui::WindowHandle{0x1234});
    timer.Wait(30);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timers().Now(), 30u);
    EXPECT_EQ(timers().Running(), 0u);
}

}  // namespace
