// The XP push button's faces drawn on a memory DC and read back pixel by pixel,
// its corner-less region, and its window under real messages.
#include "platform/ui/App.h"
#include "platform/ui/Form.h"
#include "widgets/XPButtonWindow.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using Face = XPButtonLook::Face;
using Ring = XPButtonLook::Ring;

// A 79 x 51 face drawn off screen.
class Drawn {
public:
    explicit Drawn(const XPButtonLook& look, int width = 79, int height = 51)
        : m_Canvas(width, height),
          m_Font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"))
    {
        DrawXPButtonFace(reinterpret_cast<ui::Handle>(m_Canvas.Dc()), width, height, look,
                         reinterpret_cast<ui::Handle>(m_Font.Get()));
    }
    COLORREF At(int x, int y) const { return m_Canvas.At(x, y); }

private:
    test::Canvas m_Canvas;
    ui::win::GdiObject<HFONT> m_Font;
};

XPButtonLook Look(Face face, Ring ring = Ring::None)
{
    return XPButtonLook{face, ring, face != Face::Disabled, 0, ""};
}

TEST(XPButtonDrawing, NormalFaceGradientShadingAndOutline)
{
    Drawn d(Look(Face::Normal));
    EXPECT_EQ(d.At(40, 3), RGB(255, 255, 253));
    EXPECT_EQ(d.At(40, 4), RGB(254, 254, 252));
    EXPECT_EQ(d.At(40, 27), RGB(231, 231, 229));  // the 25th gradient row, and on
    EXPECT_EQ(d.At(40, 46), RGB(231, 231, 229));
    EXPECT_EQ(d.At(40, 47), RGB(236, 235, 230));
    EXPECT_EQ(d.At(40, 48), RGB(226, 223, 214));
    EXPECT_EQ(d.At(40, 49), RGB(214, 208, 197));
    EXPECT_EQ(d.At(40, 50), RGB(0, 60, 116));
    EXPECT_EQ(d.At(0, 25), RGB(0, 60, 116));
    EXPECT_EQ(d.At(1, 0), RGB(122, 149, 168));
    EXPECT_EQ(d.At(0, 1), RGB(122, 149, 168));
    EXPECT_EQ(d.At(1, 1), RGB(37, 87, 131));
    EXPECT_EQ(d.At(77, 49), RGB(37, 87, 131));
    EXPECT_EQ(d.At(77, 50), RGB(122, 149, 168));
}

TEST(XPButtonDrawing, PressedFaceBandsAndEdges)
{
    Drawn d(Look(Face::Pressed));
    EXPECT_EQ(d.At(40, 1), RGB(209, 204, 192));
    EXPECT_EQ(d.At(40, 2), RGB(220, 216, 207));
    EXPECT_EQ(d.At(40, 3), RGB(226, 225, 218));
    EXPECT_EQ(d.At(40, 25), RGB(225, 224, 217));
    EXPECT_EQ(d.At(40, 48), RGB(234, 233, 227));
    EXPECT_EQ(d.At(40, 49), RGB(242, 241, 238));
}

TEST(XPButtonDrawing, DisabledFaceHasNoBlueOutline)
{
    Drawn d(Look(Face::Disabled));
    EXPECT_EQ(d.At(40, 25), RGB(245, 244, 234));
    EXPECT_EQ(d.At(0, 25), RGB(201, 199, 186));
    EXPECT_EQ(d.At(1, 0), RGB(216, 213, 199));
    EXPECT_EQ(d.At(2, 1), RGB(234, 233, 222));
    EXPECT_EQ(d.At(77, 49), RGB(216, 213, 199));
}

TEST(XPButtonDrawing, HoverRingBeforeFocusRing)
{
    Drawn hover(Look(Face::Normal, Ring::Hover));
    EXPECT_EQ(hover.At(40, 1), RGB(255, 240, 207));
    EXPECT_EQ(hover.At(40, 2), RGB(253, 216, 137));
    EXPECT_EQ(hover.At(1, 2), RGB(254, 223, 154));
    EXPECT_EQ(hover.At(1, 10), RGB(246, 199, 98));
    EXPECT_EQ(hover.At(1, 30), RGB(238, 175, 42));  // settled after the 17th row
    EXPECT_EQ(hover.At(40, 49), RGB(229, 151, 0));

    Drawn focus(Look(Face::Normal, Ring::Focus));
    EXPECT_EQ(focus.At(40, 1), RGB(206, 231, 251));
    EXPECT_EQ(focus.At(40, 2), RGB(188, 212, 246));
    EXPECT_EQ(focus.At(40, 49), RGB(97, 125, 229));
    EXPECT_EQ(focus.At(2, 49), RGB(77, 125, 193));
    EXPECT_EQ(focus.At(76, 49), RGB(77, 125, 193));
}

TEST(XPButtonDrawing, TinyButtonsStillGetTheirFrame)
{
    Drawn d(Look(Face::Normal, Ring::Focus), 10, 4);
    EXPECT_EQ(d.At(5, 0), RGB(0, 60, 116));
    EXPECT_EQ(d.At(5, 3), RGB(0, 60, 116));
}

class Panel : public ui::Form {
public:
    Panel() : ui::Form(Design()) { button.Move(150, 150, 1185, 765); }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Panel";
        design.ClientWidth = 3000;
        design.ClientHeight = 1500;
        design.BorderStyle = ui::vbBSNone;
        return design;
    }
    XPButtonWindow button{*this, "XPButton1"};
};

TEST(XPButtonWindowTest, RegionHoverClickAndAccessKey)
{
    test::DropPendingQuit();
    Panel panel;
    panel.Show();
    ui::DoEvents();
    auto& button = panel.button.Button();
    EXPECT_EQ(button.Caption(), "Command1");
    HWND window = reinterpret_cast<HWND>(panel.button.hWnd());

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 78, 50));
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    DeleteObject(region);

    int clicks = 0, overs = 0;
    button.Click = [&] { ++clicks; };
    button.MouseOver = [&] { ++overs; };
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 20, r.top + 20);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(overs, 1);
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 1, 2), RGB(254, 223, 154));

    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 40, 1), RGB(209, 204, 192));  // pressed
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(clicks, 1);

    button.Caption("&Go");
    EXPECT_TRUE(ui::Form::RouteAccessKey(panel.hWnd(), 'G'));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(ui::Form::RouteAccessKey(panel.hWnd(), 'x'));

    SetCursorPos(r.left + 300, r.top + 100);
    for (int i = 0; i < 20 && button.Hover(); ++i) {
        Sleep(5);
        ui::DoEvents();
    }
    EXPECT_FALSE(button.Hover());
    button.Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 8, 8), RGB(245, 244, 234));
    panel.Unload();
}

}  // namespace
