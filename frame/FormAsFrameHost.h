#pragma once
// A form of the window toolkit as the skinned frame's host: its design
// settings and bounds, its menus, and what only its window can do (lose the
// system caption, take a region, run the system's move loop).
#include "TamselXPForm.h"
#include "ui/Form.h"

#include <string>
#include <vector>

// The form as the frame's host.
class FormAsFrameHost : public XPFormHost {
public:
    explicit FormAsFrameHost(ui::Form& form) : m_Form(form) {}
    int BorderStyle() const override { return m_Form.BorderStyle(); }
    const ui::Scale& DisplayScale() const override { return m_Form.DisplayScale(); }
    bool MinButton() const override { return m_Form.MinButton(); }
    bool MaxButton() const override { return m_Form.MaxButton(); }
    int WindowState() const override { return m_Form.WindowState(); }
    void WindowState(int New_WindowState) override { m_Form.WindowState(New_WindowState); }
    frame::TwipRect RestoredBounds() const override;
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
    void Restyle(const frame::TwipRect& bounds, bool minimizable) override;
    void Region(const frame::TwipRect& bounds) override;
    void StartMove() override;
    frame::Point CursorPos() const override;
    void CursorPos(frame::Point at) override;

private:
    std::vector<ui::Menu*> Menus() const;
    ui::Form& m_Form;
};
