#pragma once
// The real platform: the Win32 calls behind the engine's interfaces.
#include "Platform.h"

namespace platform {

Platform& Win32();

}  // namespace platform
