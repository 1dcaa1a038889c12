#include "StyleXP.h"

#include "os/LazyImport_win.h"
#include "ui/WinUtil_win.h"
#include "ui/Form.h"

#include <windows.h>
#include <uxtheme.h>

StyleXP::StyleXP(ui::Form& form, std::string name) : ui::Control(form, std::move(name))
{
    m_Visible = false;
}

void StyleXP::ReadProperties(const ui::PropertyBag& bag)
{
    m_ColorScheme = bag.ReadLong("colorscheme", 0);
    m_CommonDialog = bag.ReadBool("common_dialog", true);
}

ui::PropertyBag StyleXP::WriteProperties() const
{
    ui::PropertyBag bag;
    bag.WriteLong("colorscheme", m_ColorScheme, 0);
    bag.WriteBool("common_dialog", m_CommonDialog, true);
    return bag;
}

bool StyleXP::Invoke(std::int32_t dispId)
{
    if (dispId == kApplyStyle)
        return ApplyStyle();
    return false;
}

namespace {
// The standard controls the style is for, by their window class.
bool IsStandardControl(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    for (const wchar_t* standard : {L"Button", L"ComboBox", L"ListBox", L"Edit"})
        if (lstrcmpiW(name, standard) == 0)
            return true;
    return false;
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM reset)
{
    // A control that wears a theme keeps it: the manifest's common controls
    // create every standard control themed, and a reset would only have it
    // close and reopen the same theme data. A control whose theme was turned
    // off gets the common controls' one back. SetWindowTheme ends by sending
    // the window WM_THEMECHANGED itself.
    static auto* getTheme = os::LazyImport<decltype(GetWindowTheme)>(L"uxtheme.dll", "GetWindowTheme");
    static auto* setTheme = os::LazyImport<decltype(SetWindowTheme)>(L"uxtheme.dll", "SetWindowTheme");
    if (!IsStandardControl(child) || (getTheme && getTheme(child)))
        return TRUE;
    if (!setTheme || FAILED(setTheme(child, nullptr, nullptr)))
        SendMessageW(child, WM_THEMECHANGED, 0, 0);
    *reinterpret_cast<bool*>(reset) = true;
    return TRUE;
}
}  // namespace

bool StyleXP::ApplyStyle()
{
    HWND window = ui::win::H(m_Form.hWnd());
    if (!window)
        return false;
    bool reset = false;
    EnumChildWindows(window, ThemeChild, reinterpret_cast<LPARAM>(&reset));
    if (reset)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return true;
}
