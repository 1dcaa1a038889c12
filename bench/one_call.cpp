// The yardstick for the unmount mode: a program that makes the one call the
// mode makes and ends. Built twice: as a GUI program importing the DLLs
// Tavrik.exe imports, and as a console program importing kernel32 alone.
#include <windows.h>

namespace {
int RemoveQ() { return DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr) ? 0 : 1; }
}  // namespace

#ifdef ONE_CALL_GUI
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (commandLine[0] == '\x01') {  // never: only so that the imports are the same
        InitCommonControls();
        GetStockObject(WHITE_BRUSH);
        MessageBeep(0);
    }
    return RemoveQ();
}
#else
int main() { return RemoveQ(); }
#endif
