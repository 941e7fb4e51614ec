#!/usr/bin/env bash
# tools/bench/phases.sh [STARTS] [WIN_BUILD_DIR]
#
# Where quillet's start-up time goes, against the fairer baseline (an empty dialog with
# the same DLLs and the common controls): starts copies of both that log their phases
# (PhaseTimer.cpp) STARTS times each (default 15) and prints the median time of each
# phase, in milliseconds since the process was created. With QUILLET_PHASES_DETAIL=1
# every message sent to or taken by the program until startup_bench first sends it
# WM_NULL is listed as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
starts=${1:-15}
win=${2:-$root/build/win}
cmake --build "$win" -j "$(nproc)" --target quillet_timed controls_dialog_timed startup_bench >/dev/null

. "$root/scripts/wine-session.sh"
wine_session headless
log=$(mktemp)
trap 'rm -f "$log"; wine_stop' EXIT
QUILLET_PHASES_LOG=$(sed 's|/|\\|g; s|^|Z:|' <<<"$log") \
  "$WINE" "$win/tools/bench/startup_bench.exe" -n "$starts" \
  "$win/tools/bench/quillet_timed.exe" "$win/tools/bench/controls_dialog_timed.exe"
python3 - "$log" <<'PY'
import collections, statistics, sys
runs = collections.defaultdict(list)  # program -> list of {label: ms}
program, events = None, {}
for line in open(sys.argv[1], encoding="utf-8", errors="replace"):
    line = line.rstrip("\n")
    if line.startswith("program "):
        program, events, seen = line.split("\\")[-1], {}, collections.Counter()
    elif line == "end":
        runs[program].append(events)
    else:
        ms, label = line.split(" ", 1)
        seen[label] += 1
        events[f"{label} #{seen[label]}" if seen[label] > 1 else label] = float(ms)
for program, found in runs.items():
    print(f"{program}: medians of {len(found)} starts, ms since the process was created")
    order = sorted(found[0], key=lambda k: found[0][k])
    for label in order:
        values = [r[label] for r in found if label in r]
        print(f"  {statistics.median(values):8.1f}  {label}")
PY
