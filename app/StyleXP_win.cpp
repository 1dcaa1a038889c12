#include "StyleXP.h"

#include "platform/LazyImport_win.h"
#include "platform/ui/Form.h"

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
BOOL CALLBACK ThemeChild(HWND child, LPARAM)
{
    // Back to the theme the manifest's common controls give every control.
    // SetWindowTheme ends by sending the window WM_THEMECHANGED itself; a second
    // one would only have every control reopen its theme data once more.
    static auto* setTheme = platform::LazyImport<decltype(SetWindowTheme)>("uxtheme.dll", "SetWindowTheme");
    if (!setTheme || FAILED(setTheme(child, nullptr, nullptr)))
        SendMessageW(child, WM_THEMECHANGED, 0, 0);
    return TRUE;
}
}  // namespace

bool StyleXP::ApplyStyle()
{
    HWND window = reinterpret_cast<HWND>(m_Form.hWnd());
    if (!window)
        return false;
    EnumChildWindows(window, ThemeChild, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return true;
}
