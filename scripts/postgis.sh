#!/usr/bin/env bash
# A throwaway PostgreSQL + PostGIS server for the tests, on loopback only.
#
#   eval "$(bash scripts/postgis.sh start)"   starts it, prints the exports
#   bash scripts/postgis.sh stop              stops it and removes its data
#
# start installs PostgreSQL 15 and PostGIS 3 when they are missing,
# initialises a data folder under /tmp, starts the server as the postgres
# system user (PostgreSQL refuses to run as root) on a free port, creates
# the database "geoxfer" with the postgis extension and prints
#   export GEOXFER_PG="PG:host=127.0.0.1 port=... dbname=geoxfer user=postgres"
#   export GEOXFER_PG_DIR=...
# stop uses GEOXFER_PG_DIR (or the folder named in /tmp/geoxfer-pg.current).
# Every wait is bounded: nothing here hangs.
set -euo pipefail
cd "$(dirname "$0")/.."

PG_VERSION=15
PG_BIN=/usr/lib/postgresql/$PG_VERSION/bin
CURRENT=/tmp/geoxfer-pg.current

log() { echo "postgis.sh: $*" >&2; }

as_postgres() {
    if [ "$(id -un)" = postgres ]; then
        "$@"
    elif [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        log "run as root (to start the server as the postgres user) or as postgres"
        exit 1
    fi
}

free_port() {
    local port
    for port in $(seq 54320 54400); do
        if ! (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    log "no free port between 54320 and 54400"
    exit 1
}

start() {
    . scripts/deps.sh
    geoxfer_install_deps postgresql postgresql-$PG_VERSION-postgis-3 >&2
    if [ ! -x "$PG_BIN/initdb" ]; then
        log "PostgreSQL $PG_VERSION is not installed in $PG_BIN"
        exit 1
    fi
    local dir port
    dir=$(mktemp -d /tmp/geoxfer-pg.XXXXXX)
    chown postgres: "$dir" 2>/dev/null || true
    port=$(free_port)
    as_postgres "$PG_BIN/initdb" -D "$dir/data" -U postgres -A trust --no-sync >"$dir/initdb.log" 2>&1 || {
        log "initdb failed:"; cat "$dir/initdb.log" >&2; exit 1; }
    as_postgres "$PG_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off" start >/dev/null || {
        log "the server did not start:"; cat "$dir/server.log" >&2; exit 1; }
    echo "$dir" >"$CURRENT"
    local psql=("$PG_BIN/psql" -X -q -h 127.0.0.1 -p "$port" -U postgres -v ON_ERROR_STOP=1)
    PGCONNECT_TIMEOUT=10 as_postgres "${psql[@]}" -d postgres -c "CREATE DATABASE geoxfer" >&2
    PGCONNECT_TIMEOUT=10 as_postgres "${psql[@]}" -d geoxfer -c "CREATE EXTENSION postgis" >&2
    log "PostGIS server on 127.0.0.1:$port, data in $dir"
    echo "export GEOXFER_PG=\"PG:host=127.0.0.1 port=$port dbname=geoxfer user=postgres connect_timeout=10\""
    echo "export GEOXFER_PG_DIR=\"$dir\""
}

stop() {
    local dir="${GEOXFER_PG_DIR:-}"
    [ -z "$dir" ] && [ -f "$CURRENT" ] && dir=$(cat "$CURRENT")
    if [ -z "$dir" ] || [ ! -d "$dir/data" ]; then
        log "no server to stop"
        return 0
    fi
    as_postgres "$PG_BIN/pg_ctl" -D "$dir/data" -m fast -w -t 30 stop >/dev/null 2>&1 ||
        as_postgres "$PG_BIN/pg_ctl" -D "$dir/data" -m immediate -w -t 10 stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    [ -f "$CURRENT" ] && [ "$(cat "$CURRENT")" = "$dir" ] && rm -f "$CURRENT"
    log "stopped the server in $dir"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
