#!/usr/bin/env python3
"""Draw Taldrin's small pictures and write them as XPM files next to this script,
and the program's icon for the desktop as PNG and SVG files under res/icons/.

Run:  python3 make_pictures.py

Every picture is pixel art on a character grid, one character per pixel, using
only the 16 colours of the classic VGA palette.  The masks are derived from the
pictures, never drawn: a mask is black exactly where its picture is not white.
The icon's 16 and 32 pixel images are the hand-drawn art of the window's icon;
the larger ones and the SVG are drawn from the same letter shapes as polygons.
Only the Python standard library is needed.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ICONS = os.path.join(os.path.dirname(HERE), "icons")
ICON_NAME = "org.taldrin.Taldrin"

# One character per colour of the 16-colour VGA palette.
PALETTE = {
    "#": "#000000",  # black
    "r": "#800000",  # dark red
    "g": "#008000",  # dark green
    "o": "#808000",  # olive
    "b": "#000080",  # dark blue
    "p": "#800080",  # purple
    "t": "#008080",  # teal
    "s": "#C0C0C0",  # light grey
    "d": "#808080",  # dark grey
    "R": "#FF0000",  # red
    "G": "#00FF00",  # green
    "Y": "#FFFF00",  # yellow
    "B": "#0000FF",  # blue
    "M": "#FF00FF",  # magenta
    "C": "#00FFFF",  # cyan
    ".": "#FFFFFF",  # white
}
WHITE = "."
BLACK = "#"


# --------------------------------------------------------------------------
# A character grid with a few drawing helpers.  Coordinates are in pixels;
# pixel (x, y) covers the square [x, x+1) x [y, y+1), its centre is at
# (x + 0.5, y + 0.5).
# --------------------------------------------------------------------------
class Canvas:
    def __init__(self, width, height, fill=WHITE):
        self.w = width
        self.h = height
        self.px = [[fill] * width for _ in range(height)]

    @classmethod
    def from_rows(cls, rows):
        c = cls(len(rows[0]), len(rows))
        for y, row in enumerate(rows):
            assert len(row) == c.w, "ragged art row %d: %r" % (y, row)
            c.px[y] = list(row)
        return c

    def get(self, x, y):
        return self.px[y][x]

    def set(self, x, y, ch):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = ch

    def paint(self, mask, ch):
        for (x, y) in mask:
            self.set(x, y, ch)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x])

    def rows(self):
        return ["".join(r) for r in self.px]


# ---- pixel sets -----------------------------------------------------------
def region(w, h, inside):
    """Pixels whose centre satisfies inside(cx, cy)."""
    return {(x, y) for y in range(h) for x in range(w) if inside(x + 0.5, y + 0.5)}


def ellipse(w, h, cx, cy, rx, ry, angle_deg=0.0):
    """Filled ellipse, optionally rotated (positive angle turns clockwise on screen)."""
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)

    def inside(px, py):
        dx, dy = px - cx, py - cy
        u = dx * ca + dy * sa
        v = -dx * sa + dy * ca
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return region(w, h, inside)


def disk(w, h, cx, cy, r):
    return ellipse(w, h, cx, cy, r, r)


def polygon(w, h, pts):
    """Pixels whose centre lies inside the polygon (even-odd rule)."""

    def inside(px, py):
        c = False
        n = len(pts)
        for i in range(n):
            x1, y1 = pts[i]
            x2, y2 = pts[(i + 1) % n]
            if (y1 > py) != (y2 > py):
                xi = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
                if px < xi:
                    c = not c
        return c

    return region(w, h, inside)


def stroke(points, radius=0.0):
    """Pixels touched by a path through the given points.

    radius 0 gives a one-pixel-wide line; a larger radius stamps a round pen.
    """
    out = set()
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        n = max(1, int(math.hypot(x2 - x1, y2 - y1) * 8))
        for i in range(n + 1):
            t = i / n
            x = x1 + (x2 - x1) * t
            y = y1 + (y2 - y1) * t
            if radius <= 0:
                out.add((int(math.floor(x)), int(math.floor(y))))
            else:
                r = int(math.ceil(radius)) + 1
                for yy in range(int(y) - r, int(y) + r + 1):
                    for xx in range(int(x) - r, int(x) + r + 1):
                        if (xx + 0.5 - x) ** 2 + (yy + 0.5 - y) ** 2 <= radius * radius:
                            out.add((xx, yy))
    return out


def pen_path(points):
    """Pixels covered by a round pen moved along (x, y, radius) points,
    the radius changing smoothly from point to point."""
    out = set()
    for (x1, y1, r1), (x2, y2, r2) in zip(points, points[1:]):
        n = max(1, int(math.hypot(x2 - x1, y2 - y1) * 8))
        for i in range(n + 1):
            t = i / n
            x, y, r = x1 + (x2 - x1) * t, y1 + (y2 - y1) * t, r1 + (r2 - r1) * t
            k = int(math.ceil(r)) + 1
            for yy in range(int(y) - k, int(y) + k + 1):
                for xx in range(int(x) - k, int(x) + k + 1):
                    if (xx + 0.5 - x) ** 2 + (yy + 0.5 - y) ** 2 <= r * r:
                        out.add((xx, yy))
    return out


def line(x1, y1, x2, y2):
    """One-pixel line between pixel centres (Bresenham)."""
    out = set()
    dx, dy = abs(x2 - x1), -abs(y2 - y1)
    sx = 1 if x1 < x2 else -1
    sy = 1 if y1 < y2 else -1
    err = dx + dy
    while True:
        out.add((x1, y1))
        if x1 == x2 and y1 == y2:
            return out
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x1 += sx
        if e2 <= dx:
            err += dx
            y1 += sy


def arc_points(cx, cy, r, a0_deg, a1_deg, ry=None):
    """Points along an arc; angles in degrees, 0 = right, 90 = down (screen)."""
    ry = r if ry is None else ry
    n = 64
    pts = []
    for i in range(n + 1):
        a = math.radians(a0_deg + (a1_deg - a0_deg) * i / n)
        pts.append((cx + r * math.cos(a), cy + ry * math.sin(a)))
    return pts


def border(shape, thickness=1):
    """Pixels of shape within `thickness` 4-steps of a pixel outside it."""
    out = set()
    rest = set(shape)
    for _ in range(thickness):
        edge = {
            (x, y)
            for (x, y) in rest
            if any(n not in rest for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)))
        }
        out |= edge
        rest -= edge
    return out


def dilate8(shape):
    out = set(shape)
    for (x, y) in shape:
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                out.add((x + dx, y + dy))
    return out


def mirror(shape, w):
    return {(w - 1 - x, y) for (x, y) in shape}


# --------------------------------------------------------------------------
# Result pictures, 48 x 48 on white.
# --------------------------------------------------------------------------
S = 48


def draw_outlined(cv, shape, fill, edge, thickness=1):
    cv.paint(shape, fill)
    cv.paint(border(shape, thickness), edge)


def whiskers(cv, segments):
    for (x1, y1, x2, y2) in segments:
        cv.paint(line(x1, y1, x2, y2), BLACK)
        cv.paint(line(S - 1 - x1, y1, S - 1 - x2, y2), BLACK)


def happy_rabbit():
    cv = Canvas(S, S)
    # Two long ears standing up, leaning slightly outwards.
    ear = ellipse(S, S, 15.5, 13.0, 5.2, 12.5, -10)
    inner = ellipse(S, S, 15.7, 14.5, 2.2, 9.0, -10)
    for e, i in ((ear, inner), (mirror(ear, S), mirror(inner, S))):
        draw_outlined(cv, e, "o", "Y")
        cv.paint(i, "M")
    # Head in front of the ears.
    head = ellipse(S, S, 24.0, 32.0, 16.5, 13.5)
    draw_outlined(cv, head, "o", "Y")
    # Eyes: round, blue, with a light grey glint.
    for ex in (17.5, 30.5):
        cv.paint(ellipse(S, S, ex, 28.0, 2.6, 3.6), "B")
        cv.set(int(ex) + 1, 26, "s")
    # Nose.
    cv.paint({(23, 33), (24, 33), (22, 33), (25, 33), (23, 34), (24, 34)}, "M")
    # Whiskers, fanning out past the cheeks.
    whiskers(cv, [(14, 34, 1, 31), (14, 36, 0, 36), (14, 38, 1, 41)])
    # Mouth: short line under the nose, then a wide smile.
    cv.paint(line(23, 35, 23, 36) | line(24, 35, 24, 36), "R")
    cv.paint(stroke(arc_points(24.0, 34.0, 7.0, 15, 165, 5.5), 0.8), "R")
    return cv


def sad_rabbit():
    cv = Canvas(S, S)
    # Long ears: they rise from the crown, flop over and hang down
    # along both sides of the head, well below the chin.
    ear = pen_path([(19.0, 15.0, 2.8), (14.0, 8.5, 3.2), (8.5, 9.5, 3.6),
                    (6.0, 17.0, 4.2), (6.2, 27.0, 4.6), (7.0, 36.0, 4.2), (7.8, 42.0, 3.0)])
    inner = pen_path([(8.3, 14.0, 1.0), (7.0, 20.0, 1.8), (7.3, 28.0, 2.2), (8.0, 36.0, 1.5)])
    for e, i in ((ear, inner), (mirror(ear, S), mirror(inner, S))):
        draw_outlined(cv, e, "r", BLACK)
        cv.paint(i, "p")
    head = ellipse(S, S, 24.0, 28.0, 13.5, 13.0)
    draw_outlined(cv, head, "r", BLACK)
    # Eyebrows raised in the middle.
    cv.paint(line(14, 22, 19, 20), BLACK)
    cv.paint(line(33, 22, 28, 20), BLACK)
    # Eyes: dark blue on light grey, looking down.
    for ex in (18.5, 29.5):
        cv.paint(ellipse(S, S, ex, 26.0, 2.6, 3.0), "s")
        cv.paint(ellipse(S, S, ex, 27.0, 1.7, 2.0), "b")
    # A tear.
    cv.paint({(16, 30), (16, 31), (15, 32), (16, 32), (17, 32), (15, 33), (16, 33),
              (17, 33), (16, 34)}, "C")
    # Nose.
    cv.paint({(23, 31), (24, 31), (22, 31), (25, 31), (23, 32), (24, 32)}, "M")
    # Drooping whiskers.
    whiskers(cv, [(19, 33, 9, 35), (19, 35, 10, 39)])
    # Mouth: turned down.
    cv.paint(stroke(arc_points(24.0, 39.5, 5.5, 200, 340, 4.0), 0.8), "R")
    return cv


FACE_R = 23.4


def face_disk():
    return disk(S, S, 24.0, 24.0, FACE_R)


def face(fill):
    """The round face both face pictures share: same disk, 2-pixel black rim."""
    cv = Canvas(S, S)
    cv.paint(face_disk(), BLACK)
    cv.paint(disk(S, S, 24.0, 24.0, FACE_R - 2.0), fill)
    return cv


def happy_face():
    cv = face("Y")
    for ex in (16.5, 31.5):
        cv.paint(ellipse(S, S, ex, 18.0, 3.0, 5.0), "B")
    cv.paint(stroke(arc_points(24.0, 26.0, 13.0, 25, 155, 11.0), 1.6), "R")
    return cv


def sad_face():
    cv = face("M")
    for ex in (16.5, 31.5):
        cv.paint(ellipse(S, S, ex, 19.0, 3.0, 5.0), "B")
    cv.paint(line(11, 11, 19, 9) | line(11, 12, 19, 10), BLACK)
    cv.paint(line(36, 11, 28, 9) | line(36, 12, 28, 10), BLACK)
    cv.paint(stroke(arc_points(24.0, 43.0, 11.0, 205, 335, 9.0), 1.6), "r")
    return cv


def mask_of(*pictures):
    """Black exactly where any of the pictures is not white, white elsewhere."""
    first = pictures[0]
    m = Canvas(first.w, first.h)
    for y in range(first.h):
        for x in range(first.w):
            if any(p.get(x, y) != WHITE for p in pictures):
                m.set(x, y, BLACK)
    return m


# --------------------------------------------------------------------------
# Toolbar, 48 x 16: three 16 x 16 images on light grey.
# --------------------------------------------------------------------------
NEW_PAGE = [
    "ssssssssssssssss",
    "ss#########sssss",
    "ss#........#ssss",
    "ss#........#.#ss",
    "ss#........#..#s",
    "ss#........####s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#...........#s",
    "ss#############s",
    "ssssssssssssssss",
]

PERCENT = [
    "ssssssssssssssss",
    "ssssssssssssssss",
    "ss####ssssss##ss",
    "s##ss##ssss##sss",
    "s##ss##sss##ssss",
    "s##ss##ss##sssss",
    "ss####ss##ssssss",
    "ssssssss##ssssss",
    "sssssss##sssssss",
    "ssssss##ssssssss",
    "ssssss##ss####ss",
    "sssss##ss##ss##s",
    "ssss##sss##ss##s",
    "sss##ssss##ss##s",
    "ss##ssssss####ss",
    "ssssssssssssssss",
]

EXIT = [
    "ssssssssssssssss",
    "sggggggggsssssss",
    "sgGg####gsssssss",
    "sgGGg###gsssssss",
    "sgGGGg##gssRssss",
    "sgGGGg##gssRRsss",
    "sgGGGg##gssRRRss",
    "sgGGGg#RRRRRRRRs",
    "sgGGGg#RRRRRRRRs",
    "sgGGGg##gssRRRss",
    "sgGGGg##gssRRsss",
    "sgGGGg##gssRssss",
    "sgGGGg##gsssssss",
    "sgGGg###gsssssss",
    "sgGg####gsssssss",
    "sggggggggsssssss",
]


SPEAKER = [
    "ssssssssssssssss",
    "ssssssssssssssss",
    "sssssss#ssssssss",
    "ssssss##sss#ssss",
    "sssss#.#ssss#sss",
    "ssss#..#s#ss#sss",
    "s####..#ss#ss#ss",
    "s#..#..#ss#ss#ss",
    "s#..#..#ss#ss#ss",
    "s####..#ss#ss#ss",
    "ssss#..#s#ss#sss",
    "sssss#.#ssss#sss",
    "ssssss##sss#ssss",
    "sssssss#ssssssss",
    "ssssssssssssssss",
    "ssssssssssssssss",
]


def toolbar():
    cv = Canvas(64, 16, "s")
    for i, art in enumerate((NEW_PAGE, PERCENT, EXIT, SPEAKER)):
        cv.blit(Canvas.from_rows(art), 16 * i, 0)
    return cv


# --------------------------------------------------------------------------
# Main icon: the Union flag filling the square, with green "IV" over it.
# --------------------------------------------------------------------------
def union_flag(n, white_cross, red_cross, white_diag, red_diag):
    """Square Union flag.  Widths in pixels; diagonal widths are perpendicular."""
    cv = Canvas(n, n, "b")
    c = n / 2.0
    for y in range(n):
        for x in range(n):
            px, py = x + 0.5, y + 0.5
            d1 = (py - px) / math.sqrt(2)  # signed distance to the \ diagonal
            d2 = (px + py - n) / math.sqrt(2)  # signed distance to the / diagonal
            ch = "b"  # navy field
            if abs(d1) <= white_diag / 2 or abs(d2) <= white_diag / 2:
                ch = "."
            # Red saltire, counterchanged: the broad white is uppermost in the hoist.
            left = px < c
            top = py < c
            if top == left:  # on the \ diagonal
                s = d1 if left else -d1
                if 0 <= s <= red_diag:
                    ch = "R"
            else:  # on the / diagonal
                s = d2 if left else -d2
                if 0 <= s <= red_diag:
                    ch = "R"
            if abs(px - c) <= white_cross / 2 or abs(py - c) <= white_cross / 2:
                ch = "."
            if abs(px - c) <= red_cross / 2 or abs(py - c) <= red_cross / 2:
                ch = "R"
            cv.set(x, y, ch)
    return cv


IV_32 = [
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "..GGGGGGGG..GGGGGG.......GGGGGG.",
    "..GGGGGGGG..GGGGGG.......GGGGGG.",
    "....GGGG.....GGGG.........GGGG..",
    "....GGGG.....GGGGG.......GGGGG..",
    "....GGGG......GGGG.......GGGG...",
    "....GGGG......GGGGG.....GGGGG...",
    "....GGGG.......GGGG.....GGGG....",
    "....GGGG.......GGGGG...GGGGG....",
    "....GGGG........GGGG...GGGG.....",
    "....GGGG........GGGGG.GGGGG.....",
    "....GGGG.........GGGG.GGGG......",
    "....GGGG.........GGGGGGGGG......",
    "....GGGG..........GGGGGGG.......",
    "....GGGG..........GGGGGGG.......",
    "....GGGG...........GGGGG........",
    "....GGGG...........GGGGG........",
    "....GGGG............GGG.........",
    "....GGGG............GGG.........",
    "..GGGGGGGG..........GGG.........",
    "..GGGGGGGG......................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]

IV_16 = [
    "................",
    "................",
    ".GGGG.GG....GG..",
    "..GG..GG....GG..",
    "..GG..GG....GG..",
    "..GG...GG..GG...",
    "..GG...GG..GG...",
    "..GG...GG..GG...",
    "..GG....GGGG....",
    "..GG....GGGG....",
    "..GG.....GG.....",
    "..GG.....GG.....",
    ".GGGG....GG.....",
    "................",
    "................",
    "................",
]


def app_icon(n, letters, flag_args):
    cv = union_flag(n, *flag_args)
    glyph = {(x, y) for y, row in enumerate(letters) for x, ch in enumerate(row) if ch == "G"}
    cv.paint(dilate8(glyph) - glyph, BLACK)
    cv.paint(glyph, "G")
    return cv


# The letters of IV_32 as polygons on the same 32-unit square, for the sizes that have
# no hand-drawn art: a serif I, and a V with a thick left stroke and two serifs.
IV_POLYGONS = [
    [(2, 5), (10, 5), (10, 7), (8, 7), (8, 23), (10, 23), (10, 25), (2, 25), (2, 23),
     (4, 23), (4, 7), (2, 7)],
    [(12, 5), (18, 5), (18, 7), (17.5, 7), (22, 15.5), (26.5, 7), (25, 7), (25, 5), (31, 5),
     (31, 7), (30.5, 7), (23.5, 24), (19.5, 24), (12.5, 7), (12, 7)],
]
# Flag widths on the 32-unit square (white cross, red cross, white and red saltire).
FLAG_32 = (10, 6, 6, 2)


def app_icon_drawn(n, flag_args):
    """The icon at n pixels from IV_POLYGONS: outline one n/32 step wide, rounded."""
    cv = union_flag(n, *flag_args)
    k = n / 32.0
    glyph = set()
    for poly in IV_POLYGONS:
        glyph |= polygon(n, n, [(x * k, y * k) for (x, y) in poly])
    edge = set(glyph)
    for _ in range(max(1, round(k))):
        edge = dilate8(edge)
    cv.paint(edge - glyph, BLACK)
    cv.paint(glyph, "G")
    return cv


def app_icon_svg():
    """The icon as SVG on the 32-unit square, the same shapes as the pixel images."""
    white_cross, red_cross, white_diag, red_diag = FLAG_32
    n, c = 32, 16
    w = red_diag * math.sqrt(2)  # the red saltire's width measured along an edge

    def poly(points, fill, extra=""):
        return '  <polygon points="%s" fill="%s"%s/>' % (
            " ".join("%g,%g" % (x, y) for (x, y) in points), fill, extra)

    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">',
           '  <rect width="32" height="32" fill="%s"/>' % PALETTE["b"],
           '  <path d="M0,0L32,32M32,0L0,32" stroke="%s" stroke-width="%g"/>'
           % (PALETTE["."], white_diag)]
    # Counterchanged: the red lies below the diagonal in the upper hoist, and so on round.
    for quarter in ([(0, 0), (c, c), (c - w, c), (0, w)], [(n, 0), (c, c), (c, c - w), (n - w, 0)]):
        out.append(poly(quarter, PALETTE["R"]))
        out.append(poly([(n - x, n - y) for (x, y) in quarter], PALETTE["R"]))
    for width, colour in ((white_cross, PALETTE["."]), (red_cross, PALETTE["R"])):
        out.append('  <rect x="%g" width="%g" height="32" fill="%s"/>' % (c - width / 2, width, colour))
        out.append('  <rect y="%g" width="32" height="%g" fill="%s"/>' % (c - width / 2, width, colour))
    for p in IV_POLYGONS:
        out.append(poly(p, "none", ' stroke="%s" stroke-width="2" stroke-linejoin="miter"'
                        % PALETTE[BLACK]))
    for p in IV_POLYGONS:
        out.append(poly(p, PALETTE["G"]))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def write_png(path, cv):
    """An 8-bit RGB PNG of the canvas, without time stamps."""
    raw = b"".join(b"\0" + b"".join(bytes.fromhex(PALETTE[ch][1:]) for ch in row)
                   for row in cv.rows())

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", cv.w, cv.h, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


def write_icons(icon_16, icon_32):
    """The icon theme's sizes under res/icons/hicolor, as installed."""
    icons = {16: icon_16, 32: icon_32}
    for n in (48, 64, 128):
        icons[n] = app_icon_drawn(n, tuple(round(v * n / 32) for v in FLAG_32))
    for n, cv in icons.items():
        write_png(os.path.join(ICONS, "hicolor", "%dx%d" % (n, n), "apps", ICON_NAME + ".png"), cv)
        print("wrote %s.png (%dx%d)" % (ICON_NAME, n, n))
    path = os.path.join(ICONS, "hicolor", "scalable", "apps", ICON_NAME + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write(app_icon_svg())
    print("wrote %s.svg" % ICON_NAME)


# --------------------------------------------------------------------------
# XPM output
# --------------------------------------------------------------------------
def write_xpm(name, cv):
    rows = cv.rows()
    used = sorted({ch for row in rows for ch in row}, key=lambda ch: list(PALETTE).index(ch))
    lines = ["/* XPM */", "static const char* const %s_xpm[] = {" % name]
    lines.append('"%d %d %d 1",' % (cv.w, cv.h, len(used)))
    for ch in used:
        lines.append('"%s c %s",' % (ch, PALETTE[ch]))
    for i, row in enumerate(rows):
        lines.append('"%s"%s' % (row, "," if i < len(rows) - 1 else ""))
    lines.append("};")
    with open(os.path.join(HERE, name + ".xpm"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    hr = happy_rabbit()
    sr = sad_rabbit()
    hf = happy_face()
    sf = sad_face()
    pictures = {
        "happy_rabbit": hr,
        "happy_rabbit_mask": mask_of(hr),
        "sad_rabbit": sr,
        "sad_rabbit_mask": mask_of(sr),
        "happy_face": hf,
        "sad_face": sf,
        "face_mask": mask_of(hf, sf),
        "toolbar": toolbar(),
        "app_icon_32": app_icon(32, IV_32, (10, 6, 6, 2)),
        "app_icon_16": app_icon(16, IV_16, (6, 2, 3, 1)),
    }
    for name, cv in pictures.items():
        write_xpm(name, cv)
        print("wrote %s.xpm (%dx%d)" % (name, cv.w, cv.h))
    write_icons(pictures["app_icon_16"], pictures["app_icon_32"])


if __name__ == "__main__":
    main()
