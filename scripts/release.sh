#!/usr/bin/env bash
# Makes the download for Windows users from the current commit:
#   dist/quillet-<version>-win64.zip      quillet.exe and a read-me in Chinese
#   dist/quillet-<version>-win64.zip.sha256
# The commit is exported and built twice, in two folders of different names; the two
# quillet.exe must be the same bytes, or no zip is made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
work="$root/build/release"
rm -rf "$work"

build_copy() {  # folder
  local dir="$work/$1"
  mkdir -p "$dir/src"
  git -C "$root" archive HEAD | tar -x -C "$dir/src"
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-w64-x86_64.cmake" >"$dir/build.log"
  cmake --build "$dir/build" -j "$(nproc)" --target quillet >>"$dir/build.log" 2>&1 ||
    { tail -n 30 "$dir/build.log" >&2; exit 1; }
}
echo "release: building $(git -C "$root" rev-parse --short HEAD) twice"
build_copy first
build_copy second-copy
src="$work/first/src"
exe="$work/first/build/quillet.exe"
if ! cmp -s "$exe" "$work/second-copy/build/quillet.exe"; then
  echo "release: the two builds of quillet.exe differ" >&2
  exit 1
fi
echo "release: both builds give the same quillet.exe, sha256 $(sha256sum "$exe" | cut -d' ' -f1)"

version=$(sed -n 's/^project(quillet VERSION \([0-9.]*\) .*/\1/p' "$src/CMakeLists.txt")
name="quillet-$version-win64"
mkdir -p "$root/dist"
zip="$root/dist/$name.zip"
# Entries carry the commit's time, so the zip too is the same for the same commit.
python3 - "$zip" "$name" "$exe" "$src/scripts/release-readme.txt" \
        "$(git -C "$root" log -1 --format=%cd --date=format:'%Y %m %d %H %M %S')" <<'PY'
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
