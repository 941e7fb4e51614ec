#!/usr/bin/env bash
# Makes the downloads for Windows users from the current commit:
#   dist/quillet-<version>-win32.zip (and .sha256)   the 32-bit program, for every Windows
#   dist/quillet-<version>-win64.zip (and .sha256)   the 64-bit program
#   dist/quillet_<version>_amd64.deb (and .sha256)   the 64-bit program for Linux
#                                                    desktops, under Wine
# each zip holding quillet.exe and a read-me in Chinese. Each program and the package are
# built twice from the exported commit, in two folders of different names; the two must
# be the same bytes, or no zip or package is made.
#   scripts/release.sh [--host NAME]   NAME: the service site's host (default: the
#                                      placeholder the build has)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host_args=()
case "${1:-}" in
  --host) host_args=(-DQUILLET_SERVICE_HOST="${2:?release.sh: --host needs a name}") ;;
  "") ;;
  *) echo "usage: scripts/release.sh [--host NAME]" >&2; exit 2 ;;
esac
"$root/scripts/setup.sh" test
work="$root/build/release"
rm -rf "$work"
mkdir -p "$work/src"
git -C "$root" archive HEAD | tar -x -C "$work/src"

build_copy() {  # toolchain folder target...
  local dir="$work/$2"
  mkdir -p "$dir"
  cp -a "$work/src" "$dir/src"
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release "${host_args[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/$1.cmake" >"$dir/build.log"
  cmake --build "$dir/build" -j "$(nproc)" --target "${@:3}" >>"$dir/build.log" 2>&1 ||
    { tail -n 30 "$dir/build.log" >&2; exit 1; }
}

# Ends the release unless the file $2 of the build $1 is the same in both copies.
same_in_both_copies() {  # name file
  if ! cmp -s "$work/$1/build/$2" "$work/$1-second-copy/build/$2"; then
    echo "release: the two builds of $1 give different $2" >&2
    exit 1
  fi
  echo "release: both builds of $1 give the same $2, sha256 $(sha256sum "$work/$1/build/$2" | cut -d' ' -f1)"
}

version=$(sed -n 's/^project(quillet VERSION \([0-9.]*\) .*/\1/p' "$work/src/CMakeLists.txt")
stamp=$(git -C "$root" log -1 --format=%cd --date=format:'%Y %m %d %H %M %S')
# The package's dates; the exported tree has no history to take them from.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
mkdir -p "$root/dist"
echo "release: building $(git -C "$root" rev-parse --short HEAD) twice for each Windows"
for kind in win32:mingw-w64-i686 win64:mingw-w64-x86_64; do
  name="quillet-$version-${kind%%:*}"
  targets=(quillet)
  [ "${kind%%:*}" != win64 ] || targets+=(deb)
  build_copy "${kind#*:}" "$name" "${targets[@]}"
  build_copy "${kind#*:}" "$name-second-copy" "${targets[@]}"
  same_in_both_copies "$name" quillet.exe
  exe="$work/$name/build/quillet.exe"
  zip="$root/dist/$name.zip"
  # Entries carry the commit's time, so the zip too is the same for the same commit.
  python3 - "$zip" "$name" "$exe" "$work/src/scripts/release-readme.txt" "$stamp" <<'PY'
import sys, zipfile
zip_path, folder, exe, readme, stamp = sys.argv[1:]
when = tuple(int(part) for part in stamp.split())
# Notepad opens the read-me as UTF-8 by its byte-order mark; Windows lines end in CR LF.
text = open(readme, encoding="utf-8").read().replace("\n", "\r\n")
entries = [("quillet.exe", open(exe, "rb").read()), ("README.txt", "\ufeff".encode() + text.encode())]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as archive:
    for name, data in entries:
        info = zipfile.ZipInfo(f"{folder}/{name}", when)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        archive.writestr(info, data)
PY
  (cd "$root/dist" && sha256sum "$name.zip" >"$name.zip.sha256")
  echo "release: $zip"
  cat "$zip.sha256"
done
# The package for Linux desktops, of the 64-bit program in the zip above.
deb="quillet_${version}_amd64.deb"
same_in_both_copies "quillet-$version-win64" "$deb"
cp "$work/quillet-$version-win64/build/$deb" "$root/dist/$deb"
(cd "$root/dist" && sha256sum "$deb" >"$deb.sha256")
echo "release: $root/dist/$deb"
cat "$root/dist/$deb.sha256"
host=$(sed -n 's/^QUILLET_SERVICE_HOST:STRING=//p' "$work/quillet-$version-win64/build/CMakeCache.txt")
case "$host" in
  *.example) echo "release: the links open the placeholder host $host, not a real site (give --host NAME)" ;;
  *) echo "release: the links open $host" ;;
esac
