#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The test suite under the sanitizers, each build in a directory of its own:
#   asan  everything with AddressSanitizer and UndefinedBehaviorSanitizer (any
#         undefined behaviour is an error) in build-asan; the whole suite runs.
#   tsan  everything with ThreadSanitizer in build-tsan; the whole suite runs
#         on four threads, the window's tests under a window manager among
#         them.
#   fuzz  the fuzz targets under libFuzzer in build-fuzz, a few seconds each.
#   scripts/sanitizers.sh [asan|tsan|fuzz ...]    (all three unless named)
# BREVANTO_ASAN_DIR, BREVANTO_TSAN_DIR and BREVANTO_FUZZ_DIR choose other
# build directories. The benchmarks are left out. scripts/setup.sh test runs
# this after the normal suite; BREVANTO_CMAKE_OPTIONS passes further options
# on. ccache is used when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
parts=("$@")
((${#parts[@]})) || parts=(asan tsan fuzz)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# Builds everything with the preset $1 (CMakePresets.json) in the directory $2.
# shellcheck disable=SC2086
build() {
    local preset=$1 dir=$2
    cmake --preset "$preset" -B "$dir" "${launcher[@]}" ${BREVANTO_CMAKE_OPTIONS:-} >/dev/null
    cmake --build "$dir" -j 2
}

asan() {
    local dir=${BREVANTO_ASAN_DIR:-build-asan}
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer: the whole suite"
    build asan "$dir"
    (
        cd "$dir"
        export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
        # The recorded checksums are of the normal build's results: under the
        # instrumentation GCC computes some field values differently in their
        # ninth digit (the pictures stay the same), so they are not compared
        # here. The command-line tests still run every example.
        QT_QPA_PLATFORM=offscreen ctest -j 2 --output-on-failure -E '^ReferenceOutputs'
    )
}

tsan() {
    local dir=${BREVANTO_TSAN_DIR:-build-tsan}
    echo "== ThreadSanitizer: the whole suite on four threads"
    build tsan "$dir"
    (
        cd "$dir"
        export BREVANTO_THREADS=4 QT_QPA_PLATFORM=offscreen
        # die_after_fork=0: the window test starts the command-line tool and
        # xdotool with QProcess, and ThreadSanitizer would end that child of a
        # process with threads before it reaches exec.
        export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0"
        TSAN_OPTIONS+=":suppressions=$root/tests/sanitizers/tsan.supp"
        # ThreadSanitizer cannot map its shadow memory under the kernel's
        # randomized address layout; setarch -R turns it off for ctest and
        # everything it starts. The stop after 200 ms that lets the iteration
        # finish and stops the arrows needs the normal build's speed.
        setarch "$(uname -m)" -R ctest -j 2 --output-on-failure \
            -E '^DisplayCommandsTest.LongWorkIsAskedForFirstAndCanBeStopped$'
    )
}

fuzz() {
    echo "== libFuzzer: each fuzz target for a few seconds"
    scripts/fuzz.sh 10
}

for part in "${parts[@]}"; do
    case $part in
        asan | tsan | fuzz) "$part" ;;
        *)
            echo "usage: $0 [asan|tsan|fuzz ...]" >&2
            exit 2
            ;;
    esac
done
