// The menu-drawing control over Win32: it hooks its window's procedure, turns
// the items of every pop-up menu owner-drawn as the menu opens, and measures
// and draws them itself.
#include "ctxHookMenu.h"

#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "ui/WinUtil_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

using os::win::Narrow;
using os::win::Wide;
using ui::win::GdiObject;
using ui::win::Selection;
using ui::win::ToColorRef;

namespace {

// The design's pixels at 96 DPI; each menu scales them to its window's DPI.
constexpr int kBarWidth = 24;  // the picture bar on the left of every item
constexpr int kItemHeight = 22;
constexpr int kItemMargins = 9;  // the row's height beyond its text's, at 96 DPI
constexpr int kSeparatorHeight = 7;
constexpr int kPictureSize = 16;

LRESULT MenuHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    bool handled = false;
    const long long result = reinterpret_cast<ctxHookMenu*>(data)->Hook(message, wParam, lParam, handled);
    if (handled)
        return static_cast<LRESULT>(result);
    return ui::win::DefSubclass(window, message, wParam, lParam);
}

void Gradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal)
{
    const int span = horizontal ? r.right - r.left : r.bottom - r.top;
    for (int i = 0; i < span; ++i) {
        const auto mix = [&](int shift) {
            const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
            return (a + (b - a) * i / (span > 1 ? span - 1 : 1)) & 0xFF;
        };
        GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(mix(0), mix(8), mix(16))));
        RECT line = horizontal ? RECT{r.left + i, r.top, r.left + i + 1, r.bottom}
                               : RECT{r.left, r.top + i, r.right, r.top + i + 1};
        FillRect(dc, &line, brush.Get());
    }
}

// The item colours of a menu in the system's menu colours, no gradients.
ctxHookMenu::Colors SystemMenuColors()
{
    ctxHookMenu::Colors colors;
    colors.Back = colors.Back2 = colors.Bar = colors.Bar2 = colors.SeparatorLight = ui::SystemColor(COLOR_MENU);
    colors.Selection = colors.Selection2 = ui::SystemColor(COLOR_HIGHLIGHT);
    colors.SelectionBorder = colors.SelectedText = ui::SystemColor(COLOR_HIGHLIGHTTEXT);
    colors.Text = colors.Separator = ui::SystemColor(COLOR_MENUTEXT);
    colors.DisabledText = ui::SystemColor(COLOR_GRAYTEXT);
    colors.Border = ui::SystemColor(COLOR_WINDOWFRAME);
    colors.GradientBar = colors.GradientSelection = false;
    return colors;
}

void Fill(HDC dc, const RECT& r, COLORREF color)
{
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.Get());
}

// One UTF-16 unit lower-cased as the system does it, in any script.
wchar_t LowerChar(wchar_t c)
{
    const auto lowered =
        reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c))));
    return static_cast<wchar_t>(lowered & 0xFFFF);
}

// The character after a single "&" in a caption, lower-cased, as the UTF-16
// unit the menu's window is sent for it; 0 when none.
wchar_t Mnemonic(const std::string& caption)
{
    const std::wstring text = Wide(caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return LowerChar(text[i + 1]);
    }
    return 0;
}

}  // namespace

ctxHookMenu::ctxHookMenu(ui::Form& form, std::string name) : ui::Control(form, std::move(name))
{
    m_Visible = false;
}

ctxHookMenu::~ctxHookMenu() { Detach(); }

bool ctxHookMenu::SetProperty(std::int32_t dispId, const Variant& value)
{
    const bool* flag = std::get_if<bool>(&value);
    const std::int32_t* number = std::get_if<std::int32_t>(&value);
    switch (dispId) {
    case kActive:
        if (!flag)
            return false;
        m_Active = *flag;
        m_Active ? Attach() : Detach();
        return true;
    case kBarStyle:
        if (!number || *number < 0 || *number > 2)
            return false;
        m_BarStyle = *number;
        return true;
    case kSelectionStyle:
        if (!number || *number < 0 || *number > 2)
            return false;
        m_SelectionStyle = *number;
        return true;
    case kFlatBorder:
        if (!flag)
            return false;
        m_FlatBorder = *flag;
        return true;
    case kUseFont:
        if (!flag)
            return false;
        m_UseFont = *flag;
        return true;
    default:
        return false;
    }
}

bool ctxHookMenu::Invoke(std::int32_t dispId, const std::vector<Variant>& args)
{
    if (dispId != kSetColors || args.size() != 15)
        return false;
    Colors colors;
    ui::Color* fields[] = {&colors.Back,       &colors.Back2,          &colors.Bar,          &colors.Bar2,
                           &colors.Selection,  &colors.SelectionBorder, &colors.Selection2,  &colors.SeparatorLight,
                           &colors.Text,       &colors.DisabledText,    &colors.Separator,    &colors.SelectedText,
                           &colors.Border};
    for (std::size_t i = 0; i < 13; ++i) {
        const auto* value = std::get_if<std::int32_t>(&args[i]);
        if (!value)
            return false;
        *fields[i] = static_cast<ui::Color>(*value);
    }
    const auto* gradientBar = std::get_if<bool>(&args[13]);
    const auto* gradientSelection = std::get_if<bool>(&args[14]);
    if (!gradientBar || !gradientSelection)
        return false;
    colors.GradientBar = *gradientBar;
    colors.GradientSelection = *gradientSelection;
    m_Colors = colors;
    return true;
}

void ctxHookMenu::Attach()
{
    if (m_Attached || !m_Form.hWnd())
        return;
    if (ui::win::Subclass(ui::win::H(m_Form.hWnd()), MenuHook, 2, reinterpret_cast<DWORD_PTR>(this)))
        m_Attached = m_Form.hWnd();
}

void ctxHookMenu::Detach()
{
    if (!m_Attached)
        return;
    if (IsWindow(ui::win::H(m_Attached)))
        ui::win::RemoveSubclass(ui::win::H(m_Attached), MenuHook, 2);
    m_Attached = {};
}

long long ctxHookMenu::Hook(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, bool& handled)
{
    if (!m_Active)
        return 0;
    switch (message) {
    case WM_INITMENUPOPUP: {
        // The window menu (Alt+Space) stays the system's: it draws its items'
        // keys right-aligned, and a screen reader reads its items.
        if (HIWORD(lParam))
            return 0;
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        m_DefaultItem = GetMenuDefaultItem(menu, FALSE, 0);
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
            item.dwTypeData = text;
            item.cch = static_cast<UINT>(std::size(text) - 1);
            if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_OWNERDRAW))
                continue;
            if (!(item.fType & MFT_SEPARATOR))
                m_Texts[item.wID] = Narrow(text);
            MENUITEMINFOW owner{};
            owner.cbSize = sizeof owner;
            owner.fMask = MIIM_FTYPE | MIIM_DATA;
            owner.fType = item.fType | MFT_OWNERDRAW;
            owner.dwItemData = item.wID;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &owner);
        }
        return 0;  // the window procedure still sees the message
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU)
            return 0;
        handled = true;
        const auto it = m_Texts.find(measure->itemID);
        const ui::Scale& scale = m_Form.DisplayScale();
        if (it == m_Texts.end()) {
            measure->itemWidth = static_cast<UINT>(scale.Pixels(40));
            measure->itemHeight = static_cast<UINT>(scale.Pixels(kSeparatorHeight));
            return TRUE;
        }
        const ui::win::WindowDc dc(ui::win::H(m_Form.hWnd()));
        // The form's font for the menu, made once for its window at its DPI.
        const Selection select(dc.Get(), ui::win::Font(m_Form.FontFor(ItemFont(measure->itemID))));
        RECT r{0, 0, 0, 0};
        DrawTextW(dc.Get(), Wide(it->second).c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
        measure->itemWidth = static_cast<UINT>(scale.Pixels(kBarWidth + 8) + r.right + scale.Pixels(24));
        // At least the design's row, and never shorter than the text and its margins.
        const int rowHeight = std::max(scale.Pixels(kItemHeight), static_cast<int>(r.bottom) + scale.Pixels(kItemMargins));
        measure->itemHeight = static_cast<UINT>(rowHeight);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU)
            return 0;
        handled = true;
        HDC dc = draw->hDC;
        const ui::Scale& scale = m_Form.DisplayScale();
        const int barWidth = scale.Pixels(kBarWidth), pictureSize = scale.Pixels(kPictureSize);
        const RECT& r = draw->rcItem;
        const auto it = m_Texts.find(draw->itemID);
        const bool selected = (draw->itemState & ODS_SELECTED) != 0;
        const bool disabled = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

        // In high contrast every item is in the system's menu colours.
        ui::Palette& palette = ui::CurrentServices().palette;
        const Colors colors = palette.HighContrast() ? SystemMenuColors() : m_Colors;
        // Background and picture bar.
        if (colors.Back == colors.Back2)
            Fill(dc, r, ToColorRef(colors.Back));
        else
            Gradient(dc, r, ToColorRef(colors.Back), ToColorRef(colors.Back2), true);
        if (m_BarStyle != 0) {
            const RECT bar{r.left, r.top, r.left + barWidth, r.bottom};
            if (m_BarStyle == 2 && colors.GradientBar)
                Gradient(dc, bar, ToColorRef(colors.Bar), ToColorRef(colors.Bar2), true);
            else
                Fill(dc, bar, ToColorRef(colors.Bar));
        }
        if (it == m_Texts.end()) {  // a separator
            const int y = (r.top + r.bottom) / 2;
            Fill(dc, RECT{r.left + barWidth + scale.Pixels(4), y, r.right, y + 1}, ToColorRef(colors.Separator));
            Fill(dc, RECT{r.left + barWidth + scale.Pixels(4), y + 1, r.right, y + 2}, ToColorRef(colors.SeparatorLight));
            return TRUE;
        }

        if (selected && !disabled && m_SelectionStyle != 0) {
            RECT box{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            if (m_SelectionStyle == 2 && colors.GradientSelection)
                Gradient(dc, box, ToColorRef(colors.Selection), ToColorRef(colors.Selection2), false);
            else
                Fill(dc, box, ToColorRef(colors.Selection));
            GdiObject<HBRUSH> border(CreateSolidBrush(ToColorRef(colors.SelectionBorder)));
            FrameRect(dc, &box, border.Get());
        } else if (selected && !disabled) {
            Fill(dc, r, GetSysColor(COLOR_HIGHLIGHT));
        }

        // The item's picture, if the design gave it one.
        for (const ui::Control* control : m_Form.Controls()) {
            if (control->ControlId() != static_cast<int>(draw->itemID))
                continue;
            const auto picture = m_Pictures.find(control->Name());
            if (picture != m_Pictures.end())
                if (HICON icon = ui::win::LoadIconResource(picture->second, pictureSize))
                    DrawIconEx(dc, r.left + (barWidth - pictureSize) / 2, r.top + (r.bottom - r.top - pictureSize) / 2,
                               icon, pictureSize, pictureSize,
                               0, nullptr, DI_NORMAL);
            break;
        }

        Selection select(dc, ui::win::Font(m_Form.FontFor(ItemFont(draw->itemID))));
        SetBkMode(dc, TRANSPARENT);
        const ui::Color textColor = disabled   ? colors.DisabledText
                                    : selected ? (m_SelectionStyle != 0 ? colors.SelectedText : ui::SystemColor(14))
                                               : colors.Text;
        const ui::Color behind = selected && !disabled ? (m_SelectionStyle != 0 ? colors.Selection : ui::SystemColor(COLOR_HIGHLIGHT))
                                                       : colors.Back;
        SetTextColor(dc, ToColorRef(ui::Readable(textColor, behind, selected ? ui::Surface::Highlight : ui::Surface::Menu,
                                                 !disabled, palette)
                                        .text));
        RECT text{r.left + barWidth + scale.Pixels(8), r.top, r.right - scale.Pixels(8), r.bottom};
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        if (draw->itemState & ODS_NOACCEL)
            format |= DT_HIDEPREFIX;
        DrawTextW(dc, Wide(it->second).c_str(), -1, &text, format);
        return TRUE;
    }
    case WM_MENUCHAR: {
        // Owner-drawn items keep their keyboard letters.
        HMENU menu = reinterpret_cast<HMENU>(lParam);
        const wchar_t typed = LowerChar(static_cast<wchar_t>(LOWORD(wParam)));
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            const auto it = m_Texts.find(GetMenuItemID(menu, i));
            if (it != m_Texts.end() && Mnemonic(it->second) == typed) {
                handled = true;
                return MAKELRESULT(i, MNC_EXECUTE);
            }
        }
        return 0;
    }
    default:
        return 0;
    }
}
