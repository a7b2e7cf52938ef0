#!/usr/bin/env python3
"""Draws the framework's bitmaps and writes them as 24-bit .bmp files.

VP_BMP_NEWRECORD: the record selector's mark of a row being appended or inserted, a black asterisk on white
in 12 x 12 pixels (white is drawn transparently).
VP_BMP_FIRST ... VP_BMP_REFRESH: the data navigator's ten buttons, black glyphs on white in 16 x 16 pixels.
VP_BMP_PRINTER, VP_BMP_EXIT, VP_BMP_PDF24, VP_BMP_MAIL: the print preview's further buttons, drawn alike.
VP_BMP_EXCEL, VP_BMP_PDF32: the pictures of the job windows of the spreadsheet and PDF exports, 32 x 32.

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


NAV = 16


def triangle(tip_x, base_x, top=4, bottom=11):
    """A solid triangle pointing left (tip_x < base_x) or right, between the rows top and bottom."""
    pixels = set()
    middle = (top + bottom) / 2
    half = (bottom - top) / 2
    step = 1 if base_x > tip_x else -1
    for x in range(tip_x, base_x + step, step):
        reach = half * abs(x - tip_x) / abs(base_x - tip_x)
        for y in range(top, bottom + 1):
            if abs(y - middle) <= reach + 0.01:
                pixels.add((x, y))
    return pixels


def bar(x, top=4, bottom=11):
    return {(x, y) for y in range(top, bottom + 1)} | {(x + 1, y) for y in range(top, bottom + 1)}


def line(x0, y0, x1, y1):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    return {(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps)) for i in range(steps + 1)}


def thick(pixels):
    return pixels | {(x + 1, y) for x, y in pixels}


def ring():
    """A ring open at the top right, with an arrow head: refresh."""
    pixels = set()
    for x in range(NAV):
        for y in range(NAV):
            d = ((x - 7.5) ** 2 + (y - 7.5) ** 2) ** 0.5
            if 4.0 <= d <= 5.6 and not (x > 8 and y < 7):
                pixels.add((x, y))
    return pixels | triangle(13, 9, 2, 7)


def navigator_glyphs():
    plus = {(x, y) for x in range(3, 13) for y in (7, 8)} | {(x, y) for x in (7, 8) for y in range(3, 13)}
    return {
        "vp_bmp_first.bmp": bar(3) | triangle(5, 12),
        "vp_bmp_prev.bmp": triangle(4, 11),
        "vp_bmp_next.bmp": triangle(11, 4),
        "vp_bmp_last.bmp": triangle(10, 3) | bar(11),
        "vp_bmp_insert.bmp": plus,
        "vp_bmp_delete.bmp": {(x, y) for x in range(3, 13) for y in (7, 8)},
        "vp_bmp_edit.bmp": thick(line(3, 12, 12, 3)) | {(2, 13), (3, 13)},
        "vp_bmp_ok.bmp": thick(line(2, 8, 6, 12) | line(6, 12, 13, 3)),
        "vp_bmp_cancel.bmp": thick(line(3, 3, 12, 12) | line(3, 12, 12, 3)),
        "vp_bmp_refresh.bmp": ring(),
    }


def box(left, top, right, bottom):
    """The outline of a rectangle."""
    return line(left, top, right, top) | line(right, top, right, bottom) | line(left, bottom, right, bottom) | line(
        left, top, left, bottom)


def preview_glyphs():
    paper = box(4, 1, 11, 5)
    printer = paper | box(1, 5, 14, 11) | box(4, 9, 11, 14) | {(12, 7), (13, 7)}
    door = box(2, 1, 9, 14) | thick(line(7, 8, 14, 8)) | triangle(14, 11, 5, 11)
    page = box(3, 1, 12, 14) | line(5, 4, 10, 4) | line(5, 6, 10, 6)
    letters = {(x, y) for x in (5, 6) for y in range(8, 13)} | {(7, 8), (7, 9), (7, 10)} | {
        (x, y) for x in (9,) for y in range(8, 13)} | {(10, 8), (10, 12), (11, 9), (11, 10), (11, 11)}
    envelope = box(1, 3, 14, 12) | line(1, 3, 7, 8) | line(14, 3, 8, 8)
    return {
        "vp_bmp_printer.bmp": printer,
        "vp_bmp_exit.bmp": door,
        "vp_bmp_pdf24.bmp": page | letters,
        "vp_bmp_mail.bmp": envelope,
    }


def scaled(pixels, factor):
    return {(x * factor + dx, y * factor + dy) for x, y in pixels for dx in range(factor) for dy in range(factor)}


def job_pictures():
    sheet = box(1, 1, 14, 14) | line(1, 5, 14, 5) | line(1, 9, 14, 9) | line(5, 1, 5, 14) | line(10, 1, 10, 14)
    return {
        "vp_bmp_excel.bmp": scaled(sheet, 2),
        "vp_bmp_pdf32.bmp": scaled(preview_glyphs()["vp_bmp_pdf24.bmp"], 2),
    }


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
    for name, pixels in {**navigator_glyphs(), **preview_glyphs()}.items():
        write_bmp(os.path.join(out, name), NAV, pixels)
    for name, pixels in job_pictures().items():
        write_bmp(os.path.join(out, name), 2 * NAV, pixels)


if __name__ == "__main__":
    main()
