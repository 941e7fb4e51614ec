#!/usr/bin/env bash
# tools/bench/size.sh [WIN_BUILD_DIR...]
#
# For each Windows build (default: build/win and build/win32): the size of quillet.exe
# against the empty dialog, as linked and stripped (a stripped copy in a temporary
# folder; the build's files stay as they are), and the DLLs each imports. Fails when an
# import is not one of Windows' own DLLs (the program ships as one file), when the
# start-up baseline controls_dialog.exe does not import the same DLLs as quillet.exe, or
# when the builds' programs do not all import the same DLLs.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -gt 0 ] || set -- "$root/build/win" "$root/build/win32"
# The 64-bit binutils read and strip 32-bit programs as well.
objdump=x86_64-w64-mingw32-objdump
strip=x86_64-w64-mingw32-strip

# DLLs that every Windows installation has in its system folder.
windows_own='^(kernel32|user32|gdi32|comctl32|comdlg32|msvcrt|shell32|advapi32|ole32|oleaut32|shlwapi|version|winmm|ws2_32|imm32|uxtheme|psapi|rpcrt4|msimg32|ntdll|ucrtbase|api-ms-win-.*)\.dll$'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

bytes() { stat -c %s "$1"; }
stripped_bytes() {
  cp "$1" "$tmp/copy.exe"
  "$strip" "$tmp/copy.exe"
  bytes "$tmp/copy.exe"
}
# Import libraries spell some names in capitals (COMCTL32.DLL): compare in lower case.
imports() { "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ' | sed 's/ $//'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
kib() { awk -v a="$1" 'BEGIN { printf "%.0f KiB", a / 1024 }'; }

status=0
first_imports=
for dir in "$@"; do
  program="$dir/quillet.exe"
  baseline="$dir/tools/bench/empty_dialog.exe"
  build=$(basename "$dir")
  p=$(bytes "$program"); b=$(bytes "$baseline")
  ps=$(stripped_bytes "$program"); bs=$(stripped_bytes "$baseline")
  echo "size ($build): quillet.exe $p bytes ($(kib "$p")), empty dialog $b bytes ($(kib "$b")), ratio $(ratio "$p" "$b")"
  echo "size stripped ($build): quillet.exe $ps bytes ($(kib "$ps")), empty dialog $bs bytes ($(kib "$bs")), ratio $(ratio "$ps" "$bs"); stripping removes $(awk -v a="$p" -v s="$ps" 'BEGIN { printf "%.0f%%", 100 * (a - s) / a }') of quillet.exe"

  own=true
  pi=$(imports "$program"); bi=$(imports "$baseline")
  for dll in $pi $bi; do
    if ! grep -Eq "$windows_own" <<<"$dll"; then
      echo "size: $build: $dll is not one of Windows' own DLLs" >&2
      own=false
    fi
  done
  $own || status=1
  echo "imports ($build): quillet.exe $(wc -w <<<"$pi") DLLs ($pi), empty dialog $(wc -w <<<"$bi") ($bi), ratio $(ratio "$(wc -w <<<"$pi")" "$(wc -w <<<"$bi")"); $($own && echo "all Windows' own" || echo "NOT all Windows' own")"
  # The fairer start-up baseline is only fair while it loads the same DLLs.
  ci=$(imports "$dir/tools/bench/controls_dialog.exe")
  if [ "$ci" != "$pi" ]; then
    echo "size: $build: controls_dialog.exe imports $ci, quillet.exe $pi" >&2
    status=1
  fi
  first_imports=${first_imports:-$pi}
  if [ "$pi" != "$first_imports" ]; then
    echo "size: $build: quillet.exe imports $pi, the first build's $first_imports" >&2
    status=1
  fi
done
exit $status
