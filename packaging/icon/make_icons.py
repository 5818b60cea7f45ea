#!/usr/bin/python3
"""Draws Brisvane's icon, a plain window symbol, and writes every form of it.

Usage: make_icons.py OUTPUT_DIR

Writes brisvane.svg (scalable), brisvane-16.png and brisvane-32.png (the
hicolor theme and the icon compiled into the program), and brisvane.ico,
the Windows icon group of exactly three images: 32x32 in 2 colours, 32x32
in 16 colours and 16x16 in 16 colours. The picture is drawn on a pixel grid
for each size, so that even 16 pixels stay sharp; the output is the same
byte for byte on every run.
"""

import os
import struct
import sys
import zlib

# The 16 colours of the classic palette, in their usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INK = {"K": 0, "N": 4, "S": 7, "G": 8, "W": 15}  # black, navy, silver, grey, white
# In two colours the title bar, frame and text are black on a white window.
MONO = {"K": 0, "N": 0, "S": 1, "G": 0, "W": 1}

# The drawing as rectangles (left, top, right, bottom, inclusive) on each
# size's own grid, painted in order.
DRAWINGS = {
    16: [
        (0, 1, 15, 14, "K"),    # frame
        (1, 2, 14, 4, "N"),     # title bar
        (12, 3, 13, 3, "S"),    # close box
        (1, 5, 14, 13, "W"),    # client area
        (3, 7, 12, 7, "G"),     # first row of text
        (3, 10, 9, 10, "G"),    # second row
    ],
    32: [
        (1, 3, 30, 28, "K"),
        (2, 4, 29, 9, "N"),
        (25, 5, 28, 8, "S"),
        (2, 10, 29, 27, "W"),
        (4, 14, 9, 14, "G"), (11, 12, 27, 16, "K"), (12, 13, 26, 15, "W"), (13, 14, 22, 14, "N"),
        (4, 22, 9, 22, "G"), (11, 20, 27, 24, "K"), (12, 21, 26, 23, "W"), (13, 22, 24, 22, "N"),
    ],
}


def raster(size):
    """The picture as rows of ink letters, None where it is transparent."""
    grid = [[None] * size for _ in range(size)]
    for left, top, right, bottom, ink in DRAWINGS[size]:
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                grid[y][x] = ink
    return grid


def png(size):
    rows = b""
    for row in raster(size):
        rows += b"\0" + b"".join(
            bytes(PALETTE[INK[ink]] + (255,)) if ink else b"\0\0\0\0" for ink in row)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def packed_rows(grid, bits, value):
    """Bottom-up rows of `bits`-bit pixels, each row padded to 4 bytes."""
    out = b""
    for row in reversed(grid):
        data = bytearray()
        acc, filled = 0, 0
        for cell in row:
            acc = (acc << bits) | value(cell)
            filled += bits
            if filled == 8:
                data.append(acc)
                acc, filled = 0, 0
        data += b"\0" * (-len(data) % 4)
        out += bytes(data)
    return out


def ico_image(size, colours):
    """One icon image: a DIB with its palette, colour bits and transparency mask."""
    bits = 1 if colours == 2 else 4
    inks = MONO if colours == 2 else INK
    palette = [PALETTE[0], PALETTE[15]] if colours == 2 else PALETTE
    grid = raster(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    xor = packed_rows(grid, bits, lambda ink: inks[ink] if ink else 0)
    mask = packed_rows(grid, 1, lambda ink: 0 if ink else 1)
    return header + colour_table + xor + mask, bits


def ico():
    images = [ico_image(32, 2), ico_image(32, 16), ico_image(16, 16)]
    sizes = [32, 32, 16]
    counts = [2, 16, 16]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (data, bits), size, count in zip(images, sizes, counts):
        out += struct.pack("<BBBBHHII", size, size, count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for data, _ in images)


def svg():
    """The 32-pixel drawing as vectors, crisp at any size."""
    shapes = "\n".join(
        '  <rect x="%d" y="%d" width="%d" height="%d" fill="#%02x%02x%02x"/>'
        % ((left, top, right - left + 1, bottom - top + 1) + PALETTE[INK[ink]])
        for left, top, right, bottom, ink in DRAWINGS[32])
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32"'
            ' shape-rendering="crispEdges">\n'
            "  <title>Brisvane</title>\n%s\n</svg>\n" % shapes).encode()


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {"brisvane.svg": svg(), "brisvane-16.png": png(16), "brisvane-32.png": png(32),
             "brisvane.ico": ico()}
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
