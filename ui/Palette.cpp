#include "Palette.h"

#include <cmath>
#include <iterator>

namespace ui {

namespace {

constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

constexpr int kGrayText = 17;

struct SystemPair {
    int text, back;
};

SystemPair PairOf(Surface surface)
{
    switch (surface) {
    case Surface::Window: return {8, 5};      // window text on window
    case Surface::Menu: return {7, 4};        // menu text on menu
    case Surface::Highlight: return {14, 13};  // highlighted text on highlight
    case Surface::Face: break;
    }
    return {18, 15};  // button text on button face
}

Color RgbOf(Color color, Palette& palette)
{
    return IsSystemColor(color) ? palette.SystemRgb(static_cast<int>(color & 0xFF)) & 0xFFFFFF : color & 0xFFFFFF;
}

double Luminance(Color color)
{
    const auto channel = [](unsigned value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color & 0xFF) + 0.7152 * channel((color >> 8) & 0xFF) +
           0.0722 * channel((color >> 16) & 0xFF);
}

}  // namespace

Color DesignRgb(int index)
{
    static constexpr Color kXp[] = {
        Rgb(212, 208, 200), Rgb(0, 78, 152),    Rgb(0, 84, 227),    Rgb(122, 150, 223), Rgb(255, 255, 255),
        Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
        Rgb(212, 208, 200), Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(49, 106, 197),  Rgb(255, 255, 255),
        Rgb(236, 233, 216), Rgb(172, 168, 153), Rgb(172, 168, 153), Rgb(0, 0, 0),       Rgb(216, 228, 248),
        Rgb(255, 255, 255), Rgb(113, 111, 100), Rgb(241, 239, 226), Rgb(0, 0, 0),       Rgb(255, 255, 225),
        Rgb(181, 181, 181), Rgb(0, 0, 128),     Rgb(61, 149, 255),  Rgb(157, 185, 235), Rgb(49, 106, 197),
        Rgb(236, 233, 216),
    };
    return index >= 0 && index < static_cast<int>(std::size(kXp)) ? kXp[index] : Rgb(0, 0, 0);
}

double ContrastRatio(Color a, Color b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

TextColors Readable(Color text, Color back, Surface surface, bool enabled, Palette& palette)
{
    if (palette.HighContrast()) {
        const SystemPair pair = PairOf(surface);
        return {SystemColor(enabled ? pair.text : kGrayText), SystemColor(pair.back)};
    }
    // A system colour beside a fixed one is drawn as the design had it.
    if (IsSystemColor(text) && !IsSystemColor(back))
        text = DesignRgb(static_cast<int>(text & 0xFF));
    else if (IsSystemColor(back) && !IsSystemColor(text))
        back = DesignRgb(static_cast<int>(back & 0xFF));
    if (enabled) {
        const Color backRgb = RgbOf(back, palette);
        if (ContrastRatio(RgbOf(text, palette), backRgb) < kMinimumContrast)
            text = ContrastRatio(Rgb(0, 0, 0), backRgb) >= ContrastRatio(Rgb(255, 255, 255), backRgb) ? Rgb(0, 0, 0)
                                                                                                    : Rgb(255, 255, 255);
    }
    return {text, back};
}

Color Backdrop(Color back, Surface surface, Palette& palette)
{
    return palette.HighContrast() ? SystemColor(PairOf(surface).back) : back;
}

}  // namespace ui
