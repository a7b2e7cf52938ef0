#!/usr/bin/env bash
# pdf_export_check.sh <test program> <gtest filter> <pages> [--ink]
# Runs the tests the filter names under Wine with VORPEX_PDF_OUT set (the PDF stand-in copies the PDF it writes
# there), then reads that PDF with the PDF tools: it must have <pages> pages (pdfinfo). With --ink, page 1 is
# rendered (pdftoppm) and must be dark where the test drew its text block (the upper left quarter) and white
# in the opposite corner. Exits 77 (skipped) when poppler-utils is not installed.
set -uo pipefail

[ $# -ge 3 ] || { echo "usage: pdf_export_check.sh <test program> <gtest filter> <pages> [--ink]" >&2; exit 2; }
exe="$1" filter="$2" expected="$3" ink="${4:-}"
for tool in pdfinfo pdftoppm python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (Debian packages poppler-utils, python3): the PDF is not read back"
        exit 77
    fi
done
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
VORPEX_PDF_OUT="$out/export.pdf" "$scripts/wine-exec.sh" "$exe" --gtest_filter="$filter" || exit 1
[ -s "$out/export.pdf" ] || { echo "no PDF was copied out"; exit 1; }
pages="$(pdfinfo "$out/export.pdf" | awk '/^Pages:/ {print $2}')"
[ "$pages" = "$expected" ] || { echo "pdfinfo: $pages pages, expected $expected"; pdfinfo "$out/export.pdf"; exit 1; }
echo "the PDF has $pages pages"
[ "$ink" = --ink ] || exit 0

pdftoppm -gray -r 50 -f 1 -l 1 "$out/export.pdf" "$out/page" || exit 1
python3 - "$out"/page*.pgm <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
# A binary PGM: "P5\n<w> <h>\n<max>\n" then the pixels.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
width, height = int(fields[1]), int(fields[2])
pixels = data[pos + 1:]
def at(fx, fy):
    return pixels[int(fy * height) * width + int(fx * width)]
block, elsewhere = at(0.25, 0.25), at(0.75, 0.75)
print(f"page 1: {width}x{height}, text block {block}, opposite corner {elsewhere}")
sys.exit(0 if block < 64 and elsewhere > 192 else 1)
PY
