#!/usr/bin/env bash
# Follows the README's steps for the year's database on a PostgreSQL server, as written, on a
# fresh server of its own: TCP on 127.0.0.1 with SSL and Debian's pg_hba.conf rules (the system
# user postgres by peer over the socket, passwords over TCP). Only the host, the port and the
# folders are put in. Then the program, as the clerk with the README's setting and password
# file, reads the database, and a mistyped database and a wrong password give the messages the
# README promises.
#
#   readmesteps.sh <source folder> <sxcopy> <quadrosx>
set -euo pipefail
source_dir="$1"
sxcopy="$2"
quadrosx="$3"
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[[ -x "$bin/initdb" ]] || { echo "readmesteps: PostgreSQL is not installed" >&2; exit 1; }

work="$(mktemp -d)"
chmod 755 "$work"
server="$work/server"
mkdir -p "$server" "$work/archivi" "$work/programmi" "$work/config/TARVESSI"
as_postgres=()
if ((EUID == 0)); then
    chown postgres "$server"
    as_postgres=(runuser -u postgres --)
fi
finish() {
    "${as_postgres[@]}" "$bin/pg_ctl" -D "$server/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap finish EXIT
fail() {
    echo "readmesteps: $*" >&2
    exit 1
}

# The administrator is the system user postgres, by peer; run by another user, the test lets
# that user in as postgres instead.
local_auth=peer
((EUID == 0)) || local_auth=trust
"${as_postgres[@]}" "$bin/initdb" -D "$server/data" -U postgres --auth-local="$local_auth" \
    --auth-host=scram-sha-256 -E UTF8 --locale=C >/dev/null
openssl req -new -x509 -days 2 -nodes -subj /CN=localhost -keyout "$server/data/server.key" \
    -out "$server/data/server.crt" 2>/dev/null
((EUID == 0)) && chown postgres "$server/data/server.key" "$server/data/server.crt"
chmod 600 "$server/data/server.key"
# A port another program holds makes the start fail: the next one is tried.
started=false
for try in 1 2 3 4 5; do
    port=$((20000 + ($$ * 7 + try * 4099) % 20000))
    if "${as_postgres[@]}" "$bin/pg_ctl" -D "$server/data" -l "$server/log" -w -t 30 -o \
        "-p $port -k $server -c listen_addresses=127.0.0.1 -c ssl=on -c fsync=off" start \
        >/dev/null; then
        started=true
        break
    fi
done
$started || { cat "$server/log" >&2; fail "the server did not start"; }
export PGHOST="$server" PGPORT="$port"
# psql goes on after a failed statement; here a failure ends the step with an error.
printf '\\set ON_ERROR_STOP on\n' >"$server/psqlrc"
chmod 644 "$server/psqlrc"
export PSQLRC="$server/psqlrc"
export XDG_CONFIG_HOME="$work/config" PGPASSFILE="$work/pgpass"

sudo() {
    [[ "$1" == -u && "$2" == postgres ]] || fail "unexpected sudo $*"
    shift 2
    if ((EUID == 0)); then
        runuser -u postgres -- "$@"
    else
        PGUSER=postgres "$@"
    fi
}

# The fenced blocks of the README's server section, host, port and folders put in; blocks end
# with a line "@@".
blocks="$(awk '/^## Several workstations/ {on = 1; next} /^## / {on = 0}
               on && /^```/ {inside = !inside; if (!inside) print "@@"; next}
               on && inside' "$source_dir/README.md" |
    sed -e "s|server\.local|localhost|g" -e "s|:5432|:$port|g" \
        -e "s|/srv/paghe/archivi|$work/archivi|g" -e "s|/srv/paghe/programmi|$work/programmi|g" \
        -e "s|build/tools/sxcopy|$sxcopy|g" -e "s|/tmp/S7702004.MDB|$work/back.MDB|g")"
admin_password="$(sed -n "s/^CREATE ROLE paghe_admin .*PASSWORD '\(.*\)';/\1/p" <<<"$blocks")"
[[ -n "$admin_password" ]] || fail "no password of paghe_admin in the README"

# A year's file with one declarant, for the copy of step 5.
python3 - "$source_dir/data/schema.sql" "$work/archivi/S7702004.MDB" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[2])
db.executescript(open(sys.argv[1]).read())
db.execute("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_3) VALUES ('001', 'RSSMRA80A01H501U', 'ROSSI')")
db.commit()
PY

steps=0
block=()
run_block() {
    local first="${block[0]}"
    local rest=("${block[@]:1}")
    case "$first" in
    "sudo -u postgres psql"* | "psql "*)
        (cd "$source_dir" && PGPASSWORD="$admin_password" eval "$first" \
            < <(((${#rest[@]})) && printf '%s\n' "${rest[@]}")) >"$work/step.log" 2>&1 ||
            { cat "$work/step.log" >&2; fail "step failed: $first"; } ;;
    "[General]") printf '%s\n' "${block[@]}" >"$XDG_CONFIG_HOME/TARVESSI/ZAVIRTEN.conf" ;;
    "$sxcopy "*)
        for line in "${block[@]}"; do
            PGPASSWORD="$admin_password" eval "$line" >"$work/step.log" 2>&1 ||
                { cat "$work/step.log" >&2; fail "step failed: $line"; }
        done ;;
    *:*:*:*:*)
        printf '%s\n' "${block[@]}" >"$PGPASSFILE"
        chmod 600 "$PGPASSFILE" ;;
    *) fail "a README block this test does not know: $first" ;;
    esac
    steps=$((steps + 1))
}
while IFS= read -r line; do
    if [[ "$line" == "@@" ]]; then
        run_block
        block=()
    else
        block+=("$line")
    fi
done <<<"$blocks"
((steps == 6)) || fail "$steps README blocks run, 6 expected"
[[ -s "$work/back.MDB" ]] || fail "the copy back to a file was not made"

# The clerk: the program reads the database with the README's setting and password file.
unset PGHOST PGPORT PGPASSWORD
check() { # expected exit code, expected words
    local status=0
    "$quadrosx" --check >"$work/check.log" 2>&1 || status=$?
    ((status == $1)) && grep -qF "$2" "$work/check.log" ||
        { cat "$work/check.log" >&2; fail "quadrosx --check: exit $status, expected $1 and '$2'"; }
}
"$quadrosx" --check >"$work/check.log" 2>&1 || { cat "$work/check.log" >&2; fail "the clerk cannot read"; }
settings="$XDG_CONFIG_HOME/TARVESSI/ZAVIRTEN.conf"
sed -i 's|/paghe2004?|/paghe2005?|' "$settings"
check 2 'database "paghe2005" does not exist'
sed -i -e 's|/paghe2005?|/paghe2004?|' "$settings"
sed -i 's|:[^:]*$|:wrong|' "$PGPASSFILE"
check 2 'password authentication failed for user "paghe"'
echo "readmesteps: every step of the README worked; the clerk reads; both messages seen"
