# The Wine sessions of the cross build, over the environment of scripts/wine-common.sh.
# Sourced by the scripts that run Windows programs and by the build's wine-run wrapper
# (scripts/wine-run.in).
#   wine_env [PREFIX]         exports the variables every Wine process of the build uses
#                             (scripts/wine-common.sh; default prefix: build/wineprefix,
#                             which both Windows builds use; the locale in build/locale)
#   wine_private_prefix COPY  makes COPY anew from the prefix and moves to it, for a test
#                             that changes what every program of the prefix reads
#   wine_session MODE [PREFIX] a whole session: wine_env, then the display (MODE headless:
#                             always a private Xvfb; auto: the current display if there
#                             is one), the prefix and one persistent wineserver, all
#                             stopped again by an exit trap
# A display that does not come up ends the calling script with an error.

QUILLET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$QUILLET_ROOT/scripts/wine-common.sh"

wine_env() {
  wine_common_env "${1:-$QUILLET_ROOT/build/wineprefix}" && wine_chinese_locale "$QUILLET_ROOT/build/locale" || exit 1
}

wine_session() {
  wine_env "${2:-}"
  trap wine_stop EXIT
  wine_display "$1" || exit 1
  wine_prefix
  wine_server
}

wine_prefix() {
  # A prefix made before Wine's 32-bit half was installed (by scripts/run.sh's set-up,
  # say) lacks the 32-bit system files, and neither making nor updating it over the old
  # one adds them: it is made anew.
  if [ -f /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ] && [ -f "$WINEPREFIX/system.reg" ] &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "wine: making the prefix $WINEPREFIX anew for Wine's 32-bit half"
    rm -f "$WINEPREFIX/.quillet-settings-3"
  fi
  [ -f "$WINEPREFIX/.quillet-settings-3" ] || echo "wine: creating the prefix $WINEPREFIX"
  wine_prefix_make .quillet-settings-3 wine_test_settings || { echo "wine: could not make the prefix $WINEPREFIX" >&2; exit 1; }
}

# A copy made anew for each run: nothing the test changes there, even when killed, reaches
# another test or the next run. The registry and the prefix's other files of its own are
# copied; Windows' files, which no test writes, are hard links. The copy's server ends on
# its own after its last program.
wine_private_prefix() {
  local source=$WINEPREFIX
  export WINEPREFIX=$1
  wine_quiet "$WINESERVER" -k
  rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX" &&
    cp -al "$source/drive_c" "$source/dosdevices" "$WINEPREFIX"/ &&
    cp -p "$source"/*.reg "$source"/.update-timestamp "$WINEPREFIX"/
}

# What the tests need beyond the program's own settings: without a window manager Wine
# waits ~2 s on every hidden owned window, and unmanaged windows need none; a crashing
# test must fail, not wait for someone to close Wine's crash dialog.
wine_test_settings() {
  printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000'
}

# True once the command "$@" after the first argument succeeds, tried for up to ten
# seconds; false at once when the process $1 (if given) has ended.
wine_wait() {
  local pid=$1 _
  shift
  for _ in $(seq 100); do
    "$@" && return 0
    [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

wine_display_answers() {
  xdpyinfo -display "$1" >/dev/null 2>&1
}

QUILLET_XVFB_PID=
wine_display() {
  local mode=${1:-auto}
  if [ "$mode" = auto ] && [ -n "${DISPLAY:-}" ]; then
    wine_wait "" wine_display_answers "$DISPLAY" && return 0
    echo "wine: the display $DISPLAY does not answer" >&2
    return 1
  fi
  # A number whose lock or socket is seen here is another's. One that looks free may not
  # be: Xvfb also binds an abstract socket, which belongs to the network namespace, so a
  # server of a session that shares the network but not /tmp (a chroot) is invisible
  # here and answers its clients at that number. Our Xvfb then fails to listen and ends;
  # once it does listen it reports the number itself (-displayfd), and only that number
  # is taken. A session that takes the same number at the same moment ends ours too.
  local n=90 attempt reported
  reported=$(mktemp)
  for attempt in $(seq 20); do
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$reported" >/dev/null 2>&1 &
    QUILLET_XVFB_PID=$!
    if wine_wait "$QUILLET_XVFB_PID" grep -qx "$n" "$reported"; then
      rm -f "$reported"
      export DISPLAY=":$n"
      return 0
    fi
    kill "$QUILLET_XVFB_PID" 2>/dev/null || true
    QUILLET_XVFB_PID=
    n=$((n + 1))
  done
  rm -f "$reported"
  echo "wine: Xvfb did not come up (tried $attempt display numbers up to :$((n - 1)))" >&2
  return 1
}

QUILLET_OWN_SERVER=
wine_server() {
  # A server already running for this prefix (another session of ours) is shared.
  if "$WINESERVER" -p 2>/dev/null; then QUILLET_OWN_SERVER=1; fi
  # The first Wine process starts the prefix's services, which inherit its output;
  # start them here so that no test's output pipe is held open by them.
  "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

wine_stop() {
  [ -n "$QUILLET_OWN_SERVER" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "$QUILLET_XVFB_PID" ] && kill "$QUILLET_XVFB_PID" 2>/dev/null || true
}
