"""Writes the picture files the tests load: quad.bmp, the tests' 2 by 2 bitmap (top row magenta, red; bottom
row green, blue), quad.png, the same picture for the image library, and pages.tif, an uncompressed three-page
TIFF whose page n is (n + 1) by 2 pixels of one colour: red, green, blue."""
import argparse
import os
import struct
import zlib

from make_picture_bmp import ROWS_TOP_DOWN as QUAD, bmp_bytes

PAGES = [(2, 2, (255, 0, 0)), (3, 2, (0, 255, 0)), (4, 2, (0, 0, 255))]


def png_bytes(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + b"".join(bytes(pixel) for pixel in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def tiff_bytes(pages):
    """Little-endian baseline RGB: for each page its pixels, its three bit counts, then its directory."""
    SHORT, LONG = 3, 4
    out = bytearray(b"II*\0" + struct.pack("<I", 0))
    link_at = 4  # where the offset of the next directory goes
    for width, height, colour in pages:
        pixels_at = len(out)
        out += bytes(colour) * (width * height)
        bits_at = len(out)
        out += struct.pack("<HHH", 8, 8, 8)
        if len(out) % 2:
            out += b"\0"
        entries = [(256, LONG, 1, width), (257, LONG, 1, height), (258, SHORT, 3, bits_at), (259, SHORT, 1, 1),
                   (262, SHORT, 1, 2), (273, LONG, 1, pixels_at), (277, SHORT, 1, 3), (278, LONG, 1, height),
                   (279, LONG, 1, width * height * 3), (284, SHORT, 1, 1)]
        directory_at = len(out)
        struct.pack_into("<I", out, link_at, directory_at)
        out += struct.pack("<H", len(entries))
        for tag, kind, count, value in entries:
            packed = struct.pack("<HI", value, 0)[:4] if kind == SHORT and count == 1 else struct.pack("<I", value)
            out += struct.pack("<HHI", tag, kind, count) + packed
        link_at = len(out)
        out += struct.pack("<I", 0)
    return bytes(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out-dir", required=True)
    folder = parser.parse_args().out_dir
    os.makedirs(folder, exist_ok=True)
    for name, data in (("quad.bmp", bmp_bytes()), ("quad.png", png_bytes(QUAD)), ("pages.tif", tiff_bytes(PAGES))):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
