"""Writes the 2 by 2 bitmap the picture tests load from resources: top row magenta, red; bottom row green,
blue (24 bits, bottom-up rows padded to four bytes)."""
import argparse
import struct

ROWS_TOP_DOWN = [[(255, 0, 255), (255, 0, 0)], [(0, 255, 0), (0, 0, 255)]]


def bmp_bytes():
    pixels = b""
    for row in reversed(ROWS_TOP_DOWN):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + b"\0" * (-len(line) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    with open(parser.parse_args().out, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
