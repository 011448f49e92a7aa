"""Bitmap 102: a fare board with numbered ticket cells and their fares."""

from .bmp import BMP_W, BMP_H, BMP_IMPORTANT
from .canvas import Canvas
from .glyphs import FONT3x5, FONT5x7, seven_segment

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
