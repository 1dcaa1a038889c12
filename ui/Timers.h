#pragma once
// System timers whose ticks reach an object, and the pass of the message loop
// that delivers them; the mouse position and the window under it.
#include "UiTypes.h"

#include <cstdint>
#include <optional>

namespace ui {

// The message a timer callback is handed (WM_TIMER).
constexpr std::uint32_t kTimerMessage = 0x113;

class TimerTarget {
public:
    virtual ~TimerTarget() = default;
    // The four values the system hands a timer callback, unchanged.
    virtual void OnSystemTick(WindowHandle window, std::uint32_t message, std::uintptr_t id, std::uint32_t time) = 0;
};

class Timers {
public:
    virtual ~Timers() = default;
    // SetTimer with a callback that reaches target. The identifier to kill the
    // timer with: for a window's timer the id asked for (0 is as good as any),
    // for a thread timer (window 0) the one the system chose; nullopt when the
    // system refused the timer.
    virtual std::optional<std::uintptr_t> Set(WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                              TimerTarget& target) = 0;
    virtual bool Kill(WindowHandle window, std::uintptr_t id) = 0;
    // Lets the pending window messages and timer ticks run once; waits for one when none is pending.
    virtual void RunPendingEvents() = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class CursorWindows {
public:
    virtual ~CursorWindows() = default;
    virtual bool CursorPos(ScreenPoint& point) = 0;
    virtual WindowHandle WindowAt(ScreenPoint point) = 0;
};

}  // namespace ui
