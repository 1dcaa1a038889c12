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
    HDC screen = GetDC(nullptr);
    ui::SetTwipsPerPixel(1440.0 / GetDeviceCaps(screen, LOGPIXELSX), 1440.0 / GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    // The windows live as long as the message loop; the program ends inside it.
    std::optional<frmSplash> splash;
    std::optional<frmMount> main;
    switch (modMain::Start(ui::App::Path(), ui::App::Command())) {
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
        // The main window's load handles "-" itself and ends the program there.
        main.emplace();
        main->Show();
        break;
    }
    ui::App::Run();
    return 0;
}
