#pragma once
// A menu-bar item: one line of text that lights up (light blue, thin border)
// while the mouse is on it and goes back once the mouse has left, which a 10 ms
// timer finds out by polling. It passes clicks and mouse events on to its host.
//
// This is the item's logic; its surface (the control's window with its label)
// is a window on Win32, a fake in tests.
#include "clsTimer.h"
#include "ui/PropertyBag.h"
#include "ui/UiTypes.h"

#include <functional>
#include <memory>
#include <string>

class LabelMenuSurface {
public:
    virtual ~LabelMenuSurface() = default;
    virtual ui::Color BackColor() const = 0;
    virtual void BackColor(ui::Color New_BackColor) = 0;
    virtual int BorderStyle() const = 0;
    virtual void BorderStyle(int New_BorderStyle) = 0;
    // Label1's caption, shown with "&" marking the underlined letter.
    virtual std::string Caption() const = 0;
    virtual void Caption(const std::string& New_Caption) = 0;
    // Label1 sizes itself to its caption: its width in twips.
    virtual int LabelWidth() const = 0;
    virtual void Size(int width, int height) = 0;
    virtual bool Enabled() const = 0;
    virtual void Enabled(bool New_Enabled) = 0;
    virtual ui::WindowHandle Hwnd() const = 0;
};

class LabelMenu {
public:
    static constexpr ui::Color kHighlightColor = 15651521;  // (193, 210, 238)
    static constexpr int kHeightTwips = 270;
    static constexpr int kLabelMarginTwips = 210;
    static constexpr std::int16_t kPollMs = 10;
    static constexpr ui::Color kDefaultBackColor = ui::vbButtonFace;
    static constexpr const char* kDefaultCaption = "&System";

    explicit LabelMenu(LabelMenuSurface& surface);
    ~LabelMenu();
    LabelMenu(const LabelMenu&) = delete;
    LabelMenu& operator=(const LabelMenu&) = delete;

    ui::Color BackColor() const { return m_Surface.BackColor(); }
    void BackColor(ui::Color New_BackColor);
    int BorderStyle() const { return m_Surface.BorderStyle(); }
    void BorderStyle(int New_BorderStyle);
    std::string Caption() const { return m_Surface.Caption(); }
    void Caption(const std::string& New_Caption);
    bool Enabled() const { return m_Surface.Enabled(); }
    void Enabled(bool New_Enabled);

    std::function<void()> Click;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseDown;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseMove;
    std::function<void(int& Button, int& Shift, float& X, float& Y)> MouseUp;

    // Input from Label1 or the surface around it; X and Y as received.
    void OnClick();
    void OnMouseDown(int Button, int Shift, float X, float Y);
    void OnMouseMove(int Button, int Shift, float X, float Y);
    void OnMouseUp(int Button, int Shift, float X, float Y);
    // The host changed the control's size: it keeps hugging its caption.
    void OnResize();

    void ReadProperties(const ui::PropertyBag& bag);
    ui::PropertyBag WriteProperties() const;
    bool PropertiesChanged() const { return m_Changed; }

    bool Highlighted() const { return m_MyTimer != nullptr; }

private:
    void SetHighlight(bool on);
    void MyTimer_OnTime();
    void FitToCaption();

    LabelMenuSurface& m_Surface;
    std::unique_ptr<clsTimer> m_MyTimer;
    ui::Color m_SavedBackColor = 0;
    bool m_Changed = false;
};
