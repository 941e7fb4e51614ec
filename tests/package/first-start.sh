#!/usr/bin/env bash
# The launcher of the built package, started by a new user in the C.UTF-8 locale, makes
# a prefix under that user's home and nowhere else, and shows the main window as the
# build's own prefix does: the same size and the same pixels, Chinese texts included.
# Where it cannot make the prefix, it says so in a window, which the user closes, and
# ends with a failure.
#   first-start.sh DEB EXE FOLDER   (on the display of scripts/test.sh)
set -euo pipefail
deb=$1 exe=$2 work=$3
. "$(dirname "$0")/../../scripts/wine-session.sh"
wine_env
rm -rf "$work"
mkdir -p "$work/home"
dpkg-deb -x "$deb" "$work/root"
user_prefix=$work/home/.local/share/quillet/prefix
end() {
  local status=$?
  WINEPREFIX=$user_prefix "$WINESERVER" -k 2>/dev/null || true
  kill $(jobs -p) 2>/dev/null || true
  exit $status
}
trap end EXIT

# Waits up to three minutes for the main window of the program started last, while it
# runs, and captures it into $1.
capture_main_window() {
  local window _
  for _ in $(seq 1800); do
    window=$(xdotool search --onlyvisible --name '^VantorelV1\.0$' | head -n 1) && break
    kill -0 $! 2>/dev/null || { echo "the program ended without a window" >&2; return 1; }
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no main window within three minutes" >&2; return 1; }
  sleep 2  # painted
  import -window "$window" "$1"
}

xdotool mousemove 0 0
user=(env -i HOME="$work/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" PATH=/usr/bin:/bin)

# A data folder that cannot be made, even by root: a file stands in its way.
touch "$work/home/file"
"${user[@]}" XDG_DATA_HOME="$work/home/file" "$work/root/usr/bin/quillet" 2>"$work/failure" &
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^quillet: ' | head -n 1) && break
  sleep 0.1
done
[ -n "${window:-}" ] || { echo "no window said that the prefix could not be made" >&2; exit 1; }
grep -q 无法在你的主文件夹中建立 "$work/failure" || { cat "$work/failure"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 60)) $((HEIGHT - 30)) click 1 mousemove 0 0
for _ in $(seq 100); do kill -0 $! 2>/dev/null && sleep 0.1; done
if kill -0 $! 2>/dev/null || wait $!; then echo "the launcher did not end with a failure when 关闭 was pressed" >&2; exit 1; fi

"${user[@]}" "$work/root/usr/bin/quillet" &
capture_main_window "$work/package.png"
WINEPREFIX=$user_prefix "$WINESERVER" -k
wait
[ -f "$user_prefix/system.reg" ] || { echo "no prefix in $user_prefix" >&2; exit 1; }
for foreign in .wine .local/share/applications; do
  [ ! -e "$work/home/$foreign" ] || { echo "Wine wrote $foreign into the user's home" >&2; exit 1; }
done

"$WINE" "$exe" &
capture_main_window "$work/build.png"
kill %%
# The window a window manager would frame is the build's without the frame Wine draws.
convert "$work/build.png" -gravity center -crop "$(identify -format %wx%h "$work/package.png")+0+0" +repage "$work/build.png"
compare -metric AE "$work/package.png" "$work/build.png" "$work/difference.png"
