// Forms over Win32: one window class and one window procedure for every form.
#include "App.h"
#include "Form.h"
#include "Scale.h"
#include "Services.h"
#include "Trace_win.h"
#include "WinUtil_win.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <utility>

namespace ui {

using os::win::Wide;
using win::H;

namespace {

constexpr wchar_t kFormClass[] = L"TavrikForm";
constexpr UINT kRefocus = WM_APP + 0x3F0;  // the focus handed on after a show

std::vector<Form*>& LoadedForms()
{
    static std::vector<Form*> forms;
    return forms;
}

bool RegisterFormClass()
{
    return win::RegisterWindowClass(kFormClass, win::BoundWindowProc<Form, &Form::HandleMessage>, CS_DBLCLKS,
                                    IDC_ARROW);
}

struct Styles {
    DWORD style;
    DWORD exStyle;
};

Styles StylesFor(const FormDesign& design)
{
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (design.BorderStyle) {
    case vbBSNone:
        style |= WS_POPUP;
        break;
    case vbFixedSingle:
        style |= WS_CAPTION;
        break;
    case vbFixedDialog:
        style |= WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    default:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    }
    if (design.BorderStyle != vbBSNone && design.ControlBox) {
        style |= WS_SYSMENU;
        if (design.MinButton)
            style |= WS_MINIMIZEBOX;
        if (design.MaxButton)
            style |= WS_MAXIMIZEBOX;
    }
    if (!design.ShowInTaskbar)
        exStyle |= WS_EX_TOOLWINDOW;
    return {style, exStyle};
}

bool IsFormWindow(HWND window)
{
    wchar_t name[32] = {};
    return window && GetClassNameW(window, name, 32) && lstrcmpW(name, kFormClass) == 0;
}

void RunModalLoop(Form& form)
{
    MSG message;
    while (form.Loaded() && IsWindowVisible(H(form.hWnd()))) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        win::DispatchInForm(message);
    }
}

}  // namespace

void win::DispatchInForm(MSG& message)
{
    // Alt released after a chord with it (Alt+Down drops a picker's list)
    // opens no menu. Windows knows that by itself; Wine's default handling
    // misses a chord key the control took for itself, and would put the window
    // into menu mode, which closes the list behind the control's back and eats
    // the next key.
    static bool altChord = false;
    if (message.message == WM_SYSKEYDOWN)
        altChord = message.wParam != VK_MENU;
    if ((message.message == WM_SYSKEYUP || message.message == WM_KEYUP) && message.wParam == VK_MENU &&
        std::exchange(altChord, false))
        return;
    // F10 opens the window menu where it can be seen, as Alt+Space does. Left
    // to the system, a window without a menu bar would go into a menu mode
    // that shows nothing and takes every key until Escape; its release never
    // goes on, so Shift+F10 on a control without a menu does nothing.
    if (message.wParam == VK_F10) {
        if ((message.message == WM_SYSKEYDOWN || message.message == WM_KEYDOWN) &&
            !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
            if (HWND root = GetAncestor(message.hwnd, GA_ROOT); root && Form::OfWindow(ToHandle(root)))
                PostMessageW(root, WM_SYSCOMMAND, SC_KEYMENU, ' ');
            return;
        }
        if (message.message == WM_SYSKEYUP || message.message == WM_KEYUP)
            return;
    }
    if (message.message == WM_SYSCHAR &&
        Form::RouteAccessKey(ToHandle(message.hwnd), static_cast<unsigned>(message.wParam)))
        return;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && IsDialogMessageW(root, &message)) {
        // The dialog manager sets the buttons' default look as dialogs want it;
        // a form's own rule comes after it.
        if (Form* form = Form::OfWindow(ToHandle(root)))
            form->ShowDefaultButton();
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

Form::Form(FormDesign design) : m_Design(std::move(design)), m_Scale(ScreenScale()) {}

Form::~Form()
{
    m_Tooltip.Reset();  // before its owner, which would take it along unseen
    if (m_hWnd) {
        SetWindowLongPtrW(H(m_hWnd), GWLP_USERDATA, 0);
        DestroyWindow(H(m_hWnd));
        auto& forms = LoadedForms();
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    }
}

bool Form::RouteAccessKey(WindowHandle window, unsigned character)
{
    Form* form = OfWindow(window);
    if (!form)
        return false;
    // Access keys are ASCII letters and digits (AccessKeyOf); the character is a
    // UTF-16 unit, and any other one is no key of this form.
    if (character == 0 || character >= 0x80)
        return false;
    char key = static_cast<char>(character);
    if (key >= 'A' && key <= 'Z')
        key = static_cast<char>(key - 'A' + 'a');
    for (Control* control : form->m_Controls) {
        if (control->AccessKey() == key && control->Enabled() && control->Visible() && control->hWnd()) {
            control->OnAccessKey();
            return true;
        }
    }
    return false;
}

GdiHandle Form::BrushFor(Color color)
{
    if (IsSystemColor(color))
        return win::ToHandle(GetSysColorBrush(static_cast<int>(color & 0xFF)));
    auto& brush = m_Brushes[color];
    if (!brush)
        brush.Reset(win::ToHandle(win::Traced(CreateSolidBrush(win::ToColorRef(color)), "CreateSolidBrush")));
    return brush.Get();
}

GdiHandle Form::FontFor(const FontSpec& font)
{
    for (const auto& [cached, owned] : m_Fonts)
        if (cached == font)
            return owned.Get();
    OwnedGdi made(win::ToHandle(win::CreateFontFor(font, m_Scale.DpiY())));
    const GdiHandle handle = made.Get();
    if (handle)
        m_Fonts.emplace_back(font, std::move(made));
    return handle;
}

void Form::Register(Control& control) { m_Controls.push_back(&control); }

void Form::Unregister(Control& control)
{
    m_Controls.erase(std::remove(m_Controls.begin(), m_Controls.end(), &control), m_Controls.end());
}

void Form::RegisterMenu(Menu& menu) { m_Menus.push_back(&menu); }

void Form::UnregisterMenu(Menu& menu) { m_Menus.erase(std::remove(m_Menus.begin(), m_Menus.end(), &menu), m_Menus.end()); }

bool Form::Load()
{
    if (m_hWnd)
        return true;
    if (m_Loading || !RegisterFormClass())
        return false;
    m_Loading = true;

    const auto [style, exStyle] = StylesFor(m_Design);
    // The design's client size is what is left inside the border and the menu bar.
    const bool menuBar = std::any_of(m_Menus.begin(), m_Menus.end(),
                                     [](const Menu* menu) { return !menu->ParentMenu() && menu->Visible(); });
    RECT frame{0, 0, m_Scale.TwipsToPixelsX(m_Design.ClientWidth), m_Scale.TwipsToPixelsY(m_Design.ClientHeight)};
    AdjustWindowRectEx(&frame, style, menuBar, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT;
    if (m_Design.CenterScreen) {
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND window = CreateWindowExW(exStyle, kFormClass, Wide(m_Design.Caption).c_str(), style, left, top, width,
                                  height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window) {
        m_Loading = false;
        return false;
    }
    m_hWnd = win::ToHandle(window);
    LoadedForms().push_back(this);
    // Made on a screen of another DPI than the system's (a second monitor):
    // the window takes that screen's scale before its controls are made.
    if (const int dpi = win::WindowDpi(window); dpi && dpi != m_Scale.DpiY() && dpi != win::SystemDpi()) {
        m_Scale = Scale(dpi, dpi);
        RECT client{0, 0, m_Scale.TwipsToPixelsX(m_Design.ClientWidth), m_Scale.TwipsToPixelsY(m_Design.ClientHeight)};
        win::AdjustWindowRectForDpi(client, style, menuBar, exStyle, dpi);
        SetWindowPos(window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_Design.Icon)
        Icon(m_Design.Icon);
    if (!CreateControls()) {
        // A form missing some of its controls would only mislead: none at all.
        DestroyControls();
        m_hWnd = {};
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        auto& forms = LoadedForms();
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
        m_Loading = false;
        return false;
    }
    MenusChanged();
    Form_Load();
    m_Loading = false;
    return static_cast<bool>(m_hWnd);
}

bool Form::CreateControls()
{
    // Windows are created in tab order, which makes it the order Tab walks.
    std::vector<Control*> ordered = m_Controls;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
        const int ta = a->TabIndex() < 0 ? 1 << 30 : a->TabIndex();
        const int tb = b->TabIndex() < 0 ? 1 << 30 : b->TabIndex();
        return ta < tb;
    });
    for (Control* control : ordered)
        if (!control->CreateWindowIn(m_hWnd))
            return false;
    for (Control* control : m_Controls)
        ToolTipChanged(*control);
    return true;
}

namespace {

// Hands the mouse over a hinted window on to the form's tooltip, as the
// tooltip's own subclass (TTF_SUBCLASS) would, in the program's cheaper chain.
constexpr UINT_PTR kTooltipRelay = 3;

LRESULT RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR tooltip)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        MSG relayed{window, message, wParam, lParam, 0, {}};
        SendMessageW(reinterpret_cast<HWND>(tooltip), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        break;
    }
    default:
        break;
    }
    return win::DefSubclass(window, message, wParam, lParam);
}

}  // namespace

void Form::ToolTipChanged(Control& control)
{
    if (!m_hWnd || !control.hWnd())
        return;
    // The tooltip window is made with the form's first hint: a form without
    // hints (the splash) does without it.
    if (!m_Tooltip) {
        if (control.ToolTipText().empty())
            return;
        win::UseCommonControls();
        m_Tooltip.Reset(win::ToHandle(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                                      WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                                      CW_USEDEFAULT, CW_USEDEFAULT, H(m_hWnd), nullptr,
                                                      GetModuleHandleW(nullptr), nullptr)));
        if (!m_Tooltip)
            return;
    }
    for (const WindowHandle hint : control.HintWindows()) {
        HWND window = H(hint);
        if (!window)
            continue;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = H(m_hWnd);
        tool.uId = reinterpret_cast<UINT_PTR>(window);
        SendMessageW(H(m_Tooltip.Get()), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (control.ToolTipText().empty()) {
            win::RemoveSubclass(window, RelayToTooltip, kTooltipRelay);
            continue;
        }
        // The tooltip keeps its own copy of the text.
        std::wstring text = Wide(control.ToolTipText());
        tool.lpszText = text.data();
        if (SendMessageW(H(m_Tooltip.Get()), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
            win::Subclass(window, RelayToTooltip, kTooltipRelay, reinterpret_cast<DWORD_PTR>(H(m_Tooltip.Get())));
    }
}

void Form::ChangeScale(const Scale& scale, const Place* outer)
{
    m_Scale = scale;
    // The controls let go of the old fonts as they take the new ones.
    const auto oldFonts = std::move(m_Fonts);
    m_Fonts.clear();
    HWND window = H(m_hWnd);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    for (Control* control : m_Controls)
        control->ScaleChanged();
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    if (m_Design.Icon)
        Icon(m_Design.Icon);  // the caption's and the task switcher's, drawn for the new size
    if (outer)
        SetWindowPos(window, nullptr, outer->left, outer->top, outer->right - outer->left, outer->bottom - outer->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::DestroyControls()
{
    for (Control* control : m_Controls)
        control->DestroyWindowOf();
    m_Tooltip.Reset();
}

bool Form::Show(int modal, Form* owner)
{
    if (!Load())
        return false;
    if (owner && owner->hWnd())
        SetWindowLongPtrW(H(m_hWnd), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(H(owner->hWnd())));
    // A form is laid out by its controls before it first goes on screen: each
    // move, restyle or region change of a window already shown is a repaint.
    const unsigned show = ++m_Shows;
    if (!m_Preparing && !IsWindowVisible(H(m_hWnd))) {
        m_Preparing = true;
        m_Layout = Outer();
        Tell(&FormListener::FormShown);
        m_Preparing = false;
        EndLayout();
        if (!m_hWnd || m_Shows != show)
            return true;  // shown (and perhaps closed) again while being laid out
    }
    if (!modal) {
        ShowOnScreen();
        Tell(&FormListener::FormShown);
        FocusIfActive();
        return true;
    }
    if (m_InModalLoop)
        return true;
    // Every other form waits while this one is open.
    std::vector<Form*> disabled;
    for (Form* form : LoadedForms()) {
        if (form != this && form->hWnd() && IsWindowEnabled(H(form->hWnd()))) {
            EnableWindow(H(form->hWnd()), FALSE);
            disabled.push_back(form);
        }
    }
    ShowOnScreen();
    Tell(&FormListener::FormShown);
    if (m_hWnd) {
        SetActiveWindow(H(m_hWnd));
        FocusIfActive();
        m_InModalLoop = true;
        RunModalLoop(*this);
        m_InModalLoop = false;
    }
    const auto& loaded = LoadedForms();
    for (Form* form : disabled)
        if (std::find(loaded.begin(), loaded.end(), form) != loaded.end())
            EnableWindow(H(form->hWnd()), TRUE);
    Form* back = owner && owner->hWnd() ? owner : !disabled.empty() ? disabled.front() : nullptr;
    if (back && std::find(loaded.begin(), loaded.end(), back) != loaded.end()) {
        SetActiveWindow(H(back->hWnd()));
        back->FocusIfActive();  // already active again: no activation gives it back
    }
    return true;
}

void Form::FocusIfActive()
{
    HWND window = H(m_hWnd);
    if (window && GetActiveWindow() == window && !IsChild(window, GetFocus()))
        RestoreFocus();
}

void Form::EndLayout()
{
    if (!m_Layout)
        return;
    const Place to = *m_Layout;
    m_Layout.reset();
    if (!m_hWnd)
        return;
    if (Outer() != to)
        SetWindowPos(H(m_hWnd), nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ShowOnScreen()
{
    EndLayout();
    HWND window = H(m_hWnd);
    ShowWindow(window, SW_SHOW);
    // The form takes the focus as it is shown. Handed on once more after the
    // show has been seen through, so that a window system that gives the
    // keyboard only to a window already on screen (Wine's X11 driver, when the
    // form was laid out hidden) follows it.
    PostMessageW(window, kRefocus, 0, 0);
}

void Form::Hide()
{
    if (m_hWnd)
        ShowWindow(H(m_hWnd), SW_HIDE);
}

void Form::Close(int UnloadMode)
{
    if (!m_hWnd)
        return;
    int cancel = 0;
    // At the end of the session the form was asked already, as Windows asked
    // whether the session may end.
    if (UnloadMode != vbAppWindows) {
        Form_QueryUnload(cancel, UnloadMode);
        if (cancel || !m_hWnd)
            return;
    }
    Form_Unload(cancel);
    if ((cancel && UnloadMode != vbAppWindows) || !m_hWnd)
        return;
    HWND window = H(m_hWnd);
    // Closing an owned window must not leave its owner behind other programs.
    if (HWND owner = GetWindow(window, GW_OWNER))
        EnableWindow(owner, TRUE);
    DestroyControls();
    m_hWnd = {};
    m_Layout.reset();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    m_Fonts.clear();
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (forms.empty())
        PostQuitMessage(0);
}

void Form::EndSession()
{
    const std::vector<Form*> forms = LoadedForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        const auto& loaded = LoadedForms();
        if (std::find(loaded.begin(), loaded.end(), *it) != loaded.end())
            (*it)->Close(vbAppWindows);
    }
}

void Form::RemoveListener(FormListener& listener)
{
    m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), &listener), m_Listeners.end());
}

void Form::BackColor(Color New_BackColor)
{
    m_Design.BackColor = New_BackColor;
    if (m_hWnd)
        InvalidateRect(H(m_hWnd), nullptr, TRUE);
}

void Form::Icon(int New_Icon)
{
    m_Design.Icon = New_Icon;
    if (!m_hWnd)
        return;
    SendMessageW(H(m_hWnd), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(New_Icon ? win::LoadIconResource(New_Icon, m_Scale.Pixels(32)) : nullptr));
    SendMessageW(H(m_hWnd), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(New_Icon ? win::LoadIconResource(New_Icon, m_Scale.Pixels(16)) : nullptr));
}

void Form::Caption(const std::string& New_Caption)
{
    m_Design.Caption = New_Caption;
    if (m_hWnd)
        SetWindowTextW(H(m_hWnd), Wide(New_Caption).c_str());
}

Form::Place Form::Outer() const
{
    if (m_Layout)
        return *m_Layout;
    RECT r{};
    GetWindowRect(H(m_hWnd), &r);
    return {r.left, r.top, r.right, r.bottom};
}

int Form::Left() const { return m_hWnd ? m_Scale.PixelsToTwipsX(Outer().left) : 0; }
int Form::Top() const { return m_hWnd ? m_Scale.PixelsToTwipsY(Outer().top) : 0; }
int Form::Width() const
{
    if (!m_hWnd)
        return m_Design.ClientWidth;
    const Place r = Outer();
    return m_Scale.PixelsToTwipsX(r.right - r.left);
}
int Form::Height() const
{
    if (!m_hWnd)
        return m_Design.ClientHeight;
    const Place r = Outer();
    return m_Scale.PixelsToTwipsY(r.bottom - r.top);
}

void Form::Move(int left, int top, int width, int height)
{
    // As a form's own property setters do: a minimized or maximized form keeps its place.
    if (!m_hWnd || IsIconic(H(m_hWnd)) || IsZoomed(H(m_hWnd)))
        return;
    const Place to{m_Scale.TwipsToPixelsX(left), m_Scale.TwipsToPixelsY(top), m_Scale.TwipsToPixelsX(left) + m_Scale.TwipsToPixelsX(width),
                   m_Scale.TwipsToPixelsY(top) + m_Scale.TwipsToPixelsY(height)};
    // Setting the place a form already has changes nothing on screen; under
    // some window systems it would still cost a repaint of the whole form.
    const Place now = Outer();
    if (now == to)
        return;
    if (m_Layout) {
        // Hidden and being laid out: the form resizes as the window would.
        m_Layout = to;
        if (to.right - to.left != now.right - now.left || to.bottom - to.top != now.bottom - now.top) {
            Form_Resize();
            Tell(&FormListener::FormResized);
        }
        return;
    }
    MoveWindow(H(m_hWnd), to.left, to.top, to.right - to.left, to.bottom - to.top, TRUE);
}

void Form::Left(int New_Left) { Move(New_Left, Top(), Width(), Height()); }
void Form::Top(int New_Top) { Move(Left(), New_Top, Width(), Height()); }
void Form::Width(int New_Width) { Move(Left(), Top(), New_Width, Height()); }
void Form::Height(int New_Height) { Move(Left(), Top(), Width(), New_Height); }

Form::PixelSize Form::ClientSize() const
{
    RECT client{};
    GetClientRect(H(m_hWnd), &client);
    if (!m_Layout)
        return {client.right, client.bottom};
    // The window's frame as it is now, around the place it is laid out in.
    RECT window{};
    GetWindowRect(H(m_hWnd), &window);
    const Place& to = *m_Layout;
    return {to.right - to.left - (window.right - window.left - client.right),
            to.bottom - to.top - (window.bottom - window.top - client.bottom)};
}

int Form::ScaleWidth() const { return m_hWnd ? m_Scale.PixelsToTwipsX(ClientSize().width) : m_Design.ClientWidth; }

int Form::ScaleHeight() const { return m_hWnd ? m_Scale.PixelsToTwipsY(ClientSize().height) : m_Design.ClientHeight; }

int Form::WindowState() const
{
    if (!m_hWnd)
        return vbNormal;
    if (IsIconic(H(m_hWnd)))
        return vbMinimized;
    return IsZoomed(H(m_hWnd)) ? vbMaximized : vbNormal;
}

void Form::WindowState(int New_WindowState)
{
    if (!m_hWnd)
        return;
    EndLayout();
    ShowWindow(H(m_hWnd), New_WindowState == vbMinimized   ? SW_MINIMIZE
                          : New_WindowState == vbMaximized ? SW_MAXIMIZE
                                                           : SW_RESTORE);
}

bool Form::Visible() const { return m_hWnd && IsWindowVisible(H(m_hWnd)); }

Control* Form::ActiveControl() const
{
    HWND focus = GetFocus();
    for (; focus; focus = GetParent(focus))
        if (Control* control = ControlByWindow(win::ToHandle(focus)))
            return control;
    return nullptr;
}

Control* Form::ControlByWindow(WindowHandle window) const
{
    for (Control* control : m_Controls)
        if (control->hWnd() == window)
            return control;
    return nullptr;
}

Control* Form::OwnerOfWindow(WindowHandle window) const
{
    for (HWND at = H(window); at && at != H(m_hWnd); at = GetParent(at))
        if (Control* control = ControlByWindow(win::ToHandle(at)))
            return control;
    return nullptr;
}

void Form::ChildFocused(WindowHandle window)
{
    m_LastFocus = window;
    ShowDefaultButton();
}

void Form::ShowDefaultButton()
{
    // A focused push button is what Enter presses, and looks it; elsewhere the
    // default button does.
    Control* focused = OwnerOfWindow(win::ToHandle(GetFocus()));
    const bool onButton = focused && focused->TakesEnter();
    for (Control* control : m_Controls)
        if (control->TakesEnter())
            control->ShowAsDefault(onButton ? control == focused : control->IsDefault());
}

Form* Form::OfWindow(WindowHandle window)
{
    HWND root = GetAncestor(H(window), GA_ROOT);
    return IsFormWindow(root) ? reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA)) : nullptr;
}

void Form::RestoreFocus()
{
    HWND last = H(m_LastFocus);
    if (last && IsChild(H(m_hWnd), last) && IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetFocus(last);
        return;
    }
    // The first tab stop in tab order, as the windows were made in that order.
    if (HWND first = GetNextDlgTabItem(H(m_hWnd), nullptr, FALSE))
        SetFocus(first);
}

Control* Form::ControlById(int id) const
{
    for (Control* control : m_Controls)
        if (control->ControlId() == id)
            return control;
    return nullptr;
}

Menu* Form::MenuById(int id) const
{
    for (Menu* menu : m_Menus)
        if (menu->ControlId() == id)
            return menu;
    return nullptr;
}

void Form::MenusChanged()
{
    if (!m_hWnd)
        return;
    // The menu bar shows the visible top-level menus; hidden ones serve as pop-ups.
    HMENU bar = CreateMenu();
    int count = 0;
    for (Menu* menu : m_Menus) {
        if (menu->ParentMenu() || !menu->Visible())
            continue;
        HMENU popup = CreatePopupMenu();
        for (Menu* item : menu->Items())
            if (item->Visible())
                AppendMenuW(popup, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED),
                            static_cast<UINT_PTR>(item->ControlId()), Wide(item->Caption()).c_str());
        AppendMenuW(bar, MF_POPUP | (menu->Enabled() ? 0 : MF_GRAYED), reinterpret_cast<UINT_PTR>(popup),
                    Wide(menu->Caption()).c_str());
        ++count;
    }
    HMENU old = GetMenu(H(m_hWnd));
    SetMenu(H(m_hWnd), count ? bar : nullptr);
    if (!count)
        DestroyMenu(bar);
    if (old)
        DestroyMenu(old);
}

void Form::PopupMenu(Menu& menu, std::optional<float> x, std::optional<float> y)
{
    if (!m_hWnd)
        return;
    HMENU popup = CreatePopupMenu();
    for (Menu* item : menu.Items())
        if (item->Visible()) {
            AppendMenuW(popup, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED),
                        static_cast<UINT_PTR>(item->ControlId()), Wide(item->Caption()).c_str());
            if (item->DefaultItem)
                SetMenuDefaultItem(popup, static_cast<UINT>(item->ControlId()), FALSE);
        }
    POINT at{};
    if (x && y) {
        at = POINT{m_Scale.TwipsToPixelsX(*x), m_Scale.TwipsToPixelsY(*y)};
        ClientToScreen(H(m_hWnd), &at);
    } else {
        GetCursorPos(&at);
    }
    const int chosen = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x,
                                                       at.y, 0, H(m_hWnd), nullptr));
    DestroyMenu(popup);
    if (Menu* item = chosen ? MenuById(chosen) : nullptr)
        if (item->Click)
            item->Click();
}

long long Form::HandleMessage(WindowHandle windowHandle, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    // Messages arrive before CreateWindowEx has returned the handle.
    HWND window = H(windowHandle);
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (lParam) {
            // A disabled control raises nothing, whoever sends the notification.
            if (Control* control = ControlByWindow(static_cast<WindowHandle>(lParam)); control && control->Enabled())
                control->OnCommand(notification);
            return 0;
        }
        if (id == IDCANCEL) {  // Escape, from the dialog keyboard handling
            if (m_Design.EscapeCloses)
                Unload();
            return 0;
        }
        if (id == IDOK) {  // Enter, from the dialog keyboard handling
            for (Control* control : m_Controls)
                if (control->IsDefault() && control->Enabled() && control->Click)
                    control->Click();
            return 0;
        }
        if (Menu* item = MenuById(id); item && item->Click)
            item->Click();
        return 0;
    }
    case DM_GETDEFID:
        for (Control* control : m_Controls)
            if (control->IsDefault() && control->Enabled())
                return MAKELONG(control->ControlId(), DC_HASDEFID);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        HWND child = reinterpret_cast<HWND>(lParam);
        Control* control = ControlByWindow(win::ToHandle(child));
        if (!control)
            control = ControlByWindow(win::ToHandle(GetParent(child)));  // a combo box's edit
        if (!control)
            break;
        return reinterpret_cast<long long>(win::H(control->OnCtlColor(win::ToHandle(dc))));
    }
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(window, &r);
        const Color back = Backdrop(m_Design.BackColor, Surface::Face, CurrentServices().palette);
        FillRect(reinterpret_cast<HDC>(wParam), &r, win::Brush(BrushFor(back)));
        return 1;
    }
    case WM_PAINT:
        win::PaintWindow(window, [this](DcHandle dc) {
            for (Control* control : m_Controls)
                if (!control->Windowed())
                    control->PaintOn(dc);
        });
        return 0;
    case WM_SIZE:
        Form_Resize();
        Tell(&FormListener::FormResized);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            Form_Deactivate();
            Tell(&FormListener::FormDeactivated);
            break;
        }
        Form_Activate();
        Tell(&FormListener::FormActivated);
        if (HIWORD(wParam))  // minimized: no focus to give
            break;
        // Not the form itself, as the default handling would: the control that
        // had the focus, or the first tab stop.
        RestoreFocus();
        return 0;
    case WM_DPICHANGED:
        // Moved to a screen of another DPI: the suggested place keeps the
        // window's size in inches.
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
            const Place outer{suggested->left, suggested->top, suggested->right, suggested->bottom};
            ChangeScale(Scale(LOWORD(wParam), HIWORD(wParam)), &outer);
        }
        return 0;
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE: {
        // The focus mark is never hidden, as Windows hides it from a window
        // the mouse last worked: where the keys go shows for every user. The
        // access-key underlines come and go as the system decides.
        const WORD action = LOWORD(wParam);
        WORD flags = HIWORD(wParam);
        if (action == UIS_SET || action == UIS_INITIALIZE)
            flags &= static_cast<WORD>(~UISF_HIDEFOCUS);
        if (action == UIS_SET && flags == 0)
            return 0;
        return DefWindowProcW(window, message, MAKEWPARAM(action, flags), static_cast<LPARAM>(lParam));
    }
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETHIGHCONTRAST)
            break;
        [[fallthrough]];
    case WM_SYSCOLORCHANGE:
        // Colours are looked up as each window paints; a drawing kept from
        // before is redrawn, and the standard controls hear of it as well.
        for (Control* control : m_Controls)
            control->SystemColorsChanged();
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case WM_CLOSE:
        Close(vbFormControlMenu);
        return 0;
    case WM_QUERYENDSESSION: {
        int cancel = 0;
        Form_QueryUnload(cancel, vbAppWindows);
        return cancel ? FALSE : TRUE;
    }
    case WM_ENDSESSION:
        if (wParam)
            EndSession();
        return 0;
    case kRefocus:
        if (HWND focus = GetFocus(); focus == window || IsChild(window, focus)) {
            SetFocus(nullptr);
            SetFocus(focus);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace ui
