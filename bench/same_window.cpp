// The main window's floor: a bare Win32 program that opens a window of the
// main window's design and does nothing else. Same size and frameless style,
// rounded region, the same child windows (drop-down picker with the free
// letters, three picture buttons, two lists, three labels, the skin's own
// child window) in the common-controls visual style, their font, the tooltip
// and both window icons. What it costs is what a window of this design costs
// on the machine, before any of the program's own work.
#include <windows.h>
#include <commctrl.h>

namespace {

HINSTANCE g_Instance;
HFONT g_Font;

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT r;
        GetClientRect(window, &r);
        RECT caption{r.left, r.top, r.right, 30};
        TRIVERTEX v[2] = {{0, 0, 0xC000, 0xC800, 0xD800, 0}, {r.right, 30, 0x9000, 0x9800, 0xB000, 0}};
        GRADIENT_RECT g{0, 1};
        GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, g_Font);
        DrawTextW(dc, L"Ombrilo", -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        DrawIconEx(dc, 313, 56, LoadIconW(g_Instance, MAKEINTRESOURCEW(2)), 64, 64, 0, nullptr, DI_NORMAL);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
           int width, int height, int id)
{
    HWND window = CreateWindowExW(exStyle, className, text, style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                                  width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  g_Instance, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(g_Font), FALSE);
    return window;
}

void Tip(HWND tooltip, HWND form, HWND tool, const wchar_t* text)
{
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    g_Instance = instance;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    g_Font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");

    WNDCLASSW form{};
    form.lpfnWndProc = FormProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = CreateSolidBrush(RGB(0xEC, 0xE9, 0xD8));
    form.lpszClassName = L"SameWindow";
    RegisterClassW(&form);
    WNDCLASSW skin = form;
    skin.lpfnWndProc = SkinProc;
    skin.lpszClassName = L"SameWindowSkin";
    RegisterClassW(&skin);

    const int width = 412, height = 332;
    HWND window = CreateWindowExW(0, L"SameWindow", L"Ombrilo", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, nullptr);
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0)));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0)));

    HWND combo = Child(window, WC_COMBOBOXW, L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 355,
                       122, 41, 180, 1);
    for (wchar_t letter = L'D'; letter <= L'Y'; ++letter) {
        const wchar_t item[] = {letter, L':', L' ', 0};
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SetWindowTextW(combo, L"D: ");
    HWND buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = Child(window, WC_BUTTONW, L"", WS_TABSTOP | BS_ICON | (i ? 0 : BS_DEFPUSHBUTTON), 0, 18 + 64 * i,
                           70, 54, 40, 2 + i);
        SendMessageW(buttons[i], BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(3 + i), IMAGE_ICON, 32, 32, 0)));
    }
    for (int i = 0; i < 2; ++i)
        Child(window, WC_LISTBOXW, L"", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS,
                         WS_EX_CLIENTEDGE, 11, 146 + 94 * i, 390, 75, 5 + i);
    Child(window, WC_STATICW, L"Drive Letter", SS_LEFT, 0, 285, 125, 55, 13, 7);
    Child(window, WC_STATICW, L"List of Mounted Folders", SS_LEFT, 0, 13, 128, 110, 13, 8);
    Child(window, WC_STATICW, L"List of Previously Mounted Folders", SS_LEFT, 0, 12, 225, 161, 13, 9);
    Child(window, L"SameWindowSkin", L"", 0, 0, 0, 0, width, height, 10);

    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    Tip(tooltip, window, combo, L"Drive Letter");
    Tip(tooltip, window, buttons[0], L"Ombrilo");
    Tip(tooltip, window, buttons[1], L"Setup [Mount as Win Boot]");
    Tip(tooltip, window, buttons[2], L"Help");

    HRGN region = CreateRoundRectRgn(0, 0, width + 1, height + 1, 12, 12);
    SetWindowRgn(window, region, FALSE);
    ShowWindow(window, show);
    SetFocus(combo);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
