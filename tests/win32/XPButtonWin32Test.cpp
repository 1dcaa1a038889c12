// The XP push button's faces drawn on a memory DC and read back pixel by pixel,
// its corner-less region, and its window under real messages.
#include "ui/App.h"
#include "ui/Form.h"
#include "widgets/XPButtonWindow.h"

#include "WindowTestSupport.h"
#include "tests/support/Fingerprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>

namespace {

using Face = XPButtonLook::Face;
using Ring = XPButtonLook::Ring;

// A 79 x 51 face drawn off screen.
class Drawn {
public:
    explicit Drawn(const XPButtonLook& look, int width = 79, int height = 51, const ui::Scale& scale = ui::Scale())
        : m_Canvas(width, height), m_Width(width), m_Height(height),
          m_Font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, L"Tahoma"))
    {
        DrawXPButtonFace(ui::win::ToHandle(m_Canvas.Dc()), width, height, look,
                         ui::win::ToHandle(m_Font.Get()), scale);
    }
    COLORREF At(int x, int y) const { return m_Canvas.At(x, y); }
    int Count(COLORREF colour) const { return m_Canvas.Count(RECT{0, 0, m_Width, m_Height}, colour); }

private:
    test::Canvas m_Canvas;
    int m_Width, m_Height;
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

// At 192 DPI the face is the design's at twice the size: the outline and the
// shading bands are two pixels deep, the rounded corner two pixels wide.
TEST(XPButtonDrawing, AtTwiceTheDpiEveryInsetDoubles)
{
    Drawn d(Look(Face::Normal), 158, 102, ui::Scale(192, 192));
    for (const int y : {100, 101})
        EXPECT_EQ(d.At(80, y), RGB(0, 60, 116)) << y;
    for (const int y : {98, 99})
        EXPECT_EQ(d.At(80, y), RGB(214, 208, 197)) << y;
    for (const int x : {0, 1})
        EXPECT_EQ(d.At(x, 50), RGB(0, 60, 116)) << x;
    EXPECT_EQ(d.At(80, 6), RGB(255, 255, 253));
    EXPECT_EQ(d.At(3, 3), RGB(37, 87, 131));
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
    // At any height the bands reach the bottom edge: no row is left blank.
    for (int height = 49; height <= 56; ++height) {
        const Drawn sized(Look(Face::Pressed), 79, height);
        for (int y = 1; y < height - 1; ++y)
            EXPECT_NE(sized.At(40, y), GetSysColor(COLOR_WINDOW)) << height << " " << y;
    }
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
    EXPECT_EQ(hover.At(2, 8), RGB(247, 190, 81));   // the inner ring, darkening
    EXPECT_EQ(hover.At(2, 30), RGB(243, 174, 49));  // and settled after the 12th row
    for (const int x : {1, 2})                       // both rings reach down to the bottom band
        EXPECT_EQ(hover.At(x, 48), hover.At(x, 30)) << x;
    EXPECT_EQ(hover.At(40, 49), RGB(229, 151, 0));

    Drawn focus(Look(Face::Normal, Ring::Focus));
    EXPECT_EQ(focus.At(40, 1), RGB(206, 231, 251));
    EXPECT_EQ(focus.At(40, 2), RGB(188, 212, 246));
    EXPECT_EQ(focus.At(40, 49), RGB(97, 125, 229));
    EXPECT_EQ(focus.At(2, 49), RGB(77, 125, 193));
    EXPECT_EQ(focus.At(76, 49), RGB(77, 125, 193));
}

// Every look at the design's size and others, at 100 to 200 %, plain and in
// high contrast, pinned pixel for pixel.
TEST(XPButtonDrawing, EveryLookStaysAsDrawn)
{
    struct Size {
        int width, height, dpi;
    };
    const std::tuple<Face, bool, std::uint64_t> pinned[] = {
        {Face::Normal, false, 0x5200be8dadcf966d}, {Face::Pressed, false, 0x4256e1ad86aec6f1},
        {Face::Disabled, false, 0x024e9e246215eabd}, {Face::Normal, true, 0x8dff1b5af3ba937d},
        {Face::Pressed, true, 0x28da6e8f6b7f2105}, {Face::Disabled, true, 0x1c8391e3006e2905}};
    for (const auto& [face, highContrast, expected] : pinned) {
        const test::SwitchedServices services(highContrast);
        test::Fingerprint drawn;
        const Size sizes[] = {{79, 51, 96}, {75, 23, 96}, {118, 76, 144}, {158, 102, 192}};
        for (const Ring ring : {Ring::None, Ring::Focus, Ring::Hover})
            for (const bool outline : {true, false})
                for (const char* caption : {"", "&Go on"})
                    for (const Size size : sizes) {
                        XPButtonLook look = Look(face, ring);
                        look.outline = outline;
                        look.caption = caption;
                        const Drawn d(look, size.width, size.height, ui::Scale(size.dpi, size.dpi));
                        for (int y = 0; y < size.height; ++y)
                            for (int x = 0; x < size.width; ++x)
                                drawn.Add(d.At(x, y));
                    }
        EXPECT_EQ(drawn.Value(), expected) << static_cast<int>(face) << (highContrast ? " in high contrast" : "")
                                           << " now draws as " << drawn.Hex();
    }
}

// In high contrast the face is the system's: the highlight while pressed, a
// frame in grey text while disabled, whose caption is grey text too, and a
// frame two pixels deep in the highlight under the pointer.
TEST(XPButtonDrawing, InHighContrastTheFaceIsTheSystems)
{
    const test::SwitchedServices highContrast(true);
    struct Case {
        XPButtonLook look;
        int x, y, systemColour;
    };
    const Case cases[] = {
        {Look(Face::Normal), 40, 25, COLOR_BTNFACE},
        {Look(Face::Normal), 0, 25, COLOR_BTNTEXT},
        {Look(Face::Pressed), 40, 25, COLOR_HIGHLIGHT},
        {Look(Face::Disabled), 0, 25, COLOR_GRAYTEXT},
        {Look(Face::Normal, Ring::Hover), 1, 25, COLOR_HIGHLIGHT},
        {Look(Face::Normal, Ring::Hover), 2, 25, COLOR_HIGHLIGHT},
        {Look(Face::Normal, Ring::Hover), 3, 25, COLOR_BTNFACE},
    };
    for (const Case& c : cases) {
        const Drawn d(c.look);
        EXPECT_EQ(d.At(c.x, c.y), GetSysColor(c.systemColour))
            << static_cast<int>(c.look.face) << " " << static_cast<int>(c.look.ring) << " at " << c.x << "," << c.y;
    }
    XPButtonLook disabled = Look(Face::Disabled);
    disabled.caption = "Go";
    const Drawn d(disabled);
    EXPECT_EQ(d.Count(GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(d.Count(GetSysColor(COLOR_GRAYTEXT)), 2 * (79 + 51));  // the frame and the caption
    // Pressed, the caption is the highlight's text on the highlight.
    XPButtonLook pressed = Look(Face::Pressed);
    pressed.caption = "Go";
    EXPECT_GT(Drawn(pressed).Count(GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
}

// The caption's block sits in the middle of the face's height.
TEST(XPButtonDrawing, TheCaptionIsCentredTopToBottom)
{
    XPButtonLook look = Look(Face::Normal);
    look.caption = "Go";
    const Drawn d(look);
    int top = 51, bottom = -1;
    for (int y = 3; y < 47; ++y)  // inside the shading bands
        for (int x = 3; x < 76; ++x)
            if (const COLORREF c = d.At(x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, top);
    EXPECT_NEAR((top + bottom) / 2.0, 25.0, 3.0);
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
    HWND window = ui::win::H(panel.button.hWnd());

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    RECT box{};
    GetClientRect(window, &box);
    for (const POINT corner : {POINT{0, 0}, POINT{box.right - 1, 0}, POINT{0, box.bottom - 1},
                               POINT{box.right - 1, box.bottom - 1}})
        EXPECT_FALSE(PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    DeleteObject(region);
    {
        // At twice the DPI the corners cut are two pixels square.
        const test::ScopedScreenDpi screen(192);
        Panel large;
        large.Show();
        ui::DoEvents();
        HRGN corners = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(ui::win::H(large.button.hWnd()), corners), ERROR);
        EXPECT_FALSE(PtInRegion(corners, 1, 1));
        EXPECT_TRUE(PtInRegion(corners, 2, 0));
        DeleteObject(corners);
        // Made taller, the face is drawn again whole, down to its new bottom edge.
        large.button.Move(150, 150, 1185, 1065);
        EXPECT_EQ(test::PrintedPixel(large.button.hWnd(), 158, 142, 80, 141), RGB(0, 60, 116));
        large.Unload();
    }

    int clicks = 0, overs = 0;
    button.Click = [&] { ++clicks; };
    button.MouseOver = [&] { ++overs; };
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 20, r.top + 20);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(overs, 1);
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 1, 2), RGB(254, 223, 154));

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 40, 1), RGB(209, 204, 192));  // pressed
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
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
    // A disabled control's key is no key of the form: left to the system, not
    // swallowed by a control that would do nothing with it.
    EXPECT_FALSE(ui::Form::RouteAccessKey(panel.hWnd(), 'G'));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(test::PrintedPixel(panel.button.hWnd(), 79, 51, 8, 8), RGB(245, 244, 234));
    // Nor is a hidden one's.
    button.Enabled(true);
    panel.button.Visible(false);
    EXPECT_FALSE(ui::Form::RouteAccessKey(panel.hWnd(), 'G'));
    EXPECT_EQ(clicks, 2);
    panel.Unload();
}

// On a form in a font of its own, beside a default button: input through the
// real queue, as a user gives it.
class Gallery : public ui::Form {
public:
    Gallery() : ui::Form(Design())
    {
        cmdDefault.Move(1500, 0, 1200, 400);
        cmdDefault.Default = true;
        cmdLast.Move(1500, 600, 1200, 400);
    }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Gallery";
        design.ClientWidth = 3000;
        design.ClientHeight = 1500;
        design.Font = ui::FontSpec{"Courier New", 10};
        return design;
    }
    XPButtonWindow button{*this, "XPButton1"};
    ui::CommandButton cmdDefault{*this, "cmdDefault"};
    ui::CommandButton cmdLast{*this, "cmdLast"};
};

TEST(XPButtonWindowTest, KeysAndQuickPressesThroughTheQueue)
{
    test::DropPendingQuit();
    Gallery form;
    ASSERT_TRUE(test::ShowPlain(form));
    auto& button = form.button.Button();
    EXPECT_EQ(button.Font(), form.Font());  // a new button wears its form's font
    HWND window = ui::win::H(form.button.hWnd());
    int clicks = 0, defaults = 0;
    std::vector<int> downs;
    std::pair<float, float> pressedAt;
    button.Click = [&] { ++clicks; };
    button.MouseDown = [&](int& Button, int&, float& X, float& Y) {
        downs.push_back(Button);
        pressedAt = {X, Y};
    };
    form.cmdDefault.Click = [&] { ++defaults; };

    SetFocus(window);
    test::Type(VK_RETURN);  // the focused button's, not the default button's
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(defaults, 0);
    // A key down comes with the Ctrl held.
    int shift = -1;
    button.KeyDown = [&](int&, int& Shift) { shift = Shift; };
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    test::PostKey(window, VK_F5);
    test::RunQueue();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(shift, ui::vbCtrlMask);
    // Its focus ring goes with the focus.
    SetCursorPos(0, 0);
    EXPECT_EQ(button.LookFor(false).ring, XPButtonLook::Ring::Focus);
    form.cmdLast.SetFocus();
    EXPECT_EQ(button.LookFor(false).ring, XPButtonLook::Ring::None);
    SetFocus(window);

    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 20, r.top + 20);
    test::PostClick(window, 20, 20, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    test::RunQueue();
    EXPECT_EQ(clicks, 2);
    EXPECT_NE(GetCapture(), window);  // the mouse is let go with the release
    EXPECT_NE(test::PrintedPixel(form.button.hWnd(), 79, 51, 40, 1), RGB(209, 204, 192));  // not drawn pressed
    // A release whose press was not on the button (a drag from elsewhere)
    // clicks nothing, nor does a press let go off the button, nor the second
    // release of a double click; a press takes the focus.
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    form.cmdLast.SetFocus();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 20));
    test::RunQueue();
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(clicks, 2);
    test::PostClick(window, 20, 20, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    test::PostClick(window, 20, 20, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON);
    test::RunQueue();
    EXPECT_EQ(clicks, 3);
    // A press whose mouse another window took (one that came up) is over,
    // drawn as such, and a release back on the button later clicks nothing.
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    test::RunQueue();
    SetCapture(ui::win::H(form.hWnd()));
    ReleaseCapture();
    EXPECT_NE(test::PrintedPixel(form.button.hWnd(), 79, 51, 40, 1), RGB(209, 204, 192));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    test::RunQueue();
    EXPECT_EQ(clicks, 3);

    // A quick second press of the right or middle button arrives as a double click.
    downs.clear();
    for (const auto& [down, twice, up, held] : {std::tuple{WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, MK_RBUTTON},
                                                std::tuple{WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_MBUTTONUP, MK_MBUTTON}}) {
        test::PostClick(window, 20, 20, down, up, held);
        test::PostClick(window, 20, 17, twice, up, held);
    }
    test::RunQueue();
    EXPECT_EQ(downs, (std::vector<int>{ui::vbRightButton, ui::vbRightButton, ui::vbMiddleButton, ui::vbMiddleButton}));
    EXPECT_EQ(pressedAt, std::pair(20.f, 17.f));  // where it was pressed, each way its own
    EXPECT_EQ(clicks, 3);

    // Alt and the marked letter, as the keyboard gives it or as a character in
    // either case; a caption's character beyond ASCII, whole or any byte of
    // it, is no key.
    struct AltKey {
        const char* caption;
        UINT message;
        WPARAM key;
        bool clicks;
    };
    const AltKey altKeys[] = {
        {"&Go", WM_SYSKEYDOWN, 'G', true},
        {"&Go", WM_SYSCHAR, L'G', true},
        {"&Go", WM_SYSCHAR, L'x', false},
        {"Пуск &Go", WM_SYSCHAR, L'g', true},
        {"&Плюс", WM_SYSCHAR, L'п', false},
        {"&Плюс", WM_SYSCHAR, 0xD0, false},  // the first byte of П in UTF-8
    };
    for (const AltKey& alt : altKeys) {
        SCOPED_TRACE(std::string(alt.caption) + " " + std::to_string(alt.key));
        button.Caption(alt.caption);
        const int before = clicks;
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(alt.key), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(window, alt.message, alt.key, 1 | scan | (1 << 29));  // 1 << 29: Alt is held
        test::RunQueue();
        EXPECT_EQ(clicks - before, alt.clicks ? 1 : 0);
    }

    // The arrows move the focus on from the button, as its design has it:
    // Left and Right to the next control, Up and Down to the one before; Tab
    // is the dialog's, as on any button.
    for (const auto& [key, next] : {std::pair{VK_TAB, &form.cmdDefault}, std::pair{VK_RIGHT, &form.cmdDefault},
                                    std::pair{VK_LEFT, &form.cmdDefault},
                                    std::pair{VK_UP, &form.cmdLast}, std::pair{VK_DOWN, &form.cmdLast}}) {
        SetFocus(window);
        test::Type(key);
        EXPECT_EQ(GetFocus(), ui::win::H(next->hWnd())) << key;
    }
    form.Unload();
    test::DropPendingQuit();
}

}  // namespace
