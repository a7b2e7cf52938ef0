#!/usr/bin/env bash
# run_with_cups.sh <test.exe> [<gtest filter>] [<text of page 1> <text of page 2> ...]
# Runs printer tests under Wine against a PDF printer of a private CUPS server: the server listens on a
# socket in the build folder, the printer has the CUPS-PDF driver description, and Wine gets its own prefix
# so that the printer never appears in the prefix the other tests share. Without page texts the printer
# prints to /dev/null; with them it prints into a file, and once the job is through the document (made a PDF
# when it is PostScript) must have one page per text, each page holding its text (pdfinfo, pdftotext).
# Exits 77 (skipped) when CUPS, the CUPS-PDF driver description or the PDF tools are not installed.
set -uo pipefail

exe="$1"
filter="${2:-*AnInstalledPrinter*}"
texts=("${@:3}")
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in cupsd lpadmin; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (Debian packages cups, printer-driver-cups-pdf): printer path not tested"
        exit 77
    fi
done
if [ "${#texts[@]}" -gt 0 ]; then
    for tool in pdfinfo pdftotext ps2pdf lpstat; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is not installed (Debian packages poppler-utils, ghostscript, cups-client): printed document not checked"
            exit 77
        fi
    done
fi
if [ ! -f "$ppd" ]; then
    echo "$ppd is missing (Debian package printer-driver-cups-pdf): printer path not tested"
    exit 77
fi

scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../scripts" && pwd)"
build="${VORPEX_BUILD_DIR:?set by ctest}"
root="$build/cups"
rm -rf "$root"
mkdir -p "$root/etc" "$root/spool/tmp" "$root/cache" "$root/state" "$root/log" "$root/out"
# cupsd refuses to run its helpers as root; lp is the spooler's own account on Debian.
chown -R lp "$root/spool" "$root/cache" "$root/state" "$root/log" "$root/out" 2>/dev/null || true
chmod 777 "$root/out"
output="$root/out/job.prn"
device="file:///dev/null"
[ "${#texts[@]}" -gt 0 ] && device="file://$output"
socket="$root/cups.sock"
cat >"$root/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice Yes
User lp
Group lp
CONF

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$socket"
export VORPEX_BUILD_DIR="$root/wine"
stop() {
    WINEPREFIX="$VORPEX_BUILD_DIR/wineprefix" "${WINESERVER:-wineserver}" -k 2>/dev/null
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
}
trap stop EXIT

for _ in $(seq 50); do
    [ -S "$socket" ] && break
    sleep 0.2
done
if ! timeout 30 lpadmin -p VorpexPDF -E -v "$device" -P "$ppd" 2>/dev/null ||
   ! timeout 30 lpadmin -d VorpexPDF; then
    echo "error: the private CUPS server did not take the printer" >&2
    cat "$root/log/cupsd.out" "$root/log/error_log" 2>/dev/null >&2
    exit 1
fi

source "$scripts/wine-env.sh"
VORPEX_EXPECT_PRINTER=1 bash "$scripts/wine-exec.sh" "$exe" --gtest_filter="$filter"
status=$?
[ "$status" -ne 0 ] || [ "${#texts[@]}" -eq 0 ] && exit "$status"

# The job leaves the queue once the file is written.
for _ in $(seq 600); do
    [ -s "$output" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && break
    sleep 0.2
done
if [ ! -s "$output" ]; then
    echo "error: the printer wrote no document" >&2
    lpstat -o >&2
    cat "$root/log/error_log" 2>/dev/null >&2
    exit 1
fi
pdf="$root/out/job.pdf"
if [ "$(head -c 4 "$output")" = "%PDF" ]; then
    cp "$output" "$pdf"
else
    ps2pdf "$output" "$pdf" || { echo "error: the printed document is neither PDF nor PostScript" >&2; exit 1; }
fi
pages="$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')"
if [ "$pages" != "${#texts[@]}" ]; then
    echo "error: the printed document has ${pages:-no} pages, not ${#texts[@]}" >&2
    exit 1
fi
for i in "${!texts[@]}"; do
    page=$((i + 1))
    if ! pdftotext -f "$page" -l "$page" "$pdf" - | grep -qF "${texts[$i]}"; then
        echo "error: page $page does not show \"${texts[$i]}\"; it shows:" >&2
        pdftotext -f "$page" -l "$page" "$pdf" - >&2
        exit 1
    fi
done
echo "printed: $pages pages, each with its text"
