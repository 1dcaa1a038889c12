#pragma once
// The one accessor through which the engine reaches the operating system. The
// program runs on the Win32 platform; tests put a simulated one in place for
// their scope with ScopedPlatform.
#include "CodePage.h"
#include "DosDevices.h"
#include "FileSystem.h"
#include "ListBoxes.h"
#include "ShellDialogs.h"
#include "Timers.h"

namespace platform {

struct Platform {
    DosDevices& dos;
    FileSystem& files;
    ListBoxes& lists;
    ShellDialogs& shell;
    Timers& timers;
    CursorWindows& cursor;
    CodePage& codePage;
};

Platform& Current();

// The platform a build runs on when nothing else is in place: Win32 on Windows,
// a simulated machine on the host.
Platform& Default();

class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& replacement);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* m_Previous;
};

}  // namespace platform
