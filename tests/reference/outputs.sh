#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares what brevanto-cli writes for the example scenes, the every-kind
# fixture and the benchmark's standard scene (the arrows' field as CSV and
# every display as a bitmap) with the checksums recorded in reference.sha256.
#   outputs.sh CLI SOURCE_DIR           check, print every difference
#   outputs.sh CLI SOURCE_DIR --record  write reference.sha256 anew
# BREVANTO_THREADS, when set, is passed on: the bytes must not depend on it.
set -euo pipefail

cli=$1
source_dir=$2
mode=${3:-check}
reference="$source_dir/tests/reference/reference.sha256"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scenes=("$source_dir"/examples/*.brv "$source_dir/tests/data/every-kind.brv" "$source_dir/bench/standard-scene.brv")
for scene in "${scenes[@]}"; do
    name=$(basename "$scene" .brv)
    "$cli" "$scene" --field "$work/$name.field.csv" >/dev/null
    for display in arrows streamlines circles scene; do
        "$cli" "$scene" --render "$display" --out "$work/$name.$display.bmp" >/dev/null
    done
done

(cd "$work" && sha256sum -- *.csv *.bmp) >"$work/actual.sha256"
if [[ $mode == --record ]]; then
    cp "$work/actual.sha256" "$reference"
    echo "recorded $(wc -l <"$reference") checksums in $reference"
    exit 0
fi
if ! diff -u "$reference" "$work/actual.sha256"; then
    echo "brevanto-cli's outputs differ from the recorded ones (lines marked + are today's)." >&2
    exit 1
fi
echo "all $(wc -l <"$reference") outputs equal the recorded ones"
