#!/usr/bin/env bash
# run_pdf_pages.sh <preview_wine_tests.exe>
# Runs the preview's PDF export under Wine with VORPEX_PDF_OUT set, then counts the PDF's pages with pdfinfo:
# the two pages the preview recorded. Exits 77 (skipped) when poppler-utils is not installed.
set -uo pipefail

exe="$1"
if ! command -v pdfinfo >/dev/null; then
    echo "pdfinfo is not installed (Debian package poppler-utils): the PDF is not read back"
    exit 77
fi
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../scripts" && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
VORPEX_PDF_OUT="$out/informe.pdf" "$scripts/wine-exec.sh" "$exe" --gtest_filter='*GenPdfWrites*' || exit 1
[ -s "$out/informe.pdf" ] || { echo "no PDF was copied out"; exit 1; }
pages="$(pdfinfo "$out/informe.pdf" | awk '/^Pages:/ {print $2}')"
[ "$pages" = 2 ] || { echo "pdfinfo: $pages pages, expected 2"; pdfinfo "$out/informe.pdf"; exit 1; }
echo "the preview's PDF has 2 pages"
