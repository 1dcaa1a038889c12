#pragma once
// The caption buttons' faces drawn at any size. At 100 % the buttons show
// their picture strips; at other scales the program draws the same design
// itself, as tools/make_caption_buttons.py draws the strips: a rounded rim, a
// face lit from the top left with a soft glow inside the rim, and the glyph on
// whole design pixels, over the title band's colour. A host test holds the two
// to each other pixel for pixel at 100 %.
#include "ControlButton.h"

#include <cstdint>
#include <vector>

// The face of frame `index` of a strip (as the strips order them by theme and
// state), `size` pixels square, as 0x00RRGGBB rows top-down; empty for an
// index the strip does not hold.
std::vector<std::uint32_t> DrawCaptionFace(CaptionPictureSet set, int index, int size);
