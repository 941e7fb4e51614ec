#!/usr/bin/env bash
# tools/bench/package.sh [STARTS]
#
# Start-up through the Debian package's launcher against a bare start of the same
# program by the same Wine in the same prefix, with the same environment: the time from
# the command to the main window on the screen (a private Xvfb display), with no
# wineserver running before each start. The first start, which makes the user's prefix,
# runs once; then STARTS (default 10) later starts of each, taken in turn. Prints the
# medians and their ratio. Uses the package that scripts/build.sh win makes.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
starts=${1:-10}
firsts=${2:-3}
"$root/scripts/setup.sh" test
"$root/scripts/build.sh" win deb >/dev/null
debs=("$root"/build/win/quillet_*_amd64.deb)
work="$root/build/bench-package"
rm -rf "$work"
mkdir -p "$work/home"
dpkg-deb -x "${debs[0]}" "$work/root"

. "$root/scripts/wine-session.sh"
wine_env
trap wine_stop EXIT
wine_display headless
prefix="$work/home/.local/share/quillet/prefix"
user=(env -i HOME="$work/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" PATH=/usr/bin:/bin)
launcher=("${user[@]}" "$work/root/usr/bin/quillet")
# The launcher's own environment for the bare start, from the file it sources.
bare=("${user[@]}" bash -c '. "$1/usr/lib/quillet/wine-common.sh"
  wine_common_env "$HOME/.local/share/quillet/prefix" && wine_chinese_locale "$HOME/.local/share/quillet/locale" &&
  { [ -z "${2:-}" ] || "$WINE" wineboot -i; } && exec "$WINE" "$1/usr/lib/quillet/quillet.exe"' bare "$work/root")

# Appends to the file $1 the milliseconds from the command after it to its main window;
# the program is ended afterwards. False for a program that ended without a window.
time_to_window() {
  local times=$1 start=$EPOCHREALTIME program shown=true
  shift
  "$@" >/dev/null 2>&1 &
  program=$!
  until xdotool search --onlyvisible --name '^VantorelV1\.0$' >/dev/null 2>&1; do
    kill -0 $program 2>/dev/null || { shown=false; break; }
    # The launcher says in a window that Wine ended before its window showed.
    xdotool search --onlyvisible --name '^quillet: ' windowkill >/dev/null 2>&1 && { shown=false; break; }
    sleep 0.02
  done
  $shown && awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f\n", (b - a) * 1000 }' >>"$times"
  # Ended once the launcher, which looks every tenth of a second, has seen the window
  # too; ended before, it would say that Wine ended before its window showed.
  sleep 0.3
  WINEPREFIX=$prefix "$WINESERVER" -k
  wait $program || true
  WINEPREFIX=$prefix "$WINESERVER" -w
  $shown
}

# Now and then, with either command, Wine's first process cannot open the display
# ("no driver could be loaded") and ends at once; such a start is counted and made again.
failed_starts=0
start_once() {
  local _
  for _ in 1 2 3; do
    time_to_window "$@" && return 0
    failed_starts=$((failed_starts + 1))
  done
  echo "bench: '${*:2}' ended three times without a window" >&2
  exit 1
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "machine: $(nproc) cores, $("$WINE" --version), $(date -u '+%Y-%m-%d %H:%M UTC')"
# The bare first start with the locale built beforehand, so that it times Wine's own
# making of the prefix; the launcher's first start, which builds the locale too, last,
# so that the later starts find its prefix whole.
for _ in $(seq "$firsts"); do
  rm -rf "$prefix"
  "${user[@]}" bash -c '. "$1/usr/lib/quillet/wine-common.sh"; wine_chinese_locale "$HOME/.local/share/quillet/locale"' \
    locale "$work/root"
  start_once "$work/bare-first.ms" "${bare[@]}" wineboot
  rm -rf "$work/home/.local"
  start_once "$work/first.ms" "${launcher[@]}"
done
for _ in $(seq "$starts"); do
  start_once "$work/bare.ms" "${bare[@]}"
  start_once "$work/launcher.ms" "${launcher[@]}"
done
first=$(median <"$work/first.ms")
bare_first=$(median <"$work/bare-first.ms")
bare_ms=$(median <"$work/bare.ms")
launcher_ms=$(median <"$work/launcher.ms")
awk -v first="$first" -v bare_first="$bare_first" -v m="$firsts" -v bare="$bare_ms" -v later="$launcher_ms" -v n="$starts" -v failed="$failed_starts" 'BEGIN {
  printf "first start through the launcher (prefix and locale made): median %d ms of %d, ratio %.2f to a bare wineboot -i and start (median %d ms)\n", first, m, first / bare_first, bare_first
  printf "later start through the launcher: median %d ms of %d, ratio %.3f to a bare start (median %d ms)\n", later, n, later / bare, bare
  printf "starts that ended without a window and were made again: %d\n", failed
}'
