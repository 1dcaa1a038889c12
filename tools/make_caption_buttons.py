#!/usr/bin/env python3
"""Draws the caption buttons of Tavrik's skinned window frame and writes them
as 24-bit BMP strips of 21 x 21 frames (frame i at x = 21 * i).

Usage: python3 tools/make_caption_buttons.py [outdir]      (default: widgets/res)

Also writes a preview to /tmp/caption-preview.png for checking by eye.
Standard library only; the output is the same bytes on every run.
"""
import os
import struct
import sys

# Shares the drawing helpers of make_pictures.py; no .pyc left in the tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_pictures import Canvas, linear, mix, pixel_shape, png_bytes, rgb, rrect  # noqa: E402

SIZE = 21
PREVIEW = "/tmp/caption-preview.png"
WHITE = rgb(0xFFFFFF)


def wash(c, k, toward):
    """Desaturates by k and lightens toward a colour by k: the inactive look."""
    grey = 0.30 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    flat = mix(c, (grey, grey, grey, c[3]), k * 0.7)
    return mix(flat, toward, k)


# Per theme: the title band behind the buttons (active, inactive), the face of
# the ordinary buttons and of the close button as (top-left light, bottom-right
# dark, rim), the glyph colours, and how far hover lightens (the pale silver
# face needs more to show it).
THEMES = {
    "blue": {
        "band": (rgb(0x0058E6), rgb(0x7A96DF)),
        "face": (rgb(0x7FA0FF), rgb(0x0F60F0), rgb(0x0B3BA8)),
        "close": (rgb(0xF08C62), rgb(0xD8400A), rgb(0x9C2A04)),
        "glyph": WHITE,
        "close_glyph": WHITE,
        "hover": 0.25,
        "close_hover": 0.25,
    },
    "olive": {
        "band": (rgb(0x94A366), rgb(0xC4CBA8)),
        "face": (rgb(0xBFC6AA), rgb(0x859458), rgb(0x5E6B38)),
        "close": (rgb(0xF08C62), rgb(0xD8400A), rgb(0x9C2A04)),
        "glyph": WHITE,
        "close_glyph": WHITE,
        "hover": 0.25,
        "close_hover": 0.25,
    },
    "silver": {
        "band": (rgb(0xC0C0D6), rgb(0xE4E4EE)),
        "face": (rgb(0xE6E5EE), rgb(0xADAEC6), rgb(0x8C8CA8)),
        "close": (rgb(0xF28981), rgb(0xCE595F), rgb(0xA0404A)),
        "glyph": rgb(0x252536),
        "glyph_inactive": rgb(0x6E6D8F),
        "close_glyph": WHITE,
        "hover": 0.5,
        "close_hover": 0.25,
    },
}

# Frame order the program indexes by.
THREE_STATE = [("blue", s) for s in ("active", "hover", "pressed", "inactive")] \
    + [("olive", s) for s in ("active", "hover", "pressed", "inactive")] \
    + [("silver", s) for s in ("inactive", "pressed", "hover", "active")]
WITH_DISABLED = [("blue", s) for s in ("active", "hover", "pressed", "inactive", "disabled")] \
    + [("olive", s) for s in ("active", "hover", "pressed", "inactive", "disabled")] \
    + [("silver", s) for s in ("disabled", "inactive", "pressed", "hover", "active")]


# --- Glyphs as sets of whole pixels, so every stroke edge is crisp.

def box(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1) for x in range(x0, x1)}


def window_outline(x0, y0, x1, y1, top=3, side=1):
    """A window: thick top edge for its title bar, thin other edges."""
    return box(x0, y0, x1, y1) - box(x0 + side, y0 + top, x1 - side, y1 - side)


def glyph_min():
    return box(5, 13, 11, 16)


def glyph_max():
    return window_outline(5, 5, 16, 16)


def glyph_restore():
    # The front window hides the back one wherever they overlap.
    front = (5, 8, 13, 16)
    back = window_outline(8, 5, 16, 13, top=2) - box(*front)
    return back | window_outline(*front, top=2)


def glyph_close():
    # Two diagonals two pixels wide per row, crossing in the middle.
    n, x0, y0 = 9, 6, 6
    cells = set()
    for k in range(n):
        cells |= {(x0 + k, y0 + k), (x0 + k + 1, y0 + k)}
        cells |= {(x0 + n - k - 1, y0 + k), (x0 + n - k, y0 + k)}
    return cells


GLYPHS = {"min": glyph_min, "max": glyph_max, "restore": glyph_restore, "close": glyph_close}


# --- One frame.

def frame(kind, theme, state):
    t = THEMES[theme]
    inactive = state == "inactive"
    band = t["band"][1 if inactive else 0]
    light, dark, rim = t["close" if kind == "close" else "face"]
    ink = t["close_glyph" if kind == "close" else "glyph"]
    ink_alpha = 1.0
    if state == "hover":
        k = t["close_hover" if kind == "close" else "hover"]
        light, dark, rim = (mix(c, WHITE, k) for c in (light, dark, rim))
    elif state == "pressed":
        # Darker, with the light moved to the bottom right as if pushed in.
        black = (0, 0, 0, 1)
        light, dark, rim = mix(dark, black, 0.25), mix(dark, light, 0.35), mix(rim, black, 0.2)
    elif inactive:
        light, dark, rim = (wash(c, 0.45, band) for c in (light, dark, rim))
        if kind != "close" and "glyph_inactive" in t:
            ink = t["glyph_inactive"]
        else:
            ink_alpha = 0.8
    elif state == "disabled":
        ink_alpha = 0.35

    c = Canvas(SIZE)
    # No alpha in these BMPs: the corners outside the rounded face carry the
    # colour of the title band behind the button instead.
    c.fill(rrect(-1, -1, SIZE + 1, SIZE + 1), band)
    outer = rrect(0, 0, SIZE, SIZE, 3)
    c.fill(outer, rim)
    inner = outer.grow(-1)
    c.fill(inner, linear(1, 1, light, SIZE - 1, SIZE - 1, dark))
    # A glow inside the rim that fades toward the middle gives the face its
    # cushioned look; it is brightest along the top left.
    edge, lit = inner.sdf, linear(1, 1, (1, 1, 1, 0.6), SIZE - 1, SIZE - 1, (1, 1, 1, 0.3))
    c.fill(inner, lambda x, y: lit(x, y)[:3] + (lit(x, y)[3] * max(0.0, 1 + edge(x, y) / 3.5) ** 2,))
    c.fill(pixel_shape(GLYPHS[kind]()), ink[:3] + (ink_alpha,))
    return [[px[:3] for px in row] for row in c.pixels()]


STRIPS = [
    ("CbMin.bmp", "min", THREE_STATE),
    ("CbMax.bmp", "max", WITH_DISABLED),
    ("CbRestore.bmp", "restore", THREE_STATE),
    ("CbClose.bmp", "close", THREE_STATE),
]


def strip_rows(kind, order):
    frames = [frame(kind, theme, state) for theme, state in order]
    return [sum((f[y] for f in frames), []) for y in range(SIZE)]


# --- File writers.

def bmp_bytes(rows):
    """24-bit uncompressed BMP, rows stored bottom-up and padded to 4 bytes."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + bytes(pixels)


# 3 x 5 digits for frame numbers on the preview.
DIGITS = ["111101101101111", "010110010010111", "111001111100111", "111001111001111",
          "101101111001001", "111100111001111", "111100111101111", "111001001001001",
          "111101111101111", "111101111001111"]


def preview(strips):
    """Every strip at 4x with frame numbers, each frame on its own title band,
    then each theme's three buttons at 1x and 2x as a title bar would show them."""
    zoom, gap, label = 4, 6, 9
    cell = SIZE * zoom + gap
    width = gap + max(len(order) for _, _, order, _ in strips) * cell
    bars = [(theme, inactive) for theme in THEMES for inactive in (False, True)]
    bar_h = 2 * SIZE + 8
    height = gap + len(strips) * (label + SIZE * zoom + gap) + len(bars) * (bar_h + gap)
    img = [bytearray(b"\xff\xff\xff" * width) for _ in range(height)]

    def put(x, y, colour):
        img[y][x * 3:x * 3 + 3] = bytes(colour)

    def band(x0, y0, w, h, theme, inactive):
        base = THEMES[theme]["band"][1 if inactive else 0]
        for y in range(h):
            k = y / max(1, h - 1)
            col = mix(mix(base, WHITE, 0.35), mix(base, (0, 0, 0, 1), 0.15), k) if k < 0.5 \
                else mix(base, mix(base, (0, 0, 0, 1), 0.15), (k - 0.5) * 2)
            rgb8 = tuple(int(v * 255 + 0.5) for v in col[:3])
            for x in range(w):
                put(x0 + x, y0 + y, rgb8)

    def blit(rows, x0, y0, fx, z):
        for y in range(SIZE):
            for x in range(SIZE):
                for yy in range(z):
                    for xx in range(z):
                        put(x0 + x * z + xx, y0 + y * z + yy, rows[y][fx * SIZE + x])

    def number(n, x0, y0):
        for d in str(n):
            for i, bit in enumerate(DIGITS[int(d)]):
                if bit == "1":
                    put(x0 + i % 3, y0 + i // 3, (0, 0, 0))
            x0 += 4

    y = gap
    for _, _, order, rows in strips:
        for i, (theme, state) in enumerate(order):
            x = gap + i * cell
            number(i, x, y)
            band(x - gap // 2, y + label - 2, SIZE * zoom + gap, SIZE * zoom + 4, theme, state == "inactive")
            blit(rows, x, y + label, i, zoom)
        y += label + SIZE * zoom + gap
    by_kind = {kind: (order, rows) for _, kind, order, rows in strips}
    for theme, inactive in bars:
        band(0, y, width, bar_h, theme, inactive)
        state = "inactive" if inactive else "active"
        x = width - gap
        for z in (2, 1):
            for kind in ("close", "max", "restore", "min"):
                order, rows = by_kind[kind]
                x -= SIZE * z + 2
                blit(rows, x, y + (bar_h - SIZE * z) // 2, order.index((theme, state)), z)
            x -= 24
        y += bar_h + gap
    return png_bytes(width, height, img)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "widgets", "res")
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default)
    os.makedirs(outdir, exist_ok=True)
    made = []
    for name, kind, order in STRIPS:
        rows = strip_rows(kind, order)
        made.append((name, kind, order, rows))
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(bmp_bytes(rows))
        print("wrote", os.path.join(outdir, name))
    with open(PREVIEW, "wb") as f:
        f.write(preview(made))
    print("wrote", PREVIEW)


if __name__ == "__main__":
    main()
