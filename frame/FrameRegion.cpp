#include "FrameRegion.h"

#include "FrameLayout.h"

#include <cmath>

namespace frame {

TwipSize AtLeastMinimum(TwipSize size)
{
    if (size.height < kMinHeightTwips)
        size.height = kMinHeightTwips;
    if (size.width < kMinWidthTwips)
        size.width = kMinWidthTwips;
    return size;
}

std::array<RegionRect, 6> RegionRects(TwipSize size, double twipsPerPixelX, double twipsPerPixelY)
{
    const float W = static_cast<float>(size.width / twipsPerPixelX);
    const float H = static_cast<float>(size.height / twipsPerPixelY);
    // Right and bottom edges round to the nearest pixel, halves to even.
    const auto edge = [](float value) { return static_cast<int>(std::nearbyint(value)); };
    return {{
        {5, 0, edge(W - 5), 1},
        {3, 1, edge(W - 3), 2},
        {2, 2, edge(W - 2), 3},
        {1, 3, edge(W - 1), 4},
        {1, 4, edge(W - 1), 5},
        {0, 5, edge(W), edge(H)},
    }};
}

}  // namespace frame
