#pragma once
// The one list-box message the program sends itself: the tab stops of the mounted list.
#include "UiTypes.h"

#include <cstdint>

namespace ui {

class ListBoxes {
public:
    virtual ~ListBoxes() = default;
    // LB_SETTABSTOPS with count entries of stops, in dialog template units.
    virtual void SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops) = 0;
};

}  // namespace ui
