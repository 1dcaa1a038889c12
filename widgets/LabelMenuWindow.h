#pragma once
// The menu-bar item as a control of the window toolkit: a window in its back
// colour, with an optional thin border, showing its caption at Label1's place.
#include "LabelMenu.h"
#include "ui/Controls.h"

class LabelMenuWindow : public ui::Control, public LabelMenuSurface {
public:
    static constexpr int kLabelLeftTwips = 75;
    static constexpr int kLabelTopTwips = 30;

    LabelMenuWindow(ui::Form& form, std::string name);
    LabelMenuWindow(ui::Form& form, std::string name, ui::Control::Piece);

    // The item's own properties and events.
    LabelMenu& Item() { return m_Item; }

    ui::Color BackColor() const override { return ui::Control::BackColor(); }
    void BackColor(ui::Color New_BackColor) override { ui::Control::BackColor(New_BackColor); }
    int BorderStyle() const override { return m_BorderStyle; }
    void BorderStyle(int New_BorderStyle) override;
    std::string Caption() const override { return m_Caption; }
    void Caption(const std::string& New_Caption) override;
    int LabelWidth() const override;
    void Size(int width, int height) override { ui::Control::Move(m_Left, m_Top, width, height); }
    bool Enabled() const override { return ui::Control::Enabled(); }
    void Enabled(bool New_Enabled) override { ui::Control::Enabled(New_Enabled); }
    ui::WindowHandle Hwnd() const override { return hWnd(); }

    void Move(int left, int top, int width, int height) override;
    bool CreateWindowIn(ui::WindowHandle parentWindow) override;
    void PaintOn(ui::DcHandle dc) const override;
    // A menu item of the strip's menu bar, named by its caption.
    ui::AccessibleFace Accessible(ui::WindowHandle window) const override;
    void AccessiblePress() override { m_Item.OnClick(); }
    // Its font is made anew: the item keeps hugging its caption.
    void ScaleChanged() override
    {
        ui::Control::ScaleChanged();
        m_Item.OnResize();
    }

    long long HandleMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    // Label1's size in pixels: it sizes itself to its caption.
    struct PixelSize {
        int cx, cy;
    };
    PixelSize LabelPixels() const;

    int m_BorderStyle = 0;
    std::string m_Caption = LabelMenu::kDefaultCaption;
    bool m_Pressed = false;
    LabelMenu m_Item{*this};
};
