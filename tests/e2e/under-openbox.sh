#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
# Without the caller's output: a server left behind must not keep a test
# runner waiting for the end of it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
openbox=
# Each step runs whatever the one before it gave: an openbox already gone
# must not leave the server running.
cleanup() {
    if [[ -n $openbox ]]; then kill "$openbox" 2>/dev/null || true; fi
    kill "$xvfb" 2>/dev/null || true
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
