#include "FrameRegion.h"

#include "FrameLayout.h"

#include "ui/Scale.h"

#include <algorithm>
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

namespace {
constexpr int kProfile[] = {5, 3, 2, 1, 1};  // the cut of each of the design's rows
constexpr int kProfileRows = 5;

double ScaleOf(double twipsPerPixel) { return ui::kDesignTwipsPerPixel / twipsPerPixel; }
int ProfileRows(double twipsPerPixel) { return static_cast<int>(std::lround(kProfileRows * ScaleOf(twipsPerPixel))); }
}  // namespace

int CornerCut(int y, double twipsPerPixel)
{
    if (y < 0 || y >= ProfileRows(twipsPerPixel))
        return 0;
    const double scale = ScaleOf(twipsPerPixel);
    const int designRow = std::min(kProfileRows - 1, static_cast<int>(y / scale));
    return static_cast<int>(std::lround(kProfile[designRow] * scale));
}

std::vector<RegionRect> RegionRects(TwipSize size, double twipsPerPixelX, double twipsPerPixelY)
{
    const float W = static_cast<float>(size.width / twipsPerPixelX);
    const float H = static_cast<float>(size.height / twipsPerPixelY);
    // Right and bottom edges round to the nearest pixel, halves to even.
    const auto edge = [](float value) { return static_cast<int>(std::nearbyint(value)); };
    std::vector<RegionRect> rects;
    const int rows = ProfileRows(twipsPerPixelY);
    for (int y = 0; y < rows; ++y) {
        const int cut = CornerCut(y, twipsPerPixelY);
        rects.push_back({cut, y, edge(W - static_cast<float>(cut)), y + 1});
    }
    rects.push_back({0, rows, edge(W), edge(H)});
    return rects;
}

}  // namespace frame
