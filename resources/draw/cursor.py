"""Cursor 101: a pointer with its tip at the bottom-right corner, with a
numbered ticket slip; encoded as the linked resources and as a .cur file."""

import struct

CUR_SIZE = 32
CUR_HOTSPOT = (31, 31)
CUR_BITS = 4
CUR_IMAGE_SIZE = 40 + 16 * 4 + CUR_SIZE * CUR_SIZE // 2 + CUR_SIZE * 4  # 744
CUR_RESOURCE_SIZE = 4 + CUR_IMAGE_SIZE                                  # 748
CUR_IMAGE_ID = 1


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


def preview_rows(scale):
    """The cursor as RGB byte rows, top row first, scaled up, with its
    transparent pixels shown as a checkerboard."""
    out = []
    for y, row in enumerate(cursor_pixels()):
        line = bytearray()
        for x, i in enumerate(row):
            checker = (200, 200, 200) if (x // 4 + y // 4) % 2 else (150, 170, 150)
            line += bytes(VGA16[i] if i is not None else checker) * scale
        out.extend([bytes(line)] * scale)
    return out
