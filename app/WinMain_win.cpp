// The program's entry: the globals, then the window the command line asks for.
#include "frmHelp.h"
#include "frmMount.h"
#include "frmSplash.h"
#include "modMain.h"
#include "os/LazyImport_win.h"
#include "os/WideText_win.h"
#include "os/Win32System.h"
#include "ui/Win32Services.h"
#include "ui/App.h"

#include <windows.h>

#include <optional>

namespace {

// One line for whoever started the program from a console or a batch file:
// to the output it was handed, where that is redirected, or else to the
// console the program was started from. Started from Explorer, nobody hears it.
void TellConsole(const std::string& line)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool attached = (!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS);
    if (attached)
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                          nullptr);
    if (out && out != INVALID_HANDLE_VALUE) {
        const std::string text = "Tavrik: " + line + "\r\n";
        DWORD mode = 0, written = 0;
        if (GetConsoleMode(out, &mode)) {
            const std::wstring wide = os::win::Wide(text);
            WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        } else {
            WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        }
    }
    if (attached) {
        if (out != INVALID_HANDLE_VALUE)
            CloseHandle(out);
        FreeConsole();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL: none may come from the program's folder.
    os::LimitDllSearchToSystemFolder();
    os::ScopedSystem system(os::Win32());
    ui::ScopedServices services(ui::Win32Services());
    const auto mode = modMain::Start(ui::App::Path(), ui::App::Command());
    if (const auto elevated = modMain::ElevatedBranch(modMain::CommandLine)) {
        if (!elevated->message.empty())
            TellConsole(elevated->message);
        return elevated->exitCode;
    }
    if (mode == modMain::StartMode::AllUsersSetup)
        return modMain::AllUsersSetup();
    modMain::CleanStaleLabels();
    // Removing a binding needs no window, no display and no screen metrics.
    if (mode == modMain::StartMode::Unmount) {
        const auto unmounted = modMain::UnmountBranch(modMain::CommandLine);
        TellConsole(unmounted->message);
        return unmounted->exitCode;
    }

    ui::App::ReadScreenScale();

    // The windows live as long as the message loop; the program ends inside it.
    std::optional<frmSplash> splash;
    std::optional<frmMount> main;
    std::optional<frmHelp> help;
    bool shown = false;
    switch (mode) {
    case modMain::StartMode::Help:
        help.emplace();
        shown = help->Show();
        break;
    case modMain::StartMode::StartupRun:
        splash.emplace();
        shown = splash->Show();
        break;
    case modMain::StartMode::MainWindowEmpty:
        main.emplace();
        if (main->Load()) {
            main->cmdOk.Enabled(false);
            shown = main->Show();
        }
        break;
    case modMain::StartMode::MainWindow:
    case modMain::StartMode::Unmount:
    case modMain::StartMode::Elevated:
    case modMain::StartMode::AllUsersSetup:
        main.emplace();
        shown = main->Show();
        break;
    }
    // Without its first window the program could only wait, unseen, for ever.
    if (!shown)
        return 1;
    ui::App::Run();
    return 0;
}
