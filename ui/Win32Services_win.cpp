// The real window services: list-box tab stops, the shell's dialogs, timers
// and the mouse position, by the wide Win32 calls.
#include "Win32Services.h"

#include "App.h"
#include "WinUtil_win.h"
#include "os/LazyImport_win.h"
#include "os/WideText_win.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <utility>

namespace ui {

namespace {

using os::LazyImport;
using os::win::Narrow;
using os::win::Wide;

static_assert(kTimerMessage == WM_TIMER);

class Win32ListBoxes : public ListBoxes {
public:
    void SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops) override
    {
        SendMessageW(win::H(listWindow), LB_SETTABSTOPS, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(stops));
    }
};

// OLE on this thread for as long as the program runs, once it is needed.
class OleSession {
public:
    OleSession()
    {
        static auto* initialize = LazyImport<decltype(OleInitialize)>(L"ole32.dll", "OleInitialize");
        m_Started = initialize && SUCCEEDED(initialize(nullptr));
    }
    ~OleSession()
    {
        static auto* uninitialize = LazyImport<decltype(OleUninitialize)>(L"ole32.dll", "OleUninitialize");
        if (m_Started && uninitialize)
            uninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool m_Started = false;
};

class Win32ShellDialogs : public ShellDialogs {
public:
    std::optional<std::string> BrowseForFolder(WindowHandle owner, const std::string& title,
                                               std::uint32_t flags) override
    {
        static auto* browse = LazyImport<decltype(SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
        static auto* pathOf = LazyImport<decltype(SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
        // Where the system has it, the path of a folder deeper than MAX_PATH too.
        static auto* longPathOf =
            LazyImport<decltype(SHGetPathFromIDListEx)>(L"shell32.dll", "SHGetPathFromIDListEx");
        static auto* freeItem = LazyImport<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
        // The dialog's new style needs an apartment on this thread; made on first
        // use, as OLE costs start-up time every other start would pay for nothing.
        static const OleSession ole;
        if (!browse || !pathOf || !freeItem)
            return std::nullopt;
        const std::wstring wideTitle = Wide(title);
        BROWSEINFOW info{};
        info.hwndOwner = win::H(owner);
        info.pidlRoot = nullptr;
        info.lpszTitle = wideTitle.c_str();
        info.ulFlags = flags;
        LPITEMIDLIST item = browse(&info);
        if (!item)
            return std::nullopt;
        std::wstring buffer(longPathOf ? 32768 : MAX_PATH, L'\0');
        const BOOL ok = longPathOf
                            ? longPathOf(item, buffer.data(), static_cast<DWORD>(buffer.size()), GPFIDL_DEFAULT)
                            : pathOf(item, buffer.data());
        freeItem(item);
        if (!ok)
            return std::string();
        return Narrow(buffer.c_str());
    }

    int ShowMessage(WindowHandle owner, const std::string& prompt, const std::string& title,
                    std::uint32_t flags) override
    {
        return MessageBoxW(win::H(owner), Wide(prompt).c_str(), Wide(title).c_str(),
                           flags | MB_TASKMODAL);
    }

    bool OpenFolder(WindowHandle owner, const std::string& path) override
    {
        static auto* execute = LazyImport<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
        static const OleSession ole;  // the shell's own handlers may want one
        if (!execute)
            return false;
        const std::wstring folder = Wide(path);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_FLAG_NO_UI;  // the program says itself what went wrong
        info.hwnd = win::H(owner);
        info.lpVerb = L"open";
        info.lpFile = folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        return execute(&info) != FALSE;
    }

    bool CopyText(WindowHandle owner, const std::string& text) override
    {
        // Another program may hold the clipboard for a moment: a few tries.
        bool opened = false;
        for (int tries = 0; tries < 10 && !(opened = OpenClipboard(win::H(owner)) != FALSE); ++tries)
            Sleep(20);
        if (!opened)
            return false;
        const std::wstring wide = Wide(text);
        const SIZE_T bytes = (wide.size() + 1) * sizeof(wchar_t);
        bool copied = false;
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* to = GlobalLock(memory)) {
                std::memcpy(to, wide.c_str(), bytes);
                GlobalUnlock(memory);
                copied = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
            }
            if (!copied)
                GlobalFree(memory);  // the clipboard owns it only once it took it
        }
        CloseClipboard();
        return copied;
    }
};

// Timer callbacks carry no context: the table finds the object from the window
// and identifier the system hands back.
class Win32Timers : public Timers {
public:
    std::optional<std::uintptr_t> Set(WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                      TimerTarget& target) override
    {
        HWND hwnd = win::H(window);
        const UINT_PTR result = SetTimer(hwnd, id, period, &Win32Timers::Callback);
        if (!result)
            return std::nullopt;
        // A window's timer keeps the id asked for; SetTimer then only says "done".
        const std::uintptr_t actual = hwnd ? id : result;
        Targets()[{window, actual}] = &target;
        return actual;
    }

    bool Kill(WindowHandle window, std::uintptr_t id) override
    {
        Targets().erase({window, id});
        return KillTimer(win::H(window), id) != FALSE;
    }

    void RunPendingEvents() override
    {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
            WaitMessage();
        DoEvents();
    }

private:
    static std::map<std::pair<WindowHandle, std::uintptr_t>, TimerTarget*>& Targets()
    {
        static std::map<std::pair<WindowHandle, std::uintptr_t>, TimerTarget*> targets;
        return targets;
    }

    static void CALLBACK Callback(HWND window, UINT message, UINT_PTR id, DWORD time)
    {
        const auto it = Targets().find({win::ToHandle(window), id});
        if (it != Targets().end())
            it->second->OnSystemTick(win::ToHandle(window), message, id, time);
    }
};

class Win32CursorWindows : public CursorWindows {
public:
    bool CursorPos(ScreenPoint& point) override
    {
        POINT at{};
        if (!GetCursorPos(&at))
            return false;
        point = ScreenPoint{at.x, at.y};
        return true;
    }
    WindowHandle WindowAt(ScreenPoint point) override
    {
        return win::ToHandle(WindowFromPoint(POINT{point.x, point.y}));
    }
};

class Win32Palette : public Palette {
public:
    bool HighContrast() override
    {
        HIGHCONTRASTW setting{};
        setting.cbSize = sizeof setting;
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
               (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }
    Color SystemRgb(int index) override { return static_cast<Color>(GetSysColor(index)); }
};

}  // namespace

Services& Win32Services()
{
    static Win32ListBoxes lists;
    static Win32ShellDialogs shell;
    static Win32Timers timers;
    static Win32CursorWindows cursor;
    static Win32Palette palette;
    static Services services{lists, shell, timers, cursor, palette};
    return services;
}

}  // namespace ui
