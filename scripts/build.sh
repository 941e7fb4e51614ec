#!/usr/bin/env bash
# Configures and builds one of the two builds: "native" (fee engine, window-free code
# and their tests, with sanitizers) or "win" (the whole program, cross-compiled);
# everything, or only the targets named after it:
#   scripts/build.sh native|win [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: build.sh native|win [TARGET...]}
shift
dir="$root/build/$kind"
jobs=$(nproc)

case "$kind" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  win)    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
  *) echo "build.sh: unknown build '$kind'" >&2; exit 2 ;;
esac

[ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$dir" -j "$jobs" "${targets[@]}"
