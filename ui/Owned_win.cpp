#include "Owned.h"

#include "WinUtil_win.h"

namespace ui {

void DeleteGdiObject(GdiHandle object) { DeleteObject(win::H(object)); }

void DestroyOwnWindow(WindowHandle window) { DestroyWindow(win::H(window)); }

}  // namespace ui
