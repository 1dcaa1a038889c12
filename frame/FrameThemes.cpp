#include "FrameThemes.h"

#include "ui/Scale.h"

#include <iterator>

namespace frame {

std::optional<int> ThemeIndex(int scheme, bool active)
{
    if (scheme < kBlue || scheme > kSilver)
        return std::nullopt;
    return scheme * 2 + (active ? 0 : 1);
}

ui::Color CaptionColor(int scheme, bool active)
{
    if (scheme != kSilver)
        return 0xFFFFFF;
    return active ? 0x000000 : 0xC0C0C0;
}

PictureSize PieceSize(int list, int index)
{
    static constexpr PictureSize sizes[8][6] = {
        {{1, 30}, {63, 30}, {28, 30}, {35, 30}, {15, 30}, {16, 30}},  // Title
        {{10, 30}, {10, 30}, {11, 30}, {11, 30}, {15, 30}, {15, 30}},  // TitleLeft
        {{10, 30}, {10, 30}, {13, 30}, {15, 30}, {16, 30}, {14, 30}},  // TitleRight
        {{4, 1}, {4, 182}, {4, 18}, {4, 16}, {4, 11}, {4, 7}},        // Left
        {{4, 1}, {4, 140}, {4, 23}, {4, 15}, {4, 9}, {4, 8}},         // Right
        {{1, 4}, {82, 4}, {13, 4}, {11, 4}, {6, 4}, {5, 4}},          // Bottom
        {{4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}},             // BottomRight
        {{4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}},             // BottomLeft
    };
    if (list < 1 || list > 8 || index < 0 || index > 5)
        return {};
    return sizes[list - 1][index];
}

int PictureSetFor(int dpi)
{
    for (const int percent : kPictureSets)
        if (percent * ui::kDesignDpi >= dpi * 100)
            return percent;
    return kPictureSets[std::size(kPictureSets) - 1];
}

}  // namespace frame
