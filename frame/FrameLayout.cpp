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

Layout Repos(const LayoutInput& in)
{
    Layout out;
    out.heightTwips = in.heightTwips < kMinHeightTwips ? kMinHeightTwips : in.heightTwips;
    out.widthTwips = in.widthTwips < kMinWidthTwips ? kMinWidthTwips : in.widthTwips;
    const float W = static_cast<float>(out.widthTwips / in.twipsPerPixelX);
    const float H = static_cast<float>(out.heightTwips / in.twipsPerPixelY);

    out.TitleLeft = {0, 0, in.titleLeftWidth, kTitleHeight};
    out.Title = {in.titleLeftWidth, 0, W - in.titleLeftWidth - in.titleRightWidth, kTitleHeight};
    out.pICmenu.top = out.Title.top + out.Title.height;
    out.TitleRight = {out.Title.left + out.Title.width, 0, in.titleRightWidth, kTitleHeight};
    out.BottomLeft = {0, H - kBorder, kBorder, kBorder};
    out.BottomRight = {W - kBorder, H - kBorder, kBorder, kBorder};
    const float sideTop = out.TitleLeft.top + out.TitleLeft.height;
    out.Left = {0, sideTop, kBorder, out.BottomLeft.top - sideTop};
    const float rightTop = out.TitleRight.top + out.TitleRight.height;
    out.Right = {W - kBorder, rightTop, kBorder, out.BottomRight.top - rightTop};
    out.Bottom = {kBorder, H - kBorder, W - kBorder - kBorder, kBorder};
    out.pICmenu.width = out.Bottom.width;
    out.pICmenu.left = out.Bottom.left;
    out.menuLineX2Twips = out.pICmenu.width * ui::kDesignTwipsPerPixel;

    // Right to left, each centred in the band; a hidden button keeps its slot.
    out.CloseButton = {out.Right.left - in.closeWidth - 2, (kTitleHeight - in.closeHeight) / 2, in.closeWidth,
                       in.closeHeight};
    out.MaximizeButton = {out.CloseButton.left - in.maximizeWidth - 2, (kTitleHeight - in.maximizeHeight) / 2,
                          in.maximizeWidth, in.maximizeHeight};
    out.Minimizebutton = {out.MaximizeButton.left - in.minimizeWidth - 2, (kTitleHeight - in.minimizeHeight) / 2,
                          in.minimizeWidth, in.minimizeHeight};

    out.TitleIcon = {out.Left.left + out.Left.width + 2, static_cast<float>(in.iconTop), in.iconWidth, in.iconWidth};
    out.Caption1.left = in.iconVisible ? out.TitleIcon.left + out.TitleIcon.width + 3
                                       : out.Left.left + out.Left.width + 2.5f;
    out.Caption1.top = static_cast<float>((kTitleHeight - 13) / 2 - 9 + in.captionFontSize + in.titleTop);
    const float rightLimit = in.minimizeVisible   ? out.Minimizebutton.left
                             : in.maximizeVisible ? out.MaximizeButton.left
                                                  : out.CloseButton.left;
    // The origin follows the icon's place even when only the icon is hidden.
    const float origin = (!in.minimizeVisible && !in.iconVisible) ? out.Left.left + out.Left.width
                                                                   : out.TitleIcon.left + out.TitleIcon.width;
    out.Caption1.width = rightLimit - origin - 10;

    if (in.menuVisible) {
        const double M = in.menuHeight;
        out.resize = {ToEventInteger(M * ui::kDesignTwipsPerPixel + 450),
                      ToEventInteger(out.heightTwips - 510 - M * ui::kDesignTwipsPerPixel),
                      ToEventInteger(out.widthTwips - 120)};
        out.PicMainTop = static_cast<float>(M) + 30;
    } else {
        out.resize = {ToEventInteger(450), ToEventInteger(out.heightTwips - 510), ToEventInteger(out.widthTwips - 120)};
        out.PicMainTop = 30;
    }
    return out;
}

}  // namespace frame
