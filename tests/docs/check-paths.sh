#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every path that docs/DEVELOPING.md names between backticks exists: a file
# or folder of the repository, or a unit under src/ named without its
# extension (`display/Legend`). Build folders and files that builds or runs
# make are left out.
set -euo pipefail
root=$1
cd "$root"
missing=0
while read -r path; do
    path=${path%%:*}  # `file.cpp:123`
    path=${path%/}
    skipped='^(build|release|build-[a-z]+|~|/)|[$*<]|\.\.\.|^[A-Z_]+='
    [[ $path =~ $skipped ]] && continue
    for candidate in "$path" "src/$path" "src/$path.h" "src/$path.cpp" "$path.h" "$path.cpp"; do
        [[ -e $candidate ]] && continue 2
    done
    echo "docs/DEVELOPING.md names $path, which does not exist" >&2
    missing=1
done < <(grep -o '`[^` ]*/[^` ]*`' docs/DEVELOPING.md | tr -d '`' | sort -u)
exit $missing
