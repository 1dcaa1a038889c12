// The toolkit's form as the frame's host, over Win32.
#include "FormAsFrameHost.h"

#include "FrameRegion.h"
#include "ui/App.h"
#include "ui/Scale.h"
#include "ui/WinUtil_win.h"

#include <windows.h>

#include <cmath>

using ui::win::H;

namespace {


HRGN RoundedRegion(frame::TwipSize size, const ui::Scale& scale)
{
    return ui::win::UnionRegion(frame::RegionRects(size, scale.TwipsPerPixelX(), scale.TwipsPerPixelY()),
                                [](const frame::RegionRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; });
}

}  // namespace

frame::TwipRect FormAsFrameHost::Bounds() const
{
    return {m_Form.Left(), m_Form.Top(), m_Form.Width(), m_Form.Height()};
}

frame::TwipRect FormAsFrameHost::RestoredBounds() const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!m_Form.hWnd() || !GetWindowPlacement(H(m_Form.hWnd()), &placement))
        return Bounds();
    const RECT& r = placement.rcNormalPosition;
    return {m_Form.DisplayScale().PixelsToTwipsX(r.left), m_Form.DisplayScale().PixelsToTwipsY(r.top), m_Form.DisplayScale().PixelsToTwipsX(r.right - r.left),
            m_Form.DisplayScale().PixelsToTwipsY(r.bottom - r.top)};
}

void FormAsFrameHost::Move(const frame::TwipRect& b) { m_Form.Move(b.left, b.top, b.width, b.height); }

void FormAsFrameHost::EndProgram() { ui::End(); }

void FormAsFrameHost::DoEvents() { ui::DoEvents(); }

std::vector<ui::Menu*> FormAsFrameHost::Menus() const
{
    std::vector<ui::Menu*> menus;
    for (ui::Menu* menu : m_Form.Menus())
        if (!menu->ParentMenu())
            menus.push_back(menu);
    return menus;
}

std::vector<XPFormHost::MenuInfo> FormAsFrameHost::TopMenus() const
{
    std::vector<MenuInfo> infos;
    for (const ui::Menu* menu : Menus())
        infos.push_back({menu->Tag(), menu->Caption(), menu->Enabled()});
    return infos;
}

void FormAsFrameHost::HideMenu(std::size_t index)
{
    const auto menus = Menus();
    if (index < menus.size())
        menus[index]->Visible(false);
}

void FormAsFrameHost::PopupMenu(std::size_t index, float x, float y)
{
    const auto menus = Menus();
    if (index < menus.size())
        m_Form.PopupMenu(*menus[index], x, y);
}

void FormAsFrameHost::Restyle(const frame::TwipRect& b, bool minimizable)
{
    HWND window = H(m_Form.hWnd());
    if (!window)
        return;
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_DLGFRAME | WS_BORDER | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    // Without a caption the box draws nothing; it only lets the window menu's
    // Minimize work as the frame's button does.
    style |= WS_SYSMENU | (minimizable ? WS_MINIMIZEBOX : 0);
    SetWindowLongPtrW(window, GWL_STYLE, style);
    // A fixed dialog's frame is an extended style: without this it would stay
    // around the skinned frame.
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME));
    // The new frame applied at the bounds, and nothing else: the window keeps
    // its place among the others and the activation (the end of every border
    // drag comes here), and a form restyled before its show stays hidden.
    const ui::Scale& scale = m_Form.DisplayScale();
    SetWindowPos(window, nullptr, scale.TwipsToPixelsX(b.left), scale.TwipsToPixelsY(b.top),
                 scale.TwipsToPixelsX(b.width), scale.TwipsToPixelsY(b.height),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormAsFrameHost::Region(const frame::TwipRect& b)
{
    if (!m_Form.hWnd())
        return;
    const frame::TwipSize size{static_cast<double>(b.width), static_cast<double>(b.height)};
    ui::win::SetWindowRegion(H(m_Form.hWnd()), RoundedRegion(size, m_Form.DisplayScale()));
}

void FormAsFrameHost::StartMove()
{
    // The window system's own move loop moves the host.
    ReleaseCapture();
    SendMessageW(H(m_Form.hWnd()), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

frame::Point FormAsFrameHost::CursorPos() const
{
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

void FormAsFrameHost::CursorPos(frame::Point at) { SetCursorPos(at.x, at.y); }

