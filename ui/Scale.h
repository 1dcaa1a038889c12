#pragma once
// The scale a window is drawn at: its DPI, the twips per pixel that follow
// from it (1440 / DPI), and the design's 96-DPI pixel figures at that DPI.
// Every conversion between twips and pixels goes through the scale of the
// window it is for. A window takes the screen's scale when it is made.
#include <string>

namespace ui {

// The DPI the windows were designed at, where a pixel is 15 twips.
inline constexpr int kDesignDpi = 96;
// A few places of the design fix 15 twips per pixel instead of asking the
// screen: the frame's resize event, its menu strip's separator line and the
// pointer it puts on the form's corner, and the frame placing its host. They
// were written for 96 DPI and keep that figure here, named once.
inline constexpr int kDesignTwipsPerPixel = 15;

class Scale {
public:
    constexpr Scale() = default;
    // Nonsense readings (0 or less) keep the design's DPI.
    constexpr Scale(int dpiX, int dpiY) : m_DpiX(dpiX > 0 ? dpiX : kDesignDpi), m_DpiY(dpiY > 0 ? dpiY : kDesignDpi) {}

    int DpiX() const { return m_DpiX; }
    int DpiY() const { return m_DpiY; }
    double TwipsPerPixelX() const { return 1440.0 / m_DpiX; }
    double TwipsPerPixelY() const { return 1440.0 / m_DpiY; }

    // Rounded to the nearest pixel or twip, halves away from zero.
    int TwipsToPixelsX(double twips) const;
    int TwipsToPixelsY(double twips) const;
    int PixelsToTwipsX(double pixels) const;
    int PixelsToTwipsY(double pixels) const;
    // A pixel figure of the 96-DPI design at this scale, rounded (screens
    // Windows runs on have one DPI both ways; the vertical one is taken).
    int Pixels(int designPixels) const;

    bool operator==(const Scale&) const = default;

private:
    int m_DpiX = kDesignDpi;
    int m_DpiY = kDesignDpi;
};

// A font of that many points at that DPI: its height in pixels, rounded.
int FontPixels(double points, int dpi);
// The face to make a font in at that DPI. MS Sans Serif is drawn from bitmaps
// no taller than 24 pixels; larger, it is its outline design, Microsoft Sans
// Serif, which keeps growing with the DPI.
std::string FaceAtDpi(const std::string& face, double points, int dpi);

// The screen's scale, read as the program starts (App::ReadScreenScale);
// the design's until then.
const Scale& ScreenScale();
void ScreenScale(const Scale& New_ScreenScale);

}  // namespace ui
