#include "TamselXPForm.h"

#include "FrameThemes.h"
#include "ui/Scale.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace frame {

namespace {

int Round(float value) { return static_cast<int>(std::lround(value)); }

bool Inside(const PieceRect& r, int x, int y)
{
    return x >= Round(r.left) && x < Round(r.left + r.width) && y >= Round(r.top) && y < Round(r.top + r.height);
}

}  // namespace

Piece PieceAt(const Layout& l, bool iconVisible, int x, int y)
{
    if (iconVisible && Inside(l.TitleIcon, x, y))
        return Piece::TitleIcon;
    if (Inside(l.TitleLeft, x, y))
        return Piece::TitleLeft;
    if (Inside(l.TitleRight, x, y))
        return Piece::TitleRight;
    if (Inside(l.Title, x, y)) {
        const int captionLeft = Round(l.Caption1.left);
        return x >= captionLeft && x < captionLeft + Round(l.Caption1.width) ? Piece::Caption1 : Piece::Title;
    }
    if (Inside(l.BottomLeft, x, y))
        return Piece::BottomLeft;
    if (Inside(l.BottomRight, x, y))
        return Piece::BottomRight;
    if (Inside(l.Left, x, y))
        return Piece::Left;
    if (Inside(l.Right, x, y))
        return Piece::Right;
    if (Inside(l.Bottom, x, y))
        return Piece::Bottom;
    return Piece::None;
}

bool MovesWindow(Piece piece)
{
    return piece == Piece::Title || piece == Piece::TitleLeft || piece == Piece::TitleRight ||
           piece == Piece::TitleIcon || piece == Piece::Caption1;
}

std::optional<int> EdgeOf(Piece piece)
{
    switch (piece) {
    case Piece::Left: return 0;
    case Piece::Right: return 1;
    case Piece::Bottom: return 3;
    case Piece::BottomRight: return 4;
    case Piece::BottomLeft: return 5;
    default: return std::nullopt;
    }
}

Cursor CursorFor(Piece piece, bool resizable)
{
    if (!resizable)
        return Cursor::Arrow;
    switch (piece) {
    case Piece::Left:
    case Piece::Right: return Cursor::SizeWE;
    case Piece::Bottom: return Cursor::SizeNS;
    case Piece::BottomRight: return Cursor::SizeNWSE;
    case Piece::BottomLeft: return Cursor::SizeNESW;
    default: return Cursor::Arrow;
    }
}

TwipRect ResizeByDrag(const TwipRect& form, Point start, Point end, int edge, double twipsPerPixelX,
                      double twipsPerPixelY)
{
    const double dx = static_cast<double>(end.x - start.x) * twipsPerPixelX;
    const double dy = static_cast<double>(end.y - start.y) * twipsPerPixelY;
    const double left = form.left, top = form.top, width = form.width, height = form.height;
    const auto rect = [](double l, double t, double w, double h) {
        return TwipRect{static_cast<int>(std::lround(l)), static_cast<int>(std::lround(t)),
                        static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};
    };
    switch (edge) {
    case 0: return rect(left + dx, top, width - dx, height);
    case 1: return rect(left, top, width + dx, height);
    case 3: return rect(left, top, width, height + dy);
    case 4: return rect(left, top, width + dx, height + dy);
    case 5: return rect(left + dx, top, width - dx, height + dy);
    default: return form;
    }
}

Adoption AdoptionFor(int borderStyle, bool minButton, bool maxButton, bool showMinimize, bool showMaximize,
                     bool enableMaximize)
{
    Adoption a{showMinimize, showMaximize, enableMaximize, borderStyle != ui::vbBSNone,
               borderStyle != ui::vbBSNone ? kCaptionAllowance : 0};
    if (borderStyle != ui::vbSizable)
        a.showMinimize = a.showMaximize = false;
    if (!maxButton)
        a.enableMaximize = false;
    if (borderStyle == ui::vbFixedSingle && minButton) {
        // Minimize, with maximize shown but greyed out.
        a.showMinimize = a.showMaximize = true;
        a.enableMaximize = false;
    }
    return a;
}

PopupAt MenuPopupPosition(int labelLeft, int labelTop, int labelHeight, float stripLeft, float stripTop, float d)
{
    const float x = static_cast<float>(labelLeft) + stripLeft + 60;
    const float y = static_cast<float>(labelTop) + stripTop + d + static_cast<float>(labelHeight) - 80;
    return {std::nearbyint(x), std::nearbyint(y)};
}

}  // namespace frame

using frame::Piece;

TamselXPForm::TamselXPForm(XPFormHost& host, XPFormSurface& surface, const ui::FontSpec& ambientFont)
    : m_Host(host), m_Surface(surface), m_Font(ambientFont)
{
}

// ---- properties ----------------------------------------------------------------

void TamselXPForm::InitProperties()
{
    m_Host.BackColor(kNewHostBackColor);
    m_ShowMinimize = m_ShowMaximize = m_ShowClose = true;
    m_ShowHelp = false;
    m_EnableMaximize = true;
    m_AutoLoad = true;
    m_Caption = m_Host.Caption();
    m_Host.Caption(m_Caption);
    m_IpModal = -1;
    m_CloseActive = false;
    m_IconTop = kDefaultIconTop;
    m_TitleTop = kDefaultTitleTop;
    ShowIcon(false);
    m_Surface.Button(CaptionButtonId::Minimize).ButtonStyle(0);
    m_Surface.Button(CaptionButtonId::Maximize).ButtonStyle(1);
    m_Surface.Button(CaptionButtonId::Close).ButtonStyle(2);
    m_ColorScheme = 0;
}

void TamselXPForm::ReadProperties(const ui::PropertyBag& bag)
{
    m_Caption = bag.ReadString("Caption", kDefaultCaption);
    m_Font = bag.ReadFont("Font", m_Host.Font());
    m_ShowMinimize = bag.ReadBool("ShowMinimize", true);
    m_ShowMaximize = bag.ReadBool("ShowMaximize", true);
    m_ShowClose = bag.ReadBool("ShowClose", true);
    m_ShowHelp = bag.ReadBool("ShowHelp", false);
    m_EnableMaximize = bag.ReadBool("EnableMaximize", true);
    m_Icon = bag.ReadLong("Icon", 0);
    m_AutoLoad = bag.ReadBool("AutoLoad", false);
    m_ShowIcon = bag.ReadBool("ShowIcon", true);
    m_IpModal = static_cast<std::int16_t>(bag.ReadLong("IpModal", -1));
    m_MenuBackColor = static_cast<ui::Color>(bag.ReadLong("MenuBackColor", static_cast<std::int32_t>(kDefaultMenuBackColor)));
    m_CloseActive = bag.ReadBool("CloseActive", false);
    m_IconTop = static_cast<std::int16_t>(bag.ReadLong("IconTop", kDefaultIconTop));
    m_TitleTop = static_cast<std::int16_t>(bag.ReadLong("TitleTop", kDefaultTitleTop));
    m_HaveChild = bag.ReadBool("HaveChild", false);
    m_BackColor = static_cast<ui::Color>(bag.ReadLong("BackColor", static_cast<std::int32_t>(ui::vbButtonFace)));
    m_Picture = bag.ReadLong("Picture", 0);
    m_Enabled = bag.ReadBool("Enabled", true);
    m_ColorScheme = bag.ReadLong("Theme", 0);
    m_Surface.EnableClientArea(m_Enabled);
    m_Surface.Button(CaptionButtonId::Maximize).Enabled(m_EnableMaximize);
    m_Surface.ButtonVisible(CaptionButtonId::Minimize, m_ShowMinimize);
    m_Surface.ButtonVisible(CaptionButtonId::Maximize, m_ShowMaximize);
    m_Surface.ButtonVisible(CaptionButtonId::Close, m_ShowClose);
    Repos();
}

ui::PropertyBag TamselXPForm::WriteProperties() const
{
    ui::PropertyBag bag;
    bag.WriteString("Caption", m_Caption, kDefaultCaption);
    bag.WriteFont("Font", m_Font, m_Host.Font());
    bag.WriteBool("ShowMinimize", m_ShowMinimize, true);
    bag.WriteBool("ShowMaximize", m_ShowMaximize, true);
    bag.WriteBool("ShowClose", m_ShowClose, true);
    bag.WriteBool("ShowHelp", m_ShowHelp, false);
    bag.WriteBool("EnableMaximize", m_EnableMaximize, true);
    bag.WriteBool("AutoLoad", m_AutoLoad, false);
    bag.WriteBool("ShowIcon", m_ShowIcon, true);
    bag.WriteLong("Icon", m_Icon, 0);
    bag.WriteLong("IpModal", m_IpModal, -1);
    bag.WriteLong("MenuBackColor", static_cast<std::int32_t>(m_MenuBackColor), static_cast<std::int32_t>(kDefaultMenuBackColor));
    bag.WriteBool("CloseActive", m_CloseActive, false);
    bag.WriteLong("IconTop", m_IconTop, kDefaultIconTop);
    bag.WriteLong("TitleTop", m_TitleTop, kDefaultTitleTop);
    bag.WriteBool("HaveChild", m_HaveChild, false);
    bag.WriteLong("BackColor", static_cast<std::int32_t>(m_BackColor), static_cast<std::int32_t>(ui::vbButtonFace));
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
    m_Surface.Redraw();
    Changed();
}

void TamselXPForm::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    m_Host.Caption(New_Caption);
    m_Surface.Redraw();
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
    m_Host.DoEvents();
    Repos();
    Repos();
}

void TamselXPForm::Enabled(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    m_Surface.EnableClientArea(New_Enabled);
    Changed();
}

void TamselXPForm::EnableMaximize(bool New_EnableMaximize)
{
    m_EnableMaximize = New_EnableMaximize;
    m_Surface.Button(CaptionButtonId::Maximize).Enabled(New_EnableMaximize);
    Changed();
}

void TamselXPForm::Font(const ui::FontSpec& New_Font)
{
    m_Font = New_Font;
    m_Surface.Redraw();
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
    m_Surface.Redraw();
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
    m_Surface.Redraw();
    Changed();
}

void TamselXPForm::Picture(int New_Picture)
{
    m_Picture = New_Picture;
    m_Surface.Redraw();
    Changed();
}

void TamselXPForm::ShowClose(bool New_ShowClose)
{
    m_ShowClose = New_ShowClose;
    m_Surface.ButtonVisible(CaptionButtonId::Close, New_ShowClose);
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
    m_Surface.ButtonVisible(CaptionButtonId::Maximize, New_ShowMaximize);
    Changed();
}

void TamselXPForm::ShowMinimize(bool New_ShowMinimize)
{
    m_ShowMinimize = New_ShowMinimize;
    m_Surface.ButtonVisible(CaptionButtonId::Minimize, New_ShowMinimize);
    if (m_Restyled)  // the window menu follows the button
        m_Host.Restyle(m_Host.Bounds(), m_ShowMinimize);
    Changed();
}

void TamselXPForm::TitleTop(std::int16_t New_TitleTop)
{
    m_TitleTop = New_TitleTop;
    Changed();
    Repos();
}

// ---- layout and schemes ------------------------------------------------------------

frame::Layout TamselXPForm::ComputeLayout() const
{
    frame::LayoutInput in;
    in.widthTwips = m_Surface.FrameWidth();
    in.heightTwips = m_Surface.FrameHeight();
    in.twipsPerPixelX = m_Host.DisplayScale().TwipsPerPixelX();
    in.twipsPerPixelY = m_Host.DisplayScale().TwipsPerPixelY();
    // The title band's ends are as wide as the pictures shown now, active or
    // inactive, so that no picture is stretched into a slot not its own.
    in.titleLeftWidth = static_cast<float>(frame::PieceSize(frame::kTitleLeftList, m_PictureIndex).width);
    in.titleRightWidth = static_cast<float>(frame::PieceSize(frame::kTitleRightList, m_PictureIndex).width);
    in.minimizeVisible = m_ShowMinimize;
    in.maximizeVisible = m_ShowMaximize;
    in.iconVisible = m_ShowIcon;
    in.iconTop = m_IconTop;
    in.titleTop = m_TitleTop;
    in.captionFontSize = m_Font.Size;
    in.menuVisible = m_MenuVisible;
    return frame::Repos(in);
}

void TamselXPForm::Repos()
{
    m_Layout = ComputeLayout();
    if (m_Layout.widthTwips != m_Surface.FrameWidth() || m_Layout.heightTwips != m_Surface.FrameHeight())
        m_Surface.FrameSize(m_Layout.widthTwips, m_Layout.heightTwips);
    m_Surface.Placed(m_Layout);
    if (m_TransparentEdges)
        m_Surface.ContainerRegion(m_Layout.widthTwips, m_Layout.heightTwips);
    for (CaptionButtonId id : {CaptionButtonId::Minimize, CaptionButtonId::Maximize, CaptionButtonId::Close})
        m_Surface.Button(id).RefreshControl(true);
    SetFormActiveStyle(true);
    auto args = m_Layout.resize;
    if (resize)
        resize(args.IsTop, args.IsHeight, args.IsWidth);
}

void TamselXPForm::Resized(double oldWidth, double oldHeight)
{
    if (oldWidth != m_Surface.FrameWidth() || oldHeight != m_Surface.FrameHeight())
        Repos();
}

bool TamselXPForm::SetFormActiveStyle(bool ActiveForm)
{
    m_CaptionColor = frame::CaptionColor(m_ColorScheme, ActiveForm);
    const auto index = frame::ThemeIndex(m_ColorScheme, ActiveForm);
    if (!index)
        return false;
    if (*index != m_PictureIndex) {
        m_PictureIndex = *index;
        // The ends of the new variant may be narrower or wider.
        const frame::Layout layout = ComputeLayout();
        m_Layout.TitleLeft = layout.TitleLeft;
        m_Layout.Title = layout.Title;
        m_Layout.TitleRight = layout.TitleRight;
        m_Surface.Placed(m_Layout);
    }
    ControlButton& minimize = m_Surface.Button(CaptionButtonId::Minimize);
    ControlButton& maximize = m_Surface.Button(CaptionButtonId::Maximize);
    ControlButton& close = m_Surface.Button(CaptionButtonId::Close);
    for (ControlButton* button : {&minimize, &maximize, &close})
        button->IsActivate(ActiveForm);
    for (ControlButton* button : {&minimize, &maximize, &close})
        button->Theme(m_ColorScheme);
    minimize.RefreshControl(ActiveForm);
    close.RefreshControl(ActiveForm);
    if (maximize.Enabled())
        maximize.RefreshControl(ActiveForm);
    m_Surface.Redraw();
    return true;
}

void TamselXPForm::ReTransObj()
{
    frame::TwipRect bounds = m_Host.Bounds();
    if (bounds.height < frame::kMinHeightTwips || bounds.width < frame::kMinWidthTwips) {
        bounds.height = std::max(bounds.height, static_cast<int>(frame::kMinHeightTwips));
        bounds.width = std::max(bounds.width, static_cast<int>(frame::kMinWidthTwips));
        m_Host.Move(bounds);
        bounds = m_Host.Bounds();
    }
    m_Host.Region(bounds);
}

void TamselXPForm::TransparentEdges()
{
    m_TransparentEdges = true;
    Repos();
}

// ---- adoption ----------------------------------------------------------------------

void TamselXPForm::SetStyle()
{
    m_Restyled = true;
    m_Host.Restyle(m_Host.Bounds(), m_ShowMinimize);
    if (m_Host.BorderStyle() != ui::vbBSNone) {
        frame::TwipRect bounds = m_Host.Bounds();
        bounds.height -= frame::kRestyleShortening;
        m_Host.Move(bounds);
    }
}

void TamselXPForm::FrameToHost()
{
    const frame::TwipRect bounds = m_Host.Bounds();
    const double width = m_Surface.FrameWidth(), height = m_Surface.FrameHeight();
    m_Surface.FrameSize(bounds.width, bounds.height);
    Resized(width, height);
}

bool TamselXPForm::Adopt(std::int16_t OptModal, bool withOwner)
{
    m_Adopted = true;
    m_Host.CursorPos({9000, 9000});

    // Menus tagged for the frame become labels in its menu strip.
    const auto menus = m_Host.TopMenus();
    int left = frame::kLabelFirstLeft;
    for (std::size_t i = 0; i < menus.size(); ++i) {
        std::string tag = menus[i].tag;
        std::transform(tag.begin(), tag.end(), tag.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (tag != "MAINMENU")
            continue;
        m_MenuVisible = true;
        m_Surface.ShowMenuStrip(true);
        const std::size_t n = m_Labels.size() + 1;
        const auto size = m_Surface.AddMenuLabel(n, menus[i].caption, m_MenuBackColor, menus[i].enabled, left,
                                                 frame::kLabelTop);
        m_Labels.push_back({i, left, frame::kLabelTop, size.width, size.height});
        left += size.width;
        m_Host.HideMenu(i);
    }

    const int borderStyle = m_Host.BorderStyle();
    const frame::Adoption adoption = frame::AdoptionFor(borderStyle, m_Host.MinButton(), m_Host.MaxButton(),
                                                        m_ShowMinimize, m_ShowMaximize, m_EnableMaximize);
    frame::TwipRect bounds = m_Host.Bounds();
    bounds.width = static_cast<int>(m_Surface.FrameWidth());
    bounds.height = static_cast<int>(m_Surface.FrameHeight()) + adoption.extraHeightTwips;
    m_Host.Move(bounds);
    if (adoption.showMaximize != m_ShowMaximize)
        ShowMaximize(adoption.showMaximize);
    if (adoption.showMinimize != m_ShowMinimize)
        ShowMinimize(adoption.showMinimize);
    if (adoption.enableMaximize != m_EnableMaximize)
        EnableMaximize(adoption.enableMaximize);
    m_PicMainVisible = m_HaveChild;
    m_Surface.ShowClientArea(m_HaveChild);
    m_Surface.Placed(m_Layout);
    if (adoption.restyle)
        SetStyle();
    FrameToHost();
    ReTransObj();
    bounds = m_Host.Bounds();
    // The pointer on the form's top-right corner, at the form's own scale.
    const ui::Scale& scale = m_Host.DisplayScale();
    m_Host.CursorPos({scale.TwipsToPixelsX(bounds.left + bounds.width), scale.TwipsToPixelsY(bounds.top)});
    m_Host.DoEvents();
    return withOwner || m_IpModal == 1 || OptModal == 1;
}

bool TamselXPForm::Shown()
{
    // Adopted once: the re-show of an adoption must not start another.
    if (m_Shown)
        return false;
    m_Shown = true;
    Repos();
    return m_AutoLoad && !m_Adopted;
}

// ---- window commands -----------------------------------------------------------------

void TamselXPForm::CloseClick()
{
    if (m_CloseActive)
        m_Host.EndProgram();
    else if (m_Adopted)
        m_Host.Unload();
}

void TamselXPForm::MinimizeClick()
{
    if (m_Adopted)
        m_Host.WindowState(ui::vbMinimized);
}

void TamselXPForm::MaxBtnClick()
{
    if (!m_Adopted)
        return;
    ChangeWindowState(m_Host.WindowState() != ui::vbNormal ? ui::vbNormal : ui::vbMaximized);
    m_Host.DoEvents();
    FrameToHost();
    ReTransObj();
    Repos();
}

void TamselXPForm::ToggleMaximized(bool titleForm)
{
    if (!m_Adopted || m_Host.BorderStyle() != ui::vbSizable)
        return;
    if (titleForm && !(m_EnableMaximize && m_Host.MaxButton()))
        return;
    ChangeWindowState(m_Host.WindowState() == ui::vbNormal ? ui::vbMaximized : ui::vbNormal);
    FrameToHost();
    ReTransObj();
    if (titleForm) {
        Repos();
        for (CaptionButtonId id : {CaptionButtonId::Minimize, CaptionButtonId::Maximize, CaptionButtonId::Close})
            m_Surface.Button(id).RefreshControl(true);
    }
}

void TamselXPForm::ChangeWindowState(int state)
{
    // A form that fits itself to the frame on every resize would take the
    // maximized frame's size back with it: the frame is the restored size first.
    if (state == ui::vbNormal) {
        const frame::TwipRect restored = m_Host.RestoredBounds();
        m_Surface.FrameSize(restored.width, restored.height);
    }
    m_Host.WindowState(state);
}

bool TamselXPForm::Resizable() const
{
    return m_Adopted && m_Host.BorderStyle() == ui::vbSizable && m_Host.WindowState() == ui::vbNormal;
}

// ---- the mouse on the frame -------------------------------------------------------------

void TamselXPForm::Frame_MouseDown(int x, int y, int Button)
{
    if (m_Dragging != Piece::None && Button != m_DragButton)
        return;  // another button pressed mid-drag takes nothing over
    const Piece piece = frame::PieceAt(m_Layout, m_ShowIcon, x, y);
    if (frame::MovesWindow(piece)) {
        // The system's move loop ends only on a left release: another button
        // would leave the window stuck to the pointer.
        if (Button == ui::vbLeftButton)
            m_Host.StartMove();
        return;
    }
    if (!frame::EdgeOf(piece))
        return;
    if (m_Adopted && m_Host.BorderStyle() == ui::vbSizable)
        m_DragStart = m_Host.CursorPos();
    m_Dragging = piece;
    m_DragButton = Button;
}

void TamselXPForm::Frame_DragCancelled() { m_Dragging = Piece::None; }

void TamselXPForm::Frame_MouseUp(int Button)
{
    if (Button != m_DragButton)
        return;
    const Piece piece = m_Dragging;
    m_Dragging = Piece::None;
    const auto edge = frame::EdgeOf(piece);
    if (!edge || !Resizable())
        return;
    const frame::TwipRect dragged = frame::ResizeByDrag(m_Host.Bounds(), m_DragStart, m_Host.CursorPos(), *edge,
                                                        m_Host.DisplayScale().TwipsPerPixelX(), m_Host.DisplayScale().TwipsPerPixelY());
    m_Host.Move(dragged);
    // SetStyle's shortening and the caption allowance given back leave 10
    // twips, less than a pixel: the form keeps the height the drag gave it, or
    // every gesture, even a click, would add a pixel.
    m_Host.Restyle(m_Host.Bounds(), m_ShowMinimize);
    FrameToHost();
    ReTransObj();
}

void TamselXPForm::Frame_DblClick(int x, int y)
{
    const Piece piece = frame::PieceAt(m_Layout, m_ShowIcon, x, y);
    if (piece == Piece::Title || piece == Piece::Caption1)
        ToggleMaximized(true);
    else if (piece == Piece::TitleIcon)
        ToggleMaximized(false);
}

frame::Cursor TamselXPForm::Frame_MouseMove(int x, int y)
{
    if (!m_Adopted)
        return frame::Cursor::Arrow;
    return frame::CursorFor(frame::PieceAt(m_Layout, m_ShowIcon, x, y), Resizable());
}

// ---- menu labels and child forms ----------------------------------------------------------

void TamselXPForm::ShowMenuOf(std::size_t n, float d)
{
    if (n == 0 || n > m_Labels.size())
        return;
    const Label& label = m_Labels[n - 1];
    const auto at = frame::MenuPopupPosition(label.left, label.top, label.height, m_Layout.pICmenu.left,
                                             m_Layout.pICmenu.top, d);
    m_Host.PopupMenu(label.menu, at.x, at.y);
}

void TamselXPForm::MenuLabel_Click(std::size_t n) { ShowMenuOf(n, 450); }

void TamselXPForm::MenuLabel_MouseDown(std::size_t n, int Button)
{
    if (Button == ui::vbLeftButton)
        ShowMenuOf(n, 480);
}

bool TamselXPForm::ChildShown()
{
    if (m_ChildCount == 32767)
        return false;
    ++m_ChildCount;
    return true;
}

void TamselXPForm::CloseChildForm()
{
    if (m_ChildCount > 0)
        --m_ChildCount;
}

void TamselXPForm::SetMDIPosition(std::int32_t iLeft, std::int32_t iWidth, std::int32_t IHeight)
{
    m_PicMainLeft = static_cast<float>(iLeft);
    m_PicMainHeight = static_cast<float>(IHeight);
    m_PicMainWidth = static_cast<float>(iWidth);
    m_Surface.Placed(m_Layout);
}
