#!/usr/bin/env bash
# CTest fixture: starts (or stops) the two database servers of a test run, one with TLS
# and one without, on free loopback ports, and writes their addresses to DIR/servers.env.
# The clusters live in a temporary folder that the postgres account can reach even when DIR
# is below a private home folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cmd=$1 dir=$2 password=$3
server=$here/../../scripts/pgserver.sh

free_port() {
    local port
    while :; do
        port=$((20000 + RANDOM % 30000))
        (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null || { echo $port; return; }
    done
}

case "$cmd" in
start)
    "$0" stop "$dir" "$password"
    rm -rf "$dir"
    mkdir -p "$dir"
    data=$(mktemp -d "${TMPDIR:-/tmp}/wc-test-servers.XXXXXX")
    chmod 755 "$data"
    echo "$data" > "$dir/data-folder"
    tls_port=$(free_port)
    "$server" start "$data/tls" "$tls_port" "$password" tls
    plain_port=$(free_port)
    "$server" start "$data/plain" "$plain_port" "$password" plain
    printf 'tls=%s\nplain=%s\npassword=%s\n' "$tls_port" "$plain_port" "$password" > "$dir/servers.env"
    ;;
stop)
    [ -f "$dir/data-folder" ] || exit 0
    data=$(cat "$dir/data-folder")
    for s in tls plain; do [ -d "$data/$s" ] && "$server" stop "$data/$s"; done
    rm -rf "$data" "$dir/data-folder"
    ;;
esac
