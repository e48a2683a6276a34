#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the repository's .clang-tidy over the program's
# sources (src/), with the compile commands of a build, two files at a
# time; any finding fails.
#   tests/clang-tidy.sh SOURCE_DIR BUILD_DIR [FILE...]
# FILE... (paths under SOURCE_DIR) checks only those.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shift 2
tidy=clang-tidy-14
if ! command -v "$tidy" >/dev/null; then
    echo "$tidy is missing: install the Debian package clang-tidy-14 (scripts/setup.sh test does)" >&2
    exit 1
fi
cd "$source_dir"
if (($#)); then
    files=("$@")
else
    mapfile -t files < <(find src -name '*.cpp' | sort)
fi
# Clang does not know some of GCC's warning options in the compile commands.
# Each file's findings are printed together, once it is done.
# shellcheck disable=SC2016
if ! printf '%s\0' "${files[@]}" | xargs -0 -P 2 -n 1 sh -c \
    'out=$("$0" -p "$1" --quiet --extra-arg=-Wno-unknown-warning-option "$2" 2>&1) || { printf "%s\n" "$out"; exit 1; }' \
    "$tidy" "$build_dir"; then
    echo "clang-tidy has findings (above); .clang-tidy says which checks run" >&2
    exit 1
fi
echo "clang-tidy finds nothing in ${#files[@]} files"
