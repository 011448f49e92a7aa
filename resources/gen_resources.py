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
so the output depends on nothing but the sources and is identical on every
run.  Python standard library only.  The drawing lives in draw/: canvas.py
(the paletted surface), glyphs.py (digits and fonts), board.py and bus.py
(the two pictures), cursor.py (the cursor and its encodings) and bmp.py
(the BMP format).  PNG previews use the project's PNG writer,
scripts/lib/pngwrite.py.

Usage:
  python3 resources/gen_resources.py                write the files
  python3 resources/gen_resources.py --check        exit 1 if a file differs
  python3 resources/gen_resources.py --png DIR      also write PNG previews
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True          # nothing written into the sources
sys.path[:0] = [HERE, os.path.join(HERE, "..", "scripts", "lib")]

from draw import cursor                            # noqa: E402
from draw.bmp import encode_bmp                    # noqa: E402
from draw.board import draw_board                  # noqa: E402
from draw.bus import draw_bus                      # noqa: E402
from pngwrite import encode_png                    # noqa: E402


def build():
    image = cursor.encode_cursor()
    return {
        "about_board.bmp": encode_bmp(draw_board()),
        "about_bus.bmp": encode_bmp(draw_bus()),
        "fare.cur": cursor.encode_cursor_file(image),
        "fare_cursor_group.bin": cursor.encode_cursor_group(image),
        "fare_cursor_image.bin": cursor.encode_cursor_resource(image),
    }


def write_previews(png_dir):
    os.makedirs(png_dir, exist_ok=True)
    for name, cv in (("about_board", draw_board()), ("about_bus", draw_bus())):
        for scale in (1, 3):
            with open(os.path.join(png_dir, "%s_x%d.png" % (name, scale)), "wb") as f:
                f.write(encode_png(cv.w * scale, cv.h * scale, cv.rgb_rows(scale)))
        print("%s: %d colours" % (name, len(cv.palette)))
    side = cursor.CUR_SIZE * 8
    with open(os.path.join(png_dir, "fare_cursor_x8.png"), "wb") as f:
        f.write(encode_png(side, side, cursor.preview_rows(8)))


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
        write_previews(png_dir)
    if check and stale:
        print("out of date: " + ", ".join(stale) + " (run gen_resources.py)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
