"""An 8-bit paletted drawing surface with the few shapes the pictures use."""

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

    def rgb_rows(self, scale=1):
        """The picture as RGB byte rows, top row first, each pixel repeated
        scale times across and down (for previews)."""
        inks = [bytes(rgb) * scale for rgb in self.palette]
        out = []
        for row in self.rows:
            line = b"".join(inks[i] for i in row)
            out.extend([line] * scale)
        return out
