#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks that the programs, the
# desktop entry, the icon and the scene files' type land where Debian's
# desktops look for them, and that they refer to each other.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/brevanto bin/brevanto-cli share/applications/brevanto.desktop \
    share/icons/hicolor/scalable/apps/brevanto.svg share/mime/packages/brevanto.xml; do
    [[ -e $prefix/$file ]] || { echo "not installed: $file" >&2; exit 1; }
done
desktop=$prefix/share/applications/brevanto.desktop
grep -qx 'Exec=brevanto %f' "$desktop"
grep -qx 'Icon=brevanto' "$desktop"
type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$desktop")
grep -q "type=\"$type\"" "$prefix/share/mime/packages/brevanto.xml"
grep -q 'glob pattern="\*.brv"' "$prefix/share/mime/packages/brevanto.xml"
"$prefix/bin/brevanto-cli" --help >/dev/null
echo "installed: programs, desktop entry, icon and the type $type of *.brv"
