#pragma once
// Twips (1/1440 inch) and pixels. The program declares itself DPI-unaware, so
// Windows shows it 96 DPI and 15 twips per pixel; the ratio is still read from
// the screen so that the conversions stay right wherever it is not.
namespace ui {

double TwipsPerPixelX();
double TwipsPerPixelY();

// For tests and for the screen reading at start-up.
void SetTwipsPerPixel(double x, double y);

// Rounded to the nearest pixel or twip, halves away from zero.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(double pixels);
int PixelsToTwipsY(double pixels);

}  // namespace ui
