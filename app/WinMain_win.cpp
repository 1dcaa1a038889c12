// The program's entry: the globals, then the window the command line asks for.
#include "frmMount.h"
#include "frmSplash.h"
#include "modMain.h"
#include "platform/ui/App.h"
#include "platform/ui/Twips.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HDC screen = GetDC(nullptr);
    ui::SetTwipsPerPixel(1440.0 / GetDeviceCaps(screen, LOGPIXELSX), 1440.0 / GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    switch (modMain::Start(ui::App::Path(), ui::App::Command())) {
    case modMain::StartMode::StartupRun: {
        static frmSplash splash;
        splash.Show();
        break;
    }
    case modMain::StartMode::MainWindowEmpty: {
        static frmMount main;
        main.Load();
        main.cmdOk.Enabled(false);
        main.Show();
        break;
    }
    case modMain::StartMode::MainWindow:
    case modMain::StartMode::Unmount: {
        // The main window's load handles "-" itself and ends there.
        static frmMount main;
        main.Show();
        break;
    }
    }
    ui::App::Run();
    return 0;
}
