#!/usr/bin/env bash
# A private PostgreSQL server for the tests: its own cluster in <folder>/data, its socket in
# <folder>, no TCP port, trust for the one superuser "sxtest". No cluster of the machine is
# touched. Run as root, the server runs as the user postgres.
#
#   pgserver.sh start <folder>   make a fresh cluster (removing one left there) and start it
#   pgserver.sh crash <folder>   kill the server and all its processes with SIGKILL
#   pgserver.sh restart <folder> start the cluster again after a crash (crash recovery)
#   pgserver.sh stop <folder>    stop it at once and remove the folder
set -euo pipefail
command="$1"
folder="$2"
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[[ -x "$bin/initdb" ]] || { echo "pgserver: PostgreSQL is not installed" >&2; exit 1; }

as_server() {
    if ((EUID == 0)); then
        (cd / && runuser -u postgres -- "$@")
    else
        "$@"
    fi
}

run() {
    as_server "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
        -o "-k $folder -c listen_addresses= -c fsync=off -c max_connections=40" start >>"$folder/pg_ctl.log" 2>&1 || { cat "$folder/pg_ctl.log" "$folder/server.log" >&2; exit 1; }
}

# Running, and not a zombie waiting for init to reap it.
alive() {
    [[ -r /proc/$1/stat ]] && ! grep -q '^[0-9]* (.*) Z' "/proc/$1/stat" 2>/dev/null
}

kill_all() {
    local pid pids
    pid="$(head -n 1 "$folder/data/postmaster.pid" 2>/dev/null || true)"
    [[ -n "$pid" ]] && alive "$pid" || return 0
    pids=("$pid" $(pgrep -P "$pid" || true))
    kill -KILL "${pids[@]}" 2>/dev/null || true
    for p in "${pids[@]}"; do
        while alive "$p"; do sleep 0.02; done
    done
    # A zombie still answers to its PID: a new postmaster would take its lock files for live ones.
    rm -f "$folder/data/postmaster.pid" "$folder"/.s.PGSQL.*
}

case "$command" in
start)
    [[ -d "$folder" ]] && { kill_all; rm -rf "$folder"; }
    mkdir -p "$folder"
    ((EUID == 0)) && chown postgres "$folder"
    as_server "$bin/initdb" -D "$folder/data" -U sxtest --auth=trust -E UTF8 --locale=C >/dev/null
    run ;;
crash) kill_all ;;
restart) run ;;
stop)
    as_server "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || kill_all
    rm -rf "$folder" ;;
*) echo "pgserver: unknown command $command" >&2; exit 2 ;;
esac
