// The menu-bar item's window under Wine: it lights up under the real mouse,
// goes back when the mouse leaves, and turns a press and release into Click.
#include "platform/ui/App.h"
#include "platform/ui/Form.h"
#include "widgets/LabelMenuWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class Strip : public ui::Form {
public:
    Strip() : ui::Form(Design())
    {
        file.Move(60, 45, 0, 0);
        file.Item().Caption("&File");
        file.Item().BackColor(0xFFFFFF);
    }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Strip";
        design.ClientWidth = 3000;
        design.ClientHeight = 600;
        design.BorderStyle = ui::vbBSNone;
        return design;
    }
    LabelMenuWindow file{*this, "LbMenu1"};
};

void Pump(int ms)
{
    for (int waited = 0; waited < ms; waited += 5) {
        Sleep(5);
        ui::DoEvents();
    }
}

COLORREF Painted(LabelMenuWindow& item, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(reinterpret_cast<HWND>(item.hWnd()), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

TEST(MenuItemWindow, LightsUpUnderTheMouseAndClicks)
{
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Strip strip;
    strip.Show();
    ui::DoEvents();
    HWND window = reinterpret_cast<HWND>(strip.file.hWnd());
    EXPECT_EQ(strip.file.Height(), 270);
    EXPECT_EQ(strip.file.Width(), strip.file.LabelWidth() + 210);
    EXPECT_EQ(Painted(strip.file, 1, 1), RGB(0xFF, 0xFF, 0xFF));

    int clicks = 0;
    strip.file.Item().Click = [&] { ++clicks; };
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 3, r.top + 3);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(strip.file.Item().Highlighted());
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(Painted(strip.file, 3, 3), RGB(193, 210, 238));

    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 1);

    Pump(50);
    EXPECT_TRUE(strip.file.Item().Highlighted());  // still under the mouse
    SetCursorPos(r.left + 300, r.top + 100);
    Pump(60);
    EXPECT_FALSE(strip.file.Item().Highlighted());
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(Painted(strip.file, 3, 3), RGB(0xFF, 0xFF, 0xFF));

    strip.file.Item().Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(window));
    strip.Unload();
}

}  // namespace
