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

# VORPEX_PHASE_TIMES=<file>: one line per phase appended to it, "<phase> <wall s> <processor s>", the
# processor time being user+sys of everything the phase waited for (scripts/measure-ci.sh prints the table).
phase_log="${VORPEX_PHASE_TIMES:-}"
phase_name=""
phase_mark=""
# phase <name>: ends the phase under way and starts <name> (none: ends the last one).
phase() {
    [ -n "$phase_log" ] || return 0
    local mark
    times >"$phase_log.times"   # in this shell: a subshell would not see its children
    mark="$(awk -v now="$EPOCHREALTIME" 'NR == 2 {
        cpu = 0
        for (i = 1; i <= 2; i++) { split($i, t, /[ms]/); cpu += t[1] * 60 + t[2] }
        printf "%s %.2f", now, cpu }' "$phase_log.times")"
    rm -f "$phase_log.times"
    if [ -n "$phase_name" ]; then
        awk -v name="$phase_name" -v from="$phase_mark" -v to="$mark" 'BEGIN {
            split(from, a, " "); split(to, b, " ")
            printf "%s %.1f %.1f\n", name, b[1] - a[1], b[2] - a[2] }' >>"$phase_log"
    fi
    phase_name="${1:-}"
    phase_mark="$mark"
}

phase setup
bash scripts/setup.sh || die "installing the build and test packages failed"

source scripts/build-lib.sh
vorpex_require cmake ninja g++ python3 x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix \
               xvfb-run xauth timeout flock || exit 1
[ -f /usr/src/googletest/CMakeLists.txt ] || die "GoogleTest sources not found (install the googletest package)"
VORPEX_BUILD_DIR="$repo/build/win64" source scripts/wine-env.sh
vorpex_wine_check_loader || exit 1
# No Wine process may outlive the run, even an interrupted one.
trap '"$WINESERVER" -k 2>/dev/null' EXIT

# The layer order (docs/ARCHITECTURE.md) before anything is built: the check's own rule first, then the tree.
phase layers
echo "== layer order"
layer_self_test="$(python3 tests/layers/check_layers_test.py 2>&1)" ||
    { echo "$layer_self_test"; die "the layer check's self-test failed"; }
python3 tests/layers/check_layers.py || die "an include or a link goes against the layer order"

phase build-native
vorpex_build native || exit 1
phase build-win64
vorpex_build win64 || exit 1

ctest_args=(--output-on-failure --parallel "$(vorpex_jobs)")
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

phase test-native
echo "== native tests"
native_log="build/native/ctest.log"
ctest --test-dir build/native "${ctest_args[@]}" 2>&1 | tee "$native_log"
count "$native_log" "${PIPESTATUS[0]}"

phase test-wine
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
phase build-win32
vorpex_build win32 || status=1
phase

if [ -n "$filter" ] && [ $((passed + failed)) -eq 0 ]; then
    echo "error: no test matches T=$filter" >&2
    status=1
fi
echo "$passed passed, $failed failed"
exit "$status"
