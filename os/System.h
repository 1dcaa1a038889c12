#pragma once
// The one accessor through which the engine reaches the operating system: the
// DOS device name space, files, the ANSI code page, the user's registry keys,
// the shell's notifications, the session it runs in and the Task Scheduler. The program puts the Win32 system in place as
// it starts; tests put a simulated one in place for their scope the same way.
#include "CodePage.h"
#include "DosDevices.h"
#include "FileSystem.h"
#include "Registry.h"
#include "ScopedCurrent.h"
#include "Session.h"
#include "ShellNotify.h"
#include "Tasks.h"

namespace os {

struct System {
    DosDevices& dos;
    FileSystem& files;
    CodePage& codePage;
    Registry& registry;
    ShellNotify& shell;
    Session& session;
    Tasks& tasks;
};

// The system put in place for the current scope. Nothing may run before that.
System& Current();

using ScopedSystem = ScopedCurrent<System>;

}  // namespace os
