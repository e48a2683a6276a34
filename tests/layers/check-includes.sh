#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks every #include of the sources against the layer map: a layer may
# include its own headers and those of the layers it builds on, and only the
# Qt layer and main.cpp may include Qt. The build enforces the same for the
# usual "folder/Name.h" form; this also catches relative paths.
set -euo pipefail
cd "$1/src"

allowed() {
    case $1 in
        platform) echo "platform" ;;
        model) echo "platform model" ;;
        radiation) echo "platform model radiation" ;;
        objects) echo "platform model radiation objects" ;;
        display) echo "platform model display" ;;
        measure) echo "platform model radiation objects measure" ;;
        files) echo "platform model radiation objects display files" ;;
        ui) echo "platform model radiation objects display measure files ui" ;;
        cli) echo "platform model radiation objects display measure files ui cli" ;;
    esac
}

status=0
for layer in platform model radiation objects display measure files ui cli; do
    while IFS= read -r line; do
        file=${line%%:*}
        [[ $file == platform/qt/* ]] && continue
        included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
        folder=${included%%/*}
        if [[ $included == ../* || $included == */../* ]]; then
            echo "$file: relative include $included" >&2
            status=1
        elif [[ $included == */* && " $(allowed "$layer") " != *" $folder "* ]]; then
            echo "$file: the $layer layer may not include $included" >&2
            status=1
        fi
    done < <(grep -rn '#include "' "$layer" || true)
    if grep -rln --exclude-dir=qt '#include <Q' "$layer"; then
        echo "the $layer layer includes Qt" >&2
        status=1
    fi
done
exit $status
