# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the shell tests that drive the program on an X server
# (tests/e2e/under-openbox.sh); sourced, not run.

# A scratch folder, $folder, and the programs started into $pids: at the
# script's exit the programs are killed and the folder removed.
use_scratch_folder() {
    folder=$(mktemp -d)
    pids=()
    trap 'for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done; rm -rf "$folder"' EXIT
}

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

# The main window of the program with this process id, once it shows; the
# id goes to $window.
await_window() {
    window=
    for _ in $(seq 600); do
        window=$(xdotool search --all --onlyvisible --pid "$1" --name '^Brevanto 2.0' 2>/dev/null | head -n1) &&
            [[ -n $window ]] && return 0
        kill -0 "$1" 2>/dev/null || fail "the program ended at start"
        sleep 0.1
    done
    fail "no window"
}

# Where picture pixel (0, 0) of $window lies on the screen, into $originX
# and $originY: the caption tells the mouse's position in picture pixels.
find_picture_origin() {
    local left top caption
    read -r left top < <(xdotool getwindowgeometry --shell "$window" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
    xdotool mousemove $((left + 200)) $((top + 200))
    await bash -c "xdotool getwindowname $window | grep -q 'X='" || fail "no mouse position in the caption"
    caption=$(xdotool getwindowname "$window")
    [[ $caption =~ X=(-?[0-9]+),Y=(-?[0-9]+) ]] || fail "caption \"$caption\""
    originX=$((left + 200 - BASH_REMATCH[1])) originY=$((top + 200 - BASH_REMATCH[2]))
}

# A 400 x 300 scene file, white, with the object lines given (CR LF ends).
write_scene() {
    local file=$1
    shift
    printf '%s\r\n' 'Brevanto 2.0-File' begin screen begin hoehe=300 breite=400 hintergrundfarbe=16777215 end \
        vektorpfeile begin color=0 gitterweite=20 end \
        prgvar begin sellaenge=5 richtungprosel=102 abbruchgenauigkeit=1 maximaleiterationen=50 end \
        linien begin linienabstand=20 iterationslaenge=2 abbruchschwelle=0.01 color=255 maxlaenge=1000 end \
        energiekreise begin color=16711680 gitterweite=20 end \
        hintergrund begin staerke=0 nuroben=0 end "$@" end >"$file"
}

# Whether a copy of an unsaved scene under the data folder holds the text.
copied() { find "$1" -name 'scene-*.brv' -exec grep -l "$2" {} + 2>/dev/null | grep -q .; }
