// The XP push button's state, events and access key, on a fake view with the
// simulated clock and mouse.
#include "SimMachineFixture.h"
#include "widgets/XPButton.h"

#include <functional>
#include <utility>

namespace {

using Face = XPButtonLook::Face;
using Ring = XPButtonLook::Ring;

class FakeView : public XPButtonView {
public:
    void Draw(const XPButtonLook& look) override { draws.push_back(look); }
    void RepaintNow() override { ++repaints; }
    void ProcessPendingMessages() override
    {
        if (pending)
            std::exchange(pending, nullptr)();
    }
    std::function<void()> pending;  // what the queue holds when the button lets it run
    void EnableWindow(bool enabled) override { windowEnabled = enabled; }
    void CaptureMouse() override { ++captures; }
    void MoveFocus(bool forward) override { focusMoves.push_back(forward); }
    ui::WindowHandle Hwnd() const override { return ui::WindowHandle{0x44}; }

    const XPButtonLook& Last() const { return draws.back(); }
    std::vector<XPButtonLook> draws;
    int repaints = 0;
    int captures = 0;
    bool windowEnabled = true;
    std::vector<bool> focusMoves;
};

class PushButton : public SimMachineTest {
protected:
    void SetUp() override
    {
        machine.cursor.windows = {{0, 0, 79, 51, ui::WindowHandle{0x44}}, {0, 0, 500, 500, ui::WindowHandle{0x1}}};
        MouseOff();
        button.InitProperties("XPButton1", ui::FontSpec{"Tahoma", 8.25});
        button.Click = [this] { events.push_back("Click"); };
        button.MouseDown = [this](int& b, int&, float& x, float&) {
            events.push_back("MouseDown " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)));
        };
        button.MouseUp = [this](int&, int&, float&, float&) { events.push_back("MouseUp"); };
        button.MouseMove = [this](int&, int&, float&, float&) { events.push_back("MouseMove"); };
        button.MouseOver = [this] { events.push_back("MouseOver"); };
        button.MouseOut = [this] { events.push_back("MouseOut"); };
        button.KeyDown = [this](int& k, int&) { events.push_back("KeyDown " + std::to_string(k)); };
    }
    void MouseOn() { machine.cursor.cursor = {10, 10}; }
    void MouseOff() { machine.cursor.cursor = {300, 300}; }

    FakeView view;
    XPButton button{view};
    std::vector<std::string> events;
};

TEST(XPButtonAccessKey, FirstSingleAmpersandOfTheFirstTwoGroups)
{
    EXPECT_EQ(AccessKeyOf("&Ok"), 'o');
    EXPECT_EQ(AccessKeyOf("Save && Exit"), 0);
    EXPECT_EQ(AccessKeyOf("A&&B&c"), 'c');
    EXPECT_EQ(AccessKeyOf("x&"), 0);
    EXPECT_EQ(AccessKeyOf("&"), 0);
    EXPECT_EQ(AccessKeyOf("a&&b&&c&d"), 0);  // a third group is never looked at
    EXPECT_EQ(AccessKeyOf("Re&Try"), 't');
    EXPECT_EQ(AccessKeyOf("Drive &2"), '2');  // a digit is its own key
    EXPECT_EQ(AccessKeyOf("No key"), 0);
}

// What a screen reader reads of a caption: each key mark gone, "&&" one "&".
TEST(XPButtonAccessKey, CaptionsReadWithoutTheirMarks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Ok", "Ok"}, {"Save && Exit", "Save & Exit"}, {"A&&B&c", "A&Bc"}, {"x&", "x"}, {"&&&", "&"}, {"Plain", "Plain"},
    };
    for (const auto& [caption, read] : cases)
        EXPECT_EQ(text::WithoutAccessMarks(caption), read) << caption;
}

TEST_F(PushButton, ANewButtonIsNamedAfterItsNumber)
{
    EXPECT_EQ(button.Caption(), "Command1");
    EXPECT_EQ(button.Font(), (ui::FontSpec{"Tahoma", 8.25}));  // the host's
    button.InitProperties("XPButton10", ui::FontSpec{});
    EXPECT_EQ(button.Caption(), "Command10");
    EXPECT_EQ(button.ForeColor(), XPButton::kNewForeColor);
    EXPECT_EQ(button.ForeHover(), 0u);
}

TEST_F(PushButton, LooksByStateWithHoverBeforeFocus)
{
    button.ForeColor(0x111111);
    button.ForeHover(0x2222EE);
    EXPECT_EQ(button.LookFor(false).ring, Ring::None);
    button.OnGotFocus();
    EXPECT_EQ(view.Last().ring, Ring::Focus);
    MouseOn();
    button.OnMouseMove(0, 0, 5, 5);
    EXPECT_EQ(view.Last().ring, Ring::Hover);
    EXPECT_EQ(view.Last().textColor, 0x2222EEu);
    const auto pressed = button.LookFor(true);
    EXPECT_EQ(pressed.face, Face::Pressed);
    EXPECT_EQ(pressed.ring, Ring::None);
    EXPECT_TRUE(pressed.outline);
    button.Enabled(false);
    EXPECT_FALSE(view.windowEnabled);
    EXPECT_EQ(view.Last(), (XPButtonLook{Face::Disabled, Ring::None, false, XPButton::kDisabledText, "Command1"}));
    EXPECT_EQ(button.LookFor(true).face, Face::Disabled);
}

TEST_F(PushButton, HoverStartsOnceAndEndsWithinATick)
{
    MouseOn();
    button.OnMouseMove(0, 0, 5, 5);
    button.OnMouseMove(0, 0, 6, 5);
    button.OnMouseMove(0, 0, 7, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseOver", "MouseMove", "MouseMove"}));
    EXPECT_TRUE(button.HoverTimerRunning());
    machine.timers.Advance(5);
    EXPECT_TRUE(button.Hover());
    MouseOff();
    machine.timers.Advance(XPButton::kHoverPollMs);
    EXPECT_FALSE(button.Hover());
    EXPECT_EQ(events.back(), "MouseOut");
    EXPECT_EQ(std::count(events.begin(), events.end(), "MouseOut"), 1);
    EXPECT_EQ(machine.timers.Running(), 0u);
}

// Held with the left button and dragged off, it shows up once the hover poll
// sees the mouse go, and pressed again when the mouse comes back.
TEST_F(PushButton, ALeftPressDraggedOffAndBackShowsPressedAgain)
{
    MouseOn();
    button.OnMouseMove(0, 0, 5, 5);
    button.OnMouseDown(ui::vbLeftButton, 0, 5, 5);
    MouseOff();
    button.OnMouseMove(ui::vbLeftButton, 0, 300, 5);
    machine.timers.Advance(XPButton::kHoverPollMs);
    EXPECT_NE(view.Last().face, Face::Pressed);
    MouseOn();
    button.OnMouseMove(ui::vbLeftButton, 0, 5, 5);
    EXPECT_EQ(view.Last().face, Face::Pressed);
}

TEST_F(PushButton, ARightOrMiddlePressDrawsReleasedAndClicksNothing)
{
    for (const int pressed : {ui::vbRightButton, ui::vbMiddleButton}) {
        events.clear();
        button.OnMouseDown(pressed, 0, 3, 4);
        EXPECT_EQ(events, std::vector<std::string>{"MouseDown " + std::to_string(pressed) + " 3"});
        EXPECT_EQ(view.Last().face, Face::Normal);
        button.OnMouseUp(pressed, 0, 3, 4);
        button.OnClickNotification();
        EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0) << pressed;
    }
}

// A quick click: the release is queued before the press is handled, and runs
// while the press lets pending messages through. The button ends drawn released.
TEST_F(PushButton, AQuickClickEndsDrawnReleased)
{
    MouseOn();
    view.pending = [this] {
        button.OnMouseUp(1, 0, 7, 7);
        button.OnClickNotification();
    };
    button.OnMouseDown(1, 0, 7, 7);
    EXPECT_EQ(view.Last().face, Face::Normal);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);
}

TEST_F(PushButton, ADisabledButtonIgnoresTheMouse)
{
    button.Enabled(false);
    button.OnMouseDown(1, 0, 3, 4);
    EXPECT_TRUE(events.empty());
}

TEST_F(PushButton, LeftClickAndDoubleClick)
{
    MouseOn();
    button.OnMouseDown(1, 0, 7, 7);
    EXPECT_EQ(view.Last().face, Face::Pressed);
    button.OnMouseUp(1, 0, 7, 7);
    button.OnClickNotification();
    EXPECT_EQ(view.Last().face, Face::Normal);
    button.OnDblClick();
    EXPECT_EQ(view.Last().face, Face::Pressed);
    EXPECT_EQ(view.captures, 1);
    button.OnMouseUp(1, 0, 7, 7);
    EXPECT_EQ(view.Last().face, Face::Normal);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1 7", "MouseUp", "Click", "MouseDown 1 0", "MouseUp"}));
}

TEST_F(PushButton, KeysClickOnlyWhenPressedAndReleasedAlike)
{
    button.OnKeyDown(13, 0);
    EXPECT_EQ(view.Last().face, Face::Normal);  // m_Button is not 1 yet: no pressed look
    button.OnKeyUp(32, 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0);

    button.OnGotFocus();
    button.OnKeyDown(32, 0);
    EXPECT_EQ(view.Last().face, Face::Pressed);
    button.OnKeyUp(32, 0);
    EXPECT_EQ(view.Last().face, Face::Normal);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 1);
}

TEST_F(PushButton, ArrowsMoveTheFocusAndStillReachTheHost)
{
    for (int key : {37, 39, 38, 40})
        button.OnKeyDown(key, 0);
    EXPECT_EQ(view.focusMoves, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(events.back(), "KeyDown 40");
}

TEST_F(PushButton, AccessKeyAndForeHover)
{
    button.Caption("&Go");
    EXPECT_EQ(button.AccessKey(), 'g');
    button.OnAccessKey();
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
    button.Enabled(false);
    button.OnAccessKey();  // nor may a disabled button be pressed by its key
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
    button.Enabled(true);
    const auto draws = view.draws.size();
    button.ForeHover(0x00FF00);
    EXPECT_EQ(view.draws.size(), draws);  // shows at the next redraw only
}

TEST_F(PushButton, StoredProperties)
{
    const ui::FontSpec ambient{"MS Sans Serif", 8.25};
    ui::PropertyBag bag;
    bag.WriteLong("ForeColor", 0x123456, 0);
    XPButton loaded(view);
    loaded.ReadProperties(bag, ambient, 0x80000012, "XPButton3");
    EXPECT_EQ(loaded.Caption(), "XPButton3");
    EXPECT_EQ(loaded.ForeHover(), 0x123456u);  // defaults to the ForeColor just read
    EXPECT_EQ(loaded.Font(), ambient);

    loaded.Caption("&Apply");
    loaded.Font(ui::FontSpec{"Tahoma", 9, true});
    const auto saved = loaded.WriteProperties(ambient, "XPButton3");
    EXPECT_TRUE(saved.Contains("ForeColor"));
    EXPECT_FALSE(saved.Contains("ForeHover"));  // equal to the ForeColor, which stands in for it
    const auto text = saved.ToText();
    const auto back = ui::PropertyBag::FromText(text);
    ASSERT_TRUE(back);
    XPButton again(view);
    again.ReadProperties(*back, ambient, 0, "XPButton3");
    EXPECT_EQ(again.Caption(), "&Apply");
    EXPECT_EQ(again.AccessKey(), 'a');
    EXPECT_EQ(again.Font(), (ui::FontSpec{"Tahoma", 9, true}));
    // Each colour comes back as it was, also a hover colour that is the ambient one.
    for (const auto& [fore, hover] : {std::pair<ui::Color, ui::Color>{0x0000FF, 0x123456}, {0x123456, 0x0000FF},
                                      {0x0000FF, 0x0000FF}}) {
        loaded.ForeColor(fore);
        loaded.ForeHover(hover);
        XPButton reloaded(view);
        reloaded.ReadProperties(loaded.WriteProperties(ambient, "XPButton3"), ambient, 0x123456, "XPButton3");
        EXPECT_EQ(std::pair(reloaded.ForeColor(), reloaded.ForeHover()), std::pair(fore, hover));
    }
}

}  // namespace
