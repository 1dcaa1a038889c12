#pragma once
// What the in-process window tests share: a clean message queue, letting time
// and events pass, and reading back what a window paints.
#include "platform/ui/App.h"
#include "platform/ui/UiTypes.h"

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

// The pixel (x, y) that a window paints, read back from a memory DC of
// width x height through WM_PRINTCLIENT.
inline COLORREF PrintedPixel(ui::Handle window, int width, int height, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(reinterpret_cast<HWND>(window), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

}  // namespace test
