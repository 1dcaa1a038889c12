#pragma once
// What the in-process window tests share: a clean message queue, letting time
// and events pass, and reading back what a window paints.
#include "platform/ui/App.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/WinUtil_win.h"

#include <windows.h>

namespace test {

// A test that unloads its last form leaves the quit message the program would
// end on; the next test must not inherit it.
inline void DropPendingQuit()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Lets about ms milliseconds pass with the window events running.
inline void Pump(int ms)
{
    for (int waited = 0; waited < ms; waited += 5) {
        Sleep(5);
        ui::DoEvents();
    }
}

// A memory bitmap selected into a DC, white to start with; all of it released
// with the object.
class Canvas {
public:
    Canvas(int width, int height)
        : m_Bitmap(CreateCompatibleBitmap(ui::win::WindowDc(nullptr).Get(), width, height)),
          m_Select(m_Dc.Get(), m_Bitmap.Get())
    {
        RECT all{0, 0, width, height};
        FillRect(m_Dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HDC Dc() const { return m_Dc.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(m_Dc.Get(), x, y); }

private:
    ui::win::MemoryDc m_Dc;
    ui::win::GdiObject<HBITMAP> m_Bitmap;
    ui::win::Selection m_Select;
};

// The pixel (x, y) that a window paints, read back from a canvas of
// width x height through WM_PRINTCLIENT.
inline COLORREF PrintedPixel(ui::Handle window, int width, int height, int x, int y)
{
    const Canvas canvas(width, height);
    SendMessageA(reinterpret_cast<HWND>(window), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.At(x, y);
}

}  // namespace test
