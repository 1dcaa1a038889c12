// The program's entry: the globals, then the window the command line asks for.
#include "frmMount.h"
#include "frmSplash.h"
#include "modMain.h"
#include "platform/Win32Platform.h"
#include "platform/ui/App.h"
#include "platform/ui/Twips.h"

#include <windows.h>

#include <optional>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    platform::ScopedPlatform win32(platform::Win32());
    const auto mode = modMain::Start(ui::App::Path(), ui::App::Command());
    // Removing a binding needs no window, no display and no screen metrics.
    if (mode == modMain::StartMode::Unmount) {
        modMain::UnmountBranch(modMain::CommandLine);
        return 0;
    }

    HDC screen = GetDC(nullptr);
    ui::SetTwipsPerPixel(1440.0 / GetDeviceCaps(screen, LOGPIXELSX), 1440.0 / GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    // The windows live as long as the message loop; the program ends inside it.
    std::optional<frmSplash> splash;
    std::optional<frmMount> main;
    switch (mode) {
    case modMain::StartMode::StartupRun:
        splash.emplace();
        splash->Show();
        break;
    case modMain::StartMode::MainWindowEmpty:
        main.emplace();
        main->Load();
        main->cmdOk.Enabled(false);
        main->Show();
        break;
    case modMain::StartMode::MainWindow:
    case modMain::StartMode::Unmount:
        main.emplace();
        main->Show();
        break;
    }
    ui::App::Run();
    return 0;
}
