// Looks at another program's windows from outside, for the journeys.
//   wininfo dump "<caption>"   the top-level window and every child: class,
//                               rectangle relative to the top-level's client
//                               area, enabled/visible, text, list items
//   wininfo exists "<caption>" exit code 0 when a visible window has that caption
//   wininfo windows            every visible top-level window of every program:
//                               its process, class, outer rectangle, state, its
//                               thread's GUI_* flags (in a menu, moving), caption
//   wininfo proc "<caption>"   what the process owning that window holds: GDI
//                               objects, USER objects, kernel handles, private bytes
// Lines:  window <hwnd> client <x> <y> outer <l> <t> <r> <b> enabled <0|1> owner-enabled <0|1>
//         child <class> <x> <y> <w> <h> enabled <0|1> visible <0|1> selected <n> text <text>
//         item <n> <text>
//         top <hwnd> pid <pid> class <class> rect <l> <t> <r> <b> iconic <0|1> enabled <0|1> flags <n> text <caption>
//         proc pid <pid> gdi <n> user <n> handles <n> private <bytes>
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

POINT g_origin;

// Texts are fetched wide and printed in UTF-8, so that a journey reads every
// name as the shell writes it, whatever the code page.
std::string Narrow(const wchar_t* text)
{
    char buffer[8192 * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

std::string TextOf(HWND window)
{
    wchar_t buffer[8192] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, &result);
    return Narrow(buffer);
}

// Line ends of multi-line texts are shown as \r and \n so every child stays on one line.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

void Items(HWND window, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    const LRESULT count = SendMessageW(window, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(window, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(window, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        std::printf("item %ld %s\n", static_cast<long>(i), Escaped(Narrow(text.c_str())).c_str());
    }
}

BOOL CALLBACK DumpChild(HWND child, LPARAM)
{
    wchar_t wideClass[64] = {};
    GetClassNameW(child, wideClass, 64);
    const std::string name = Narrow(wideClass);
    const char* className = name.c_str();
    RECT r{};
    GetWindowRect(child, &r);
    long selected = -1;
    if (_stricmp(className, "ListBox") == 0)
        selected = static_cast<long>(SendMessageW(child, LB_GETCURSEL, 0, 0));
    else if (_stricmp(className, "ComboBox") == 0)
        selected = static_cast<long>(SendMessageW(child, CB_GETCURSEL, 0, 0));
    std::printf("child %s %ld %ld %ld %ld enabled %d visible %d selected %ld text %s\n", className,
                r.left - g_origin.x, r.top - g_origin.y, r.right - r.left, r.bottom - r.top,
                IsWindowEnabled(child) ? 1 : 0, IsWindowVisible(child) ? 1 : 0, selected,
                Escaped(TextOf(child)).c_str());
    if (_stricmp(className, "ListBox") == 0)
        Items(child, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    else if (_stricmp(className, "ComboBox") == 0)
        Items(child, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    return TRUE;
}

HWND FindVisible(const wchar_t* caption)
{
    for (HWND window = FindWindowW(nullptr, caption); window; window = FindWindowExW(nullptr, window, nullptr, caption))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

BOOL CALLBACK ListTop(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t wideClass[64] = {};
    GetClassNameW(window, wideClass, 64);
    DWORD pid = 0;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, &pid), &thread);
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("top %p pid %lu class %s rect %ld %ld %ld %ld iconic %d enabled %d flags %lu text %s\n",
                static_cast<void*>(window), pid, Narrow(wideClass).c_str(), r.left, r.top, r.right, r.bottom,
                IsIconic(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0, thread.flags, Escaped(TextOf(window)).c_str());
    return TRUE;
}

// Counts every window, top-level or child, of one process.
struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data)
{
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM data)
{
    auto* windows = reinterpret_cast<WindowCount*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == windows->pid) {
        ++windows->count;
        EnumChildWindows(window, CountChild, data);
    }
    return TRUE;
}

// Wine answers GetGuiResources with nothing. Its GDI handle table is mapped
// into each process, as Windows' once was, at the PEB's GdiSharedHandleTable:
// there the used entries (24 bytes each, the type at byte 14) are the objects.
DWORD WineGdiObjects(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
        return 0;
    DWORD table = 0;  // a 32-bit process's PEB holds it at 0x94
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0x94, &table, sizeof table,
                           &read) || !table)
        return 0;
    constexpr std::size_t kEntries = 0x10000, kEntrySize = 24;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(table)), entries.data(),
                           entries.size(), &read))
        return 0;
    DWORD used = 0;
    for (std::size_t i = 0; i < read / kEntrySize; ++i)
        used += entries[i * kEntrySize + 14] != 0;
    return used;
}

// Wine's GetProcessHandleCount says 0; the system's handle list knows better.
DWORD HandlesFromSystemList(DWORD pid)
{
    struct Entry {
        PVOID object;
        ULONG_PTR pid, handle;
        ULONG access;
        USHORT creator, type;
        ULONG attributes, reserved;
    };
    struct List {
        ULONG_PTR count, reserved;
        Entry entries[1];
    };
    constexpr auto kExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
    std::vector<unsigned char> buffer(1 << 20);
    ULONG length = 0;
    while (NtQuerySystemInformation(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                    &length) != 0) {
        if (buffer.size() >= (64u << 20))
            return 0;
        buffer.resize(buffer.size() * 2);
    }
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    DWORD handles = 0;
    for (ULONG_PTR i = 0; i < list->count; ++i)
        handles += list->entries[i].pid == pid;
    return handles;
}

int PrintProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return 1;
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi == 0)
        gdi = WineGdiObjects(process);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (user == 0) {  // Wine again: its windows, then, are what can be counted
        WindowCount windows{pid, 0};
        EnumWindows(CountTop, reinterpret_cast<LPARAM>(&windows));
        user = windows.count;
    }
    DWORD handles = 0;
    if (!GetProcessHandleCount(process, &handles) || handles == 0)
        handles = HandlesFromSystemList(pid);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine leaves PrivateUsage at 0 for another process and counts its
    // anonymous resident memory as the page-file usage.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    CloseHandle(process);
    std::printf("proc pid %lu gdi %lu user %lu handles %lu private %lu\n", pid, gdi, user, handles,
                static_cast<unsigned long>(privateBytes));
    return 0;
}

}  // namespace

// Wide arguments, so that a caption in any script is found.
int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"windows") == 0)
        return EnumWindows(ListTop, 0) ? 0 : 1;
    if (argc < 3) {
        std::fprintf(stderr, "usage: wininfo dump|exists|proc \"<caption>\" | windows\n");
        return 2;
    }
    HWND window = FindVisible(argv[2]);
    if (std::wcscmp(argv[1], L"exists") == 0)
        return window ? 0 : 1;
    if (!window)
        return 1;
    if (std::wcscmp(argv[1], L"proc") == 0)
        return PrintProcess(window);
    g_origin = POINT{0, 0};
    ClientToScreen(window, &g_origin);
    HWND owner = GetWindow(window, GW_OWNER);
    RECT outer{};
    GetWindowRect(window, &outer);
    std::printf("window %p client %ld %ld outer %ld %ld %ld %ld enabled %d iconic %d owner-enabled %d\n",
                static_cast<void*>(window), g_origin.x, g_origin.y, outer.left, outer.top, outer.right, outer.bottom,
                IsWindowEnabled(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
                owner ? (IsWindowEnabled(owner) ? 1 : 0) : -1);
    EnumChildWindows(window, DumpChild, 0);
    return 0;
}
