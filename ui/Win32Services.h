#pragma once
// The real window services: the Win32 calls behind the toolkit's interfaces.
#include "Services.h"

namespace ui {

Services& Win32Services();

}  // namespace ui
