#!/usr/bin/env python3
"""Writes the skins a half-downloaded or hand-made skin folder can hold into OUT (one folder
each), made at test time because two of them are many megabytes:

  pledit_1x1         Pledit.bmp of 1 x 1 pixels
  pledit_truncated   a Pledit.bmp whose header describes 280 x 111 pixels at 24 bits, cut
                     after 200 bytes
  pledit_empty       Pledit.bmp of 0 bytes
  pledit_huge        Pledit.bmp of 8000 x 8000 pixels at 8 bits (64 MB, written sparse)
  pledit_32bpp       the test skin's frame at 32 bits per pixel: a sound bitmap
  text_tiny          the test skin's Pledit.bmp and a Text.bmp of 10 x 6 pixels
  text_missing       the test skin's Pledit.bmp alone
  pledit_txt_huge    the test skin's Pledit.bmp and a Pledit.txt of 10 MB whose first lines
                     are sound
  pledit_txt_binary  the test skin's Pledit.bmp and a Pledit.txt of random bytes
  varimo_folder      a folder named Varimo.bmp beside the test skin's Pledit.bmp

Standard library only; the output is the same on every run.
"""

import os
import random
import shutil
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_test_skin  # noqa: E402

TEST_SKIN = os.path.join(HERE, "test_skin")


def write_true_color(path, canvas, bits):
    stride = (canvas.width * bits // 8 + 3) // 4 * 4
    pixel = "<BBBB" if bits == 32 else "<BBB"
    rows = b"".join(b"".join(struct.pack(pixel, b, g, r, *([0] if bits == 32 else []))
                             for (r, g, b) in canvas.pixels[y]).ljust(stride, b"\0")
                    for y in reversed(range(canvas.height)))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0, len(rows),
                         2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset))
        f.write(header)
        f.write(rows)


def write_bmp24(path, canvas):
    write_true_color(path, canvas, 24)


def write_bmp32(path, canvas):
    write_true_color(path, canvas, 32)


def write_header_only_bmp8(path, width, height):
    """An 8-bit bitmap of that size whose bits are zero bytes left as a hole in the file."""
    stride = (width + 3) // 4 * 4
    palette = b"\0\0\0\0" * 256
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, stride * height,
                         2835, 2835, 256, 0) + palette
    offset = 14 + len(header)
    size = offset + stride * height
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", size, 0, 0, offset))
        f.write(header)
        f.truncate(size)


def skin(out, name, with_pledit=True):
    folder = os.path.join(out, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    if with_pledit:
        shutil.copy(os.path.join(TEST_SKIN, "Pledit.bmp"), folder)
    return folder


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_hostile_skins.py OUT")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)

    tiny = make_test_skin.Canvas(1, 1, (255, 0, 255))
    make_test_skin.write_bmp8(os.path.join(skin(out, "pledit_1x1", False), "Pledit.bmp"), tiny)

    frame = make_test_skin.draw_pledit()
    truncated = os.path.join(skin(out, "pledit_truncated", False), "Pledit.bmp")
    write_bmp24(truncated, frame)
    with open(truncated, "r+b") as f:
        f.truncate(200)

    open(os.path.join(skin(out, "pledit_empty", False), "Pledit.bmp"), "wb").close()

    write_header_only_bmp8(os.path.join(skin(out, "pledit_huge", False), "Pledit.bmp"), 8000, 8000)

    write_bmp32(os.path.join(skin(out, "pledit_32bpp", False), "Pledit.bmp"), frame)

    glyphs = make_test_skin.Canvas(10, 6, make_test_skin.INK)
    make_test_skin.write_bmp8(os.path.join(skin(out, "text_tiny"), "Text.bmp"), glyphs)

    skin(out, "text_missing")

    with open(os.path.join(skin(out, "pledit_txt_huge"), "Pledit.txt"), "wb") as f:
        f.write(b"[Text]\r\nNormalBG=#204020\r\n")
        line = b"; " + b"x" * 97 + b"\r\n"
        f.write(line * (10 * 1024 * 1024 // len(line)))

    noise = random.Random(10)
    with open(os.path.join(skin(out, "pledit_txt_binary"), "Pledit.txt"), "wb") as f:
        f.write(bytes(noise.randrange(256) for _ in range(4096)))

    os.makedirs(os.path.join(skin(out, "varimo_folder"), "Varimo.bmp", "inside"))


if __name__ == "__main__":
    main()
