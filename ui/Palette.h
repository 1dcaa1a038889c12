#pragma once
// Colours as they are drawn. The windows' design mixes fixed colours (the XP
// beige of a form, the light blue of a lit menu item) with the system's (the
// text of a button). Mixed so, a text may vanish: a black high-contrast scheme
// makes button text white, which on the fixed beige reads at 1.2:1. The rule
// kept here: a text and what it is drawn on are both fixed or both the
// system's, and never read at less than 4.5:1; in high contrast every surface
// takes the system's colours, which the user chose to read.
#include "UiTypes.h"

namespace ui {

// The system's colours now, and whether the user asked for high contrast.
class Palette {
public:
    virtual ~Palette() = default;
    virtual bool HighContrast() = 0;
    // A system colour (its index, COLOR_*) as RGB.
    virtual Color SystemRgb(int index) = 0;
};

// The system pair a kind of surface takes in high contrast.
enum class Surface {
    Face,       // forms, labels, buttons: button face and button text
    Window,     // boxes and lists: window and window text
    Menu,       // menus and the menu strip: menu and menu text
    Highlight,  // a lit item: highlight and highlighted text
};

struct TextColors {
    Color text;
    Color back;
};

// The colours to draw a text on its back in. A disabled text keeps its look
// outside high contrast (greyed text is meant to read less), and is the
// system's grey text in it.
TextColors Readable(Color text, Color back, Surface surface, bool enabled, Palette& palette);

// The colour to fill a surface with no text of its own in: the surface's
// system colour in high contrast, back otherwise.
Color Backdrop(Color back, Surface surface, Palette& palette);

// The contrast of two RGB colours as WCAG measures it, from 1 to 21.
double ContrastRatio(Color a, Color b);
inline constexpr double kMinimumContrast = 4.5;

// A system colour's value in the scheme the design was drawn for (Windows XP's):
// what a system colour mixed with fixed ones is drawn as.
Color DesignRgb(int index);

}  // namespace ui
