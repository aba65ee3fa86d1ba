#!/usr/bin/env python3
"""Draws Varimo's built-in skin: the frame bitmap PLEDITBMP (pledit.bmp), the glyph bitmap
TEXTBMP (text.bmp) and the six cursors (*.cur), into the folder of this script.

Standard library only; the BMP and CUR files are written by hand. The output is
deterministic, so regenerating and comparing with the committed files shows whether they are
current.

    draw_resources.py [--out DIR] [--preview DIR]

--preview also writes window mock-ups (normal and small window, active and inactive) as BMP
files composed from the pieces the way the window paints them.
"""

import argparse
import os
import struct

# ---------------------------------------------------------------------------------------
# Canvas and file writers


class Canvas:
    def __init__(self, width, height, color):
        self.width = width
        self.height = height
        self.pixels = [[color] * width for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def get(self, x, y):
        return self.pixels[y][x]

    def fill(self, left, top, right, bottom, color):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, color)

    def hline(self, left, right, y, color):
        self.fill(left, y, right, y + 1, color)

    def vline(self, x, top, bottom, color):
        self.fill(x, top, x + 1, bottom, color)

    def pattern(self, left, top, rows, colors):
        """Draws a picture given as strings; each character maps through colors, others
        are left alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colors:
                    self.set(left + dx, top + dy, colors[ch])

    def copy(self, src, sx0, sy0, sx1, sy1, dx, dy):
        for y in range(sy0, sy1):
            for x in range(sx0, sx1):
                self.set(dx + x - sx0, dy + y - sy0, src.get(x, y))

    def colors(self):
        return sorted({c for row in self.pixels for c in row})


def padded(palette, bits):
    if len(palette) > (1 << bits):
        raise ValueError("%d colours do not fit in %d bits" % (len(palette), bits))
    return palette + [(0, 0, 0)] * ((1 << bits) - len(palette))


def pack_row(indices, bits):
    """Packs palette indices into a BMP row, padded to 4 bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(indices), per_byte):
        value = 0
        for j in range(per_byte):
            index = indices[i + j] if i + j < len(indices) else 0
            value = (value << bits) | index
        out.append(value)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       0, 0)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def write_bmp(path, canvas, bits):
    colors = canvas.colors()
    index = {c: i for i, c in enumerate(colors)}
    rows = b"".join(pack_row([index[c] for c in canvas.pixels[y]], bits)
                    for y in reversed(range(canvas.height)))
    header = (info_header(canvas.width, canvas.height, bits, len(rows)) +
              palette_bytes(padded(colors, bits)))
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset))
        f.write(header)
        f.write(rows)


def write_cur(path, canvas):
    """A 32 x 32, 16-colour cursor with its hot spot at (0, 0). None in the canvas is
    transparent."""
    # Index 0 is black: transparent pixels are black under a set mask bit.
    colors = [(0, 0, 0)] + [c for c in canvas.colors_opaque() if c != (0, 0, 0)]
    index = {c: i for i, c in enumerate(colors)}
    xor_rows = b""
    and_rows = b""
    for y in reversed(range(canvas.height)):
        row = canvas.pixels[y]
        xor_rows += pack_row([0 if c is None else index[c] for c in row], 4)
        and_rows += pack_row([1 if c is None else 0 for c in row], 1)
    image = (info_header(32, 64, 4, len(xor_rows) + len(and_rows)) +
             palette_bytes(padded(colors, 4)) + xor_rows + and_rows)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 2, 1))
        f.write(struct.pack("<BBBBHHII", 32, 32, 16, 0, 0, 0, len(image), 22))
        f.write(image)


class CursorCanvas(Canvas):
    def __init__(self):
        super().__init__(32, 32, None)

    def colors_opaque(self):
        return sorted({c for row in self.pixels for c in row if c is not None})


# ---------------------------------------------------------------------------------------
# Palette: a dark slate frame, sunken list well, mint accent.


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


OUTLINE = (9, 10, 13)
HILITE = (92, 100, 116)
FRAME_TOP = (54, 59, 70)
FRAME_BOTTOM = (33, 37, 45)
SHADOW = (20, 22, 27)
WELL_SHADOW = (6, 7, 9)
WELL_HILITE = (72, 79, 93)
GROOVE = (16, 18, 22)
GROOVE_LINE = (24, 27, 32)
LIST_BG = (0, 0, 0)
LCD = (5, 7, 8)
GLYPH = (0, 255, 0)
ACCENT = (72, 232, 140)
ACCENT_DIM = (34, 122, 76)
ACCENT_DARK = (18, 64, 40)
IDLE = (112, 120, 135)
IDLE_DIM = (62, 68, 80)
ICON = (198, 205, 216)
ICON_SHADOW = (14, 16, 19)
LETTER_ACTIVE = (170, 255, 204)
LETTER_IDLE = (150, 158, 172)
SPARE = (26, 28, 33)


def gradient(top, bottom, steps):
    if steps == 1:
        return [top]
    return [mix(top, bottom, i / (steps - 1)) for i in range(steps)]


# ---------------------------------------------------------------------------------------
# Geometry shared with the window's piece table (left, top, right, bottom; exclusive).

SKIN_W, SKIN_H = 280, 111
TOP_LEFT = ((0, 0, 25, 20), (0, 21, 25, 41))
TITLE = ((26, 0, 126, 20), (26, 21, 126, 41))
TOP_FILLER = ((127, 0, 152, 20), (127, 21, 152, 41))
TOP_RIGHT = ((153, 0, 178, 20), (153, 21, 178, 41))
LEFT_SIDE = (0, 42, 25, 71)
RIGHT_SIDE = (26, 42, 51, 71)
BOTTOM_LEFT = (0, 72, 125, 110)
BOTTOM_FILLER = (179, 0, 204, 38)
BOTTOM_RIGHT = (126, 72, 276, 110)
SCROLL_THUMB = ((52, 53, 60, 71), (61, 53, 69, 71))
TIME_BACKGROUND = (194, 95, 222, 101)
SMALL_LEFT = (72, 42, 97, 56)
SMALL_FILLER = (72, 57, 97, 71)
SMALL_RIGHT = ((99, 42, 149, 56), (99, 57, 149, 71))
POSITION_THUMB = ((150, 57, 158, 71), (159, 57, 167, 71))

# Glyph cells (row, column) of the 31 x 3 grid of 5 x 6 cells.
GLYPH_W, GLYPH_H = 5, 6
GLYPH_COLUMNS, GLYPH_ROWS = 31, 3

# ---------------------------------------------------------------------------------------
# Glyphs: 5 rows high, at most 5 wide, drawn from the top-left of the cell; the bottom row
# and (for most glyphs) the right column stay empty as spacing.

LETTERS = {
    "A": [".##.", "#..#", "####", "#..#", "#..#"],
    "B": ["###.", "#..#", "###.", "#..#", "###."],
    "C": [".###", "#...", "#...", "#...", ".###"],
    "D": ["###.", "#..#", "#..#", "#..#", "###."],
    "E": ["####", "#...", "###.", "#...", "####"],
    "F": ["####", "#...", "###.", "#...", "#..."],
    "G": [".###", "#...", "#.##", "#..#", ".###"],
    "H": ["#..#", "#..#", "####", "#..#", "#..#"],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "J": ["...#", "...#", "...#", "#..#", ".##."],
    "K": ["#..#", "#.#.", "##..", "#.#.", "#..#"],
    "L": ["#...", "#...", "#...", "#...", "####"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "O": [".##.", "#..#", "#..#", "#..#", ".##."],
    "P": ["###.", "#..#", "###.", "#...", "#..."],
    "Q": [".##.", "#..#", "#..#", "#.#.", ".#.#"],
    "R": ["###.", "#..#", "###.", "#.#.", "#..#"],
    "S": [".###", "#...", ".##.", "...#", "###."],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "U": ["#..#", "#..#", "#..#", "#..#", ".##."],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "W": ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
    "Y": ["#.#", "#.#", ".#.", ".#.", ".#."],
    "Z": ["####", "...#", ".##.", "#...", "####"],
}

DIGITS = [
    [".##.", "#.##", "#..#", "##.#", ".##."],
    ["..#.", ".##.", "..#.", "..#.", ".###"],
    ["###.", "...#", ".##.", "#...", "####"],
    ["###.", "...#", ".##.", "...#", "###."],
    ["#..#", "#..#", "####", "...#", "...#"],
    ["####", "#...", "###.", "...#", "###."],
    [".##.", "#...", "###.", "#..#", ".##."],
    ["####", "...#", "..#.", ".#..", ".#.."],
    [".##.", "#..#", ".##.", "#..#", ".##."],
    [".##.", "#..#", ".###", "...#", ".##."],
]

# (row, column): picture
PUNCTUATION = {
    (0, 26): ["#.#", "#.#"],                                   # double quote
    (1, 10): ["", "", "", "", "#.#.#"],                        # ellipsis
    (1, 11): ["", "", "", "", ".#"],                           # .
    (1, 12): ["", ".#", "", ".#"],                             # :
    (1, 13): ["..#", ".#.", ".#.", ".#.", "..#"],              # (
    (1, 14): ["#..", ".#.", ".#.", ".#.", "#.."],              # )
    (1, 15): ["", "", "###"],                                  # -
    (1, 16): [".#", ".#"],                                     # apostrophe
    (1, 17): [".#", ".#", ".#", "", ".#"],                     # !
    (1, 18): ["", "", "", "", "####"],                         # _
    (1, 19): ["", ".#.", "###", ".#."],                        # +
    (1, 20): ["#..", "#..", ".#.", "..#", "..#"],              # backslash
    (1, 21): ["..#", "..#", ".#.", "#..", "#.."],              # /
    (1, 22): [".##", ".#.", ".#.", ".#.", ".##"],              # [
    (1, 23): ["##.", ".#.", ".#.", ".#.", "##."],              # ]
    (1, 24): [".#.", "#.#"],                                   # ^
    (1, 25): [".#..", "#.#.", ".#..", "#.#.", ".#.#"],         # &
    (1, 26): ["#..#", "...#", "..#.", ".#..", "#..#"],         # %
    (1, 27): ["", "", "", ".#", "#."],                         # ,
    (1, 29): [".###", "##..", ".##.", "..##", "###."],         # $
    (1, 30): [".#.#", "####", ".#.#", "####", "#.#."],         # #
    (2, 3): ["###.", "...#", ".##.", "....", ".#.."],          # ?
}


def glyph_pictures():
    cells = {}
    for i, letter in enumerate(sorted(LETTERS)):
        cells[(0, i)] = LETTERS[letter]
    for d, picture in enumerate(DIGITS):
        cells[(1, d)] = picture
    cells.update(PUNCTUATION)
    return cells


def draw_text_bitmap():
    canvas = Canvas(GLYPH_COLUMNS * GLYPH_W, GLYPH_ROWS * GLYPH_H, LCD)
    for (row, column), picture in glyph_pictures().items():
        canvas.pattern(column * GLYPH_W, row * GLYPH_H, picture, {"#": GLYPH})
    return canvas


# ---------------------------------------------------------------------------------------
# Frame artwork. Each band (title bar, bottom panel, small bar) is drawn once as a strip that
# runs corner, filler, centre piece, corner, and the pieces are cut from it, so tiled
# fillers meet the fixed pieces without seams.

TITLE_ROWS = gradient(FRAME_TOP, FRAME_BOTTOM, 17)  # rows 2..18
BOTTOM_ROWS = gradient(mix(FRAME_TOP, FRAME_BOTTOM, 0.45), FRAME_BOTTOM, 35)  # rows 1..35
SMALL_ROWS = gradient(FRAME_TOP, FRAME_BOTTOM, 10)  # rows 2..11

WORDMARK = {
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": ["#", "#", "#", "#", "#", "#", "#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
}
WORDMARK_SPACING = 3


def wordmark_width(text):
    return sum(len(WORDMARK[ch][0]) for ch in text) + WORDMARK_SPACING * (len(text) - 1)


def draw_wordmark(canvas, left, top, text, color):
    x = left
    for ch in text:
        picture = WORDMARK[ch]
        canvas.pattern(x + 1, top + 1, picture, {"#": OUTLINE})
        x += len(picture[0]) + WORDMARK_SPACING
    x = left
    for ch in text:
        picture = WORDMARK[ch]
        canvas.pattern(x, top, picture, {"#": color})
        x += len(picture[0]) + WORDMARK_SPACING


def draw_slot(canvas, left, right, top, lit):
    """An engraved line with a lit core, rounded at both ends."""
    core = ACCENT_DIM if lit else IDLE_DIM
    canvas.hline(left + 1, right - 1, top, SHADOW)
    canvas.hline(left, right, top + 1, core)
    canvas.hline(left, right, top + 2, mix(core, OUTLINE, 0.35))
    canvas.hline(left + 1, right - 1, top + 3, mix(HILITE, FRAME_BOTTOM, 0.5))
    canvas.set(left, top + 1, mix(core, TITLE_ROWS[8], 0.5))
    canvas.set(right - 1, top + 1, mix(core, TITLE_ROWS[8], 0.5))


def draw_button(canvas, left, top, icon, active):
    """A 9 x 9 raised button with rounded corners."""
    body = gradient((74, 81, 95), (46, 51, 61), 7)
    for i in range(7):
        canvas.hline(left + 1, left + 8, top + 1 + i, body[i])
    canvas.hline(left + 1, left + 8, top, OUTLINE)
    canvas.hline(left + 1, left + 8, top + 8, OUTLINE)
    canvas.vline(left, top + 1, top + 8, OUTLINE)
    canvas.vline(left + 8, top + 1, top + 8, OUTLINE)
    canvas.hline(left + 1, left + 8, top + 1, (112, 120, 136))
    color = ICON if active else IDLE
    canvas.pattern(left + 2, top + 2, icon, {"#": color})


ICON_TO_SMALL = ["", "", "", "#####", "#####"]
ICON_TO_NORMAL = ["#####", "#...#", "#...#", "#...#", "#####"]
ICON_CLOSE = ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"]


def draw_title_strip(active):
    """Top-left corner (0..24), filler (25..49), title (50..149), top-right corner
    (150..174)."""
    strip = Canvas(175, 20, FRAME_BOTTOM)
    for i, color in enumerate(TITLE_ROWS):
        strip.hline(0, 175, 2 + i, color)
    strip.hline(0, 175, 0, OUTLINE)
    strip.hline(1, 174, 1, HILITE)
    strip.vline(0, 0, 20, OUTLINE)
    strip.vline(1, 1, 20, HILITE)
    strip.vline(174, 0, 20, OUTLINE)
    strip.vline(173, 1, 20, SHADOW)
    # The list well starts under the title bar: its top edge, then the groove's top.
    strip.hline(11, 157, 19, WELL_SHADOW)
    strip.hline(159, 169, 19, WELL_SHADOW)
    strip.set(168, 19, mix(WELL_HILITE, WELL_SHADOW, 0.5))

    # Disc mark in the top-left corner.
    ring = ACCENT if active else IDLE
    strip.pattern(5, 6, ["..###..", ".#...#.", "#.....#", "#..#..#", "#.....#", ".#...#.",
                         "..###.."], {"#": ring})

    text = "VARIMO"
    width = wordmark_width(text)
    text_left = 50 + (100 - width) // 2
    draw_slot(strip, 15, text_left - 5, 8, active)
    draw_slot(strip, text_left + width + 5, 153, 8, active)
    draw_wordmark(strip, text_left, 6, text, LETTER_ACTIVE if active else LETTER_IDLE)

    draw_button(strip, 155, 3, ICON_TO_SMALL, active)
    draw_button(strip, 165, 3, ICON_CLOSE, active)
    return strip


def fill_side_rows(canvas, left, top, bottom, columns):
    """Side tiles repeat vertically, so each is one row pattern: columns maps an x offset to
    a colour."""
    for dx, color in columns.items():
        canvas.vline(left + dx, top, bottom, color)


def left_side_columns():
    columns = {x: LIST_BG for x in range(25)}
    columns[0] = OUTLINE
    columns[1] = HILITE
    for x in range(2, 11):
        columns[x] = FRAME_BOTTOM
    columns[11] = WELL_SHADOW
    return columns


def right_side_columns():
    columns = {x: LIST_BG for x in range(25)}
    columns[6] = WELL_HILITE
    columns[7] = FRAME_BOTTOM
    columns[8] = FRAME_BOTTOM
    columns[9] = WELL_SHADOW
    for x in range(10, 18):
        columns[x] = GROOVE
    columns[13] = GROOVE_LINE
    columns[14] = GROOVE_LINE
    columns[18] = mix(WELL_HILITE, FRAME_BOTTOM, 0.4)
    for x in range(19, 23):
        columns[x] = FRAME_BOTTOM
    columns[23] = SHADOW
    columns[24] = OUTLINE
    return columns


def draw_bottom_strip():
    """Bottom-left piece (0..124), filler (125..149), bottom-right piece (150..299)."""
    strip = Canvas(300, 38, FRAME_BOTTOM)
    strip.hline(0, 300, 0, FRAME_BOTTOM)
    for i, color in enumerate(BOTTOM_ROWS):
        strip.hline(0, 300, 1 + i, color)
    strip.hline(0, 300, 36, SHADOW)
    strip.hline(0, 300, 37, OUTLINE)
    strip.vline(0, 0, 38, OUTLINE)
    strip.vline(1, 0, 37, HILITE)
    strip.vline(299, 0, 38, OUTLINE)
    strip.vline(298, 0, 37, SHADOW)
    # The panel's top bevel doubles as the bottom edge of the list well.
    strip.hline(2, 298, 0, WELL_HILITE)
    right = right_side_columns()
    for x in range(7, 25):
        strip.set(275 + x, 0, right[x])
    strip.hline(284, 294, 0, WELL_SHADOW)

    br = 150  # left of the bottom-right piece in the strip
    draw_scroll_arrows(strip, br + 134, 1)
    draw_position_bar(strip, br)
    draw_transport(strip, br)
    draw_time_display(strip, br)
    draw_grip(strip, br + 131, 19)
    return strip


def draw_scroll_arrows(strip, left, top):
    """A raised 10 x 12 box under the scroll groove with the up and down arrows."""
    body = gradient((70, 77, 91), (44, 49, 59), 10)
    for i in range(10):
        strip.hline(left + 1, left + 9, top + 1 + i, body[i])
    strip.hline(left, left + 10, top, (104, 112, 128))
    strip.vline(left, top, top + 12, (104, 112, 128))
    strip.hline(left, left + 10, top + 11, OUTLINE)
    strip.vline(left + 9, top, top + 12, OUTLINE)
    strip.hline(left + 2, left + 8, top + 6, mix(body[5], OUTLINE, 0.5))
    up = ["...##...", "..####..", ".######.", ""]
    down = ["", ".######.", "..####..", "...##..."]
    strip.pattern(left + 1, top + 1, up, {"#": ICON})
    strip.pattern(left + 1, top + 7, down, {"#": ICON})


def draw_position_bar(strip, br):
    """Track for the position thumb: piece columns 5..98, rows 6..19."""
    left, right = br + 6, br + 98
    strip.hline(left + 1, right - 1, 11, WELL_SHADOW)
    strip.hline(left, right, 12, GROOVE)
    strip.hline(left, right, 13, GROOVE)
    strip.hline(left + 1, right - 1, 14, WELL_HILITE)
    strip.set(left, 12, mix(GROOVE, BOTTOM_ROWS[11], 0.5))
    strip.set(left, 13, mix(GROOVE, BOTTOM_ROWS[12], 0.5))
    strip.set(right - 1, 12, mix(GROOVE, BOTTOM_ROWS[11], 0.5))
    strip.set(right - 1, 13, mix(GROOVE, BOTTOM_ROWS[12], 0.5))


TRANSPORT = [
    (7, ["#...#", "#..##", "#.###", "#..##", "#...#"]),     # previous, piece 6..12
    (16, ["##..", "###.", "####", "###.", "##.."]),         # play, 14..22
    (26, ["##.##", "##.##", "##.##", "##.##", "##.##"]),    # pause, 24..32
    (35, ["#####", "#####", "#####", "#####", "#####"]),    # stop, 34..41
    (44, ["#...#", "##..#", "###.#", "##..#", "#...#"]),    # next, 43..49
    (53, ["..#..", ".###.", "#####", ".....", "#####"]),    # eject, 52..59
]


def draw_transport(strip, br):
    for left, icon in TRANSPORT:
        strip.pattern(br + left + 1, 24, icon, {"#": ICON_SHADOW})
    for left, icon in TRANSPORT:
        strip.pattern(br + left, 23, icon, {"#": ICON})


def draw_time_display(strip, br):
    """The sunken display around the time digits' background, with the colon between
    minutes and seconds printed in it."""
    left = br + TIME_BACKGROUND[0] - BOTTOM_RIGHT[0] - 2
    top = TIME_BACKGROUND[1] - BOTTOM_RIGHT[1] - 2
    right = br + TIME_BACKGROUND[2] - BOTTOM_RIGHT[0] + 2
    bottom = TIME_BACKGROUND[3] - BOTTOM_RIGHT[1] + 1
    strip.fill(left, top, right, bottom, LCD)
    strip.hline(left, right, top, WELL_SHADOW)
    strip.vline(left, top, bottom, WELL_SHADOW)
    strip.hline(left, right, bottom, WELL_HILITE)
    strip.vline(right, top, bottom + 1, WELL_HILITE)
    colon = br + 84  # window x W - 66, between W - 67 and W - 64
    strip.set(colon, top + 3, GLYPH)
    strip.set(colon, top + 5, GLYPH)


def draw_grip(strip, left, top):
    """Resize grip: a triangle of raised dots in the corner."""
    for row in range(3):
        for col in range(row + 1):
            x = left + 15 - col * 4
            y = top + 14 - (2 - row) * 4
            strip.set(x, y, HILITE)
            strip.set(x + 1, y + 1, OUTLINE)


def draw_small_strip(active):
    """Small window: left end (0..24), filler (25..49), right end (50..99)."""
    strip = Canvas(100, 14, FRAME_BOTTOM)
    for i, color in enumerate(SMALL_ROWS):
        strip.hline(0, 100, 2 + i, color)
    strip.hline(0, 100, 0, OUTLINE)
    strip.hline(1, 99, 1, HILITE)
    strip.hline(1, 99, 12, SHADOW)
    strip.hline(0, 100, 13, OUTLINE)
    strip.vline(0, 0, 14, OUTLINE)
    strip.vline(1, 1, 13, HILITE)
    strip.vline(99, 0, 14, OUTLINE)
    strip.vline(98, 1, 13, SHADOW)
    # Display strip behind the glyphs: window x 5 up to W - 29.
    strip.fill(3, 2, 73, 11, LCD)
    strip.hline(3, 73, 2, WELL_SHADOW)
    strip.vline(3, 2, 11, WELL_SHADOW)
    strip.hline(3, 73, 10, WELL_HILITE)
    strip.vline(72, 2, 11, WELL_HILITE)
    # Width grip: three ridges.
    ridge = ACCENT_DIM if active else IDLE_DIM
    for x in (74, 76, 78):
        strip.vline(x, 4, 10, ridge)
        strip.vline(x + 1, 4, 10, OUTLINE)
    draw_button(strip, 80, 3, ICON_TO_NORMAL, active)
    draw_button(strip, 90, 3, ICON_CLOSE, active)
    return strip


def draw_scroll_thumb(pressed):
    thumb = Canvas(8, 18, GROOVE)
    top, bottom = ((90, 200, 132), (40, 120, 76)) if pressed else ((122, 130, 146),
                                                                    (74, 81, 95))
    body = gradient(top, bottom, 16)
    for i in range(16):
        thumb.hline(1, 7, 1 + i, body[i])
    thumb.hline(1, 7, 0, OUTLINE)
    thumb.hline(1, 7, 17, OUTLINE)
    thumb.vline(0, 1, 17, OUTLINE)
    thumb.vline(7, 1, 17, OUTLINE)
    thumb.hline(1, 7, 1, mix(top, (255, 255, 255), 0.35))
    for y in (7, 9):
        thumb.hline(2, 6, y, mix(bottom, OUTLINE, 0.6))
        thumb.hline(2, 6, y + 1, mix(top, (255, 255, 255), 0.25))
    return thumb


def draw_position_thumb(bar_background, pressed):
    """8 x 14 pill over the position bar; its corners show the bar behind it."""
    thumb = Canvas(8, 14, None)
    for y in range(14):
        thumb.hline(0, 8, y, bar_background[y])
    top, bottom = ((96, 210, 140), (36, 116, 72)) if pressed else ((150, 158, 173),
                                                                   (88, 96, 111))
    body = gradient(top, bottom, 12)
    for i in range(12):
        thumb.hline(1, 7, 1 + i, body[i])
    thumb.hline(1, 7, 0, OUTLINE)
    thumb.hline(1, 7, 13, OUTLINE)
    thumb.vline(0, 1, 13, OUTLINE)
    thumb.vline(7, 1, 13, OUTLINE)
    thumb.hline(1, 7, 1, mix(top, (255, 255, 255), 0.4))
    core = ACCENT_DARK if pressed else ACCENT
    thumb.vline(3, 4, 10, core)
    thumb.vline(4, 4, 10, core)
    return thumb


def draw_pledit():
    skin = Canvas(SKIN_W, SKIN_H, SPARE)
    for active, variant in ((True, 0), (False, 1)):
        strip = draw_title_strip(active)
        for rect, sx in ((TOP_LEFT, 0), (TOP_FILLER, 25), (TITLE, 50), (TOP_RIGHT, 150)):
            left, top, right, bottom = rect[variant]
            skin.copy(strip, sx, 0, sx + right - left, 20, left, top)
        small = draw_small_strip(active)
        left, top, _, _ = SMALL_RIGHT[variant]
        skin.copy(small, 50, 0, 100, 14, left, top)
        if active:
            skin.copy(small, 0, 0, 25, 14, SMALL_LEFT[0], SMALL_LEFT[1])
            skin.copy(small, 25, 0, 50, 14, SMALL_FILLER[0], SMALL_FILLER[1])

    fill_side_rows(skin, LEFT_SIDE[0], LEFT_SIDE[1], LEFT_SIDE[3], left_side_columns())
    fill_side_rows(skin, RIGHT_SIDE[0], RIGHT_SIDE[1], RIGHT_SIDE[3], right_side_columns())

    bottom = draw_bottom_strip()
    skin.copy(bottom, 0, 0, 125, 38, BOTTOM_LEFT[0], BOTTOM_LEFT[1])
    skin.copy(bottom, 125, 0, 150, 38, BOTTOM_FILLER[0], BOTTOM_FILLER[1])
    skin.copy(bottom, 150, 0, 300, 38, BOTTOM_RIGHT[0], BOTTOM_RIGHT[1])

    for pressed in (False, True):
        left, top, _, _ = SCROLL_THUMB[pressed]
        skin.copy(draw_scroll_thumb(pressed), 0, 0, 8, 18, left, top)
        bar_background = [bottom.get(150 + 50, 6 + y) for y in range(14)]
        left, top, _, _ = POSITION_THUMB[pressed]
        skin.copy(draw_position_thumb(bar_background, pressed), 0, 0, 8, 14, left, top)
    return skin


# ---------------------------------------------------------------------------------------
# Cursors: an arrow with its tip on the hot spot, and a badge that names the action.

ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
]

# Badge masks; draw_cursor rings them with black so they read on any background.
BADGES = {
    "normal": None,
    "title": [  # move
        ".......g.......",
        "......ggg......",
        ".....ggggg.....",
        ".......g.......",
        ".......g.......",
        "..g....g....g..",
        ".gg....g....gg.",
        "ggggggggggggggg",
        ".gg....g....gg.",
        "..g....g....g..",
        ".......g.......",
        ".......g.......",
        ".....ggggg.....",
        "......ggg......",
        ".......g.......",
    ],
    "close": [
        "rr...rr",
        "rrr.rrr",
        ".rrrrr.",
        "..rrr..",
        ".rrrrr.",
        "rrr.rrr",
        "rr...rr",
    ],
    "resize": [
        "ggggg......",
        "gggg.......",
        "ggg........",
        "gg.g.......",
        "g...g......",
        ".....g.....",
        "......g...g",
        ".......g.gg",
        "........ggg",
        ".......gggg",
        "......ggggg",
    ],
    "vscrl": [
        "..g..",
        ".ggg.",
        "ggggg",
        "..g..",
        "..g..",
        "..g..",
        "..g..",
        "..g..",
        "ggggg",
        ".ggg.",
        "..g..",
    ],
    "posbar": [
        "..g.....g..",
        ".gg.....gg.",
        "ggggggggggg",
        ".gg.....gg.",
        "..g.....g..",
    ],
}
BADGE_COLORS = {"g": ACCENT, "r": (240, 84, 72)}


def draw_cursor(name):
    canvas = CursorCanvas()
    canvas.pattern(0, 0, ARROW, {"X": (0, 0, 0), ".": (255, 255, 255)})
    badge = BADGES[name]
    if badge:
        left, top = 14, 14
        for dy, row in enumerate(badge):
            for dx, ch in enumerate(row):
                if ch in BADGE_COLORS:
                    for ny in (-1, 0, 1):
                        for nx in (-1, 0, 1):
                            canvas.set(left + dx + nx, top + dy + ny, (0, 0, 0))
        canvas.pattern(left, top, badge, BADGE_COLORS)
    return canvas


CURSORS = ["normal", "title", "close", "resize", "vscrl", "posbar"]


# ---------------------------------------------------------------------------------------
# Preview: the pieces assembled the way the window paints them.


def compose_window(skin, glyphs, width, height, active):
    window = Canvas(width, height, LIST_BG)
    v = 0 if active else 1

    def put(rect, x, y):
        left, top, right, bottom = rect
        window.copy(skin, left, top, right, bottom, x, y)

    put(TOP_LEFT[v], 0, 0)
    for x in range(25, width - 25, 25):
        put(TOP_FILLER[v], x, 0)
    put(TITLE[v], width // 2 - 50, 0)
    put(TOP_RIGHT[v], width - 25, 0)
    for y in range(20, height - 29, 29):
        put(LEFT_SIDE, 0, y)
        put(RIGHT_SIDE, width - 25, y)
    window.fill(12, 20, width - 19, height - 38, LIST_BG)
    window.fill(12, 42, width - 20, 52, (0, 0, 255))
    put(BOTTOM_LEFT, 0, height - 38)
    for x in range(125, width - 150, 25):
        put(BOTTOM_FILLER, x, height - 38)
    put(BOTTOM_RIGHT, width - 150, height - 38)
    put(SCROLL_THUMB[0], width - 15, 40)
    for i, line in enumerate(["01. THE FIRST TRACK", "02. SECOND (LIVE)", "03. THIRD & LAST?"]):
        draw_glyph_line(window, glyphs, 16, 24 + 10 * i, line)
    for x, cell in ((width - 77, (1, 0)), (width - 72, (1, 3)), (width - 64, (1, 4)),
                    (width - 59, (1, 5))):
        put_glyph(window, glyphs, cell, x, height - 15)
    d = 40
    put(POSITION_THUMB[0], width - 145 + d, height - 32)
    return window


def compose_small(skin, glyphs, width, active):
    window = Canvas(width, 14, LIST_BG)
    v = 0 if active else 1
    window.copy(skin, *SMALL_LEFT, 0, 0)
    for x in range(25, width - 50, 25):
        window.copy(skin, *SMALL_FILLER, x, 0)
    window.copy(skin, *SMALL_RIGHT[v], width - 50, 0)
    x = draw_glyph_line(window, glyphs, 5, 4, "3. VARIMO - ALBUM [1999] 'JAZZ' $5#")
    while x < width - 50:
        put_glyph(window, glyphs, (2, 20), x, 4)
        x += 5
    for x, cell in ((width - 54, (2, 20)), (width - 49, (1, 4)), (width - 44, (1, 12)),
                    (width - 39, (1, 0)), (width - 34, (1, 7))):
        put_glyph(window, glyphs, cell, x, 4)
    return window


def glyph_cell(ch):
    if ch.isalpha():
        return (0, ord(ch.upper()) - ord("A"))
    if ch.isdigit():
        return (1, int(ch))
    table = {" ": (0, 30), "!": (1, 17), '"': (0, 26), "#": (1, 30), "$": (1, 29),
             "%": (1, 26), "&": (1, 25), "'": (1, 16), "(": (1, 13), ")": (1, 14),
             "+": (1, 19), ",": (1, 27), "-": (1, 15), ".": (1, 11), "/": (1, 21),
             "[": (1, 22), "\\": (1, 20), "]": (1, 23), "^": (1, 24), "_": (1, 18),
             ":": (1, 12), "?": (2, 3)}
    return table[ch]


def put_glyph(window, glyphs, cell, x, y):
    row, column = cell
    window.copy(glyphs, column * 5, row * 6, column * 5 + 5, row * 6 + 6, x, y)


def draw_glyph_line(window, glyphs, x, y, text):
    for ch in text:
        put_glyph(window, glyphs, glyph_cell(ch), x, y)
        x += 5
    return x


def write_previews(folder, skin, glyphs):
    os.makedirs(folder, exist_ok=True)
    for active in (True, False):
        suffix = "active" if active else "inactive"
        write_bmp(os.path.join(folder, "window_%s.bmp" % suffix),
                  compose_window(skin, glyphs, 275, 116, active), 8)
        write_bmp(os.path.join(folder, "small_%s.bmp" % suffix),
                  compose_small(skin, glyphs, 300, active), 8)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=here, help="folder for the resource files")
    parser.add_argument("--preview", help="folder for window mock-ups")
    args = parser.parse_args()

    skin = draw_pledit()
    glyphs = draw_text_bitmap()
    write_bmp(os.path.join(args.out, "pledit.bmp"), skin, 8)
    write_bmp(os.path.join(args.out, "text.bmp"), glyphs, 4)
    for name in CURSORS:
        write_cur(os.path.join(args.out, name + ".cur"), draw_cursor(name))
    if args.preview:
        write_previews(args.preview, skin, glyphs)


if __name__ == "__main__":
    main()
