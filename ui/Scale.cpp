#include "Scale.h"

#include <cmath>

namespace ui {

namespace {
Scale g_screen;

int Round(double value) { return static_cast<int>(std::lround(value)); }
}  // namespace

int Scale::TwipsToPixelsX(double twips) const { return Round(twips / TwipsPerPixelX()); }
int Scale::TwipsToPixelsY(double twips) const { return Round(twips / TwipsPerPixelY()); }
int Scale::PixelsToTwipsX(double pixels) const { return Round(pixels * TwipsPerPixelX()); }
int Scale::PixelsToTwipsY(double pixels) const { return Round(pixels * TwipsPerPixelY()); }
int Scale::Pixels(int designPixels) const { return Round(static_cast<double>(designPixels) * m_DpiY / kDesignDpi); }

int FontPixels(double points, int dpi) { return Round(points * dpi / 72.0); }

std::string FaceAtDpi(const std::string& face, double points, int dpi)
{
    constexpr int kLargestBitmap = 24;
    if (face == "MS Sans Serif" && FontPixels(points, dpi) > kLargestBitmap)
        return "Microsoft Sans Serif";
    return face;
}

const Scale& ScreenScale() { return g_screen; }
void ScreenScale(const Scale& New_ScreenScale) { g_screen = New_ScreenScale; }

}  // namespace ui
