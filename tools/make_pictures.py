#!/usr/bin/env python3
"""Draws Tavrik's pictures from code and writes them as Windows .ico files.

Usage: python3 tools/make_pictures.py [outdir]      (default: app/res)

Also writes a contact sheet to /tmp/pictures-preview.png for checking by eye.
Standard library only; the output is the same bytes on every run.
"""
import math
import os
import struct
import sys
import zlib

PREVIEW = "/tmp/pictures-preview.png"


def rgb(h, a=1.0):
    return ((h >> 16 & 255) / 255.0, (h >> 8 & 255) / 255.0, (h & 255) / 255.0, a)


def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def scale(c, k):
    return (min(1.0, c[0] * k), min(1.0, c[1] * k), min(1.0, c[2] * k), c[3])


# Silver XP-like palette with one calm blue accent.
FACE = rgb(0xECE9D8)
WHITE = rgb(0xFFFFFF)
SILVER = rgb(0xC0C0C0)
GREY = rgb(0x808080)
INK = rgb(0x404048)          # 1-px outlines
BLUE = rgb(0x3A6EA5)
BLUE_LIGHT = rgb(0x7FA7D3)
BLUE_DARK = rgb(0x1F4677)
SHADOW = (0.0, 0.0, 0.0, 0.28)


# --- Shapes: signed distance (pixels, negative inside) plus a bounding box.

class Shape:
    def __init__(self, sdf, box):
        self.sdf, self.box = sdf, box

    def __or__(self, o):
        a, b = self.sdf, o.sdf
        return Shape(lambda x, y: min(a(x, y), b(x, y)),
                     (min(self.box[0], o.box[0]), min(self.box[1], o.box[1]),
                      max(self.box[2], o.box[2]), max(self.box[3], o.box[3])))

    def __and__(self, o):
        a, b = self.sdf, o.sdf
        return Shape(lambda x, y: max(a(x, y), b(x, y)),
                     (max(self.box[0], o.box[0]), max(self.box[1], o.box[1]),
                      min(self.box[2], o.box[2]), min(self.box[3], o.box[3])))

    def __sub__(self, o):
        a, b = self.sdf, o.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def grow(self, d):
        # Negative d insets, which is how 1-px outlines are made.
        f = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x, y) - d, (x0 - d, y0 - d, x1 + d, y1 + d))

    def move(self, dx, dy):
        f = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def f(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / rx, py / ry)
        return k0 * (k0 - 1.0) / k1 if k1 > 1e-9 else -min(rx, ry)
    return Shape(f, (cx - rx, cy - ry, cx + rx, cy + ry))


def rrect(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def f(x, y):
        qx, qy = abs(x - cx) - hx + r, abs(y - cy) - hy + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return Shape(f, (x0, y0, x1, y1))


def _seg_dist2(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1e-12)
    t = min(1.0, max(0.0, t))
    ex, ey = x - ax - dx * t, y - ay - dy * t
    return ex * ex + ey * ey


def polygon(pts):
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def f(x, y):
        d2, inside = 1e18, False
        for (ax, ay), (bx, by) in edges:
            d2 = min(d2, _seg_dist2(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (bx - ax) * (y - ay) / (by - ay):
                inside = not inside
        d = math.sqrt(d2)
        return -d if inside else d
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return Shape(f, (min(xs), min(ys), max(xs), max(ys)))


def stroke(pts, w):
    """Polyline of width w with round ends."""
    segs = list(zip(pts, pts[1:]))
    h = w / 2.0

    def f(x, y):
        return math.sqrt(min(_seg_dist2(x, y, a[0], a[1], b[0], b[1]) for a, b in segs)) - h
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return Shape(f, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def arc_points(cx, cy, r, a0, a1, n=24):
    """Points along an arc; angles in degrees, 0 = east, 90 = south (y grows down)."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


# --- Paints: a colour, or a function of (x, y) giving one.

def linear(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    n = dx * dx + dy * dy

    def p(x, y):
        return mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / n)
    return p


def radial(cx, cy, r, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


# --- Canvas: premultiplied RGBA at ss x ss samples per pixel, box-filtered down.

# The zoom every canvas made now draws at: a picture's design drawn for a
# larger scale (see zoomed).
ZOOM = [1.0]


def zoomed(draw, zoom):
    """The canvas draw() makes, drawn `zoom` times larger."""
    ZOOM[0] = zoom
    try:
        return draw()
    finally:
        ZOOM[0] = 1.0


class Canvas:
    """`size` pixels square; shapes are given in the design's units, `zoom`
    pixels each (a picture drawn for 100 % and zoomed for a larger scale)."""
    def __init__(self, size, ss=None, zoom=None):
        zoom = zoom or ZOOM[0]
        size = int(size * zoom + 0.5)
        self.size = size
        self.ss = ss or (8 if size <= 16 else 6 if size <= 32 else 4)
        self.n = size * self.ss
        self.spu = self.ss * zoom  # samples per design unit
        self.buf = [0.0] * (self.n * self.n * 4)

    def fill(self, shape, paint, soft=None):
        """Paints over a shape; coverage ramps across one sample (or `soft` design units)."""
        spu, n, buf, sdf = self.spu, self.n, self.buf, shape.sdf
        soft = soft or 1.0 / spu
        grow = soft / 2
        x0, y0, x1, y1 = shape.box
        i0, i1 = max(0, int((x0 - grow) * spu) - 1), min(n, int((x1 + grow) * spu) + 2)
        j0, j1 = max(0, int((y0 - grow) * spu) - 1), min(n, int((y1 + grow) * spu) + 2)
        flat = not callable(paint)
        for j in range(j0, j1):
            y = (j + 0.5) / spu
            row = j * n
            for i in range(i0, i1):
                x = (i + 0.5) / spu
                cov = 0.5 - sdf(x, y) / soft
                if cov <= 0.0:
                    continue
                r, g, b, a = paint if flat else paint(x, y)
                a *= min(cov, 1.0)
                k = (row + i) * 4
                keep = 1.0 - a
                buf[k] = buf[k] * keep + r * a
                buf[k + 1] = buf[k + 1] * keep + g * a
                buf[k + 2] = buf[k + 2] * keep + b * a
                buf[k + 3] = buf[k + 3] * keep + a

    def outlined(self, shape, paint, ink=INK, width=1.0):
        self.fill(shape, ink)
        self.fill(shape.grow(-width), paint)

    def bevel(self, shape, colour=(1.0, 1.0, 1.0, 0.6)):
        """Light along the inner top-left edge of a shape."""
        self.fill(shape - shape.move(1, 1), colour)

    def shadow(self, shape, dx=1.0, dy=1.0, blur=1.5, colour=SHADOW):
        self.fill(shape.move(dx, dy).grow(-blur / 4), colour, soft=blur)

    def pixels(self):
        """Rows of 8-bit straight-alpha (r, g, b, a)."""
        ss, n, buf, size = self.ss, self.n, self.buf, self.size
        area = float(ss * ss)
        rows = []
        for py in range(size):
            row = []
            for px in range(size):
                s = [0.0, 0.0, 0.0, 0.0]
                for j in range(py * ss, py * ss + ss):
                    k = (j * n + px * ss) * 4
                    for _ in range(ss):
                        s[0] += buf[k]; s[1] += buf[k + 1]; s[2] += buf[k + 2]; s[3] += buf[k + 3]
                        k += 4
                a = s[3] / area
                if a < 0.5 / 255:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(min(255, int(v / s[3] * 255 + 0.5)) for v in s[:3])
                           + (min(255, int(a * 255 + 0.5)),))
            rows.append(row)
        return rows


# --- Motifs.

def canopy_paint(cx, cy, rx, ry, panels):
    """Alternating panels of a dome lit from the top left."""
    lx, ly, lz = -0.55, -0.65, 0.52

    def p(x, y):
        v = min(1.0, max(0.0, (cy - y) / ry))
        s = math.sqrt(1.0 - v * v)
        u = min(1.0, max(-1.0, (x - cx) / (rx * max(s, 1e-3))))
        k = min(panels - 1, int(math.acos(u) / math.pi * panels))
        base = BLUE if k % 2 == 0 else BLUE_LIGHT
        nx, ny, nz = u * s, -v, math.sqrt(max(0.0, 1.0 - u * u)) * s
        lam = max(0.0, nx * lx + ny * ly + nz * lz)
        return scale(base, 0.62 + 0.62 * lam)
    return p


def canopy(cx, cy, rx, ry, panels, rise):
    """Dome whose bottom edge (at cy) curves up between the rib tips."""
    shape = ellipse(cx, cy, rx, ry) & rrect(cx - rx - 1, cy - ry - 1, cx + rx + 1, cy)
    tips = [cx + rx * math.cos(math.pi * k / panels) for k in range(panels + 1)]
    for a, b in zip(tips, tips[1:]) if rise else ():
        half = abs(a - b) / 2
        h = rise * half
        d = (half * half - h * h) / (2 * h)
        shape = shape - circle((a + b) / 2, cy + d, d + h)
    return shape


def umbrella(c, cx, cy, rx, ry, panels, rise=0.35, ribs=0.0, tip=True):
    shape = canopy(cx, cy, rx, ry, panels, rise)
    c.outlined(shape, canopy_paint(cx, cy, rx, ry, panels))
    if ribs:
        for k in range(1, panels):
            cphi = math.cos(math.pi * k / panels)
            pts = [(cx + rx * math.sin(t) * cphi, cy - ry * math.cos(t))
                   for t in (math.pi / 2 * i / 16 for i in range(17))]
            c.fill(stroke(pts[2:-1], ribs), scale(BLUE_DARK, 0.9))
    if tip:
        c.outlined(rrect(cx - 1, cy - ry - 2.5, cx + 1, cy - ry + 1, 0.5), SILVER)

def drive(c, x0, y0, x1, y1, top):
    """Silver drive seen slightly from above: light top face, front face with LED."""
    r = 1.0 if x1 - x0 < 20 else 1.5
    body = rrect(x0, y0, x1, y1, r)
    c.fill(body, INK)
    c.fill(rrect(x0 + 1, y0 + 1, x1 - 1, y0 + top, max(0.0, r - 1)),
           linear(0, y0, WHITE, 0, y0 + top, rgb(0xDCDAD0)))
    c.fill(rrect(x0 + 1, y0 + top + 1, x1 - 1, y1 - 1, max(0.0, r - 1)),
           linear(0, y0 + top, rgb(0xC8C8C8), 0, y1, rgb(0x9A9A9A)))
    c.fill(rrect(x0 + 1, y0 + top, x1 - 1, y0 + top + 1), GREY)
    # LED and slot on whole pixels; the slot is left out when the front is too thin.
    h = y1 - y0 - top - 2
    sz = 1 if h < 4 else 2
    ly = math.floor(y0 + top + 1 + (h - sz) / 2)
    right = x1 - 1 - sz
    c.fill(rrect(right - sz, ly, right, ly + sz), BLUE)
    if h >= 3:
        c.fill(rrect(x0 + 2, ly, x0 + 2 + round((x1 - x0) * 0.45), ly + sz), GREY)


def folder(c, x0, y0, x1, y1, tab):
    back = polygon([(x0, y0 + 1), (x0 + 1, y0), (x0 + tab, y0), (x0 + tab + 2, y0 + 2),
                    (x1, y0 + 2), (x1, y1), (x0, y1)])
    c.outlined(back, linear(x0, y0, rgb(0xE4DCC0), x1, y1, rgb(0xC4B994)))
    front = rrect(x0, y0 + 4, x1, y1)
    c.outlined(front, linear(x0, y0 + 4, rgb(0xFFFCEE), x1, y1, rgb(0xDDD3B2)))


# --- Pictures: each a function of size returning a Canvas.

# Per size: drive box (x0, y0, x1, y1, top-face height), canopy centre line,
# half width, height, panels, shaft width.
APP_LAYOUT = {
    32: ((3, 19, 29, 30, 4), 16, 14.5, 13, 4, 2),
    48: ((4, 28, 44, 45, 6), 24, 22, 19.5, 6, 4),
}


def app_icon(size):
    c = Canvas(size)
    if size == 16:
        # Drawn on the pixel grid: flat canopy edge, no scallops, 2-px shaft.
        drive(c, 1, 10, 15, 16, 2)
        c.fill(rrect(7, 6, 9, 10) | rrect(7, 0, 9, 2), INK)
        umbrella(c, 8, 8, 7.5, 7, 3, rise=0.0, tip=False)
        return c
    box, cy, rx, ry, panels, w = APP_LAYOUT[size]
    cx = size / 2
    c.shadow(rrect(box[0], box[1], box[2], box[3], 1.5), 1, 1, size / 24)
    drive(c, *box)
    c.fill(rrect(cx - w / 2, cy - 2, cx + w / 2, box[1] + 1), INK)
    if w > 2:
        c.fill(rrect(cx - w / 2 + 1, cy - 2, cx + w / 2 - 1, box[1]), SILVER)
    umbrella(c, cx, cy, rx, ry, panels, ribs=0.7 if size >= 48 else 0.0)
    return c


def emblem(size=64):
    c = Canvas(size)
    cx = size / 2
    hook = [(cx, 30), (cx, 53)] + arc_points(cx - 5, 53, 5, 0, 180, 16)
    c.shadow(canopy(cx, 33, 29.5, 26, 6, 0.35), 2, 2, 3)
    c.shadow(stroke(hook, 3), 2, 2, 3)
    # Shaft first so the canopy covers its top; the hook curls to the left.
    c.fill(stroke(hook, 4.0), INK)
    c.fill(stroke(hook, 2.0), linear(cx - 1, 0, rgb(0xB8B8B8), cx + 1, 0, rgb(0x707070)))
    umbrella(c, cx, 33, 29.5, 26, 6, ribs=0.9)
    return c


def mount_icon(size=32):
    c = Canvas(size)
    c.shadow(rrect(3, 20, 29, 30, 1.5), 1, 1, 1.5)
    drive(c, 3, 20, 29, 30, 4)
    folder(c, 2, 2, 16, 14, 5)
    arrow = polygon([(21, 3), (26, 3), (26, 11), (29.5, 11), (23.5, 18), (17.5, 11), (21, 11)])
    c.outlined(arrow, linear(20, 3, BLUE_LIGHT, 27, 17, BLUE_DARK), ink=BLUE_DARK)
    c.bevel(arrow.grow(-1), (1, 1, 1, 0.35))
    return c


def setup_icon(size=32):
    c = Canvas(size)
    c.shadow(rrect(2, 7, 26, 17, 1.5), 1, 1, 1.5)
    drive(c, 2, 7, 26, 17, 4)
    # Centred on a pixel centre so 1-px ticks and hands land on whole pixels;
    # low enough to leave the drive's LED showing.
    cx = cy = 23.5
    face = circle(cx, cy, 8)
    c.shadow(face, 1, 1, 1.5)
    c.outlined(face, linear(16, 16, WHITE, 31, 31, SILVER))
    c.fill(circle(cx, cy, 6), linear(16, 16, rgb(0xE4E4E4), 31, 31, WHITE))
    for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
        c.fill(stroke([(cx + 5 * dx, cy + 5 * dy), (cx + 4 * dx, cy + 4 * dy)], 1.0), GREY)
    c.fill(stroke([(cx, cy), (cx, cy - 4)], 1.0), INK)
    c.fill(stroke([(cx, cy), (cx + 3, cy)], 1.0), BLUE_DARK)
    c.fill(circle(cx, cy, 1.0), BLUE_DARK)
    return c


def help_icon(size=32):
    c = Canvas(size)
    badge = circle(16, 16, 14)
    c.shadow(badge, 1, 1, 1.5)
    c.outlined(badge, radial(11, 10, 20, BLUE_LIGHT, BLUE_DARK), ink=BLUE_DARK)
    c.fill(ellipse(14, 9.5, 8, 4.5), linear(0, 5, (1, 1, 1, 0.45), 0, 14, (1, 1, 1, 0.0)))
    # Stroke 4 px centred on whole pixels keeps the stem and the dot crisp.
    q = arc_points(16, 12, 4, 180, 360 + 50, 20) + [(16, 17.5), (16, 19)]
    c.fill(stroke(q, 4.0), WHITE)
    c.fill(circle(16, 24, 2.0), WHITE)
    return c


def add_icon(size=16):
    c = Canvas(size)
    plus = rrect(6, 2, 10, 14) | rrect(2, 6, 14, 10)
    c.outlined(plus, linear(2, 2, BLUE_LIGHT, 14, 14, BLUE), ink=BLUE_DARK)
    c.bevel(plus.grow(-1), (1, 1, 1, 0.45))
    return c


def browse_icon(size=16):
    """The "..." of a button that opens a dialog, as dots on whole pixels; a
    light ring keeps them seen on a dark (high-contrast) face too."""
    c = Canvas(size)
    for x in (2, 7, 12):
        c.fill(rrect(x - 1, 9, x + 3, 13), (1.0, 1.0, 1.0, 0.8))
        c.fill(rrect(x, 10, x + 2, 12), INK)
    return c


def pixel_shape(pixels):
    """Whole pixels as a shape; only the sign of its distance is meaningful."""
    cells = set(pixels)
    xs, ys = [p[0] for p in cells], [p[1] for p in cells]
    return Shape(lambda x, y: -0.5 if (math.floor(x), math.floor(y)) in cells else 0.5,
                 (min(xs), min(ys), max(xs) + 1, max(ys) + 1))


def crisp(c, shape, paint, ink=INK, light=0.0):
    """Outlined shape snapped to whole pixels (taken at pixel centres), so slanted
    edges become clean 1-px steps instead of a grey blur at 16 px."""
    x0, y0, x1, y1 = shape.box
    cells = {(i, j) for j in range(math.floor(y0), math.ceil(y1))
             for i in range(math.floor(x0), math.ceil(x1)) if shape.sdf(i + 0.5, j + 0.5) < 0}
    core = {(i, j) for i, j in cells
            if {(i - 1, j), (i + 1, j), (i, j - 1), (i, j + 1)} <= cells}
    c.fill(pixel_shape(cells), ink)
    if core:
        c.fill(pixel_shape(core), paint)
        if light:
            c.bevel(pixel_shape(core), (1, 1, 1, light))


def small_folder(c, x0, y0, x1, y1, tab):
    """Folder on whole pixels: square tab, back showing above a lighter front."""
    back = polygon([(x0, y0), (x0 + tab, y0), (x0 + tab, y0 + 1),
                    (x1, y0 + 1), (x1, y1), (x0, y1)])
    crisp(c, back, rgb(0xD8CDA6))
    c.outlined(rrect(x0, y0 + 3, x1, y1), linear(x0, y0 + 3, rgb(0xFFFCEE), x1, y1, rgb(0xE4DAB8)))


def menu_mount_icon(size=16):
    c = Canvas(size)
    drive(c, 1, 10, 15, 16, 2)
    small_folder(c, 0, 1, 7, 8, 3)
    # Apex vertices sit half a pixel out so the head's pixel rows come out 8, 6, 4, 2 wide.
    arrow = polygon([(10, 0.5), (14, 0.5), (14, 5), (16.5, 5), (12, 9.5), (7.5, 5), (10, 5)])
    crisp(c, arrow, linear(10, 1, BLUE_LIGHT, 14, 8, BLUE), ink=BLUE_DARK, light=0.45)
    return c


def menu_unmount_icon(size=16):
    c = Canvas(size)
    drive(c, 1, 10, 15, 16, 2)
    # Eject mark: the usual sign for taking a volume away, kept in the calm blue.
    crisp(c, polygon([(8, 0), (13.5, 5.5), (2.5, 5.5)]),
          linear(3, 1, BLUE_LIGHT, 13, 6, BLUE), ink=BLUE_DARK, light=0.45)
    crisp(c, rrect(3, 6, 13, 9), linear(3, 6, BLUE_LIGHT, 13, 9, BLUE), ink=BLUE_DARK, light=0.45)
    return c


def menu_open_icon(size=16):
    """A drive with an open folder window above it: the drive opened in Explorer."""
    c = Canvas(size)
    drive(c, 1, 10, 15, 16, 2)
    window = rrect(3, 0, 15, 9)
    crisp(c, window, WHITE)
    c.fill(rrect(4, 1, 14, 3), linear(4, 1, BLUE_LIGHT, 14, 3, BLUE))
    small_folder(c, 5, 4, 11, 8, 2)
    return c


def menu_copy_icon(size=16):
    """Two sheets, the front one with lines of text: the folder's path copied."""
    c = Canvas(size)
    c.outlined(rrect(1, 1, 10, 12), linear(1, 1, WHITE, 10, 12, rgb(0xE4E4E4)))
    c.outlined(rrect(6, 4, 15, 16), linear(6, 4, WHITE, 15, 16, rgb(0xE4E4E4)))
    for y in (7, 9, 11, 13):
        c.fill(rrect(8, y, 13, y + 1), BLUE if y == 7 else GREY)
    return c


def menu_rename_icon(size=16):
    """A drive with a name tag tied to it: the drive's label."""
    c = Canvas(size)
    drive(c, 1, 10, 15, 16, 2)
    tag = polygon([(5, 1), (14, 1), (14, 7), (5, 7), (2, 4)])
    crisp(c, tag, rgb(0xF3E1A0), light=0.45)
    c.fill(rrect(7, 3, 12, 4), GREY)
    c.fill(rrect(7, 5, 11, 6), GREY)
    return c


def menu_clear_icon(size=16):
    c = Canvas(size)
    c.outlined(rrect(1, 1, 12, 16), linear(1, 1, WHITE, 12, 16, rgb(0xE4E4E4)))
    # A list: a blue mark and a grey line per entry.
    for y in (4, 6, 8, 10, 12):
        c.fill(rrect(3, y, 4, y + 1), BLUE)
        c.fill(rrect(5, y, 10, y + 1), GREY)

    # Eraser tilted at 45 degrees: warm rubber at the lower left, blue sleeve at the upper right.
    def bar(t0, t1, d=1.5):
        ax, ay, bx, by = 5.5 + 8.5 * t0, 15 - 8.5 * t0, 5.5 + 8.5 * t1, 15 - 8.5 * t1
        return polygon([(ax - d, ay - d), (ax + d, ay + d), (bx + d, by + d), (bx - d, by - d)])
    crisp(c, bar(0, 1), rgb(0xF0A890), light=0.45)
    crisp(c, bar(0.5, 1), linear(9, 6, BLUE_LIGHT, 15, 12, BLUE), ink=BLUE_DARK, light=0.45)
    return c


SCALES = (1.25, 1.5, 1.75, 2.0)  # beside 100 %, for screens at 125 to 200 %


def at_scales(draw, scales=SCALES):
    """The picture's design drawn at each larger scale."""
    return lambda: [zoomed(draw, z) for z in scales]


# Each file: the pictures at 100 % (32-bit BMP entries), then the same designs
# at the larger scales (PNG entries, which Windows Vista on and Wine read).
PICTURES = [
    ("Tavrik.ico", lambda: [app_icon(16), app_icon(32), app_icon(48)],
     lambda: at_scales(lambda: app_icon(16), SCALES[:3])() + [zoomed(lambda: app_icon(32), 1.25),
                                                              zoomed(lambda: app_icon(48), 56 / 48),
                                                              zoomed(lambda: app_icon(32), 2.0)]),
    ("emblem.ico", lambda: [emblem(64)], at_scales(emblem)),
    ("mount.ico", lambda: [mount_icon(32)], at_scales(mount_icon)),
    ("setup.ico", lambda: [setup_icon(32)], at_scales(setup_icon)),
    ("help.ico", lambda: [help_icon(32)], at_scales(help_icon)),
    ("add.ico", lambda: [add_icon(16)], at_scales(add_icon)),
    ("browse.ico", lambda: [browse_icon(16)], at_scales(browse_icon)),
    ("menu_mount.ico", lambda: [menu_mount_icon(16)], at_scales(menu_mount_icon)),
    ("menu_unmount.ico", lambda: [menu_unmount_icon(16)], at_scales(menu_unmount_icon)),
    ("menu_clear.ico", lambda: [menu_clear_icon(16)], at_scales(menu_clear_icon)),
    ("menu_open.ico", lambda: [menu_open_icon(16)], at_scales(menu_open_icon)),
    ("menu_copy.ico", lambda: [menu_copy_icon(16)], at_scales(menu_copy_icon)),
    ("menu_rename.ico", lambda: [menu_rename_icon(16)], at_scales(menu_rename_icon)),
]


# --- File writers.

def png_rgba_bytes(rows):
    """A PNG of straight-alpha RGBA rows."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images, png_images=()):
    """ICO of 32-bit BGRA images, each with its AND mask (set where fully
    transparent), then of PNG-compressed ones."""
    blobs = []
    for rows in images:
        size = len(rows)
        mask_stride = (size + 31) // 32 * 4
        xor, mask = bytearray(), bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
            bits = bytearray(mask_stride)
            for x, px in enumerate(row):
                if px[3] == 0:
                    bits[x >> 3] |= 0x80 >> (x & 7)
            mask += bits
        head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((size, head + xor + mask))
    for rows in png_images:
        blobs.append((len(rows), png_rgba_bytes(rows)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, blob in blobs)


def png_bytes(width, height, rgb_rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(row) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def contact_sheet(images):
    """Each image 4x (nearest) and 1x, on the dialog face colour and on white."""
    gap, zoom = 8, 4
    big = max(len(rows) for rows in images) * zoom
    cell_w = big + gap + 64 + gap
    width = gap + 2 * cell_w
    height = gap + sum(len(rows) * zoom + gap for rows in images)
    face = tuple(int(v * 255 + 0.5) for v in FACE[:3])
    sheet = [bytearray(bytes(face) * (width // 2) + b"\xff\xff\xff" * (width - width // 2))
             for _ in range(height)]

    def put(rows, ox, oy, z, back):
        for y, row in enumerate(rows):
            for x, (r, g, b, a) in enumerate(row):
                px = bytes(int((c * a + k * (255 - a)) / 255 + 0.5)
                           for c, k in zip((r, g, b), back))
                for yy in range(z):
                    line = sheet[oy + y * z + yy]
                    for xx in range(z):
                        o = (ox + x * z + xx) * 3
                        line[o:o + 3] = px
    y = gap
    for rows in images:
        for half, back in ((0, face), (1, (255, 255, 255))):
            ox = half * (width // 2) + gap // 2
            put(rows, ox, y, zoom, back)
            put(rows, ox + big + gap, y, 1, back)
        y += len(rows) * zoom + gap
    return png_bytes(width, height, sheet)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res")
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default)
    os.makedirs(outdir, exist_ok=True)
    shown = []
    for name, draw, draw_scaled in PICTURES:
        images = [cv.pixels() for cv in draw()]
        larger = [cv.pixels() for cv in draw_scaled()]
        shown += images + larger
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(ico_bytes(images, larger))
        print("wrote", os.path.join(outdir, name))
    with open(PREVIEW, "wb") as f:
        f.write(contact_sheet(shown))
    print("wrote", PREVIEW)


if __name__ == "__main__":
    main()
