#pragma once
// What the in-process window tests share: a clean message queue, letting time
// and events pass, input through the real queue, and reading back what a
// window paints.
#include "ui/App.h"
#include "ui/Form.h"
#include "ui/Palette.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "ui/UiTypes.h"
#include "ui/WinUtil_win.h"
#include "tests/support/Fingerprint.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

namespace test {

// A test that unloads its last form leaves the quit message the program would
// end on; the next test must not inherit it.
inline void DropPendingQuit()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Lets about ms milliseconds pass with the window events running.
inline void Pump(int ms)
{
    for (int waited = 0; waited < ms; waited += 5) {
        Sleep(5);
        ui::DoEvents();
    }
}

// Runs what is queued through the program's own message loop (dialog keys,
// access keys, then dispatch), in the order it came, until nothing is left.
inline void RunQueue()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ui::win::DispatchInForm(message);
    }
}

// Loaded and shown as the active window, without the skinned frame's adoption,
// whose modal show would hold the test.
inline bool ShowPlain(ui::Form& form)
{
    if (!form.Load())
        return false;
    ShowWindow(ui::win::H(form.hWnd()), SW_SHOW);
    SetActiveWindow(ui::win::H(form.hWnd()));
    RunQueue();
    return true;
}

// A key pressed and released on a window, as the keyboard would queue it.
inline void PostKey(HWND window, UINT key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(window, WM_KEYUP, key, 1 | scan | static_cast<LPARAM>(0xC0000000u));
}

// A key typed where the focus is, and everything it leads to run.
inline void Type(UINT key)
{
    PostKey(GetFocus(), key);
    RunQueue();
}

// A press and release of a mouse button at a client point of a window, both
// queued before either is handled, as a quick click arrives.
inline void PostClick(HWND window, int x, int y, UINT down, UINT up, WPARAM held)
{
    PostMessageW(window, down, held, MAKELPARAM(x, y));
    PostMessageW(window, up, 0, MAKELPARAM(x, y));
}

// Runs action on the window of that caption once it is shown and usable, from
// a timer, so that it also happens inside a modal window's own loop.
struct WhenShownState {
    static inline std::wstring caption;
    static inline void (*action)(HWND) = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND window = FindWindowW(nullptr, caption.c_str());
        if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window))
            return;
        KillTimer(nullptr, id);
        action(window);
    }
};

inline void WhenShown(const char* caption, void (*action)(HWND))
{
    WhenShownState::caption = os::win::Wide(caption);
    WhenShownState::action = action;
    SetTimer(nullptr, 0, 20, &WhenShownState::Tick);
}

// Counts the messages of one kind a window gets while the object lives.
class MessageCounter {
public:
    MessageCounter(HWND window, UINT message) : m_Window(window), m_Message(message)
    {
        SetWindowSubclass(window, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    ~MessageCounter() { RemoveWindowSubclass(m_Window, &Proc, reinterpret_cast<UINT_PTR>(this)); }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;
    int Count() const { return m_Count; }
    void Reset() { m_Count = 0; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        auto* self = reinterpret_cast<MessageCounter*>(data);
        if (message == self->m_Message)
            ++self->m_Count;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND m_Window;
    UINT m_Message;
    int m_Count = 0;
};

// A screen of another DPI for the forms a test makes in its scope.
class ScopedScreenDpi {
public:
    explicit ScopedScreenDpi(int dpi) : m_Previous(ui::ScreenScale()) { ui::ScreenScale(ui::Scale(dpi, dpi)); }
    ~ScopedScreenDpi() { ui::ScreenScale(m_Previous); }
    ScopedScreenDpi(const ScopedScreenDpi&) = delete;
    ScopedScreenDpi& operator=(const ScopedScreenDpi&) = delete;

private:
    ui::Scale m_Previous;
};

// A memory bitmap selected into a DC, white to start with; all of it released
// with the object.
class Canvas {
public:
    Canvas(int width, int height)
        : m_Bitmap(CreateCompatibleBitmap(ui::win::WindowDc(nullptr).Get(), width, height)),
          m_Select(m_Dc.Get(), m_Bitmap.Get())
    {
        RECT all{0, 0, width, height};
        FillRect(m_Dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HDC Dc() const { return m_Dc.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(m_Dc.Get(), x, y); }
    // How many pixels of the area are of that colour.
    int Count(const RECT& area, COLORREF colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) == colour;
        return count;
    }
    // The area's every pixel, row by row, into a fingerprint.
    void AddTo(Fingerprint& print, const RECT& area) const
    {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                print.Add(At(x, y));
    }

private:
    ui::win::MemoryDc m_Dc;
    ui::win::GdiObject<HBITMAP> m_Bitmap;
    ui::win::Selection m_Select;
};

// The screen's real colours, with high contrast switched by the test.
class SwitchedPalette : public ui::Palette {
public:
    bool HighContrast() override { return on; }
    ui::Color SystemRgb(int index) override { return GetSysColor(index); }
    bool on = false;
};

// The real services with that palette in their place, while this lives;
// `palette.on` switches high contrast.
class SwitchedServices {
public:
    explicit SwitchedServices(bool highContrast) { palette.on = highContrast; }
    SwitchedPalette palette;

private:
    ui::Services& m_Real = ui::CurrentServices();
    ui::Services m_Switched{m_Real.lists, m_Real.shell, m_Real.timers, m_Real.cursor, palette};
    ui::ScopedServices m_Scope{m_Switched};
};

// The width in pixels of an icon's pictures; 0 for no icon.
inline int IconSide(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The pixel (x, y) that a window paints, read back from a canvas of
// width x height through WM_PRINTCLIENT.
inline COLORREF PrintedPixel(ui::WindowHandle window, int width, int height, int x, int y)
{
    const Canvas canvas(width, height);
    SendMessageW(ui::win::H(window), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.At(x, y);
}

// While it lives, Windows refuses to make a window of one class on this
// thread (given a text, only the one of that text), as it may when out of
// resources or told to by a hook.
class RefusedWindows {
public:
    explicit RefusedWindows(const wchar_t* windowClass, const wchar_t* text = nullptr)
        : m_Hook(SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId()))
    {
        Refused() = {windowClass, text};
    }
    ~RefusedWindows()
    {
        UnhookWindowsHookEx(m_Hook);
        Refused() = {};
    }
    RefusedWindows(const RefusedWindows&) = delete;
    RefusedWindows& operator=(const RefusedWindows&) = delete;
    explicit operator bool() const { return m_Hook != nullptr; }

private:
    static std::pair<const wchar_t*, const wchar_t*>& Refused()
    {
        static std::pair<const wchar_t*, const wchar_t*> refused;
        return refused;
    }
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto [windowClass, text] = Refused();
        wchar_t name[64] = {};
        if (code == HCBT_CREATEWND && windowClass && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) &&
            lstrcmpiW(name, windowClass) == 0) {
            const CREATESTRUCTW* made = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if (!text || (made->lpszName && lstrcmpW(made->lpszName, text) == 0))
                return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK m_Hook;
};

}  // namespace test
