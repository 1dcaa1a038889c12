#include "PointerPoll.h"

#include "ui/Services.h"

#include <utility>

PointerPoll::PointerPoll(std::uintptr_t id, std::uint32_t periodMs, std::function<void(bool over)> tick)
    : m_Id(id), m_PeriodMs(periodMs), m_Tick(std::move(tick))
{
}

PointerPoll::~PointerPoll() { Stop(); }

void PointerPoll::Start(ui::WindowHandle window)
{
    if (m_Running)
        return;
    m_Window = window;
    m_Running = ui::CurrentServices().timers.Set(m_Window, m_Id, m_PeriodMs, *this).has_value();
}

void PointerPoll::Stop()
{
    if (!m_Running)
        return;
    ui::CurrentServices().timers.Kill(m_Window, m_Id);
    m_Running = false;
}

void PointerPoll::OnSystemTick(ui::WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t)
{
    const bool over = ui::PointerIsOver(m_Window);
    if (!over)
        Stop();
    m_Tick(over);
}
