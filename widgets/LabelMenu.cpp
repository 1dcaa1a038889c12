#include "LabelMenu.h"

LabelMenu::LabelMenu(LabelMenuSurface& surface) : m_Surface(surface) {}

LabelMenu::~LabelMenu() = default;

void LabelMenu::BackColor(ui::Color New_BackColor)
{
    m_Surface.BackColor(New_BackColor);
    m_Changed = true;
}

void LabelMenu::BorderStyle(int New_BorderStyle)
{
    m_Surface.BorderStyle(New_BorderStyle);
    m_Changed = true;
}

void LabelMenu::Caption(const std::string& New_Caption)
{
    m_Surface.Caption(New_Caption);
    FitToCaption();
    m_Changed = true;
}

void LabelMenu::Enabled(bool New_Enabled)
{
    m_Surface.Enabled(New_Enabled);
    m_Changed = true;
}

void LabelMenu::FitToCaption() { m_Surface.Size(m_Surface.LabelWidth() + kLabelMarginTwips, kHeightTwips); }

void LabelMenu::OnResize() { FitToCaption(); }

void LabelMenu::OnClick()
{
    // The host's handler runs first: a menu it opens shows before the highlight.
    if (Click)
        Click();
    SetHighlight(true);
}

void LabelMenu::OnMouseDown(int Button, int Shift, float X, float Y)
{
    if (MouseDown)
        MouseDown(Button, Shift, X, Y);
    SetHighlight(true);
}

void LabelMenu::OnMouseMove(int Button, int Shift, float X, float Y)
{
    if (MouseMove)
        MouseMove(Button, Shift, X, Y);
    SetHighlight(true);
}

void LabelMenu::OnMouseUp(int Button, int Shift, float X, float Y)
{
    if (MouseUp)
        MouseUp(Button, Shift, X, Y);
}

void LabelMenu::SetHighlight(bool on)
{
    if (on) {
        if (!m_MyTimer) {
            m_MyTimer = std::make_unique<clsTimer>();
            m_MyTimer->OnTime = [this](std::int32_t, std::int32_t) { MyTimer_OnTime(); };
            m_MyTimer->StartTimer(kPollMs);
        } else if (m_Surface.BackColor() == kHighlightColor) {
            return;
        }
        // A colour the host set meanwhile is the one to come back to.
        m_SavedBackColor = m_Surface.BackColor();
        m_Surface.BackColor(kHighlightColor);
        m_Surface.BorderStyle(ui::vbFixedSingle);
        return;
    }
    if (m_MyTimer) {
        m_MyTimer->StopTimer();
        m_MyTimer.reset();  // inside its own tick: the timer outlives this safely
    }
    m_Surface.BackColor(m_SavedBackColor);
    m_Surface.BorderStyle(ui::vbBSNone);
}

void LabelMenu::MyTimer_OnTime()
{
    if (!m_MyTimer->isMouseOver(m_Surface.Hwnd()))
        SetHighlight(false);
}

void LabelMenu::ReadProperties(const ui::PropertyBag& bag)
{
    m_Surface.BackColor(static_cast<ui::Color>(bag.ReadLong("BackColor", static_cast<std::int32_t>(kDefaultBackColor))));
    m_Surface.Caption(bag.ReadString("Caption", kDefaultCaption));
    m_Surface.Enabled(bag.ReadBool("Enabled", true));
    FitToCaption();
    m_Surface.BorderStyle(bag.ReadLong("BorderStyle", 0));
}

ui::PropertyBag LabelMenu::WriteProperties() const
{
    ui::PropertyBag bag;
    bag.WriteLong("BackColor", static_cast<std::int32_t>(m_Surface.BackColor()),
                  static_cast<std::int32_t>(kDefaultBackColor));
    bag.WriteString("Caption", m_Surface.Caption(), kDefaultCaption);
    bag.WriteBool("Enabled", m_Surface.Enabled(), true);
    bag.WriteLong("BorderStyle", m_Surface.BorderStyle(), 0);
    return bag;
}
