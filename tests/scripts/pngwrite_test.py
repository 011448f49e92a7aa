#!/usr/bin/env python3
"""The PNG writer of scripts/lib: what it writes decodes to the pixels it was
given, and what it cannot convert it refuses whole."""

import os
import struct
import sys
import tempfile
import unittest
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib"))
import pngwrite  # noqa: E402


def decode_png(data):
    """(width, height, rows of RGB bytes) of a PNG as pngwrite writes it,
    checking the signature, every chunk's CRC, the header and the filters."""
    assert data[:8] == pngwrite.SIGNATURE, "expected the PNG signature, got %r" % data[:8]
    pos, chunks = 8, []
    while pos < len(data):
        length, = struct.unpack_from(">I", data, pos)
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack_from(">I", data, pos + 8 + length)
        assert crc == zlib.crc32(kind + body) & 0xFFFFFFFF, "expected a right CRC on %r" % kind
        chunks.append((kind, body))
        pos += 12 + length
    kinds = [k for k, _ in chunks]
    assert kinds[0] == b"IHDR" and kinds[-1] == b"IEND", "expected IHDR ... IEND, got %r" % kinds
    width, height, depth, colour, comp, filt, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    assert (depth, colour, comp, filt, interlace) == (8, 2, 0, 0, 0), \
        "expected 8-bit truecolour, got %r" % ((depth, colour, comp, filt, interlace),)
    raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))
    line = 1 + 3 * width
    assert len(raw) == line * height, "expected %d bytes of rows, got %d" % (line * height, len(raw))
    rows = [raw[y * line:(y + 1) * line] for y in range(height)]
    assert all(r[0] == 0 for r in rows), "expected filter 0 on every row"
    return width, height, [r[1:] for r in rows]


def pixel(x, y):
    """A colour that differs at every position and in every channel."""
    return bytes(((x * 40 + y * 7 + 1) % 256, (y * 50 + x + 2) % 256, (x * y * 13 + 3) % 256))


def make_bmp(width, height, bits=24, compression=0, top_down=False, header_size=40,
             cut=0, offset=None):
    """A BMP file whose pixel (x, y), y counted from the top, is pixel(x, y)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = b"".join(bytes(reversed(pixel(x, y))) for x in range(width))   # BGR
        rows.append(row + bytes(stride - len(row)))
    if not top_down:
        rows.reverse()
    pixels = b"".join(rows)
    if offset is None:
        offset = 14 + header_size
    info = struct.pack("<IiiHHIIiiII", header_size, width, -height if top_down else height, 1,
                       bits, compression, len(pixels), 2835, 2835, 0, 0)
    info += bytes(header_size - 40)
    data = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info
    data += bytes(max(0, offset - len(data))) + pixels
    return data[:len(data) - cut] if cut else data


def with_offset(bmp, offset):
    """bmp with its pixel offset changed."""
    data = bytearray(bmp)
    struct.pack_into("<I", data, 10, offset)
    return bytes(data)


def expected_rows(width, height):
    return [b"".join(pixel(x, y) for x in range(width)) for y in range(height)]


class PngFromBmp(unittest.TestCase):
    def test_pixels_come_out_as_captured(self):
        cases = [  # width, height, top-down, header size (padding of 0 to 3 bytes a row)
            (1, 1, False, 40), (3, 2, False, 40), (4, 3, False, 40), (5, 4, True, 40),
            (2, 2, True, 40), (7, 5, False, 124),
        ]
        for width, height, top_down, header in cases:
            with self.subTest(width=width, height=height, top_down=top_down, header=header):
                got = decode_png(pngwrite.png_from_bmp(make_bmp(width, height, top_down=top_down,
                                                                header_size=header)))
                self.assertEqual((width, height, expected_rows(width, height)), got,
                                 "expected the BMP's pixels, top row first, in RGB order")

    def test_what_is_not_a_24_bit_bmp_is_refused(self):
        good = make_bmp(3, 2)
        cases = [
            ("empty file", b""),
            ("a header cut short", good[:40]),
            ("no BM signature", b"XX" + good[2:]),
            ("8 bits per pixel", make_bmp(3, 2, bits=8)),
            ("32 bits per pixel", make_bmp(3, 2, bits=32)),
            ("bit fields", make_bmp(3, 2, compression=3)),
            ("pixels cut short", make_bmp(3, 2, cut=1)),
            ("no pixels", make_bmp(3, 2, cut=24)),
            ("width 0", make_bmp(0, 2)),
            ("height 0", make_bmp(3, 0)),
            ("a 12-byte core header", make_bmp(3, 2, header_size=40)[:14] + struct.pack("<I", 12) + good[18:]),
            ("pixels inside the header", make_bmp(3, 2, offset=20)),
            ("pixels past the end", with_offset(good, len(good) - 23)),
            ("an offset near 2^32", with_offset(good, 0xFFFFFFF0)),
        ]
        for name, data in cases:
            with self.subTest(name):
                with self.assertRaises(ValueError, msg="expected ValueError for " + name):
                    pngwrite.png_from_bmp(data)


class EncodePng(unittest.TestCase):
    def test_rows_are_written_as_given(self):
        for width, height in ((1, 1), (2, 3), (256, 2)):
            with self.subTest(width=width, height=height):
                rows = expected_rows(width, height)
                self.assertEqual((width, height, rows), decode_png(pngwrite.encode_png(width, height, rows)))

    def test_rows_that_do_not_match_the_size_are_refused(self):
        rows = expected_rows(2, 2)
        cases = [
            ("too few rows", 2, 3, rows),
            ("too many rows", 2, 1, rows),
            ("a short row", 2, 2, [rows[0], rows[1][:-1]]),
            ("a long row", 2, 2, [rows[0] + b"\0", rows[1]]),
            ("width 0", 0, 2, [b"", b""]),
            ("height 0", 2, 0, []),
            ("negative width", -2, 2, rows),
        ]
        for name, width, height, given in cases:
            with self.subTest(name):
                with self.assertRaises(ValueError, msg="expected ValueError for " + name):
                    pngwrite.encode_png(width, height, given)


class ConvertFolder(unittest.TestCase):
    def test_good_pictures_are_converted_and_bad_ones_kept(self):
        with tempfile.TemporaryDirectory() as folder:
            files = {
                "shot.bmp": make_bmp(4, 3),
                "palette.bmp": make_bmp(4, 3, bits=8),
                "short.bmp": make_bmp(4, 3, cut=5),
                "notes.txt": b"left alone",
            }
            for name, data in files.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            failed = pngwrite.convert_folder(folder)
            self.assertEqual(["palette.bmp", "short.bmp"], [line.split(":")[0] for line in failed],
                             "expected the two files that are not 24-bit BMPs to be reported")
            self.assertEqual(["notes.txt", "palette.bmp", "short.bmp", "shot.png"], sorted(os.listdir(folder)),
                             "expected shot.bmp replaced by shot.png, the rest untouched, no temporary file")
            for name in ("notes.txt", "palette.bmp", "short.bmp"):
                with open(os.path.join(folder, name), "rb") as f:
                    self.assertEqual(files[name], f.read(), "expected %s unchanged" % name)
            with open(os.path.join(folder, "shot.png"), "rb") as f:
                self.assertEqual((4, 3, expected_rows(4, 3)), decode_png(f.read()))

    def test_command_exit_status(self):
        with tempfile.TemporaryDirectory() as folder:
            self.assertEqual(0, pngwrite.main([folder]), "expected 0 for a folder without pictures")
            with open(os.path.join(folder, "bad.bmp"), "wb") as f:
                f.write(b"BM")
            self.assertEqual(1, pngwrite.main([folder]), "expected 1 when a picture is not converted")
            self.assertEqual(2, pngwrite.main([]), "expected 2 without a folder")


if __name__ == "__main__":
    unittest.main()
