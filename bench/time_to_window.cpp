// Starts a program and measures the time until a visible window with the given
// caption exists, then ends the program.
//   time_to_window "<caption>" <program> [arguments...]
// Prints the milliseconds; exit code 1 when no window came within 20 s.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: time_to_window \"<caption>\" <program> [arguments...]\n");
        return 2;
    }
    std::string command = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i)
        command += std::string(" ") + argv[i];

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 2;
    double elapsed = -1;
    for (;;) {
        HWND window = FindWindowA(nullptr, argv[1]);
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (window && IsWindowVisible(window)) {
            elapsed = ms;
            break;
        }
        if (ms > 20000)
            break;
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
