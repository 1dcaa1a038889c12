// The menu-bar item's window under Wine: it lights up under the real mouse,
// goes back when the mouse leaves, and turns a press and release into Click.
#include "ui/App.h"
#include "ui/Form.h"
#include "widgets/LabelMenuWindow.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <windows.h>
#include <commctrl.h>

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

TEST(MenuItemWindow, LightsUpUnderTheMouseAndClicks)
{
    test::DropPendingQuit();
    Strip strip;
    strip.Show();
    ui::DoEvents();
    HWND window = ui::win::H(strip.file.hWnd());
    EXPECT_EQ(strip.file.Height(), 270);
    EXPECT_EQ(strip.file.Width(), strip.file.LabelWidth() + 210);
    // Given another size on either side, it fits itself to its caption again.
    const int fitted = strip.file.Width();
    for (const auto& [width, height] : {std::pair{fitted + 600, 270}, std::pair{fitted, 600}}) {
        strip.file.Move(60, 45, width, height);
        EXPECT_EQ(std::pair(strip.file.Width(), strip.file.Height()), std::pair(fitted, 270)) << width << "x" << height;
    }
    const ui::AccessibleFace face = strip.file.Accessible(strip.file.hWnd());
    EXPECT_EQ(face.name, "File");  // read as a screen reader reads it, with Alt+F
    EXPECT_EQ(face.accessKey, 'f');
    EXPECT_EQ(test::PrintedPixel(strip.file.hWnd(), 200, 40, 1, 1), RGB(0xFF, 0xFF, 0xFF));
    SetCursor(nullptr);  // the pointer over it is the arrow, as over any menu
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    {
        // The caption's ink starts at the label's corner and leaves the margin
        // the design gives it on the right: measured in the font it is drawn in.
        RECT client{};
        GetClientRect(window, &client);
        const test::Canvas printed(client.right, client.bottom);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
        int inkLeft = client.right, inkRight = -1, inkTop = client.bottom;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                if (printed.At(x, y) == RGB(0, 0, 0)) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                    inkTop = std::min(inkTop, y);
                }
        EXPECT_EQ(inkLeft, 5);
        EXPECT_GE(inkTop, 2);
        EXPECT_NEAR(client.right - 1 - inkRight, 9, 2);
    }

    // Mouse positions come in twips, from the label's corner while on it.
    std::pair<float, float> pressed;
    strip.file.Item().MouseDown = [&](int&, int&, float& X, float& Y) { pressed = {X, Y}; };
    for (const auto& [x, y, twips] : {std::tuple{8, 5, std::pair{45.f, 45.f}}, std::tuple{10, 4, std::pair{75.f, 30.f}},
                                      std::tuple{1, 1, std::pair{15.f, 15.f}}}) {
        SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        EXPECT_EQ(pressed, twips) << x << "," << y;
    }
    strip.file.Item().MouseDown = nullptr;

    int clicks = 0;
    strip.file.Item().Click = [&] { ++clicks; };
    // A right or middle press takes no mouse, and a left release without a
    // press of its own clicks nothing.
    for (const auto& [down, up, held] : {std::tuple{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                                         std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}}) {
        SendMessageW(window, down, held, MAKELPARAM(3, 3));
        EXPECT_NE(GetCapture(), window);
        SendMessageW(window, up, 0, MAKELPARAM(3, 3));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    EXPECT_EQ(clicks, 0);
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 3, r.top + 3);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(strip.file.Item().Highlighted());
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER);
    RECT outer{}, inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    EXPECT_EQ(inner.right, outer.right - outer.left - 2 * GetSystemMetrics(SM_CXBORDER));  // the border drawn
    EXPECT_EQ(test::PrintedPixel(strip.file.hWnd(), 200, 40, 3, 3), RGB(193, 210, 238));

    // The other button let go during a left press is not the press's end.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(window, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 0);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(GetCapture(), window);  // the mouse is let go with the release
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 100));  // let go away from it: no click
    EXPECT_EQ(clicks, 1);

    test::Pump(50);
    EXPECT_TRUE(strip.file.Item().Highlighted());  // still under the mouse
    SetCursorPos(r.left + 300, r.top + 100);
    test::Pump(60);
    EXPECT_FALSE(strip.file.Item().Highlighted());
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(test::PrintedPixel(strip.file.hWnd(), 200, 40, 3, 3), RGB(0xFF, 0xFF, 0xFF));

    // A new caption is painted at once, all of it, also one of the same width
    // (only its access key moved).
    ValidateRect(window, nullptr);
    strip.file.Item().Caption("Fil&e");
    RECT dirty{}, client{};
    GetUpdateRect(window, &dirty, FALSE);
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&dirty, &client));
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"Fil&e");  // the window's text, what scripts find it by

    strip.file.Item().Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(window));
    // Its caption greyed, in the grey of the XP colours it is designed in (its
    // white is no system colour), none left in their black.
    const test::Canvas greyed(200, 40);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(greyed.Dc()), PRF_CLIENT);
    const RECT all{0, 0, 200, 40};
    EXPECT_GT(greyed.Count(all, RGB(0xAC, 0xA8, 0x99)), 0);  // XP's GrayText
    EXPECT_EQ(greyed.Count(all, RGB(0, 0, 0)), 0);
    strip.Unload();

    // A border its design gives it before its window exists is drawn.
    Strip boxed;
    boxed.file.Item().BorderStyle(ui::vbFixedSingle);
    boxed.Show();
    EXPECT_TRUE(GetWindowLongPtrW(ui::win::H(boxed.file.hWnd()), GWL_STYLE) & WS_BORDER);
    boxed.Unload();
}

class MenuStrip : public Strip {
public:
    ui::Menu mnuFile{*this, "mnuFile", "File"};
    ui::Menu mnuFileOpen{*this, "mnuFileOpen", "&Open", &mnuFile};
};

// A press opens the menu, as the frame's strip does; the menu eats the release.
// A release that comes later over the label is a stray one: no menu, no click.
TEST(MenuItemWindow, AStrayReleaseAfterItsMenuClosesOpensNothing)
{
    test::DropPendingQuit();
    MenuStrip strip;
    strip.mnuFile.Visible(false);
    strip.Show();
    ui::DoEvents();
    HWND window = ui::win::H(strip.file.hWnd());
    int clicks = 0;
    strip.file.Item().Click = [&] { ++clicks; };
    strip.file.Item().MouseDown = [&](int& Button, int&, float&, float&) {
        if (Button == ui::vbLeftButton)
            strip.PopupMenu(strip.mnuFile);
    };
    {
        const test::MessageCounter menus(ui::win::H(strip.hWnd()), WM_INITMENUPOPUP);
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        test::PostKey(window, VK_ESCAPE);  // closes the menu
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        test::RunQueue();
        EXPECT_EQ(menus.Count(), 1);
    }
    EXPECT_EQ(clicks, 0);
    // Nor one after another window took the mouse from the press.
    strip.file.Item().MouseDown = nullptr;
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    test::RunQueue();
    SetCapture(ui::win::H(strip.hWnd()));
    ReleaseCapture();
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    test::RunQueue();
    EXPECT_EQ(clicks, 0);
    strip.Unload();
}

}  // namespace
