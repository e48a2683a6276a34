#!/usr/bin/env bash
# Runs a command on a virtual 1280 x 1024 screen (Xvfb) managed by openbox, as
# a user's desktop would run the program: the window manager decides the
# main window's frame and size. With --no-window-manager first, the screen
# has none, as a bare X server or a kiosk.
set -euo pipefail
window_manager=yes
if [[ ${1:-} == --no-window-manager ]]; then
    window_manager=
    shift
fi

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
openbox=
cleanup() {
    [[ -n $openbox ]] && kill "$openbox" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -f "$display_file"
}
trap cleanup EXIT

for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
[[ -s $display_file ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

if [[ -z $window_manager ]]; then
    QT_QPA_PLATFORM=xcb "$@"
    exit
fi

openbox --sm-disable >/dev/null 2>&1 &
openbox=$!
# Openbox announces itself on the root window once it manages the screen.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start" >&2; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
