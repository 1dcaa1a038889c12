// The skinned frame's logic on a fake host form and a fake surface, with the
// simulated clock and mouse: stored properties, adoption per border style, the
// mouse on the frame's pieces, window commands and menu labels.
#include "SimMachineFixture.h"
#include "frame/TamselXPForm.h"

#include <cmath>
#include <functional>
#include <memory>

namespace {

using frame::Piece;
using frame::TwipRect;

// A form whose window keeps whole pixels, as a real one does.
class FakeHost : public XPFormHost {
public:
    explicit FakeHost(sim::SimCursorWindows& mouse) : m_Mouse(&mouse) {}
    int BorderStyle() const override { return borderStyle; }
    const ui::Scale& DisplayScale() const override { return scale; }
    bool MinButton() const override { return minButton; }
    bool MaxButton() const override { return maxButton; }
    int WindowState() const override { return windowState; }
    void WindowState(int New_WindowState) override
    {
        windowState = New_WindowState;
        ++stateChanges;
        if (onStateChange)
            onStateChange();
    }
    std::function<void()> onStateChange;  // what the form does on the resize that follows
    TwipRect Bounds() const override { return bounds; }
    TwipRect RestoredBounds() const override { return restored; }
    void Move(const TwipRect& b) override
    {
        const auto whole = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)) * 15; };
        bounds = {whole(b.left), whole(b.top), whole(b.width), whole(b.height)};
        ++moves;
    }
    std::string Caption() const override { return caption; }
    void Caption(const std::string& New_Caption) override { caption = New_Caption; }
    void Icon(int New_Icon) override { icon = New_Icon; }
    void BackColor(ui::Color New_BackColor) override { backColor = New_BackColor; }
    ui::FontSpec Font() const override { return font; }
    void Unload() override { ++unloads; }
    void EndProgram() override { ++ends; }
    void DoEvents() override {}
    std::vector<MenuInfo> TopMenus() const override { return menus; }
    void HideMenu(std::size_t index) override { hidden.push_back(index); }
    void PopupMenu(std::size_t index, float x, float y) override { popups.push_back({index, x, y}); }
    void Restyle(const TwipRect&, bool New_Minimizable) override
    {
        ++restyles;
        minimizable = New_Minimizable;
    }
    void Region(const TwipRect& b) override { region = b; }
    void StartMove() override { ++moveLoops; }
    frame::Point CursorPos() const override { return {m_Mouse->cursor.x, m_Mouse->cursor.y}; }
    void CursorPos(frame::Point at) override { m_Mouse->cursor = {at.x, at.y}; }

    int borderStyle = ui::vbSizable;
    ui::Scale scale;
    bool minButton = true, maxButton = true;
    int windowState = ui::vbNormal;
    TwipRect bounds{1500, 1200, 6120, 4815};
    TwipRect restored{1500, 1200, 6120, 4815};
    std::string caption = "Host";
    int icon = 0;
    ui::Color backColor = 0;
    ui::FontSpec font{"Tahoma", 10};
    std::vector<MenuInfo> menus;
    std::vector<std::size_t> hidden;
    struct Popup {
        std::size_t menu;
        float x, y;
        bool operator==(const Popup&) const = default;
    };
    std::vector<Popup> popups;
    std::optional<TwipRect> region;
    int stateChanges = 0, moves = 0, unloads = 0, ends = 0, restyles = 0, moveLoops = 0;
    bool minimizable = false;

private:
    sim::SimCursorWindows* m_Mouse;
};

class NoPicture : public CaptionSurface {
public:
    void ShowPicture(const CaptionPicture&) override {}
    ui::WindowHandle Hwnd() const override { return {}; }
    bool Enabled() const override { return enabled; }
    void Enabled(bool New_Enabled) override { enabled = New_Enabled; }
    bool AutoRedraw() const override { return false; }
    void AutoRedraw(bool) override {}
    std::string ToolTipText() const override { return {}; }
    void ToolTipText(const std::string&) override {}
    void Repaint() override {}
    bool enabled = true;
};

class FakeSurface : public XPFormSurface {
public:
    double FrameWidth() const override { return width; }
    double FrameHeight() const override { return height; }
    void FrameSize(double w, double h) override
    {
        width = w;
        height = h;
    }
    ControlButton& Button(CaptionButtonId which) override { return buttons[static_cast<int>(which)]; }
    void ButtonVisible(CaptionButtonId which, bool visible) override { shown[static_cast<int>(which)] = visible; }
    void Placed(const frame::Layout& layout) override { placed = layout; }
    void Redraw() override {}
    void ShowMenuStrip(bool visible) override { strip = visible; }
    void ShowClientArea(bool visible) override { clientArea = visible; }
    void EnableClientArea(bool) override {}
    LabelSize AddMenuLabel(std::size_t, const std::string& caption, ui::Color, bool enabled, int left,
                           int top) override
    {
        labels.push_back({caption, enabled, left, top});
        return {static_cast<int>(caption.size()) * 100, 270};
    }
    void ContainerRegion(double w, double h) override { container = {w, h}; }

    double width = 6120, height = 4380;
    std::optional<std::pair<double, double>> container;  // the size its transparent edges were last cut at
    NoPicture pictures[3];
    ControlButton buttons[3]{ControlButton(pictures[0]), ControlButton(pictures[1]), ControlButton(pictures[2])};
    bool shown[3] = {true, true, true};
    frame::Layout placed;
    bool strip = false, clientArea = false;
    struct Label {
        std::string caption;
        bool enabled;
        int left, top;
    };
    std::vector<Label> labels;
};

class Frame : public SimMachineTest {
protected:
    FakeHost host{machine.cursor};
    FakeSurface surface;
    std::unique_ptr<TamselXPForm> frame = std::make_unique<TamselXPForm>(host, surface, host.font);

    // The frame as the program's windows store it, adopted.
    void Adopted(int borderStyle = ui::vbSizable)
    {
        host.borderStyle = borderStyle;
        ui::PropertyBag design;
        design.WriteBool("AutoLoad", true, false);
        design.WriteLong("Theme", 2, 0);
        frame->ReadProperties(design);
        ASSERT_TRUE(frame->Shown());
        frame->Adopt(0, false);
    }
    // A press and release on the frame at (x, y) pixels, the mouse moving by (dx, dy) between.
    void Gesture(int x, int y, int dx, int dy)
    {
        const frame::Point screen{100 + x, 80 + y};
        machine.cursor.cursor = {screen.x, screen.y};
        frame->Frame_MouseDown(x, y, ui::vbLeftButton);
        machine.cursor.cursor = {screen.x + dx, screen.y + dy};
        frame->Frame_MouseUp(ui::vbLeftButton);
    }
};

TEST_F(Frame, MissingKeysReadAsDefaultsAndDefaultsAreNotWritten)
{
    frame->ReadProperties(ui::PropertyBag{});
    EXPECT_EQ(frame->Caption(), "XP Form Style");
    EXPECT_EQ(frame->Font(), host.font);  // the container's ambient font
    EXPECT_FALSE(frame->AutoLoad());
    EXPECT_TRUE(frame->ShowMinimize() && frame->ShowMaximize() && frame->ShowClose() && frame->ShowIcon());
    EXPECT_TRUE(frame->EnableMaximize() && frame->Enabled());
    EXPECT_EQ(frame->IpModal(), -1);
    EXPECT_EQ(frame->IconTop(), 7);
    EXPECT_EQ(frame->TitleTop(), -2);
    EXPECT_EQ(frame->MenuBackColor(), 0x80000004u);
    EXPECT_EQ(frame->BackColor(), 0x8000000Fu);
    EXPECT_EQ(frame->ColorScheme(), 0);
    EXPECT_EQ(frame->WriteProperties().Count(), 0u);
    // The caption's top follows the size of the ambient font.
    EXPECT_FLOAT_EQ(frame->CurrentLayout().Caption1.top, (30 - 13) / 2.0f - 9 + 10 - 2);
}

TEST_F(Frame, EveryPropertySurvivesASaveAndALoad)
{
    ui::PropertyBag stored;
    stored.WriteString("Caption", "Ombrilo", "");
    stored.WriteFont("Font", {"Courier New", 8.25}, {});
    stored.WriteBool("ShowMinimize", false, true);
    stored.WriteBool("ShowMaximize", false, true);
    stored.WriteBool("ShowClose", false, true);
    stored.WriteBool("ShowHelp", true, false);  // kept, though nothing uses it
    stored.WriteBool("EnableMaximize", false, true);
    stored.WriteBool("AutoLoad", true, false);
    stored.WriteBool("ShowIcon", false, true);
    stored.WriteLong("Icon", 101, 0);
    stored.WriteLong("IpModal", 1, 0);
    stored.WriteLong("MenuBackColor", 0xFF, 0);
    stored.WriteBool("CloseActive", true, false);
    stored.WriteLong("IconTop", 5, 0);
    stored.WriteLong("TitleTop", 3, 0);
    stored.WriteBool("HaveChild", true, false);
    stored.WriteLong("BackColor", 0xD8E9EC, 0);
    stored.WriteLong("Picture", 7, 0);
    stored.WriteBool("Enabled", false, true);
    stored.WriteLong("Theme", 2, 0);
    frame->ReadProperties(stored);
    EXPECT_FALSE(frame->PropertiesChanged());
    EXPECT_EQ(frame->WriteProperties().ToText(), stored.ToText());
    EXPECT_EQ(frame->ColorScheme(), 2);
    EXPECT_EQ(frame->Font().Name, "Courier New");
    EXPECT_FALSE(surface.shown[0] || surface.shown[1] || surface.shown[2]);
    EXPECT_FALSE(surface.buttons[1].Enabled());

    // The scheme is stored as "Theme" only; the toolkit's default font differs
    // from this host's, so it is written.
    ui::PropertyBag other;
    other.WriteLong("ColorScheme", 1, 0);
    frame->ReadProperties(other);
    EXPECT_EQ(frame->ColorScheme(), 0);
    frame->Font(ui::FontSpec{});
    EXPECT_TRUE(frame->PropertiesChanged());
    EXPECT_TRUE(frame->WriteProperties().Contains("Font"));
    frame->Font(host.font);
    EXPECT_FALSE(frame->WriteProperties().Contains("Font"));
}

TEST_F(Frame, ANewlyPlacedFrame)
{
    frame->InitProperties();
    EXPECT_EQ(host.backColor, 14215660u);
    EXPECT_EQ(frame->Caption(), "Host");
    EXPECT_TRUE(frame->AutoLoad());
    EXPECT_FALSE(frame->ShowIcon());
    EXPECT_EQ(surface.buttons[2].ButtonStyle(), 2);
    frame->Icon(101);
    EXPECT_EQ(host.icon, 101);
    EXPECT_TRUE(frame->ShowIcon());
    frame->Caption("Renamed");
    EXPECT_EQ(host.caption, "Renamed");
}

TEST_F(Frame, AdoptionByBorderStyle)
{
    struct Case {
        int borderStyle;
        bool minButton, maxButton;
        frame::Adoption expected;
    };
    const Case cases[] = {
        {ui::vbBSNone, true, true, {false, false, true, false, 0}},
        {ui::vbFixedSingle, false, true, {false, false, true, true, 375}},
        {ui::vbFixedSingle, true, false, {true, true, false, true, 375}},  // maximize shown, greyed
        {ui::vbSizable, true, true, {true, true, true, true, 375}},
        {ui::vbSizable, true, false, {true, true, false, true, 375}},
        {ui::vbFixedDialog, true, true, {false, false, true, true, 375}},
        {5, true, true, {false, false, true, true, 375}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame::AdoptionFor(c.borderStyle, c.minButton, c.maxButton, true, true, true), c.expected)
            << c.borderStyle << c.minButton << c.maxButton;
    // A sizable form keeps what its design said.
    EXPECT_EQ(frame::AdoptionFor(ui::vbSizable, true, true, false, true, true).showMinimize, false);
}

TEST_F(Frame, AdoptionFitsTheHostToTheFrameAndShapesIt)
{
    for (int style : {ui::vbBSNone, ui::vbFixedSingle, ui::vbFixedDialog}) {
        host = FakeHost(machine.cursor);
        surface.width = 6120;
        surface.height = 4380;
        frame = std::make_unique<TamselXPForm>(host, surface, host.font);
        Adopted(style);
        EXPECT_TRUE(frame->Adopted());
        EXPECT_EQ(host.restyles, style == ui::vbBSNone ? 0 : 1) << style;
        if (style != ui::vbBSNone) {
            // The window menu's Minimize works exactly while the button shows.
            EXPECT_EQ(host.minimizable, frame->ShowMinimize()) << style;
            frame->ShowMinimize(!frame->ShowMinimize());
            EXPECT_EQ(host.minimizable, frame->ShowMinimize()) << style;
            frame->ShowMinimize(!frame->ShowMinimize());
        }
        // 375 given for the caption, 365 taken by the restyle: whole pixels, 10 twips up.
        EXPECT_EQ(host.bounds.height, style == ui::vbBSNone ? 4380 : 4395) << style;
        EXPECT_EQ(host.bounds.width, 6120);
        EXPECT_EQ(surface.height, host.bounds.height);
        EXPECT_EQ(host.region, host.bounds);
        EXPECT_EQ(host.CursorPos(), (frame::Point{(1500 + 6120) / 15, 1200 / 15}));  // its top-right corner
        EXPECT_EQ(frame->ShowMinimize(), style == ui::vbFixedSingle) << style;
    }
    // At 144 DPI the corner is 10 twips a pixel away, not the design's 15.
    host = FakeHost(machine.cursor);
    host.scale = ui::Scale(144, 144);
    frame = std::make_unique<TamselXPForm>(host, surface, host.font);
    Adopted(ui::vbBSNone);
    EXPECT_EQ(host.CursorPos(), (frame::Point{(1500 + 6120) / 10, 1200 / 10}));
}

TEST_F(Frame, TheModalReshowFollowsTheOwnerAndTheModalSettings)
{
    Adopted();
    EXPECT_FALSE(frame->Adopt(0, false));
    EXPECT_TRUE(frame->Adopt(1, false));
    EXPECT_TRUE(frame->Adopt(0, true));
    frame->IpModal(1);
    EXPECT_TRUE(frame->Adopt(0, false));
    EXPECT_FALSE(frame->Shown());  // once shown, a show never adopts again
}

TEST_F(Frame, PiecesUnderThePointer)
{
    Adopted();
    frame->ShowIcon(true);
    const auto& layout = frame->CurrentLayout();  // 408 x 293 pixels, silver ends 15 and 16 wide
    struct Case {
        int x, y;
        Piece expected;
    };
    const Case cases[] = {
        {0, 0, Piece::TitleLeft},      {14, 29, Piece::TitleLeft},   {15, 10, Piece::TitleIcon},
        {8, 10, Piece::TitleIcon},     {21, 22, Piece::TitleIcon},   {15, 2, Piece::Title},
        {40, 10, Piece::Caption1},     {335, 10, Piece::Title},      {392, 10, Piece::TitleRight},
        {407, 0, Piece::TitleRight},   {0, 30, Piece::Left},         {3, 200, Piece::Left},
        {404, 100, Piece::Right},      {200, 290, Piece::Bottom},    {0, 290, Piece::BottomLeft},
        {407, 292, Piece::BottomRight}, {200, 100, Piece::None},     {408, 10, Piece::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame::PieceAt(layout, true, c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(frame::PieceAt(layout, false, 15, 10), Piece::Title);  // a hidden icon is title band

    // At 150 % the caption runs from 9.75 for 453 pixels: to the nearest pixel.
    frame::LayoutInput in;
    in.widthTwips = 6120;
    in.heightTwips = 4815;
    in.twipsPerPixelX = in.twipsPerPixelY = 10;
    in.iconVisible = false;
    const auto scaled = frame::Repos(in);
    EXPECT_EQ(frame::PieceAt(scaled, false, 462, 10), Piece::Caption1);
    EXPECT_EQ(frame::PieceAt(scaled, false, 463, 10), Piece::Title);
}

TEST_F(Frame, DragArithmeticAndCursorsPerEdge)
{
    const TwipRect form{1500, 1200, 6000, 4500};
    struct Case {
        Piece piece;
        TwipRect expected;
        frame::Cursor cursor;
    };
    const Case cases[] = {
        {Piece::Left, {1800, 1200, 5700, 4500}, frame::Cursor::SizeWE},
        {Piece::Right, {1500, 1200, 6300, 4500}, frame::Cursor::SizeWE},
        {Piece::Bottom, {1500, 1200, 6000, 4350}, frame::Cursor::SizeNS},
        {Piece::BottomRight, {1500, 1200, 6300, 4350}, frame::Cursor::SizeNWSE},
        {Piece::BottomLeft, {1800, 1200, 5700, 4350}, frame::Cursor::SizeNESW},
    };
    for (const auto& c : cases) {
        const int edge = frame::EdgeOf(c.piece).value();
        EXPECT_EQ(frame::ResizeByDrag(form, {10, 10}, {30, 0}, edge, 15, 15), c.expected) << edge;
        EXPECT_EQ(frame::ResizeByDrag(form, {10, 10}, {10, 10}, edge, 15, 15), form) << edge;
        EXPECT_EQ(frame::CursorFor(c.piece, true), c.cursor);
        EXPECT_EQ(frame::CursorFor(c.piece, false), frame::Cursor::Arrow);
    }
    for (Piece piece : {Piece::Title, Piece::TitleIcon, Piece::Caption1, Piece::None})
        EXPECT_FALSE(frame::EdgeOf(piece));
    // A pixel may be wider than it is high: each way takes its own.
    EXPECT_EQ(frame::ResizeByDrag(form, {10, 10}, {12, 13}, frame::EdgeOf(Piece::BottomRight).value(), 15, 12),
              (TwipRect{1500, 1200, 6030, 4536}));
    // At 175 % a pixel is 8.57 twips: each edge and size goes to the nearest twip.
    for (const auto& [piece, expected] : {std::pair{Piece::Left, TwipRect{1509, 1200, 5991, 4500}},
                                          {Piece::BottomRight, TwipRect{1500, 1200, 6009, 4509}}})
        EXPECT_EQ(frame::ResizeByDrag(form, {10, 10}, {11, 11}, frame::EdgeOf(piece).value(), 1440.0 / 168,
                                      1440.0 / 168),
                  expected);
}

TEST_F(Frame, OnlyTheLeftButtonMovesTheWindow)
{
    Adopted();
    for (int button : {ui::vbRightButton, ui::vbMiddleButton})
        frame->Frame_MouseDown(200, 10, button);
    EXPECT_EQ(host.moveLoops, 0);
    for (auto [x, y] : {std::pair{200, 10}, {2, 2}, {40, 10}}) {
        frame->Frame_MouseDown(x, y, ui::vbLeftButton);
        frame->Frame_MouseUp(ui::vbLeftButton);
    }
    EXPECT_EQ(host.moveLoops, 3);
}

TEST_F(Frame, BorderGesturesOnASizableHost)
{
    Adopted();
    EXPECT_EQ(frame->Frame_MouseMove(2, 100), frame::Cursor::SizeWE);  // on its left border
    const TwipRect adopted = host.bounds;
    for (int i = 0; i < 3; ++i)
        Gesture(200, 290, 0, 0);  // clicks on the bottom border
    EXPECT_EQ(host.bounds, adopted);
    EXPECT_FALSE(surface.container);  // its edges are cut only when asked to be
    frame->TransparentEdges();
    Gesture(405, 100, 30, 7);  // the right edge pulled out
    EXPECT_EQ(host.bounds, (TwipRect{adopted.left, adopted.top, adopted.width + 450, adopted.height}));
    EXPECT_EQ(surface.width, host.bounds.width);
    EXPECT_EQ(surface.container, std::pair(surface.width, surface.height));  // and at every size after
    Gesture(2, 100, 400, 0);  // the left edge pulled in past the minimum
    EXPECT_EQ(host.bounds.width, 1695);
    EXPECT_EQ(host.region->width, host.bounds.width);

    host.windowState = ui::vbMaximized;
    const TwipRect maximized = host.bounds;
    Gesture(50, 290, 0, 40);
    EXPECT_EQ(host.bounds, maximized);
    EXPECT_EQ(frame->Frame_MouseMove(50, 290), frame::Cursor::Arrow);
}

// A drag ends with the release of the button that began it, and only if the
// mouse stayed with the frame all along: a drag whose mouse was taken away
// (its capture lost, the mode cancelled) is dropped, and the next release
// moves nothing by a distance long stale.
TEST_F(Frame, ADragEndsOnlyWithItsOwnButtonsRelease)
{
    Adopted();
    const TwipRect adopted = host.bounds;
    const auto pressRightEdge = [this] {
        machine.cursor.cursor = {100 + 405, 80 + 100};
        frame->Frame_MouseDown(405, 100, ui::vbLeftButton);
        machine.cursor.cursor = {100 + 405 + 30, 80 + 100};
    };
    pressRightEdge();
    frame->Frame_DragCancelled();
    frame->Frame_MouseUp(ui::vbLeftButton);
    EXPECT_EQ(host.bounds, adopted);

    pressRightEdge();
    for (int other : {ui::vbRightButton, ui::vbMiddleButton}) {
        frame->Frame_MouseDown(2, 100, other);  // on the left edge
        frame->Frame_MouseUp(other);
    }
    EXPECT_EQ(host.bounds, adopted);
    frame->Frame_MouseUp(ui::vbLeftButton);  // the drag still stands
    EXPECT_EQ(host.bounds.width, adopted.width + 450);
}

// The program's forms fit themselves to the frame on every resize: restoring
// must not hand them the maximized frame's size back.
TEST_F(Frame, RestoringGivesTheFormItsRestoredSize)
{
    Adopted();
    const TwipRect restored = host.bounds;
    host.restored = restored;
    host.windowState = ui::vbMaximized;
    host.bounds = {0, 0, 15360, 11520};
    surface.FrameSize(15360, 11520);  // the frame took the maximized size
    host.onStateChange = [this] { host.bounds = {host.restored.left, host.restored.top,
                                                 static_cast<int>(surface.width), static_cast<int>(surface.height)}; };
    frame->MaxBtnClick();
    EXPECT_EQ(host.windowState, ui::vbNormal);
    EXPECT_EQ(host.bounds, restored);
    EXPECT_EQ(surface.width, restored.width);
}

TEST_F(Frame, NothingActsOnTheHostBeforeAdoption)
{
    ui::PropertyBag design;
    design.WriteLong("Theme", 2, 0);
    frame->ReadProperties(design);
    EXPECT_FALSE(frame->Shown());  // not set to adopt by itself
    const TwipRect bounds = host.bounds;
    frame->MinimizeClick();
    frame->MaxBtnClick();
    frame->CloseClick();
    frame->Frame_DblClick(200, 10);
    Gesture(405, 100, 30, 0);
    EXPECT_EQ(frame->Frame_MouseMove(405, 100), frame::Cursor::Arrow);
    EXPECT_EQ(host.stateChanges + host.unloads + host.ends + host.moves + host.restyles, 0);
    EXPECT_EQ(host.bounds, bounds);

    frame->Adopt(0, false);
    frame->MinimizeClick();
    EXPECT_EQ(host.windowState, ui::vbMinimized);
    frame->MaxBtnClick();  // from minimized back to normal
    EXPECT_EQ(host.windowState, ui::vbNormal);
    frame->CloseClick();
    EXPECT_EQ(host.unloads, 1);
    frame->CloseActive(true);
    frame->CloseClick();
    EXPECT_EQ(host.ends, 1);
}

TEST_F(Frame, TitleAndIconDoubleClicks)
{
    struct Case {
        int borderStyle;
        bool maxButton, enableMaximize;
        int x;  // 200 the title band, 10 the icon
        bool toggles;
    };
    const Case cases[] = {
        {ui::vbSizable, true, true, 200, true},    {ui::vbSizable, true, false, 200, false},
        {ui::vbSizable, false, true, 200, false},  {ui::vbSizable, false, true, 10, true},
        {ui::vbFixedSingle, true, true, 200, false}, {ui::vbFixedSingle, true, true, 10, false},
    };
    for (const auto& c : cases) {
        host = FakeHost(machine.cursor);
        host.maxButton = c.maxButton;
        frame = std::make_unique<TamselXPForm>(host, surface, host.font);
        Adopted(c.borderStyle);
        frame->ShowIcon(true);
        frame->EnableMaximize(c.enableMaximize);
        frame->Frame_DblClick(c.x, 12);
        EXPECT_EQ(host.windowState, c.toggles ? ui::vbMaximized : ui::vbNormal)
            << c.borderStyle << c.maxButton << c.enableMaximize << c.x;
    }
}

TEST_F(Frame, TheTitleEndsAreLaidOutForThePicturesShown)
{
    Adopted();
    const auto ends = [&] {
        const auto& l = frame->CurrentLayout();
        return std::tuple{l.TitleLeft.width, l.TitleRight.left, l.TitleRight.width, l.Title.left + l.Title.width};
    };
    EXPECT_EQ(ends(), std::tuple(15.f, 392.f, 16.f, 392.f));  // silver, active
    frame->SetFormActiveStyle(false);
    EXPECT_EQ(frame->CaptionColor(), 0xC0C0C0u);
    for (const auto& button : surface.buttons)  // what they show again once the pointer leaves
        EXPECT_FALSE(button.IsActivate());
    EXPECT_EQ(ends(), std::tuple(15.f, 394.f, 14.f, 394.f));  // the inactive right end is narrower
    EXPECT_EQ(surface.placed.TitleRight, frame->CurrentLayout().TitleRight);
    frame->ColorScheme(1);
    frame->SetFormActiveStyle(false);
    EXPECT_EQ(ends(), std::tuple(11.f, 393.f, 15.f, 393.f));
    frame->SetFormActiveStyle(true);
    EXPECT_EQ(ends(), std::tuple(11.f, 395.f, 13.f, 395.f));
    frame->ColorScheme(3);  // no pictures: the layout stays as it was
    EXPECT_EQ(ends(), std::tuple(11.f, 395.f, 13.f, 395.f));
}

TEST_F(Frame, TaggedMenusBecomeLabelsThatOpenTheirMenus)
{
    host.menus = {{"MainMenu", "&File", true}, {"", "&Hidden", true}, {"MAINMENU", "&Edit", false},
                  {"MAIN MENU", "&Other", true}, {"mainmenu", "&Last", true}};
    Adopted();
    ASSERT_EQ(surface.labels.size(), 3u);
    EXPECT_EQ(surface.labels[0].left, 60);
    EXPECT_EQ(surface.labels[1].left, 60 + 500);  // "&File" is 500 twips wide here
    EXPECT_EQ(surface.labels[1].top, 45);
    EXPECT_FALSE(surface.labels[1].enabled);
    EXPECT_GT(surface.labels[2].left, surface.labels[1].left);
    EXPECT_EQ(host.hidden, (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_TRUE(surface.strip && frame->MenuStripVisible());

    frame->MenuLabel_MouseDown(2, ui::vbRightButton);
    EXPECT_TRUE(host.popups.empty());
    frame->MenuLabel_Click(2);
    frame->MenuLabel_MouseDown(1, ui::vbLeftButton);
    frame->MenuLabel_Click(4);  // no such label
    frame->MenuLabel_Click(3);  // the last
    const auto& strip = frame->CurrentLayout().pICmenu;  // at (4, 30) pixels
    ASSERT_EQ(strip.left, 4);
    const float last = static_cast<float>(surface.labels[2].left);
    EXPECT_EQ(host.popups, (std::vector<FakeHost::Popup>{{2, 560 + 4 + 60, 45 + 30 + 450 + 270 - 80},
                                                         {0, 60 + 4 + 60, 45 + 30 + 480 + 270 - 80},
                                                         {4, last + 4 + 60, 45 + 30 + 450 + 270 - 80}}));
}

TEST_F(Frame, ChildFormsAreCountedOnly)
{
    frame->CloseChildForm();
    EXPECT_EQ(frame->NChildForm(), 0);
    EXPECT_TRUE(frame->ChildShown());
    EXPECT_TRUE(frame->ChildShown());
    frame->CloseChildForm();
    EXPECT_EQ(frame->NChildForm(), 1);
    while (frame->NChildForm() < 32767)
        ASSERT_TRUE(frame->ChildShown());
    EXPECT_FALSE(frame->ChildShown());
    EXPECT_EQ(frame->NChildForm(), 32767);

    frame->SetMDIPosition(8, 200, 100);
    EXPECT_EQ(frame->PicMainLeft(), 8);
    frame->Repos();  // the layout moves the client area's top only
    EXPECT_EQ(frame->PicMainWidth(), 200);
    EXPECT_EQ(frame->PicMainHeight(), 100);
}

}  // namespace
