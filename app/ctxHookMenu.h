#pragma once
// The menu-drawing control: once configured it draws the pop-up menus of its
// window itself, owner-drawn in its colours and font, with a picture bar on the
// left that carries the items' pictures.
#include "ui/Controls.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

class ctxHookMenu : public ui::Control {
public:
    using Variant = std::variant<bool, std::int32_t>;

    // Dispatch identifiers of the members a late-bound caller reaches.
    static constexpr std::int32_t kActive = 0x68030000;          // bool: draw the menus
    static constexpr std::int32_t kBarStyle = 0x68030014;        // 0 none, 1 flat, 2 gradient picture bar
    static constexpr std::int32_t kSelectionStyle = 0x68030019;  // 0 system, 1 flat, 2 framed gradient
    static constexpr std::int32_t kFlatBorder = 0x6803001A;      // bool: one-pixel menu border
    static constexpr std::int32_t kUseFont = 0x68030010;         // bool: the design font, not the system's
    static constexpr std::int32_t kSetColors = 0x6003003F;       // 13 colours and 2 switches

    // The colours of kSetColors, in call order.
    struct Colors {
        ui::Color Back = 0xFFFFFF;
        ui::Color Back2 = 0xFFFFFF;
        ui::Color Bar = 0xE0E0E0;
        ui::Color Bar2 = 0xFFFFFF;
        ui::Color Selection = 0xE0E0E0;
        ui::Color SelectionBorder = 0x000000;
        ui::Color Selection2 = 0xFFFFFF;
        ui::Color SeparatorLight = 0xFFFFFF;
        ui::Color Text = 0x000000;
        ui::Color DisabledText = 0x808080;
        ui::Color Separator = 0xE0E0E0;
        ui::Color SelectedText = 0x000000;
        ui::Color Border = 0x000000;
        bool GradientBar = true;
        bool GradientSelection = true;
    };

    ctxHookMenu(ui::Form& form, std::string name);
    ~ctxHookMenu() override;
    bool Windowed() const override { return false; }

    // Late-bound property set and method call; false for an unknown member or
    // arguments of the wrong kind or count, and nothing changes then.
    bool SetProperty(std::int32_t dispId, const Variant& value);
    bool Invoke(std::int32_t dispId, const std::vector<Variant>& args);

    // Design settings: the font and the pictures (icon resources) of menu items,
    // by the items' names.
    ui::FontSpec MenuFont{"Tahoma", 8.25};
    void ItemPicture(const std::string& menuName, int icon) { m_Pictures[menuName] = icon; }

    bool Active() const { return m_Active; }
    const Colors& MenuColors() const { return m_Colors; }

    // Toolkit internals: the window procedure's hook.
    long long Hook(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, bool& handled);

private:
    void Attach();
    void Detach();
    // The items' font: the design's, or the system's default.
    ui::FontSpec ItemFont() const { return m_UseFont ? MenuFont : ui::FontSpec{}; }
    // The default item (what a double click does) in bold, as Windows shows it.
    ui::FontSpec ItemFont(unsigned id) const
    {
        ui::FontSpec font = ItemFont();
        font.Bold = font.Bold || id == m_DefaultItem;
        return font;
    }

    bool m_Active = false;
    std::int32_t m_BarStyle = 0;
    std::int32_t m_SelectionStyle = 0;
    bool m_FlatBorder = false;
    bool m_UseFont = false;
    Colors m_Colors;
    std::map<std::string, int> m_Pictures;
    std::map<unsigned, std::string> m_Texts;  // item id -> caption, for drawing
    unsigned m_DefaultItem = static_cast<unsigned>(-1);  // of the menu open now
    ui::WindowHandle m_Attached;
};
