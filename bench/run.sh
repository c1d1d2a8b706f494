#!/usr/bin/env bash
# Runs every benchmark against throwaway servers started for the run.
# usage: bench/run.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
servers=$build/bench-servers
"$root/tests/support/test_servers.sh" start "$servers" zel-bench-pw
trap '"$root/tests/support/test_servers.sh" stop "$servers" zel-bench-pw' EXIT
export WC_TEST_SERVERS=$servers/servers.env
for b in $(find "$build/bench" -type f \( -name 'bench_*' -o -name '*_bench' \) -perm -u+x | sort); do
    echo "== $(basename "$b")"
    "$b"
done
