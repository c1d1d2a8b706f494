#!/usr/bin/env bash
# Starts or stops one throwaway PostgreSQL 15 server on loopback.
#   pgserver.sh start DIR PORT PASSWORD tls|plain   -> initialises DIR when empty, starts the server
#   pgserver.sh stop DIR
# The role "zel" owns the cluster and logs in with a scram password over TCP only.
# initdb refuses to run as root, so as root the server runs as the postgres account.
set -euo pipefail

cmd=$1 dir=$2
bindir=$(pg_config --bindir)

as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
start)
    port=$3 password=$4 mode=$5
    mkdir -p "$dir"
    [ "$(id -u)" = 0 ] && chown postgres: "$dir"
    chmod 700 "$dir"
    if [ ! -f "$dir/PG_VERSION" ]; then
        pwfile=$(mktemp)
        printf '%s\n' "$password" > "$pwfile"
        [ "$(id -u)" = 0 ] && chown postgres: "$pwfile"
        as_owner "$bindir/initdb" -D "$dir" -U zel --pwfile="$pwfile" -A scram-sha-256 -E UTF8 --locale=C.UTF-8 >/dev/null
        rm -f "$pwfile"
        {
            echo "host all all 127.0.0.1/32 scram-sha-256"
            echo "host all all ::1/128 scram-sha-256"
        } > "$dir/pg_hba.conf"
        if [ "$mode" = tls ]; then
            openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj /CN=localhost \
                -keyout "$dir/server.key" -out "$dir/server.crt" 2>/dev/null
            chmod 600 "$dir/server.key"
            [ "$(id -u)" = 0 ] && chown postgres: "$dir/server.key" "$dir/server.crt"
        fi
    fi
    ssl=off
    [ "$mode" = tls ] && ssl=on
    as_owner "$bindir/pg_ctl" -D "$dir" -l "$dir/server.log" -w -t 30 \
        -o "-p $port -c listen_addresses=127.0.0.1 -c unix_socket_directories='' -c ssl=$ssl -c fsync=off -c max_connections=200" \
        start >/dev/null
    ;;
stop)
    [ -f "$dir/postmaster.pid" ] && as_owner "$bindir/pg_ctl" -D "$dir" -m fast -w stop >/dev/null || true
    ;;
*)
    echo "usage: $0 start DIR PORT PASSWORD tls|plain | stop DIR" >&2
    exit 2
    ;;
esac
