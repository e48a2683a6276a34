#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# On an X server without a window manager (tests/e2e/under-openbox.sh
# --no-window-manager), the program's window has the keyboard from the start:
# Ctrl+O, pressed before any click, opens the file dialog. $1 is the program.
set -euo pipefail
program=$(realpath "$1")
folder=$(mktemp -d)
pid=
cleanup() {
    [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT
export XDG_DATA_HOME=$folder/data XDG_CONFIG_HOME=$folder/config HOME=$folder

windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
"$program" 2>"$folder/stderr" &
pid=$!
for _ in $(seq 300); do (($(windows) >= 1)) && break; sleep 0.1; done
(($(windows) >= 1)) || { echo "FAIL: the window did not show" >&2; exit 1; }
sleep 1  # the window maps and takes the focus
xdotool key ctrl+o
for _ in $(seq 100); do (($(windows) >= 2)) && break; sleep 0.1; done
(($(windows) >= 2)) || { echo "FAIL: Ctrl+O before any click opened no dialog" >&2; exit 1; }
echo "the window has the keyboard from the start"
