#!/usr/bin/env python3
"""Draws the end-to-end tests' host skin into test_skin/ beside this script: a
playlist-editor bitmap "Pledit.bmp" (280 x 111, 8 bits, the host's layout), a glyph bitmap
"Text.bmp" (155 x 18, 8 bits) and the colours "Pledit.txt".

Every piece has a flat colour of its own, far from the built-in skin's, so a probe on
screen tells which skin and which piece it sees. The glyphs take the built-in letter
shapes (resources/text.bmp) in amber on brown. Standard library only; the output is
deterministic, so regenerating shows whether the committed files are current.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(HERE)))
OUT = os.path.join(HERE, "test_skin")

BACKGROUND = (40, 24, 16)       # never shown: outside every piece
FRAME = (150, 70, 40)           # rust: sides and bottom panels
BORDER = (70, 30, 15)
TITLE_ACTIVE = (240, 150, 30)   # orange
TITLE_INACTIVE = (120, 110, 100)
CORNER_ACTIVE = (220, 60, 60)
CORNER_INACTIVE = (110, 80, 80)
BUTTON = (250, 220, 120)
GROOVE = (60, 25, 10)
THUMB = (240, 200, 80)
THUMB_PRESSED = (255, 240, 160)
PANEL = (130, 55, 30)
LCD = (20, 10, 5)
SMALL_BAR = (170, 95, 50)
SMALL_END = (200, 120, 60)
INK = (255, 170, 0)             # glyphs
GLYPH_BG = (48, 20, 8)


class Canvas:
    def __init__(self, width, height, color):
        self.width, self.height = width, height
        self.pixels = [[color] * width for _ in range(height)]

    def fill(self, left, top, right, bottom, color):
        for y in range(top, bottom):
            for x in range(left, right):
                self.pixels[y][x] = color

    def piece(self, rect, color, border=BORDER):
        """A flat piece with a one-pixel border."""
        left, top, right, bottom = rect
        self.fill(left, top, right, bottom, border)
        self.fill(left + 1, top + 1, right - 1, bottom - 1, color)


def write_bmp8(path, canvas):
    colors = sorted({c for row in canvas.pixels for c in row})
    if len(colors) > 256:
        raise ValueError("too many colours")
    index = {c: i for i, c in enumerate(colors)}
    stride = (canvas.width + 3) // 4 * 4
    rows = b"".join(bytes(index[c] for c in canvas.pixels[y]).ljust(stride, b"\0")
                    for y in reversed(range(canvas.height)))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colors)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(rows),
                         2835, 2835, len(colors), 0) + palette
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset))
        f.write(header)
        f.write(rows)


def read_bmp_ink(path):
    """The pixels of an uncompressed 4 or 8-bit BMP file that have the colour of its pixel
    (1, 0), as a set of (x, y)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if data[:2] != b"BM" or compression != 0 or bits not in (4, 8) or height <= 0:
        raise ValueError("%s: expected a bottom-up 4 or 8-bit BMP" % path)
    stride = (width * bits + 31) // 32 * 4

    def index(x, y):
        bit = x * bits
        byte = data[offset + stride * (height - 1 - y) + bit // 8]
        return (byte >> (8 - bits - bit % 8)) & ((1 << bits) - 1)

    ink = index(1, 0)
    return {(x, y) for y in range(height) for x in range(width) if index(x, y) == ink}


def draw_pledit():
    c = Canvas(280, 111, BACKGROUND)
    for top, corner, title in ((0, CORNER_ACTIVE, TITLE_ACTIVE),
                               (21, CORNER_INACTIVE, TITLE_INACTIVE)):
        c.piece((0, top, 25, top + 20), corner)                # top-left corner
        c.piece((26, top, 126, top + 20), title)               # title piece
        c.fill(40, top + 8, 112, top + 12, BORDER)             # a slot where a name would be
        c.piece((127, top, 152, top + 20), title)              # top filler
        c.piece((153, top, 178, top + 20), corner)             # top-right corner
        c.piece((158, top + 3, 166, top + 11), BUTTON)         # small-window button
        c.piece((168, top + 3, 176, top + 11), BUTTON)         # close button
    c.piece((0, 42, 25, 71), FRAME)                            # left side tile
    c.piece((26, 42, 51, 71), FRAME)                           # right side tile
    c.fill(36, 42, 44, 71, GROOVE)                             # its scroll groove
    c.piece((52, 53, 60, 71), THUMB)                           # scroll thumb
    c.piece((61, 53, 69, 71), THUMB_PRESSED)                   # pressed
    c.piece((72, 42, 97, 56), SMALL_END)                       # small window: left end
    c.piece((72, 57, 97, 71), SMALL_BAR)                       # filler
    for top, corner in ((42, CORNER_ACTIVE), (57, CORNER_INACTIVE)):
        c.piece((99, top, 149, top + 14), corner)              # right end with buttons
        c.piece((129, top + 3, 137, top + 11), BUTTON)
        c.piece((139, top + 3, 147, top + 11), BUTTON)
    c.piece((0, 72, 125, 110), PANEL)                          # bottom-left piece
    c.piece((179, 0, 204, 38), PANEL)                          # bottom filler
    c.piece((126, 72, 276, 110), PANEL)                        # bottom-right piece
    c.fill(132, 82, 219, 86, GROOVE)                           # position bar
    for x in (132, 142, 152, 162, 171, 180):                   # transport buttons
        c.piece((x, 94, x + 7, 101), BUTTON)
    c.fill(194, 95, 222, 101, LCD)                             # time display background
    c.piece((261, 74, 271, 86), BUTTON)                        # scroll arrows
    return c


def draw_text():
    c = Canvas(155, 18, GLYPH_BG)
    # (1, 0) is on the top bar of "A": the ink.
    for x, y in read_bmp_ink(os.path.join(ROOT, "resources", "text.bmp")):
        c.pixels[y][x] = INK
    return c


PLEDIT_TXT = """[Text]
Normal=#FFFF00
Current=#FF00FF
NormalBG=#202060
SelectedBG=#008080
"""


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp8(os.path.join(OUT, "Pledit.bmp"), draw_pledit())
    write_bmp8(os.path.join(OUT, "Text.bmp"), draw_text())
    with open(os.path.join(OUT, "Pledit.txt"), "w", newline="\r\n") as f:
        f.write(PLEDIT_TXT)


if __name__ == "__main__":
    main()
