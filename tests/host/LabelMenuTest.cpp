// The menu-bar item's highlight and events, on a fake surface with the
// simulated clock and mouse.
#include "SimMachineFixture.h"
#include "widgets/LabelMenu.h"

namespace {

class FakeItem : public LabelMenuSurface {
public:
    ui::Color BackColor() const override { return back; }
    void BackColor(ui::Color New_BackColor) override { back = New_BackColor; }
    int BorderStyle() const override { return border; }
    void BorderStyle(int New_BorderStyle) override { border = New_BorderStyle; }
    std::string Caption() const override { return caption; }
    void Caption(const std::string& New_Caption) override { caption = New_Caption; }
    int LabelWidth() const override { return static_cast<int>(caption.size()) * 90; }
    void Size(int New_Width, int New_Height) override
    {
        width = New_Width;
        height = New_Height;
    }
    bool Enabled() const override { return enabled; }
    void Enabled(bool New_Enabled) override { enabled = New_Enabled; }
    ui::WindowHandle Hwnd() const override { return ui::WindowHandle{0x55}; }

    ui::Color back = LabelMenu::kHighlightColor;  // the design colour
    int border = 0;
    std::string caption = "&System";
    int width = 0, height = 0;
    bool enabled = true;
};

class MenuItem : public SimMachineTest {
protected:
    void SetUp() override
    {
        machine.cursor.windows = {{0, 0, 40, 18, ui::WindowHandle{0x55}}, {0, 0, 400, 300, ui::WindowHandle{0x1}}};
        item.back = 0xC0C0C0;
    }
    void MouseOn() { machine.cursor.cursor = {10, 10}; }
    void MouseOff() { machine.cursor.cursor = {100, 100}; }
    void Tick() { machine.timers.Advance(LabelMenu::kPollMs); }

    FakeItem item;
};

TEST_F(MenuItem, HighlightsOnTheMouseAndEndsWhenItLeaves)
{
    LabelMenu menu(item);
    MouseOn();
    menu.OnMouseMove(0, 0, 30, 30);
    EXPECT_EQ(item.back, LabelMenu::kHighlightColor);
    EXPECT_EQ(item.border, 1);
    EXPECT_TRUE(menu.Highlighted());
    Tick();
    EXPECT_TRUE(menu.Highlighted());  // still over it
    // Further events on the lit item must not take the highlight for the colour to go back to.
    menu.OnMouseDown(1, 0, 30, 30);
    menu.OnClick();
    menu.OnMouseMove(1, 0, 31, 30);
    MouseOff();
    Tick();
    EXPECT_FALSE(menu.Highlighted());
    EXPECT_EQ(item.back, 0xC0C0C0u);
    EXPECT_EQ(item.border, 0);
    EXPECT_EQ(machine.timers.Running(), 0u);
}

TEST_F(MenuItem, ALeaveTowardsAnOverlappingWindowEndsItToo)
{
    LabelMenu menu(item);
    MouseOn();
    menu.OnMouseDown(1, 0, 10, 10);
    machine.cursor.windows.insert(machine.cursor.windows.begin(), {5, 5, 15, 15, ui::WindowHandle{0x99}});
    Tick();
    EXPECT_FALSE(menu.Highlighted());
}

TEST_F(MenuItem, AColourTheHostSetsWhileHighlightedIsTheOneRestored)
{
    LabelMenu menu(item);
    MouseOn();
    menu.OnMouseMove(0, 0, 1, 1);
    menu.BackColor(0x112233);
    menu.OnMouseMove(0, 0, 2, 2);
    EXPECT_EQ(item.back, LabelMenu::kHighlightColor);
    MouseOff();
    Tick();
    EXPECT_EQ(item.back, 0x112233u);
}

TEST_F(MenuItem, LeavingAlwaysClearsTheBorder)
{
    LabelMenu menu(item);
    menu.BorderStyle(1);
    MouseOn();
    menu.OnClick();
    MouseOff();
    Tick();
    EXPECT_EQ(item.border, 0);
}

TEST_F(MenuItem, EventsReachTheHostBeforeTheHighlight)
{
    LabelMenu menu(item);
    std::vector<std::string> seen;
    menu.Click = [&] {
        seen.push_back("click");
        EXPECT_FALSE(menu.Highlighted());
    };
    menu.MouseDown = [&](int& Button, int&, float& X, float&) {
        seen.push_back("down " + std::to_string(Button) + " " + std::to_string(static_cast<int>(X)));
    };
    menu.MouseUp = [&](int&, int&, float&, float&) { seen.push_back("up"); };
    MouseOn();
    menu.OnClick();
    menu.OnMouseDown(2, 0, 75, 30);
    menu.OnMouseUp(2, 0, 75, 30);
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "down 2 75", "up"}));
    EXPECT_EQ(machine.timers.Running(), 1u);  // one timer, however many events
}

TEST_F(MenuItem, TheItemHugsItsCaption)
{
    LabelMenu menu(item);
    menu.Caption("&Datei");
    EXPECT_EQ(item.width, 6 * 90 + 210);
    EXPECT_EQ(item.height, 270);
    menu.Caption("&Much longer");
    EXPECT_EQ(item.width, 12 * 90 + 210);
    item.width = 5000;
    menu.OnResize();
    EXPECT_EQ(item.width, 12 * 90 + 210);
    EXPECT_EQ(item.height, 270);
}

TEST_F(MenuItem, StoredProperties)
{
    LabelMenu menu(item);
    ui::PropertyBag empty;
    menu.ReadProperties(empty);
    EXPECT_EQ(item.back, LabelMenu::kDefaultBackColor);
    EXPECT_EQ(item.caption, "&System");
    EXPECT_EQ(item.width, 7 * 90 + 210);
    EXPECT_EQ(menu.WriteProperties().Count(), 0u);
    EXPECT_FALSE(menu.PropertiesChanged());

    menu.Caption("&File");
    menu.Enabled(false);
    menu.BorderStyle(1);
    const auto saved = menu.WriteProperties();
    EXPECT_TRUE(menu.PropertiesChanged());
    FakeItem fresh;
    LabelMenu loaded(fresh);
    loaded.ReadProperties(saved);
    EXPECT_EQ(fresh.caption, "&File");
    EXPECT_FALSE(fresh.enabled);
    EXPECT_EQ(fresh.border, 1);
    EXPECT_EQ(fresh.width, 5 * 90 + 210);
}

}  // namespace
