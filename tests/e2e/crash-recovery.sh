#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program killed after an edit (kill -9, as a crash or a power cut would
# end it) offers the edited scene at its next start. Run on an X server with a
# window manager (tests/e2e/under-openbox.sh); $1 is the program.
set -euo pipefail
program=$1
source "$(dirname "$0")/program-window.sh"
use_scratch_folder
export XDG_DATA_HOME=$folder/data XDG_CONFIG_HOME=$folder/config

# A 400 x 300 scene with an absorber across it at y = 150.
scene=$folder/scene.brv
write_scene "$scene" absorber begin color=0 x1=50 y1=150 x2=350 y2=150 end

"$program" "$scene" &
pids+=($!)
await_window "${pids[0]}"
sleep 2  # the scene opens once the window has its size
find_picture_origin

# The absorber dragged 50 pixels down in the "Select" mode.
xdotool mousemove $((originX + 200)) $((originY + 150)) mousedown 1 \
    mousemove $((originX + 200)) $((originY + 175)) mousemove $((originX + 200)) $((originY + 200)) mouseup 1
await copied "$XDG_DATA_HOME" 'y1=200' || fail "no copy of the edited scene"
kill -9 "${pids[0]}"
wait "${pids[0]}" 2>/dev/null || true
copied "$XDG_DATA_HOME" 'y1=200' || fail "the copy went with the program"

# Started again: asked, and Yes restores the edited scene, unsaved, which
# this program now keeps as its own copy.
"$program" &
pids+=($!)
# The question shows in a window of its own beside the main window.
await bash -c "(( \$(xdotool search --all --onlyvisible --pid ${pids[1]} --name '^Brevanto 2.0' | wc -l) >= 2 ))" ||
    fail "no question"
sleep 0.5
xdotool key alt+y
await bash -c "find '$XDG_DATA_HOME' -name 'scene-${pids[1]}.brv' -exec grep -q 'y1=200' {} \\;  -print | grep -q ." ||
    fail "the edited scene was not restored"
[[ -z $(find "$XDG_DATA_HOME" -name "scene-${pids[0]}.brv") ]] || fail "the old copy is offered again"
echo "PASS: the edit made before the kill came back"
