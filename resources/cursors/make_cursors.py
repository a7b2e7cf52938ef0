#!/usr/bin/env python3
"""Draws the framework's cursors and writes them as monochrome 32x32 .cur files.

Each cursor is a set of shapes: every filled pixel on the edge of a shape is black and every inner pixel
white, so the cursors read on light and dark backgrounds alike. Pixels that no shape covers are
transparent.

    make_cursors.py --out-dir DIR
"""
import argparse
import math
import os
import struct

SIZE = 32


def polygon(points):
    """A point-in-polygon test for pixel centres (even-odd rule)."""
    def inside(x, y):
        px, py = x + 0.5, y + 0.5
        hit = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > py) != (y2 > py):
                cross = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
                if px < cross:
                    hit = not hit
        return hit
    return inside


def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def ring(cx, cy, outer):
    return lambda x, y: math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= outer


def thick_line(x1, y1, x2, y2, half_width):
    length = math.hypot(x2 - x1, y2 - y1)

    def inside(x, y):
        px, py = x + 0.5 - x1, y + 0.5 - y1
        along = (px * (x2 - x1) + py * (y2 - y1)) / length
        across = abs(px * (y2 - y1) - py * (x2 - x1)) / length
        return 0 <= along <= length and across <= half_width
    return inside


def render(shapes, marks=()):
    """Outlined shapes; `marks` are drawn solid black on top (signs inside a lens)."""
    fill = [[any(s(x, y) for s in shapes) for x in range(SIZE)] for y in range(SIZE)]
    grid = [['.'] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if not fill[y][x]:
                continue
            edge = any(not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE) or not fill[y + dy][x + dx]
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            grid[y][x] = 'X' if edge else 'o'
    for y in range(SIZE):
        for x in range(SIZE):
            if any(m(x, y) for m in marks):
                grid[y][x] = 'X'
    return grid


ARROW = [(0, 0), (0, 17), (4, 13), (7, 20), (10, 19), (7, 12), (12, 12)]


def drag_cursor():
    # The arrow carrying a sheet with a folded corner.
    sheet = polygon([(13, 15), (22, 15), (26, 19), (26, 29), (13, 29)])
    return render([polygon(ARROW), sheet], [rect(16, 20, 23, 21), rect(16, 23, 23, 24), rect(16, 26, 21, 27)]), (0, 0)


def splitter_horizontal():
    # Two upright bars between arrows pointing left and right: drag to move a split sideways.
    shapes = [rect(13, 5, 15, 27), rect(17, 5, 19, 27),
              polygon([(2, 16), (9, 9), (9, 13), (13, 13), (13, 19), (9, 19), (9, 23)]),
              polygon([(30, 16), (23, 9), (23, 13), (19, 13), (19, 19), (23, 19), (23, 23)])]
    return render(shapes), (16, 16)


def splitter_vertical():
    grid, hot = splitter_horizontal()
    return [[grid[x][y] for x in range(SIZE)] for y in range(SIZE)], (hot[1], hot[0])


def magnifier(plus):
    lens = ring(12, 12, 10)
    handle = thick_line(18, 18, 29, 29, 3)
    marks = [rect(7, 11, 18, 14)]
    if plus:
        marks.append(rect(11, 7, 14, 18))
    return render([lens, handle], marks), (12, 12)


CURSORS = {
    'vp_cur_drag.cur': drag_cursor,
    'vp_cur_splitterh.cur': splitter_horizontal,
    'vp_cur_splitterv.cur': splitter_vertical,
    'vp_cur_zoomin.cur': lambda: magnifier(True),
    'vp_cur_zoomout.cur': lambda: magnifier(False),
}


def mask_rows(grid, bit):
    """1-bit rows, bottom-up, each padded to 32 bits (32 pixels already are)."""
    out = b''
    for row in reversed(grid):
        value = 0
        for ch in row:
            value = (value << 1) | bit(ch)
        out += struct.pack('>I', value)
    return out


def cur_bytes(grid, hotspot):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    xor = mask_rows(grid, lambda ch: 1 if ch == 'o' else 0)   # white where drawn white
    and_ = mask_rows(grid, lambda ch: 1 if ch == '.' else 0)  # transparent where nothing is drawn
    image = header + palette + xor + and_
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--out-dir', required=True)
    parser.add_argument('--show', action='store_true', help='print the drawings')
    args = parser.parse_args()
    os.makedirs(args.out_dir, exist_ok=True)
    for name, draw in CURSORS.items():
        grid, hotspot = draw()
        if args.show:
            print(name, hotspot)
            print('\n'.join(''.join(row) for row in grid))
        with open(os.path.join(args.out_dir, name), 'wb') as f:
            f.write(cur_bytes(grid, hotspot))


if __name__ == '__main__':
    main()
