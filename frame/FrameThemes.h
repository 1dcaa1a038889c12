#pragma once
// The frame's colour schemes: which of the six pictures of each piece list a
// scheme and variant use, the caption colour, and the pictures' sizes.
#include "ui/UiTypes.h"

#include <optional>

namespace frame {

constexpr int kBlue = 0;
constexpr int kOlive = 1;
constexpr int kSilver = 2;

// The picture index of a scheme's active or inactive variant; none for a scheme
// that has no pictures.
std::optional<int> ThemeIndex(int scheme, bool active);

// Black and light grey in silver, white otherwise.
ui::Color CaptionColor(int scheme, bool active);

// The picture lists, one per piece.
constexpr int kTitleList = 1, kTitleLeftList = 2, kTitleRightList = 3, kLeftList = 4, kRightList = 5,
              kBottomList = 6, kBottomRightList = 7, kBottomLeftList = 8;

struct PictureSize {
    int width = 0, height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The size of picture `index` of list `list` (1 to 8: Title, TitleLeft,
// TitleRight, Left, Right, Bottom, BottomRight, BottomLeft), at 100 %.
PictureSize PieceSize(int list, int index);

// The scales the pieces are drawn at, in percent; 100 is the design's.
constexpr int kPictureSets[] = {100, 125, 150, 175, 200};
// The set drawn for a window of that DPI: the nearest at or above its scale,
// the largest past them all. Only tiling pieces are stretched much; the ends
// and corners are at most a step too large, and shrink to their places.
int PictureSetFor(int dpi);

}  // namespace frame
