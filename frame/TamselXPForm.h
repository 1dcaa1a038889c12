#pragma once
// The skinned frame a form places over its whole client area: once shown it
// adopts its host (no system caption or border any more) and draws the title
// band, borders, caption buttons, icon, caption and an optional menu strip from
// bitmap pieces in one of three colour schemes, and carries out moving,
// resizing, maximizing, minimizing and closing itself.
//
// This is the frame's logic: its properties, adoption, layout, window commands
// and mouse decisions, against its host form and its own surface. On Win32 the
// surface is TamselXPFormWindow; in tests both are fakes.
#include "FrameLayout.h"
#include "ui/PropertyBag.h"
#include "ui/Scale.h"
#include "ui/UiTypes.h"
#include "widgets/ControlButton.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace frame {

// A form's outer bounds in twips.
struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipRect&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// The parts of the frame the mouse can be on.
enum class Piece { None, Title, TitleLeft, TitleRight, TitleIcon, Caption1, Left, Right, Bottom, BottomLeft, BottomRight };

// The piece under a point of the frame (pixels). The icon counts only while shown.
Piece PieceAt(const Layout& layout, bool iconVisible, int x, int y);

// True for the title band pieces, which move the window.
bool MovesWindow(Piece piece);

// The edge code a border piece resizes: 0 left, 1 right, 3 bottom,
// 4 bottom-right, 5 bottom-left; none for the other pieces.
std::optional<int> EdgeOf(Piece piece);

enum class Cursor { Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW };
// The cursor over a piece of a form that can (or cannot) be resized now.
Cursor CursorFor(Piece piece, bool resizable);

// The form's bounds after its edge was pulled by (dx, dy) pixels. The twips are
// worked out once from the pixel movement, so a drag of nothing changes nothing.
TwipRect ResizeByDrag(const TwipRect& form, Point start, Point end, int edge, double twipsPerPixelX,
                      double twipsPerPixelY);

// What adoption makes of the caption buttons and the window for a border style
// (0 none, 1 fixed single, 2 sizable, 3 fixed dialog, ...) and the form's
// minimize and maximize boxes.
struct Adoption {
    bool showMinimize = true, showMaximize = true, enableMaximize = true;
    bool restyle = false;       // the system caption and border go
    int extraHeightTwips = 0;   // what the system caption took, given back before the restyle
    bool operator==(const Adoption&) const = default;
};
Adoption AdoptionFor(int borderStyle, bool minButton, bool maxButton, bool showMinimize, bool showMaximize,
                     bool enableMaximize);

// What a restyle takes off a bordered form's height: a little less than adoption
// gave it, so that an adopted form ends 10 twips taller than its frame.
constexpr int kRestyleShortening = 365;
constexpr int kCaptionAllowance = 375;

// The menu labels sit side by side from 60 twips, 45 twips down the strip.
constexpr int kLabelFirstLeft = 60;
constexpr int kLabelTop = 45;
// Where label `left`/`top`/`height` (twips) opens its menu, in the host's
// twips, with the strip at (stripLeft, stripTop) pixels; d is 450 for a click,
// 480 for a press.
struct PopupAt {
    float x = 0, y = 0;
    bool operator==(const PopupAt&) const = default;
};
PopupAt MenuPopupPosition(int labelLeft, int labelTop, int labelHeight, float stripLeft, float stripTop, float d);

}  // namespace frame

// The host form as the frame sees it: its design settings, its window and the
// program's few global services.
class XPFormHost {
public:
    virtual ~XPFormHost() = default;
    virtual int BorderStyle() const = 0;
    virtual bool MinButton() const = 0;
    virtual bool MaxButton() const = 0;
    virtual int WindowState() const = 0;
    virtual void WindowState(int New_WindowState) = 0;
    virtual frame::TwipRect Bounds() const = 0;
    // Where and how large the form is when neither maximized nor minimized.
    virtual frame::TwipRect RestoredBounds() const = 0;
    virtual void Move(const frame::TwipRect& bounds) = 0;
    virtual std::string Caption() const = 0;
    virtual void Caption(const std::string& New_Caption) = 0;
    virtual void Icon(int New_Icon) = 0;
    virtual void BackColor(ui::Color New_BackColor) = 0;
    // The container's ambient font: the form's own.
    virtual ui::FontSpec Font() const = 0;
    // The scale the form is drawn at: the frame's twips and pixels follow it.
    virtual const ui::Scale& DisplayScale() const = 0;
    virtual void Unload() = 0;
    virtual void EndProgram() = 0;
    virtual void DoEvents() = 0;

    // The form's top-level menus, in the form's order.
    struct MenuInfo {
        std::string tag, caption;
        bool enabled = true;
    };
    virtual std::vector<MenuInfo> TopMenus() const = 0;
    virtual void HideMenu(std::size_t index) = 0;
    virtual void PopupMenu(std::size_t index, float x, float y) = 0;

    // The window: no system caption or border any more, at its bounds; its
    // rounded region for its size. Minimizable while the frame shows its
    // minimize button, so that the window menu (Alt+Space) offers it too.
    virtual void Restyle(const frame::TwipRect& bounds, bool minimizable) = 0;
    virtual void Region(const frame::TwipRect& bounds) = 0;
    // The system's move loop, which follows the left button.
    virtual void StartMove() = 0;
    virtual frame::Point CursorPos() const = 0;
    virtual void CursorPos(frame::Point at) = 0;
};

// The frame's own surface: its size as a control of the form, the caption
// buttons it holds, and where its pieces are shown.
enum class CaptionButtonId { Minimize, Maximize, Close };

class XPFormSurface {
public:
    virtual ~XPFormSurface() = default;
    // The frame's size in twips; setting it does not lay the frame out again.
    virtual double FrameWidth() const = 0;
    virtual double FrameHeight() const = 0;
    virtual void FrameSize(double width, double height) = 0;
    virtual ControlButton& Button(CaptionButtonId which) = 0;
    virtual void ButtonVisible(CaptionButtonId which, bool visible) = 0;
    // The pieces take their places; the frame is redrawn.
    virtual void Placed(const frame::Layout& layout) = 0;
    virtual void Redraw() = 0;
    virtual void ShowMenuStrip(bool visible) = 0;
    virtual void ShowClientArea(bool visible) = 0;
    virtual void EnableClientArea(bool enabled) = 0;
    // Menu label n (from 1) with its caption, colour, enabled state and place in
    // the strip (twips); returns its size in twips as it fits its caption.
    struct LabelSize {
        int width = 0, height = 0;
    };
    virtual LabelSize AddMenuLabel(std::size_t n, const std::string& caption, ui::Color backColor, bool enabled,
                                   int left, int top) = 0;
    // The host window's rounded region for the frame's own size.
    virtual void ContainerRegion(double widthTwips, double heightTwips) = 0;
};

class TamselXPForm {
public:
    static constexpr const char* kDefaultCaption = "XP Form Style";
    static constexpr ui::Color kDefaultMenuBackColor = ui::vbMenuBar;
    static constexpr std::int16_t kDefaultIconTop = 7;
    static constexpr std::int16_t kDefaultTitleTop = -2;

    // The host and surface are only kept here, not yet asked anything; the
    // caption starts in the container's ambient font.
    TamselXPForm(XPFormHost& host, XPFormSurface& surface, const ui::FontSpec& ambientFont);
    virtual ~TamselXPForm() = default;
    TamselXPForm(const TamselXPForm&) = delete;
    TamselXPForm& operator=(const TamselXPForm&) = delete;

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
    bool Enabled() const { return m_Enabled; }  // the client area's
    void Enabled(bool New_Enabled);
    bool EnableMaximize() const { return m_EnableMaximize; }
    void EnableMaximize(bool New_EnableMaximize);
    const ui::FontSpec& Font() const { return m_Font; }  // the caption's
    void Font(const ui::FontSpec& New_Font);
    bool HaveChild() const { return m_HaveChild; }
    void HaveChild(bool New_HaveChild);
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

    // A new host window's back colour; the read-only property gives it as decimal text.
    static constexpr ui::Color kNewHostBackColor = 0xD8E9EC;
    std::string DefaultBackgroundColor() const { return std::to_string(kNewHostBackColor); }
    void About() const {}

    // ---- methods -----------------------------------------------------------
    // Adoption without its final show: true when the form is to be shown again,
    // modally or with its owner (the caller shows it).
    bool Adopt(std::int16_t OptModal, bool withOwner);
    void SetStyle();
    // False when the scheme has no pictures; the caption colour is set all the same.
    bool SetFormActiveStyle(bool ActiveForm);
    void Repos();
    void ReTransObj();
    void TransparentEdges();
    void MaxBtnClick();
    void MinimizeClick();
    void CloseClick();
    // A child form was shown in the client area; false when the count is full.
    bool ChildShown();
    std::int16_t NChildForm() const { return m_ChildCount; }
    void CloseChildForm();
    void SetMDIPosition(std::int32_t iLeft, std::int32_t iWidth, std::int32_t IHeight);

    // ---- events ------------------------------------------------------------
    std::function<void(std::int16_t& IsTop, std::int16_t& IsHeight, std::int16_t& IsWidth)> resize;

    // ---- design-time properties -------------------------------------------
    void InitProperties();
    void ReadProperties(const ui::PropertyBag& bag);
    ui::PropertyBag WriteProperties() const;
    bool PropertiesChanged() const { return m_Changed; }

    // ---- input from the surface and the host --------------------------------
    // The frame's size changed (twips): it lays itself out again.
    void Resized(double oldWidth, double oldHeight);
    // The frame was shown: true when it is to adopt its host now (once).
    bool Shown();
    void Frame_MouseDown(int x, int y, int Button);  // pixels of the frame; Button bits
    // A release ends the drag its own button's press began; another button's
    // release changes nothing.
    void Frame_MouseUp(int Button);
    // The mouse was taken away mid-drag (another window took it, a menu or a
    // dialog opened, the system cancelled the mode): the drag ends, unapplied.
    void Frame_DragCancelled();
    void Frame_DblClick(int x, int y);
    frame::Cursor Frame_MouseMove(int x, int y);
    void MenuLabel_Click(std::size_t n);
    void MenuLabel_MouseDown(std::size_t n, int Button);

    // ---- state --------------------------------------------------------------
    const frame::Layout& CurrentLayout() const { return m_Layout; }
    ui::Color CaptionColor() const { return m_CaptionColor; }
    int PictureIndex() const { return m_PictureIndex; }  // of the pieces' pictures now shown
    bool MenuStripVisible() const { return m_MenuVisible; }
    std::size_t MenuLabelCount() const { return m_Labels.size(); }
    bool ClientAreaVisible() const { return m_PicMainVisible; }
    // The client area's left, width and height (pixels), as SetMDIPosition left them.
    float PicMainLeft() const { return m_PicMainLeft; }
    float PicMainWidth() const { return m_PicMainWidth; }
    float PicMainHeight() const { return m_PicMainHeight; }
    bool Adopted() const { return m_Adopted; }

private:
    void Changed() { m_Changed = true; }
    frame::Layout ComputeLayout() const;
    // The frame takes the host's size and lays itself out for it.
    void FrameToHost();
    void ToggleMaximized(bool titleForm);
    void ShowMenuOf(std::size_t n, float d);
    void ChangeWindowState(int state);
    bool Resizable() const;

    XPFormHost& m_Host;
    XPFormSurface& m_Surface;
    bool m_AutoLoad = false;
    ui::Color m_BackColor = ui::vbButtonFace;
    std::string m_Caption = kDefaultCaption;
    bool m_CloseActive = false;
    std::int32_t m_ColorScheme = 0;
    bool m_Enabled = true;
    bool m_EnableMaximize = true;
    ui::FontSpec m_Font;
    bool m_HaveChild = false;
    int m_Icon = 0;
    std::int16_t m_IconTop = kDefaultIconTop;
    std::int16_t m_IpModal = -1;
    ui::Color m_MenuBackColor = kDefaultMenuBackColor;
    int m_Picture = 0;
    bool m_ShowClose = true;
    bool m_ShowIcon = true;
    bool m_ShowMaximize = true;
    bool m_ShowMinimize = true;
    bool m_ShowHelp = false;
    std::int16_t m_TitleTop = kDefaultTitleTop;
    bool m_TransparentEdges = false;
    std::int16_t m_ChildCount = 0;
    bool m_Changed = false;

    frame::Layout m_Layout;
    int m_PictureIndex = 0;
    ui::Color m_CaptionColor = 0xFFFFFF;
    bool m_MenuVisible = false;
    bool m_PicMainVisible = false;
    float m_PicMainLeft = 4, m_PicMainWidth = 0, m_PicMainHeight = 0;

    struct Label {
        std::size_t menu;  // index into the host's top-level menus
        int left, top, width, height;
    };
    std::vector<Label> m_Labels;
    frame::Point m_DragStart;
    frame::Piece m_Dragging = frame::Piece::None;
    int m_DragButton = 0;
    bool m_Adopted = false;  // the host is MyForm: nothing acts on it before
    bool m_Restyled = false;  // the host lost its caption and border to the frame
    bool m_Shown = false;
};
