#!/usr/bin/env bash
# Builds the program and starts it under Wine on the current display
# (on a private Xvfb display when there is none).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win

. "$root/scripts/wine-session.sh"
wine_env
trap wine_stop EXIT
[ -n "${DISPLAY:-}" ] || echo "run: no display; starting the program on a private Xvfb display"
wine_display auto
wine_prefix
"$WINE" "$root/build/win/quillet.exe" "$@"
