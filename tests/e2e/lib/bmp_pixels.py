#!/usr/bin/env python3
"""Prints the colours of pixels of an uncompressed BMP file as RRGGBB, one per line.

    bmp_pixels.py FILE X,Y [X,Y ...]

The end-to-end scripts take the colours a skin piece must show on screen from the very
bitmap the plug-in copies it from, so the expectations follow the artwork when it is
redrawn. Standard library only.
"""

import struct
import sys


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("%s is not a BMP file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours_used = struct.unpack_from("<I", data, 46)[0]
    if compression not in (0, 3) or bits not in (1, 4, 8, 24, 32):
        raise ValueError("%s: only uncompressed 1, 4, 8, 24 and 32-bit bitmaps" % path)
    palette = []
    if bits <= 8:
        count = colours_used or (1 << bits)
        base = 14 + header_size
        for i in range(count):
            b, g, r, _ = struct.unpack_from("<BBBB", data, base + 4 * i)
            palette.append((r << 16) | (g << 8) | b)
    stride = (width * bits + 31) // 32 * 4
    bottom_up = height > 0
    height = abs(height)

    def pixel(x, y):
        if not (0 <= x < width and 0 <= y < height):
            raise ValueError("(%d, %d) lies outside the %d x %d bitmap" % (x, y, width, height))
        row = offset + stride * ((height - 1 - y) if bottom_up else y)
        if bits == 24 or bits == 32:
            b, g, r = struct.unpack_from("<BBB", data, row + x * bits // 8)
            return (r << 16) | (g << 8) | b
        bit = x * bits
        value = (data[row + bit // 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1)
        return palette[value]

    return width, height, pixel


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    _, _, pixel = read_bmp(argv[1])
    for word in argv[2:]:
        x, y = (int(v) for v in word.split(","))
        print("%06X" % pixel(x, y))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
