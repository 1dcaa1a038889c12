// Looks at and changes the DOS device name space from outside the program, for
// the journeys:  dosdev define X: target | query X: | remove X: [Y: ...] | drives
// and every letter that names anything or has a label for Explorer, with its
// newest target, for a folder that folder's long form, and the label, marked
// "*" where the program marked the key its own:  dosdev letters
// (lines "X: target<TAB>long<TAB>label")
// and tells the ANSI code page the journey runs on:  dosdev acp
// It also holds a file open without sharing, as another program might, until a
// line arrives on its input:  dosdev hold <file>
// And it starts a command line exactly as given, as the shell does with an
// expanded verb or a log-on entry, and ends with the started program's exit
// code:  dosdev run "<command line>"
// Names go both ways as UTF-8, whatever the code page, so a journey can name a
// folder in any script.
#include "os/WideText_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using os::win::Narrow;
using os::win::Wide;

void PrintStrings(const wchar_t* strings, bool asLetters)
{
    for (const wchar_t* p = strings; *p; p += wcslen(p) + 1) {
        const std::string text = Narrow(p);
        if (asLetters)
            std::printf("%c", text[0]);
        else
            std::printf("%s\n", text.c_str());
    }
}

}  // namespace

int main()
{
    int count = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wideArgs && i < count; ++i)
        args.push_back(Narrow(wideArgs[i]));
    const auto is = [&](const char* verb, std::size_t least) { return args.size() >= least && args[1] == verb; };

    if (is("define", 4))
        return DefineDosDeviceW(0, Wide(args[2]).c_str(), Wide(args[3]).c_str()) ? 0 : 1;
    if (is("remove", 3)) {
        int failed = 0;
        for (std::size_t i = 2; i < args.size(); ++i)
            failed |= DefineDosDeviceW(DDD_REMOVE_DEFINITION, Wide(args[i]).c_str(), nullptr) ? 0 : 1;
        return failed;
    }
    if (is("query", 3)) {
        std::vector<wchar_t> buffer(65536);
        if (QueryDosDeviceW(Wide(args[2]).c_str(), buffer.data(), static_cast<DWORD>(buffer.size())) == 0)
            return 1;
        PrintStrings(buffer.data(), false);
        return 0;
    }
    if (is("letters", 2)) {
        std::vector<wchar_t> buffer(65536);
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            const wchar_t name[] = {letter, L':', 0};
            const std::wstring key = std::wstring(L"Software\\Classes\\Applications\\Explorer.exe\\Drives\\") + letter +
                                     L"\\DefaultLabel";
            wchar_t label[1024] = {}, mark[16] = {};
            DWORD size = sizeof label, markSize = sizeof mark;
            const bool labelled =
                RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, label, &size) == ERROR_SUCCESS;
            const bool marked =
                RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Tavrik", RRF_RT_REG_SZ, nullptr, mark, &markSize) == ERROR_SUCCESS;
            buffer[0] = 0;
            if (QueryDosDeviceW(name, buffer.data(), static_cast<DWORD>(buffer.size())) == 0 && !labelled)
                continue;
            const std::wstring target = buffer.data();
            std::wstring longForm;
            if (target.rfind(L"\\??\\", 0) == 0) {
                wchar_t found[32768] = {};
                if (GetLongPathNameW(target.c_str() + 4, found, 32768))
                    longForm = found;
            }
            std::printf("%s\t%s\t%s\n", Narrow(std::wstring(name) + L" " + target).c_str(), Narrow(longForm).c_str(),
                        labelled ? Narrow(std::wstring(marked ? L"*" : L"") + label).c_str() : "");
        }
        return 0;
    }
    if (is("acp", 2)) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (is("drives", 2)) {
        wchar_t buffer[512] = {};
        GetLogicalDriveStringsW(511, buffer);
        PrintStrings(buffer, true);
        std::printf("\n");
        return 0;
    }
    if (is("hold", 3)) {
        HANDLE file = CreateFileW(Wide(args[2]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        char line[16];
        (void)std::fgets(line, sizeof line, stdin);  // until told, or the caller is gone
        CloseHandle(file);
        return 0;
    }
    if (is("run", 3)) {
        // No quoting or splitting here: the program must see this text as its command line.
        std::wstring line = Wide(args[2]);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
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
    std::fprintf(stderr, "usage: dosdev define X: target | query X: | remove X: [Y: ...] | drives | letters | acp | hold file | run cmdline\n");
    return 2;
}
