#pragma once
// A form: a top-level window built from a design in twips, holding its controls
// in order. One window procedure serves every form and dispatches to the
// form's handlers and its controls' events.
#include "Controls.h"
#include "Owned.h"
#include "UiTypes.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// What a user control placed on a form hears of it.
class FormListener {
public:
    virtual ~FormListener() = default;
    // Told when a form is shown, and once more before it first goes on screen,
    // so that a control can lay it out while it is still hidden.
    virtual void FormShown() {}
    virtual void FormActivated() {}
    virtual void FormDeactivated() {}
    virtual void FormResized() {}
};

struct FormDesign {
    std::string Caption;
    int ClientWidth = 4800;   // twips
    int ClientHeight = 3600;  // twips
    Color BackColor = vbButtonFace;
    int BorderStyle = vbSizable;
    bool ControlBox = true;
    bool MinButton = true;
    bool MaxButton = true;
    bool CenterScreen = true;
    bool ShowInTaskbar = true;
    int Icon = 0;  // icon resource, 0 for none
    FontSpec Font;
    bool EscapeCloses = false;  // Escape closes the form as its close box does
};

class Form {
public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls and runs Form_Load; once. False when
    // Windows refused the window or one of its controls: nothing is left then.
    bool Load();
    bool Loaded() const { return static_cast<bool>(m_hWnd); }
    // Shows the form, loading it first. A modal show returns when the form is
    // hidden or unloaded; the owner (or every other form) is disabled meanwhile.
    // False when the form could not be loaded.
    bool Show(int modal = 0, Form* owner = nullptr);
    void Hide();
    // Runs Form_QueryUnload and Form_Unload (either may cancel) and destroys
    // the window.
    void Unload() { Close(vbFormCode); }

    WindowHandle hWnd() const { return m_hWnd; }
    const std::string& Caption() const { return m_Design.Caption; }
    void Caption(const std::string& New_Caption);
    Color BackColor() const { return m_Design.BackColor; }
    void BackColor(Color New_BackColor);
    int BorderStyle() const { return m_Design.BorderStyle; }
    bool MinButton() const { return m_Design.MinButton; }
    bool MaxButton() const { return m_Design.MaxButton; }
    bool ControlBox() const { return m_Design.ControlBox; }
    int Icon() const { return m_Design.Icon; }
    void Icon(int New_Icon);
    const FontSpec& Font() const { return m_Design.Font; }
    // The scale the form is drawn at, the screen's when it was made; its
    // controls and its frame convert units through it.
    const Scale& DisplayScale() const { return m_Scale; }

    // Outer position and size in twips.
    int Left() const;
    void Left(int New_Left);
    int Top() const;
    void Top(int New_Top);
    int Width() const;
    void Width(int New_Width);
    int Height() const;
    void Height(int New_Height);
    void Move(int left, int top, int width, int height);
    // The client area in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    int WindowState() const;
    void WindowState(int New_WindowState);
    bool Visible() const;

    // Every control and menu, in the order the form declares them.
    const std::vector<Control*>& Controls() const { return m_Controls; }
    // The menus alone, in the same order.
    const std::vector<Menu*>& Menus() const { return m_Menus; }
    Control* ActiveControl() const;

    // Shows a pop-up menu at a client position in twips, or at the mouse.
    void PopupMenu(Menu& menu, std::optional<float> x = std::nullopt, std::optional<float> y = std::nullopt);

    void AddListener(FormListener& listener) { m_Listeners.push_back(&listener); }
    void RemoveListener(FormListener& listener);

    // Toolkit internals.
    void Register(Control& control);
    void Unregister(Control& control);
    void RegisterMenu(Menu& menu);
    void UnregisterMenu(Menu& menu);
    int NextControlId() { return ++m_LastId; }
    // A solid brush of the colour, kept until the form is destroyed.
    GdiHandle BrushFor(Color color);
    // A font, shared by every control that asks for the same one, kept until the form unloads.
    GdiHandle FontFor(const FontSpec& font);
    void MenusChanged();
    // Alt and a letter typed anywhere in a form presses the control whose access
    // key it is; the character is the UTF-16 unit of WM_SYSCHAR. True when some
    // control took it.
    static bool RouteAccessKey(WindowHandle window, unsigned character);
    void ToolTipChanged(Control& control);
    // A control's window (or a piece of it) got the keyboard focus: remembered
    // for when the form is active again, and the default button's look follows.
    void ChildFocused(WindowHandle window);
    void ShowDefaultButton();
    // The form a window belongs to, or null.
    static Form* OfWindow(WindowHandle window);
    long long HandleMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

protected:
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    // Asked before the form unloads, and when the Windows session is about to
    // end (UnloadMode vbAppWindows): a form with something to keep keeps it
    // here. Cancel keeps the form open, or asks Windows not to end the session.
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode)
    {
        (void)Cancel;
        (void)UnloadMode;
    }
    // The form is going. When the session ends it goes whatever Cancel says.
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

private:
    void Close(int UnloadMode);
    // The session ends: every form unloads, the last loaded first, so that a
    // window goes before the one that opened it.
    static void EndSession();
    bool CreateControls();
    void DestroyControls();
    void ShowOnScreen();
    // The place a hidden form is laid out in before its first show: kept here,
    // not in the window, and given to the window in one move as the layout ends.
    // Each move of a window costs the window system a round of its own, however
    // little it changes; a form being laid out may be moved several times over.
    struct Place {
        int left, top, right, bottom;  // pixels, the outer frame
        bool operator==(const Place&) const = default;
    };
    Place Outer() const;
    // The window is on a screen of another DPI: fonts, controls and the
    // window itself (to `outer`, when given) at the new scale.
    void ChangeScale(const Scale& scale, const Place* outer);
    // The client area's size in pixels, of the place laid out while there is one.
    struct PixelSize {
        int width, height;
    };
    PixelSize ClientSize() const;
    void EndLayout();
    template <typename Event>
    void Tell(Event event)
    {
        const auto listeners = m_Listeners;  // a listener may leave while told
        for (FormListener* listener : listeners)
            (listener->*event)();
    }
    Control* ControlByWindow(WindowHandle window) const;
    // The control a window belongs to: its own, or the one it is a piece of.
    Control* OwnerOfWindow(WindowHandle window) const;
    // Back to the control that had the focus, or to the first tab stop.
    void RestoreFocus();
    // The same, when the form is the active window and the focus is elsewhere.
    void FocusIfActive();
    Control* ControlById(int id) const;
    Menu* MenuById(int id) const;

    FormDesign m_Design;
    Scale m_Scale;
    std::vector<Control*> m_Controls;
    std::vector<Menu*> m_Menus;
    std::vector<FormListener*> m_Listeners;
    WindowHandle m_hWnd;
    std::map<Color, OwnedGdi> m_Brushes;
    std::vector<std::pair<FontSpec, OwnedGdi>> m_Fonts;
    OwnedWindow m_Tooltip;
    WindowHandle m_LastFocus;
    int m_LastId = 1000;
    bool m_Loading = false;
    bool m_InModalLoop = false;
    unsigned m_Shows = 0;
    bool m_Preparing = false;
    std::optional<Place> m_Layout;
};

}  // namespace ui
