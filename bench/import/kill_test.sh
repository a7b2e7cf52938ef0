#!/usr/bin/env bash
# Kills the engine import at random moments (SIGKILL) and checks after each kill that the punch table opens,
# that every record its header counts is whole, and that the index the killed run left agrees with it (one key
# per record, each leading back to its record) or reports itself as a corrupt index when it opens, after which
# its rebuild agrees. Half of the kills hit a re-import of a table that is already full.
#   bench/import/kill_test.sh build/bench [runs=50] [punches=200000]
set -uo pipefail
build=${1:?build folder}
runs=${2:-50}
punches=${3:-200000}
bin=$build/bench/import/bench_import
work=${TMPDIR:-/tmp}/vorpex-kill-test
rm -rf "$work" && mkdir -p "$work"
"$bin" generate "$work" "$punches" >/dev/null

# Kill moments spread over a whole run, however long the machine takes for one now.
start=$(date +%s%N)
"$bin" engine "$work" >/dev/null 2>&1
span_ms=$((($(date +%s%N) - start) / 1000000 + 1))

failures=0
for ((i = 1; i <= runs; i++)); do
    # Odd runs start cold, even runs kill a re-import over the table the previous run left.
    if ((i % 2 == 1)); then rm -f "$work"/Checadas.* "$work"/depaso.dbf; fi
    "$bin" engine "$work" >/dev/null 2>&1 &
    pid=$!
    at_ms=$(((RANDOM * 32768 + RANDOM) % span_ms))
    sleep "$((at_ms / 1000)).$(printf '%03d' $((at_ms % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if out=$("$bin" check "$work" 2>&1); then
        echo "run $i: $out"
    else
        echo "run $i: FAILED: $out"
        failures=$((failures + 1))
    fi
done
echo "kill test: $((runs - failures)) passed, $failures failed"
rm -rf "$work"
[ "$failures" -eq 0 ]
