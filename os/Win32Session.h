#pragma once
// The real session and Task Scheduler, for the real system.
#include "Session.h"
#include "Tasks.h"

namespace os {

Session& Win32Session();
Tasks& Win32Tasks();

// Whether only administrators can change what a security descriptor guards: its
// owner is one and its rights let no one else change it.
bool OnlyAdministratorsChangeBy(const void* securityDescriptor);

// How a token was elevated; a token that cannot be read is not split at all.
Elevation ElevationOf(void* token);

}  // namespace os
