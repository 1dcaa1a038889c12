#include "XPButton.h"

#include "ui/Services.h"

namespace {

constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;

}  // namespace

XPButton::XPButton(XPButtonView& view) : m_View(view) {}

void XPButton::InitProperties(const std::string& displayName, const ui::FontSpec& ambientFont)
{
    m_Enabled = true;
    m_Font = ambientFont;
    m_ForeColor = kNewForeColor;
    m_ForeHover = 0;
    m_Caption = "Command" + (displayName.size() > 8 ? displayName.substr(8) : std::string());
    m_AccessKey = AccessKeyOf(m_Caption);
}

void XPButton::Enabled(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    m_Changed = true;
    m_View.EnableWindow(New_Enabled);
    RedrawButton(false);
}

void XPButton::Font(const ui::FontSpec& New_Font)
{
    m_Font = New_Font;
    RedrawButton(false);
    m_Changed = true;
}

void XPButton::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    RedrawButton(false);
    m_AccessKey = AccessKeyOf(m_Caption);
    m_Changed = true;
}

void XPButton::ForeColor(ui::Color New_ForeColor)
{
    m_ForeColor = New_ForeColor;
    RedrawButton(false);
    m_Changed = true;
}

void XPButton::ForeHover(ui::Color New_ForeHover)
{
    m_ForeHover = New_ForeHover;
    m_Changed = true;
}

XPButtonLook XPButton::LookFor(bool pressed) const
{
    XPButtonLook look;
    look.caption = m_Caption;
    if (!m_Enabled) {
        look.face = XPButtonLook::Face::Disabled;
        look.outline = false;
        look.textColor = kDisabledText;
        return look;
    }
    look.textColor = m_Hover ? m_ForeHover : m_ForeColor;
    if (pressed && m_Button == ui::vbLeftButton) {
        look.face = XPButtonLook::Face::Pressed;
        return look;
    }
    look.ring = m_Hover ? XPButtonLook::Ring::Hover : m_Focus ? XPButtonLook::Ring::Focus : XPButtonLook::Ring::None;
    return look;
}

void XPButton::RedrawButton(bool pressed) { m_View.Draw(LookFor(pressed)); }

bool XPButton::IsMouseOverButton() const { return ui::PointerIsOver(m_View.Hwnd()); }

void XPButton::HoverTimer_Timer(bool over)
{
    if (over)
        return;
    m_Hover = false;
    m_Inside = 0;
    RedrawButton(false);
    if (MouseOut)
        MouseOut();
}

void XPButton::OnResize() { RedrawButton(false); }

void XPButton::OnShow() { RedrawButton(false); }

void XPButton::OnMouseMove(int Button, int Shift, float X, float Y)
{
    if (Button == 0 || Button == ui::vbLeftButton) {
        if (IsMouseOverButton()) {
            if (m_Inside == 1)
                return;
            m_Inside = 1;
            if (Button == 0 && !m_Hover) {
                m_HoverTimer.Start(m_View.Hwnd());
                m_Hover = true;
                m_Inside = 0;
                RedrawButton(false);
                if (MouseOver)
                    MouseOver();
            } else if (Button == ui::vbLeftButton) {
                m_Hover = true;
                RedrawButton(true);
                m_Hover = false;
            }
        } else {
            if (m_Inside == 0)
                return;
            RedrawButton(false);
        }
    }
    if (MouseMove)
        MouseMove(Button, Shift, X, Y);
}

void XPButton::OnMouseDown(int Button, int Shift, float X, float Y)
{
    if (!m_Enabled)
        return;
    if (MouseDown)
        MouseDown(Button, Shift, X, Y);
    m_Button = static_cast<std::int16_t>(Button);
    m_Held = true;
    m_View.RepaintNow();
    m_View.ProcessPendingMessages();
    // A quick click's release may have come and gone meanwhile: draw what is so now.
    RedrawButton(m_Held);
}

void XPButton::OnMouseUp(int Button, int Shift, float X, float Y)
{
    m_Held = false;
    if (MouseUp)
        MouseUp(Button, Shift, X, Y);
    RedrawButton(false);
    m_View.RepaintNow();
}

void XPButton::OnPressCancelled()
{
    m_Held = false;
    RedrawButton(false);
}

void XPButton::ClickHandling()
{
    RedrawButton(false);
    m_View.RepaintNow();
    if (Click)
        Click();
}

void XPButton::OnClickNotification()
{
    if (m_Button == ui::vbLeftButton)
        ClickHandling();
}

void XPButton::OnDblClick()
{
    if (m_Button != ui::vbLeftButton)
        return;
    OnMouseDown(ui::vbLeftButton, 0, 0, 0);
    m_View.CaptureMouse();
}

void XPButton::OnGotFocus()
{
    m_Focus = true;
    if (m_Enabled) {
        m_Button = ui::vbLeftButton;
        m_View.RepaintNow();
        RedrawButton(false);
    }
}

void XPButton::OnLostFocus()
{
    m_Focus = false;
    RedrawButton(false);
}

void XPButton::OnKeyDown(int KeyCode, int Shift)
{
    m_LastKey = static_cast<std::int16_t>(KeyCode);
    if (KeyCode == kSpace || KeyCode == kEnter)
        RedrawButton(true);
    else if (KeyCode == kLeft || KeyCode == kRight)
        m_View.MoveFocus(true);
    else if (KeyCode == kUp || KeyCode == kDown)
        m_View.MoveFocus(false);
    if (KeyDown)
        KeyDown(KeyCode, Shift);
}

void XPButton::OnKeyPress(int KeyAscii)
{
    if (KeyPress)
        KeyPress(KeyAscii);
}

void XPButton::OnKeyUp(int KeyCode, int Shift)
{
    if ((KeyCode == kEnter && m_LastKey == kEnter) || (KeyCode == kSpace && m_LastKey == kSpace)) {
        RedrawButton(false);
        m_Button = ui::vbLeftButton;
        m_View.RepaintNow();
        if (Click)
            Click();
    }
    if (KeyUp)
        KeyUp(KeyCode, Shift);
}

void XPButton::OnAccessKey()
{
    // The form routes only to enabled controls, but a reader's press or a
    // caller may come straight here.
    if (!m_Enabled)
        return;
    m_Button = ui::vbLeftButton;
    ClickHandling();
}

void XPButton::ReadProperties(const ui::PropertyBag& bag, const ui::FontSpec& ambientFont, ui::Color ambientForeColor,
                              const std::string& displayName)
{
    m_Enabled = bag.ReadBool("Enabled", true);
    m_Font = bag.ReadFont("Font", ambientFont);
    m_Caption = bag.ReadString("Caption", displayName);
    m_ForeColor = static_cast<ui::Color>(bag.ReadLong("ForeColor", static_cast<std::int32_t>(ambientForeColor)));
    m_ForeHover = static_cast<ui::Color>(bag.ReadLong("ForeHover", static_cast<std::int32_t>(m_ForeColor)));
    m_View.EnableWindow(m_Enabled);
    m_AccessKey = AccessKeyOf(m_Caption);
}

ui::PropertyBag XPButton::WriteProperties(const ui::FontSpec& ambientFont, const std::string& displayName) const
{
    ui::PropertyBag bag;
    bag.WriteBool("Enabled", m_Enabled, true);
    bag.WriteFont("Font", m_Font, ambientFont);
    bag.WriteString("Caption", m_Caption, displayName);
    // ForeColor is always stored: no default can stand in for it.
    bag.WriteLong("ForeColor", static_cast<std::int32_t>(m_ForeColor), static_cast<std::int32_t>(~m_ForeColor));
    // Left out only where reading it back gives the same: a missing one is the ForeColor.
    bag.WriteLong("ForeHover", static_cast<std::int32_t>(m_ForeHover), static_cast<std::int32_t>(m_ForeColor));
    return bag;
}
