#!/usr/bin/env bash
# The demo environment of wCartovia: a PostgreSQL 15 server of its own (TLS on) with the
# company directory and two demo ERP databases, and the demo shop server.
#
#   demo/demo.sh up|down|reset [--dir DIR] [--port PGPORT] [--shop-port PORT]
#                              [--password PASSWORD] [--orders N]
#
#   up     starts both servers; creates and seeds the databases the first time
#   down   stops both servers; the data stays for the next run
#   reset  down, then deletes the demo data folder
#
# Defaults: DIR ${XDG_DATA_HOME:-$HOME/.local/share}/wCartovia-demo, PGPORT 5432 (the
# directory port the program is built with), PORT 8790, PASSWORD zel-demo-2026 (the build's
# WC_DB_PASSWORD; also taken from $WC_DEMO_PASSWORD), N 230 orders per shop.
set -euo pipefail
umask 022

here=$(cd "$(dirname "$0")" && pwd)
pgserver=$here/../scripts/pgserver.sh
sql=$here/sql
system_dir=/var/lib/wCartovia-demo

usage() {
    sed -n '5,9p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

fail() {
    echo "demo: $*" >&2
    exit 1
}

cmd=${1:-}
[ $# -gt 0 ] && shift
dir="" pgport=5432 shopport=8790 orders=230
password=${WC_DEMO_PASSWORD:-zel-demo-2026}
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case "$1" in
    --dir) dir=$2 ;;
    --port) pgport=$2 ;;
    --shop-port) shopport=$2 ;;
    --password) password=$2 ;;
    --orders) orders=$2 ;;
    *) usage ;;
    esac
    shift 2
done
for n in "$pgport" "$shopport" "$orders"; do
    [[ "$n" =~ ^[0-9]+$ ]] || fail "not a number: $n"
done

# As root the database server runs as the postgres account, which must be able to enter
# the data folder; root's home usually forbids that, so root's default is a system folder.
postgres_can_enter() {
    local path=$1
    while [ ! -e "$path" ]; do path=$(dirname "$path"); done
    runuser -u postgres -- test -x "$path"
}
if [ -z "$dir" ]; then
    dir=${XDG_DATA_HOME:-$HOME/.local/share}/wCartovia-demo
    if [ "$(id -u)" = 0 ] && ! postgres_can_enter "$dir"; then
        dir=$system_dir
    fi
elif [ "$(id -u)" = 0 ] && ! postgres_can_enter "$dir"; then
    fail "the database server runs as the postgres account, which cannot enter $dir." \
        "Choose a folder it can reach (for example under /var/lib or /tmp), or make the folders above it traversable (chmod o+x)."
fi
dir=$(realpath -m "$dir")
pgdir=$dir/pg
state=$dir/demo.env

port_in_use() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# A process that has ended but is not yet reaped by its new parent counts as gone.
alive() {
    kill -0 "$1" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]
}

# Port of the demo database server when it runs, nothing otherwise.
running_pg_port() {
    local pidfile=$pgdir/postmaster.pid
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(sed -n 1p "$pidfile")
    if [ -n "$pid" ] && alive "$pid"; then
        sed -n 4p "$pidfile"
    fi
}

# Pid of the demo shop server when it runs, nothing otherwise.
running_shop_pid() {
    [ -f "$dir/shop.pid" ] || return 0
    local pid
    pid=$(cat "$dir/shop.pid")
    if [ -n "$pid" ] && alive "$pid" && grep -qa shop_server.py "/proc/$pid/cmdline" 2>/dev/null; then
        echo "$pid"
    fi
}

saved() {
    if [ -f "$state" ]; then sed -n "s/^$1=//p" "$state"; fi
}

save_state() {
    printf 'password=%s\nseeded=%s\n' "$password" "$1" > "$state"
    chmod 600 "$state"
}

psql_on() {
    local db=$1
    shift
    PGPASSWORD=$password PGSSLMODE=require PGCONNECT_TIMEOUT=15 \
        psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$pgport" -U zel -d "$db" "$@"
}

start_database() {
    local current
    current=$(running_pg_port)
    if [ -n "$current" ] && [ "$current" != "$pgport" ]; then
        "$pgserver" stop "$pgdir"
        current=""
    fi
    if [ -z "$current" ]; then
        if port_in_use "$pgport"; then
            fail "port $pgport on 127.0.0.1 is already in use by another server (perhaps a PostgreSQL of the system)." \
                "Stop that server (for example: systemctl stop postgresql), or give the demo another port:" \
                "demo/demo.sh up --port 5433, and build the program with -DWC_DIRECTORY_PORT=5433."
        fi
        "$pgserver" start "$pgdir" "$pgport" "$password" tls
    fi
    # A password other than the one the cluster was made with: switch the role over to it.
    local old
    old=$(saved password)
    if [ -n "$old" ] && [ "$old" != "$password" ]; then
        local new=$password
        password=$old
        echo "alter role zel password :'pw';" | psql_on postgres -v pw="$new"
        password=$new
        save_state "$(saved seeded)"
    fi
}

seed_databases() {
    echo "demo: creating the demo databases"
    local db
    for db in zel_mob zel_demo_alfa zel_demo_beta; do
        psql_on postgres -c "set client_min_messages = warning" -c "drop database if exists $db with (force)" \
            -c "create database $db"
    done
    psql_on zel_mob -f "$sql/directory_schema.sql" -f "$sql/directory_demo_data.sql"
    psql_on zel_demo_alfa -f "$sql/erp_schema.sql" -f "$sql/erp_functions.sql" -f "$sql/erp_demo_data.sql" \
        -v company='Alfa Demo SRL' -v hashed=true -f "$sql/erp_demo_company.sql"
    psql_on zel_demo_beta -f "$sql/erp_schema.sql" -f "$sql/erp_functions.sql" -f "$sql/erp_demo_data.sql" \
        -v company='Beta Demo SRL' -v hashed=false -f "$sql/erp_demo_company.sql"
    save_state 1
}

# The ports may differ from run to run: the directory and the shop settings follow them.
point_at_ports() {
    psql_on zel_mob -c "update m_firma set port = $pgport where port is distinct from $pgport"
    local db
    for db in zel_demo_alfa zel_demo_beta; do
        psql_on "$db" -c "update config_cartovia
            set base_url = regexp_replace(base_url, '127\.0\.0\.1:[0-9]+', '127.0.0.1:$shopport')
            where base_url ~ '127\.0\.0\.1:[0-9]+' and base_url !~ '127\.0\.0\.1:$shopport([^0-9]|$)'"
    done
}

stop_shop() {
    local pid
    pid=$(running_shop_pid)
    if [ -n "$pid" ]; then
        kill "$pid"
        for _ in $(seq 50); do
            alive "$pid" || break
            sleep 0.1
        done
    fi
    rm -f "$dir/shop.pid" "$dir/shop.port"
}

start_shop() {
    local pid
    pid=$(running_shop_pid)
    if [ -n "$pid" ] && [ "$(cat "$dir/shop.port" 2>/dev/null)" = "$shopport" ]; then
        return
    fi
    stop_shop
    if port_in_use "$shopport"; then
        fail "port $shopport on 127.0.0.1 is already in use; stop what listens there or pass --shop-port PORT."
    fi
    local python
    python=$(command -v python3) || fail "python3 is missing: run scripts/setup.sh"
    # Detached from the caller's terminal and output, so that callers waiting on our output
    # do not wait for the shop server too.
    setsid "$python" "$here/shop_server.py" --bind 127.0.0.1 --port "$shopport" --orders "$orders" \
        --ready-file "$dir/shop.port" --verbose </dev/null >>"$dir/shop.log" 2>&1 &
    echo $! > "$dir/shop.pid"
    for _ in $(seq 100); do
        [ -f "$dir/shop.port" ] && return
        alive "$(cat "$dir/shop.pid")" || break
        sleep 0.1
    done
    tail -n 5 "$dir/shop.log" >&2
    rm -f "$dir/shop.pid"
    fail "the shop server did not start (log: $dir/shop.log)"
}

up() {
    for tool in pg_config psql openssl; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh"
    done
    mkdir -p "$dir"
    chmod 755 "$dir"
    start_database
    [ "$(saved seeded)" = 1 ] || seed_databases
    point_at_ports
    start_shop
    cat <<EOF
demo: ready
  databases: 127.0.0.1:$pgport (TLS), role zel; directory zel_mob, ERP zel_demo_alfa and zel_demo_beta
  shops:     http://127.0.0.1:$shopport/magazin-1, /magazin-2, /magazin-3
  data:      $dir
  sign-in:   company "Alfa Demo SRL", operator "ana", password "Cafea#2026" (more in demo/README.md)
EOF
}

down() {
    [ -d "$dir" ] || return 0
    stop_shop
    [ -d "$pgdir" ] && "$pgserver" stop "$pgdir"
    echo "demo: stopped (data kept in $dir)"
}

reset() {
    down
    [ -d "$dir" ] || return 0
    # Delete only a folder that holds a demo environment.
    [ -f "$state" ] || [ -d "$pgdir" ] || fail "$dir does not look like a demo data folder; not deleting it"
    rm -rf "$dir"
    echo "demo: deleted $dir"
}

case "$cmd" in
up) up ;;
down) down ;;
reset) reset ;;
*) usage ;;
esac
