#pragma once
// The skinned frame as a control of the window toolkit: a child window over the
// form's whole client area that paints the pieces, holds the caption buttons,
// the menu strip and the client area, and hands the mouse to the frame's logic.
#include "TamselXPForm.h"
#include "platform/ui/Form.h"
#include "widgets/ControlButtonWindow.h"
#include "widgets/LabelMenuWindow.h"

#include <memory>
#include <string>
#include <vector>

// The form as the frame's host.
class FormAsFrameHost : public XPFormHost {
public:
    explicit FormAsFrameHost(ui::Form& form) : m_Form(form) {}
    int BorderStyle() const override { return m_Form.BorderStyle(); }
    bool MinButton() const override { return m_Form.MinButton(); }
    bool MaxButton() const override { return m_Form.MaxButton(); }
    int WindowState() const override { return m_Form.WindowState(); }
    void WindowState(int New_WindowState) override { m_Form.WindowState(New_WindowState); }
    frame::TwipRect Bounds() const override;
    void Move(const frame::TwipRect& bounds) override;
    std::string Caption() const override { return m_Form.Caption(); }
    void Caption(const std::string& New_Caption) override { m_Form.Caption(New_Caption); }
    void Icon(int New_Icon) override { m_Form.Icon(New_Icon); }
    void BackColor(ui::Color New_BackColor) override { m_Form.BackColor(New_BackColor); }
    ui::FontSpec Font() const override { return m_Form.Font(); }
    void Unload() override { m_Form.Unload(); }
    void EndProgram() override;
    void DoEvents() override;
    std::vector<MenuInfo> TopMenus() const override;
    void HideMenu(std::size_t index) override;
    void PopupMenu(std::size_t index, float x, float y) override;
    void Restyle(const frame::TwipRect& bounds) override;
    void Region(const frame::TwipRect& bounds) override;
    void StartMove() override;
    void TaskBarShow() override;
    frame::Point CursorPos() const override;
    void CursorPos(frame::Point at) override;

private:
    std::vector<ui::Menu*> Menus() const;
    ui::Form& m_Form;
};

class TamselXPFormWindow : public ui::Control, public ui::FormListener, public TamselXPForm, private XPFormSurface {
public:
    TamselXPFormWindow(ui::Form& host, std::string name);
    ~TamselXPFormWindow() override;
    ui::ControlKind Kind() const override { return ui::ControlKind::UserControl; }

    // The frame's own properties where the toolkit's control has some of the same name.
    bool Enabled() const { return TamselXPForm::Enabled(); }
    void Enabled(bool New_Enabled) override { TamselXPForm::Enabled(New_Enabled); }
    ui::Color BackColor() const { return TamselXPForm::BackColor(); }
    void BackColor(ui::Color New_BackColor) { TamselXPForm::BackColor(New_BackColor); }
    const ui::FontSpec& Font() const { return TamselXPForm::Font(); }
    void Font(const ui::FontSpec& New_Font) { TamselXPForm::Font(New_Font); }
    ui::Handle Hwnd() const { return m_PicMain; }  // the client area's

    std::string GetCompName() const;
    void LoadXP(std::int16_t& OptModal, ui::Form* OwnForm);
    void FormOnTop(ui::Handle hWindow, bool bTopMost);
    void TaskBarShow() { m_HostForm.TaskBarShow(); }
    bool ShowChild(ui::Form& IpForm);
    void ContainerCheck();

    // Click, DblClick and MouseDown (of ui::Control) and MouseMove are raised by
    // the client area PicMain.
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;

    ControlButtonWindow Minimizebutton;
    ControlButtonWindow MaximizeButton;
    ControlButtonWindow CloseButton;
    ui::Handle MenuStrip() const { return m_Menu; }
    LabelMenuWindow& MenuLabel(std::size_t i) { return *m_MenuLabels.at(i - 1); }

    // ---- the toolkit and the window procedure ----------------------------------
    void Move(int left, int top, int width, int height) override;
    void CreateWindowIn(ui::Handle parentWindow) override;
    void DestroyWindowOf() override;
    void FormShown() override;
    void FormActivated() override { SetFormActiveStyle(true); }
    void FormDeactivated() override { SetFormActiveStyle(false); }
    long long HandleMessage(ui::Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    long long HandlePaneMessage(ui::Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

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

    void Paint(ui::Handle dc) const;
    void PaintPane(ui::Handle window, ui::Handle dc) const;

    FormAsFrameHost m_HostForm;
    ui::Handle m_PicMain = 0;
    ui::Handle m_Menu = 0;
    std::vector<std::unique_ptr<LabelMenuWindow>> m_MenuLabels;
};
