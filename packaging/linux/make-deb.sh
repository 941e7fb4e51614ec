#!/usr/bin/env bash
# Makes the Debian package that brings the 64-bit program to Linux desktops:
#   packaging/linux/make-deb.sh EXE VERSION HOST DEB
# EXE is the 64-bit quillet.exe, VERSION its version, HOST the service site's host it
# was built for (the site's root, which its first link opens, is the homepage the
# software centres show) and DEB the package to write. Every date in it is SOURCE_DATE_EPOCH (by default the time of the tree's last
# commit), so the same program and tree give the same bytes.
set -euo pipefail
usage="usage: packaging/linux/make-deb.sh EXE VERSION HOST DEB"
exe=${1:?$usage}
version=${2:?$usage}
host=${3:?$usage}
deb=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
: "${SOURCE_DATE_EPOCH:=$(git -C "$root" log -1 --format=%ct)}"
export SOURCE_DATE_EPOCH

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
umask 022

# The program, its launcher and what they use, each with its mode.
lib=usr/lib/quillet share=usr/share doc=usr/share/doc/quillet
install -D -m 755 "$here/quillet" "$stage/usr/bin/quillet"
install -D -m 755 "$here/open-url" "$stage/usr/libexec/quillet/open-url"
install -D -m 644 "$root/scripts/wine-common.sh" "$stage/$lib/wine-common.sh"
install -D -m 644 "$here/window.tcl" "$stage/$lib/window.tcl"
install -D -m 644 "$exe" "$stage/$lib/quillet.exe"
install -D -m 644 "$here/org.example.quillet.desktop" "$stage/$share/applications/org.example.quillet.desktop"
for size in 16 32 48 64 128; do
  mkdir -p "$stage/$share/icons/hicolor/${size}x$size/apps"
  python3 "$here/icon-png.py" "$root/res/quillet.ico" "$size" "$stage/$share/icons/hicolor/${size}x$size/apps/quillet.png"
done

size=
day=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)
substitute() {  # template target
  sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$day/g" -e "s/@SIZE@/$size/g" -e "s/@HOST@/$host/g" \
      -e "s/@CHANGELOG_DATE@/$(date -u -R -d "@$SOURCE_DATE_EPOCH")/g" "$1" >"$2"
}
mkdir -p "$stage/$share/metainfo" "$stage/$share/man/man1" "$stage/$doc" "$stage/DEBIAN"
substitute "$here/org.example.quillet.metainfo.xml.in" "$stage/$share/metainfo/org.example.quillet.metainfo.xml"
substitute "$here/quillet.1" "$stage/$share/man/man1/quillet.1"
substitute "$here/changelog.in" "$stage/$doc/changelog"
gzip -9n "$stage/$share/man/man1/quillet.1" "$stage/$doc/changelog"
# The machine-readable copyright file, around the project's own licence text.
{
  printf '%s\n' "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "Upstream-Name: quillet" "" "Files: *" \
    "Copyright: $(sed -n 's/^Copyright (c) //p' "$root/LICENSE")" "License: MIT"
  sed -e '1,/^Copyright/d' -e 's/^$/./' -e 's/^/ /' "$root/LICENSE" | sed '1{/^ \.$/d}'
} >"$stage/$doc/copyright"

# Installed-Size in KiB, each file rounded up as dpkg counts it.
size=$(find "$stage" -path "$stage/DEBIAN" -prune -o -type f -printf '%s\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
substitute "$here/control.in" "$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
mkdir -p "$(dirname "$deb")"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
