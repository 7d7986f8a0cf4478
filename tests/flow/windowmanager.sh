#!/usr/bin/env bash
# Runs a test program on a display of its own with a real window manager (openbox on Xvfb),
# where the window's frame is drawn and sized as on a desktop. Exit 77 (skipped) when Xvfb or
# openbox is not installed.
set -uo pipefail
for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (Debian packages xvfb and openbox)"
        exit 77
    fi
done
folder="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
xvfb=$!
wm=
finish() {
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$folder"
}
trap finish EXIT
for _ in $(seq 100); do
    [[ -s "$folder/display" ]] && break
    sleep 0.1
done
if [[ ! -s "$folder/display" ]]; then
    cat "$folder/xvfb.log" >&2
    echo "windowmanager.sh: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$folder/display")" QT_QPA_PLATFORM=xcb
# openbox runs its start-up command once it manages the screen.
openbox --sm-disable --startup "touch $folder/ready" >"$folder/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
    [[ -e "$folder/ready" ]] && break
    sleep 0.1
done
if [[ ! -e "$folder/ready" ]]; then
    cat "$folder/openbox.log" >&2
    echo "windowmanager.sh: openbox did not start" >&2
    exit 1
fi
"$@"
