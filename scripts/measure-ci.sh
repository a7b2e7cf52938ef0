#!/usr/bin/env bash
# Measures CI as a new machine would run it: a fresh clone, no compiler cache, two cores; prints wall and
# processor seconds per phase of `.ci/run` and the size of each build folder.
#
#   scripts/measure-ci.sh [--cpus 0,1] [--dir <folder>] [--keep] [<revision>]
#
#   <revision>   what to clone and measure (default HEAD of this checkout)
#   --cpus       the processors the run may use (taskset list, default 0,1): two processors, so nproc and with
#                it the build's and ctest's parallelism say 2; give another pair to measure two revisions at once
#   --dir        the clone's folder (default a new one under ${TMPDIR:-/tmp}); removed afterwards unless --keep
#
# Processor seconds (user+sys of each phase) hardly depend on what else the machine runs; wall seconds do, so
# compare revisions by processor seconds when the machine is shared. Packages must already be installed.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cpus=0,1
dir=""
keep=false
revision=HEAD
while [ $# -gt 0 ]; do
    case "$1" in
        --cpus) cpus="$2"; shift 2 ;;
        --dir) dir="$2"; shift 2 ;;
        --keep) keep=true; shift ;;
        -h|--help) sed -n '2,13p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "error: unknown option $1" >&2; exit 2 ;;
        *) revision="$1"; shift ;;
    esac
done

commit="$(git -C "$repo" rev-parse --verify "$revision^{commit}")" || { echo "error: no revision $revision" >&2; exit 2; }
[ -n "$dir" ] || dir="$(mktemp -d "${TMPDIR:-/tmp}/vorpex-measure.XXXXXX")"
[ -e "$dir/.git" ] && { echo "error: $dir already holds a clone" >&2; exit 2; }
$keep || trap 'rm -rf "$dir"' EXIT

git clone --quiet --no-checkout "$repo" "$dir"
git -C "$dir" checkout --quiet --detach "$commit"
echo "measuring $(git -C "$dir" log -1 --format='%h %s' | cut -c1-100)"
echo "in $dir on processors $cpus"

phases="$dir/phase-times.txt"
total="$dir/total-time.txt"
log="$dir/ci.log"
rc=0
(
    cd "$dir"
    # VORPEX_JOBS unset: the build and ctest take nproc, which taskset makes the number of processors given.
    env -u VORPEX_JOBS CI=true CCACHE_DISABLE=1 VORPEX_PHASE_TIMES="$phases" \
        taskset -c "$cpus" /usr/bin/time -f '%e %U %S' -o "$total" bash .ci/run
) >"$log" 2>&1 || rc=$?

summary="$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$log" | tail -1 || true)"
echo
printf '%-14s %9s %9s\n' phase "wall s" "CPU s"
[ -f "$phases" ] && awk '{ printf "%-14s %9.0f %9.0f\n", $1, $2, $3 }' "$phases"
[ -f "$total" ] && awk 'NR == 1 { printf "%-14s %9.0f %9.0f\n", "total", $1, $2 + $3 }' "$total"
echo
for folder in "$dir"/build/*/; do
    [ -d "$folder" ] && printf '%-14s %9s\n' "$(basename "$folder")" "$(du -sh "$folder" | cut -f1)"
done
echo
echo "result: ${summary:-no summary line}, exit $rc"
if [ "$rc" -ne 0 ]; then
    echo "last lines of the log:"
    tail -20 "$log"
fi
exit "$rc"
