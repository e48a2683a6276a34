#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets Brevanto up on Debian 12: installs the Debian packages it needs (only
# those missing), builds it in ./build and then
#   run   starts the program,
#   test  runs the whole test suite, and then again under the sanitizers
#         (scripts/sanitizers.sh).
# Run it as root or with sudo; under sudo the build and the program run as the
# calling user, so ./build stays theirs.
set -euo pipefail

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi
cd "$(dirname "$0")/.."

as_user() {
    if [[ $EUID -eq 0 && -n ${SUDO_USER:-} && $SUDO_USER != root ]]; then
        sudo -u "$SUDO_USER" -- "$@"
    else
        "$@"
    fi
}

# Qt Charts draws the measuring plots; its CMake files need Qt OpenGL's,
# which Debian 12's package does not pull in. FreeType draws the pictures'
# text in DejaVu Sans, which the program carries built in.
packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libgtest-dev
    libbenchmark-dev libfreetype-dev fonts-dejavu-core)
# The tests also check the sources' layout and run clang-tidy over them, run
# the program in a real window under a window manager on a virtual screen,
# have a standard renderer (rsvg-convert) draw the SVG pictures, and run
# under the sanitizers and libFuzzer (clang's; GCC's sanitizer runtimes come
# with g++), and build the Debian package (dpkg-shlibdeps finds its
# dependencies).
if [[ $mode == test ]]; then
    packages+=(clang-format clang-tidy-14 git xvfb xauth openbox xdotool x11-utils clang-14 libclang-rt-14-dev
        librsvg2-bin dpkg-dev)
fi
has_display() { [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; }
# Without a screen the program still starts, on a virtual one.
if [[ $mode == run ]] && ! has_display; then
    packages+=(xvfb xauth)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
    if [[ $EUID -ne 0 ]]; then
        echo "Missing Debian packages: ${missing[*]}. Run this script as root or with sudo." >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Two cores are enough for a build in reasonable time without running out of memory.
# BREVANTO_CMAKE_OPTIONS passes further options on, such as -DBREVANTO_WERROR=ON.
# shellcheck disable=SC2086
as_user cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BREVANTO_CMAKE_OPTIONS:-}
as_user cmake --build build -j 2

if [[ $mode == test ]]; then
    cd build
    # Qt tests need no screen on the offscreen platform.
    as_user env QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2
    cd ..
    # The same suite with the sanitizers, in build directories of their own.
    as_user scripts/sanitizers.sh
elif has_display; then
    as_user build/brevanto
else
    echo "No display found: Brevanto runs on a virtual screen (Xvfb). Stop it with Ctrl+C."
    as_user xvfb-run -a -s "-screen 0 1280x800x24" build/brevanto
fi
