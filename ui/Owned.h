#pragma once
// Owners of what a form or control makes for itself: a GDI object (brush,
// font, ...) is deleted, a window of its own (a tooltip) destroyed, when its
// owner goes. Nothing of the kind is released by hand. The releases are the
// system's calls, made in Owned_win.cpp.
#include "UiTypes.h"
#include "os/Owned.h"

namespace ui {

void DeleteGdiObject(GdiHandle object);
void DestroyOwnWindow(WindowHandle window);

using OwnedGdi = os::Owned<GdiHandle, DeleteGdiObject>;
using OwnedWindow = os::Owned<WindowHandle, DestroyOwnWindow>;

}  // namespace ui
