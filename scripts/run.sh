#!/usr/bin/env bash
# Builds the program (and nothing else) and starts it under Wine on the current display
# (on a private Xvfb display when there is none).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" run
"$root/scripts/build.sh" win quillet

. "$root/scripts/wine-session.sh"
[ -n "${DISPLAY:-}" ] || echo "run: no display; starting the program on a private Xvfb display"
wine_session auto
"$WINE" "$root/build/win/quillet.exe" "$@"
