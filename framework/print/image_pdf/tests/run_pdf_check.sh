#!/usr/bin/env bash
# run_pdf_check.sh <win_image_pdf_tests.exe>
# Runs the PDF export test under Wine with VORPEX_PDF_OUT set, then reads the PDF it made with the PDF tools:
# two pages (pdfinfo), and page 1 rendered (pdftoppm) dark where its text block is and white where page 2 has
# its block. Exits 77 (skipped) when poppler-utils is not installed.
set -uo pipefail

exe="$1"
for tool in pdfinfo pdftoppm python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (Debian package poppler-utils): the PDF is not read back"
        exit 77
    fi
done
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../scripts" && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
VORPEX_PDF_OUT="$out/informe.pdf" "$scripts/wine-exec.sh" "$exe" --gtest_filter='*TwoPagesBecomeAPdf*' || exit 1
[ -s "$out/informe.pdf" ] || { echo "no PDF was copied out"; exit 1; }
pages="$(pdfinfo "$out/informe.pdf" | awk '/^Pages:/ {print $2}')"
[ "$pages" = 2 ] || { echo "pdfinfo: $pages pages, expected 2"; pdfinfo "$out/informe.pdf"; exit 1; }
pdftoppm -gray -r 50 -f 1 -l 1 "$out/informe.pdf" "$out/page" || exit 1
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
