#pragma once
// A timer on a control's own window that polls the pointer while it may be on
// the control, so that hover and pressed looks follow it without mouse
// messages. Mouse input starts it (once; a refused timer is tried again with
// the next input); each tick tells whether the pointer is still over the
// window, and the poll stops itself as soon as it is not.
#include "ui/Timers.h"

#include <cstdint>
#include <functional>

class PointerPoll : public ui::TimerTarget {
public:
    // tick(over) after each period; with over false the poll has stopped
    // already, so tick may end the control.
    PointerPoll(std::uintptr_t id, std::uint32_t periodMs, std::function<void(bool over)> tick);
    ~PointerPoll() override;
    PointerPoll(const PointerPoll&) = delete;
    PointerPoll& operator=(const PointerPoll&) = delete;

    void Start(ui::WindowHandle window);
    void Stop();
    bool Running() const { return m_Running; }

    void OnSystemTick(ui::WindowHandle window, std::uint32_t message, std::uintptr_t id,
                      std::uint32_t time) override;

private:
    std::uintptr_t m_Id;
    std::uint32_t m_PeriodMs;
    std::function<void(bool over)> m_Tick;
    ui::WindowHandle m_Window;
    bool m_Running = false;
};
