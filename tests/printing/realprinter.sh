#!/usr/bin/env bash
# Prints a control list on a real print queue and checks the document that comes out.
#
# Starts a cupsd of its own (configuration, port, spool and logs under a temporary folder),
# makes a queue with the CUPS-PDF printer driver whose device is a file in that folder, sets it
# as the default printer, runs PRINT-PROGRAM (which prints through the program's default-printer
# path), waits for the job to complete, checks the page that arrived and reads the job's text.
#
# Usage: realprinter.sh PRINT-PROGRAM
# Exit status: 0 passed, 1 failed, 77 skipped (no print server could be started here).
set -uo pipefail

program=${1:?usage: realprinter.sh PRINT-PROGRAM}
queue=quadrosx-pdf
dir=
cupsd_pid=

skip() {
    echo "SKIPPED: $*"
    exit 77
}

show_log() {
    if [[ -n $dir && -s $dir/log/error_log ]]; then
        echo "--- cupsd error_log (last lines)"
        tail -n 25 "$dir/log/error_log"
    fi
}

fail() {
    echo "FAILED: $*"
    show_log
    exit 1
}

stop_cupsd() {
    if [[ -n $cupsd_pid ]] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill "$cupsd_pid"
        for _ in {1..50}; do
            kill -0 "$cupsd_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$cupsd_pid" 2>/dev/null && kill -9 "$cupsd_pid"
        wait "$cupsd_pid" 2>/dev/null
    fi
    cupsd_pid=
}

cleanup() {
    stop_cupsd
    if [[ -n $dir ]]; then
        # Keeps the documents for a person to look at, when asked: REALPRINTER_KEEP is a folder.
        if [[ -n ${REALPRINTER_KEEP:-} ]]; then
            cp "$dir/printed.pdf" "$dir/sent.pdf" "$REALPRINTER_KEEP" 2>/dev/null
        fi
        rm -rf "$dir"
    fi
}
trap cleanup EXIT

# Polls a command for up to $1 tenths of a second; true as soon as it succeeds.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

running() { lpstat -r 2>/dev/null | grep -q "^scheduler is running"; }
running_or_gone() { running || ! kill -0 "$cupsd_pid" 2>/dev/null; }

port_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[[ -x $cupsd ]] || skip "cupsd is not installed (Debian package cups)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -f $ppd ]] || skip "the CUPS-PDF driver is not installed (Debian package printer-driver-cups-pdf)"
for tool in lpadmin lpstat pdftotext ps2pdf; do
    command -v "$tool" >/dev/null ||
        skip "$tool is not installed (Debian packages cups, poppler-utils, ghostscript)"
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/quadrosx-cups.XXXXXX") || skip "no temporary folder"
# cupsd runs the filters as user lp, which must reach the spool below this folder.
chmod 755 "$dir"
mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,home}

write_config() {
    cat >"$dir/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$1
LogLevel info
MaxLogSize 0
Browsing No
WebInterface No
DefaultAuthType None
ErrorPolicy abort-job
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
Printcap $dir/state/printcap
SystemGroup root
LogFileGroup root
EOF
}

# The client side (lpadmin, lpstat and the program's printing through libcups) talks to this
# server only, with no user default printer of its own.
unset LPDEST PRINTER
export HOME=$dir/home

started=
for _ in 1 2 3; do
    port=$((20000 + RANDOM % 20000))
    port_free "$port" || continue
    write_config "$port"
    "$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
    export CUPS_SERVER=127.0.0.1:$port
    if wait_for 50 running_or_gone && running; then
        started=yes
        break
    fi
    stop_cupsd
done
if [[ -z $started ]]; then
    cat "$dir/log/cupsd.out" 2>/dev/null
    show_log
    skip "cupsd could not be started in this environment"
fi
echo "cupsd $cupsd_pid on $CUPS_SERVER"

document=$dir/printed.ps
lpadmin -p "$queue" -E -v "file://$document" -P "$ppd" 2>&1 | grep -v "deprecated" || true
lpstat -v "$queue" >/dev/null 2>&1 || fail "the queue $queue was not created"
lpadmin -d "$queue" || fail "the queue $queue could not be made the default printer"
[[ $(lpstat -d) == *"$queue"* ]] || fail "default printer is not $queue: $(lpstat -d)"

output=$(timeout 20 "$program" 2>&1) || fail "$program did not print:"$'\n'"$output"
echo "$output"
[[ $output == *"default printer: $queue"* ]] || fail "the program did not find $queue as its default printer"

completed() { lpstat -W completed -o "$queue" 2>/dev/null | grep -q "^$queue-"; }
if ! wait_for 200 completed; then
    lpstat -W all -l -o "$queue"
    lpstat -p "$queue" -l
    fail "the job did not complete within 20 seconds"
fi
echo "job completed: $(lpstat -W completed -o "$queue")"
[[ -s $document ]] || fail "the job completed but no document arrived in $document"

# The CUPS-PDF driver turns the job into PostScript, whose fonts no longer carry their text:
# what arrived is checked as one printed page, and the text is read in the job's document as
# the queue received it (kept in the spool).
[[ $(head -c 4 "$document") == "%!PS" ]] ||
    fail "the printed document is not PostScript: $(head -c 16 "$document" | od -c | head -1)"
pages=$(grep -c "^%%Page: " "$document")
[[ $pages == 1 ]] || fail "the printed document has $pages pages instead of 1"
ps2pdf "$document" "$dir/printed.pdf" || fail "the printed document cannot be rendered"

received=$(find "$dir/spool" -maxdepth 1 -name "d*-001" | head -n 1)
[[ -n $received ]] || fail "the job's document was not kept in the spool"
[[ $(head -c 5 "$received") == "%PDF-" ]] || fail "the job's document is not a PDF"
cp "$received" "$dir/sent.pdf"
text=$(pdftotext -layout "$received" -) || fail "pdftotext cannot read the job's document"

expect() {
    grep -Eq -- "$1" <<<"$text" || fail "the job's document does not hold: $1"$'\n'"--- its text:"$'\n'"$text"
}
expect "Lista di controllo QUADRO SX 770/2004 Semplificato +Pagina 1"
expect "Azienda 001 ROSSI MARIO Codice fiscale +RSSMRA80A01H501U"
expect "Rigo +Casella 1 +Casella 2 +Casella 3 +Casella 4 +Casella 5 +Casella 6"
expect "SX4 +1000,00 +250,50 +749,50 +0,00 +100,00 +649,50"
expect "SX34 +31,00 +0,00 +0,00 +0,00 +0,00 +310,50"
expect "SX35 +X +X"
echo "PASSED: the control list printed on $queue: one PostScript page, and its text as sent"
