#include "FrameLayout.h"

#include "ui/Scale.h"

#include <cmath>
#include <limits>

namespace frame {

std::int16_t ToEventInteger(double twips)
{
    const double rounded = std::nearbyint(twips);
    if (rounded > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (rounded < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(rounded);
}

float ScaledPixels(double designPixels, double twipsPerPixel)
{
    return static_cast<float>(std::lround(designPixels * ui::kDesignTwipsPerPixel / twipsPerPixel));
}

Layout Repos(const LayoutInput& in)
{
    const auto px = [&](double design) { return ScaledPixels(design, in.twipsPerPixelY); };
    const float kTitleHeight = px(frame::kTitleHeight), kBorder = px(frame::kBorder), gap = px(2);
    const float titleLeftWidth = px(in.titleLeftWidth), titleRightWidth = px(in.titleRightWidth);
    const float closeWidth = px(in.closeWidth), closeHeight = px(in.closeHeight);
    const float maximizeWidth = px(in.maximizeWidth), maximizeHeight = px(in.maximizeHeight);
    const float minimizeWidth = px(in.minimizeWidth), minimizeHeight = px(in.minimizeHeight);
    const float iconWidth = px(in.iconWidth);
    const double scale = ui::kDesignTwipsPerPixel / in.twipsPerPixelY;
    Layout out;
    out.heightTwips = in.heightTwips < kMinHeightTwips ? kMinHeightTwips : in.heightTwips;
    out.widthTwips = in.widthTwips < kMinWidthTwips ? kMinWidthTwips : in.widthTwips;
    const float W = static_cast<float>(out.widthTwips / in.twipsPerPixelX);
    const float H = static_cast<float>(out.heightTwips / in.twipsPerPixelY);

    out.TitleLeft = {0, 0, titleLeftWidth, kTitleHeight};
    out.Title = {titleLeftWidth, 0, W - titleLeftWidth - titleRightWidth, kTitleHeight};
    out.pICmenu.top = out.Title.top + out.Title.height;
    out.TitleRight = {out.Title.left + out.Title.width, 0, titleRightWidth, kTitleHeight};
    out.BottomLeft = {0, H - kBorder, kBorder, kBorder};
    out.BottomRight = {W - kBorder, H - kBorder, kBorder, kBorder};
    const float sideTop = out.TitleLeft.top + out.TitleLeft.height;
    out.Left = {0, sideTop, kBorder, out.BottomLeft.top - sideTop};
    const float rightTop = out.TitleRight.top + out.TitleRight.height;
    out.Right = {W - kBorder, rightTop, kBorder, out.BottomRight.top - rightTop};
    out.Bottom = {kBorder, H - kBorder, W - kBorder - kBorder, kBorder};
    out.pICmenu.width = out.Bottom.width;
    out.pICmenu.left = out.Bottom.left;
    out.pICmenu.height = px(in.menuHeight);
    out.menuLineX2Twips = static_cast<float>(out.pICmenu.width * in.twipsPerPixelX);

    // Right to left, each centred in the band; a hidden button keeps its slot.
    out.CloseButton = {out.Right.left - closeWidth - gap, (kTitleHeight - closeHeight) / 2, closeWidth,
                       closeHeight};
    out.MaximizeButton = {out.CloseButton.left - maximizeWidth - gap, (kTitleHeight - maximizeHeight) / 2,
                          maximizeWidth, maximizeHeight};
    out.Minimizebutton = {out.MaximizeButton.left - minimizeWidth - gap, (kTitleHeight - minimizeHeight) / 2,
                          minimizeWidth, minimizeHeight};

    out.TitleIcon = {out.Left.left + out.Left.width + gap, px(in.iconTop), iconWidth, iconWidth};
    out.Caption1.left = in.iconVisible ? out.TitleIcon.left + out.TitleIcon.width + px(3)
                                       : out.Left.left + out.Left.width + static_cast<float>(2.5 * scale);
    // The caption's font grows with the DPI as the band does.
    out.Caption1.top =
        static_cast<float>(((frame::kTitleHeight - 13) / 2 - 9 + in.captionFontSize + in.titleTop) * scale);
    const float rightLimit = in.minimizeVisible   ? out.Minimizebutton.left
                             : in.maximizeVisible ? out.MaximizeButton.left
                                                  : out.CloseButton.left;
    // The origin follows the icon's place even when only the icon is hidden.
    const float origin = (!in.minimizeVisible && !in.iconVisible) ? out.Left.left + out.Left.width
                                                                   : out.TitleIcon.left + out.TitleIcon.width;
    out.Caption1.width = rightLimit - origin - px(10);

    // What is left inside the band, the strip and the borders, in twips at the
    // window's own ratio (at 96 DPI: 450 and 360 twips for the band and the
    // strip, 510 and 120 for the band and borders).
    const double M = in.menuVisible ? px(in.menuHeight) : 0;
    out.resize = {ToEventInteger((M + kTitleHeight) * in.twipsPerPixelY),
                  ToEventInteger(out.heightTwips - (kTitleHeight + kBorder + M) * in.twipsPerPixelY),
                  ToEventInteger(out.widthTwips - 2 * kBorder * in.twipsPerPixelX)};
    out.PicMainTop = static_cast<float>(M) + kTitleHeight;
    return out;
}

}  // namespace frame
