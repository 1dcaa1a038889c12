#pragma once
// What only windows need of the system, behind one accessor as the engine's
// system is: list-box tab stops, the shell's dialogs, timers, the mouse
// position, and the screen's colours. The program puts the Win32 services in place as it starts; tests
// put simulated ones in place for their scope.
#include "ListBoxes.h"
#include "Palette.h"
#include "ShellDialogs.h"
#include "Timers.h"
#include "os/ScopedCurrent.h"

namespace ui {

struct Services {
    ListBoxes& lists;
    ShellDialogs& shell;
    Timers& timers;
    CursorWindows& cursor;
    Palette& palette;
};

// The services put in place for the current scope. Nothing may run before that.
Services& CurrentServices();

// Whether the pointer is over the window itself: the window right under it
// is that one, not a child or a window in front. False when the pointer's
// place cannot be had.
bool PointerIsOver(WindowHandle window);

using ScopedServices = os::ScopedCurrent<Services>;

}  // namespace ui
