#!/usr/bin/env bash
# Makes the downloads for Windows users from the current commit:
#   dist/quillet-<version>-win32.zip (and .sha256)   the 32-bit program, for every Windows
#   dist/quillet-<version>-win64.zip (and .sha256)   the 64-bit program
# each holding quillet.exe and a read-me in Chinese. Each program is built twice from the
# exported commit, in two folders of different names; the two must be the same bytes, or
# no zip is made.
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

build_copy() {  # toolchain folder
  local dir="$work/$2"
  mkdir -p "$dir"
  cp -a "$work/src" "$dir/src"
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release "${host_args[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/$1.cmake" >"$dir/build.log"
  cmake --build "$dir/build" -j "$(nproc)" --target quillet >>"$dir/build.log" 2>&1 ||
    { tail -n 30 "$dir/build.log" >&2; exit 1; }
}

version=$(sed -n 's/^project(quillet VERSION \([0-9.]*\) .*/\1/p' "$work/src/CMakeLists.txt")
stamp=$(git -C "$root" log -1 --format=%cd --date=format:'%Y %m %d %H %M %S')
mkdir -p "$root/dist"
echo "release: building $(git -C "$root" rev-parse --short HEAD) twice for each Windows"
for kind in win32:mingw-w64-i686 win64:mingw-w64-x86_64; do
  name="quillet-$version-${kind%%:*}"
  build_copy "${kind#*:}" "$name"
  build_copy "${kind#*:}" "$name-second-copy"
  exe="$work/$name/build/quillet.exe"
  if ! cmp -s "$exe" "$work/$name-second-copy/build/quillet.exe"; then
    echo "release: the two builds of $name differ" >&2
    exit 1
  fi
  echo "release: both builds of $name give the same quillet.exe, sha256 $(sha256sum "$exe" | cut -d' ' -f1)"
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
host=$(sed -n 's/^QUILLET_SERVICE_HOST:STRING=//p' "$work/quillet-$version-win64/build/CMakeCache.txt")
case "$host" in
  *.example) echo "release: the links open the placeholder host $host, not a real site (give --host NAME)" ;;
  *) echo "release: the links open $host" ;;
esac
