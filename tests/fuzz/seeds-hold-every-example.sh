#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The fuzzers' one seed folder links every example and every scene of
# tests/data, so that a new one is fuzzed from the start.
#   seeds-hold-every-example.sh SOURCE-DIR
set -euo pipefail
cd "$1"
status=0
for scene in examples/*.brv tests/data/*.brv; do
    if [[ ! tests/fuzz/seeds/${scene##*/} -ef $scene ]]; then
        echo "tests/fuzz/seeds/${scene##*/} is not a link to $scene" >&2
        status=1
    fi
done
exit $status
