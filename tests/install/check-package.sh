#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a build folder, checks what it holds and what
# it depends on, unpacks it into a scratch folder and starts both programs
# from there: the window program on Qt's offscreen platform until it shows.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
package=$(ls "$scratch"/out/brevanto_*_*.deb)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in usr/bin/brevanto usr/bin/brevanto-cli usr/share/applications/brevanto.desktop \
    usr/share/icons/hicolor/scalable/apps/brevanto.svg usr/share/mime/packages/brevanto.xml \
    usr/share/man/man1/brevanto.1 usr/share/man/man1/brevanto-cli.1 usr/share/doc/brevanto/copyright; do
    grep -qx "./$file" <<<"$contents" || fail "not in the package: $file"
done
[[ $(dpkg-deb -f "$package" Package) == brevanto ]] || fail "package name"
for library in libqt6widgets6 libqt6charts6 libqt6svg6 libfreetype6; do
    dpkg-deb -f "$package" Depends | grep -q "$library" || fail "no dependency on $library"
done

dpkg-deb -x "$package" "$scratch/root"
grep -q "GPL-3.0-or-later" <("$scratch/root/usr/bin/brevanto-cli" --version) || fail "brevanto-cli --version"
grep -q "GPL-3.0-or-later" <("$scratch/root/usr/bin/brevanto" --version) || fail "brevanto --version"
grep -q "GNU GENERAL PUBLIC LICENSE" "$scratch/root/usr/share/doc/brevanto/copyright" || fail "copyright"
grep -q '^\.TH BREVANTO-CLI 1 .*"Brevanto [0-9]' "$scratch/root/usr/share/man/man1/brevanto-cli.1" || fail "man page"
"$scratch/root/usr/bin/brevanto-cli" --verify >/dev/null || fail "brevanto-cli --verify"
# Runs until it is stopped: it started and shows its window.
mkdir -p "$scratch/home"
status=0
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home XDG_DATA_HOME=$scratch/home QT_QPA_PLATFORM=offscreen \
    timeout 5 "$scratch/root/usr/bin/brevanto" >/dev/null 2>&1 || status=$?
[[ $status == 124 ]] || fail "brevanto ended with status $status instead of running"
echo "packaged: $(basename "$package"), both programs start from it"
