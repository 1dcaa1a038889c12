#include "CaptionFace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr double kDesign = 21;  // the design's size in pixels

struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};

Rgba Hex(std::uint32_t h, double a = 1.0) { return {(h >> 16 & 255) / 255.0, (h >> 8 & 255) / 255.0, (h & 255) / 255.0, a}; }

Rgba Mix(const Rgba& c0, const Rgba& c1, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {c0.r + (c1.r - c0.r) * t, c0.g + (c1.g - c0.g) * t, c0.b + (c1.b - c0.b) * t, c0.a + (c1.a - c0.a) * t};
}

// Desaturated by k and lightened toward a colour by k: the inactive look.
Rgba Wash(const Rgba& c, double k, const Rgba& toward)
{
    const double grey = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
    return Mix(Mix(c, Rgba{grey, grey, grey, c.a}, k * 0.7), toward, k);
}

const Rgba kWhite = Hex(0xFFFFFF);

struct Theme {
    Rgba band[2];  // active, inactive
    Rgba face[3];  // top-left light, bottom-right dark, rim
    Rgba close[3];
    Rgba glyph, closeGlyph;
    bool hasInactiveGlyph;
    Rgba inactiveGlyph;
    double hover, closeHover;
};

const Theme& ThemeOf(int theme)
{
    static const Theme themes[3] = {
        {{Hex(0x0058E6), Hex(0x7A96DF)}, {Hex(0x7FA0FF), Hex(0x0F60F0), Hex(0x0B3BA8)},
         {Hex(0xF08C62), Hex(0xD8400A), Hex(0x9C2A04)}, kWhite, kWhite, false, {}, 0.25, 0.25},
        {{Hex(0x94A366), Hex(0xC4CBA8)}, {Hex(0xBFC6AA), Hex(0x859458), Hex(0x5E6B38)},
         {Hex(0xF08C62), Hex(0xD8400A), Hex(0x9C2A04)}, kWhite, kWhite, false, {}, 0.25, 0.25},
        {{Hex(0xC0C0D6), Hex(0xE4E4EE)}, {Hex(0xE6E5EE), Hex(0xADAEC6), Hex(0x8C8CA8)},
         {Hex(0xF28981), Hex(0xCE595F), Hex(0xA0404A)}, Hex(0x252536), kWhite, true, Hex(0x6E6D8F), 0.5, 0.25},
    };
    return themes[theme];
}

enum class State { Active, Hover, Pressed, Inactive, Disabled };

// The strips' frame order: per theme blue, olive, silver; silver's in reverse.
bool FrameOf(CaptionPictureSet set, int index, int& theme, State& state)
{
    using S = State;
    static constexpr std::array<std::pair<int, S>, 12> kThreeState = {{{0, S::Active}, {0, S::Hover}, {0, S::Pressed},
        {0, S::Inactive}, {1, S::Active}, {1, S::Hover}, {1, S::Pressed}, {1, S::Inactive}, {2, S::Inactive},
        {2, S::Pressed}, {2, S::Hover}, {2, S::Active}}};
    static constexpr std::array<std::pair<int, S>, 15> kWithDisabled = {{{0, S::Active}, {0, S::Hover},
        {0, S::Pressed}, {0, S::Inactive}, {0, S::Disabled}, {1, S::Active}, {1, S::Hover}, {1, S::Pressed},
        {1, S::Inactive}, {1, S::Disabled}, {2, S::Disabled}, {2, S::Inactive}, {2, S::Pressed}, {2, S::Hover},
        {2, S::Active}}};
    if (index < 0)
        return false;
    const auto pick = [&](const auto& order) {
        if (static_cast<std::size_t>(index) >= order.size())
            return false;
        theme = order[static_cast<std::size_t>(index)].first;
        state = order[static_cast<std::size_t>(index)].second;
        return true;
    };
    return set == CaptionPictureSet::CbMax ? pick(kWithDisabled) : pick(kThreeState);
}

// The glyph's whole design pixels, row by row.
struct Cells {
    std::array<bool, 21 * 21> on{};
    void Set(int x0, int y0, int x1, int y1, bool value)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                on[static_cast<std::size_t>(y * 21 + x)] = value;
    }
    // A window: a thick top edge for its title bar, thin other edges.
    void Window(int x0, int y0, int x1, int y1, int top)
    {
        Set(x0, y0, x1, y1, true);
        Set(x0 + 1, y0 + top, x1 - 1, y1 - 1, false);
    }
    bool At(double x, double y) const
    {
        const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
        return cx >= 0 && cy >= 0 && cx < 21 && cy < 21 && on[static_cast<std::size_t>(cy * 21 + cx)];
    }
};

Cells Glyph(CaptionPictureSet set)
{
    Cells cells;
    switch (set) {
    case CaptionPictureSet::CbMin:
        cells.Set(5, 13, 11, 16, true);
        return cells;
    case CaptionPictureSet::CbMax:
        cells.Window(5, 5, 16, 16, 3);
        return cells;
    case CaptionPictureSet::CbRestore: {
        // The front window hides the back one wherever they overlap.
        cells.Window(8, 5, 16, 13, 2);
        cells.Set(5, 8, 13, 16, false);
        Cells front;
        front.Window(5, 8, 13, 16, 2);
        for (std::size_t i = 0; i < cells.on.size(); ++i)
            cells.on[i] = cells.on[i] || front.on[i];
        return cells;
    }
    case CaptionPictureSet::CbClose: break;
    }
    // Two diagonals two pixels wide per row, crossing in the middle.
    constexpr int n = 9, x0 = 6, y0 = 6;
    for (int k = 0; k < n; ++k)
        for (const int x : {x0 + k, x0 + k + 1, x0 + n - k - 1, x0 + n - k})
            cells.Set(x, y0 + k, x + 1, y0 + k + 1, true);
    return cells;
}

// The rounded rectangle's signed distance (negative inside), in design pixels.
double RoundRect(double x, double y, double x0, double y0, double x1, double y1, double r)
{
    const double qx = std::abs(x - (x0 + x1) / 2) - (x1 - x0) / 2 + r;
    const double qy = std::abs(y - (y0 + y1) / 2) - (y1 - y0) / 2 + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

// Premultiplied samples, `samples` a pixel, painted in the design's units.
class Canvas {
public:
    Canvas(int size, double zoom)
        : m_Size(size), m_Ss(size <= 16 ? 8 : size <= 32 ? 6 : 4), m_N(size * m_Ss),
          m_PerUnit(m_Ss * zoom), m_Buffer(static_cast<std::size_t>(m_N) * m_N, Rgba{0, 0, 0, 0})
    {
    }
    // Paints where the distance is inside; coverage ramps across one sample.
    template <typename Distance, typename Paint>
    void Fill(const Distance& distance, const Paint& paint)
    {
        const double soft = 1.0 / m_PerUnit;
        for (int j = 0; j < m_N; ++j) {
            const double y = (j + 0.5) / m_PerUnit;
            for (int i = 0; i < m_N; ++i) {
                const double x = (i + 0.5) / m_PerUnit;
                const double cover = 0.5 - distance(x, y) / soft;
                if (cover <= 0.0)
                    continue;
                const Rgba c = paint(x, y);
                const double a = c.a * std::min(cover, 1.0), keep = 1.0 - a;
                Rgba& s = m_Buffer[static_cast<std::size_t>(j) * m_N + i];
                s = {s.r * keep + c.r * a, s.g * keep + c.g * a, s.b * keep + c.b * a, s.a * keep + a};
            }
        }
    }
    // Each pixel the mean of its samples, as 8-bit straight colour.
    std::vector<std::uint32_t> Pixels() const
    {
        std::vector<std::uint32_t> out;
        for (int py = 0; py < m_Size; ++py)
            for (int px = 0; px < m_Size; ++px) {
                Rgba sum{0, 0, 0, 0};
                for (int j = py * m_Ss; j < py * m_Ss + m_Ss; ++j)
                    for (int i = px * m_Ss; i < px * m_Ss + m_Ss; ++i) {
                        const Rgba& s = m_Buffer[static_cast<std::size_t>(j) * m_N + i];
                        sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
                    }
                if (sum.a / (m_Ss * m_Ss) < 0.5 / 255) {
                    out.push_back(0);
                    continue;
                }
                const auto channel = [&](double v) {
                    return static_cast<std::uint32_t>(std::min(255.0, std::floor(v / sum.a * 255 + 0.5)));
                };
                out.push_back(channel(sum.r) << 16 | channel(sum.g) << 8 | channel(sum.b));
            }
        return out;
    }

private:
    int m_Size, m_Ss, m_N;
    double m_PerUnit;
    std::vector<Rgba> m_Buffer;
};

}  // namespace

std::vector<std::uint32_t> DrawCaptionFace(CaptionPictureSet set, int index, int size)
{
    int themeIndex = 0;
    State state = State::Active;
    if (size <= 0 || !FrameOf(set, index, themeIndex, state))
        return {};
    const Theme& t = ThemeOf(themeIndex);
    const bool close = set == CaptionPictureSet::CbClose;
    const bool inactive = state == State::Inactive;
    const Rgba band = t.band[inactive ? 1 : 0];
    const Rgba* face = close ? t.close : t.face;
    Rgba light = face[0], dark = face[1], rim = face[2];
    Rgba ink = close ? t.closeGlyph : t.glyph;
    double inkAlpha = 1.0;
    if (state == State::Hover) {
        const double k = close ? t.closeHover : t.hover;
        light = Mix(light, kWhite, k);
        dark = Mix(dark, kWhite, k);
        rim = Mix(rim, kWhite, k);
    } else if (state == State::Pressed) {
        // Darker, with the light moved to the bottom right as if pushed in.
        const Rgba black{0, 0, 0, 1};
        const Rgba pressedLight = Mix(dark, black, 0.25), pressedDark = Mix(dark, light, 0.35);
        light = pressedLight;
        dark = pressedDark;
        rim = Mix(rim, black, 0.2);
    } else if (inactive) {
        light = Wash(light, 0.45, band);
        dark = Wash(dark, 0.45, band);
        rim = Wash(rim, 0.45, band);
        if (!close && t.hasInactiveGlyph)
            ink = t.inactiveGlyph;
        else
            inkAlpha = 0.8;
    } else if (state == State::Disabled) {
        inkAlpha = 0.35;
    }

    const double S = kDesign;
    Canvas canvas(size, size / S);
    const auto solid = [](Rgba c) { return [c](double, double) { return c; }; };
    const auto linear = [S](Rgba c0, Rgba c1) {
        return [=](double x, double y) { return Mix(c0, c1, ((x - 1) * (S - 2) + (y - 1) * (S - 2)) / (2 * (S - 2) * (S - 2))); };
    };
    const auto outer = [S](double x, double y) { return RoundRect(x, y, 0, 0, S, S, 3); };
    const auto inner = [outer](double x, double y) { return outer(x, y) + 1; };
    // The title band's colour where the face is not: these pictures have no alpha.
    canvas.Fill([S](double x, double y) { return RoundRect(x, y, -1, -1, S + 1, S + 1, 0); }, solid(band));
    canvas.Fill(outer, solid(rim));
    canvas.Fill(inner, linear(light, dark));
    // A glow inside the rim that fades toward the middle gives the face its
    // cushioned look; it is brightest along the top left.
    const auto lit = linear(Rgba{1, 1, 1, 0.6}, Rgba{1, 1, 1, 0.3});
    canvas.Fill(inner, [&](double x, double y) {
        Rgba c = lit(x, y);
        const double fade = std::max(0.0, 1 + inner(x, y) / 3.5);
        c.a *= fade * fade;
        return c;
    });
    const Cells glyph = Glyph(set);
    canvas.Fill(
        [&glyph](double x, double y) { return glyph.At(x, y) ? -0.5 : 0.5; },
        solid(Rgba{ink.r, ink.g, ink.b, inkAlpha}));
    return canvas.Pixels();
}
