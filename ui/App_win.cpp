// The application object, the message loop and the global services.
#include "App.h"
#include "CommandLine.h"
#include "Scale.h"
#include "WinUtil_win.h"
#include "os/System.h"
#include "ui/Services.h"

namespace ui {

namespace App {

std::string Path()
{
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return {};
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    std::string path = os::win::Narrow(module);
    const auto slash = path.find_last_of('\\');
    path.resize(slash == std::string::npos ? 0 : slash);
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

std::string Command() { return CommandTail(os::win::Narrow(GetCommandLineW())); }

int Major() { return TAVRIK_VERSION_MAJOR; }
int Minor() { return TAVRIK_VERSION_MINOR; }
int Revision() { return TAVRIK_VERSION_REVISION; }

void Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        win::DispatchInForm(message);
}

}  // namespace App

void DoEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        // As in the message loop: a key typed meanwhile is still a dialog key.
        win::DispatchInForm(message);
    }
}

void App::ReadScreenScale()
{
    const win::WindowDc screen(nullptr);
    ScreenScale(Scale(GetDeviceCaps(screen.Get(), LOGPIXELSX), GetDeviceCaps(screen.Get(), LOGPIXELSY)));
}

void End() { ExitProcess(0); }

int MsgBox(const std::string& prompt, int buttons, const std::string& title)
{
    return ui::CurrentServices().shell.ShowMessage(win::ToHandle(GetActiveWindow()), prompt,
                                                 title, static_cast<std::uint32_t>(buttons));
}

}  // namespace ui
