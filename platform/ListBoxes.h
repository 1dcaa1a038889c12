#pragma once
// The one list-box message the engine sends itself: the tab stops of the mounted list.
#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;

class ListBoxes {
public:
    virtual ~ListBoxes() = default;
    // LB_SETTABSTOPS with count entries of stops, in dialog template units.
    virtual void SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops) = 0;
};

}  // namespace platform
