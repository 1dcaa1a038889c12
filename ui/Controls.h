#pragma once
// The standard controls of a form. A control keeps its properties itself and,
// once its form is loaded, mirrors them onto its window; windowless controls
// (shape, line, image, frame) are painted by the form. Positions are in the
// scale of the container: twips on a form.
#include "Scale.h"
#include "Timers.h"
#include "UiTypes.h"

#include <functional>
#include <optional>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class Form;

// What a screen reader is told of a control beyond what the system's own
// object for its window says. The defaults leave the system's answer.
struct AccessibleFace {
    enum class Role { Standard, PushButton, MenuBar, MenuItem };
    Role role = Role::Standard;
    std::string name;     // as read, without access-key marks
    char accessKey = 0;   // the letter Alt presses it with
    bool pressable = false;  // its default action is "Press"
    bool IsStandard() const { return role == Role::Standard && name.empty() && !accessKey && !pressable; }
};

class Control {
public:
    Control(Form& form, std::string name);
    // A piece of a user control: it belongs to the form's window but is not one
    // of the form's own controls.
    struct Piece {};
    Control(Form& form, std::string name, Piece);
    // Destroys the control's own window. A derived control that holds more
    // (a timer, pieces, a canvas) lets it go in its own destructor.
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_Name; }
    Form& Parent() const { return m_Form; }

    int Left() const { return m_Left; }
    void Left(int New_Left) { Move(New_Left, m_Top, m_Width, m_Height); }
    int Top() const { return m_Top; }
    void Top(int New_Top) { Move(m_Left, New_Top, m_Width, m_Height); }
    int Width() const { return m_Width; }
    void Width(int New_Width) { Move(m_Left, m_Top, New_Width, m_Height); }
    int Height() const { return m_Height; }
    void Height(int New_Height) { Move(m_Left, m_Top, m_Width, New_Height); }
    virtual void Move(int left, int top, int width, int height);
    // The size its window has on screen, in twips: a control may be larger
    // than its design where its font or its items need more room. The design
    // size for a control without a window.
    int ShownWidth() const;
    int ShownHeight() const;

    bool Visible() const { return m_Visible; }
    virtual void Visible(bool New_Visible);
    bool Enabled() const { return m_Enabled; }
    virtual void Enabled(bool New_Enabled);
    int TabIndex() const { return m_TabIndex; }
    void TabIndex(int New_TabIndex) { m_TabIndex = New_TabIndex; }
    const std::string& ToolTipText() const { return m_ToolTipText; }
    void ToolTipText(const std::string& New_ToolTipText);
    const FontSpec& Font() const { return m_Font; }
    void Font(const FontSpec& New_Font);
    Color BackColor() const { return m_BackColor; }
    void BackColor(Color New_BackColor);
    Color ForeColor() const { return m_ForeColor; }
    void ForeColor(Color New_ForeColor);

    // The control's own window; none for windowless controls and before loading.
    WindowHandle hWnd() const { return m_hWnd; }
    // The scale of the window it is on: every twip it converts goes through it.
    const Scale& DisplayScale() const;
    void SetFocus();
    void Refresh();

    std::function<void()> Click;
    std::function<void()> DblClick;
    // Shift+F10 or the context-menu key: a keyboard's right click.
    std::function<void()> ContextMenuKey;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int& KeyCode, int Shift)> KeyDown;
    std::function<void(int& KeyCode, int Shift)> KeyUp;

    // The ASCII letter or digit that presses the control with Alt (lower case), 0 for none.
    virtual char AccessKey() const { return 0; }
    virtual void OnAccessKey() {}

    // The name a screen reader reads for a control no label names and no
    // caption of its own names.
    const std::string& AccessibleName() const { return m_AccessibleName; }
    void AccessibleName(std::string New_AccessibleName) { m_AccessibleName = std::move(New_AccessibleName); }
    // What a screen reader is told of the window (the control's own or one of
    // its pieces'), and a screen reader's press of a pressable control.
    virtual AccessibleFace Accessible(WindowHandle window) const;
    virtual void AccessiblePress() {}

    // ---- Toolkit internals: what the form asks of each control. ----
    // Makes the control's window in parentWindow (its form's, or a user
    // control's for its pieces); false when Windows refused it.
    virtual bool CreateWindowIn(WindowHandle parentWindow);
    virtual void DestroyWindowOf();
    // Windowless controls are painted by their form.
    virtual bool Windowed() const { return true; }
    virtual void PaintOn(DcHandle dc) const;
    // A notification of the control's window (WM_COMMAND).
    virtual void OnCommand(int notification);
    // The colours of the control's window (WM_CTLCOLOR*): set them on dc and
    // return the background brush.
    virtual GdiHandle OnCtlColor(DcHandle dc);
    // The button Enter presses when the focus is on no other button.
    virtual bool IsDefault() const { return false; }
    // A push button: Enter presses it while it has the focus, and it then looks
    // like the default button.
    virtual bool TakesEnter() const { return false; }
    // Enter acts on the control itself (a list on its line), never on the
    // default button.
    virtual bool WantsEnterKey() const { return false; }
    virtual void OnEnterKey() {}
    virtual void ShowAsDefault(bool) {}
    // The system's colours or its high-contrast setting changed: a control
    // that keeps a drawing of itself draws it again (the form repaints all).
    virtual void SystemColorsChanged() {}
    // The form's scale changed (its window moved to a screen of another DPI):
    // the control's window takes its place and font at the new scale.
    virtual void ScaleChanged();
    // A tick of the timer the control set on its form's window under its id.
    // The windows that show the control's hover hint.
    virtual std::vector<WindowHandle> HintWindows() const { return {m_hWnd}; }
    GdiHandle FontHandle() const { return m_FontHandle; }
    int ControlId() const { return m_Id; }

protected:
    // The control's window of the given class in parentWindow, subclassed for
    // its events, ExtraHeight() taller than the control; 0 when Windows
    // refused it.
    WindowHandle CreateChild(WindowHandle parentWindow, const char* className, const char* text, unsigned long style,
                       unsigned long exStyle);
    // How much taller than the control its window is, in pixels at the
    // control's scale (a drop-down list's room), wherever it is placed.
    virtual int ExtraHeight() const { return 0; }
    void DestroyOwnWindow();
    void ApplyFont();
    void Invalidate() const;
    // Text the control is to show. A name the ANSI code page cannot hold has no
    // glyphs in a raster font such as MS Sans Serif; from then on the control
    // uses the font's TrueType design, which shows every script.
    void Shows(std::string_view text);

    Form& m_Form;
    std::string m_Name;
    int m_Left = 0, m_Top = 0, m_Width = 0, m_Height = 0;
    bool m_Visible = true;
    bool m_Enabled = true;
    int m_TabIndex = -1;
    std::string m_ToolTipText;
    std::string m_AccessibleName;
    FontSpec m_Font;
    Color m_BackColor = vbButtonFace;
    Color m_ForeColor = vbButtonText;
    WindowHandle m_hWnd;
    GdiHandle m_FontHandle;
    bool m_AnyScript = false;
    int m_Id = 0;
};

class ListBox : public Control {
public:
    ListBox(Form& form, std::string name);

    void AddItem(const std::string& item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(m_Items.size()); }
    std::string List(int index) const;
    int ListIndex() const;
    void ListIndex(int New_ListIndex);
    // The selected item, empty when none is selected.
    std::string Text() const;
    // The item at a point of the list (twips from its top left), -1 below the last one.
    int ItemAt(float x, float y) const;
    // Where a line is, in twips of the form's client area: the left end of its
    // bottom edge, where a menu for it opens. nullopt for no such line.
    std::optional<std::pair<float, float>> ItemPlace(int index) const;
    // Tab characters align to tab stops (set by the caller with LB_SETTABSTOPS).
    bool UseTabStops = true;

    bool CreateWindowIn(WindowHandle parentWindow) override;
    void OnCommand(int notification) override;
    // Enter on a selected line does what a double click on it does.
    bool WantsEnterKey() const override { return true; }
    void OnEnterKey() override;

private:
    // A line wider than the list scrolls sideways: the list's scroll width
    // follows its widest line. Only the line added is measured; a removal
    // measures them all again.
    int WidthOf(const std::string& item) const;
    void FitScrollWidth(int width);
    void MeasureAll();

    std::vector<std::string> m_Items;
    int m_ListIndex = -1;
    int m_ScrollWidth = 0;  // pixels
};

// A drop-down combo box whose text can also be set directly.
class ComboBox : public Control {
public:
    explicit ComboBox(Form& form, std::string name);

    void AddItem(const std::string& item);
    void AddItems(const std::vector<std::string>& items);  // as many AddItem calls, with one list update
    void Clear();  // removes every item and empties the text
    int ListCount() const { return static_cast<int>(m_Items.size()); }
    std::string List(int index) const;
    std::string Text() const;
    void Text(const std::string& New_Text);
    // Picks an item, as the user would from the list; -1 when the text is no item.
    int ListIndex() const;
    void ListIndex(int New_ListIndex);

    // The text changes only by picking an item.
    bool Locked = false;

    bool CreateWindowIn(WindowHandle parentWindow) override;
    void OnCommand(int notification) override;
    std::vector<WindowHandle> HintWindows() const override { return {m_hWnd, m_Edit}; }
    WindowHandle EditWindow() const { return m_Edit; }
    void ScaleChanged() override;
    // The drop-down list's room, in pixels of the design.
    static constexpr int kDropDownHeight = 160;

protected:
    int ExtraHeight() const override;

private:
    // The window is wide enough to show its widest item in its font, at any
    // DPI and in any face.
    void FitItems();
    std::vector<std::string> m_Items;
    std::string m_Text;
    WindowHandle m_Edit;
};

class TextBox : public Control {
public:
    explicit TextBox(Form& form, std::string name);

    std::string Text() const;
    void Text(const std::string& New_Text);
    bool MultiLine = false;
    // The user can select and copy but never change the text.
    bool Locked = false;

    bool CreateWindowIn(WindowHandle parentWindow) override;

private:
    std::string m_Text;
};

class CommandButton : public Control {
public:
    explicit CommandButton(Form& form, std::string name);

    const std::string& Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption);
    // An icon resource shown on the button; 0 for none.
    int Picture = 0;
    // What a picture button without a caption does, in a word, with the mark
    // of its access key ("&Mount"): the window's text, which the icon hides,
    // and so the name and key a screen reader reads for it.
    std::string PictureName;
    // The button Enter presses.
    bool Default = false;

    bool CreateWindowIn(WindowHandle parentWindow) override;
    void OnCommand(int notification) override;
    bool IsDefault() const override { return Default; }
    bool TakesEnter() const override { return true; }
    void ShowAsDefault(bool asDefault) override;
    // Alt and the marked letter of its text clicks it, as the dialog manager
    // would; the name read is the text without the mark.
    char AccessKey() const override;
    void OnAccessKey() override;
    AccessibleFace Accessible(WindowHandle window) const override;

    void ScaleChanged() override;

private:
    // Its icon at the form's scale.
    void ShowPicture();
    std::string m_Caption;
};

// A check box: its caption beside it, Value ticked or not. Click follows
// every change the user makes (mouse, Space, its access key), never one made
// through Value.
class CheckBox : public Control {
public:
    explicit CheckBox(Form& form, std::string name);

    const std::string& Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption);
    bool Value() const { return m_Value; }
    void Value(bool New_Value);

    bool CreateWindowIn(WindowHandle parentWindow) override;
    void OnCommand(int notification) override;
    GdiHandle OnCtlColor(DcHandle dc) override;
    char AccessKey() const override;
    void OnAccessKey() override;

private:
    std::string m_Caption;
    bool m_Value = false;
};

class Label : public Control {
public:
    explicit Label(Form& form, std::string name);

    const std::string& Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption);
    bool Transparent = false;  // BackStyle 0: the form shows through
    // A path: shown whole where it fits, else with its middle cut to an
    // ellipsis; the window keeps its design size, and "&" is no access mark.
    bool PathEllipsis = false;

    bool CreateWindowIn(WindowHandle parentWindow) override;
    GdiHandle OnCtlColor(DcHandle dc) override;
    void Move(int left, int top, int width, int height) override;
    void ScaleChanged() override;

private:
    // The window is never smaller than its caption in its font: a font made
    // for another DPI, or a face wider than the design's, cuts no text off.
    void FitCaption();
    std::string m_Caption;
};

// A picture from an icon resource, drawn at its own size.
class Image : public Control {
public:
    using Control::Control;
    bool Windowed() const override { return false; }
    void PaintOn(DcHandle dc) const override;

    int Picture = 0;
    int PictureSize = 32;  // pixels at 96 DPI
};

// A rectangle with a border and a solid fill, painted by the form.
class Shape : public Control {
public:
    using Control::Control;
    bool Windowed() const override { return false; }
    void PaintOn(DcHandle dc) const override;

    Color BorderColor = 0x000000;
    Color FillColor = 0x000000;
    bool Filled = false;
};

class Line : public Control {
public:
    using Control::Control;
    bool Windowed() const override { return false; }
    void PaintOn(DcHandle dc) const override;

    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Color BorderColor = 0x000000;
};

// An etched border with an optional caption, painted by the form.
class Frame : public Control {
public:
    using Control::Control;
    bool Windowed() const override { return false; }
    void PaintOn(DcHandle dc) const override;

    std::string Caption;
};

class PictureBox : public Control {
public:
    using Control::Control;
    bool CreateWindowIn(WindowHandle parentWindow) override;
    GdiHandle OnCtlColor(DcHandle dc) override;
};

// Ticks through the same timers as every other control of the toolkit (the
// services' Timers), so a test's simulated clock drives it too.
class Timer : public Control, private TimerTarget {
public:
    using Control::Control;
    ~Timer() override;
    bool Windowed() const override { return false; }

    int Interval() const { return m_Interval; }
    void Interval(int New_Interval);
    void Enabled(bool New_Enabled) override;
    using Control::Enabled;

    std::function<void()> Tick;  // the Timer event

    bool CreateWindowIn(WindowHandle parentWindow) override;
    void DestroyWindowOf() override;

private:
    void OnSystemTick(WindowHandle window, std::uint32_t message, std::uintptr_t id, std::uint32_t time) override;
    // Sets the system timer as Interval and Enabled say; false when Windows refused it.
    bool Restart();
    int m_Interval = 0;
    WindowHandle m_FormWindow;
};

// A menu: top-level menus carry items; a hidden top-level menu serves as a pop-up.
class Menu : public Control {
public:
    Menu(Form& form, std::string name, std::string caption, Menu* parentMenu = nullptr);
    ~Menu() override;
    bool Windowed() const override { return false; }

    const std::string& Caption() const { return m_Caption; }
    void Caption(const std::string& New_Caption) { m_Caption = New_Caption; }
    const std::string& Tag() const { return m_Tag; }
    void Tag(const std::string& New_Tag) { m_Tag = New_Tag; }
    void Visible(bool New_Visible) override;
    using Control::Visible;
    void Enabled(bool New_Enabled) override { m_Enabled = New_Enabled; }
    using Control::Enabled;

    // The item a double click or Enter does as well, shown in bold in its menu.
    bool DefaultItem = false;

    Menu* ParentMenu() const { return m_ParentMenu; }
    const std::vector<Menu*>& Items() const { return m_Items; }

private:
    std::string m_Caption;
    std::string m_Tag;
    Menu* m_ParentMenu;
    std::vector<Menu*> m_Items;
};

}  // namespace ui
