#pragma once
// The caption button of the skinned frame: minimize, maximize, restore or close.
// It draws nothing itself; every look is a ready-made 21 x 21 picture, chosen by
// glyph, colour theme and state. While the mouse is on it a 10 ms timer polls the
// cursor, so hover and pressed looks follow it without mouse messages, and the
// poll stops once the cursor has left. A completed click raises Click.
//
// This is the button's logic; its picture surface (PicMain) is whatever shows a
// picture and receives the mouse: a window on Win32, a fake in tests.
#include "PointerPoll.h"
#include "ui/PropertyBag.h"

#include <cstdint>
#include <functional>
#include <string>

// The four picture sets, one per glyph.
enum class CaptionPictureSet { CbMin, CbMax, CbClose, CbRestore };

struct CaptionPicture {
    CaptionPictureSet set = CaptionPictureSet::CbMin;
    int index = 0;
    bool operator==(const CaptionPicture&) const = default;
};

// How many pictures each set holds.
int PictureCount(CaptionPictureSet set);

// The surface that shows the button's look and receives its mouse input.
class CaptionSurface {
public:
    virtual ~CaptionSurface() = default;
    virtual void ShowPicture(const CaptionPicture& picture) = 0;
    virtual ui::WindowHandle Hwnd() const = 0;
    virtual bool Enabled() const = 0;
    virtual void Enabled(bool New_Enabled) = 0;
    virtual bool AutoRedraw() const = 0;
    virtual void AutoRedraw(bool New_AutoRedraw) = 0;
    virtual std::string ToolTipText() const = 0;
    virtual void ToolTipText(const std::string& New_ToolTipText) = 0;
    virtual void Repaint() = 0;
};

class ControlButton {
public:
    static constexpr int kSizeTwips = 315;  // 21 pixels at 15 twips a pixel
    static constexpr std::uint32_t kPollMs = 10;
    static constexpr std::uintptr_t kPollTimerId = 1;  // on the button's own window

    // Draws itself once at once, as a new button does: the blue minimize look.
    explicit ControlButton(CaptionSurface& PicMain);
    ControlButton(const ControlButton&) = delete;
    ControlButton& operator=(const ControlButton&) = delete;

    bool AutoRedraw() const;
    void AutoRedraw(bool New_AutoRedraw);
    std::string ToolTipText() const;
    void ToolTipText(const std::string& New_ToolTipText);
    std::int32_t Theme() const { return m_Theme; }
    void Theme(std::int32_t New_Theme);
    std::int32_t ButtonStyle() const { return m_ButtonStyle; }
    void ButtonStyle(std::int32_t New_ButtonStyle);
    bool Enabled() const;
    void Enabled(bool New_Enabled);
    bool IsActivate() const { return m_IsActivate; }
    void IsActivate(bool New_IsActivate);
    ui::WindowHandle Hwnd() const;

    // Shows the resting look, active when IpRes is set, or the disabled look.
    void RefreshControl(bool IpRes);
    void Refresh();

    std::function<void()> Click;

    // Mouse input on PicMain (Button: 1 left, 2 right, 4 middle, as combined bits).
    void PicMain_MouseDown(int Button);
    void PicMain_MouseMove(int Button);
    // The left button released over the button after a press on it.
    void PicMain_Click();

    // Design-time properties and whether any was set since the last save.
    void ReadProperties(const ui::PropertyBag& bag);
    ui::PropertyBag WriteProperties() const;
    bool PropertiesChanged() const { return m_Changed; }

    // Whatever the host asks, the button stays 315 x 315 twips.
    static int ConstrainSize(int) { return kSizeTwips; }

    // What the button shows now and whether it is polling the cursor.
    const CaptionPicture& Picture() const { return m_Picture; }
    bool Tracking() const { return m_Timer1.Running(); }
    std::int16_t MouseButton() const { return m_MouseButton; }

private:
    void DrawHotOrPressed(bool IsOver);
    void Show(const CaptionPicture& picture);
    void Timer1_Timer(bool over);

    CaptionSurface& m_PicMain;
    bool m_IsActivate = true;
    std::int32_t m_Theme = 0;
    std::int32_t m_ButtonStyle = 0;
    std::int16_t m_MouseButton = 0;
    CaptionPicture m_Picture;
    bool m_PictureShown = false;
    bool m_Changed = false;
    PointerPoll m_Timer1{kPollTimerId, kPollMs, [this](bool over) { Timer1_Timer(over); }};
};
