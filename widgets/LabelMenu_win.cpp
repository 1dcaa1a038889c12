// The menu-bar item's window: paints its colour, border and caption, and hands
// the mouse to the item's logic.
#include "LabelMenuWindow.h"

#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "ui/WinUtil_win.h"

#include <windows.h>
#include <windowsx.h>

namespace {

constexpr wchar_t kItemClass[] = L"TavrikMenuItem";

using os::win::Wide;

}  // namespace

LabelMenuWindow::LabelMenuWindow(ui::Form& form, std::string name) : LabelMenuWindow(form, std::move(name), Piece{})
{
    m_Form.Register(*this);
}

LabelMenuWindow::LabelMenuWindow(ui::Form& form, std::string name, ui::Control::Piece piece)
    : ui::Control(form, std::move(name), piece)
{
    ui::Control::BackColor(LabelMenu::kHighlightColor);  // the design colour
    m_Height = LabelMenu::kHeightTwips;
    m_Width = LabelWidth() + LabelMenu::kLabelMarginTwips;
}

LabelMenuWindow::PixelSize LabelMenuWindow::LabelPixels() const
{
    // Measured in the host's font, as the label sizes itself.
    ui::win::WindowDc screen(nullptr);
    ui::win::Selection font(screen.Get(), ui::win::Font(m_Form.FontFor(m_Font)));
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.Get(), Wide(m_Caption).c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return PixelSize{r.right, r.bottom};
}

int LabelMenuWindow::LabelWidth() const { return DisplayScale().PixelsToTwipsX(LabelPixels().cx); }

void LabelMenuWindow::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    if (m_hWnd)
        SetWindowTextW(ui::win::H(m_hWnd), Wide(m_Caption).c_str());  // what scripts find it by
    Invalidate();
}

void LabelMenuWindow::BorderStyle(int New_BorderStyle)
{
    m_BorderStyle = New_BorderStyle;
    if (!m_hWnd)
        return;
    HWND window = ui::win::H(m_hWnd);
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    style = New_BorderStyle == ui::vbFixedSingle ? (style | WS_BORDER) : (style & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowLongPtrW(window, GWL_STYLE, style);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    InvalidateRect(window, nullptr, TRUE);
}

void LabelMenuWindow::Move(int left, int top, int width, int height)
{
    ui::Control::Move(left, top, width, height);
    if (width != LabelWidth() + LabelMenu::kLabelMarginTwips || height != LabelMenu::kHeightTwips)
        m_Item.OnResize();
}

bool LabelMenuWindow::CreateWindowIn(ui::WindowHandle parentWindow)
{
    const DWORD border = m_BorderStyle == ui::vbFixedSingle ? WS_BORDER : 0;
    HWND window = ui::win::CreateCustomWindow<LabelMenuWindow, &LabelMenuWindow::HandleMessage>(
        *this, {kItemClass, 0, IDC_ARROW, border}, parentWindow, Wide(m_Caption));
    m_hWnd = ui::win::ToHandle(window);
    return window != nullptr;
}

ui::AccessibleFace LabelMenuWindow::Accessible(ui::WindowHandle) const
{
    ui::AccessibleFace face;
    face.role = ui::AccessibleFace::Role::MenuItem;
    face.name = text::WithoutAccessMarks(m_Caption);
    face.accessKey = text::AccessKeyOf(m_Caption);
    face.pressable = true;
    return face;
}

void LabelMenuWindow::PaintOn(ui::DcHandle dcHandle) const
{
    HDC dc = ui::win::H(dcHandle);
    RECT client{};
    GetClientRect(ui::win::H(m_hWnd), &client);
    const bool lit = m_BackColor == LabelMenu::kHighlightColor;
    const ui::TextColors drawn =
        ui::Readable(m_Enabled ? ui::vbButtonText : ui::SystemColor(COLOR_GRAYTEXT), m_BackColor,
                     lit ? ui::Surface::Highlight : ui::Surface::Menu, m_Enabled, ui::CurrentServices().palette);
    FillRect(dc, &client, ui::win::Brush(m_Form.BrushFor(drawn.back)));
    ui::win::Selection font(dc, ui::win::Font(m_Form.FontFor(m_Font)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::win::ToColorRef(drawn.text));
    RECT text{DisplayScale().TwipsToPixelsX(kLabelLeftTwips), DisplayScale().TwipsToPixelsY(kLabelTopTwips), client.right, client.bottom};
    DrawTextW(dc, Wide(m_Caption).c_str(), -1, &text, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

long long LabelMenuWindow::HandleMessage(ui::WindowHandle windowHandle, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam)
{
    HWND window = ui::win::H(windowHandle);
    // Mouse positions in twips, relative to the label when the pointer is on it.
    const auto at = [&](float& x, float& y) {
        int px = GET_X_LPARAM(lParam), py = GET_Y_LPARAM(lParam);
        const int labelLeft = DisplayScale().TwipsToPixelsX(kLabelLeftTwips), labelTop = DisplayScale().TwipsToPixelsY(kLabelTopTwips);
        const PixelSize size = LabelPixels();
        RECT label{labelLeft, labelTop, labelLeft + size.cx, labelTop + size.cy};
        if (PtInRect(&label, POINT{px, py})) {
            px -= labelLeft;
            py -= labelTop;
        }
        x = static_cast<float>(px * DisplayScale().TwipsPerPixelX());
        y = static_cast<float>(py * DisplayScale().TwipsPerPixelY());
    };
    float x = 0, y = 0;
    if (const auto painted = ui::win::PaintMessage(window, message, wParam, [this](ui::DcHandle dc) { PaintOn(dc); }))
        return *painted;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int button = ui::win::ButtonOf(message);
        if (button == ui::vbLeftButton) {
            m_Pressed = true;
            SetCapture(window);
        }
        at(x, y);
        m_Item.OnMouseDown(button, ui::win::ShiftState(), x, y);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse during the press (a pop-up menu the
        // press opened, which eats its release): a release later is no end of it.
        if (reinterpret_cast<HWND>(lParam) != window)
            m_Pressed = false;
        return 0;
    case WM_MOUSEMOVE:
        at(x, y);
        m_Item.OnMouseMove(ui::win::MouseButtons(wParam), ui::win::ShiftState(), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = ui::win::ButtonOf(message);
        at(x, y);
        m_Item.OnMouseUp(button, ui::win::ShiftState(), x, y);
        if (button == ui::vbLeftButton && m_Pressed) {
            m_Pressed = false;
            if (GetCapture() == window)
                ReleaseCapture();
            RECT client{};
            GetClientRect(window, &client);
            if (PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
                m_Item.OnClick();
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
