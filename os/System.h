#pragma once
// The one accessor through which the engine reaches the operating system: the
// DOS device name space, files and the ANSI code page. The program puts the
// Win32 system in place as it starts; tests put a simulated one in place for
// their scope the same way.
#include "CodePage.h"
#include "DosDevices.h"
#include "FileSystem.h"

namespace os {

struct System {
    DosDevices& dos;
    FileSystem& files;
    CodePage& codePage;
};

// The system put in place for the current scope. Nothing may run before that.
System& Current();

class ScopedSystem {
public:
    explicit ScopedSystem(System& replacement);
    ~ScopedSystem();
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

private:
    System* m_Previous;
};

}  // namespace os
