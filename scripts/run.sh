#!/usr/bin/env bash
# Runs wCartovia against the demo environment.
#   scripts/run.sh [BUILD_DIR] [demo options: --dir DIR --shop-port PORT --orders N]
# Brings the demo servers up (on the directory port and with the password the build was
# configured with), starts the program, and brings the servers down when it ends.
# The demo data stays; demo/demo.sh reset deletes it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=build
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    build=$1
    shift
fi
case "$build" in /*) ;; *) build=$root/$build ;; esac
program=$build/app/wCartovia
[ -x "$program" ] || {
    echo "run: $program not found: run scripts/setup.sh and build first (see README.md)" >&2
    exit 1
}

# The program connects where its build says; the demo server must listen there.
cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" 2>/dev/null
}
host=$(cache_value WC_DIRECTORY_HOST)
port=$(cache_value WC_DIRECTORY_PORT)
case "${host:-localhost}" in
localhost | 127.0.0.1) ;;
*) echo "run: this build looks for the company directory on $host; the demo serves it on localhost only" >&2 ;;
esac
password=$(cache_value WC_DB_PASSWORD)
demo=("$root/demo/demo.sh")
args=(--port "${port:-5432}" "$@")
[ -n "$password" ] && args+=(--password "$password")

"${demo[@]}" up "${args[@]}"
trap '"${demo[@]}" down "${args[@]}"' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display available: start the program on a desktop session, or run it under Xvfb (xvfb-run)" >&2
    exit 1
fi

# The program runs in the background so that a signal to this script reaches the trap at
# once; the program is ended too, and the servers stopped.
"$program" &
child=$!
trap 'kill -TERM "$child" 2>/dev/null; wait "$child"; exit 130' INT TERM HUP
wait "$child"
