#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ source, CMake file and shell script of the repository names the
# project's licence in an SPDX line among its first two lines.
set -euo pipefail
cd "$1"
sources() {
    if git rev-parse --git-dir >/dev/null 2>&1; then
        git ls-files --cached --others --exclude-standard
    else
        find . -path './build*' -prune -o -path './release' -prune -o -type f -print | sed 's|^\./||'
    fi | grep -E '(\.(cpp|h|sh|cmake)|CMakeLists\.txt|^\.ci/run)$'
}
missing=0
while read -r file; do
    head -n 2 "$file" | grep -q '^\(//\|#\) SPDX-License-Identifier: GPL-3.0-or-later$' && continue
    echo "$file has no SPDX line for GPL-3.0-or-later" >&2
    missing=1
done < <(sources)
exit $missing
