#include "Services.h"

namespace ui {

Services& CurrentServices() { return ScopedServices::Current("no window services in place\n"); }

bool PointerIsOver(WindowHandle window)
{
    auto& cursor = CurrentServices().cursor;
    ScreenPoint point;
    return cursor.CursorPos(point) && cursor.WindowAt(point) == window;
}

}  // namespace ui
