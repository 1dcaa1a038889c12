#pragma once
// Where every piece of the skinned frame goes for a given frame size: the title
// band and its ends, the borders and bottom corners, the caption buttons, the
// icon and caption, the menu strip and the client area, and the client
// rectangle the frame reports to its host.
#include <cstdint>

namespace frame {

constexpr double kMinWidthTwips = 1695;
constexpr double kMinHeightTwips = 615;
constexpr float kTitleHeight = 30;  // design pixels, as every size below
constexpr float kBorder = 4;

// A design pixel figure at the scale of a window of that many twips per pixel
// (dpi / 96 = 15 / twips per pixel), rounded to whole pixels.
float ScaledPixels(double designPixels, double twipsPerPixel);

// A piece's place in pixels of the frame (fractions are rounded by whatever places it).
struct PieceRect {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PieceRect&) const = default;
};

// The pieces' own sizes and settings the layout reads. Sizes are the 96-DPI
// design's pixels; the layout scales them, and every frame figure, to the
// window's DPI (1440 / twips per pixel), rounding each to whole pixels. At 96
// DPI every figure is the design's.
struct LayoutInput {
    double widthTwips = 0, heightTwips = 0;
    double twipsPerPixelX = 15, twipsPerPixelY = 15;
    float titleLeftWidth = 10, titleRightWidth = 10;  // the ends' current pictures
    float closeWidth = 21, closeHeight = 21;
    float maximizeWidth = 21, maximizeHeight = 21;
    float minimizeWidth = 21, minimizeHeight = 21;
    bool minimizeVisible = true, maximizeVisible = true;
    bool iconVisible = true;
    float iconWidth = 16;
    std::int16_t iconTop = 7;
    std::int16_t titleTop = -2;
    double captionFontSize = 9.75;  // points
    bool menuVisible = false;
    float menuHeight = 24;
};

// The client rectangle reported to the host, in twips, 16-bit as the event carries it.
struct ResizeArgs {
    std::int16_t IsTop = 0, IsHeight = 0, IsWidth = 0;
    bool operator==(const ResizeArgs&) const = default;
};

struct Layout {
    double widthTwips = 0, heightTwips = 0;  // after the minimum size
    PieceRect TitleLeft, Title, TitleRight;
    PieceRect Left, Right, Bottom, BottomLeft, BottomRight;
    PieceRect CloseButton, MaximizeButton, Minimizebutton;
    PieceRect TitleIcon;
    PieceRect Caption1;  // left, top and the width it is given before it sizes itself to its text
    PieceRect pICmenu;   // the menu strip, whether it shows or not
    float PicMainTop = 0;
    ResizeArgs resize;
    float menuLineX2Twips = 0;  // the strip's separator lines reach its full width
};

Layout Repos(const LayoutInput& input);

// A value the resize event cannot carry is held at the nearest one it can.
std::int16_t ToEventInteger(double twips);

}  // namespace frame
