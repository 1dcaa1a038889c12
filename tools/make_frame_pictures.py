#!/usr/bin/env python3
"""Draws the border and title-band pictures of Tavrik's skinned window frame
and writes them as 24-bit BMP files Image{L}_{i}.bmp (what the tests' own
resources hold), and at 100, 125, 150, 175 and 200 % as run-length pictures
Image{L}_{i}@{percent}.tvp, the program's, with the resource script sets.rc
that names them.

L is the frame piece: 1 title band tile, 2 its left end, 3 its right end,
4 left border, 5 right border, 6 bottom border, 7 bottom-right corner,
8 bottom-left corner. i = 2 * scheme + variant: scheme 0 blue, 1 olive,
2 silver; variant 0 active, 1 inactive.

Usage: python3 tools/make_frame_pictures.py [outdir]      (default: frame/res)

Also writes a preview of each scheme as a small window to
/tmp/frame-preview.png for checking by eye.
Standard library only; the output is the same bytes on every run.
"""
import os
import struct
import sys

# Shares the helpers of the other generators; no .pyc left in the tree.
sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from make_caption_buttons import THEMES, bmp_bytes  # noqa: E402
from make_pictures import mix, png_bytes, rgb  # noqa: E402

PREVIEW = "/tmp/frame-preview.png"
BAND = 30
EDGE = 4
MAGENTA = (255, 0, 255)

# Picture sizes per list, by index; the program lays the frame out by them.
SIZES = {
    1: [(1, 30), (63, 30), (28, 30), (35, 30), (15, 30), (16, 30)],
    2: [(10, 30), (10, 30), (11, 30), (11, 30), (15, 30), (15, 30)],
    3: [(10, 30), (10, 30), (13, 30), (15, 30), (16, 30), (14, 30)],
    4: [(4, 1), (4, 182), (4, 18), (4, 16), (4, 11), (4, 7)],
    5: [(4, 1), (4, 140), (4, 23), (4, 15), (4, 9), (4, 8)],
    6: [(1, 4), (82, 4), (13, 4), (11, 4), (6, 4), (5, 4)],
    7: [(4, 4)] * 6,
    8: [(4, 4)] * 6,
}

# The pixels of a title end's outer top corner that the window region cuts
# away, as (x from the outer side, y).
CUT = {(x, 0) for x in range(5)} | {(x, 1) for x in range(3)} | {(0, 2), (1, 2), (0, 3), (0, 4)}

SCHEMES = ("blue", "olive", "silver")

# Per scheme and variant (active, inactive): the outer outline; the band's
# vertical gradient as (row, colour) stops, where "mid" is the colour the
# caption buttons' corners assume, kept from row 5 to 21 so they sit cleanly
# on it ("outline" draws the band's top edge in it); and the border's middle
# and inner columns.
LOOKS = {
    ("blue", 0): {
        "outline": 0x0036C4,
        "band": [(0, 0x1C6EF2), (1, 0x2994FF), (2, 0x2089FF), (3, 0x0E74F5), (4, 0x0563EC),
                 (5, "mid"), (21, "mid"), (24, 0x0054E2), (27, 0x004EDA), (29, 0x0046CF)],
        "border": (0x0050DE, 0x0058E6, 0x2673F0),
    },
    ("blue", 1): {
        "outline": 0x6681CE,
        "band": [(0, 0x9AB3EC), (1, 0xC2D3F7), (2, 0xB2C6F3), (3, 0x9AB2EB), (4, 0x859FE3),
                 (5, "mid"), (21, "mid"), (24, 0x7692DC), (27, 0x718DD8), (29, 0x6B87D3)],
        "border": (0x7390DB, 0x7A96DF, 0x9DB3EA),
    },
    ("olive", 0): {
        "outline": 0x6E7D48,
        "band": [(0, 0xB9C48E), (1, 0xE0E7B8), (2, 0xCDD6A3), (3, 0xB3BF86), (4, 0x9DAB6F),
                 (5, "mid"), (21, "mid"), (24, 0x8F9E62), (27, 0x8A9A5F), (29, 0x85955A)],
        "border": (0x8B9B5F, 0x94A366, 0xB2BE89),
    },
    ("olive", 1): {
        "outline": 0xA8AE8D,
        "band": [(0, 0xDCDEC6), (1, 0xEDEBD3), (2, 0xE2E3C9), (3, 0xD5D8BC), (4, 0xCAD0AF),
                 (5, "mid"), (21, "mid"), (24, 0xC0C7A4), (27, 0xBCC3A0), (29, 0xB7BE9B)],
        "border": (0xBFC6A3, 0xC4CBA8, 0xD8DCC3),
    },
    ("silver", 0): {
        "outline": 0x66667E,
        "band": [(0, "outline"), (1, 0xFCFCFC), (2, 0xEEEEF4), (3, 0xDDDDE9), (4, 0xCDCDDF),
                 (5, "mid"), (21, "mid"), (24, 0xB9B9CF), (27, 0xB0AFC6), (29, 0xA8A7BF)],
        "border": (0xB4B4CA, 0xC0C0D6, 0xDEDEEA),
    },
    ("silver", 1): {
        "outline": 0xC9C9D7,
        "band": [(0, "outline"), (1, 0xFFFFFF), (2, 0xF6F6FA), (3, 0xEDEDF4), (4, 0xE7E7F0),
                 (5, "mid"), (21, "mid"), (24, 0xDCDCE6), (27, 0xCDCDD8), (29, 0xBABAC5)],
        "border": (0xD9D9E3, 0xE4E4EE, 0xF3F3F7),
    },
}


def to8(c):
    return tuple(min(255, max(0, int(v * 255 + 0.5))) for v in c[:3])


class Look:
    def __init__(self, scheme, variant):
        given = LOOKS[(scheme, variant)]
        mid = THEMES[scheme]["band"][variant]
        self.outline = rgb(given["outline"])
        named = {"mid": mid, "outline": self.outline}
        self.stops = [(y, named[c] if c in named else rgb(c)) for y, c in given["band"]]
        self.highlight = self.stops[1][1]
        # Border columns from the outer edge inwards.
        self.border = [self.outline] + [rgb(c) for c in given["border"]]

    def band(self, y):
        for (y0, c0), (y1, c1) in zip(self.stops, self.stops[1:]):
            if y <= y1:
                return mix(c0, c1, (y - y0) / (y1 - y0))
        return self.stops[-1][1]


SCALES = (100, 125, 150, 175, 200)  # the run-length sets; the BMPs are the 100 % set too
PROFILE = (5, 3, 2, 1, 1)  # the window region's corner cut per design row


def px(design, scale):
    """A design pixel figure at a scale, halves away from zero as the program rounds."""
    return int(design * scale + 0.5)


def corner_cut(y, scale):
    """The pixels the window region cuts off row y at a scale, as the program cuts them."""
    if y < 0 or y >= px(len(PROFILE), scale):
        return 0
    return px(PROFILE[min(len(PROFILE) - 1, int(y / scale))], scale)


def tile(look, w, scale=1.0):
    """Every column alike, so stretching the tile never shows a seam."""
    return [[to8(look.band(y / scale))] * w for y in range(px(BAND, scale))]


def title_end(look, w, right, scale=1.0):
    """An end of the title band: the band with its outer top corner cut away,
    a dark rim just inside the cut and a glint inside the rim that fades down.
    At a scale the cut is the window region's and the rim as many pixels deep."""
    def outer_x(x):
        return w - 1 - x if right else x

    band = px(BAND, scale)
    if scale == 1.0:
        outside = {(outer_x(x), y) for x, y in CUT}
    else:
        outside = {(outer_x(x), y) for y in range(band) for x in range(corner_cut(y, scale))}
    inside = {(x, y) for y in range(band) for x in range(w)} - outside
    depth = max(1, px(1, scale))

    def near(p, steps):
        return any((p[0] + dx, p[1] + dy) in outside for dx, dy in steps)
    four = tuple((dx * k, dy * k) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)) for k in range(1, depth + 1))
    diag = ((1, 1), (1, -1), (-1, 1), (-1, -1))
    rim = {p for p in inside if p[1] < depth or outer_x(p[0]) < depth or near(p, four)}
    glint = {p for p in inside - rim
             if any((p[0] + dx, p[1] + dy) in rim for dx, dy in four)}
    # Pixels touching the cut only by a corner take some rim colour, which
    # smooths the stair steps of the curve.
    soft = {p for p in inside - rim if near(p, diag)}

    rows = []
    for y in range(band):
        row = []
        for x in range(w):
            p = (x, y)
            if p in outside:
                row.append(MAGENTA)
                continue
            c = look.band(y / scale)
            if p in rim:
                # Past the curve the top row is the band's own, so the tile
                # joins on without a step.
                c = c if y < depth and outer_x(x) >= px(6, scale) else look.outline
            elif p in glint:
                c = mix(c, look.highlight, max(0.0, 1 - (y / scale - 1) / 14))
            if p in soft:
                c = mix(c, look.outline, 0.4)
            row.append(to8(c))
        rows.append(row)
    return rows


def border(look, w, h, side, scale=1.0):
    """Border columns (or rows) from the dark outer edge to the light inner one;
    at a scale each tone is as many pixels deep."""
    edge = px(EDGE, scale)
    tones = [to8(look.border[min(EDGE - 1, int(i / scale))]) for i in range(edge)]
    if side == "left":
        return [tones[:] for _ in range(h)]
    if side == "right":
        return [tones[::-1] for _ in range(h)]
    return [[tones[edge - 1 - y]] * w for y in range(edge)]


def corner(look, right, scale=1.0):
    """Square bottom corner: each pixel takes the border tone of its nearer outer edge."""
    edge = px(EDGE, scale)
    rows = []
    for y in range(edge):
        row = []
        for x in range(edge):
            depth = min(edge - 1 - x if right else x, edge - 1 - y)
            row.append(to8(look.border[min(EDGE - 1, int(depth / scale))]))
        rows.append(row)
    return rows


def picture(lst, index, percent=100):
    """A piece at a scale: ends and corners drawn at it, tiles (which the
    program stretches along their length) only across."""
    scale = percent / 100
    look = Look(SCHEMES[index // 2], index % 2)
    w, h = SIZES[lst][index]
    if lst == 1:
        return tile(look, w, scale)
    if lst in (2, 3):
        return title_end(look, px(w, scale) if scale != 1.0 else w, lst == 3, scale)
    if lst == 4:
        return border(look, w, h, "left", scale)
    if lst == 5:
        return border(look, w, h, "right", scale)
    if lst == 6:
        return border(look, w, h, "bottom", scale)
    return corner(look, lst == 7, scale)


def tvp_bytes(rows):
    """The program's run-length picture: "TVP1", width and height (16 bits
    each, little-endian), then each row as 0 (the row above again) or as 1, a
    16-bit count of runs and each run as its length less one and B, G, R."""
    out = bytearray(b"TVP1") + struct.pack("<HH", len(rows[0]), len(rows))
    previous = None
    for row in rows:
        if row == previous:
            out.append(0)
            continue
        runs = []
        for c in row:
            if runs and runs[-1][1] == c and runs[-1][0] < 256:
                runs[-1][0] += 1
            else:
                runs.append([1, c])
        out.append(1)
        out += struct.pack("<H", len(runs))
        for n, (r, g, b) in runs:
            out += bytes((n - 1, b, g, r))
        previous = row
    return bytes(out)


# --- Preview.

def read_bmp(path):
    """Rows of (r, g, b) from a 24-bit bottom-up BMP."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    w, h = struct.unpack_from("<ii", data, 18)
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h):
        line = data[offset + (h - 1 - y) * stride:]
        rows.append([(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]) for x in range(w)])
    return rows


# Resting caption button frames per index: (min and close, max).
BUTTON_FRAMES = [(0, 0), (3, 3), (4, 5), (7, 8), (11, 14), (8, 11)]


def mock_window(pics, index, buttons, W=300, H=120):
    img = [[(255, 255, 255)] * W for _ in range(H)]

    def put(rows, x0, y0, w=None, h=None):
        # Nearest-neighbour stretch, as StretchBlt does without halftoning.
        sh, sw = len(rows), len(rows[0])
        w, h = w or sw, h or sh
        for y in range(h):
            src = rows[y * sh // h]
            for x in range(w):
                c = src[x * sw // w]
                img[y0 + y][x0 + x] = (0, 0, 0) if c == MAGENTA else c

    left, right = pics[2][index], pics[3][index]
    put(left, 0, 0)
    put(right, W - len(right[0]), 0)
    put(pics[1][index], len(left[0]), 0, W - len(left[0]) - len(right[0]), BAND)
    put(pics[4][index], 0, BAND, EDGE, H - BAND - EDGE)
    put(pics[5][index], W - EDGE, BAND, EDGE, H - BAND - EDGE)
    put(pics[6][index], EDGE, H - EDGE, W - 2 * EDGE, EDGE)
    put(pics[8][index], 0, H - EDGE)
    put(pics[7][index], W - EDGE, H - EDGE)
    small, big = BUTTON_FRAMES[index]
    x = W - EDGE - 2
    for name, f in (("CbClose", small), ("CbMax", big), ("CbMin", small)):
        strip = buttons[name]
        x -= 21
        put([row[f * 21:f * 21 + 21] for row in strip], x, 4)
        x -= 2
    return img


def preview(pics):
    buttons = {n: read_bmp(os.path.join(HERE, "..", "widgets", "res", n + ".bmp"))
               for n in ("CbMin", "CbMax", "CbClose")}
    zoom, gap, W, H = 2, 16, 300, 120
    width = gap + 2 * (W * zoom + gap)
    height = gap + 3 * (H * zoom + gap)
    sheet = [bytearray(b"\x00\x00\x00" * width) for _ in range(height)]
    for index in range(6):
        img = mock_window(pics, index, buttons, W, H)
        ox = gap + (index % 2) * (W * zoom + gap)
        oy = gap + (index // 2) * (H * zoom + gap)
        for y, row in enumerate(img):
            line = bytearray()
            for c in row:
                line += bytes(c) * zoom
            for yy in range(zoom):
                sheet[oy + y * zoom + yy][ox * 3:(ox + W * zoom) * 3] = line
    return png_bytes(width, height, sheet)


def main():
    default = os.path.join(HERE, "..", "frame", "res")
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default)
    os.makedirs(outdir, exist_ok=True)
    pics = {}
    for lst in SIZES:
        pics[lst] = []
        for index in range(6):
            rows = picture(lst, index)
            pics[lst].append(rows)
            path = os.path.join(outdir, "Image%d_%d.bmp" % (lst, index))
            with open(path, "wb") as f:
                f.write(bmp_bytes(rows))
            print("wrote", path)
    # The scaled sets, and the resource script that names each as
    # IMAGE{L}_{i}_{percent} (the program's own resource type, 256).
    script = ["// Written by tools/make_frame_pictures.py: the frame's pieces drawn at each scale."]
    for percent in SCALES:
        for lst in SIZES:
            for index in range(6):
                name = "Image%d_%d@%d.tvp" % (lst, index, percent)
                with open(os.path.join(outdir, name), "wb") as f:
                    f.write(tvp_bytes(picture(lst, index, percent)))
                script.append('IMAGE%d_%d_%d 256 "../frame/res/%s"' % (lst, index, percent, name))
    with open(os.path.join(outdir, "sets.rc"), "w") as f:
        f.write("\n".join(script) + "\n")
    print("wrote the scaled sets and", os.path.join(outdir, "sets.rc"))
    with open(PREVIEW, "wb") as f:
        f.write(preview(pics))
    print("wrote", PREVIEW)


if __name__ == "__main__":
    main()
