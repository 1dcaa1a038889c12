// Looks at and changes the DOS device name space from outside the program, for
// the journeys:  dosdev define X: target | query X: | remove X: [Y: ...] | drives
// It also holds a file open without sharing, as another program might, until a
// line arrives on its input:  dosdev hold <file>
// And it starts a command line exactly as given, as the shell does with an
// expanded verb or a log-on entry, and ends with the started program's exit
// code:  dosdev run "<command line>"
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "define") == 0)
        return DefineDosDeviceA(0, argv[2], argv[3]) ? 0 : 1;
    if (argc >= 3 && std::strcmp(argv[1], "remove") == 0) {
        int failed = 0;
        for (int i = 2; i < argc; ++i)
            failed |= DefineDosDeviceA(DDD_REMOVE_DEFINITION, argv[i], nullptr) ? 0 : 1;
        return failed;
    }
    if (argc >= 3 && std::strcmp(argv[1], "query") == 0) {
        char buffer[4096];
        const DWORD count = QueryDosDeviceA(argv[2], buffer, sizeof buffer);
        if (count == 0)
            return 1;
        for (const char* p = buffer; *p; p += std::strlen(p) + 1)
            std::printf("%s\n", p);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "drives") == 0) {
        char buffer[512] = {};
        GetLogicalDriveStringsA(sizeof buffer - 1, buffer);
        for (const char* p = buffer; *p; p += std::strlen(p) + 1)
            std::printf("%c", *p);
        std::printf("\n");
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "hold") == 0) {
        HANDLE file = CreateFileA(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        char line[16];
        (void)std::fgets(line, sizeof line, stdin);  // until told, or the caller is gone
        CloseHandle(file);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0) {
        // No quoting or splitting here: the program must see this text as its command line.
        std::string line = argv[2];
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            std::fprintf(stderr, "cannot start: %lu\n", GetLastError());
            return 126;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<int>(code);
    }
    std::fprintf(stderr, "usage: dosdev define X: target | query X: | remove X: [Y: ...] | drives | hold file | run cmdline\n");
    return 2;
}
