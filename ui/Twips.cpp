#include "Twips.h"

#include <cmath>

namespace ui {

namespace {
double g_twipsPerPixelX = 15.0;
double g_twipsPerPixelY = 15.0;

int Round(double value) { return static_cast<int>(std::lround(value)); }
}  // namespace

double TwipsPerPixelX() { return g_twipsPerPixelX; }
double TwipsPerPixelY() { return g_twipsPerPixelY; }

void SetTwipsPerPixel(double x, double y)
{
    if (x > 0)
        g_twipsPerPixelX = x;
    if (y > 0)
        g_twipsPerPixelY = y;
}

int TwipsToPixelsX(double twips) { return Round(twips / g_twipsPerPixelX); }
int TwipsToPixelsY(double twips) { return Round(twips / g_twipsPerPixelY); }
int PixelsToTwipsX(double pixels) { return Round(pixels * g_twipsPerPixelX); }
int PixelsToTwipsY(double pixels) { return Round(pixels * g_twipsPerPixelY); }

}  // namespace ui
