"""PNG files for the project's pictures: truecolour, 8 bits a channel, no
interlace, every row unfiltered, compressed with zlib at level 9. Python's
standard library only.

As a command, converts the 24-bit BMP files a folder holds into PNG files
of the same pixels (the captures of the demo):

    python3 pngwrite.py FOLDER

Each FOO.bmp becomes FOO.png and is removed; a file that is not a 24-bit
uncompressed BMP is named on stderr, kept as it is, and the exit status is 1.
"""

import os
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def encode_png(width, height, rows):
    """A PNG file of `height` rows of `width` RGB pixels, top row first; each
    row is width * 3 bytes, red first."""
    rows = list(rows)
    if width <= 0 or height <= 0 or width > 0x7FFFFFFF or height > 0x7FFFFFFF:
        raise ValueError("a PNG is 1 to 2^31-1 pixels each way, not %d x %d" % (width, height))
    if len(rows) != height:
        raise ValueError("expected %d rows, got %d" % (height, len(rows)))
    for y, row in enumerate(rows):
        if len(row) != width * 3:
            raise ValueError("row %d: expected %d bytes, got %d" % (y, width * 3, len(row)))
    raw = b"".join(b"\0" + bytes(row) for row in rows)
    return (SIGNATURE +
            _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))


def png_from_bmp(bmp):
    """The PNG of a 24-bit uncompressed BMP file (bottom-up or top-down), as
    bytes. Anything else, or a file too short for what its header says,
    raises ValueError."""
    if len(bmp) < 54 or bmp[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset, = struct.unpack_from("<I", bmp, 10)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", bmp, 14)
    if header_size < 40:
        raise ValueError("a BMP header of %d bytes (expected 40 or more)" % header_size)
    if bits != 24 or compression != 0:
        raise ValueError("%d bits per pixel, compression %d (expected 24, 0)" % (bits, compression))
    if width <= 0 or height == 0 or height == -0x80000000:
        raise ValueError("a BMP of %d x %d pixels" % (width, height))
    rows = abs(height)
    stride = (width * 3 + 3) & ~3
    if offset < 14 + header_size or offset + stride * rows > len(bmp):
        raise ValueError("pixels at %d, %d rows of %d bytes, in a file of %d bytes"
                         % (offset, rows, stride, len(bmp)))
    out = []
    for y in range(rows):
        src = y if height < 0 else rows - 1 - y
        start = offset + src * stride
        bgr = bmp[start:start + width * 3]
        rgb = bytearray(bgr)
        rgb[0::3], rgb[2::3] = bgr[2::3], bgr[0::3]
        out.append(bytes(rgb))
    return encode_png(width, rows, out)


def convert_folder(folder):
    """Turns every FOO.bmp in folder into FOO.png; returns the names of the
    files it could not convert."""
    failed = []
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".bmp"):
            continue
        path = os.path.join(folder, name)
        try:
            with open(path, "rb") as f:
                png = png_from_bmp(f.read())
        except (OSError, ValueError) as e:
            failed.append("%s: %s" % (name, e))
            continue
        # Written under a temporary name first: a PNG is whole or absent.
        tmp = path[:-4] + ".png.tmp"
        with open(tmp, "wb") as f:
            f.write(png)
        os.replace(tmp, path[:-4] + ".png")
        os.remove(path)
    return failed


def main(argv):
    if len(argv) != 1:
        print("usage: pngwrite.py FOLDER", file=sys.stderr)
        return 2
    failed = convert_folder(argv[0])
    for line in failed:
        print("pngwrite: not converted, " + line, file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
