#pragma once
// The real system: the Win32 calls behind the engine's interfaces.
#include "System.h"

namespace os {

System& Win32();

}  // namespace os
