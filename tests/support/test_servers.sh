#!/usr/bin/env bash
# CTest fixture: starts (or stops) the two database servers of a test run, one with TLS
# and one without, on free loopback ports, and writes their addresses to DIR/servers.env.
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
    chmod 755 "$dir"
    tls_port=$(free_port)
    "$server" start "$dir/tls" "$tls_port" "$password" tls
    plain_port=$(free_port)
    "$server" start "$dir/plain" "$plain_port" "$password" plain
    printf 'tls=%s\nplain=%s\npassword=%s\n' "$tls_port" "$plain_port" "$password" > "$dir/servers.env"
    ;;
stop)
    for s in tls plain; do [ -d "$dir/$s" ] && "$server" stop "$dir/$s"; done
    true
    ;;
esac
