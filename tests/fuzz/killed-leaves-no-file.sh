#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A smoke run killed with SIGKILL, as ctest kills one that runs out of time,
# leaves nothing in its TMPDIR.
# Regression test: each run wrote its inputs to TMPDIR/brevanto-fuzz-PID.brv
# and removed it only when it ended normally.
#   killed-leaves-no-file.sh SMOKE-PROGRAM SEED-FOLDER...
set -euo pipefail
program=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"

TMPDIR=$work/tmp "$program" --seconds=120 "$@" >/dev/null &
run=$!
# Past the seeds and into the mutations, even under a sanitizer.
sleep 3
kill -KILL "$run" || { echo "the smoke run ended before it was killed" >&2; exit 1; }
wait "$run" 2>/dev/null || true

left=$(ls -A "$work/tmp")
if [[ -n $left ]]; then
    echo "left in TMPDIR: $left" >&2
    exit 1
fi
