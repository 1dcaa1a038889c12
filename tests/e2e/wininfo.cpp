// Looks at another program's windows from outside, for the journeys.
//   wininfo dump "<caption>"   the top-level window and every child: class,
//                               rectangle relative to the top-level's client
//                               area, enabled/visible, text, list items
//   wininfo exists "<caption>" exit code 0 when a visible window has that caption
// Lines:  window <hwnd> client <x> <y> outer <l> <t> <r> <b> enabled <0|1> owner-enabled <0|1>
//         child <class> <x> <y> <w> <h> enabled <0|1> visible <0|1> selected <n> text <text>
//         item <n> <text>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

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

}  // namespace

// Wide arguments, so that a caption in any script is found.
int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: wininfo dump|exists \"<caption>\"\n");
        return 2;
    }
    HWND window = FindVisible(argv[2]);
    if (std::wcscmp(argv[1], L"exists") == 0)
        return window ? 0 : 1;
    if (!window)
        return 1;
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
