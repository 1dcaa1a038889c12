#pragma once
// The skinned frame a form places over its whole client area: once shown it
// adopts its host (no system caption or border any more) and draws the title
// band, borders, caption buttons, icon, caption and an optional menu strip from
// bitmap pieces in one of three colour schemes, and carries out moving,
// resizing, maximizing, minimizing and closing itself.
#include "FrameLayout.h"
#include "platform/ui/Form.h"
#include "platform/ui/PropertyBag.h"
#include "widgets/ControlButtonWindow.h"
#include "widgets/LabelMenuWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TamselXPForm : public ui::Control, public ui::FormListener {
public:
    TamselXPForm(ui::Form& host, std::string name);
    ~TamselXPForm() override;
    ui::ControlKind Kind() const override { return ui::ControlKind::UserControl; }

    // ---- properties --------------------------------------------------------
    bool AutoLoad() const { return m_AutoLoad; }
    void AutoLoad(bool New_AutoLoad);
    ui::Color BackColor() const { return m_BackColor; }  // the client area's
    void BackColor(ui::Color New_BackColor);
    std::string Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption);  // the host's caption too
    bool CloseActive() const { return m_CloseActive; }
    void CloseActive(bool New_CloseActive);
    std::int32_t ColorScheme() const { return m_ColorScheme; }
    void ColorScheme(std::int32_t New_ColorScheme);
    using ui::Control::Enabled;
    void Enabled(bool New_Enabled) override;  // the client area's
    bool EnableMaximize() const { return m_EnableMaximize; }
    void EnableMaximize(bool New_EnableMaximize);
    using ui::Control::Font;  // the caption's
    bool HaveChild() const { return m_HaveChild; }
    void HaveChild(bool New_HaveChild);
    ui::Handle Hwnd() const { return m_PicMain; }
    int Icon() const { return m_Icon; }  // an icon resource, 0 for none
    void Icon(int New_Icon);
    std::int16_t IconTop() const { return m_IconTop; }
    void IconTop(std::int16_t New_IconTop);
    std::int16_t IpModal() const { return m_IpModal; }
    void IpModal(std::int16_t New_IpModal);
    ui::Color MenuBackColor() const { return m_MenuBackColor; }
    void MenuBackColor(ui::Color New_MenuBackColor);
    int Picture() const { return m_Picture; }  // a bitmap resource for the client area, 0 for none
    void Picture(int New_Picture);
    bool ShowClose() const { return m_ShowClose; }
    void ShowClose(bool New_ShowClose);
    bool ShowIcon() const { return m_ShowIcon; }
    void ShowIcon(bool New_ShowIcon);
    bool ShowMaximize() const { return m_ShowMaximize; }
    void ShowMaximize(bool New_ShowMaximize);
    bool ShowMinimize() const { return m_ShowMinimize; }
    void ShowMinimize(bool New_ShowMinimize);
    std::int16_t TitleTop() const { return m_TitleTop; }
    void TitleTop(std::int16_t New_TitleTop);

    std::string GetCompName() const;
    std::string DefaultBackgroundColor() const { return "14215660"; }
    void About() const {}

    // ---- methods -----------------------------------------------------------
    void LoadXP(std::int16_t& OptModal, ui::Form* OwnForm);
    void SetStyle(ui::Form& IpForm);
    // False when the scheme has no pictures; the caption colour is set all the same.
    bool SetFormActiveStyle(bool ActiveForm);
    void Repos();
    void ReTransObj(ui::Form& IpObject);
    void TransparentEdges();
    void MaxBtnClick();
    void FormOnTop(ui::Handle hWindow, bool bTopMost);
    void TaskBarShow();
    bool ShowChild(ui::Form& IpForm);
    void SetMDIPosition(std::int32_t iLeft, std::int32_t iWidth, std::int32_t IHeight);
    std::int16_t NChildForm() const { return m_ChildCount; }
    void CloseChildForm();
    void ContainerCheck();

    // ---- events ------------------------------------------------------------
    std::function<void(std::int16_t& IsTop, std::int16_t& IsHeight, std::int16_t& IsWidth)> resize;
    // Click, DblClick and MouseDown (of ui::Control) and MouseMove are raised by
    // the client area PicMain.
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;

    // ---- design-time properties -------------------------------------------
    void InitProperties();
    void ReadProperties(const ui::PropertyBag& bag);
    ui::PropertyBag WriteProperties() const;
    bool PropertiesChanged() const { return m_Changed; }

    // ---- pieces --------------------------------------------------------------
    ControlButtonWindow Minimizebutton;
    ControlButtonWindow MaximizeButton;
    ControlButtonWindow CloseButton;
    const frame::Layout& CurrentLayout() const { return m_Layout; }
    ui::Color CaptionColor() const { return m_CaptionColor; }
    int PictureIndex() const { return m_PictureIndex; }  // of the pieces' pictures now shown
    ui::Handle MenuStrip() const { return m_Menu; }
    bool MenuStripVisible() const { return m_MenuVisible; }
    std::size_t MenuLabelCount() const { return m_MenuLabels.size(); }
    LabelMenuWindow& MenuLabel(std::size_t i) { return *m_MenuLabels.at(i - 1); }
    bool Adopted() const { return m_Adopted; }

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
    enum class Area { None, Title, TitleLeft, TitleRight, TitleIcon, Caption1, Left, Right, Bottom, BottomLeft, BottomRight };
    Area PieceAt(int x, int y) const;
    void Paint(ui::Handle dc) const;
    void PlaceChildren();
    void ShapeToPieces();
    void ToggleMaximized(bool titleForm);
    void ResizeByDrag(ui::Form& form, int dx, int dy, int edge);
    void CloseCommand();
    void MenuLabelClicked(std::size_t i, float d);
    void Changed() { m_Changed = true; }

    ui::Form& m_Host;
    bool m_AutoLoad = false;
    std::string m_Caption = "XP Form Style";
    bool m_CloseActive = false;
    std::int32_t m_ColorScheme = 0;
    bool m_EnableMaximize = true;
    bool m_HaveChild = false;
    int m_Icon = 0;
    std::int16_t m_IconTop = 7;
    std::int16_t m_IpModal = -1;
    ui::Color m_MenuBackColor = 0x80000004;
    int m_Picture = 0;
    bool m_ShowClose = true;
    bool m_ShowIcon = true;
    bool m_ShowMaximize = true;
    bool m_ShowMinimize = true;
    bool m_ShowHelp = false;
    std::int16_t m_TitleTop = -2;
    bool m_TransparentEdges = false;
    std::int16_t m_ChildCount = 0;
    bool m_Changed = false;

    frame::Layout m_Layout;
    int m_PictureIndex = 0;
    ui::Color m_CaptionColor = 0xFFFFFF;
    bool m_MenuVisible = false;
    bool m_PicMainVisible = false;
    float m_PicMainLeft = 4, m_PicMainWidth = 0, m_PicMainHeight = 0;
    ui::Handle m_PicMain = 0;
    ui::Handle m_Menu = 0;
    std::vector<std::unique_ptr<LabelMenuWindow>> m_MenuLabels;
    std::vector<ui::Menu*> m_MenuList;
    int m_DragStartX = 0, m_DragStartY = 0;
    Area m_Dragging = Area::None;
    bool m_Adopted = false;
    bool m_Shown = false;
};
