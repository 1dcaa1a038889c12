#pragma once
// The real session and Task Scheduler, for the real system.
#include "Session.h"
#include "Tasks.h"

namespace os {

Session& Win32Session();
Tasks& Win32Tasks();

}  // namespace os
