#pragma once
// A timer object: each system tick raises OnTime on this object, and a one-shot
// test tells whether the mouse is over a given window. Its users poll that test
// on every tick to see when the mouse has left a control.
#include "ui/Timers.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class clsTimer : public ui::TimerTarget {
public:
    clsTimer();
    ~clsTimer() override;
    clsTimer(const clsTimer&) = delete;
    clsTimer& operator=(const clsTimer&) = delete;

    // The tick handler; public because the system's callback must reach it.
    void TimerProc(ui::WindowHandle Hwnd, std::uint32_t uMsg, std::uintptr_t idEvent, std::uint32_t DwTime);

    // The period StartTimer uses when given none; a change reaches a running timer at once.
    std::int16_t Interval() const { return m_Interval; }
    void Interval(std::int16_t int_interval);
    // The window the timer belongs to (0: the thread); fixed while the timer runs.
    ui::WindowHandle Hwnd() const { return m_Hwnd; }
    void Hwnd(ui::WindowHandle lng_hwnd);

    // Starts the timer unless it runs: the period is int_interval when it is 1 or
    // more, else Interval. The tick count starts again at 0.
    void StartTimer(std::int16_t int_interval);
    void StopTimer();
    // Returns after the next tick (other events run meanwhile), the timer stopped.
    void Wait(std::int16_t int_interval);
    // True when the window right under the mouse is exactly this one.
    bool isMouseOver(ui::WindowHandle Hwnd);

    bool Running() const { return m_Running; }

    // OnTime(Int_Ticks, DwTime): the ticks since the start (1 first), the system time.
    std::function<void(std::int32_t Int_Ticks, std::int32_t DwTime)> OnTime;

    void OnSystemTick(ui::WindowHandle window, std::uint32_t message, std::uintptr_t id,
                      std::uint32_t time) override;

private:
    void StartSystemTimer(std::uint32_t period);
    void KillSystemTimer();

    std::int16_t m_Interval = 1000;
    std::int32_t m_TickCount = 0;
    bool m_Running = false;
    std::optional<std::uintptr_t> m_TimerId;  // the system timer while one runs
    ui::WindowHandle m_Hwnd;
    bool m_Waiting = false;
    // Goes false when the object is destroyed, so a tick or a wait that outlives
    // it (a handler may release the object) touches nothing of it afterwards.
    std::shared_ptr<bool> m_Alive = std::make_shared<bool>(true);
};
