#pragma once
// The one accessor through which the engine reaches the operating system. The
// program puts the Win32 platform in place with ScopedPlatform as it starts;
// tests put a simulated one in place for their scope the same way.
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

// The platform put in place for the current scope: the program installs the
// real one as it starts, a test a simulated one. Nothing may run before that.
Platform& Current();

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
