// The controls' windows: creation, mirroring of properties, notifications,
// and the subclass that turns mouse and key messages into control events.
#include "Controls.h"
#include "Form.h"
#include "Scale.h"
#include "Services.h"
#include "Trace_win.h"
#include "WinUtil_win.h"
#include "os/LazyImport_win.h"
#include "os/System.h"
#include "os/Text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

namespace ui {

using os::win::Narrow;
using os::win::Wide;
using win::H;

namespace win {

namespace {
// The em height in pixels a font is drawn at, and whether it is drawn from bitmaps.
struct Drawn {
    int em;
    bool raster;
};
Drawn Measure(HFONT font)
{
    WindowDc screen(nullptr);
    Selection select(screen.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return Drawn{static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading),
                 (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0};
}
}  // namespace

HFONT CreateFontFor(const FontSpec& font, int dpi)
{
    const int height = FontPixels(font.Size, dpi);
    // OEM fonts are fixed-pitch; saying so keeps columns where the named font is missing.
    const DWORD pitch = font.Charset == OEM_CHARSET ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
    const auto make = [&](const std::string& face) {
        return CreateFontW(-height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, FALSE, FALSE,
                           static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           pitch, Wide(face).c_str());
    };
    const std::string face = FaceAtDpi(font.Name, font.Size, dpi);
    HFONT made = Traced(make(face), "CreateFontW");
    // A bitmap font with no size as large as asked for stays small (Wine's
    // MS Sans Serif ends at 16 pixels of em): its outline design grows. At the
    // design's DPI every size the windows use exists.
    if (made && dpi != kDesignDpi && face == "MS Sans Serif") {
        const Drawn drawn = Measure(made);
        if (drawn.raster && drawn.em * 10 < height * 9) {
            DeleteObject(made);
            made = make("Microsoft Sans Serif");
        }
    }
    return made;
}

int SystemMetric(int index, int dpi)
{
    // Windows 10 1607 on; before it the system's metric is for the system's
    // DPI, and is scaled from it.
    static auto* forDpi = os::LazyImport<int WINAPI(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

int WindowDpi(HWND window)
{
    static auto* get = os::LoadedImport<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
    return get ? static_cast<int>(get(window)) : 0;
}

HBITMAP BitmapOfPixels(int width, int height, const std::uint32_t* pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the pixels are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;  // B, G, R and an unused byte: 0x00RRGGBB in memory order
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = Traced(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), "CreateDIBSection");
    if (bitmap)
        std::copy(pixels, pixels + static_cast<std::size_t>(width) * height, static_cast<std::uint32_t*>(bits));
    return bitmap;
}

int SystemDpi() { return GetDeviceCaps(WindowDc(nullptr).Get(), LOGPIXELSY); }

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi)
{
    static auto* adjust =
        os::LoadedImport<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, menu, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, menu, exStyle);
}

HICON LoadIconResource(int id, int size)
{
    // Each size once for the life of the program. Shared icons would not do:
    // the system hands back the first size loaded for every later one.
    static std::map<std::pair<int, int>, HICON> loaded;
    HICON& icon = loaded[{id, size}];
    if (!icon)
        icon = Traced(static_cast<HICON>(
                          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)),
                      "LoadImageW (icon)");
    return icon;
}

void UseCommonControls()
{
    static const bool initialised = [] {
        // Wine's common controls and themes load these late: ole32, and
        // msimg32 for the pictures they blend.
        os::LoadBeforeWinesOwnLateLoads(L"ole32.dll");
        os::LoadBeforeWinesOwnLateLoads(L"msimg32.dll");
        static auto* initialise =
            os::LazyImport<decltype(InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return initialise && Traced(initialise(&controls), "InitCommonControlsEx") != FALSE;
    }();
    (void)initialised;  // without it the standard controls still work; only the extra classes are missing
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, LPCWSTR cursor)
{
    static std::set<std::wstring> registered;
    if (registered.count(name))
        return true;
    WNDCLASSW windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor ? LoadCursorW(nullptr, cursor) : nullptr;
    windowClass.lpszClassName = name;
    if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    registered.insert(name);
    return true;
}

void SetWindowRegion(HWND window, HRGN region)
{
    // Setting a region is a frame change of the window (under Wine about as
    // dear as a move), however little it changes: the region the window
    // already has is not set again.
    if (region) {
        GdiObject<HRGN> current(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, current.Get()) != ERROR && EqualRgn(current.Get(), region)) {
            DeleteObject(region);
            return;
        }
    }
    if (!Traced(SetWindowRgn(window, region, TRUE), "SetWindowRgn"))
        DeleteObject(region);
}

int ShiftState()
{
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        shift |= vbAltMask;
    return shift;
}

int MouseButtons(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? vbLeftButton : 0) | ((keys & MK_RBUTTON) ? vbRightButton : 0) |
           ((keys & MK_MBUTTON) ? vbMiddleButton : 0);
}

}  // namespace win

namespace {

using win::ShiftState;

void FireMouse(const Control& control, const std::function<void(int, int, float, float)>& event, int button,
               LPARAM lParam)
{
    if (!event)
        return;
    const Scale& scale = control.DisplayScale();
    const float x = static_cast<float>(static_cast<short>(LOWORD(lParam)) * scale.TwipsPerPixelX());
    const float y = static_cast<float>(static_cast<short>(HIWORD(lParam)) * scale.TwipsPerPixelY());
    event(button, ShiftState(), x, y);
}

// Mouse and key messages of a control's window (or of a combo box's edit) become
// the control's events; a key press set to 0 never reaches the window.
LRESULT ControlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* control = reinterpret_cast<Control*>(data);
    if (const auto answer = win::AccessibilityMessage(*control, window, message, wParam, lParam))
        return *answer;
    switch (message) {
    case WM_CHAR:
        if (control->KeyPress) {
            int keyAscii = static_cast<int>(wParam);
            control->KeyPress(keyAscii);
            if (keyAscii == 0)
                return 0;
            wParam = static_cast<WPARAM>(keyAscii);
        }
        break;
    case WM_GETDLGCODE:
        // Enter goes to a control that acts on it, not to the dialog manager,
        // which would press the default button.
        if (const auto* queued = reinterpret_cast<const MSG*>(lParam);
            queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN && control->WantsEnterKey())
            return win::DefSubclass(window, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        auto& event = message == WM_KEYDOWN ? control->KeyDown : control->KeyUp;
        if (event) {
            int keyCode = static_cast<int>(wParam);
            event(keyCode, ShiftState());
            if (keyCode == 0)
                return 0;
        }
        if (message == WM_KEYDOWN && wParam == VK_RETURN && control->WantsEnterKey()) {
            control->OnEnterKey();
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const LRESULT result = win::DefSubclass(window, message, wParam, lParam);
        const int button = message == WM_LBUTTONDOWN ? vbLeftButton
                           : message == WM_RBUTTONDOWN ? vbRightButton
                                                       : vbMiddleButton;
        FireMouse(*control, control->MouseDown, button, lParam);
        return result;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const LRESULT result = win::DefSubclass(window, message, wParam, lParam);
        const int button = message == WM_LBUTTONUP ? vbLeftButton
                           : message == WM_RBUTTONUP ? vbRightButton
                                                     : vbMiddleButton;
        FireMouse(*control, control->MouseUp, button, lParam);
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (message == WM_SETFOCUS)
            control->Parent().ChildFocused(win::ToHandle(window));
        // A combo box's text never hides its selection: selected whole while
        // the box has the focus, as the focus mark, and deselected once the
        // focus has left, so that it never looks like a second focus.
        if (window != H(control->hWnd()) && GetParent(window) == H(control->hWnd())) {
            const LRESULT result = win::DefSubclass(window, message, wParam, lParam);
            SendMessageW(window, EM_SETSEL, message == WM_SETFOCUS ? 0 : static_cast<WPARAM>(-1),
                         message == WM_SETFOCUS ? -1 : 0);
            return result;
        }
        break;
    case WM_CONTEXTMENU:
        // From the keyboard the point is (-1, -1); a mouse's right click has
        // been the control's MouseDown already.
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1 && control->ContextMenuKey) {
            control->ContextMenuKey();
            return 0;
        }
        break;
    default:
        break;
    }
    return win::DefSubclass(window, message, wParam, lParam);
}

// What the user sees in a box, which may differ from the text last set.
std::string WindowText(WindowHandle window)
{
    const int length = GetWindowTextLengthW(H(window));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(H(window), text.data(), length + 1)));
    return Narrow(text);
}

RECT PixelRect(const Control& control)
{
    const Scale& scale = control.DisplayScale();
    const int left = scale.TwipsToPixelsX(control.Left());
    const int top = scale.TwipsToPixelsY(control.Top());
    return RECT{left, top, left + scale.TwipsToPixelsX(control.Width()), top + scale.TwipsToPixelsY(control.Height())};
}

}  // namespace

// ---- Control ---------------------------------------------------------------

Control::Control(Form& form, std::string name) : m_Form(form), m_Name(std::move(name)), m_Font(form.Font())
{
    m_Id = form.NextControlId();
    form.Register(*this);
}

Control::Control(Form& form, std::string name, Piece) : m_Form(form), m_Name(std::move(name)), m_Font(form.Font())
{
    m_Id = form.NextControlId();
}

Control::~Control()
{
    m_Form.Unregister(*this);
    DestroyOwnWindow();
}

WindowHandle Control::CreateChild(WindowHandle parentWindow, const char* className, const char* text, unsigned long style,
                            unsigned long exStyle)
{
    RECT r = PixelRect(*this);
    r.bottom += ExtraHeight();
    win::UseCommonControls();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (m_Visible)
        style |= WS_VISIBLE;
    if (!m_Enabled)
        style |= WS_DISABLED;
    HWND window = CreateWindowExW(exStyle, Wide(className).c_str(), Wide(text).c_str(), style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, H(parentWindow), reinterpret_cast<HMENU>(m_Id),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return {};
    m_hWnd = win::ToHandle(window);
    win::Subclass(window, ControlSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    ApplyFont();
    return m_hWnd;
}

bool Control::CreateWindowIn(WindowHandle) { return true; }

void Control::DestroyWindowOf() { DestroyOwnWindow(); }

void Control::DestroyOwnWindow()
{
    if (m_hWnd) {
        DestroyWindow(H(m_hWnd));
        m_hWnd = {};
    }
    m_FontHandle = {};  // the form's
}

void Control::PaintOn(DcHandle) const {}

void Control::ScaleChanged()
{
    if (!m_hWnd)
        return;
    const RECT r = PixelRect(*this);
    MoveWindow(H(m_hWnd), r.left, r.top, r.right - r.left, r.bottom - r.top + ExtraHeight(), TRUE);
    ApplyFont();
}

const Scale& Control::DisplayScale() const { return m_Form.DisplayScale(); }

void Control::OnCommand(int) {}

GdiHandle Control::OnCtlColor(DcHandle dc)
{
    // Read-only boxes keep the look of boxes one can type in.
    const TextColors drawn =
        Readable(m_ForeColor, m_BackColor, Surface::Window, m_Enabled, CurrentServices().palette);
    SetTextColor(win::H(dc), win::ToColorRef(drawn.text));
    SetBkColor(win::H(dc), win::ToColorRef(drawn.back));
    return m_Form.BrushFor(drawn.back);
}

namespace {
// Labels and pictures draw their text over their own back colour's brush.
GdiHandle TransparentText(Form& form, DcHandle dc, Color foreColor, Color backColor, bool enabled)
{
    const TextColors drawn = Readable(foreColor, backColor, Surface::Face, enabled, CurrentServices().palette);
    SetTextColor(win::H(dc), win::ToColorRef(drawn.text));
    SetBkMode(win::H(dc), TRANSPARENT);
    return form.BrushFor(drawn.back);
}
}  // namespace

void Control::ApplyFont()
{
    if (!m_hWnd)
        return;
    FontSpec font = m_Font;
    if (m_AnyScript && font.Name == "MS Sans Serif")
        font.Name = "Microsoft Sans Serif";  // the same design in TrueType, linked to the CJK fonts
    m_FontHandle = m_Form.FontFor(font);
    // A window not on screen is drawn in its font when it first shows; redrawing
    // it now would only cost a repaint of nothing.
    HWND window = H(m_hWnd);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(win::Font(m_FontHandle)), IsWindowVisible(window));
}

void Control::Shows(std::string_view text)
{
    if (m_AnyScript || text::IsAscii(text) || os::Current().codePage.ToAnsi(text))
        return;
    m_AnyScript = true;
    ApplyFont();
}

void Control::Invalidate() const
{
    if (!m_Form.Loaded())
        return;
    if (m_hWnd) {
        InvalidateRect(H(m_hWnd), nullptr, TRUE);
    } else {
        RECT r = PixelRect(*this);
        InflateRect(&r, 1, 1);
        InvalidateRect(H(m_Form.hWnd()), &r, TRUE);
    }
}

void Control::Move(int left, int top, int width, int height)
{
    // The same place again changes nothing on screen (a window move costs a
    // round trip to the window system however little it changes).
    if (left == m_Left && top == m_Top && width == m_Width && height == m_Height)
        return;
    Invalidate();
    m_Left = left;
    m_Top = top;
    m_Width = width;
    m_Height = height;
    if (m_hWnd) {
        const RECT r = PixelRect(*this);
        MoveWindow(H(m_hWnd), r.left, r.top, r.right - r.left, r.bottom - r.top + ExtraHeight(), TRUE);
    }
    Invalidate();
}

int Control::ShownWidth() const
{
    RECT r{};
    if (!m_hWnd || !GetWindowRect(H(m_hWnd), &r))
        return m_Width;
    return static_cast<int>(std::lround((r.right - r.left) * DisplayScale().TwipsPerPixelX()));
}

int Control::ShownHeight() const
{
    RECT r{};
    if (!m_hWnd || !GetWindowRect(H(m_hWnd), &r))
        return m_Height;
    return static_cast<int>(std::lround((r.bottom - r.top) * DisplayScale().TwipsPerPixelY()));
}

void Control::Visible(bool New_Visible)
{
    m_Visible = New_Visible;
    if (m_hWnd)
        ShowWindow(H(m_hWnd), New_Visible ? SW_SHOWNA : SW_HIDE);
    else
        Invalidate();
}

void Control::Enabled(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    if (m_hWnd)
        EnableWindow(H(m_hWnd), New_Enabled);
}

void Control::ToolTipText(const std::string& New_ToolTipText)
{
    m_ToolTipText = New_ToolTipText;
    m_Form.ToolTipChanged(*this);
}

void Control::Font(const FontSpec& New_Font)
{
    m_Font = New_Font;
    ApplyFont();
}

void Control::BackColor(Color New_BackColor)
{
    m_BackColor = New_BackColor;
    Invalidate();
}

void Control::ForeColor(Color New_ForeColor)
{
    m_ForeColor = New_ForeColor;
    Invalidate();
}

void Control::SetFocus()
{
    if (m_hWnd)
        ::SetFocus(H(m_hWnd));
}

void Control::Refresh()
{
    if (m_hWnd)
        UpdateWindow(H(m_hWnd));
}

// ---- ListBox ---------------------------------------------------------------

ListBox::ListBox(Form& form, std::string name) : Control(form, std::move(name))
{
    m_BackColor = vbWindowBackground;
    m_ForeColor = vbWindowText;
}

bool ListBox::CreateWindowIn(WindowHandle parentWindow)
{
    // The horizontal bar shows only while a line is wider than the list.
    DWORD style = WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (UseTabStops)
        style |= LBS_USETABSTOPS;
    if (!CreateChild(parentWindow, "LISTBOX", "", style, WS_EX_CLIENTEDGE))
        return false;
    for (const auto& item : m_Items)
        SendMessageW(H(m_hWnd), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    SendMessageW(H(m_hWnd), LB_SETCURSEL, static_cast<WPARAM>(m_ListIndex), 0);
    MeasureAll();
    return true;
}

int ListBox::WidthOf(const std::string& item) const
{
    const win::MemoryDc dc;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(H(m_hWnd), WM_GETFONT, 0, 0));
    const win::Selection selected(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const std::wstring text = Wide(item);
    // Tabs at the default stops, which lie beyond any the program sets: a
    // line is never measured short.
    const DWORD extent = GetTabbedTextExtentW(dc.Get(), text.c_str(), static_cast<int>(text.size()), 0, nullptr);
    return LOWORD(extent) + 2 * win::SystemMetric(SM_CXEDGE, DisplayScale().DpiX());
}

void ListBox::FitScrollWidth(int width)
{
    m_ScrollWidth = width;
    SendMessageW(H(m_hWnd), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void ListBox::MeasureAll()
{
    int widest = 0;
    for (const auto& item : m_Items)
        widest = std::max(widest, WidthOf(item));
    FitScrollWidth(widest);
}

void ListBox::AddItem(const std::string& item)
{
    Shows(item);
    m_Items.push_back(item);
    if (!m_hWnd)
        return;
    SendMessageW(H(m_hWnd), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    if (const int width = WidthOf(item); width > m_ScrollWidth)
        FitScrollWidth(width);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    m_Items.erase(m_Items.begin() + index);
    if (m_hWnd) {
        SendMessageW(H(m_hWnd), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        MeasureAll();
    }
    if (m_ListIndex == index)
        m_ListIndex = -1;
    else if (m_ListIndex > index)
        --m_ListIndex;
}

void ListBox::Clear()
{
    m_Items.clear();
    m_ListIndex = -1;
    if (m_hWnd) {
        SendMessageW(H(m_hWnd), LB_RESETCONTENT, 0, 0);
        FitScrollWidth(0);
    }
}

std::string ListBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? m_Items[static_cast<std::size_t>(index)] : std::string();
}

int ListBox::ListIndex() const
{
    if (m_hWnd)
        return static_cast<int>(SendMessageW(H(m_hWnd), LB_GETCURSEL, 0, 0));
    return m_ListIndex;
}

void ListBox::ListIndex(int New_ListIndex)
{
    m_ListIndex = New_ListIndex >= 0 && New_ListIndex < ListCount() ? New_ListIndex : -1;
    if (m_hWnd)
        SendMessageW(H(m_hWnd), LB_SETCURSEL, static_cast<WPARAM>(m_ListIndex), 0);
}

std::string ListBox::Text() const { return List(ListIndex()); }

int ListBox::ItemAt(float x, float y) const
{
    if (!m_hWnd)
        return -1;
    const LPARAM at = MAKELPARAM(static_cast<int>(x / DisplayScale().TwipsPerPixelX()), static_cast<int>(y / DisplayScale().TwipsPerPixelY()));
    const LRESULT found = SendMessageW(H(m_hWnd), LB_ITEMFROMPOINT, 0, at);
    // The high word says the point lies outside every item (below the last one).
    return HIWORD(found) ? -1 : static_cast<int>(LOWORD(found));
}

std::optional<std::pair<float, float>> ListBox::ItemPlace(int index) const
{
    RECT r{};
    if (!m_hWnd || SendMessageW(H(m_hWnd), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) ==
                       LB_ERR)
        return std::nullopt;
    POINT at{r.left, r.bottom};
    MapWindowPoints(H(m_hWnd), H(m_Form.hWnd()), &at, 1);
    const Scale& scale = DisplayScale();
    return std::pair{static_cast<float>(at.x * scale.TwipsPerPixelX()), static_cast<float>(at.y * scale.TwipsPerPixelY())};
}

void ListBox::OnEnterKey()
{
    if (ListIndex() >= 0 && DblClick)
        DblClick();
}

void ListBox::OnCommand(int notification)
{
    if (notification == LBN_SELCHANGE) {
        m_ListIndex = ListIndex();
        if (Click)
            Click();
    } else if (notification == LBN_DBLCLK && DblClick) {
        // A double click below the last line is on no line: nothing to act on.
        const DWORD where = GetMessagePos();
        POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
        ScreenToClient(H(m_hWnd), &at);
        if (!HIWORD(SendMessageW(H(m_hWnd), LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y))))
            DblClick();
    }
}

// ---- ComboBox --------------------------------------------------------------

ComboBox::ComboBox(Form& form, std::string name) : Control(form, std::move(name))
{
    m_BackColor = vbWindowBackground;
    m_ForeColor = vbWindowText;
}

bool ComboBox::CreateWindowIn(WindowHandle parentWindow)
{
    if (!CreateChild(parentWindow, "COMBOBOX", "", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0))
        return false;
    for (const auto& item : m_Items)
        SendMessageW(H(m_hWnd), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    if (!m_Text.empty())
        SetWindowTextW(H(m_hWnd), Wide(m_Text).c_str());
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(H(m_hWnd), &info) && info.hwndItem) {
        m_Edit = win::ToHandle(info.hwndItem);
        if (Locked)
            SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
        win::Subclass(info.hwndItem, ControlSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    FitItems();
    return true;
}

void ComboBox::AddItem(const std::string& item)
{
    Shows(item);
    m_Items.push_back(item);
    if (m_hWnd) {
        SendMessageW(H(m_hWnd), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
        FitItems();
    }
}

void ComboBox::AddItems(const std::vector<std::string>& items)
{
    for (const auto& item : items)
        Shows(item);
    m_Items.insert(m_Items.end(), items.begin(), items.end());
    if (!m_hWnd || items.empty())
        return;
    // Each item added to a list that redraws updates its scroll bar, a window
    // operation of its own; with redrawing off the list is updated once.
    HWND window = H(m_hWnd);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    for (const auto& item : items)
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    FitItems();
}

// The window's height includes its drop-down list, at every scale.
int ComboBox::ExtraHeight() const { return DisplayScale().Pixels(kDropDownHeight); }

void ComboBox::ScaleChanged()
{
    Control::ScaleChanged();
    FitItems();
}

void ComboBox::FitItems()
{
    if (!m_hWnd || m_Items.empty())
        return;
    HWND window = H(m_hWnd);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(window, &info))
        return;
    const win::WindowDc dc(window);
    const win::Selection font(dc.Get(), win::Font(m_FontHandle));
    LONG widest = 0;
    for (const std::string& item : m_Items) {
        const std::wstring text = Wide(item);
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    // The room the edit shows text in, within its margins, less its caret.
    RECT format = info.rcItem;
    if (info.hwndItem)
        SendMessageW(info.hwndItem, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const LONG room = format.right - format.left - DisplayScale().Pixels(2);
    if (widest <= room)
        return;
    RECT now{};
    GetWindowRect(window, &now);
    SetWindowPos(window, nullptr, 0, 0, now.right - now.left + widest - room, now.bottom - now.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::Clear()
{
    m_Items.clear();
    m_Text.clear();
    if (m_hWnd) {
        SendMessageW(H(m_hWnd), CB_RESETCONTENT, 0, 0);
        SetWindowTextW(H(m_hWnd), L"");
    }
}

std::string ComboBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? m_Items[static_cast<std::size_t>(index)] : std::string();
}

std::string ComboBox::Text() const
{
    return m_hWnd ? WindowText(m_hWnd) : m_Text;
}

void ComboBox::Text(const std::string& New_Text)
{
    Shows(New_Text);
    m_Text = New_Text;
    if (m_hWnd)
        SetWindowTextW(H(m_hWnd), Wide(New_Text).c_str());
}

int ComboBox::ListIndex() const
{
    const auto found = std::find(m_Items.begin(), m_Items.end(), Text());
    return found == m_Items.end() ? -1 : static_cast<int>(found - m_Items.begin());
}

void ComboBox::ListIndex(int New_ListIndex)
{
    if (New_ListIndex < 0 || New_ListIndex >= ListCount())
        return;
    m_Text = List(New_ListIndex);
    if (!m_hWnd)
        return;
    SendMessageW(H(m_hWnd), CB_SETCURSEL, static_cast<WPARAM>(New_ListIndex), 0);
    // The text shows selected while the box has the focus, as it does when picked.
    if (HWND edit = H(m_Edit); edit && GetFocus() == edit)
        SendMessageW(edit, EM_SETSEL, 0, -1);
}

void ComboBox::OnCommand(int notification)
{
    if (notification == CBN_SELCHANGE) {
        const auto index = SendMessageW(H(m_hWnd), CB_GETCURSEL, 0, 0);
        m_Text = List(static_cast<int>(index));
        if (Click)
            Click();
    }
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox(Form& form, std::string name) : Control(form, std::move(name))
{
    m_BackColor = vbWindowBackground;
    m_ForeColor = vbWindowText;
}

bool TextBox::CreateWindowIn(WindowHandle parentWindow)
{
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (MultiLine)
        style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (Locked)
        style |= ES_READONLY;
    return static_cast<bool>(CreateChild(parentWindow, "EDIT", m_Text.c_str(), style, WS_EX_CLIENTEDGE));
}

std::string TextBox::Text() const
{
    return m_hWnd ? WindowText(m_hWnd) : m_Text;
}

void TextBox::Text(const std::string& New_Text)
{
    Shows(New_Text);
    m_Text = New_Text;
    if (m_hWnd)
        SetWindowTextW(H(m_hWnd), Wide(New_Text).c_str());
}

// ---- CommandButton ---------------------------------------------------------

CommandButton::CommandButton(Form& form, std::string name) : Control(form, std::move(name)) {}

bool CommandButton::CreateWindowIn(WindowHandle parentWindow)
{
    DWORD style = WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    const bool pictureOnly = Picture && m_Caption.empty();
    if (pictureOnly)
        style |= BS_ICON;
    if (!CreateChild(parentWindow, "BUTTON", (pictureOnly ? PictureName : m_Caption).c_str(), style, 0))
        return false;
    ShowPicture();
    return true;
}

void CommandButton::ShowPicture()
{
    if (!Picture || !m_hWnd)
        return;
    // The design's 32 or 16 pixels by the button's design size, at the form's scale.
    const int designSide = std::min(m_Width, m_Height) / kDesignTwipsPerPixel;
    const int size = DisplayScale().Pixels(designSide >= 36 ? 32 : 16);
    SendMessageW(H(m_hWnd), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(win::LoadIconResource(Picture, size)));
}

void CommandButton::ScaleChanged()
{
    Control::ScaleChanged();
    ShowPicture();
}

void CommandButton::ShowAsDefault(bool asDefault)
{
    if (!m_hWnd)
        return;
    const LONG_PTR style = GetWindowLongPtrW(H(m_hWnd), GWL_STYLE);
    const bool shown = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (shown != asDefault)
        SendMessageW(H(m_hWnd), BM_SETSTYLE, asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void CommandButton::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    if (m_hWnd)
        SetWindowTextW(H(m_hWnd), Wide(New_Caption).c_str());
}

char CommandButton::AccessKey() const { return text::AccessKeyOf(m_Caption.empty() ? PictureName : m_Caption); }

void CommandButton::OnAccessKey()
{
    if (m_Enabled && Click)
        Click();
}

AccessibleFace CommandButton::Accessible(WindowHandle window) const
{
    AccessibleFace face = Control::Accessible(window);
    if (face.name.empty() && m_Caption.empty() && !PictureName.empty()) {
        face.name = text::WithoutAccessMarks(PictureName);
        face.accessKey = AccessKey();
    }
    return face;
}

void CommandButton::OnCommand(int notification)
{
    if (notification == BN_CLICKED && Click)
        Click();
}

// ---- CheckBox --------------------------------------------------------------

CheckBox::CheckBox(Form& form, std::string name) : Control(form, std::move(name))
{
    m_BackColor = form.BackColor();
    m_ForeColor = vbButtonText;
}

bool CheckBox::CreateWindowIn(WindowHandle parentWindow)
{
    if (!CreateChild(parentWindow, "BUTTON", m_Caption.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, 0))
        return false;
    SendMessageW(H(m_hWnd), BM_SETCHECK, m_Value ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

void CheckBox::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    if (m_hWnd)
        SetWindowTextW(H(m_hWnd), Wide(New_Caption).c_str());
}

void CheckBox::Value(bool New_Value)
{
    m_Value = New_Value;
    if (m_hWnd)
        SendMessageW(H(m_hWnd), BM_SETCHECK, New_Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(int notification)
{
    if (notification != BN_CLICKED)
        return;
    m_Value = SendMessageW(H(m_hWnd), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Click)
        Click();
}

GdiHandle CheckBox::OnCtlColor(DcHandle dc) { return TransparentText(m_Form, dc, m_ForeColor, m_BackColor, m_Enabled); }

char CheckBox::AccessKey() const { return text::AccessKeyOf(m_Caption); }

// As the dialog manager does: the box takes the focus and its tick changes.
void CheckBox::OnAccessKey()
{
    if (!m_Enabled || !m_hWnd)
        return;
    ::SetFocus(H(m_hWnd));
    SendMessageW(H(m_hWnd), BM_CLICK, 0, 0);
}

// ---- Label -----------------------------------------------------------------

Label::Label(Form& form, std::string name) : Control(form, std::move(name))
{
    m_BackColor = form.BackColor();
    m_ForeColor = vbButtonText;
}

bool Label::CreateWindowIn(WindowHandle parentWindow)
{
    const DWORD path = PathEllipsis ? SS_PATHELLIPSIS | SS_NOPREFIX : 0;
    if (!CreateChild(parentWindow, "STATIC", m_Caption.c_str(), SS_LEFT | SS_NOTIFY | path, 0))
        return false;
    FitCaption();
    return true;
}

void Label::Move(int left, int top, int width, int height)
{
    Control::Move(left, top, width, height);
    FitCaption();
}

void Label::ScaleChanged()
{
    Control::ScaleChanged();
    FitCaption();
}

void Label::FitCaption()
{
    if (!m_hWnd || m_Caption.empty() || PathEllipsis)
        return;
    HWND window = H(m_hWnd);
    const win::WindowDc dc(window);
    const win::Selection font(dc.Get(), win::Font(m_FontHandle));
    RECT text{0, 0, 0, 0};
    const std::wstring caption = Wide(m_Caption);
    DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE);
    const RECT placed = PixelRect(*this);
    const int width = std::max<int>(placed.right - placed.left, text.right);
    const int height = std::max<int>(placed.bottom - placed.top, text.bottom);
    RECT now{};
    GetWindowRect(window, &now);
    if (width != now.right - now.left || height != now.bottom - now.top)
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

GdiHandle Label::OnCtlColor(DcHandle dc) { return TransparentText(m_Form, dc, m_ForeColor, m_BackColor, m_Enabled); }

void Label::Caption(const std::string& New_Caption)
{
    m_Caption = New_Caption;
    if (m_hWnd) {
        SetWindowTextW(H(m_hWnd), Wide(New_Caption).c_str());
        FitCaption();
    }
}

// ---- PictureBox ------------------------------------------------------------

bool PictureBox::CreateWindowIn(WindowHandle parentWindow)
{
    return static_cast<bool>(CreateChild(parentWindow, "STATIC", "", SS_NOTIFY, 0));
}

GdiHandle PictureBox::OnCtlColor(DcHandle dc)
{
    return TransparentText(m_Form, dc, m_ForeColor, m_BackColor, m_Enabled);
}

// ---- Windowless controls -----------------------------------------------------

void Image::PaintOn(DcHandle dc) const
{
    if (!m_Visible || !Picture)
        return;
    const int size = DisplayScale().Pixels(PictureSize);
    if (HICON icon = win::LoadIconResource(Picture, size))
        DrawIconEx(win::H(dc), DisplayScale().TwipsToPixelsX(m_Left), DisplayScale().TwipsToPixelsY(m_Top), icon, size,
                   size, 0, nullptr, DI_NORMAL);
}

void Shape::PaintOn(DcHandle dc) const
{
    if (!m_Visible)
        return;
    HDC hdc = win::H(dc);
    const RECT r = PixelRect(*this);
    // In high contrast a shape is the system's window text on its face.
    Palette& palette = CurrentServices().palette;
    const Color border = palette.HighContrast() ? vbWindowText : BorderColor;
    win::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, win::ToColorRef(border)));
    win::GdiObject<HBRUSH> brush(
        Filled ? CreateSolidBrush(win::ToColorRef(Backdrop(FillColor, Surface::Face, palette))) : nullptr);
    win::Selection selectPen(hdc, pen.Get());
    win::Selection selectBrush(hdc, Filled ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
}

void Line::PaintOn(DcHandle dc) const
{
    if (!m_Visible)
        return;
    HDC hdc = win::H(dc);
    win::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, win::ToColorRef(BorderColor)));
    win::Selection selectPen(hdc, pen.Get());
    MoveToEx(hdc, DisplayScale().TwipsToPixelsX(X1), DisplayScale().TwipsToPixelsY(Y1), nullptr);
    LineTo(hdc, DisplayScale().TwipsToPixelsX(X2), DisplayScale().TwipsToPixelsY(Y2));
}

void Frame::PaintOn(DcHandle dc) const
{
    if (!m_Visible)
        return;
    HDC hdc = win::H(dc);
    RECT r = PixelRect(*this);
    DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
    if (!Caption.empty()) {
        win::Selection selectFont(hdc, win::Font(m_Form.FontFor(m_Font)));
        const TextColors drawn =
            Readable(m_ForeColor, m_Form.BackColor(), Surface::Face, m_Enabled, CurrentServices().palette);
        SetBkColor(hdc, win::ToColorRef(drawn.back));
        SetTextColor(hdc, win::ToColorRef(drawn.text));
        const std::wstring caption = Wide(Caption);
        // The caption sits on the frame's top line, inset as the design has it.
        TextOutW(hdc, r.left + DisplayScale().Pixels(8), r.top - DisplayScale().Pixels(6), caption.c_str(),
                 static_cast<int>(caption.size()));
    }
}

// ---- Timer -----------------------------------------------------------------

Timer::~Timer() { DestroyWindowOf(); }

bool Timer::CreateWindowIn(WindowHandle parentWindow)
{
    m_FormWindow = parentWindow;
    return Restart();
}

void Timer::DestroyWindowOf()
{
    if (m_FormWindow)
        CurrentServices().timers.Kill(m_FormWindow, static_cast<std::uintptr_t>(m_Id));
    m_FormWindow = {};
}

void Timer::OnSystemTick(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t)
{
    if (Tick)
        Tick();
}

void Timer::Interval(int New_Interval)
{
    m_Interval = New_Interval;
    Restart();
}

void Timer::Enabled(bool New_Enabled)
{
    m_Enabled = New_Enabled;
    Restart();
}

bool Timer::Restart()
{
    if (!m_FormWindow)
        return true;
    auto& timers = CurrentServices().timers;
    const auto id = static_cast<std::uintptr_t>(m_Id);
    timers.Kill(m_FormWindow, id);
    if (!m_Enabled || m_Interval <= 0)
        return true;
    return timers.Set(m_FormWindow, id, static_cast<std::uint32_t>(m_Interval), *this).has_value();
}

// ---- Menu ------------------------------------------------------------------

Menu::Menu(Form& form, std::string name, std::string caption, Menu* parentMenu)
    : Control(form, std::move(name)), m_Caption(std::move(caption)), m_ParentMenu(parentMenu)
{
    form.RegisterMenu(*this);
    if (parentMenu)
        parentMenu->m_Items.push_back(this);
}

Menu::~Menu() { m_Form.UnregisterMenu(*this); }

void Menu::Visible(bool New_Visible)
{
    m_Visible = New_Visible;
    m_Form.MenusChanged();
}

}  // namespace ui
