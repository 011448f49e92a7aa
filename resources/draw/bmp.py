"""The About pictures' BMP format, as the About dialog expects them."""

import struct

BMP_W, BMP_H = 210, 165
BMP_ROW = (BMP_W + 3) & ~3            # 212
BMP_PALETTE = 256
BMP_IMPORTANT = 50                    # colours actually used come first
BMP_PELS_PER_METRE = 2835             # 72 dpi
BMP_DIB_SIZE = 40 + 4 * BMP_PALETTE + BMP_ROW * BMP_H      # 36044


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
