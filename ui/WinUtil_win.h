#pragma once
// Small Win32 helpers shared by the toolkit's *_win.cpp files.
#include "Accessible_win.h"
#include "Controls.h"
#include "Scale.h"
#include "UiTypes.h"
#include "os/Owned.h"
#include "os/WideText_win.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

namespace ui::win {

// Our handle types and the system's, both ways.
inline HWND H(WindowHandle handle) { return reinterpret_cast<HWND>(handle.Value()); }
inline HDC H(DcHandle handle) { return reinterpret_cast<HDC>(handle.Value()); }
inline HGDIOBJ H(GdiHandle handle) { return reinterpret_cast<HGDIOBJ>(handle.Value()); }
inline HFONT Font(GdiHandle handle) { return static_cast<HFONT>(H(handle)); }
inline HBRUSH Brush(GdiHandle handle) { return static_cast<HBRUSH>(H(handle)); }
inline WindowHandle ToHandle(HWND window) { return WindowHandle{reinterpret_cast<std::uintptr_t>(window)}; }
inline DcHandle ToHandle(HDC dc) { return DcHandle{reinterpret_cast<std::uintptr_t>(dc)}; }
inline GdiHandle ToHandle(HGDIOBJ object) { return GdiHandle{reinterpret_cast<std::uintptr_t>(object)}; }

// A colour value as GDI takes it, system colours resolved.
inline COLORREF ToColorRef(Color color)
{
    return IsSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color & 0xFFFFFF);
}

// Owns one GDI object and deletes it.
inline void DeleteGdi(HGDIOBJ object) { DeleteObject(object); }
template <typename T>
using GdiObject = os::Owned<T, DeleteGdi>;

// Selects an object into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_Dc(dc), m_Old(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(m_Dc, m_Old); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Old;
};

// A memory DC compatible with another DC (the screen's when none), deleted at
// the end of its scope.
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
class MemoryDc : public os::Owned<HDC, DeleteMemoryDc> {
public:
    explicit MemoryDc(HDC like = nullptr) : Owned(CreateCompatibleDC(like)) {}
};

// A window's DC (the screen's for none), released at the end of its scope.
inline void ReleaseWindowDc(HWND window, HDC dc) { ReleaseDC(window, dc); }
class WindowDc : public os::Owned<HDC, ReleaseWindowDc, os::NoHandle<HDC>, HWND> {
public:
    explicit WindowDc(HWND window) : Owned(GetDC(window), window) {}
};

// The DPI of the screen the window is on, where the system tells it per
// window (Windows 10 1607 on); 0 where it does not.
int WindowDpi(HWND window);
// The system's DPI, the one the program read as it started.
int SystemDpi();
// A system metric (GetSystemMetrics) for a window of that DPI.
int SystemMetric(int index, int dpi);
// The outer rectangle of a window of that client rectangle, styles and DPI;
// at the system's DPI where the system cannot size frames per DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// A font made for a window of that DPI.
HFONT CreateFontFor(const FontSpec& font, int dpi);
// A bitmap of width x height pixels given as 0x00RRGGBB, rows top-down; null
// when the system refused it.
HBITMAP BitmapOfPixels(int width, int height, const std::uint32_t* pixels);
HICON LoadIconResource(int id, int size);

// The window procedure of a class whose windows each belong to one object: the
// object handed to CreateWindowEx is kept with the window and gets every message
// through Handler until the window is gone.
template <typename T, long long (T::*Handler)(WindowHandle, unsigned, std::uintptr_t, std::intptr_t)>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if constexpr (std::is_base_of_v<Control, T>)
        if (const auto answer = AccessibilityMessage(*object, window, message, wParam, lParam))
            return *answer;
    return static_cast<LRESULT>((object->*Handler)(ToHandle(window), message, wParam, lParam));
}

// Subclassing as comctl32's SetWindowSubclass does it: each procedure of a
// window's chain gets the message first, the last added first, and hands it on
// with DefSubclass. comctl32 looks the chain up in a window property on every
// message, which under Wine is a round trip to the server, twice per message;
// this chain is kept in the process. A chain ends with its window.
using SubclassProc = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, UINT_PTR id, DWORD_PTR data);
bool Subclass(HWND window, SubclassProc procedure, UINT_PTR id, DWORD_PTR data);
void RemoveSubclass(HWND window, SubclassProc procedure, UINT_PTR id);
// Only from inside a SubclassProc: the rest of the chain, then the window's own procedure.
LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Loads the common-controls library (the one the program's manifest names) and
// registers its classes, once, before the first standard control or tooltip is
// made. Loading it when first needed, and not with the program, lets a start
// that makes no control (removing a binding) or must start a clock first (the
// splash's timer) do so before paying for it.
void UseCommonControls();

// Registers a window class the first time it is asked for; false when Windows refused it.
bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, LPCWSTR cursor);

// Paints a window through paint(dc) between BeginPaint and EndPaint.
template <typename Paint>
void PaintWindow(HWND window, Paint paint)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paint(ToHandle(dc));
    EndPaint(window, &ps);
}

// The painting messages every custom control answers alike: WM_PAINT and
// WM_PRINTCLIENT through paint(dc), and no erasing first, as the control
// covers every pixel itself. The message's result when it was one of them.
template <typename Paint>
std::optional<LRESULT> PaintMessage(HWND window, UINT message, WPARAM wParam, Paint paint)
{
    switch (message) {
    case WM_PAINT:
        PaintWindow(window, paint);
        return 0;
    case WM_PRINTCLIENT:
        paint(ToHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return std::nullopt;
    }
}

// A custom control's window class and how its window is made.
struct CustomWindowClass {
    const wchar_t* name;
    UINT classStyle = 0;
    LPCWSTR cursor = IDC_ARROW;  // null: the window sets its own
    DWORD style = 0;             // beyond WS_CHILD | WS_CLIPSIBLINGS
};

// The window of a custom control: its class registered on first use with
// Handler bound to the control, a child of parent with the control's id, at
// the control's place and size on its form's scale (or a fixed size in
// pixels), visible and enabled as the control is. The control's window from
// then on; null when Windows refused the class or the window.
template <typename T, long long (T::*Handler)(WindowHandle, unsigned, std::uintptr_t, std::intptr_t)>
HWND CreateCustomWindow(T& object, const CustomWindowClass& kind, WindowHandle parent, const std::wstring& text = {},
                        std::optional<SIZE> pixels = std::nullopt)
{
    if (!RegisterWindowClass(kind.name, BoundWindowProc<T, Handler>, kind.classStyle, kind.cursor))
        return nullptr;
    const Control& control = object;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (control.Visible())
        style |= WS_VISIBLE;
    if (!control.Enabled())
        style |= WS_DISABLED;
    const Scale& scale = control.DisplayScale();
    const SIZE size = pixels.value_or(SIZE{scale.TwipsToPixelsX(control.Width()), scale.TwipsToPixelsY(control.Height())});
    return CreateWindowExW(0, kind.name, text.c_str(), style, scale.TwipsToPixelsX(control.Left()),
                           scale.TwipsToPixelsY(control.Top()), size.cx, size.cy, H(parent),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.ControlId())), GetModuleHandleW(nullptr),
                           &object);
}

// The union of rectangles (toRect makes a RECT of each) as a new region.
template <typename Rects, typename ToRect>
HRGN UnionRegion(const Rects& rects, ToRect toRect)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const auto& item : rects) {
        const RECT r = toRect(item);
        GdiObject<HRGN> part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(region, region, part.Get(), RGN_OR);
    }
    return region;
}

// Gives the window its region, unless it has that one already; the window
// owns it from then on (or it is deleted).
void SetWindowRegion(HWND window, HRGN region);

// Shift, Ctrl and Alt as the Shift argument of mouse and key events.
int ShiftState();
// The mouse buttons held, as the Button argument: 1 left, 2 right, 4 middle.
int MouseButtons(WPARAM keys);
// The button of a press, release or double-click message, as the Button argument.
inline int ButtonOf(UINT message)
{
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return vbRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return vbMiddleButton;
    default: return vbLeftButton;
    }
}

// One message of the program's message loops: Alt and a letter press a
// control's access key, dialog keys move between controls, the rest is dispatched.
void DispatchInForm(MSG& message);

}  // namespace ui::win
