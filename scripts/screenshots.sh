#!/usr/bin/env bash
# Takes the README's screenshots under a private Xvfb display: the main window, and the
# calculator after computing the preservation fee of 12345 yuan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" test
"$root/scripts/build.sh" win quillet >/dev/null

. "$root/scripts/wine-session.sh"
wine_session headless

out="$root/docs"
mkdir -p "$out"
"$WINE" "$root/build/win/quillet.exe" >/dev/null 2>&1 &
sleep 3
shot() {  # name width height
  import -window root -crop "$2x$3+0+0" +repage "$out/$1.png"
}
shot main-window 470 370

# Double-click the list entry, choose 保全费 (position 11), type the amount, press 计算.
xdotool mousemove 165 52 click 1 sleep 0.1 click 1
sleep 1.5
xdotool mousemove 60 188 click 1
sleep 0.3
xdotool mousemove 280 89 click 1 key End BackSpace BackSpace BackSpace type 12345
xdotool mousemove 243 240 click 1
sleep 1
shot calculator 410 310
kill %1 2>/dev/null || true
wait 2>/dev/null || true
echo "screenshots: $out/main-window.png $out/calculator.png"
