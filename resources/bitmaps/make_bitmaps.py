#!/usr/bin/env python3
"""Draws the framework's bitmaps and writes them as 24-bit .bmp files.

VP_BMP_NEWRECORD: the record selector's mark of a row being appended or inserted, a black asterisk on white
in 12 x 12 pixels (white is drawn transparently).

    make_bitmaps.py --out-dir DIR
"""
import argparse
import os
import struct

SIZE = 12
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


def asterisk():
    """The pixels of an asterisk: a vertical bar and two diagonals through the centre."""
    pixels = set()
    for i in range(2, 10):
        pixels.add((5, i))
        pixels.add((6, i))
    for i in range(3, 9):
        pixels.add((i, i))
        pixels.add((i, 11 - i))
    return pixels


def write_bmp(path, size, pixels):
    row_bytes = (size * 3 + 3) & ~3
    body = bytearray()
    for y in range(size - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(size):
            r, g, b = BLACK if (x, y) in pixels else WHITE
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        body += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out-dir", required=True)
    out = parser.parse_args().out_dir
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "vp_bmp_newrecord.bmp"), SIZE, asterisk())


if __name__ == "__main__":
    main()
