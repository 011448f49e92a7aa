"""Bitmap 103: the front of a route bus."""

from .bmp import BMP_W, BMP_H, BMP_IMPORTANT
from .canvas import Canvas
from .glyphs import FONT3x5, FONT5x7, seven_segment

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
