#!/usr/bin/env bash
# The long run of the index kill test that `make test` runs a few times: index writers killed at random
# moments while appending, exclusive and shared, each index checked as the killed run left it.
#   scripts/kill-index.sh [kills per mode=200]
set -uo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo" || exit 1
source scripts/build-lib.sh
vorpex_build native rt_ntx_kill_tests || exit 1
VORPEX_KILL_RUNS="${1:-200}" build/native/runtime/rdd/ntx/tests/rt_ntx_kill_tests
