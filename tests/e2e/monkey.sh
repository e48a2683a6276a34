#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A monkey at the keyboard and mouse: random clicks, drags, double clicks,
# keys, typed numbers and menu choices for a while, on an X server with a
# window manager (tests/e2e/under-openbox.sh). The program must not crash,
# report anything under a sanitizer or stop answering, and the scene it holds
# at the end must load. $1 is the program, $2 the command-line tool, $3 the
# scene to start with. BREVANTO_MONKEY_SECONDS sets the time (30 s),
# BREVANTO_MONKEY_SEED the seed of a run to repeat.
set -euo pipefail
program=$(realpath "$1") cli=$(realpath "$2") start=$(realpath "$3")
seconds=${BREVANTO_MONKEY_SECONDS:-30}
seed=${BREVANTO_MONKEY_SEED:-$((RANDOM * 32768 + RANDOM))}
RANDOM=$seed
echo "monkey: seed $seed, $seconds s"

folder=$(mktemp -d)
pid=
cleanup() {
    [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT
fail() {
    echo "FAIL (seed $seed): $*" >&2
    [[ -s $folder/stderr ]] && tail -n 40 "$folder/stderr" >&2
    exit 1
}
# The program's copies of unsaved scenes and its settings stay in the folder,
# and so does whatever a dialog saves.
export XDG_DATA_HOME=$folder/data XDG_CONFIG_HOME=$folder/config HOME=$folder
cd "$folder"
cp "$start" scene.brv

window= left= top= width= height=
launch() {
    "$program" scene.brv 2>>"$folder/stderr" &
    pid=$!
    window=
    # Within a minute: a program under a sanitizer starts slowly.
    for _ in $(seq 600); do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Brevanto 2.0' 2>/dev/null | head -n1) &&
            [[ -n $window ]] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended at start"
        sleep 0.1
    done
    [[ -n $window ]] || fail "no window"
    eval "$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/\1=/p')"
    left=$X top=$Y width=$WIDTH height=$HEIGHT
}
# A program that ended by itself ("Quit" was chosen) must have ended well.
check_alive() {
    kill -0 "$pid" 2>/dev/null && return 0
    local status=0
    wait "$pid" || status=$?
    pid=
    ((status == 0)) || fail "the program ended with status $status"
    launch
}
point() { echo $((left + RANDOM % width)) $((top + 30 + RANDOM % (height - 30))); }
# Menus after "File", whose file dialogs could write anywhere.
menu_point() { echo $((left + 40 + RANDOM % 420)) $((top + 8)); }
keys=(Escape Return Tab space Delete m ctrl+z ctrl+y ctrl+shift+z F1 Up Down BackSpace)

launch
actions=0
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
    check_alive
    case $((RANDOM % 12)) in
        0 | 1 | 2) read -r x y < <(point); xdotool mousemove "$x" "$y" click 1 ;;
        3 | 4)
            read -r x y < <(point)
            read -r x2 y2 < <(point)
            xdotool mousemove "$x" "$y" mousedown 1 mousemove $(((x + x2) / 2)) $(((y + y2) / 2)) \
                mousemove "$x2" "$y2" mouseup 1
            ;;
        5) read -r x y < <(point); xdotool mousemove "$x" "$y" click --repeat 2 1 ;;
        6 | 7) xdotool key "${keys[RANDOM % ${#keys[@]}]}" ;;
        8) xdotool type -- "$((RANDOM % 3 - 1))$((RANDOM % 1000))" ;;
        9 | 10 | 11)
            read -r x y < <(menu_point)
            xdotool mousemove "$x" "$y" click 1
            sleep 0.1
            xdotool mousemove "$x" $((y + 20 + RANDOM % 300)) click 1
            ;;
    esac
    ((++actions))
    sleep 0.05
done
check_alive
echo "monkey: $actions actions"

# Still answering: once the dialogs are closed and a computation is
# cancelled, the caption follows the mouse from point to point. A dialog
# that refuses what the monkey typed and has no Cancel is filled with a
# number every field takes, one field after the other.
answered=false
caption() { xdotool getwindowname "$window" 2>/dev/null || true; }
for _ in $(seq 60); do
    before=$(caption)
    read -r x y < <(point)
    xdotool mousemove "$x" "$y"
    sleep 0.5
    after=$(caption)
    if [[ $after == *"X="* && $after != "$before" ]]; then
        answered=true
        break
    fi
    xdotool key Escape sleep 0.2 key Return sleep 0.2 key ctrl+a type 100
    xdotool key Tab
done
$answered || fail "the program does not answer"
check_alive

# The scene as the program holds it: its copy of unsaved changes, or the
# file it opened.
held=$(find "$XDG_DATA_HOME" -name "scene-$pid.brv" 2>/dev/null | head -n1)
held=${held:-scene.brv}
status=0
"$cli" "$held" --max-seconds 5 >/dev/null 2>"$folder/cli" || status=$?
((status == 0 || status == 3)) || fail "the scene held at the end does not load: $(cat "$folder/cli")"
kill -9 "$pid"
pid=
if grep -E 'Sanitizer|runtime error' "$folder/stderr" >&2; then fail "a sanitizer reported"; fi
echo "PASS: the program survived the monkey"
