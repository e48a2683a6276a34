#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An object copied in one running program is pasted into another through the
# desktop's clipboard, and duplicated there beside itself; the arrow keys
# move it. Run on an X server with a window manager
# (tests/e2e/under-openbox.sh); $1 is the program. What each program holds
# is read from the copy it keeps of its unsaved scene.
set -euo pipefail
program=$1
source "$(dirname "$0")/program-window.sh"
use_scratch_folder
export XDG_CONFIG_HOME=$folder/config

write_scene "$folder/from.brv" absorber begin color=0 x1=50 y1=150 x2=350 y2=150 end
write_scene "$folder/to.brv"

# Each program its own data folder, for its copy of the unsaved scene.
XDG_DATA_HOME=$folder/from-data "$program" "$folder/from.brv" &
pids+=($!)
await_window "${pids[0]}"
from=$window
sleep 2  # the scene opens once the window has its size
find_picture_origin
xdotool mousemove $((originX + 200)) $((originY + 150)) click 1 key ctrl+c

XDG_DATA_HOME=$folder/to-data "$program" "$folder/to.brv" &
pids+=($!)
await_window "${pids[1]}"
sleep 2
xdotool windowactivate --sync "$window" key ctrl+v
await copied "$folder/to-data" 'y1=150' || fail "the absorber was not pasted in the other program"
xdotool key ctrl+d
await copied "$folder/to-data" 'y1=160' || fail "the duplicate did not move aside"
xdotool key shift+Down Left
await copied "$folder/to-data" 'y1=170' || fail "the arrow keys did not move the selection"
copied "$folder/to-data" 'x1=59' || fail "the left arrow did not move it by one pixel"
[[ -z $(find "$folder/from-data" -name 'scene-*.brv') ]] || fail "copying changed the first program's scene"
kill -0 "${pids[0]}" && xdotool getwindowname "$from" >/dev/null
echo "PASS: copied in one program, pasted and duplicated in the other"
