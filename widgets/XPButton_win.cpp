// The XP push button's drawing and window.
#include "XPButtonWindow.h"

#include "ui/App.h"
#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "ui/Trace_win.h"
#include "ui/WinUtil_win.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <memory>

using ui::win::GdiObject;
using ui::win::Selection;

namespace {

// ---- drawing ----------------------------------------------------------------

struct Bounds {
    int L, T, R, B;  // R is the last column, B one past the last row
};

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width = 1)
{
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, color));
    Selection select(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Clear(HDC dc, int width, int height)
{
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
}

void Frame(HDC dc, int width, int height, COLORREF color)
{
    RECT all{0, 0, width, height};
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FrameRect(dc, &all, brush.Get());
}

struct Rgb {
    int r, g, b;
    COLORREF Ref() const { return RGB(r, g, b); }
    void Less(int dr, int dg, int db)
    {
        r -= dr;
        g -= dg;
        b -= db;
    }
};

void DrawNormalFace(HDC dc, const Bounds& k, int width, int height)
{
    Clear(dc, width, height);
    Rgb c{255, 255, 253};
    for (int y = k.T + 3; y <= k.B - 3; ++y) {
        Line(dc, k.L, y, k.R, y, c.Ref());
        if (c.b > 229)
            c.Less(1, 1, 1);
    }
    Line(dc, k.L, k.B - 2, k.R, k.B - 2, RGB(214, 208, 197));
    Line(dc, k.L, k.B - 3, k.R, k.B - 3, RGB(226, 223, 214));
    Line(dc, k.L, k.B - 4, k.R, k.B - 4, RGB(236, 235, 230));
}

void DrawPressedFace(HDC dc, const Bounds& k, int width, int height)
{
    Clear(dc, width, height);
    Rgb c{226, 225, 218};
    for (int y = k.T + 3; y <= k.B - 2; y += 4) {
        Line(dc, k.L, y, k.R, y, c.Ref(), 4);
        if (c.b >= 218)
            c.Less(1, 1, 1);
    }
    Line(dc, k.L, k.T + 1, k.R, k.T + 1, RGB(209, 204, 192));
    Line(dc, k.L, k.T + 2, k.R, k.T + 2, RGB(220, 216, 207));
    Line(dc, k.L, k.B - 3, k.R, k.B - 3, RGB(234, 233, 227));
    Line(dc, k.L, k.B - 2, k.R, k.B - 2, RGB(242, 241, 238));
}

void Pixels(HDC dc, std::initializer_list<POINT> points, COLORREF color)
{
    for (const POINT& p : points)
        SetPixel(dc, p.x, p.y, color);
}

void DrawDisabledFace(HDC dc, const Bounds& k, int width, int height)
{
    Clear(dc, width, height);
    RECT all{0, 0, width, height};
    GdiObject<HBRUSH> fill(CreateSolidBrush(RGB(245, 244, 234)));
    FillRect(dc, &all, fill.Get());
    Frame(dc, width, height, RGB(201, 199, 186));
    const COLORREF dark = RGB(216, 213, 199), light = RGB(234, 233, 222);
    const int L = k.L, T = k.T, R = k.R, B = k.B;
    Pixels(dc, {{L, T + 1}, {L + 1, T + 1}, {L + 1, T}}, dark);
    Pixels(dc, {{L + 1, T + 2}, {L + 2, T + 1}}, light);
    Pixels(dc, {{R - 1, T}, {R - 1, T + 1}, {R, T + 1}}, dark);
    Pixels(dc, {{R - 2, T + 1}, {R - 1, T + 2}}, light);
    Pixels(dc, {{L, B - 2}, {L + 1, B - 2}, {L + 1, B - 1}}, dark);
    Pixels(dc, {{L + 1, B - 3}, {L + 2, B - 2}}, light);
    Pixels(dc, {{R, B - 2}, {R - 1, B - 2}, {R - 1, B - 1}}, dark);
    Pixels(dc, {{R - 1, B - 3}, {R - 2, B - 2}}, light);
}

void DrawOutline(HDC dc, const Bounds& k, int width, int height)
{
    Frame(dc, width, height, RGB(0, 60, 116));
    const COLORREF soft = RGB(122, 149, 168), mid = RGB(37, 87, 131);
    const int L = k.L, T = k.T, R = k.R, B = k.B;
    Pixels(dc, {{L, T + 1}, {L + 1, T}}, soft);
    Pixels(dc, {{L + 1, T + 1}}, mid);
    Pixels(dc, {{R - 1, T}, {R, T + 1}}, soft);
    Pixels(dc, {{R - 1, T + 1}}, mid);
    Pixels(dc, {{L, B - 2}, {L + 1, B - 1}}, soft);
    Pixels(dc, {{L + 1, B - 2}}, mid);
    Pixels(dc, {{R, B - 2}, {R - 1, B - 1}}, soft);
    Pixels(dc, {{R - 1, B - 2}}, mid);
}

void DrawFocusRing(HDC dc, const Bounds& k)
{
    Line(dc, k.L + 2, k.T + 1, k.R - 1, k.T + 1, RGB(206, 231, 251));
    Line(dc, k.L + 1, k.T + 2, k.R, k.T + 2, RGB(188, 212, 246));
    Rgb c{186, 211, 246};
    for (int y = k.T + 3; y <= k.B - 4; ++y) {
        Line(dc, k.L + 2, y, k.L + 2, y + 1, c.Ref(), 2);
        Line(dc, k.R - 1, y, k.R - 1, y + 1, c.Ref(), 2);
        if (c.b > 227)
            c.Less(4, 3, 1);
    }
    Line(dc, k.L + 1, k.B - 3, k.R - 1, k.B - 3, c.Ref());
    SetPixel(dc, k.L + 2, k.B - 2, RGB(77, 125, 193));
    Line(dc, k.L + 3, k.B - 2, k.R - 2, k.B - 2, RGB(97, 125, 229));
    SetPixel(dc, k.R - 2, k.B - 2, RGB(77, 125, 193));
}

void DrawHoverRing(HDC dc, const Bounds& k)
{
    Line(dc, k.L + 2, k.T + 1, k.R - 1, k.T + 1, RGB(255, 240, 207));
    Line(dc, k.L + 1, k.T + 2, k.R, k.T + 2, RGB(253, 216, 137));
    Rgb outer{254, 223, 154};
    for (int y = k.T + 2; y <= k.B - 3; ++y) {
        Line(dc, k.L + 1, y, k.L + 1, y + 1, outer.Ref());
        Line(dc, k.R - 1, y, k.R - 1, y + 1, outer.Ref());
        if (outer.b >= 49)
            outer.Less(1, 3, 7);
    }
    Rgb inner{252, 210, 121};
    for (int y = k.T + 3; y <= k.B - 3; ++y) {
        Line(dc, k.L + 2, y, k.L + 2, y + 1, inner.Ref());
        Line(dc, k.R - 2, y, k.R - 2, y + 1, inner.Ref());
        if (inner.b > 56)
            inner.Less(1, 4, 8);
    }
    Line(dc, k.L + 3, k.B - 3, k.R, k.B - 3, inner.Ref());
    Line(dc, k.L + 2, k.B - 2, k.R - 1, k.B - 2, RGB(229, 151, 0));
}

// In high contrast the face is the system's: a button face framed in button
// text, the highlight while pressed, a thicker highlight frame under the
// pointer, the system's dotted focus mark.
void DrawSystemFace(HDC dc, int width, int height, const XPButtonLook& look)
{
    const bool pressed = look.face == XPButtonLook::Face::Pressed, disabled = look.face == XPButtonLook::Face::Disabled;
    RECT r{0, 0, width, height};
    FillRect(dc, &r, GetSysColorBrush(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (disabled)
        return;
    InflateRect(&r, -1, -1);
    if (look.ring == XPButtonLook::Ring::Hover) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        InflateRect(&r, -1, -1);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    } else if (look.ring == XPButtonLook::Ring::Focus) {
        InflateRect(&r, -2, -2);
        SetTextColor(dc, GetSysColor(pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        DrawFocusRect(dc, &r);
    }
}

// The colour the caption is drawn on: the face's darkest, where a text reads least.
ui::Color FaceBehindCaption(XPButtonLook::Face face)
{
    switch (face) {
    case XPButtonLook::Face::Pressed: return RGB(226, 225, 218);
    case XPButtonLook::Face::Disabled: return RGB(245, 244, 234);
    case XPButtonLook::Face::Normal: break;
    }
    return RGB(231, 231, 229);
}

void DrawCaption(HDC dc, int width, int height, const XPButtonLook& look, HFONT font)
{
    RECT client{0, 0, width, height};
    const bool pressed = look.face == XPButtonLook::Face::Pressed;
    const ui::TextColors drawn =
        ui::Readable(look.textColor, FaceBehindCaption(look.face), pressed ? ui::Surface::Highlight : ui::Surface::Face,
                     look.face != XPButtonLook::Face::Disabled, ui::CurrentServices().palette);
    SetTextColor(dc, ui::win::ToColorRef(drawn.text));
    Selection select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT measure = client;
    const std::wstring caption = os::win::Wide(look.caption);
    const int h = DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
                            DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    // Halves round to even, as the block's place was always computed.
    RECT target{0, static_cast<int>(std::nearbyint(height / 2.0 - h / 2.0)), width,
                static_cast<int>(std::nearbyint(height / 2.0 + h / 2.0))};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &target, DT_WORDBREAK | DT_CENTER);
}

// ---- the window -------------------------------------------------------------

constexpr wchar_t kButtonClass[] = L"TavrikXPButton";

}  // namespace

namespace {
// The face without its caption, in pixels of the design.
void DrawFaceAtDesignSize(HDC dc, int width, int height, const XPButtonLook& look)
{
    const Bounds k{0, 0, width - 1, height};
    if (ui::CurrentServices().palette.HighContrast()) {
        DrawSystemFace(dc, width, height, look);
    } else if (look.face == XPButtonLook::Face::Disabled) {
        DrawDisabledFace(dc, k, width, height);
    } else {
        if (look.face == XPButtonLook::Face::Pressed)
            DrawPressedFace(dc, k, width, height);
        else
            DrawNormalFace(dc, k, width, height);
        if (look.ring == XPButtonLook::Ring::Hover)
            DrawHoverRing(dc, k);
        else if (look.ring == XPButtonLook::Ring::Focus)
            DrawFocusRing(dc, k);
        if (look.outline)
            DrawOutline(dc, k, width, height);
    }
}
}  // namespace

namespace {

// The drawing at the design's size a face at another DPI is scaled from. A
// button's window keeps one for as long as its size and DPI stay, so that a
// redraw (each hover, press and focus change) makes no DC and bitmap anew.
class DesignCanvas {
public:
    // A DC holding a bitmap of that size, compatible with `like`; null when
    // the system refused either.
    HDC Of(HDC like, int width, int height)
    {
        if (m_Bitmap.Get() && width == m_Width && height == m_Height)
            return m_Dc->Get();
        m_Selected.reset();
        if (!m_Dc)
            m_Dc = std::make_unique<ui::win::MemoryDc>(like);
        m_Bitmap.Reset(ui::win::Traced(CreateCompatibleBitmap(like, width, height), "CreateCompatibleBitmap (XP button, design size)"));
        if (!m_Dc->Get() || !m_Bitmap.Get())
            return nullptr;
        m_Selected = std::make_unique<ui::win::Selection>(m_Dc->Get(), m_Bitmap.Get());
        m_Width = width;
        m_Height = height;
        return m_Dc->Get();
    }

private:
    // Let go in reverse: the bitmap leaves the DC before either is deleted.
    std::unique_ptr<ui::win::MemoryDc> m_Dc;
    ui::win::GdiObject<HBITMAP> m_Bitmap;
    std::unique_ptr<ui::win::Selection> m_Selected;
    int m_Width = 0, m_Height = 0;
};

void DrawFace(HDC dc, int width, int height, const XPButtonLook& look, HFONT font, const ui::Scale& scale,
              DesignCanvas& canvas)
{
    if (scale.DpiY() == ui::kDesignDpi) {
        DrawFaceAtDesignSize(dc, width, height, look);
    } else {
        // The face's bands, rings, outline and corners are drawn at the
        // design's size and scaled with it, insets and all; the caption is
        // drawn after, sharp, in the font made for the DPI.
        const int designWidth = std::max(1, static_cast<int>(std::lround(width * 96.0 / scale.DpiX())));
        const int designHeight = std::max(1, static_cast<int>(std::lround(height * 96.0 / scale.DpiY())));
        if (HDC design = canvas.Of(dc, designWidth, designHeight)) {
            DrawFaceAtDesignSize(design, designWidth, designHeight, look);
            // Nearest pixels: lines stay crisp, a whole number of pixels deep.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, 0, 0, width, height, design, 0, 0, designWidth, designHeight, SRCCOPY);
        }
    }
    DrawCaption(dc, width, height, look, font);
}
}  // namespace

void DrawXPButtonFace(ui::DcHandle dc, int width, int height, const XPButtonLook& look, ui::GdiHandle font,
                      const ui::Scale& scale)
{
    DesignCanvas canvas;
    DrawFace(ui::win::H(dc), width, height, look, ui::win::Font(font), scale, canvas);
}

void ApplyXPButtonRegion(ui::WindowHandle window, int width, int height, const ui::Scale& scale)
{
    HRGN region = CreateRectRgn(0, 0, width, height);
    const int c = scale.Pixels(1);  // the corners cut, a design pixel square
    for (const RECT& corner : {RECT{0, 0, c, c}, RECT{0, height - c, c, height}, RECT{width - c, 0, width, c},
                               RECT{width - c, height - c, width, height}}) {
        ui::win::GdiObject<HRGN> pixel(CreateRectRgn(corner.left, corner.top, corner.right, corner.bottom));
        CombineRgn(region, region, pixel.Get(), RGN_DIFF);
    }
    ui::win::SetWindowRegion(ui::win::H(window), region);
}

// A memory DC with a bitmap of the window's size selected into it; the bitmap
// leaves the DC before either is deleted.
struct XPButtonWindow::Canvas {
    Canvas(HDC like, int w, int h)
        : dc(like),
          bitmap(ui::win::Traced(CreateCompatibleBitmap(like, std::max(w, 1), std::max(h, 1)),
                                 "CreateCompatibleBitmap (XP button)")),
          selected(dc.Get(), bitmap.Get()),
          width(w), height(h)
    {
    }
    ui::win::MemoryDc dc;
    ui::win::GdiObject<HBITMAP> bitmap;
    ui::win::Selection selected;
    int width, height;
    DesignCanvas design;  // of this size, at the window's DPI
};

XPButtonWindow::XPButtonWindow(ui::Form& form, std::string name) : ui::Control(form, std::move(name))
{
    m_Width = 1185;
    m_Height = 765;
    m_BackColor = ui::vbWindowBackground;
    m_Button.InitProperties(m_Name, form.Font());
    m_Font = m_Button.Font();
}

XPButtonWindow::~XPButtonWindow() { DestroyWindowOf(); }

ui::AccessibleFace XPButtonWindow::Accessible(ui::WindowHandle) const
{
    ui::AccessibleFace face;
    face.role = ui::AccessibleFace::Role::PushButton;
    face.name = text::WithoutAccessMarks(m_Button.Caption());
    face.accessKey = m_Button.AccessKey();
    face.pressable = true;
    return face;
}

bool XPButtonWindow::CreateWindowIn(ui::WindowHandle parentWindow)
{
    HWND window = ui::win::CreateCustomWindow<XPButtonWindow, &XPButtonWindow::HandleMessage>(
        *this, {kButtonClass, CS_DBLCLKS, IDC_ARROW, WS_TABSTOP}, parentWindow, os::win::Wide(m_Button.Caption()));
    m_hWnd = ui::win::ToHandle(window);
    if (!window)
        return false;
    m_WindowText = m_Button.Caption();
    ResizeCanvas();
    m_Button.OnResize();
    return true;
}

void XPButtonWindow::DestroyWindowOf()
{
    m_Canvas.reset();
    ui::Control::DestroyWindowOf();
}

void XPButtonWindow::ResizeCanvas()
{
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(ui::win::H(m_hWnd), &client);
    const ui::win::WindowDc window(ui::win::H(m_hWnd));
    m_Canvas = std::make_unique<Canvas>(window.Get(), client.right, client.bottom);
}

void XPButtonWindow::Draw(const XPButtonLook& look)
{
    if (!m_Canvas)
        return;
    // The window's text follows the caption: scripts find the button by it,
    // and the system reads it where the button has no name of its own.
    if (look.caption != m_WindowText) {
        m_WindowText = look.caption;
        SetWindowTextW(ui::win::H(m_hWnd), os::win::Wide(m_WindowText).c_str());
    }
    DrawFace(m_Canvas->dc.Get(), m_Canvas->width, m_Canvas->height, look,
             ui::win::Font(m_Form.FontFor(m_Button.Font())), DisplayScale(), m_Canvas->design);
    ApplyXPButtonRegion(m_hWnd, m_Canvas->width, m_Canvas->height, DisplayScale());
    InvalidateRect(ui::win::H(m_hWnd), nullptr, FALSE);
}

void XPButtonWindow::PaintOn(ui::DcHandle dc) const
{
    if (m_Canvas)
        BitBlt(ui::win::H(dc), 0, 0, m_Canvas->width, m_Canvas->height, m_Canvas->dc.Get(), 0, 0, SRCCOPY);
}

void XPButtonWindow::RepaintNow()
{
    if (m_hWnd)
        UpdateWindow(ui::win::H(m_hWnd));
}

void XPButtonWindow::ProcessPendingMessages() { ui::DoEvents(); }

void XPButtonWindow::CaptureMouse()
{
    if (m_hWnd)
        SetCapture(ui::win::H(m_hWnd));
}

void XPButtonWindow::MoveFocus(bool forward)
{
    HWND window = ui::win::H(m_hWnd);
    if (HWND next = GetNextDlgTabItem(GetAncestor(window, GA_ROOT), window, !forward))
        ::SetFocus(next);
}

long long XPButtonWindow::HandleMessage(ui::WindowHandle windowHandle, unsigned message, std::uintptr_t wParam,
                                        std::intptr_t lParam)
{
    HWND window = ui::win::H(windowHandle);
    const float x = static_cast<float>(GET_X_LPARAM(lParam));
    const float y = static_cast<float>(GET_Y_LPARAM(lParam));
    if (const auto painted = ui::win::PaintMessage(window, message, wParam, [this](ui::DcHandle dc) { PaintOn(dc); }))
        return *painted;
    switch (message) {
    case WM_SIZE:
        if (m_Canvas) {
            ResizeCanvas();
            m_Button.OnResize();
        }
        return 0;
    case WM_SHOWWINDOW:
        if (wParam)
            m_Button.OnShow();
        break;
    case WM_GETDLGCODE: {
        // Enter is the button's own, as for any focused push button, not the
        // form's default button's.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool enter = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_MOUSEMOVE:
        m_Button.OnMouseMove(ui::win::MouseButtons(wParam), ui::win::ShiftState(), x, y);
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(window);
        SetCapture(window);
        m_Pressed = true;
        m_Button.OnMouseDown(ui::vbLeftButton, ui::win::ShiftState(), x, y);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // a quick second press is a press all the same
        m_Button.OnMouseDown(ui::vbRightButton, ui::win::ShiftState(), x, y);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        m_Button.OnMouseDown(ui::vbMiddleButton, ui::win::ShiftState(), x, y);
        return 0;
    case WM_LBUTTONDBLCLK:
        m_AfterDoubleClick = true;
        m_Button.OnDblClick();
        return 0;
    case WM_LBUTTONUP: {
        const bool pressed = m_Pressed && !m_AfterDoubleClick;
        m_Pressed = false;
        m_AfterDoubleClick = false;
        if (GetCapture() == window)
            ReleaseCapture();
        m_Button.OnMouseUp(ui::vbLeftButton, ui::win::ShiftState(), x, y);
        RECT client{};
        GetClientRect(window, &client);
        // The click of a press and a release on the button; a double click's second release clicks nothing.
        if (pressed && PtInRect(&client, POINT{static_cast<int>(x), static_cast<int>(y)}))
            m_Button.OnClickNotification();
        return 0;
    }
    case WM_RBUTTONUP:
        m_Button.OnMouseUp(ui::vbRightButton, ui::win::ShiftState(), x, y);
        return 0;
    case WM_MBUTTONUP:
        m_Button.OnMouseUp(ui::vbMiddleButton, ui::win::ShiftState(), x, y);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse during a press (one that came up, a
        // menu): the press is over without a click, and is drawn so.
        if (m_Pressed && reinterpret_cast<HWND>(lParam) != window) {
            m_Pressed = false;
            m_Button.OnPressCancelled();
        }
        return 0;
    case WM_SETFOCUS:
        m_Button.OnGotFocus();
        return 0;
    case WM_KILLFOCUS:
        m_Button.OnLostFocus();
        return 0;
    case WM_KEYDOWN:
        m_Button.OnKeyDown(static_cast<int>(wParam), ui::win::ShiftState());
        return 0;
    case WM_CHAR:
        m_Button.OnKeyPress(static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
        m_Button.OnKeyUp(static_cast<int>(wParam), ui::win::ShiftState());
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
