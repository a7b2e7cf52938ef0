#!/usr/bin/env bash
# The one run command (`make run`, `make run PROGRAM=reorden`): installs what
# is missing, builds, writes the demo data folder build/demo-data and starts
# the program there under Wine on the user's display.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo" || exit 1
program="${PROGRAM:-asistencias}"

case "${program,,}" in
    asistencias) exe_name="Asistencias.exe" ;;
    reorden) exe_name="Reorden.exe" ;;
    *) echo "error: unknown PROGRAM=$program (asistencias or reorden)" >&2; exit 2 ;;
esac

if [ -z "${DISPLAY:-}" ]; then
    echo "error: no X display (DISPLAY is unset); run it from a desktop session, or: xvfb-run -a make run" >&2
    exit 2
fi

bash scripts/setup.sh || { echo "error: installing the build packages failed" >&2; exit 1; }
source scripts/build-lib.sh
vorpex_require cmake ninja g++ python3 x86_64-w64-mingw32-g++-posix || exit 1
VORPEX_BUILD_DIR="$repo/build/win64" source scripts/wine-env.sh
vorpex_wine_check || exit 1

# The generator is a host tool; the programs are Windows programs.
vorpex_build native vorpex_demodata || exit 1
vorpex_build win64 || exit 1

data="$repo/build/demo-data"
echo "== demo data in $data"
build/native/tools/demodata/vorpex_demodata "$data" || { echo "error: writing the demo data failed" >&2; exit 1; }

exe="$(find build/win64/apps -iname "$exe_name" -type f -print -quit 2>/dev/null)"
[ -n "$exe" ] || { echo "error: $exe_name was not built" >&2; exit 1; }

exe="$repo/$exe"
# Asistencias keeps its employee table in its own folder: it runs from the data folder, as it is installed.
if [ "${program,,}" = asistencias ]; then
    cp "$exe" "$data/" || { echo "error: copying $exe_name into $data failed" >&2; exit 1; }
    exe="$data/$exe_name"
fi
echo "== starting $exe under Wine on $DISPLAY"
cd "$data" || exit 1
bash "$repo/scripts/wine-exec.sh" "$exe"
