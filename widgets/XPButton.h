#pragma once
// The widget set's own push button in the look of the Windows XP blue button:
// a light gradient face, a dark blue outline with softened corners, an orange
// ring under the mouse and a blue ring with the focus.
//
// This is the button's logic: its state, input handling, events, access key and
// stored properties. The look of each state is drawn by its view (a window on
// Win32, a fake in tests), which RedrawButton tells what to draw.
#include "os/Text.h"
#include "PointerPoll.h"
#include "ui/PropertyBag.h"
#include "ui/UiTypes.h"

#include <cstdint>
#include <functional>
#include <string>

// What one redraw shows.
struct XPButtonLook {
    enum class Face { Normal, Pressed, Disabled };
    enum class Ring { None, Focus, Hover };
    Face face = Face::Normal;
    Ring ring = Ring::None;
    bool outline = true;
    ui::Color textColor = 0;
    std::string caption;
    bool operator==(const XPButtonLook&) const = default;
};

// The window and host services the button needs.
class XPButtonView {
public:
    virtual ~XPButtonView() = default;
    virtual void Draw(const XPButtonLook& look) = 0;  // draws off screen and sets the region
    virtual void RepaintNow() = 0;
    virtual void ProcessPendingMessages() = 0;
    virtual void EnableWindow(bool enabled) = 0;
    virtual void CaptureMouse() = 0;
    virtual void MoveFocus(bool forward) = 0;  // as Tab or Shift+Tab would
    virtual ui::WindowHandle Hwnd() const = 0;
};

using text::AccessKeyOf;

class XPButton {
public:
    static constexpr ui::Color kDisabledText = 0x92A1A1;  // (161, 161, 146)
    static constexpr ui::Color kNewForeColor = ui::vbWindowFrame;
    static constexpr std::uint32_t kHoverPollMs = 1;
    static constexpr std::uintptr_t kHoverTimerId = 2;  // on the button's own window

    explicit XPButton(XPButtonView& view);
    XPButton(const XPButton&) = delete;
    XPButton& operator=(const XPButton&) = delete;

    // A button placed new on a form: its caption is "Command" and the display
    // name from the ninth character on (XPButton2 -> Command2).
    // A new button: named after its number, in the host's font.
    void InitProperties(const std::string& displayName, const ui::FontSpec& ambientFont);

    bool Enabled() const { return m_Enabled; }
    void Enabled(bool New_Enabled);
    const ui::FontSpec& Font() const { return m_Font; }
    void Font(const ui::FontSpec& New_Font);
    const std::string& Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption);
    ui::Color ForeColor() const { return m_ForeColor; }
    void ForeColor(ui::Color New_ForeColor);
    ui::Color ForeHover() const { return m_ForeHover; }
    void ForeHover(ui::Color New_ForeHover);
    char AccessKey() const { return m_AccessKey; }

    std::function<void()> Click;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseDown;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseMove;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseUp;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int& KeyCode, int& Shift)> KeyDown;
    std::function<void(int& KeyCode, int& Shift)> KeyUp;
    std::function<void()> MouseOver;
    std::function<void()> MouseOut;

    // Input from the window and the host.
    void OnResize();
    void OnShow();
    void OnMouseMove(int Button, int Shift, float X, float Y);
    void OnMouseDown(int Button, int Shift, float X, float Y);
    void OnMouseUp(int Button, int Shift, float X, float Y);
    void OnPressCancelled();
    void OnClickNotification();
    void OnDblClick();
    void OnGotFocus();
    void OnLostFocus();
    void OnKeyDown(int KeyCode, int Shift);
    void OnKeyPress(int KeyAscii);
    void OnKeyUp(int KeyCode, int Shift);
    void OnAccessKey();

    // Decides the state and has the view draw it.
    void RedrawButton(bool pressed);
    // What RedrawButton would show now.
    XPButtonLook LookFor(bool pressed) const;

    // Design-time properties; ambient values come from the host.
    void ReadProperties(const ui::PropertyBag& bag, const ui::FontSpec& ambientFont, ui::Color ambientForeColor,
                        const std::string& displayName);
    ui::PropertyBag WriteProperties(const ui::FontSpec& ambientFont, const std::string& displayName) const;
    bool PropertiesChanged() const { return m_Changed; }

    bool Hover() const { return m_Hover; }
    bool HoverTimerRunning() const { return m_HoverTimer.Running(); }

private:
    bool IsMouseOverButton() const;
    void HoverTimer_Timer(bool over);
    void ClickHandling();

    XPButtonView& m_View;
    bool m_Enabled = true;
    ui::FontSpec m_Font{"Tahoma", 8.25};
    std::string m_Caption;
    ui::Color m_ForeColor = kNewForeColor;
    ui::Color m_ForeHover = 0;
    char m_AccessKey = 0;
    bool m_Hover = false;
    std::int16_t m_Inside = 0;
    bool m_Focus = false;
    std::int16_t m_Button = 0;
    bool m_Held = false;  // a mouse button is down on it now
    std::int16_t m_LastKey = 0;
    PointerPoll m_HoverTimer{kHoverTimerId, kHoverPollMs, [this](bool over) { HoverTimer_Timer(over); }};
    bool m_Changed = false;
};
