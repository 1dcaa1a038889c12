#pragma once
// The caption button as a control of the window toolkit: a 21 x 21 window that
// shows the button's pictures and feeds it the mouse.
#include "ControlButton.h"
#include "ui/Controls.h"

class ControlButtonWindow : public ui::Control, public CaptionSurface {
public:
    ControlButtonWindow(ui::Form& form, std::string name);
    ControlButtonWindow(ui::Form& form, std::string name, ui::Control::Piece);

    // The button's own properties, methods and Click event.
    ControlButton& Button() { return m_Button; }

    // Whatever size is asked for, the button stays 315 x 315 twips.
    void Move(int left, int top, int width, int height) override;

    void ShowPicture(const CaptionPicture& picture) override;
    ui::WindowHandle Hwnd() const override { return hWnd(); }
    bool Enabled() const override { return ui::Control::Enabled(); }
    void Enabled(bool New_Enabled) override { ui::Control::Enabled(New_Enabled); }
    bool AutoRedraw() const override { return m_AutoRedraw; }
    void AutoRedraw(bool New_AutoRedraw) override { m_AutoRedraw = New_AutoRedraw; }
    std::string ToolTipText() const override { return ui::Control::ToolTipText(); }
    void ToolTipText(const std::string& New_ToolTipText) override { ui::Control::ToolTipText(New_ToolTipText); }
    void Repaint() override;

    bool CreateWindowIn(ui::WindowHandle parentWindow) override;
    // Paints the current picture onto a device context.
    void PaintOn(ui::DcHandle dc) const override;
    bool Windowed() const override { return true; }
    // A push button named for what it does; "Restore" while its window is maximized.
    ui::AccessibleFace Accessible(ui::WindowHandle window) const override;
    void AccessiblePress() override { m_Button.PicMain_Click(); }

    // The window procedure's entry for this button's messages.
    long long HandleMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    // What the button does, as a screen reader names it, by its glyph.
    static const wchar_t* NameOf(std::int32_t buttonStyle);

    bool m_AutoRedraw = false;
    CaptionPicture m_Shown;
    const wchar_t* m_Named = nullptr;
    ControlButton m_Button{*this};
};
