#!/usr/bin/env bash
# wine-exec.sh <program.exe> [args...]
# Runs one Windows program under Wine in the build folder's prefix (made on
# first use) and returns the program's exit code. ctest runs every Windows
# test through this script.
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: wine-exec.sh <program.exe> [args...]" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
vorpex_wine_check || exit 2
if [ ! -f "$1" ]; then
    echo "error: no such program: $1" >&2
    exit 2
fi
vorpex_wine_ensure_prefix || exit 2
# Wine's own helper processes (services, desktop, rpcss) may be started by this
# program and outlive it, inheriting its output. Were that output ctest's pipe,
# ctest would wait on them until the time limit. So the program writes to a
# file, which is streamed out as it grows.
log="$(mktemp "${TMPDIR:-/tmp}/wine-exec.XXXXXX")"
trap 'rm -f "$log"' EXIT
"$WINE64" "$@" </dev/null >"$log" 2>&1 &
program=$!
tail -s 0.1 -f --pid="$program" "$log" &
streamer=$!
wait "$program"
status=$?
wait "$streamer"
exit "$status"
