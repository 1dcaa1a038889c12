// The program's entry: the globals, then the window the command line asks for.
#include "frmMount.h"
#include "frmSplash.h"
#include "modMain.h"
#include "os/LazyImport_win.h"
#include "os/Win32System.h"
#include "ui/Win32Services.h"
#include "ui/App.h"

#include <windows.h>

#include <optional>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL: none may come from the program's folder.
    os::LimitDllSearchToSystemFolder();
    os::ScopedSystem system(os::Win32());
    ui::ScopedServices services(ui::Win32Services());
    const auto mode = modMain::Start(ui::App::Path(), ui::App::Command());
    // Removing a binding needs no window, no display and no screen metrics.
    if (mode == modMain::StartMode::Unmount) {
        modMain::UnmountBranch(modMain::CommandLine);
        return 0;
    }

    ui::App::ReadScreenScale();

    // The windows live as long as the message loop; the program ends inside it.
    std::optional<frmSplash> splash;
    std::optional<frmMount> main;
    bool shown = false;
    switch (mode) {
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
