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

const Scale& ScreenScale() { return g_screen; }
void ScreenScale(const Scale& New_ScreenScale) { g_screen = New_ScreenScale; }

}  // namespace ui
