#!/usr/bin/env bash
# The run command: set-up, build, then the program on its demo environment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/scripts/run.sh" "$root/build" "$@"
