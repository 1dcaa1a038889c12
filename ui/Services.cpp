#include "Services.h"

#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {
Services* g_current = nullptr;
}

Services& CurrentServices()
{
    if (!g_current) {
        std::fputs("no window services in place\n", stderr);
        std::abort();
    }
    return *g_current;
}

bool PointerIsOver(WindowHandle window)
{
    auto& cursor = CurrentServices().cursor;
    ScreenPoint point;
    return cursor.CursorPos(point) && cursor.WindowAt(point) == window;
}

ScopedServices::ScopedServices(Services& replacement) : m_Previous(g_current) { g_current = &replacement; }

ScopedServices::~ScopedServices() { g_current = m_Previous; }

}  // namespace ui
