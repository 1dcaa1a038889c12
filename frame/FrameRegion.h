#pragma once
// The window region of a skinned window: its two top corners rounded off with a
// fixed profile (5, 3, 2, 1 and 1 pixels in the first five rows), the bottom
// corners square.
#include <array>

namespace frame {

struct RegionRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool operator==(const RegionRect&) const = default;
};

struct TwipSize {
    double width = 0, height = 0;
};

// A window never gets smaller than 1695 x 615 twips.
TwipSize AtLeastMinimum(TwipSize size);

// The six rectangles whose union is the region of a window of that size (in
// twips, already at least the minimum), in pixels of the window.
std::array<RegionRect, 6> RegionRects(TwipSize size, double twipsPerPixelX, double twipsPerPixelY);

}  // namespace frame
