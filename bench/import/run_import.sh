#!/usr/bin/env bash
# The punch import side by side: the engine, the in-memory floor and the peers, cold (no punch table yet)
# and re-imported (every punch already present), at 100k, 500k and 2M punches. Each contender's processor time
# is also given as a ratio to the floor's (cold_x, re_x), and the engine's cold cost per punch in microseconds.
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORPEX_BENCH=ON
#   cmake --build build/bench --target bench_import bench_peer_sqlite bench_peer_xbase64
#   bench/import/run_import.sh build/bench [sizes...]
set -uo pipefail
build=${1:?build folder}
shift
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(100000 500000 2000000)
bin=$build/bench/import/bench_import
peers=$build/bench/peers
work=${TMPDIR:-/tmp}/vorpex-import-bench

# Runs one contender twice in a fresh folder holding only the clock files; prints the wall and processor
# seconds of the cold run and of the re-import. Processor time is what to compare on a busy machine.
run() {
    local dir=$work/run
    rm -rf "$dir" && mkdir -p "$dir" && cp "$work"/data/*.csv "$dir"/
    local cold re
    cold=$("$@" "$dir" 2>/dev/null | cut -d' ' -f1,2) || cold="failed failed"
    re=$("$@" "$dir" 2>/dev/null | cut -d' ' -f1,2) || re="failed failed"
    echo "${cold:-failed failed} ${re:-failed failed}"
}

# ratio <cpu> <floor cpu>: their quotient, or "-" when either run failed.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else printf "-" }'
}

printf '%-9s %-10s %9s %9s %9s %9s %7s %7s %8s\n' punches contender cold_wall cold_cpu re_wall re_cpu cold_x re_x us/punch
for n in "${sizes[@]}"; do
    rm -rf "$work/data" && "$bin" generate "$work/data" "$n" >/dev/null
    floor=(failed failed failed failed)
    for c in floor engine sqlite xbase64; do
        case $c in
            floor | engine) r=$(run "$bin" "$c") ;;
            sqlite) r=$(run "$peers/bench_peer_sqlite") ;;
            xbase64) r=$(timeout 600 bash -c "$(declare -f run); work=$work; run $peers/bench_peer_xbase64") ;;
        esac
        read -r -a t <<<"$r"
        [ "$c" = floor ] && floor=("${t[@]}")
        per=$(awk -v a="${t[1]}" -v n="$n" 'BEGIN { if (a + 0 > 0) printf "%.2f", a * 1e6 / n; else printf "-" }')
        printf '%-9s %-10s %9s %9s %9s %9s %7s %7s %8s\n' "$n" "$c" "${t[@]}" \
            "$(ratio "${t[1]}" "${floor[1]}")" "$(ratio "${t[3]}" "${floor[3]}")" "$per"
    done
done
rm -rf "$work"
