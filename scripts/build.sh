#!/usr/bin/env bash
# Configures and builds one of the three builds: "native" (fee engine, window-free code
# and their tests, with sanitizers), "win" (the whole program, cross-compiled for 64-bit
# Windows) or "win32" (the same for 32-bit Windows); everything, or only the targets
# named after it:
#   scripts/build.sh native|win|win32 [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: build.sh native|win|win32 [TARGET...]}
shift
dir="$root/build/$kind"
jobs=$(nproc)

# Both Windows builds run their tests in one Wine prefix (a 64-bit prefix runs 32-bit
# programs too), the one that scripts/wine-session.sh sets up.
windows=(-DCMAKE_BUILD_TYPE=Release -DQUILLET_WINEPREFIX="$root/build/wineprefix")
case "$kind" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  win)    args=("${windows[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
  win32)  args=("${windows[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake") ;;
  *) echo "build.sh: unknown build '$kind'" >&2; exit 2 ;;
esac

# Configured on every call: the tests join a build once GoogleTest's sources are there.
cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$dir" -j "$jobs" "${targets[@]}"
