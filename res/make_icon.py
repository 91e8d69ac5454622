#!/usr/bin/env python3
"""Writes app.ico, the application icon: a telephone wall jack whose line
runs to a computer, as a 32x32 and a 16x16 image of 16 colours each.

Run it after changing the pixel rows; the build uses the committed app.ico
and never runs this script.
"""
import os
import struct

# The standard 16-colour Windows palette, in its usual order, and one letter
# for each entry; '.' marks a transparent pixel.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
LETTERS = "kmdonptsgrlybfaw"

LARGE = """
kkkkkkkkkkkkkkkkk...............
kwwwwwwwwwwwwwwwk...............
kwsssssssssssssgk...............
kwsssssgggsssssgk...............
kwsssssssssssssgk...............
kwsskkkkkkkkkssgk...............
kwsskoooooookssgk...............
kwsskykykykykssgk...............
kwsskykykykykssgk...............
kwsskkkkkkkkkssgk...............
kwsskkkkkkkkkssgk...............
kwsskkkkkkkkkssgk.kkkkkkkkkkkkkk
kwssssskkksssssgk.kwwwwwwwwwwwwk
kwsssssgggsssssgk.kwkkkkkkkkkkgk
kwsssssssssssssgk.kwkbbbbbbbbkgk
kwggggggggggggggk.kwkbaaabbbbkgk
kkkkkkkkkkkkkkkkk.kwkbabbbbbbkgk
.......nn.........kwkbabbbbbbkgk
.......nn.........kwkbbbbbbbbkgk
.......nn.........kwkbbbbbbbbkgk
.......nn.........kwkbbbbbbbbkgk
.......nn.........kwkbbbbbbbbkgk
.......nnnnnnnnnnnkwkkkkkkkkkkgk
.......nnnnnnnnnnnkwssssssssssgk
..................kwssssssdslsgk
..................kwgggggggggggk
..................kkkkkkkkkkkkkk
......................kggggk....
....................kssssssssk..
....................kkkkkkkkkk..
................................
................................
"""

SMALL = """
kkkkkkkkk.......
kwwwwwwwk.......
kwkkkkkgk.......
kwkyoykgk.......
kwkkkkkgk.......
kwkkkkkgkkkkkkkk
kwsskssgkwwwwwwk
kwggggggkwbbbbgk
kkkkkkkkkwbabbgk
...n....kwbbbbgk
...n....kwbbbbgk
...nnnnnkwssslgk
...nnnnnkwgggggk
........kkkkkkkk
..........kggk..
.........kkkkkk.
"""


def rows(art):
    lines = art.strip("\n").split("\n")
    size = len(lines)
    if any(len(line) != size for line in lines):
        raise SystemExit("pixel rows must form a square")
    return lines


def row_bytes(bits_per_row):
    # Bitmap rows are padded to whole 32-bit words.
    return (bits_per_row + 31) // 32 * 4


def image(art):
    lines = rows(art)
    size = len(lines)
    colour, mask = bytearray(), bytearray()
    for line in reversed(lines):  # bitmaps are stored bottom-up
        nibbles = [0 if c == "." else LETTERS.index(c) for c in line]
        packed = bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, size, 2))
        colour += packed.ljust(row_bytes(size * 4), b"\0")
        bits = 0
        for c in line:
            bits = bits << 1 | (c == ".")
        mask += bits.to_bytes(size // 8, "big").ljust(row_bytes(size), b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return size, header + palette + bytes(colour) + bytes(mask)


def icon(*arts):
    images = [image(art) for art in arts]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


if __name__ == "__main__":
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "app.ico")
    with open(path, "wb") as f:
        f.write(icon(LARGE, SMALL))
