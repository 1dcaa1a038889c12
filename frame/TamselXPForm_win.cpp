// The skinned frame over Win32: its window paints the title band, borders, icon
// and caption from the scheme's pictures, hosts the caption buttons, the menu
// strip and the client area, and hands the mouse on its pieces to the logic.
#include "TamselXPFormWindow.h"

#include "FrameThemes.h"
#include "ui/App.h"
#include "ui/Scale.h"
#include "ui/RunLengthPicture.h"
#include "ui/Services.h"
#include "ui/Trace_win.h"
#include "ui/WinUtil_win.h"

#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <span>
#include <tuple>

using ui::win::GdiObject;
using ui::win::H;
using os::win::Narrow;
using os::win::Wide;
using ui::win::Selection;

namespace {

constexpr wchar_t kFrameClass[] = L"TavrikFrame";
constexpr wchar_t kPaneClass[] = L"TavrikFramePane";

// A piece drawn for a scale, from its run-length resource; null where there
// is none.
HBITMAP ScaledPiece(const std::wstring& name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(256));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return nullptr;
    const auto picture = ui::DecodeRunLength(std::span(bytes, SizeofResource(module, found)));
    return picture ? ui::win::BitmapOfPixels(picture->width, picture->height, picture->pixels.data()) : nullptr;
}

// The scheme pictures of the eight pieces in the set drawn for a scale,
// loaded once for the process; where the program holds no such set (the
// tests' own resources), the 100 % bitmap.
HBITMAP PiecePicture(int list, int index, int set)
{
    static std::map<std::tuple<int, int, int>, HBITMAP> pictures;
    if (list < 1 || list > 8 || index < 0 || index > 5)
        return nullptr;
    HBITMAP& picture = pictures[{list, index, set}];
    if (!picture) {
        const std::wstring name = L"IMAGE" + std::to_wstring(list) + L"_" + std::to_wstring(index);
        picture = ScaledPiece(name + L"_" + std::to_wstring(set));
        if (!picture)
            picture = ui::win::Traced(
                static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0)),
                "LoadImageW (frame piece)");
    }
    return picture;
}

int Round(float value) { return static_cast<int>(std::lround(value)); }

RECT PixelRect(const frame::PieceRect& r)
{
    return RECT{Round(r.left), Round(r.top), Round(r.left + r.width), Round(r.top + r.height)};
}

}  // namespace

// ---- construction ------------------------------------------------------------------

TamselXPFormWindow::TamselXPFormWindow(ui::Form& host, std::string name)
    : ui::Control(host, std::move(name)),
      TamselXPForm(m_HostForm, *this, host.Font()),
      Minimizebutton(host, "Minimizebutton", ui::Control::Piece{}),
      MaximizeButton(host, "MaximizeButton", ui::Control::Piece{}),
      CloseButton(host, "CloseButton", ui::Control::Piece{}),
      m_HostForm(host)
{
    Minimizebutton.Button().ButtonStyle(0);
    MaximizeButton.Button().ButtonStyle(1);
    CloseButton.Button().ButtonStyle(2);
    Minimizebutton.Button().Click = [this] { MinimizeClick(); };
    MaximizeButton.Button().Click = [this] { MaxBtnClick(); };
    CloseButton.Button().Click = [this] { CloseClick(); };
    m_Form.AddListener(*this);
}

TamselXPFormWindow::~TamselXPFormWindow()
{
    m_Form.RemoveListener(*this);
    TamselXPFormWindow::DestroyWindowOf();
}

std::string TamselXPFormWindow::GetCompName() const
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length))
        return {};
    return Narrow(std::wstring_view(name, length));
}

// ---- the surface -------------------------------------------------------------------

void TamselXPFormWindow::Move(int left, int top, int width, int height)
{
    const double oldWidth = m_Width, oldHeight = m_Height;
    ui::Control::Move(left, top, width, height);
    Resized(oldWidth, oldHeight);
}

void TamselXPFormWindow::FrameSize(double width, double height)
{
    ui::Control::Move(m_Left, m_Top, static_cast<int>(width), static_cast<int>(height));
}

ControlButton& TamselXPFormWindow::Button(CaptionButtonId which)
{
    switch (which) {
    case CaptionButtonId::Minimize: return Minimizebutton.Button();
    case CaptionButtonId::Maximize: return MaximizeButton.Button();
    default: return CloseButton.Button();
    }
}

void TamselXPFormWindow::ButtonVisible(CaptionButtonId which, bool visible)
{
    (which == CaptionButtonId::Minimize   ? Minimizebutton
     : which == CaptionButtonId::Maximize ? MaximizeButton
                                          : CloseButton)
        .Visible(visible);
}

void TamselXPFormWindow::Placed(const frame::Layout& l)
{
    const ui::Scale& scale = DisplayScale();
    const auto place = [&scale](ControlButtonWindow& button, const frame::PieceRect& r) {
        button.Move(scale.PixelsToTwipsX(Round(r.left)), scale.PixelsToTwipsY(Round(r.top)), 0, 0);
    };
    place(CloseButton, l.CloseButton);
    place(MaximizeButton, l.MaximizeButton);
    place(Minimizebutton, l.Minimizebutton);
    // A pane already in its place is not moved again: every move is a round
    // trip to the window system, and the layout is placed several times over.
    const auto placePane = [](ui::WindowHandle pane, int left, int top, int width, int height) {
        RECT at{};
        GetWindowRect(H(pane), &at);
        MapWindowPoints(nullptr, GetParent(H(pane)), reinterpret_cast<POINT*>(&at), 2);
        const RECT to{left, top, left + width, top + height};
        if (!EqualRect(&at, &to))
            SetWindowPos(H(pane), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (m_Menu)
        placePane(m_Menu, Round(l.pICmenu.left), Round(l.pICmenu.top), Round(l.pICmenu.width),
                  Round(l.pICmenu.height));
    if (m_PicMain)
        placePane(m_PicMain, Round(PicMainLeft()), Round(l.PicMainTop), Round(PicMainWidth()), Round(PicMainHeight()));
    if (!m_hWnd)
        return;
    // The frame is its pieces only: inside the borders the form's own drawing
    // (its shapes, lines and pictures) shows, as through a transparent control.
    std::vector<frame::PieceRect> pieces{l.TitleLeft, l.Title, l.TitleRight, l.Left, l.Right, l.Bottom, l.BottomLeft,
                                         l.BottomRight};
    if (MenuStripVisible())
        pieces.push_back(l.pICmenu);
    if (ClientAreaVisible())
        pieces.push_back({PicMainLeft(), l.PicMainTop, PicMainWidth(), PicMainHeight()});
    ui::win::SetWindowRegion(H(m_hWnd), ui::win::UnionRegion(pieces, PixelRect));
    Redraw();
}

void TamselXPFormWindow::Redraw()
{
    for (ui::WindowHandle window : {m_hWnd, m_Menu, m_PicMain})
        if (window)
            InvalidateRect(H(window), nullptr, window != m_hWnd);
}

void TamselXPFormWindow::ShowMenuStrip(bool visible)
{
    if (m_Menu)
        ShowWindow(H(m_Menu), visible ? SW_SHOWNA : SW_HIDE);
}

void TamselXPFormWindow::ShowClientArea(bool visible)
{
    if (m_PicMain)
        ShowWindow(H(m_PicMain), visible ? SW_SHOWNA : SW_HIDE);
}

void TamselXPFormWindow::EnableClientArea(bool enabled)
{
    if (m_PicMain)
        EnableWindow(H(m_PicMain), enabled);
}

XPFormSurface::LabelSize TamselXPFormWindow::AddMenuLabel(std::size_t n, const std::string& caption,
                                                          ui::Color backColor, bool enabled, int left, int top)
{
    auto label = std::make_unique<LabelMenuWindow>(m_Form, "LbMenu" + std::to_string(n), ui::Control::Piece{});
    label->Item().Caption(caption);
    label->Item().BackColor(backColor);
    label->Item().Enabled(enabled);
    label->Move(left, top, label->Width(), label->Height());
    label->Item().Click = [this, n] { MenuLabel_Click(n); };
    label->Item().MouseDown = [this, n](int& Button, int&, float&, float&) { MenuLabel_MouseDown(n, Button); };
    if (m_Menu)
        label->CreateWindowIn(m_Menu);
    const LabelSize size{label->Width(), label->Height()};
    m_MenuLabels.push_back(std::move(label));
    return size;
}

void TamselXPFormWindow::ContainerRegion(double widthTwips, double heightTwips)
{
    m_HostForm.Region({0, 0, static_cast<int>(widthTwips), static_cast<int>(heightTwips)});
}

// ---- adoption, child forms, window commands ---------------------------------------------

void TamselXPFormWindow::LoadXP(std::int16_t& OptModal, ui::Form* OwnForm)
{
    ui::Control::Move(0, 0, m_Width, m_Height);
    if (!Adopt(OptModal, OwnForm != nullptr))
        return;
    m_Form.Hide();
    ui::DoEvents();
    if (OwnForm)
        m_Form.Show(OptModal, OwnForm);
    else
        m_Form.Show(1);
}

void TamselXPFormWindow::FormShown()
{
    if (Shown()) {
        std::int16_t modal = 0;
        LoadXP(modal, nullptr);
    }
}

void TamselXPFormWindow::FormOnTop(ui::WindowHandle hWindow, bool bTopMost)
{
    SetWindowPos(H(hWindow), bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

bool TamselXPFormWindow::ShowChild(ui::Form& IpForm)
{
    IpForm.Show(0, &m_Form);
    if (!IpForm.hWnd() || !m_PicMain || !SetParent(H(IpForm.hWnd()), H(m_PicMain)))
        return false;
    return ChildShown();
}

void TamselXPFormWindow::ContainerCheck()
{
    const auto& menus = m_Form.Menus();
    for (ui::Control* control : m_Form.Controls()) {
        if (std::find(menus.begin(), menus.end(), control) != menus.end())
            return;  // no container: the scan ends here
        control->Move(control->Left() + 75, control->Top() + 450, control->Width(), control->Height());
    }
}

// ---- the windows --------------------------------------------------------------------------

ui::AccessibleFace TamselXPFormWindow::Accessible(ui::WindowHandle window) const
{
    ui::AccessibleFace face;
    if (window == m_Menu && m_Menu) {
        face.role = ui::AccessibleFace::Role::MenuBar;
        face.name = "Menu bar";
    }
    return face;  // the frame and its contents pane are read by their window texts
}

bool TamselXPFormWindow::CreateWindowIn(ui::WindowHandle parentWindow)
{
    // The frame's own class keeps no cursor: each piece sets its own.
    if (!ui::win::RegisterWindowClass(
            kPaneClass, ui::win::BoundWindowProc<TamselXPFormWindow, &TamselXPFormWindow::HandlePaneMessage>,
            CS_DBLCLKS, IDC_ARROW))
        return false;
    HWND window = ui::win::CreateCustomWindow<TamselXPFormWindow, &TamselXPFormWindow::HandleMessage>(
        *this, {kFrameClass, CS_DBLCLKS, nullptr, WS_CLIPCHILDREN}, parentWindow, L"Window frame");
    if (!window)
        return false;
    m_hWnd = ui::win::ToHandle(window);
    // Under every other control of the form.
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        if (!button->CreateWindowIn(m_hWnd))
            return false;
    m_Menu = ui::win::ToHandle(CreateWindowExW(0, kPaneClass, L"Menu bar", WS_CHILD | WS_CLIPCHILDREN, 4, 30, 100, 24,
                                               window, nullptr, GetModuleHandleW(nullptr), this));
    m_PicMain = ui::win::ToHandle(CreateWindowExW(0, kPaneClass, L"Window contents", WS_CHILD | WS_CLIPCHILDREN,
                                                  Round(PicMainLeft()), 30, Round(PicMainWidth()),
                                                  Round(PicMainHeight()), window, nullptr, GetModuleHandleW(nullptr),
                                                  this));
    if (!m_Menu || !m_PicMain)
        return false;
    ShowMenuStrip(MenuStripVisible());
    for (auto& label : m_MenuLabels)
        if (!label->CreateWindowIn(m_Menu))
            return false;
    ShowClientArea(ClientAreaVisible());
    EnableClientArea(TamselXPForm::Enabled());
    Repos();
    return true;
}

void TamselXPFormWindow::ScaleChanged()
{
    ui::Control::ScaleChanged();
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->ScaleChanged();
    for (auto& label : m_MenuLabels)
        label->ScaleChanged();
    Repos();
}

void TamselXPFormWindow::DestroyWindowOf()
{
    for (auto& label : m_MenuLabels)
        label->DestroyWindowOf();
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->DestroyWindowOf();
    m_Menu = m_PicMain = {};
    ui::Control::DestroyWindowOf();
}

void TamselXPFormWindow::Paint(ui::DcHandle dcHandle) const
{
    HDC dc = ui::win::H(dcHandle);
    RECT client{};
    GetClientRect(H(m_hWnd), &client);
    ui::Palette& palette = ui::CurrentServices().palette;
    FillRect(dc, &client, ui::win::Brush(m_Form.BrushFor(ui::Backdrop(m_Form.BackColor(), ui::Surface::Face, palette))));

    const auto& l = CurrentLayout();
    // In high contrast the frame is drawn in the system's colours for window
    // frames, not its pictures: the title band in the caption colour, the
    // borders in the border colour, outlined in the window-frame colour.
    const bool systemColors = palette.HighContrast();
    const bool active = GetActiveWindow() == GetAncestor(H(m_hWnd), GA_ROOT);
    if (systemColors) {
        const RECT title{0, 0, client.right, Round(l.Title.top + l.Title.height)};
        FillRect(dc, &title, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        for (const frame::PieceRect* piece : {&l.Left, &l.Right, &l.Bottom, &l.BottomLeft, &l.BottomRight}) {
            const RECT r = PixelRect(*piece);
            FillRect(dc, &r, GetSysColorBrush(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
        }
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    } else {
        const ui::win::MemoryDc source(dc);
        // The set drawn for the window's scale: ends and corners land on their
        // places pixel for pixel, tiles are stretched along their length.
        const int set = frame::PictureSetFor(DisplayScale().DpiY());
        const auto blit = [&](int list, const frame::PieceRect& where) {
            HBITMAP picture = PiecePicture(list, PictureIndex(), set);
            if (!picture)
                return;
            BITMAP size{};
            if (!ui::win::Traced(GetObjectW(picture, sizeof size, &size), "GetObjectW (frame piece)"))
                return;  // the piece is left out; the rest of the frame is drawn
            Selection selected(source.Get(), picture);
            const RECT r = PixelRect(where);
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Get(), 0, 0, size.bmWidth,
                       size.bmHeight, SRCCOPY);
        };
        blit(frame::kTitleList, l.Title);
        blit(frame::kTitleLeftList, l.TitleLeft);
        blit(frame::kTitleRightList, l.TitleRight);
        blit(frame::kLeftList, l.Left);
        blit(frame::kRightList, l.Right);
        blit(frame::kBottomList, l.Bottom);
        blit(frame::kBottomLeftList, l.BottomLeft);
        blit(frame::kBottomRightList, l.BottomRight);
    }

    if (ShowIcon() && Icon())
        if (HICON icon = ui::win::LoadIconResource(Icon(), Round(l.TitleIcon.width)))
            DrawIconEx(dc, Round(l.TitleIcon.left), Round(l.TitleIcon.top), icon, Round(l.TitleIcon.width),
                       Round(l.TitleIcon.height), 0, nullptr, DI_NORMAL);

    Selection font(dc, ui::win::Font(m_Form.FontFor(Font())));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, systemColors ? GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)
                                  : ui::win::ToColorRef(CaptionColor()));
    RECT text{Round(l.Caption1.left), Round(l.Caption1.top), Round(l.CloseButton.left), Round(l.Title.height)};
    DrawTextW(dc, Wide(Caption()).c_str(), -1, &text, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
}

long long TamselXPFormWindow::HandleMessage(ui::WindowHandle windowHandle, unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam)
{
    HWND window = H(windowHandle);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (const auto painted = ui::win::PaintMessage(window, message, wParam, [this](ui::DcHandle dc) { Paint(dc); }))
        return *painted;
    switch (message) {
    case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        static const LPCWSTR kCursors[] = {IDC_ARROW, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZENESW};
        SetCursor(LoadCursorW(nullptr, kCursors[static_cast<int>(Frame_MouseMove(at.x, at.y))]));
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int button = ui::win::ButtonOf(message);
        // A border press keeps the mouse until its release.
        if (frame::EdgeOf(frame::PieceAt(CurrentLayout(), ShowIcon(), x, y)))
            SetCapture(window);
        Frame_MouseDown(x, y, button);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        // The drag is applied before the mouse is let go: letting it go first
        // would tell the frame its capture was lost, and drop the drag.
        Frame_MouseUp(ui::win::ButtonOf(message));
        if (GetCapture() == window && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window)
            Frame_DragCancelled();
        return 0;
    case WM_CANCELMODE:
        Frame_DragCancelled();
        break;  // the default handling lets the mouse go
    case WM_LBUTTONDBLCLK:
        Frame_DblClick(x, y);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void TamselXPFormWindow::PaintPane(ui::WindowHandle windowHandle, ui::DcHandle dcHandle) const
{
    HDC dc = ui::win::H(dcHandle);
    const bool client = windowHandle == m_PicMain;
    RECT r{};
    GetClientRect(H(windowHandle), &r);
    ui::Palette& palette = ui::CurrentServices().palette;
    FillRect(dc, &r,
             ui::win::Brush(m_Form.BrushFor(client ? ui::Backdrop(BackColor(), ui::Surface::Face, palette)
                                                   : ui::Backdrop(MenuBackColor(), ui::Surface::Menu, palette))));
    if (client && Picture()) {
        if (auto picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Picture()),
                                                           IMAGE_BITMAP, 0, 0, LR_SHARED))) {
            const ui::win::MemoryDc source(dc);
            BITMAP info{};
            if (!ui::win::Traced(GetObjectW(picture, sizeof info, &info), "GetObjectW (client picture)"))
                return;
            Selection selected(source.Get(), picture);
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
        }
    }
    if (!client) {
        // The strip's two separator lines at 345 twips, across its width.
        const int y = DisplayScale().TwipsToPixelsY(345);
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, palette.HighContrast() ? GetSysColor(COLOR_MENUTEXT) : RGB(0xC0, 0xC0, 0xC0)));
        Selection select(dc, pen.Get());
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, DisplayScale().TwipsToPixelsX(CurrentLayout().menuLineX2Twips), y);
    }
}

long long TamselXPFormWindow::HandlePaneMessage(ui::WindowHandle windowHandle, unsigned message, std::uintptr_t wParam,
                                                std::intptr_t lParam)
{
    HWND window = H(windowHandle);
    const bool client = windowHandle == m_PicMain;
    switch (message) {
    case WM_ERASEBKGND:
        PaintPane(windowHandle, ui::win::ToHandle(reinterpret_cast<HDC>(wParam)));
        return 1;
    case WM_LBUTTONUP:
        if (client && Click)
            Click();
        break;
    case WM_LBUTTONDBLCLK:
        if (client && DblClick)
            DblClick();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
        if (client) {
            const int button =
                message == WM_MOUSEMOVE ? ui::win::MouseButtons(wParam) : ui::win::ButtonOf(message);
            const float fx = static_cast<float>(GET_X_LPARAM(lParam) * DisplayScale().TwipsPerPixelX());
            const float fy = static_cast<float>(GET_Y_LPARAM(lParam) * DisplayScale().TwipsPerPixelY());
            const auto& event = message == WM_MOUSEMOVE ? MouseMove : MouseDown;
            if (event)
                event(button, ui::win::ShiftState(), fx, fy);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
