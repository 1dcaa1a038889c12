#pragma once
// The skinned frame as a control of the window toolkit: a child window over the
// form's whole client area that paints the pieces, holds the caption buttons,
// the menu strip and the client area, and hands the mouse to the frame's logic.
#include "FormAsFrameHost.h"
#include "TamselXPForm.h"
#include "ui/Form.h"
#include "widgets/ControlButtonWindow.h"
#include "widgets/LabelMenuWindow.h"

#include <memory>
#include <string>
#include <vector>

class TamselXPFormWindow : public ui::Control, public ui::FormListener, public TamselXPForm, private XPFormSurface {
public:
    TamselXPFormWindow(ui::Form& host, std::string name);
    ~TamselXPFormWindow() override;

    // The frame's own properties where the toolkit's control has some of the same name.
    bool Enabled() const { return TamselXPForm::Enabled(); }
    void Enabled(bool New_Enabled) override { TamselXPForm::Enabled(New_Enabled); }
    ui::Color BackColor() const { return TamselXPForm::BackColor(); }
    void BackColor(ui::Color New_BackColor) { TamselXPForm::BackColor(New_BackColor); }
    const ui::FontSpec& Font() const { return TamselXPForm::Font(); }
    void Font(const ui::FontSpec& New_Font) { TamselXPForm::Font(New_Font); }
    ui::WindowHandle Hwnd() const { return m_PicMain; }  // the client area's

    std::string GetCompName() const;
    void LoadXP(std::int16_t& OptModal, ui::Form* OwnForm);
    void FormOnTop(ui::WindowHandle hWindow, bool bTopMost);
    bool ShowChild(ui::Form& IpForm);
    void ContainerCheck();

    // Click, DblClick and MouseDown (of ui::Control) and MouseMove are raised by
    // the client area PicMain.
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;

    ControlButtonWindow Minimizebutton;
    ControlButtonWindow MaximizeButton;
    ControlButtonWindow CloseButton;
    ui::WindowHandle MenuStrip() const { return m_Menu; }
    LabelMenuWindow& MenuLabel(std::size_t i) { return *m_MenuLabels.at(i - 1); }

    // ---- the toolkit and the window procedure ----------------------------------
    void Move(int left, int top, int width, int height) override;
    bool CreateWindowIn(ui::WindowHandle parentWindow) override;
    void DestroyWindowOf() override;
    // The frame and its pieces laid out again at the form's new scale.
    void ScaleChanged() override;
    void FormShown() override;
    void FormActivated() override { SetFormActiveStyle(true); }
    void FormDeactivated() override { SetFormActiveStyle(false); }
    long long HandleMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // The menu strip's pane is the menu bar its items are read in.
    ui::AccessibleFace Accessible(ui::WindowHandle window) const override;
    long long HandlePaneMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    // The surface the logic draws on.
    double FrameWidth() const override { return m_Width; }
    double FrameHeight() const override { return m_Height; }
    void FrameSize(double width, double height) override;
    ControlButton& Button(CaptionButtonId which) override;
    void ButtonVisible(CaptionButtonId which, bool visible) override;
    void Placed(const frame::Layout& layout) override;
    void Redraw() override;
    void ShowMenuStrip(bool visible) override;
    void ShowClientArea(bool visible) override;
    void EnableClientArea(bool enabled) override;
    LabelSize AddMenuLabel(std::size_t n, const std::string& caption, ui::Color backColor, bool enabled, int left,
                           int top) override;
    void ContainerRegion(double widthTwips, double heightTwips) override;

    void Paint(ui::DcHandle dc) const;
    void PaintPane(ui::WindowHandle window, ui::DcHandle dc) const;

    FormAsFrameHost m_HostForm;
    ui::WindowHandle m_PicMain;
    ui::WindowHandle m_Menu;
    std::vector<std::unique_ptr<LabelMenuWindow>> m_MenuLabels;
};
