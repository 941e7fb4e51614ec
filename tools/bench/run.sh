#!/usr/bin/env bash
# tools/bench/run.sh [--quick]
#
# Builds the three builds and runs every benchmark, printing one line per figure with its
# ratio: start-up against an empty dialog, and the 32-bit program's against the 64-bit
# one and its own fair baseline; 计算 against plain round trips, the engine against its
# references, the exhaustive checker, and the size and imports of both programs.
# The Windows benchmarks run under Wine on a private Xvfb display with a persistent
# wineserver, as scripts/test.sh runs the tests. --quick leaves out the exhaustive
# checker (minutes on two cores).
#
# Environment, for running beside other users of the build trees:
#   QUILLET_BENCH_WIN_BUILD, QUILLET_BENCH_WIN32_BUILD, QUILLET_BENCH_NATIVE_BUILD
#       existing configured build folders in which only the benchmarks' targets are built
#       (default: build/win, build/win32 and build/native, built whole by
#       scripts/build.sh)
#   QUILLET_BENCH_WINEPREFIX  the Wine prefix to use (default: the one of scripts/test.sh);
#       as in scripts/test.sh, its wineserver is stopped at the end only when this run
#       started it
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
quick=false
case "${1:-}" in
  --quick) quick=true ;;
  "") ;;
  *) echo "usage: tools/bench/run.sh [--quick]" >&2; exit 2 ;;
esac

log="$root/build/bench-build.log"
mkdir -p "$root/build"
build() {
  if ! "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "bench: build failed, see $log" >&2
    exit 1
  fi
}
: >"$log"
"$root/scripts/setup.sh" test
win=${QUILLET_BENCH_WIN_BUILD:-}
win32=${QUILLET_BENCH_WIN32_BUILD:-}
native=${QUILLET_BENCH_NATIVE_BUILD:-}
windows_targets=(quillet empty_dialog controls_dialog startup_bench calc_bench)
if [ -n "$win" ]; then
  build cmake --build "$win" -j "$(nproc)" --target "${windows_targets[@]}"
else
  win="$root/build/win"
  build "$root/scripts/build.sh" win
fi
if [ -n "$win32" ]; then
  build cmake --build "$win32" -j "$(nproc)" --target "${windows_targets[@]}"
else
  win32="$root/build/win32"
  build "$root/scripts/build.sh" win32
fi
if [ -n "$native" ]; then
  build cmake --build "$native" -j "$(nproc)" --target engine_bench feecheck
else
  native="$root/build/native"
  build "$root/scripts/build.sh" native
fi

. "$root/scripts/wine-session.sh"
wine_session headless "${QUILLET_BENCH_WINEPREFIX:-}"

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1), $("$WINE" --version 2>/dev/null), $(date -u '+%Y-%m-%d %H:%M UTC')"

"$WINE" "$win/tools/bench/startup_bench.exe" -n 20 "$win/quillet.exe" \
  "$win/tools/bench/controls_dialog.exe" "$win/tools/bench/empty_dialog.exe"
# The 32-bit program against the 64-bit one and against the fair baseline built with it.
"$WINE" "$win/tools/bench/startup_bench.exe" -n 20 "$win32/quillet.exe" \
  "$win/quillet.exe" "$win32/tools/bench/controls_dialog.exe"
"$WINE" "$win/tools/bench/calc_bench.exe" -n 10000 -r 3
"$root/tools/bench/size.sh" "$win" "$win32"

engine=$("$native/tools/bench/engine_bench" -r 5)
echo "$engine"
if ! $quick; then
  # The checker's rate on both cores against the same loop on one (engine_bench).
  check=$(sed -n 's/^check loop.*: \([0-9.]*\) M amounts\/s.*/\1/p' <<<"$engine")
  # A mismatch makes feecheck exit 1; the line below reports it, and so does run.sh.
  status=0
  summary=$("$native/tools/feecheck/feecheck" -j 2 | tail -n 1) || status=$?
  awk -v check="$check" '{
    seconds = $(NF - 1); mismatches = $7 + $10
    rate = $2 * $5 / seconds / 1e6
    printf "feecheck -j 2: %s amounts x %s schedules in %.1f s, %.0f M amounts/s, %d mismatches, ratio %.2f to the single-thread check loop\n", $2, $5, seconds, rate, mismatches, rate / check
  }' <<<"$summary"
  exit $status
fi
