#!/usr/bin/env bash
# Builds the three builds and runs every test: the native ones (with sanitizers) and the
# whole Windows suite under Wine on a private Xvfb display, once against the 64-bit and
# once against the 32-bit program. Ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" test
"$root/scripts/build.sh" native
"$root/scripts/build.sh" win
"$root/scripts/build.sh" win32

. "$root/scripts/wine-session.sh"
wine_session headless

# One CTest run over the three builds, so the summary covers everything.
cat > "$root/build/CTestTestfile.cmake" <<CT
subdirs("native")
subdirs("win")
subdirs("win32")
CT
cd "$root/build"
ctest --output-on-failure -j "$(nproc)" "$@"
