// The caption button's looks and mouse tracking, on a fake picture surface with
// the simulated clock and mouse.
#include "SimMachineFixture.h"
#include "widgets/ControlButton.h"

namespace {

using Set = CaptionPictureSet;

class FakeSurface : public CaptionSurface {
public:
    void ShowPicture(const CaptionPicture& picture) override
    {
        shown = picture;
        ++shows;
    }
    ui::WindowHandle Hwnd() const override { return ui::WindowHandle{0x77}; }
    bool Enabled() const override { return enabled; }
    void Enabled(bool New_Enabled) override { enabled = New_Enabled; }
    bool AutoRedraw() const override { return autoRedraw; }
    void AutoRedraw(bool New_AutoRedraw) override { autoRedraw = New_AutoRedraw; }
    std::string ToolTipText() const override { return tip; }
    void ToolTipText(const std::string& New_ToolTipText) override { tip = New_ToolTipText; }
    void Repaint() override { ++repaints; }

    CaptionPicture shown;
    int shows = 0;
    int repaints = 0;
    bool enabled = true;
    bool autoRedraw = false;
    std::string tip;
};

class CaptionButton : public SimMachineTest {
protected:
    void SetUp() override
    {
        machine.cursor.windows = {{0, 0, 21, 21, ui::WindowHandle{0x77}}, {0, 0, 500, 500, ui::WindowHandle{0x1}}};
        MouseOff();
    }
    void MouseOn() { machine.cursor.cursor = {10, 10}; }
    void MouseOff() { machine.cursor.cursor = {100, 100}; }
    void Tick() { machine.timers.Advance(ControlButton::kPollMs); }

    FakeSurface surface;
};

TEST_F(CaptionButton, ANewButtonShowsTheBlueMinimizeLook)
{
    ControlButton button(surface);
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 0}));
    EXPECT_EQ(surface.shows, 1);  // given to the window, though it is the first picture of all
    EXPECT_EQ(ControlButton::ConstrainSize(1000), 315);
    EXPECT_FALSE(button.Tracking());
}

TEST_F(CaptionButton, RestingLooksByGlyphAndTheme)
{
    ControlButton button(surface);
    struct Case {
        std::int32_t style, theme;
        bool active;
        CaptionPicture expected;
    };
    const Case cases[] = {
        {0, 0, true, {Set::CbMin, 0}},       {0, 0, false, {Set::CbMin, 3}},
        {1, 1, true, {Set::CbMax, 5}},       {1, 1, false, {Set::CbMax, 8}},
        {2, 1, true, {Set::CbClose, 4}},     {2, 2, true, {Set::CbClose, 11}},
        {3, 2, false, {Set::CbRestore, 8}},  {7, 5, true, {Set::CbRestore, 11}},
        {-1, -3, false, {Set::CbRestore, 8}}, {1, 2, true, {Set::CbMax, 14}},
        {1, 9, false, {Set::CbMax, 11}},
    };
    for (const auto& c : cases) {
        button.ButtonStyle(c.style);
        button.Theme(c.theme);
        button.RefreshControl(c.active);
        EXPECT_EQ(button.Picture(), c.expected) << c.style << "/" << c.theme << "/" << c.active;
        EXPECT_LT(button.Picture().index, PictureCount(button.Picture().set));
    }
}

TEST_F(CaptionButton, ADisabledButtonOfAnyGlyphShowsTheDisabledMaximizeLook)
{
    ControlButton button(surface);
    for (std::int32_t style : {0, 2, 3}) {
        button.ButtonStyle(style);
        for (auto [theme, index] : {std::pair{0, 4}, std::pair{1, 9}, std::pair{2, 10}, std::pair{6, 10}}) {
            button.Theme(theme);
            button.Enabled(false);
            EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, index}));
            button.Enabled(true);
        }
    }
}

TEST_F(CaptionButton, HoverFollowsTheCursorAndStopsPollingWhenItLeaves)
{
    ControlButton button(surface);
    button.ButtonStyle(2);
    button.Theme(2);
    MouseOn();
    button.PicMain_MouseMove(0);
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbClose, 11}));  // the move itself draws nothing
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbClose, 10}));
    EXPECT_TRUE(button.Tracking());
    MouseOff();
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbClose, 11}));
    EXPECT_FALSE(button.Tracking());
    EXPECT_EQ(machine.timers.Running(), 0u);
}

TEST_F(CaptionButton, PressingDraggingOffAndBackOn)
{
    ControlButton button(surface);
    MouseOn();
    button.PicMain_MouseDown(1);
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 2}));  // pressed at once
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 2}));  // still held over it
    MouseOff();
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 0}));  // dragged off: resting
    EXPECT_FALSE(button.Tracking());
    MouseOn();
    button.PicMain_MouseMove(1);
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 2}));  // back on with the button held
}

TEST_F(CaptionButton, TheRightButtonOnlyHovers)
{
    ControlButton button(surface);
    const int before = surface.shows;
    button.PicMain_MouseDown(2);
    EXPECT_EQ(surface.shows, before);
    EXPECT_FALSE(button.Tracking());
    MouseOn();
    button.PicMain_MouseMove(2);
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMin, 1}));
}

TEST_F(CaptionButton, AClickOnAnInactiveWindowsButton)
{
    ControlButton button(surface);
    button.ButtonStyle(1);
    button.IsActivate(false);
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, 0}));  // IsActivate alone redraws nothing
    int clicks = 0;
    button.Click = [&] {
        ++clicks;
        EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, 0}));  // active resting look first
    };
    MouseOn();
    button.PicMain_MouseDown(1);
    button.PicMain_Click();
    EXPECT_EQ(clicks, 1);
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, 1}));  // hover while still over it
    MouseOff();
    Tick();
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, 3}));  // then the inactive resting look
}

TEST_F(CaptionButton, AHandlerMayDestroyTheButton)
{
    auto button = std::make_unique<ControlButton>(surface);
    button->Click = [&] { button.reset(); };
    MouseOn();
    button->PicMain_MouseDown(1);
    button->PicMain_Click();
    EXPECT_FALSE(button);
    EXPECT_EQ(machine.timers.Running(), 0u);
    Tick();
}

TEST_F(CaptionButton, StoredProperties)
{
    ui::PropertyBag stored;
    stored.WriteBool("Enabled", false, true);
    stored.WriteLong("Theme", 2, 0);
    stored.WriteString("ToolTipText", "Close", "");
    ControlButton button(surface);
    EXPECT_FALSE(button.PropertiesChanged());
    button.ReadProperties(stored);
    EXPECT_EQ(surface.shown, (CaptionPicture{Set::CbMax, 10}));
    EXPECT_EQ(button.ToolTipText(), "Close");
    EXPECT_EQ(button.WriteProperties().ToText(), stored.ToText());

    button.ButtonStyle(2);
    button.Enabled(true);
    EXPECT_TRUE(button.PropertiesChanged());
    const auto saved = button.WriteProperties();
    EXPECT_EQ(saved.ReadLong("ButtonStyle", 0), 2);
    EXPECT_FALSE(saved.Contains("Enabled"));  // back at its default
    EXPECT_FALSE(saved.Contains("IsActivate"));
}

}  // namespace
