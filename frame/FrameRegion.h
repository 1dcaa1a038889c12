#pragma once
// The window region of a skinned window: its two top corners rounded off with a
// fixed profile (5, 3, 2, 1 and 1 pixels in the first five rows at 96 DPI,
// each row and cut scaled with the DPI), the bottom corners square.
#include <vector>

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

// The rectangles whose union is the region of a window of that size (in
// twips, already at least the minimum), in pixels of the window: one a row of
// the corners' profile, then the rest of the window.
std::vector<RegionRect> RegionRects(TwipSize size, double twipsPerPixelX, double twipsPerPixelY);

// How many pixels the profile cuts off each end of row y, at that many twips
// per pixel; 0 below the profile. The frame's pictures cut the same.
int CornerCut(int y, double twipsPerPixel);

}  // namespace frame
