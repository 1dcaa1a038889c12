// The caption button's window: shows the current frame of its picture strip and
// hands mouse input to the button's logic.
#include "ControlButtonWindow.h"

#include "CaptionFace.h"

#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "ui/Trace_win.h"
#include "ui/WinUtil_win.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr wchar_t kButtonClass[] = L"TavrikCaptionButton";
constexpr int kPixels = 21;  // the pictures' size, and the button's at 96 DPI

// The four picture strips, loaded once and kept for the life of the process.
HBITMAP Strip(CaptionPictureSet set)
{
    static HBITMAP strips[4] = {};
    static const wchar_t* const names[4] = {L"CBMIN", L"CBMAX", L"CBCLOSE", L"CBRESTORE"};
    const auto i = static_cast<std::size_t>(set);
    if (!strips[i])
        strips[i] = ui::win::Traced(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), names[i], IMAGE_BITMAP,
                                                                    0, 0, LR_DEFAULTCOLOR)),
                                    "LoadImageW (caption button strip)");
    return strips[i];
}

// A face the strips hold at 100 %, drawn at another size, once for the process.
HBITMAP DrawnFace(const CaptionPicture& picture, int size)
{
    struct Drawn {
        CaptionPicture picture;
        int size;
        HBITMAP face;
    };
    static std::vector<Drawn> drawn;  // the few looks a session shows
    for (const Drawn& d : drawn)
        if (d.picture == picture && d.size == size)
            return d.face;
    const std::vector<std::uint32_t> pixels = DrawCaptionFace(picture.set, picture.index, size);
    if (pixels.empty())
        return nullptr;
    HBITMAP face = ui::win::BitmapOfPixels(size, size, pixels.data());
    if (face)
        drawn.push_back({picture, size, face});
    return face;
}

}  // namespace

ControlButtonWindow::ControlButtonWindow(ui::Form& form, std::string name) : ui::Control(form, std::move(name))
{
    m_Width = m_Height = ControlButton::kSizeTwips;
}

ControlButtonWindow::ControlButtonWindow(ui::Form& form, std::string name, ui::Control::Piece piece)
    : ui::Control(form, std::move(name), piece)
{
    m_Width = m_Height = ControlButton::kSizeTwips;
}

void ControlButtonWindow::Move(int left, int top, int, int)
{
    ui::Control::Move(left, top, ControlButton::kSizeTwips, ControlButton::kSizeTwips);
}

bool ControlButtonWindow::CreateWindowIn(ui::WindowHandle parentWindow)
{
    m_Named = NameOf(m_Button.ButtonStyle());
    HWND window = ui::win::CreateCustomWindow<ControlButtonWindow, &ControlButtonWindow::HandleMessage>(
        *this, {kButtonClass}, parentWindow, m_Named,
        SIZE{DisplayScale().Pixels(kPixels), DisplayScale().Pixels(kPixels)});
    m_hWnd = ui::win::ToHandle(window);
    return window != nullptr;
}

const wchar_t* ControlButtonWindow::NameOf(std::int32_t buttonStyle)
{
    switch (buttonStyle) {
    case 0: return L"Minimize";
    case 1: return L"Maximize";
    case 3: return L"Restore";
    default: return L"Close";
    }
}

ui::AccessibleFace ControlButtonWindow::Accessible(ui::WindowHandle) const
{
    ui::AccessibleFace face;
    face.role = ui::AccessibleFace::Role::PushButton;
    face.pressable = true;
    // The frame keeps the maximize glyph while the window is maximized; the
    // button then restores it.
    const bool restores = m_Button.ButtonStyle() == 1 && m_hWnd && IsZoomed(GetAncestor(ui::win::H(m_hWnd), GA_ROOT));
    face.name = os::win::Narrow(restores ? NameOf(3) : NameOf(m_Button.ButtonStyle()));
    return face;
}

void ControlButtonWindow::ShowPicture(const CaptionPicture& picture)
{
    m_Shown = picture;
    if (!m_hWnd)
        return;
    InvalidateRect(ui::win::H(m_hWnd), nullptr, FALSE);
    // The name a screen reader reads is the window's text, by the glyph the
    // button is set to draw.
    if (const wchar_t* name = NameOf(m_Button.ButtonStyle()); name != m_Named) {
        m_Named = name;
        SetWindowTextW(ui::win::H(m_hWnd), name);
    }
}

void ControlButtonWindow::Repaint()
{
    if (m_hWnd) {
        InvalidateRect(ui::win::H(m_hWnd), nullptr, FALSE);
        UpdateWindow(ui::win::H(m_hWnd));
    }
}

void ControlButtonWindow::PaintOn(ui::DcHandle dc) const
{
    if (ui::CurrentServices().palette.HighContrast()) {
        // The system's own caption button, in the system's colours.
        HWND window = ui::win::H(m_hWnd);
        UINT glyph = DFCS_CAPTIONCLOSE;
        switch (m_Button.ButtonStyle()) {
        case 0: glyph = DFCS_CAPTIONMIN; break;
        case 1: glyph = IsZoomed(GetAncestor(window, GA_ROOT)) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX; break;
        case 3: glyph = DFCS_CAPTIONRESTORE; break;
        default: break;
        }
        if (!m_Enabled)
            glyph |= DFCS_INACTIVE;
        else if (GetCapture() == window && ui::PointerIsOver(m_hWnd))
            glyph |= DFCS_PUSHED;
        RECT r{};
        GetClientRect(window, &r);
        DrawFrameControl(ui::win::H(dc), &r, DFC_CAPTION, glyph);
        return;
    }
    RECT r{};
    GetClientRect(ui::win::H(m_hWnd), &r);
    ui::win::MemoryDc source(ui::win::H(dc));
    if (r.right == kPixels && r.bottom == kPixels) {
        HBITMAP strip = Strip(m_Shown.set);
        if (!strip)
            return;
        ui::win::Selection selected(source.Get(), strip);
        BitBlt(ui::win::H(dc), 0, 0, kPixels, kPixels, source.Get(), m_Shown.index * kPixels, 0, SRCCOPY);
        return;
    }
    // At another scale the face is drawn for its size from the strips' design.
    HBITMAP face = DrawnFace(m_Shown, r.right);
    if (!face)
        return;
    ui::win::Selection selected(source.Get(), face);
    SetStretchBltMode(ui::win::H(dc), COLORONCOLOR);
    StretchBlt(ui::win::H(dc), 0, 0, r.right, r.bottom, source.Get(), 0, 0, r.right, r.right, SRCCOPY);
}

long long ControlButtonWindow::HandleMessage(ui::WindowHandle windowHandle, unsigned message, std::uintptr_t wParam,
                                             std::intptr_t lParam)
{
    HWND window = ui::win::H(windowHandle);
    // The picture covers every pixel.
    if (const auto painted = ui::win::PaintMessage(window, message, wParam, [this](ui::DcHandle dc) { PaintOn(dc); }))
        return *painted;
    switch (message) {
    case WM_LBUTTONDOWN:
        SetCapture(window);
        m_Button.PicMain_MouseDown(ui::vbLeftButton);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        m_Button.PicMain_MouseDown(ui::win::ButtonOf(message));
        return 0;
    case WM_MOUSEMOVE:
        m_Button.PicMain_MouseMove(ui::win::MouseButtons(wParam));
        return 0;
    case WM_LBUTTONUP: {
        const bool captured = GetCapture() == window;
        if (captured)
            ReleaseCapture();
        RECT client{};
        GetClientRect(window, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        // A click is a press and a release both on the button.
        if (captured && PtInRect(&client, at))
            m_Button.PicMain_Click();
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
