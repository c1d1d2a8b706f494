#!/usr/bin/env bash
# The test command: set-up, build, all tests (the tests start their own database and
# HTTP servers on loopback and stop them at the end).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$build"
ctest --test-dir "$build" --output-on-failure
