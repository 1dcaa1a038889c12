#include "clsTimer.h"

#include "ui/Services.h"

#include <limits>

clsTimer::clsTimer() = default;

clsTimer::~clsTimer()
{
    StopTimer();
    *m_Alive = false;
}

void clsTimer::StartSystemTimer(std::uint32_t period)
{
    m_TimerId = ui::CurrentServices().timers.Set(m_Hwnd, 0, period, *this);
}

void clsTimer::KillSystemTimer()
{
    if (m_TimerId)
        ui::CurrentServices().timers.Kill(m_Hwnd, *m_TimerId);
    m_TimerId.reset();
}

void clsTimer::Interval(std::int16_t int_interval)
{
    if (int_interval == m_Interval)
        return;
    m_Interval = int_interval;
    if (m_Running) {
        KillSystemTimer();
        StartSystemTimer(static_cast<std::uint32_t>(static_cast<std::uint16_t>(m_Interval)));
    }
}

void clsTimer::Hwnd(ui::WindowHandle lng_hwnd)
{
    if (!m_Running)
        m_Hwnd = lng_hwnd;
}

void clsTimer::StartTimer(std::int16_t int_interval)
{
    if (m_Running)
        return;
    m_TickCount = 0;
    m_Running = true;
    const std::int16_t period = int_interval >= 1 ? int_interval : m_Interval;
    StartSystemTimer(static_cast<std::uint32_t>(static_cast<std::uint16_t>(period)));
}

void clsTimer::StopTimer()
{
    if (!m_Running)
        return;
    KillSystemTimer();
    m_Running = false;
}

void clsTimer::Wait(std::int16_t int_interval)
{
    m_Waiting = true;
    StartTimer(int_interval);
    // Without a system timer no tick would ever end the wait.
    if (!m_TimerId)
        m_Waiting = false;
    const auto alive = m_Alive;
    while (*alive && m_Waiting)
        ui::CurrentServices().timers.RunPendingEvents();
    if (*alive)
        StopTimer();
}

bool clsTimer::isMouseOver(ui::WindowHandle Hwnd) { return ui::PointerIsOver(Hwnd); }

void clsTimer::TimerProc(ui::WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t DwTime)
{
    // The count never wraps: past the largest value a tick raises nothing.
    if (m_TickCount == std::numeric_limits<std::int32_t>::max())
        return;
    ++m_TickCount;
    // A handler may destroy this object, its own handler included: both the
    // handler and the object's liveness are held for the length of the tick.
    const auto alive = m_Alive;
    const auto handler = OnTime;
    if (handler)
        handler(m_TickCount, static_cast<std::int32_t>(DwTime));
    if (*alive)
        m_Waiting = false;
}

void clsTimer::OnSystemTick(ui::WindowHandle window, std::uint32_t message, std::uintptr_t id,
                            std::uint32_t time)
{
    TimerProc(window, message, id, time);
}
