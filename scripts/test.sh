#!/usr/bin/env bash
# The one test command (`make test`, `make test T=<regex>`):
#   installs what is missing, builds native and win64 (incrementally), runs the
#   native tests (built with AddressSanitizer and UndefinedBehaviorSanitizer),
#   runs the Windows x86_64 tests under Wine inside one Xvfb
#   display, builds win32, and ends with the line "N passed, M failed" (both
#   test runs).
# Exits non-zero on any build error or test failure.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo" || exit 1
filter="${T:-${1:-}}"

die() { echo "error: $*" >&2; exit 1; }

bash scripts/setup.sh || die "installing the build and test packages failed"

source scripts/build-lib.sh
vorpex_require cmake ninja g++ python3 x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix \
               xvfb-run xauth timeout flock || exit 1
[ -f /usr/src/googletest/CMakeLists.txt ] || die "GoogleTest sources not found (install the googletest package)"
VORPEX_BUILD_DIR="$repo/build/win64" source scripts/wine-env.sh
vorpex_wine_check_loader || exit 1
# No Wine process may outlive the run, even an interrupted one.
trap '"$WINESERVER" -k 2>/dev/null' EXIT

vorpex_build native || exit 1
vorpex_build win64 || exit 1

ctest_args=(--output-on-failure --parallel "$vorpex_jobs")
[ -n "$filter" ] && ctest_args+=(-R "$filter")

passed=0
failed=0
status=0

# count <log> <exit code>: adds a run's totals from ctest's summary line.
count() {
    local line total bad
    line="$(grep -E '[0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)"
    if [ -z "$line" ]; then
        grep -q 'No tests were found' "$1" && [ "$2" -eq 0 ] && return 0
        failed=$((failed + 1)); status=1   # ctest itself broke down
        return 0
    fi
    bad="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
    total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    [ "$2" -ne 0 ] && status=1
    return 0
}

echo "== native tests"
native_log="build/native/ctest.log"
ctest --test-dir build/native "${ctest_args[@]}" 2>&1 | tee "$native_log"
count "$native_log" "${PIPESTATUS[0]}"

echo "== Windows x86_64 tests under Wine"
wine_log="build/win64/ctest.log"
# One display and one persistent wineserver for the whole run: starting them
# per test would cost seconds each. The outer timeout only guards against a
# hang outside ctest (each test has its own limit).
timeout --kill-after=30 3000 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    source scripts/wine-env.sh
    vorpex_wine_ensure_prefix || exit 1
    "$WINESERVER" -p
    ctest --test-dir build/win64 "$@"
    rc=$?
    "$WINESERVER" -k 2>/dev/null
    exit $rc' wine-tests "${ctest_args[@]}" 2>&1 | tee "$wine_log"
count "$wine_log" "${PIPESTATUS[0]}"

# The i686 build is a compile check only; built last so that its failure
# does not hide the test results.
vorpex_build win32 || status=1

if [ -n "$filter" ] && [ $((passed + failed)) -eq 0 ]; then
    echo "error: no test matches T=$filter" >&2
    status=1
fi
echo "$passed passed, $failed failed"
exit "$status"
