#!/usr/bin/env bash
# Builds both builds and runs every test: the native ones (with sanitizers) and the
# Windows ones under Wine on a private Xvfb display. Ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" native
"$root/scripts/build.sh" win

. "$root/scripts/wine-session.sh"
wine_session headless

# One CTest run over both builds, so the summary covers everything.
cat > "$root/build/CTestTestfile.cmake" <<CT
subdirs("native")
subdirs("win")
CT
cd "$root/build"
ctest --output-on-failure -j "$(nproc)" "$@"
