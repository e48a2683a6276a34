#!/usr/bin/env bash
# The program killed after an edit (kill -9, as a crash or a power cut would
# end it) offers the edited scene at its next start. Run on an X server with a
# window manager (tests/e2e/under-openbox.sh); $1 is the program.
set -euo pipefail
program=$1
folder=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$folder"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Waits up to a minute (a program under a sanitizer is slow) for a command to
# succeed.
await() {
    for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
    return 1
}
export XDG_DATA_HOME=$folder/data XDG_CONFIG_HOME=$folder/config

# A 400 x 300 scene with an absorber across it at y = 150.
scene=$folder/scene.brv
printf '%s\r\n' 'Brevanto 2.0-File' begin screen begin hoehe=300 breite=400 hintergrundfarbe=16777215 end \
    vektorpfeile begin color=0 gitterweite=20 end \
    prgvar begin sellaenge=5 richtungprosel=102 abbruchgenauigkeit=1 maximaleiterationen=50 end \
    linien begin linienabstand=20 iterationslaenge=2 abbruchschwelle=0.01 color=255 maxlaenge=1000 end \
    energiekreise begin color=16711680 gitterweite=20 end \
    hintergrund begin staerke=0 nuroben=0 end \
    absorber begin color=0 x1=50 y1=150 x2=350 y2=150 end end >"$scene"

"$program" "$scene" &
pids+=($!)
# The window, within a minute (a program under a sanitizer starts slowly).
for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^Brevanto 2.0' 2>/dev/null | head -n1) && [[ -n $window ]] && break
    kill -0 "${pids[0]}" 2>/dev/null || fail "the program ended at start"
    sleep 0.1
done
[[ -n $window ]] || fail "no window"
sleep 2  # the scene opens once the window has its size

# Where the picture lies on the screen: the caption tells the mouse's
# position in picture pixels.
read -r left top < <(xdotool getwindowgeometry --shell "$window" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
xdotool mousemove $((left + 200)) $((top + 200))
await bash -c "xdotool getwindowname $window | grep -q 'X='" || fail "no mouse position in the caption"
caption=$(xdotool getwindowname "$window")
[[ $caption =~ X=(-?[0-9]+),Y=(-?[0-9]+) ]] || fail "caption \"$caption\""
originX=$((left + 200 - BASH_REMATCH[1])) originY=$((top + 200 - BASH_REMATCH[2]))

# The absorber dragged 50 pixels down in the "Select" mode.
xdotool mousemove $((originX + 200)) $((originY + 150)) mousedown 1 \
    mousemove $((originX + 200)) $((originY + 175)) mousemove $((originX + 200)) $((originY + 200)) mouseup 1
copied() { find "$XDG_DATA_HOME" -name 'scene-*.brv' -exec grep -l "$1" {} + 2>/dev/null | grep -q .; }
await copied 'y1=200' || fail "no copy of the edited scene"
kill -9 "${pids[0]}"
wait "${pids[0]}" 2>/dev/null || true
copied 'y1=200' || fail "the copy went with the program"

# Started again: asked, and Yes restores the edited scene, unsaved, which
# this program now keeps as its own copy.
"$program" &
pids+=($!)
# The question shows in a window of its own beside the main window.
await bash -c "(( \$(xdotool search --onlyvisible --pid ${pids[1]} --name '^Brevanto 2.0' | wc -l) >= 2 ))" ||
    fail "no question"
sleep 0.5
xdotool key alt+y
await bash -c "find '$XDG_DATA_HOME' -name 'scene-${pids[1]}.brv' -exec grep -q 'y1=200' {} \\;  -print | grep -q ." ||
    fail "the edited scene was not restored"
[[ -z $(find "$XDG_DATA_HOME" -name "scene-${pids[0]}.brv") ]] || fail "the old copy is offered again"
echo "PASS: the edit made before the kill came back"
