# Sourced by run.sh and test.sh: the Wine environment of the cross build.
#   wine_env      exports the variables every Wine process of the build uses
#   wine_prefix   creates the private prefix in the build tree once
#   wine_display  starts Xvfb when asked to (or when there is no display)
#   wine_server   keeps one persistent wineserver for the session
# Everything started here is stopped by wine_stop, installed as an exit trap.

wine_env() {
  export WINEPREFIX="$root/build/win/wineprefix"
  export WINEARCH=win64
  export LANG=zh_CN.UTF-8
  unset LC_ALL LC_CTYPE
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE=/usr/lib/wine/wine64
  WINESERVER=/usr/lib/wine/wineserver
}

wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  [ -f "$WINEPREFIX/.quillet-settings-3" ] && return 0
  local reg="$WINE reg add"
  # Without a window manager Wine waits ~2 s on every hidden owned window; unmanaged
  # windows need no window manager.
  $reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crashing test must fail, not wait for someone to close Wine's crash dialog.
  $reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # 宋体 comes from the GB Song font, whose metrics match SimSun's; the few glyphs it
  # lacks (the horizontal bar ― among them) are taken from UMing.
  local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in "AR PL SungtiL GB" "文鼎ＰＬ简报宋"; do
    $reg "$link" /v "$face" /t REG_MULTI_SZ /d 'uming.ttc,AR PL UMing CN' /f >/dev/null 2>&1
  done
  touch "$WINEPREFIX/.quillet-settings-3"
}

QUILLET_XVFB_PID=
wine_display() {
  local headless=${1:-auto}
  if [ "$headless" = auto ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QUILLET_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
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
