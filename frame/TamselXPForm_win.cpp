// The skinned frame over Win32: its window paints the title band, borders, icon
// and caption from the scheme's pictures, hosts the caption buttons, the menu
// strip and the client area, and turns the mouse on its pieces into moving,
// resizing and the window commands.
#include "TamselXPForm.h"

#include "FrameRegion.h"
#include "FrameThemes.h"
#include "platform/ui/App.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WinUtil_win.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cctype>

using ui::win::GdiObject;
using ui::win::Selection;

namespace {

constexpr char kFrameClass[] = "TavrikFrame";
constexpr char kPaneClass[] = "TavrikFramePane";
constexpr ui::FontSpec kCaptionFont{"Trebuchet MS", 9.75, true};

HWND H(ui::Handle handle) { return reinterpret_cast<HWND>(handle); }

// The scheme pictures of the eight pieces, loaded once for the process.
HBITMAP PiecePicture(int list, int index)
{
    static HBITMAP pictures[8][6] = {};
    if (list < 1 || list > 8 || index < 0 || index > 5)
        return nullptr;
    HBITMAP& picture = pictures[list - 1][index];
    if (!picture) {
        const std::string name = "IMAGE" + std::to_string(list) + "_" + std::to_string(index);
        picture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0));
    }
    return picture;
}

// The lists feeding each piece.
constexpr int kTitleList = 1, kTitleLeftList = 2, kTitleRightList = 3, kLeftList = 4, kRightList = 5,
              kBottomList = 6, kBottomRightList = 7, kBottomLeftList = 8;

// The union of the rounded-corner rectangles of a window of that size.
HRGN RoundedRegion(frame::TwipSize size)
{
    const auto rects = frame::RegionRects(size, ui::TwipsPerPixelX(), ui::TwipsPerPixelY());
    HRGN region = CreateRectRgn(rects[0].left, rects[0].top, rects[0].right, rects[0].bottom);
    for (std::size_t i = 1; i < rects.size(); ++i) {
        HRGN part = CreateRectRgn(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    return region;
}

int Round(float value) { return static_cast<int>(std::lround(value)); }

RECT PixelRect(const frame::PieceRect& r)
{
    return RECT{Round(r.left), Round(r.top), Round(r.left + r.width), Round(r.top + r.height)};
}

bool Inside(const frame::PieceRect& r, int x, int y)
{
    const RECT p = PixelRect(r);
    return x >= p.left && x < p.right && y >= p.top && y < p.bottom;
}

}  // namespace

// ---- construction and properties ----------------------------------------------

TamselXPForm::TamselXPForm(ui::Form& host, std::string name)
    : ui::Control(host, std::move(name)),
      Minimizebutton(host, "Minimizebutton", ui::Control::Piece{}),
      MaximizeButton(host, "MaximizeButton", ui::Control::Piece{}),
      CloseButton(host, "CloseButton", ui::Control::Piece{}),
      m_Host(host)
{
    m_Font = kCaptionFont;
    m_BackColor = ui::vbButtonFace;
    Minimizebutton.Button().ButtonStyle(0);
    MaximizeButton.Button().ButtonStyle(1);
    CloseButton.Button().ButtonStyle(2);
    Minimizebutton.Button().Click = [this] {
        m_Host.WindowState(ui::vbMinimized);
    };
    MaximizeButton.Button().Click = [this] { MaxBtnClick(); };
    CloseButton.Button().Click = [this] { CloseCommand(); };
    m_Host.AddListener(*this);
    m_TransparentEdges = false;
}

TamselXPForm::~TamselXPForm()
{
    m_Host.RemoveListener(*this);
    DestroyWindowOf();
}

void TamselXPForm::InitProperties()
{
    m_Host.BackColor(static_cast<ui::Color>(std::stoul(DefaultBackgroundColor())));
    m_ShowMinimize = m_ShowMaximize = m_ShowClose = true;
    m_ShowHelp = false;
    m_EnableMaximize = true;
    m_AutoLoad = true;
    m_Caption = m_Host.Caption();
    m_Host.Caption(m_Caption);
    m_IpModal = -1;
    m_CloseActive = false;
    m_IconTop = 7;
    m_TitleTop = -2;
    ShowIcon(false);
    Minimizebutton.Button().ButtonStyle(0);
    MaximizeButton.Button().ButtonStyle(1);
    CloseButton.Button().ButtonStyle(2);
    m_ColorScheme = 0;
}

void TamselXPForm::ReadProperties(const ui::PropertyBag& bag)
{
    m_Caption = bag.ReadString("Caption", "XP Form Style");
    m_Font = bag.ReadFont("Font", kCaptionFont);
    m_ShowMinimize = bag.ReadBool("ShowMinimize", true);
    m_ShowMaximize = bag.ReadBool("ShowMaximize", true);
    m_ShowClose = bag.ReadBool("ShowClose", true);
    m_ShowHelp = bag.ReadBool("ShowHelp", false);
    m_EnableMaximize = bag.ReadBool("EnableMaximize", true);
    m_Icon = bag.ReadLong("Icon", 0);
    m_AutoLoad = bag.ReadBool("AutoLoad", false);
    m_ShowIcon = bag.ReadBool("ShowIcon", true);
    m_IpModal = static_cast<std::int16_t>(bag.ReadLong("IpModal", -1));
    m_MenuBackColor = static_cast<ui::Color>(bag.ReadLong("MenuBackColor", static_cast<std::int32_t>(0x80000004)));
    m_CloseActive = bag.ReadBool("CloseActive", false);
    m_IconTop = static_cast<std::int16_t>(bag.ReadLong("IconTop", 7));
    m_TitleTop = static_cast<std::int16_t>(bag.ReadLong("TitleTop", -2));
    m_HaveChild = bag.ReadBool("HaveChild", false);
    m_BackColor = static_cast<ui::Color>(bag.ReadLong("BackColor", static_cast<std::int32_t>(0x8000000F)));
    m_Picture = bag.ReadLong("Picture", 0);
    m_Enabled = bag.ReadBool("Enabled", true);
    m_ColorScheme = bag.ReadLong("Theme", 0);
    MaximizeButton.Button().Enabled(m_EnableMaximize);
    Minimizebutton.Visible(m_ShowMinimize);
    MaximizeButton.Visible(m_ShowMaximize);
    CloseButton.Visible(m_ShowClose);
    Repos();
}

ui::PropertyBag TamselXPForm::WriteProperties() const
{
    ui::PropertyBag bag;
    bag.WriteString("Caption", m_Caption, "XP Form Style");
    bag.WriteFont("Font", m_Font, kCaptionFont);
    bag.WriteBool("ShowMinimize", m_ShowMinimize, true);
    bag.WriteBool("ShowMaximize", m_ShowMaximize, true);
    bag.WriteBool("ShowClose", m_ShowClose, true);
    bag.WriteBool("ShowHelp", m_ShowHelp, false);
    bag.WriteBool("EnableMaximize", m_EnableMaximize, true);
    bag.WriteBool("AutoLoad", m_AutoLoad, false);
    bag.WriteBool("ShowIcon", m_ShowIcon, true);
    bag.WriteLong("Icon", m_Icon, 0);
    bag.WriteLong("IpModal", m_IpModal, -1);
    bag.WriteLong("MenuBackColor", static_cast<std::int32_t>(m_MenuBackColor), static_cast<std::int32_t>(0x80000004));
    bag.WriteBool("CloseActive", m_CloseActive, false);
    bag.WriteLong("IconTop", m_IconTop, 7);
    bag.WriteLong("TitleTop", m_TitleTop, -2);
    bag.WriteBool("HaveChild", m_HaveChild, false);
    bag.WriteLong("BackColor", static_cast<std::int32_t>(m_BackColor), static_cast<std::int32_t>(0x8000000F));
    bag.WriteLong("Picture", m_Picture, 0);
    bag.WriteBool("Enabled", m_Enabled, true);
    bag.WriteLong("Theme", m_ColorScheme, 0);
    return bag;
}

void TamselXPForm::AutoLoad(bool New_AutoLoad)
{
    m_AutoLoad = New_AutoLoad;
    Changed();
}

void TamselXPForm::BackColor(ui::Color New_BackColor)
{
    m_BackColor = New_BackColor;
    if (m_PicMain)
        InvalidateRect(H(m_PicMain), nullptr, TRUE);
    Changed();
}

void TamselXPForm::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    m_Host.Caption(New_Caption);
    if (m_hWnd)
        InvalidateRect(H(m_hWnd), nullptr, FALSE);
    Changed();
}

void TamselXPForm::CloseActive(bool New_CloseActive)
{
    m_CloseActive = New_CloseActive;
    Changed();
}

void TamselXPForm::ColorScheme(std::int32_t New_ColorScheme)
{
    m_ColorScheme = New_ColorScheme;
    Changed();
    ui::DoEvents();
    // Twice: the first layout applies the scheme's pictures, whose sizes the second uses.
    Repos();
    Repos();
}

void TamselXPForm::Enabled(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    if (m_PicMain)
        EnableWindow(H(m_PicMain), New_Enabled);
    Changed();
}

void TamselXPForm::EnableMaximize(bool New_EnableMaximize)
{
    m_EnableMaximize = New_EnableMaximize;
    MaximizeButton.Button().Enabled(New_EnableMaximize);
    Changed();
}

void TamselXPForm::HaveChild(bool New_HaveChild)
{
    m_HaveChild = New_HaveChild;
    Changed();
}

void TamselXPForm::Icon(int New_Icon)
{
    m_Icon = New_Icon;
    m_Host.Icon(New_Icon);
    ShowIcon(New_Icon != 0);
    Changed();
}

void TamselXPForm::IconTop(std::int16_t New_IconTop)
{
    m_IconTop = New_IconTop;
    m_Layout.TitleIcon.top = New_IconTop;
    if (m_hWnd)
        InvalidateRect(H(m_hWnd), nullptr, FALSE);
    Changed();
}

void TamselXPForm::IpModal(std::int16_t New_IpModal)
{
    m_IpModal = New_IpModal;
    Changed();
}

void TamselXPForm::MenuBackColor(ui::Color New_MenuBackColor)
{
    m_MenuBackColor = New_MenuBackColor;
    if (m_Menu)
        InvalidateRect(H(m_Menu), nullptr, TRUE);
    Changed();
}

void TamselXPForm::Picture(int New_Picture)
{
    m_Picture = New_Picture;
    if (m_PicMain)
        InvalidateRect(H(m_PicMain), nullptr, TRUE);
    Changed();
}

void TamselXPForm::ShowClose(bool New_ShowClose)
{
    m_ShowClose = New_ShowClose;
    CloseButton.Visible(New_ShowClose);
    Changed();
}

void TamselXPForm::ShowIcon(bool New_ShowIcon)
{
    m_ShowIcon = New_ShowIcon;
    Changed();
    Repos();
}

void TamselXPForm::ShowMaximize(bool New_ShowMaximize)
{
    m_ShowMaximize = New_ShowMaximize;
    MaximizeButton.Visible(New_ShowMaximize);
    Changed();
}

void TamselXPForm::ShowMinimize(bool New_ShowMinimize)
{
    m_ShowMinimize = New_ShowMinimize;
    Minimizebutton.Visible(New_ShowMinimize);
    Changed();
}

void TamselXPForm::TitleTop(std::int16_t New_TitleTop)
{
    m_TitleTop = New_TitleTop;
    Changed();
    Repos();
}

std::string TamselXPForm::GetCompName() const
{
    char name[255] = {};
    DWORD length = sizeof name;
    if (!GetComputerNameA(name, &length))
        return {};
    return std::string(name, length);
}

// ---- layout, schemes, region ----------------------------------------------------

void TamselXPForm::Move(int left, int top, int width, int height)
{
    const bool resized = width != m_Width || height != m_Height;
    ui::Control::Move(left, top, width, height);
    if (resized)
        Repos();
}

void TamselXPForm::Repos()
{
    frame::LayoutInput in;
    in.widthTwips = m_Width;
    in.heightTwips = m_Height;
    in.twipsPerPixelX = ui::TwipsPerPixelX();
    in.twipsPerPixelY = ui::TwipsPerPixelY();
    const auto left = frame::PieceSize(kTitleLeftList, m_PictureIndex);
    const auto right = frame::PieceSize(kTitleRightList, m_PictureIndex);
    in.titleLeftWidth = static_cast<float>(left.width);
    in.titleRightWidth = static_cast<float>(right.width);
    in.minimizeVisible = m_ShowMinimize;
    in.maximizeVisible = m_ShowMaximize;
    in.iconVisible = m_ShowIcon;
    in.iconTop = m_IconTop;
    in.titleTop = m_TitleTop;
    in.captionFontSize = m_Font.Size;
    in.menuVisible = m_MenuVisible;
    m_Layout = frame::Repos(in);
    if (m_Layout.widthTwips != m_Width || m_Layout.heightTwips != m_Height)
        ui::Control::Move(m_Left, m_Top, static_cast<int>(m_Layout.widthTwips), static_cast<int>(m_Layout.heightTwips));

    PlaceChildren();
    ShapeToPieces();
    if (m_TransparentEdges && m_Host.hWnd())
        ui::win::SetWindowRegion(H(m_Host.hWnd()), RoundedRegion({m_Layout.widthTwips, m_Layout.heightTwips}));
    Minimizebutton.Button().RefreshControl(true);
    MaximizeButton.Button().RefreshControl(true);
    CloseButton.Button().RefreshControl(true);
    SetFormActiveStyle(true);

    auto args = m_Layout.resize;
    if (resize)
        resize(args.IsTop, args.IsHeight, args.IsWidth);
    if (m_PicMain)
        SetWindowPos(H(m_PicMain), nullptr, Round(m_PicMainLeft), Round(m_Layout.PicMainTop), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_hWnd)
        InvalidateRect(H(m_hWnd), nullptr, FALSE);
}

void TamselXPForm::PlaceChildren()
{
    const auto place = [](ControlButtonWindow& button, const frame::PieceRect& r) {
        button.Move(ui::PixelsToTwipsX(Round(r.left)), ui::PixelsToTwipsY(Round(r.top)), 0, 0);
    };
    place(CloseButton, m_Layout.CloseButton);
    place(MaximizeButton, m_Layout.MaximizeButton);
    place(Minimizebutton, m_Layout.Minimizebutton);
    if (m_Menu) {
        RECT strip{};
        GetClientRect(H(m_Menu), &strip);
        SetWindowPos(H(m_Menu), nullptr, Round(m_Layout.pICmenu.left), Round(m_Layout.pICmenu.top),
                     Round(m_Layout.pICmenu.width), strip.bottom ? strip.bottom : 24, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TamselXPForm::ShapeToPieces()
{
    // The frame is its pieces only: inside the borders the form's own drawing
    // (its shapes, lines and pictures) shows, as through a transparent control.
    if (!m_hWnd)
        return;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const auto add = [&](const frame::PieceRect& piece) {
        const RECT r = PixelRect(piece);
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(shape, shape, part, RGN_OR);
        DeleteObject(part);
    };
    const auto& l = m_Layout;
    for (const auto* piece : {&l.TitleLeft, &l.Title, &l.TitleRight, &l.Left, &l.Right, &l.Bottom, &l.BottomLeft,
                              &l.BottomRight})
        add(*piece);
    if (m_MenuVisible)
        add(frame::PieceRect{l.pICmenu.left, l.pICmenu.top, l.pICmenu.width, 24});
    if (m_PicMainVisible)
        add(frame::PieceRect{m_PicMainLeft, l.PicMainTop, m_PicMainWidth, m_PicMainHeight});
    ui::win::SetWindowRegion(H(m_hWnd), shape);
}

bool TamselXPForm::SetFormActiveStyle(bool ActiveForm)
{
    m_CaptionColor = frame::CaptionColor(m_ColorScheme, ActiveForm);
    const auto index = frame::ThemeIndex(m_ColorScheme, ActiveForm);
    if (!index)
        return false;
    m_PictureIndex = *index;
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->Button().IsActivate(ActiveForm);
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->Button().Theme(m_ColorScheme);
    Minimizebutton.Button().RefreshControl(ActiveForm);
    CloseButton.Button().RefreshControl(ActiveForm);
    if (MaximizeButton.Button().Enabled())
        MaximizeButton.Button().RefreshControl(ActiveForm);
    if (m_hWnd)
        InvalidateRect(H(m_hWnd), nullptr, FALSE);
    return true;
}

void TamselXPForm::ReTransObj(ui::Form& IpObject)
{
    if (!IpObject.hWnd())
        return;
    if (IpObject.Height() < frame::kMinHeightTwips)
        IpObject.Height(static_cast<int>(frame::kMinHeightTwips));
    if (IpObject.Width() < frame::kMinWidthTwips)
        IpObject.Width(static_cast<int>(frame::kMinWidthTwips));
    ui::win::SetWindowRegion(H(IpObject.hWnd()), RoundedRegion({static_cast<double>(IpObject.Width()),
                                                                static_cast<double>(IpObject.Height())}));
}

void TamselXPForm::TransparentEdges()
{
    m_TransparentEdges = true;
    Repos();
}

// ---- adoption ----------------------------------------------------------------------

void TamselXPForm::SetStyle(ui::Form& IpForm)
{
    HWND window = H(IpForm.hWnd());
    if (!window)
        return;
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_DLGFRAME | WS_BORDER | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    style |= WS_SYSMENU;
    SetWindowLongPtrA(window, GWL_STYLE, style);
    SetWindowPos(window, nullptr, Round(IpForm.Left() / 15.0f), Round(IpForm.Top() / 15.0f),
                 Round(IpForm.Width() / 15.0f), Round(IpForm.Height() / 15.0f), SWP_SHOWWINDOW);
    if (IpForm.BorderStyle() != ui::vbBSNone)
        IpForm.Height(IpForm.Height() - 365);
}

void TamselXPForm::LoadXP(std::int16_t& OptModal, ui::Form* OwnForm)
{
    ui::Form& form = m_Host;
    m_Adopted = true;
    SetCursorPos(9000, 9000);

    // Menus tagged for the frame become labels in its menu strip.
    int lastRight = 60;
    for (ui::Control* control : form.Controls()) {
        if (control == this) {
            Move(0, 0, m_Width, m_Height);
            continue;
        }
        if (control->Kind() != ui::ControlKind::Menu)
            continue;
        auto* menu = static_cast<ui::Menu*>(control);
        std::string tag = menu->Tag();
        std::transform(tag.begin(), tag.end(), tag.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (menu->ParentMenu() || tag != "MAINMENU")
            continue;
        m_MenuVisible = true;
        if (m_Menu)
            ShowWindow(H(m_Menu), SW_SHOWNA);
        const std::size_t n = m_MenuLabels.size() + 1;
        auto label = std::make_unique<LabelMenuWindow>(form, "LbMenu" + std::to_string(n), ui::Control::Piece{});
        m_MenuList.push_back(menu);
        label->Item().Caption(menu->Caption());
        label->Item().BackColor(m_MenuBackColor);
        label->Item().Enabled(menu->Enabled());
        label->Move(lastRight, 45, label->Width(), label->Height());
        lastRight = label->Left() + label->Width();
        label->Item().Click = [this, n] { MenuLabelClicked(n, 450); };
        label->Item().MouseDown = [this, n](int& Button, int&, float&, float&) {
            if (Button == 1)
                MenuLabelClicked(n, 480);
        };
        if (m_Menu)
            label->CreateWindowIn(m_Menu);
        m_MenuLabels.push_back(std::move(label));
        menu->Visible(false);
    }

    form.Width(m_Width);
    form.Height(m_Height);
    if (form.BorderStyle() != ui::vbBSNone)
        form.Height(m_Height + 375);
    if (form.BorderStyle() != ui::vbSizable) {
        ShowMaximize(false);
        ShowMinimize(false);
    }
    if (!form.MaxButton())
        EnableMaximize(false);
    if (form.BorderStyle() == ui::vbFixedSingle && form.MinButton()) {
        ShowMinimize(true);
        ShowMaximize(true);
        EnableMaximize(false);
    }
    m_PicMainVisible = m_HaveChild;
    if (m_PicMain)
        ShowWindow(H(m_PicMain), m_HaveChild ? SW_SHOWNA : SW_HIDE);
    ShapeToPieces();
    if (form.BorderStyle() != ui::vbBSNone)
        SetStyle(form);
    Move(m_Left, m_Top, form.Width(), form.Height());
    ReTransObj(form);
    SetCursorPos(Round((form.Left() + form.Width()) / 15.0f), Round(form.Top() / 15.0f));
    ui::DoEvents();

    if (!OwnForm) {
        if (m_IpModal == 1 || OptModal == 1) {
            form.Hide();
            ui::DoEvents();
            form.Show(1);
        }
    } else {
        form.Hide();
        ui::DoEvents();
        form.Show(OptModal, OwnForm);
    }
}

void TamselXPForm::FormShown()
{
    // Adopted once: the re-show of an adoption must not start another.
    if (m_Shown)
        return;
    m_Shown = true;
    Repos();
    if (m_AutoLoad && !m_Adopted) {
        std::int16_t modal = 0;
        LoadXP(modal, nullptr);
    }
}

// ---- window commands -------------------------------------------------------------------

void TamselXPForm::CloseCommand()
{
    if (m_CloseActive)
        ui::End();
    m_Host.Unload();
}

void TamselXPForm::MaxBtnClick()
{
    m_Host.WindowState(m_Host.WindowState() != ui::vbNormal ? ui::vbNormal : ui::vbMaximized);
    ui::DoEvents();
    Move(m_Left, m_Top, m_Host.Width(), m_Host.Height());
    ReTransObj(m_Host);
    Repos();
}

void TamselXPForm::ToggleMaximized(bool titleForm)
{
    if (m_Host.BorderStyle() != ui::vbSizable)
        return;
    if (titleForm && !(m_EnableMaximize && m_Host.MaxButton()))
        return;
    m_Host.WindowState(m_Host.WindowState() == ui::vbNormal ? ui::vbMaximized : ui::vbNormal);
    Move(m_Left, m_Top, m_Host.Width(), m_Host.Height());
    ReTransObj(m_Host);
    if (titleForm) {
        Repos();
        Minimizebutton.Button().RefreshControl(true);
        MaximizeButton.Button().RefreshControl(true);
        CloseButton.Button().RefreshControl(true);
    }
}

void TamselXPForm::FormOnTop(ui::Handle hWindow, bool bTopMost)
{
    SetWindowPos(H(hWindow), bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, 0x53);
}

void TamselXPForm::TaskBarShow()
{
    SetWindowPos(FindWindowA("Shell_traywnd", ""), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW);
}

void TamselXPForm::ResizeByDrag(ui::Form& form, int dxPixels, int dyPixels, int edge)
{
    const double dx = dxPixels * ui::TwipsPerPixelX();
    const double dy = dyPixels * ui::TwipsPerPixelY();
    const double left = form.Left(), top = form.Top(), width = form.Width(), height = form.Height();
    const auto move = [&](double l, double t, double w, double h) {
        form.Move(static_cast<int>(std::lround(l)), static_cast<int>(std::lround(t)), static_cast<int>(std::lround(w)),
                  static_cast<int>(std::lround(h)));
    };
    switch (edge) {
    case 0: move(left + dx, top, width - dx, height); break;
    case 1: move(left, top, width + dx, height); break;
    case 3: move(left, top, width, height + dy); break;
    case 4: move(left, top, width + dx, height + dy); break;
    case 5: move(left + dx, top, width - dx, height + dy); break;
    default: break;
    }
}

// ---- client area and child forms -----------------------------------------------------------

bool TamselXPForm::ShowChild(ui::Form& IpForm)
{
    IpForm.Show(0, &m_Host);
    if (!IpForm.hWnd() || !m_PicMain || !SetParent(H(IpForm.hWnd()), H(m_PicMain)))
        return false;
    if (m_ChildCount == 32767)
        return false;
    ++m_ChildCount;
    return true;
}

void TamselXPForm::SetMDIPosition(std::int32_t iLeft, std::int32_t iWidth, std::int32_t IHeight)
{
    m_PicMainLeft = static_cast<float>(iLeft);
    m_PicMainHeight = static_cast<float>(IHeight);
    m_PicMainWidth = static_cast<float>(iWidth);
    if (m_PicMain)
        SetWindowPos(H(m_PicMain), nullptr, iLeft, Round(m_Layout.PicMainTop), iWidth, IHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TamselXPForm::CloseChildForm()
{
    if (m_ChildCount > 0)
        --m_ChildCount;
}

void TamselXPForm::ContainerCheck()
{
    for (ui::Control* control : m_Host.Controls()) {
        if (control->Kind() == ui::ControlKind::Menu)
            return;  // no container: the scan ends here
        control->Move(control->Left() + 75, control->Top() + 450, control->Width(), control->Height());
    }
}

void TamselXPForm::MenuLabelClicked(std::size_t i, float d)
{
    if (i == 0 || i > m_MenuLabels.size() || i > m_MenuList.size())
        return;
    const LabelMenuWindow& label = *m_MenuLabels[i - 1];
    const float x = static_cast<float>(label.Left()) + m_Layout.pICmenu.left + 60;
    const float y = static_cast<float>(label.Top()) + m_Layout.pICmenu.top + d + static_cast<float>(label.Height()) - 80;
    m_Host.PopupMenu(*m_MenuList[i - 1], std::nearbyint(x), std::nearbyint(y));
}

// ---- the windows --------------------------------------------------------------------------

void TamselXPForm::CreateWindowIn(ui::Handle parentWindow)
{
    // The frame's own class keeps no cursor: each piece sets its own.
    ui::win::RegisterWindowClass(kFrameClass, ui::win::BoundWindowProc<TamselXPForm, &TamselXPForm::HandleMessage>,
                                 CS_DBLCLKS, nullptr);
    ui::win::RegisterWindowClass(kPaneClass, ui::win::BoundWindowProc<TamselXPForm, &TamselXPForm::HandlePaneMessage>,
                                 CS_DBLCLKS, IDC_ARROW);
    HWND window = CreateWindowExA(0, kFrameClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                  ui::TwipsToPixelsX(m_Left), ui::TwipsToPixelsY(m_Top), ui::TwipsToPixelsX(m_Width),
                                  ui::TwipsToPixelsY(m_Height), H(parentWindow), reinterpret_cast<HMENU>(ControlId()),
                                  GetModuleHandleA(nullptr), this);
    m_hWnd = reinterpret_cast<ui::Handle>(window);
    // Under every other control of the form.
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->CreateWindowIn(m_hWnd);
    m_Menu = reinterpret_cast<ui::Handle>(CreateWindowExA(0, kPaneClass, "pICmenu", WS_CHILD | WS_CLIPCHILDREN, 4, 30,
                                                          100, 24, window, nullptr, GetModuleHandleA(nullptr), this));
    if (m_MenuVisible)
        ShowWindow(H(m_Menu), SW_SHOWNA);
    for (auto& label : m_MenuLabels)
        label->CreateWindowIn(m_Menu);
    m_PicMain = reinterpret_cast<ui::Handle>(CreateWindowExA(0, kPaneClass, "PicMain", WS_CHILD | WS_CLIPCHILDREN,
                                                             Round(m_PicMainLeft), 30, Round(m_PicMainWidth),
                                                             Round(m_PicMainHeight), window, nullptr,
                                                             GetModuleHandleA(nullptr), this));
    if (m_PicMainVisible)
        ShowWindow(H(m_PicMain), SW_SHOWNA);
    if (!m_Enabled)
        EnableWindow(H(m_PicMain), FALSE);
    Repos();
}

void TamselXPForm::DestroyWindowOf()
{
    for (auto& label : m_MenuLabels)
        label->DestroyWindowOf();
    for (ControlButtonWindow* button : {&Minimizebutton, &MaximizeButton, &CloseButton})
        button->DestroyWindowOf();
    m_Menu = m_PicMain = 0;
    ui::Control::DestroyWindowOf();
}

TamselXPForm::Area TamselXPForm::PieceAt(int x, int y) const
{
    const auto& l = m_Layout;
    if (m_ShowIcon && Inside(l.TitleIcon, x, y))
        return Area::TitleIcon;
    if (Inside(l.TitleLeft, x, y))
        return Area::TitleLeft;
    if (Inside(l.TitleRight, x, y))
        return Area::TitleRight;
    if (Inside(l.Title, x, y)) {
        const int captionLeft = Round(l.Caption1.left);
        return x >= captionLeft && x < captionLeft + Round(l.Caption1.width) ? Area::Caption1 : Area::Title;
    }
    if (Inside(l.BottomLeft, x, y))
        return Area::BottomLeft;
    if (Inside(l.BottomRight, x, y))
        return Area::BottomRight;
    if (Inside(l.Left, x, y))
        return Area::Left;
    if (Inside(l.Right, x, y))
        return Area::Right;
    if (Inside(l.Bottom, x, y))
        return Area::Bottom;
    return Area::None;
}

void TamselXPForm::Paint(ui::Handle dcHandle) const
{
    HDC dc = reinterpret_cast<HDC>(dcHandle);
    RECT client{};
    GetClientRect(H(m_hWnd), &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(m_Form.BrushFor(m_Form.BackColor())));

    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = nullptr;
    const auto blit = [&](int list, const frame::PieceRect& where) {
        HBITMAP picture = PiecePicture(list, m_PictureIndex);
        if (!picture)
            return;
        const auto size = frame::PieceSize(list, m_PictureIndex);
        HGDIOBJ previous = SelectObject(source, picture);
        if (!old)
            old = previous;
        const RECT r = PixelRect(where);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, size.width, size.height,
                   SRCCOPY);
    };
    const auto& l = m_Layout;
    blit(kTitleList, l.Title);
    blit(kTitleLeftList, l.TitleLeft);
    blit(kTitleRightList, l.TitleRight);
    blit(kLeftList, l.Left);
    blit(kRightList, l.Right);
    blit(kBottomList, l.Bottom);
    blit(kBottomLeftList, l.BottomLeft);
    blit(kBottomRightList, l.BottomRight);
    if (old)
        SelectObject(source, old);
    DeleteDC(source);

    if (m_ShowIcon && m_Icon)
        if (HICON icon = ui::win::LoadIconResource(m_Icon, 16))
            DrawIconEx(dc, Round(l.TitleIcon.left), Round(l.TitleIcon.top), icon, 16, 16, 0, nullptr, DI_NORMAL);

    Selection font(dc, reinterpret_cast<HFONT>(m_Form.FontFor(m_Font)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::win::ToColorRef(m_CaptionColor));
    RECT text{Round(l.Caption1.left), Round(l.Caption1.top), Round(l.CloseButton.left), Round(l.Title.height)};
    DrawTextA(dc, m_Caption.c_str(), -1, &text, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
}

long long TamselXPForm::HandleMessage(ui::Handle windowHandle, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam)
{
    HWND window = H(windowHandle);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const auto sizable = [this] {
        return m_Host.BorderStyle() == ui::vbSizable && m_Host.WindowState() == ui::vbNormal;
    };
    switch (message) {
    case WM_PAINT:
        ui::win::PaintWindow(window, [this](ui::Handle dc) { Paint(dc); });
        return 0;
    case WM_PRINTCLIENT:
        Paint(static_cast<ui::Handle>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        LPCSTR cursor = IDC_ARROW;
        switch (PieceAt(at.x, at.y)) {
        case Area::Left:
        case Area::Right: cursor = sizable() ? IDC_SIZEWE : IDC_ARROW; break;
        case Area::Bottom:
            cursor = sizable() ? IDC_SIZENS : IDC_ARROW;
            if (m_Host.WindowState() == ui::vbMaximized)
                TaskBarShow();
            break;
        case Area::BottomRight: cursor = sizable() ? IDC_SIZENWSE : IDC_ARROW; break;
        case Area::BottomLeft: cursor = sizable() ? IDC_SIZENESW : IDC_ARROW; break;
        default: break;
        }
        SetCursor(LoadCursor(nullptr, cursor));
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const Area piece = PieceAt(x, y);
        switch (piece) {
        case Area::Title:
        case Area::TitleLeft:
        case Area::TitleRight:
        case Area::TitleIcon:
        case Area::Caption1:
            // The window system's own move loop moves the host.
            ReleaseCapture();
            SendMessageA(H(m_Host.hWnd()), WM_NCLBUTTONDOWN, HTCAPTION, 0);
            return 0;
        case Area::None:
            return 0;
        default:
            if (m_Host.BorderStyle() == ui::vbSizable) {
                POINT at{};
                GetCursorPos(&at);
                m_DragStartX = at.x;
                m_DragStartY = at.y;
            }
            m_Dragging = piece;
            SetCapture(window);
            return 0;
        }
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const Area piece = m_Dragging;
        m_Dragging = Area::None;
        if (GetCapture() == window)
            ReleaseCapture();
        const int edge = piece == Area::Left          ? 0
                         : piece == Area::Right       ? 1
                         : piece == Area::Bottom      ? 3
                         : piece == Area::BottomRight ? 4
                         : piece == Area::BottomLeft  ? 5
                                                       : -1;
        if (edge < 0 || m_Host.BorderStyle() != ui::vbSizable || m_Host.WindowState() != ui::vbNormal)
            return 0;
        POINT at{};
        GetCursorPos(&at);
        ResizeByDrag(m_Host, at.x - m_DragStartX, at.y - m_DragStartY, edge);
        SetStyle(m_Host);
        if (m_Host.BorderStyle() != ui::vbBSNone)
            m_Host.Height(m_Host.Height() + 375);
        Move(m_Left, m_Top, m_Width, m_Host.Height());
        Move(m_Left, m_Top, m_Host.Width(), m_Height);
        ReTransObj(m_Host);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        const Area piece = PieceAt(x, y);
        if (piece == Area::Title || piece == Area::Caption1)
            ToggleMaximized(true);
        else if (piece == Area::TitleIcon)
            ToggleMaximized(false);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

long long TamselXPForm::HandlePaneMessage(ui::Handle windowHandle, unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam)
{
    HWND window = H(windowHandle);
    const bool client = windowHandle == m_PicMain;
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r,
                 reinterpret_cast<HBRUSH>(m_Form.BrushFor(client ? m_BackColor : m_MenuBackColor)));
        if (client && m_Picture)
            if (HBITMAP picture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                                  MAKEINTRESOURCEA(m_Picture), IMAGE_BITMAP, 0, 0,
                                                                  LR_SHARED))) {
                HDC source = CreateCompatibleDC(reinterpret_cast<HDC>(wParam));
                HGDIOBJ old = SelectObject(source, picture);
                BITMAP info{};
                GetObjectA(picture, sizeof info, &info);
                BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
                SelectObject(source, old);
                DeleteDC(source);
            }
        if (!client) {
            // The strip's two separator lines at 345 twips, across its width.
            const int y = ui::TwipsToPixelsY(345);
            GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0)));
            Selection select(reinterpret_cast<HDC>(wParam), pen.Get());
            MoveToEx(reinterpret_cast<HDC>(wParam), 0, y, nullptr);
            LineTo(reinterpret_cast<HDC>(wParam), ui::TwipsToPixelsX(m_Layout.menuLineX2Twips), y);
        }
        return 1;
    }
    case WM_LBUTTONUP:
        if (client && Click)
            Click();
        break;
    case WM_LBUTTONDBLCLK:
        if (client && DblClick)
            DblClick();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
        if (client) {
            const int button = message == WM_LBUTTONDOWN   ? 1
                               : message == WM_RBUTTONDOWN ? 2
                               : message == WM_MBUTTONDOWN ? 4
                                                           : ui::win::MouseButtons(wParam);
            const float fx = static_cast<float>(GET_X_LPARAM(lParam) * ui::TwipsPerPixelX());
            const float fy = static_cast<float>(GET_Y_LPARAM(lParam) * ui::TwipsPerPixelY());
            const auto& event = message == WM_MOUSEMOVE ? MouseMove : MouseDown;
            if (event)
                event(button, ui::win::ShiftState(), fx, fy);
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
