#!/usr/bin/env bash
# run_with_cups.sh <win_printer_tests.exe>
# Runs the printer tests under Wine against a PDF printer of a private CUPS server: the server listens on a
# socket in the build folder, the printer prints to /dev/null with the CUPS-PDF driver description, and Wine
# gets its own prefix so that the printer never appears in the prefix the other tests share. Exits 77
# (skipped) when CUPS or the CUPS-PDF driver description is not installed.
set -uo pipefail

exe="$1"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in cupsd lpadmin; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (Debian packages cups, printer-driver-cups-pdf): printer path not tested"
        exit 77
    fi
done
if [ ! -f "$ppd" ]; then
    echo "$ppd is missing (Debian package printer-driver-cups-pdf): printer path not tested"
    exit 77
fi

scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../scripts" && pwd)"
build="${VORPEX_BUILD_DIR:?set by ctest}"
root="$build/cups"
rm -rf "$root"
mkdir -p "$root/etc" "$root/spool/tmp" "$root/cache" "$root/state" "$root/log"
# cupsd refuses to run its helpers as root; lp is the spooler's own account on Debian.
chown -R lp "$root/spool" "$root/cache" "$root/state" "$root/log" 2>/dev/null || true
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
if ! timeout 30 lpadmin -p VorpexPDF -E -v file:///dev/null -P "$ppd" 2>/dev/null ||
   ! timeout 30 lpadmin -d VorpexPDF; then
    echo "error: the private CUPS server did not take the printer" >&2
    cat "$root/log/cupsd.out" "$root/log/error_log" 2>/dev/null >&2
    exit 1
fi

source "$scripts/wine-env.sh"
VORPEX_EXPECT_PRINTER=1 bash "$scripts/wine-exec.sh" "$exe" --gtest_filter='*AnInstalledPrinter*'
