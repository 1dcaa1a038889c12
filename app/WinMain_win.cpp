// The program's entry: set up the globals, carry out the windowless modes, and
// show the main window for the others.
#include "app/modMain.h"
#include "engine/modFiles.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"

#include <windows.h>

#include <string>

namespace {

// The folder of the running exe, as the application object gives it: no
// closing backslash unless it is a drive root.
std::string ApplicationPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
    if (path.size() == 2 && path[1] == ':')
        path += '\\';
    return path;
}

// A plain main window until the skinned one takes its place: it names the folder
// to mount and lists the current bindings.
constexpr int kListId = 100;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
        const std::string prompt = modMain::CommandLine.empty() ? std::string("No folder to mount.")
                                                                : "Folder to mount: " + modMain::CommandLine;
        HWND label = CreateWindowExA(0, "STATIC", prompt.c_str(), WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 8, 8,
                                     384, 16, window, nullptr, nullptr, nullptr);
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_USETABSTOPS,
                                    8, 32, 384, 200, window, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        SendMessageA(label, WM_SETFONT, font, FALSE);
        SendMessageA(list, WM_SETFONT, font, FALSE);
        modFiles::SetListTabStops(reinterpret_cast<platform::WindowHandle>(list));
        for (const auto& line : mod_DriveInfo::MountedDriveLines())
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int RunMainWindow(HINSTANCE instance, int show)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TavrikMain";
    if (!RegisterClassA(&windowClass))
        return 1;
    RECT frame{0, 0, 400, 240};
    AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND window = CreateWindowExA(0, "TavrikMain", "Ombrilo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    switch (modMain::Start(ApplicationPath(), GetCommandLineA())) {
    case modMain::StartMode::Unmount:
        return 0;  // removed in Start, silently, whatever the outcome
    case modMain::StartMode::StartupRun:
        modLists::RunStartupList(modMain::AppDir);
        return 0;
    case modMain::StartMode::MainWindow:
    case modMain::StartMode::MainWindowEmpty:
        return RunMainWindow(instance, show);
    }
    return 0;
}
