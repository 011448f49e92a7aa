#!/usr/bin/env python3
"""Generate the binary resources of farelib4 and farelib3.

Writes, next to this script:

  about_board.bmp  bitmap 102: a fare board with numbered ticket cells
  about_bus.bmp    bitmap 103: the front of a route bus
  fare.cur         the cursor as a .cur file: a 32 x 32, 16-colour pointer
                   whose tip (hot spot 31, 31) is at the bottom-right corner
  fare_cursor_group.bin   cursor group 101 (RT_GROUP_CURSOR), as linked
  fare_cursor_image.bin   cursor image 1 (RT_CURSOR: hot spot + image), as linked

The pictures are drawn in code (seven-segment and pixel digits included),
so the output depends on nothing but this file and is identical on every
run.  Python standard library only.

Usage:
  python3 resources/gen_resources.py                write the files
  python3 resources/gen_resources.py --check        exit 1 if a file differs
  python3 resources/gen_resources.py --png DIR      also write PNG previews
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Format of the About pictures, as the About dialog expects them.
BMP_W, BMP_H = 210, 165
BMP_ROW = (BMP_W + 3) & ~3            # 212
BMP_PALETTE = 256
BMP_IMPORTANT = 50                    # colours actually used come first
BMP_PELS_PER_METRE = 2835             # 72 dpi
BMP_DIB_SIZE = 40 + 4 * BMP_PALETTE + BMP_ROW * BMP_H      # 36044

# Cursor format.
CUR_SIZE = 32
CUR_HOTSPOT = (31, 31)
CUR_BITS = 4
CUR_IMAGE_SIZE = 40 + 16 * 4 + CUR_SIZE * CUR_SIZE // 2 + CUR_SIZE * 4  # 744
CUR_RESOURCE_SIZE = 4 + CUR_IMAGE_SIZE                                  # 748
CUR_IMAGE_ID = 1


# ---------------------------------------------------------------------------
# Palette canvas
# ---------------------------------------------------------------------------

class Canvas:
    """An 8-bit paletted picture, rows top-down, colours allocated on use."""

    def __init__(self, w, h, limit):
        self.w, self.h, self.limit = w, h, limit
        self.palette = []
        self.index = {}
        self.rows = [bytearray(w) for _ in range(h)]

    def ink(self, rgb):
        rgb = tuple(int(v) for v in rgb)
        i = self.index.get(rgb)
        if i is None:
            if len(self.palette) >= self.limit:
                raise ValueError("more than %d colours" % self.limit)
            i = self.index[rgb] = len(self.palette)
            self.palette.append(rgb)
        return i

    def put(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = self.ink(rgb)

    def get(self, x, y):
        return self.palette[self.rows[y][x]]

    def rect(self, x0, y0, x1, y1, rgb):
        """Fill the half-open box [x0, x1) x [y0, y1)."""
        i = self.ink(rgb)
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.rows[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = i

    def rrect(self, x0, y0, x1, y1, r, rgb, corners="tl tr bl br"):
        """A box with rounded corners of radius r (only the named corners)."""
        i = self.ink(rgb)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                cx = cy = None
                if x < x0 + r:
                    cx = x0 + r - 0.5
                    side = "l"
                elif x >= x1 - r:
                    cx = x1 - r - 0.5
                    side = "r"
                if y < y0 + r:
                    cy = y0 + r - 0.5
                    vert = "t"
                elif y >= y1 - r:
                    cy = y1 - r - 0.5
                    vert = "b"
                if cx is not None and cy is not None and vert + side in corners:
                    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
                        continue
                self.rows[y][x] = i

    def ellipse(self, cx, cy, rx, ry, rgb):
        """Fill the ellipse centred on (cx, cy); centres may be fractional."""
        i = self.ink(rgb)
        for y in range(max(0, int(cy - ry) - 1), min(self.h, int(cy + ry) + 2)):
            for x in range(max(0, int(cx - rx) - 1), min(self.w, int(cx + rx) + 2)):
                dx = (x + 0.5 - cx) / rx
                dy = (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.rows[y][x] = i

    def polygon(self, pts, rgb):
        """Fill a polygon by sampling pixel centres (even-odd rule)."""
        i = self.ink(rgb)
        ys = [p[1] for p in pts]
        n = len(pts)
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            sy = y + 0.5
            xs = []
            for k in range(n):
                (ax, ay), (bx, by) = pts[k], pts[(k + 1) % n]
                if (ay <= sy < by) or (by <= sy < ay):
                    xs.append(ax + (sy - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(max(0, int(a + 0.5)), min(self.w, int(b + 0.5))):
                    self.rows[y][x] = i

    def line(self, x0, y0, x1, y1, rgb, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        half = (width - 1) / 2.0
        for s in range(steps + 1):
            t = s / steps
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            self.rect(int(round(x - half)), int(round(y - half)),
                      int(round(x - half)) + width, int(round(y - half)) + width, rgb)

    def vgradient(self, x0, y0, x1, y1, top, bottom, steps):
        """Vertical gradient in a few flat bands (the palette is small)."""
        h = y1 - y0
        for k in range(steps):
            t = k / max(1, steps - 1)
            rgb = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x0, y0 + h * k // steps, x1, y0 + h * (k + 1) // steps, rgb)

    def glyph(self, x, y, rows, rgb, scale=1):
        """Draw a bitmap glyph given as strings of '#' and '.'."""
        for j, line in enumerate(rows):
            for k, ch in enumerate(line):
                if ch == "#":
                    self.rect(x + k * scale, y + j * scale,
                              x + (k + 1) * scale, y + (j + 1) * scale, rgb)

    def text(self, x, y, s, font, rgb, spacing=1, scale=1):
        for ch in s:
            g = font[ch]
            self.glyph(x, y, g, rgb, scale)
            x += (len(g[0]) + spacing) * scale


# 5 x 7 pixel digits for the ticket numbers and the number plate.
FONT5x7 = {
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "-": [".....", ".....", ".....", ".###.", ".....", ".....", "....."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}

# 3 x 5 digits for small print.
FONT3x5 = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
    ":": ["...", ".#.", "...", ".#.", "..."],
}

# Segments lit for each digit: a b c d e f g.
SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg",
}


def seven_segment(cv, x, y, w, h, t, ch, on, off):
    """Draw one seven-segment digit in the box (x, y, w, h), stroke t.

    Unlit segments are drawn in `off`, as on a real LED board."""
    mid = y + (h - t) // 2
    boxes = {
        "a": (x + 1, y, x + w - 1, y + t),
        "g": (x + 1, mid, x + w - 1, mid + t),
        "d": (x + 1, y + h - t, x + w - 1, y + h),
        "f": (x, y + 1, x + t, mid + t - 1),
        "b": (x + w - t, y + 1, x + w, mid + t - 1),
        "e": (x, mid + 1, x + t, y + h - 1),
        "c": (x + w - t, mid + 1, x + w, y + h - 1),
    }
    lit = SEGMENTS.get(ch, "")
    for seg in "abcdefg":
        if seg not in lit:
            cv.rect(*boxes[seg], off)
    for seg in lit:
        cv.rect(*boxes[seg], on)


# ---------------------------------------------------------------------------
# Bitmap 102: the fare board
# ---------------------------------------------------------------------------

# Fare due for ticket numbers 1, 2, 3 ... (yen).
FARES = [210, 210, 230, 250, 270, 290, 310, 330, 350, 380,
         410, 440, 470, 500, 530, 560, 600, 640, 680, 720]


def draw_board():
    cv = Canvas(BMP_W, BMP_H, BMP_IMPORTANT)

    # Bus interior: a warm cream wall with a ceiling strip and a grab rail.
    cv.vgradient(0, 0, BMP_W, BMP_H, (236, 228, 210), (206, 194, 172), 5)
    cv.rect(0, 0, BMP_W, 4, (170, 160, 146))
    cv.rect(0, 4, BMP_W, 5, (150, 140, 126))
    cv.rect(0, 158, BMP_W, 160, (184, 174, 156))
    cv.rect(0, 160, BMP_W, BMP_H, (120, 112, 102))

    # Board casing with a soft shadow and a bevel.
    bx0, by0, bx1, by1 = 7, 10, 203, 155
    cv.rrect(bx0 + 2, by0 + 3, bx1 + 2, by1 + 3, 7, (150, 140, 126))
    cv.rrect(bx0, by0, bx1, by1, 7, (74, 78, 88))
    cv.rrect(bx0 + 1, by0 + 1, bx1 - 1, by1 - 1, 6, (44, 46, 54))
    cv.rrect(bx0 + 2, by0 + 2, bx1 - 2, by1 - 2, 5, (30, 31, 37))
    # Two screws holding the casing.
    for sx in (bx0 + 5, bx1 - 7):
        cv.rect(sx, by0 + 4, sx + 2, by0 + 6, (110, 114, 124))

    # Header: a ticket icon and a yen sign, a route number in green.
    hy = by0 + 5
    green, green_off = (90, 240, 120), (20, 34, 26)
    # ticket icon (a small slip with a punched number)
    cv.rect(17, hy, 33, hy + 11, (240, 240, 232))
    cv.rect(17, hy, 33, hy + 1, (200, 60, 60))
    cv.glyph(23, hy + 3, FONT3x5["1"], (40, 40, 48))
    cv.rect(31, hy + 4, 33, hy + 7, (30, 31, 37))          # notch
    # arrow to the yen sign
    cv.rect(37, hy + 5, 45, hy + 6, (150, 156, 170))
    cv.glyph(45, hy + 3, ["#..", "##.", "###", "##.", "#.."], (150, 156, 170))
    yen = ["#...#", ".#.#.", "..#..", "#####", "..#..", "#####", "..#.."]
    cv.glyph(51, hy + 2, yen, (255, 170, 40))
    # route number box on the right: "12"
    cv.rect(151, hy - 1, 195, hy + 13, (16, 17, 21))
    for k, ch in enumerate("12"):
        seven_segment(cv, 171 + k * 11, hy + 1, 8, 11, 2, ch, green, green_off)
    cv.glyph(155, hy + 3, ["..#..", ".###.", "#####", "..#..", "..#..", "..#.."],
             green)                                        # an up arrow

    # Grid of ticket cells: 5 columns, 4 rows.
    gx0, gy0 = bx0 + 5, by0 + 22
    cols, rows_ = 5, 4
    cw, ch_ = 36, 29
    gap = 2
    strip = (58, 72, 104)
    strip_hi = (78, 96, 138)
    cell_bg = (14, 14, 18)
    amber, amber_off = (255, 156, 32), (38, 24, 16)
    white = (246, 246, 250)
    for r in range(rows_):
        for c in range(cols):
            n = r * cols + c + 1
            x = gx0 + c * (cw + gap) + 2
            y = gy0 + r * (ch_ + gap)
            cv.rect(x, y, x + cw, y + ch_, cell_bg)
            # number strip
            cv.rect(x, y, x + cw, y + 10, strip)
            cv.rect(x, y, x + cw, y + 1, strip_hi)
            label = str(n)
            lw = len(label) * 6 - 1
            cv.text(x + (cw - lw) // 2, y + 2, label, FONT5x7, white)
            # fare in amber seven-segment digits
            fare = str(FARES[n - 1])
            dw, dg = 8, 3
            fx = x + (cw - (3 * dw + 2 * dg)) // 2
            for k, d in enumerate(fare):
                seven_segment(cv, fx + k * (dw + dg), y + 13, dw, 13, 2, d,
                              amber, amber_off)

    # The newest ticket number blinks: frame it in green.
    lx = gx0 + 4 * (cw + gap) + 2
    ly = gy0 + 3 * (ch_ + gap)
    for (a, b, c_, d) in ((lx - 1, ly - 1, lx + cw + 1, ly),
                          (lx - 1, ly + ch_, lx + cw + 1, ly + ch_ + 1),
                          (lx - 1, ly, lx, ly + ch_),
                          (lx + cw, ly, lx + cw + 1, ly + ch_)):
        cv.rect(a, b, c_, d, green)

    return cv


# ---------------------------------------------------------------------------
# Bitmap 103: the front of a bus
# ---------------------------------------------------------------------------

# Destination in orange LEDs, hand-set characters: a town-centre stop.
KANJI_NAKA = [
    "....#....",
    "....#....",
    "#########",
    "#...#...#",
    "#...#...#",
    "#########",
    "....#....",
    "....#....",
    "....#....",
]
KANJI_OU = [
    "....#....",
    ".#######.",
    ".#..#..#.",
    ".#..#..#.",
    "#########",
    "...#.#...",
    "..#...#..",
    ".#.....#.",
    "#.......#",
]
KANJI_HON = [
    "....#....",
    "#########",
    "....#....",
    "...###...",
    "..#.#.#..",
    ".#..#..#.",
    "#.#####.#",
    "....#....",
    "....#....",
]
KANJI_MACHI = [
    ".........",
    "#####....",
    "#.#.#####",
    "#.#.#..#.",
    "#####..#.",
    "#.#.#..#.",
    "#####..#.",
    ".......#.",
    "......##.",
]


def draw_bus():
    cv = Canvas(BMP_W, BMP_H, BMP_IMPORTANT)

    # Sky, clouds, hills, road.
    cv.vgradient(0, 0, BMP_W, 112, (120, 186, 240), (200, 230, 250), 6)
    for (cx, cy, rx, ry) in ((22, 26, 14, 6), (34, 22, 10, 7), (184, 40, 15, 6),
                             (194, 36, 9, 6), (14, 70, 10, 4)):
        cv.ellipse(cx, cy, rx, ry, (250, 252, 255))
    cv.ellipse(30, 122, 70, 26, (118, 178, 98))
    cv.ellipse(182, 120, 60, 22, (98, 160, 86))
    cv.rect(0, 112, BMP_W, 118, (110, 170, 92))
    cv.rect(0, 118, BMP_W, BMP_H, (128, 130, 136))
    cv.rect(0, 118, BMP_W, 120, (168, 170, 174))          # kerb
    for x in range(4, BMP_W, 26):
        cv.rect(x, 158, x + 13, 160, (236, 236, 230))     # lane marks

    # Shadow under the bus.
    cv.ellipse(105, 152, 80, 7, (96, 98, 104))

    body = (246, 246, 240)
    body_shade = (214, 216, 214)
    band = (34, 150, 96)
    band_dark = (20, 110, 70)
    accent = (246, 170, 40)
    dark = (40, 42, 48)

    # Wheels showing below the body.
    for wx in (40, 152):
        cv.rrect(wx, 132, wx + 18, 154, 4, (28, 28, 32))
        cv.rect(wx + 3, 146, wx + 15, 148, (58, 58, 64))

    # Body.
    x0, x1 = 32, 178
    cv.rrect(x0, 10, x1, 148, 10, body, corners="tl tr")
    cv.rect(x0, 140, x1, 148, body_shade)
    cv.rect(x1 - 4, 20, x1, 140, body_shade)              # side in shade
    # Roof line.
    cv.rrect(x0 + 4, 8, x1 - 4, 13, 3, body_shade, corners="tl tr")

    # Destination display.
    cv.rrect(44, 16, 166, 36, 2, dark)
    cv.rect(46, 18, 164, 34, (14, 14, 16))
    # route number on white
    cv.rect(48, 19, 72, 33, (250, 250, 250))
    for k, d in enumerate("12"):
        seven_segment(cv, 51 + k * 10, 21, 8, 11, 2, d, (20, 20, 24),
                      (250, 250, 250))
    orange = (255, 150, 30)
    for k, g in enumerate((KANJI_NAKA, KANJI_OU, KANJI_HON, KANJI_MACHI)):
        cv.glyph(99 + k * 13, 21, g, orange)

    # Windscreen: dark glass with reflections, thin frame.
    cv.rrect(38, 40, 172, 96, 5, dark)
    glass_top, glass_bot = (58, 96, 130), (30, 50, 72)
    cv.vgradient(40, 42, 170, 94, glass_top, glass_bot, 5)
    for (cx, cy) in ((40, 42), (169, 42), (40, 93), (169, 93)):
        cv.put(cx, cy, dark)                              # rounded glass corners
    # seats seen through the glass
    seat = (22, 36, 52)
    cv.rrect(52, 74, 70, 94, 3, seat, corners="tl tr")
    cv.rrect(140, 74, 158, 94, 3, seat, corners="tl tr")
    # reflections
    refl = (108, 146, 178)
    cv.polygon([(118, 42), (130, 42), (100, 94), (88, 94)], refl)
    cv.polygon([(134, 42), (139, 42), (109, 94), (104, 94)], refl)
    cv.polygon([(150, 42), (160, 42), (138, 80), (128, 80)], (84, 124, 158))
    # wipers
    cv.line(60, 92, 100, 88, (24, 24, 28), 2)
    cv.line(112, 92, 152, 88, (24, 24, 28), 2)

    # Mirrors on arms.
    for side in (-1, 1):
        ax = 32 if side < 0 else 177
        tip = ax + side * 12
        cv.line(ax, 22, tip, 18, dark, 2)
        cv.line(tip, 18, tip, 30, dark, 2)
        mx = tip - 4 if side < 0 else tip - 2
        cv.rrect(mx - 2, 30, mx + 6, 50, 2, dark)
        cv.rect(mx - 1, 32, mx + 5, 48, (70, 110, 140))

    # Colour band below the windscreen.
    cv.rect(x0, 98, x1, 108, band)
    cv.rect(x0, 106, x1, 108, band_dark)
    cv.rect(x0, 108, x1, 110, accent)

    # Headlights: two round lamps and an amber indicator each side.
    lamp_rim = (90, 92, 100)
    lamp = (255, 250, 214)
    lamp_core = (255, 255, 255)
    for lx in (38, 150):
        cv.rrect(lx, 114, lx + 22, 127, 4, lamp_rim)
        cv.ellipse(lx + 6.5, 120.5, 4.5, 4.5, lamp)
        cv.ellipse(lx + 15.5, 120.5, 4.5, 4.5, lamp)
        cv.ellipse(lx + 6.5, 119.5, 1.6, 1.6, lamp_core)
        cv.ellipse(lx + 15.5, 119.5, 1.6, 1.6, lamp_core)
    cv.rrect(34, 129, 46, 134, 2, accent)
    cv.rrect(164, 129, 176, 134, 2, accent)

    # Grille between the lamps.
    for y in range(114, 127, 3):
        cv.rect(66, y, 144, y + 2, body_shade)

    # Number plate: green with white characters.
    plate_green = (30, 112, 70)
    cv.rect(84, 128, 126, 146, (236, 236, 236))
    cv.rect(85, 129, 125, 145, plate_green)
    for k, d in enumerate("21"):
        cv.glyph(96 + k * 4, 131, FONT3x5[d], (236, 236, 236))
    cv.text(88, 137, "12-34", FONT5x7, (236, 236, 236), spacing=1)

    # Bumper.
    cv.rrect(30, 144, 180, 152, 3, (70, 72, 80))
    cv.rect(32, 145, 178, 146, (108, 110, 118))

    return cv


# ---------------------------------------------------------------------------
# Cursor 101: a pointer with its tip at the bottom-right corner
# ---------------------------------------------------------------------------

# Standard 16-colour palette; index 0 is black, 15 is white.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# The usual arrow, drawn with its tip at the top-left; it is turned half a
# turn when placed, so the tip lands on the hot spot (31, 31).  'K' black
# outline, 'W' white, '.' transparent.
ARROW_ART = [
    "K...........",
    "KK..........",
    "KWK.........",
    "KWWK........",
    "KWWWK.......",
    "KWWWWK......",
    "KWWWWWK.....",
    "KWWWWWWK....",
    "KWWWWWWWK...",
    "KWWWWWWWWK..",
    "KWWWWWWWWWK.",
    "KWWWWWWKKKKK",
    "KWWWKWWK....",
    "KWWK.KWWK...",
    "KWK..KWWK...",
    "KK....KWWK..",
    "K.....KWWK..",
    ".......KK...",
]

# A numbered ticket slip in the top-left corner: 'Y' yellow paper, 'R' red
# stripe, 'G' grey print.
TICKET_ART = [
    "KKKKKKKKKKKKKKKKK",
    "KYYYYYYYYYYYYYYYK",
    "KYYYYKKYYYYYYYYYK",
    "KYYYKKKYYYGGGGGYK",
    "KYYYYKKYYYYYYYYYK",
    "KYYYYKKYYYGGGGGYK",
    "KYYYYKKYYYYYYYYYK",
    "KYYYKKKKYYGGGYYYK",
    "KYYYYYYYYYYYYYYYK",
    "KRRRRRRRRRRRRRRRK",
    "KKKKKKKKKKKKKKKKK",
]
CURSOR_INKS = {"K": 0, "W": 15, "Y": 11, "R": 9, "G": 8}


def cursor_pixels():
    """32 x 32 grid of palette indices (None = transparent), top-down."""
    n = CUR_SIZE
    grid = [[None] * n for _ in range(n)]
    for y, line in enumerate(TICKET_ART):
        for x, ch in enumerate(line):
            grid[1 + y][1 + x] = CURSOR_INKS.get(ch)
    hx, hy = CUR_HOTSPOT
    for y, line in enumerate(ARROW_ART):
        for x, ch in enumerate(line):
            if ch in CURSOR_INKS:
                grid[hy - y][hx - x] = CURSOR_INKS[ch]
    return grid


def encode_cursor():
    """The 32 x 32, 4 bpp cursor image: header, 16 colours, XOR and AND masks."""
    n = CUR_SIZE
    grid = cursor_pixels()
    assert grid[CUR_HOTSPOT[1]][CUR_HOTSPOT[0]] is not None, "tip not opaque"
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0,
                         n * n // 2 + n * 4, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA16)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(n)):                 # bottom-up rows
        row = grid[y]
        for x in range(0, n, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(n):                       # 1 = transparent
            bits = bits << 1 | (row[x] is None)
        mask += bits.to_bytes(n // 8, "big")
    image = header + palette + bytes(xor) + bytes(mask)
    assert len(image) == CUR_IMAGE_SIZE, len(image)
    return image


def encode_cursor_file(image):
    """A .cur file holding the image: to open in an editor or viewer."""
    n = CUR_SIZE
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", n, n, 16, 0, CUR_HOTSPOT[0],
                        CUR_HOTSPOT[1], len(image), 6 + 16)
    return directory + entry + image


def encode_cursor_resource(image):
    """The RT_CURSOR resource (id 1): the hot spot, then the image."""
    data = struct.pack("<HH", *CUR_HOTSPOT) + image
    assert len(data) == CUR_RESOURCE_SIZE, len(data)
    return data


def encode_cursor_group(image):
    """The RT_GROUP_CURSOR resource (id 101) naming cursor image 1.

    A resource compiler fills this directory from the .cur file's entry and
    may write 1 plane and 1 bit per pixel whatever the image holds; written
    here, the entry says what the image is: 32 wide, 64 high (image and
    mask, as in every cursor directory), 1 plane, 4 bits per pixel."""
    n = CUR_SIZE
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<HHHHIH", n, 2 * n, 1, CUR_BITS, CUR_RESOURCE_SIZE,
                        CUR_IMAGE_ID)
    return header + entry


# ---------------------------------------------------------------------------
# Encoders
# ---------------------------------------------------------------------------

def encode_bmp(cv):
    """BMP file: file header + BITMAPINFOHEADER + 256 colours + pixel rows."""
    assert (cv.w, cv.h) == (BMP_W, BMP_H)
    used = len(cv.palette)
    assert used <= BMP_IMPORTANT
    info = struct.pack("<IiiHHIIiiII", 40, BMP_W, BMP_H, 1, 8, 0,
                       BMP_ROW * BMP_H, BMP_PELS_PER_METRE, BMP_PELS_PER_METRE,
                       BMP_PALETTE, BMP_IMPORTANT)
    colours = list(cv.palette)
    # Unused entries: a grey ramp, so the table is fully defined.
    spare = BMP_PALETTE - used
    for k in range(spare):
        v = round(255 * k / max(1, spare - 1))
        colours.append((v, v, v))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    pad = bytes(BMP_ROW - BMP_W)
    pixels = b"".join(bytes(cv.rows[y]) + pad for y in reversed(range(BMP_H)))
    dib = info + palette + pixels
    assert len(dib) == BMP_DIB_SIZE, len(dib)
    offset = 14 + 40 + 4 * BMP_PALETTE
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, offset) + dib


def encode_png(rgb_rows, w, h):
    """Minimal truecolour PNG, for previews only."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff))
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview_rows(cv, scale):
    out = []
    for row in cv.rows:
        line = [cv.palette[i] for i in row for _ in range(scale)]
        out.extend([line] * scale)
    return out


def cursor_preview_rows(scale):
    out = []
    for y, row in enumerate(cursor_pixels()):
        line = []
        for x, i in enumerate(row):
            checker = (200, 200, 200) if (x // 4 + y // 4) % 2 else (150, 170, 150)
            line.extend([VGA16[i] if i is not None else checker] * scale)
        out.extend([line] * scale)
    return out


# ---------------------------------------------------------------------------

def build():
    cursor = encode_cursor()
    return {
        "about_board.bmp": encode_bmp(draw_board()),
        "about_bus.bmp": encode_bmp(draw_bus()),
        "fare.cur": encode_cursor_file(cursor),
        "fare_cursor_group.bin": encode_cursor_group(cursor),
        "fare_cursor_image.bin": encode_cursor_resource(cursor),
    }


def main(argv):
    check = "--check" in argv
    png_dir = None
    if "--png" in argv:
        png_dir = argv[argv.index("--png") + 1]
    outputs = build()
    stale = []
    for name, data in outputs.items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except FileNotFoundError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
            print("%s: %d bytes" % (name, len(data)))
    if png_dir:
        os.makedirs(png_dir, exist_ok=True)
        for name, cv in (("about_board", draw_board()), ("about_bus", draw_bus())):
            for scale in (1, 3):
                with open(os.path.join(png_dir, "%s_x%d.png" % (name, scale)), "wb") as f:
                    f.write(encode_png(preview_rows(cv, scale), cv.w * scale, cv.h * scale))
            print("%s: %d colours" % (name, len(cv.palette)))
        with open(os.path.join(png_dir, "fare_cursor_x8.png"), "wb") as f:
            f.write(encode_png(cursor_preview_rows(8), 256, 256))
    if check and stale:
        print("out of date: " + ", ".join(stale) + " (run gen_resources.py)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
