#!/usr/bin/env python3
"""Draws the framework's program icon VP_ICO_VORPEX and writes it as an .ico with 16, 32 and 48 pixel images.

The design: a rounded tile shading from teal to deep blue, a white chevron "V" across it and an amber dot
above the chevron's point. Each image is drawn from the same shapes with 4x4 samples per pixel, so the small
sizes stay smooth; pixels outside the tile are transparent.

    make_icon.py --out FILE [--png-dir DIR]
"""
import argparse
import os
import struct
import zlib

TEAL = (0x1F, 0x9E, 0x9A)
BLUE = (0x1B, 0x3F, 0x8F)
WHITE = (0xFF, 0xFF, 0xFF)
AMBER = (0xF2, 0xA5, 0x1A)
SAMPLES = 4


def in_rounded_tile(u, v):
    """Unit coordinates (0..1): a square with corner radius 0.2 and a 0.03 margin."""
    lo, hi, r = 0.03, 0.97, 0.2
    if not (lo <= u <= hi and lo <= v <= hi):
        return False
    cx = min(max(u, lo + r), hi - r)
    cy = min(max(v, lo + r), hi - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def in_polygon(points, u, v):
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > v) != (y2 > v) and u < x1 + (v - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


CHEVRON = [(0.18, 0.30), (0.34, 0.30), (0.50, 0.64), (0.66, 0.30), (0.82, 0.30), (0.56, 0.84), (0.44, 0.84)]


def in_dot(u, v):
    return (u - 0.50) ** 2 + (v - 0.24) ** 2 <= 0.085 ** 2


def colour_at(u, v):
    """The colour of the design at a point, or None outside the tile."""
    if not in_rounded_tile(u, v):
        return None
    if in_dot(u, v):
        return AMBER
    if in_polygon(CHEVRON, u, v):
        return WHITE
    t = (u + v) / 2
    return tuple(round(a + (b - a) * t) for a, b in zip(TEAL, BLUE))


def draw(size):
    """Rows top-down of (r, g, b, a)."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((x + (sx + 0.5) / SAMPLES) / size, (y + (sy + 0.5) / SAMPLES) / size)
                    if c is None:
                        continue
                    covered += 1
                    for i in range(3):
                        acc[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(a / covered) for a in acc) + (round(255 * covered / SAMPLES ** 2),))
        rows.append(row)
    return rows


def dib(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(struct.pack('<BBBB', b, g, r, a) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def ico_bytes(images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for size, blob in images:
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def png_bytes(rows):
    """A PNG of one image, for looking at the design."""
    size = len(rows)
    raw = b''.join(b'\0' + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--out', required=True)
    parser.add_argument('--png-dir', help='also write each size as a PNG')
    args = parser.parse_args()
    images = []
    for size in (16, 32, 48):
        rows = draw(size)
        images.append((size, dib(rows)))
        if args.png_dir:
            os.makedirs(args.png_dir, exist_ok=True)
            with open(os.path.join(args.png_dir, f'vorpex_{size}.png'), 'wb') as f:
                f.write(png_bytes(rows))
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, 'wb') as f:
        f.write(ico_bytes(images))


if __name__ == '__main__':
    main()
