#include "ControlButton.h"

namespace {

// Picture indices by theme: blue (0), olive (1), and silver for every other value.
enum class Look { RestingActive, Hover, Pressed, RestingInactive, Disabled };

int ThemeRow(std::int32_t theme) { return theme == 0 ? 0 : theme == 1 ? 1 : 2; }

int IndexOf(CaptionPictureSet set, std::int32_t theme, Look look)
{
    // Columns: resting active, hover, pressed, resting inactive, disabled.
    static constexpr int kMaxIndex[3][5] = {{0, 1, 2, 3, 4}, {5, 6, 7, 8, 9}, {14, 13, 12, 11, 10}};
    static constexpr int kOtherIndex[3][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {11, 10, 9, 8}};
    const int row = ThemeRow(theme);
    const int column = static_cast<int>(look);
    return set == CaptionPictureSet::CbMax ? kMaxIndex[row][column] : kOtherIndex[row][column];
}

CaptionPictureSet SetForStyle(std::int32_t buttonStyle)
{
    switch (buttonStyle) {
    case 0: return CaptionPictureSet::CbMin;
    case 1: return CaptionPictureSet::CbMax;
    case 2: return CaptionPictureSet::CbClose;
    default: return CaptionPictureSet::CbRestore;
    }
}

}  // namespace

int PictureCount(CaptionPictureSet set) { return set == CaptionPictureSet::CbMax ? 15 : 12; }

ControlButton::ControlButton(CaptionSurface& PicMain) : m_PicMain(PicMain) { RefreshControl(true); }

bool ControlButton::AutoRedraw() const { return m_PicMain.AutoRedraw(); }

void ControlButton::AutoRedraw(bool New_AutoRedraw)
{
    m_PicMain.AutoRedraw(New_AutoRedraw);
    m_Changed = true;
}

std::string ControlButton::ToolTipText() const { return m_PicMain.ToolTipText(); }

void ControlButton::ToolTipText(const std::string& New_ToolTipText)
{
    m_PicMain.ToolTipText(New_ToolTipText);
    m_Changed = true;
}

void ControlButton::Theme(std::int32_t New_Theme)
{
    m_Theme = New_Theme;
    m_Changed = true;
    RefreshControl(true);
}

void ControlButton::ButtonStyle(std::int32_t New_ButtonStyle)
{
    m_ButtonStyle = New_ButtonStyle;
    m_Changed = true;
    RefreshControl(true);
}

bool ControlButton::Enabled() const { return m_PicMain.Enabled(); }

void ControlButton::Enabled(bool New_Enabled)
{
    m_PicMain.Enabled(New_Enabled);
    m_Changed = true;
    RefreshControl(true);
}

void ControlButton::IsActivate(bool New_IsActivate)
{
    m_IsActivate = New_IsActivate;
    m_Changed = true;
}

ui::WindowHandle ControlButton::Hwnd() const { return m_PicMain.Hwnd(); }

void ControlButton::Show(const CaptionPicture& picture)
{
    // The hover poll asks every few milliseconds; only a change is worth a repaint.
    if (m_PictureShown && picture == m_Picture)
        return;
    m_Picture = picture;
    m_PictureShown = true;
    m_PicMain.ShowPicture(picture);
}

void ControlButton::RefreshControl(bool IpRes)
{
    m_MouseButton = 0;
    if (!m_PicMain.Enabled()) {
        // Only the maximize set holds disabled pictures; every glyph uses them.
        Show({CaptionPictureSet::CbMax, IndexOf(CaptionPictureSet::CbMax, m_Theme, Look::Disabled)});
        return;
    }
    const auto set = SetForStyle(m_ButtonStyle);
    Show({set, IndexOf(set, m_Theme, IpRes ? Look::RestingActive : Look::RestingInactive)});
}

void ControlButton::Refresh() { m_PicMain.Repaint(); }

void ControlButton::DrawHotOrPressed(bool IsOver)
{
    if (m_MouseButton == ui::vbLeftButton)
        IsOver = false;
    const auto set = SetForStyle(m_ButtonStyle);
    Show({set, IndexOf(set, m_Theme, IsOver ? Look::Hover : Look::Pressed)});
}

void ControlButton::PicMain_MouseDown(int Button)
{
    if (Button != ui::vbLeftButton)
        return;
    m_MouseButton = ui::vbLeftButton;
    DrawHotOrPressed(false);
    m_Timer1.Start(m_PicMain.Hwnd());
}

void ControlButton::PicMain_MouseMove(int Button)
{
    m_MouseButton = static_cast<std::int16_t>(Button);
    m_Timer1.Start(m_PicMain.Hwnd());
}

void ControlButton::PicMain_Click()
{
    RefreshControl(true);
    // The host may close its window, and this button with it, inside the handler.
    const auto handler = Click;
    if (handler)
        handler();
}

void ControlButton::Timer1_Timer(bool over)
{
    if (m_MouseButton == ui::vbLeftButton && over)
        DrawHotOrPressed(false);
    else
        DrawHotOrPressed(over);
    if (!over)
        RefreshControl(m_IsActivate);
}

void ControlButton::ReadProperties(const ui::PropertyBag& bag)
{
    m_PicMain.AutoRedraw(bag.ReadBool("AutoRedraw", false));
    m_PicMain.ToolTipText(bag.ReadString("ToolTipText", ""));
    m_Theme = bag.ReadLong("Theme", 0);
    m_ButtonStyle = bag.ReadLong("ButtonStyle", 0);
    m_PicMain.Enabled(bag.ReadBool("Enabled", true));
    m_IsActivate = bag.ReadBool("IsActivate", true);
    RefreshControl(true);
}

ui::PropertyBag ControlButton::WriteProperties() const
{
    ui::PropertyBag bag;
    bag.WriteBool("AutoRedraw", m_PicMain.AutoRedraw(), false);
    bag.WriteString("ToolTipText", m_PicMain.ToolTipText(), "");
    bag.WriteLong("Theme", m_Theme, 0);
    bag.WriteLong("ButtonStyle", m_ButtonStyle, 0);
    bag.WriteBool("Enabled", m_PicMain.Enabled(), true);
    bag.WriteBool("IsActivate", m_IsActivate, true);
    return bag;
}
