// The timer object on real system timers and the real mouse, under Wine.
#include "ui/App.h"
#include "ui/Form.h"
#include "widgets/clsTimer.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace {

TEST(TimerWin32, TicksReachTheirOwnObjectsAndWaitReturns)
{
    test::DropPendingQuit();
    clsTimer fast, slow;
    std::int32_t fastTicks = 0, slowTicks = 0;
    fast.OnTime = [&](std::int32_t Int_Ticks, std::int32_t) { fastTicks = Int_Ticks; };
    slow.OnTime = [&](std::int32_t Int_Ticks, std::int32_t) { slowTicks = Int_Ticks; };
    fast.StartTimer(10);
    slow.Wait(120);  // other ticks run while it waits
    EXPECT_EQ(slowTicks, 1);
    EXPECT_FALSE(slow.Running());
    EXPECT_GE(fastTicks, 3);
    fast.StopTimer();
    const auto stoppedAt = fastTicks;
    Sleep(50);
    ui::DoEvents();
    EXPECT_EQ(fastTicks, stoppedAt);
}

TEST(TimerWin32, AHandlerMayDestroyTheTimerDuringItsOwnTick)
{
    test::DropPendingQuit();
    auto timer = std::make_unique<clsTimer>();
    int ticks = 0;
    timer->OnTime = [&](std::int32_t, std::int32_t) {
        ++ticks;
        timer.reset();
    };
    timer->StartTimer(5);
    for (int i = 0; i < 40 && timer; ++i) {
        Sleep(5);
        ui::DoEvents();
    }
    Sleep(30);
    ui::DoEvents();
    EXPECT_EQ(ticks, 1);
}

class Pad : public ui::Form {
public:
    Pad() : ui::Form(Design()) { child.Move(0, 0, 300, 300); }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Pad";
        design.ClientWidth = 1500;
        design.ClientHeight = 1500;
        design.BorderStyle = ui::vbBSNone;
        return design;
    }
    ui::PictureBox child{*this, "child"};
};

TEST(TimerWin32, MouseOverIsTheWindowRightUnderTheCursor)
{
    Pad pad;
    pad.Show();
    ui::DoEvents();
    RECT r{};
    GetWindowRect(ui::win::H(pad.hWnd()), &r);
    clsTimer timer;
    SetCursorPos(r.left + 70, r.top + 70);
    ui::DoEvents();
    EXPECT_TRUE(timer.isMouseOver(pad.hWnd()));
    SetCursorPos(r.left + 5, r.top + 5);  // over the child
    ui::DoEvents();
    EXPECT_FALSE(timer.isMouseOver(pad.hWnd()));
    EXPECT_TRUE(timer.isMouseOver(pad.child.hWnd()));
    pad.Unload();
}

// A timer on a window: the wait takes its tick, and once stopped it ticks no more.
TEST(TimerWin32, AWindowsTimerWaitsForItsTickAndStops)
{
    test::DropPendingQuit();
    Pad pad;
    ASSERT_TRUE(pad.Show());
    clsTimer timer;
    int ticks = 0;
    timer.OnTime = [&](std::int32_t, std::int32_t) { ++ticks; };
    timer.Hwnd(pad.hWnd());
    timer.Wait(20);
    EXPECT_EQ(ticks, 1);
    test::Pump(60);
    EXPECT_EQ(ticks, 1);
    pad.Unload();
    test::DropPendingQuit();
}

}  // namespace
