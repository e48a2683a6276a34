#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of docs/images/ that the README shows: the program on
# a virtual 1280 x 1024 screen with a window manager (tests/e2e/under-openbox.sh),
# driven through the X server with xdotool as a user would drive it, and the
# screen captured with ImageMagick's import.
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build}" && pwd)
if [[ -z ${BREVANTO_SCREENSHOTS_INSIDE:-} ]]; then
    BREVANTO_SCREENSHOTS_INSIDE=1 exec "$source_dir/tests/e2e/under-openbox.sh" "$0" "$build"
fi

# The scenes by their paths in the repository, as the status line shows them.
cd "$source_dir"
images=docs/images
mkdir -p "$images"
pid=

# The menu bar's titles, in screen pixels of the maximised window, and the
# drawing area's top left corner.
menu_y=28
graphical_x=270
parameters_x=450
area_y=38

stop() {
    if [[ -n $pid ]]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    pid=
}
trap stop EXIT

start() {
    "$build/brevanto" "$1" &
    pid=$!
    xdotool search --sync --onlyvisible --name '^Brevanto 2.0' >/dev/null
    sleep 2
}

# Waits until the progress window of a computation or a display has closed.
settle() {
    sleep 1
    while xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; do sleep 0.5; done
    sleep 1
}

# Opens the menu whose title lies at x and walks it with the keys given.
menu() {
    local x=$1
    shift
    xdotool mousemove "$x" "$menu_y" click 1
    sleep 0.5
    xdotool key --delay 150 "$@"
}

shoot() {
    xdotool mousemove 1279 1023
    sleep 0.5
    import -window root "$images/$1"
    echo "wrote $images/$1"
}

# "Graphical representation " > "Energy density" > "Diffuseness": the
# beams of a splitter cross, and only there the light is not one beam.
start examples/beam-shadow-and-splitter.brv
menu "$graphical_x" Down Down Right Down Return
settle
shoot diffuseness-map.png
stop

# "Parameters" > "Energy density map": logarithmic; then the map, and the
# light meter ("M") at a point lit by the lamp, its reflector and the ring.
start examples/lamp-reflector-and-frosted-ring.brv
menu "$parameters_x" Down Down Down Down Down Down Down Down Return
sleep 1
xdotool key --delay 150 Tab Down Return
sleep 1
menu "$graphical_x" Down Down Right Down Down Return
settle
shoot energy-density-map.png
xdotool key m
xdotool mousemove 520 $((area_y + 250)) click 1
settle
shoot light-meter.png
stop
