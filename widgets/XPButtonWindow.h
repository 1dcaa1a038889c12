#pragma once
// The XP push button as a control of the window toolkit: a window that keeps an
// off-screen picture of its face, cuts its four corner pixels, and turns mouse,
// keyboard and focus messages into the button's input.
#include "XPButton.h"
#include "ui/Controls.h"
#include "ui/Scale.h"

#include <cstdint>
#include <memory>

class XPButtonWindow : public ui::Control, public XPButtonView {
public:
    XPButtonWindow(ui::Form& form, std::string name);
    ~XPButtonWindow() override;

    XPButton& Button() { return m_Button; }

    void Draw(const XPButtonLook& look) override;
    void RepaintNow() override;
    void ProcessPendingMessages() override;
    void EnableWindow(bool enabled) override { ui::Control::Enabled(enabled); }
    void CaptureMouse() override;
    void MoveFocus(bool forward) override;
    ui::WindowHandle Hwnd() const override { return hWnd(); }

    char AccessKey() const override { return m_Button.AccessKey(); }
    bool TakesEnter() const override { return true; }
    void SystemColorsChanged() override { m_Button.RedrawButton(m_Pressed); }
    void OnAccessKey() override { m_Button.OnAccessKey(); }
    // A push button named by its caption, pressed as its access key presses it.
    ui::AccessibleFace Accessible(ui::WindowHandle window) const override;
    void AccessiblePress() override { m_Button.OnAccessKey(); }

    bool CreateWindowIn(ui::WindowHandle parentWindow) override;
    void DestroyWindowOf() override;
    void PaintOn(ui::DcHandle dc) const override;

    long long HandleMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    void ResizeCanvas();

    // The off-screen picture of the face, as large as the window.
    struct Canvas;
    std::unique_ptr<Canvas> m_Canvas;
    bool m_Pressed = false;
    bool m_AfterDoubleClick = false;
    std::string m_WindowText;  // the caption the window's text last took
    XPButton m_Button{*this};
};

// The face of one look on a device context of width x height pixels (the
// drawing the button keeps off screen), and the region without the corners.
// At another DPI than the design's the face's insets, rings and corners scale.
void DrawXPButtonFace(ui::DcHandle dc, int width, int height, const XPButtonLook& look, ui::GdiHandle font,
                      const ui::Scale& scale = ui::Scale());
void ApplyXPButtonRegion(ui::WindowHandle window, int width, int height, const ui::Scale& scale = ui::Scale());
