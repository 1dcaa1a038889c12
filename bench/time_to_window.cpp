// Starts a program and measures the time until a visible, painted window with
// the given caption exists (the window and its children have nothing left to
// paint), then ends the program; or, with "-" for the caption, the time until
// the program has ended by itself.
//   time_to_window "<caption>"|- <program> [arguments...]
// Prints the milliseconds; exit code 1 when nothing came within 20 s.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

BOOL CALLBACK ChildPainted(HWND child, LPARAM painted)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
        *reinterpret_cast<bool*>(painted) = false;
    return TRUE;
}

bool Painted(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool painted = true;
    EnumChildWindows(window, ChildPainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

}  // namespace

// Wide arguments, so that a caption or a path in any script is kept.
int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: time_to_window \"<caption>\"|- <program> [arguments...]\n");
        return 2;
    }
    const bool toExit = std::wcscmp(argv[1], L"-") == 0;
    std::wstring command = std::wstring(L"\"") + argv[2] + L"\"";
    for (int i = 3; i < argc; ++i)
        command += std::wstring(L" ") + argv[i];

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 2;
    double elapsed = -1;
    for (;;) {
        bool done = false;
        if (toExit) {
            done = WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0;
        } else {
            HWND window = FindWindowW(nullptr, argv[1]);
            done = window && Painted(window);
        }
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (done) {
            elapsed = ms;
            break;
        }
        if (ms > 20000)
            break;
        if (!toExit)
            Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (elapsed < 0)
        return 1;
    std::printf("%.1f\n", elapsed);
    return 0;
}
