# A new user's first meeting with the Debian package, in a fresh root that holds nothing
# else: sourced by scripts/fresh-root.sh, which calls
#   package_trial ROOT DEB FOLDER
# as root on this machine. It installs what the package depends on and weighs what each
# way of showing a window would add to that, installs DEB with apt-get, starts quillet
# twice at once as a new user (LANG=C.UTF-8) on a private display of this machine, which
# the chroot reaches through the abstract X socket, then once more as after an upgrade of
# Wine, clicks a link and computes a fee by the user's hand, starts it as after an
# upgrade of the package, which keeps the prefix, makes the launcher fail in
# each way it can, and purges the package again. Each start is watched every half
# second: a second without a window of quillet's own, or any window of Wine's own,
# fails the trial. What it saw goes to FOLDER: screenshots, the page the desktop's
# opener was asked for and the opener's locale.

. "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"

# The user's browser, as xdg-open finds it through BROWSER on a desktop it does not know:
# it notes the page and the locale it runs in.
trial_browser='#!/bin/sh
echo "$1" >>"$HOME/opened"
locale >"$HOME/browser-locale"
'

# Ways to show a window or a notice from a shell, weighed against one another.
trial_window_tools="tk xdotool zenity yad libnotify-bin"

package_trial() {
  local target=$1 deb=$2 folder=$3 home=$1/home/citizen
  trial_programs=()
  trap 'trial_restore; release_root; wine_stop' EXIT
  wine_display headless || return 1
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$deb" "$target/root/"
  local before depends tool
  before=$(trial_installed_kib)
  depends=$(dpkg-deb -f "$deb" Depends | tr -d ' ' | tr ',' '\n' | grep -vxF "$(echo $trial_window_tools | tr ' ' '\n')" | tr '\n' ' ')
  trial_in_root sh -c "apt-get update -qq && apt-get install -y -qq $depends >/dev/null" || return 1
  for tool in $trial_window_tools; do
    echo "fresh-root: beside $depends$tool would add $(trial_would_add "$tool")"
  done
  echo "fresh-root: apt-get install ./${deb##*/}"
  trial_in_root apt-get install -y -qq "./${deb##*/}" >/dev/null || return 1
  echo "fresh-root: installed $(trial_in_root dpkg-query -W -f='${Installed-Size}' quillet) KiB," \
       "with what it depends on $((($(trial_installed_kib) - before) / 1024)) MiB"
  trial_in_root useradd -m citizen
  printf '%s' "$trial_browser" >"$home/browser"
  chmod 755 "$home/browser"
  trial_as_user quillet --help | sed -n '3,5p'

  echo "fresh-root: two first starts at once"
  trial_start && trial_start
  trial_watch 2 "$folder/first" || return 1
  echo "fresh-root: the first start wrote $(du -sm "$home/.local/share/quillet" | cut -f 1) MiB into the home folder"
  trial_stop

  echo "fresh-root: a later start after an upgrade of Wine, from a menu that asks for launch feedback"
  echo 1 >"$home/.local/share/quillet/prefix/.update-timestamp"
  xev -root -event property >"$folder/startup-messages" 2>&1 &
  local listener=$! main
  trial_user_env=(DESKTOP_STARTUP_ID=trial-1_TIME0)
  trial_start
  trial_user_env=()
  trial_watch 1 "$folder/update" || return 1
  main=$(trial_main_windows)
  trial_feedback_ended_by "$main" $listener || return 1
  import -window "$main" "$folder/main-window.png"
  trial_link "$main" "$home" "$folder" || return 1
  trial_calculator "$main" "$folder" || return 1
  trial_stop

  echo "fresh-root: a start after an upgrade of quillet from a package that left the prefix's stamp empty"
  local prefix=$home/.local/share/quillet/prefix
  : >"$prefix/.quillet-prefix-1"
  touch "$prefix/kept"
  trial_start
  trial_watch 1 "$folder/upgrade" || return 1
  trial_stop
  [ -e "$prefix/kept" ] || { echo "fresh-root: the upgrade made the prefix anew" >&2; return 1; }

  trial_failures "$target" "$home" "$folder" || return 1
  trial_purge "$target"
}

# What apt would add for the package $1, with the recommended ones, as on a desktop.
trial_would_add() {
  trial_in_root apt-get install -s "$1" | awk '/^Inst /{ print $2 }' | {
    local kib=0 count=0 package
    while read -r package; do
      kib=$((kib + $(trial_in_root apt-cache show --no-all-versions "$package" | awk '/^Installed-Size:/{ print $2; exit }')))
      count=$((count + 1))
    done
    echo "$kib KiB in $count packages"
  }
}

trial_in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive sh -c 'cd /root && exec "$@"' trial "$@"
}

trial_installed_kib() {
  trial_in_root dpkg-query -W -f='${Installed-Size}\n' | awk '{ kib += $1 } END { print kib }'
}

# Runs "$@" as the user, with the variables in trial_user_env besides the usual ones.
trial_user_env=()
trial_as_user() {
  chroot "$target" /usr/sbin/runuser -u citizen -- /usr/bin/env -i HOME=/home/citizen LANG=C.UTF-8 \
    DISPLAY="$DISPLAY" PATH=/usr/bin:/bin BROWSER=/home/citizen/browser "${trial_user_env[@]}" "$@"
}

trial_start() {
  trial_as_user quillet &
  trial_programs+=($!)
}

# Ends every program of the user's in the prefix $1 (default the usual one) and waits
# for them.
trial_stop() {
  trial_as_user env WINEPREFIX="${1:-/home/citizen/.local/share/quillet/prefix}" /usr/lib/wine/wineserver -k
  wait "${trial_programs[@]}"
  trial_programs=()
}

trial_main_windows() {
  xdotool search --onlyvisible --name '^VantorelV1\.0$' 2>/dev/null
}

# The launch feedback's end, which Wine sends as the first window of the process that
# has the id maps, came from the main window $1 (the root window's messages that the
# process $2 noted).
trial_feedback_ended_by() {
  sleep 0.5
  kill "$2"
  local from
  from=$(grep -m 1 '^ClientMessage.*window 0x' "$folder/startup-messages" | sed 's/.*window \(0x[0-9a-f]*\).*/\1/')
  if [ "$from" != "$(printf '0x%x' "$1")" ]; then
    echo "fresh-root: the launch feedback was ended by the window ${from:-(none)}, not by the main window" >&2
    return 1
  fi
  echo "fresh-root: the launch feedback was ended by the main window"
}

# The launcher's own windows.
trial_own_windows() {
  xdotool search --onlyvisible --name '^quillet ' 2>/dev/null
}

# Visible windows of Wine's programs other than quillet's.
trial_wine_windows() {
  { xdotool search --onlyvisible --classname '\.exe$' | grep -vxF "$(xdotool search --classname '^quillet\.exe$')"
    xdotool search --onlyvisible --name '^Wine$'; } 2>/dev/null
}

# Watches the screen every half second for up to three minutes, until $1 main windows
# show, keeping a screenshot of each moment as $2-SECONDS.png. Fails where a window of
# Wine's own shows or where, between the start or a moment with a window of quillet's
# and the next such moment, one without took the time past a second.
trial_watch() {
  local count=$1 shots=$2 start=$EPOCHREALTIME last=$EPOCHREALTIME now seen _ status=0 timeline= missed=1
  for _ in $(seq 360); do
    now=$EPOCHREALTIME
    import -window root "$shots-$(trial_seconds "$start" "$now").png" 2>/dev/null
    seen=none
    [ -z "$(trial_own_windows)" ] || seen=own
    [ -z "$(trial_main_windows)" ] || seen=main
    [ -z "$(trial_wine_windows)" ] || { seen=Wine; status=1; }
    case $timeline in *" $seen") ;; *) timeline="$timeline, $(trial_seconds "$start" "$now") s $seen" ;; esac
    if [ $seen = none ]; then
      missed=1
    else
      if [ $missed = 1 ] && awk -v a="$last" -v b="$now" 'BEGIN { exit !(b - a > 1) }'; then
        echo "fresh-root: no window of quillet's from $(trial_seconds "$start" "$last") to $(trial_seconds "$start" "$now") s" >&2
        status=1
      fi
      last=$now missed=0
    fi
    if [ "$(trial_main_windows | wc -l)" -eq "$count" ]; then
      echo "fresh-root: what showed:${timeline#,}; $count main window(s) after $(trial_seconds "$start" "$now") s"
      [ $status -eq 0 ] || echo "fresh-root: a window of Wine's own or a gap without a sign of life (screenshots $shots-*.png)" >&2
      return $status
    fi
    sleep 0.5
  done
  echo "fresh-root: no $count main window(s) within three minutes:${timeline#,}" >&2
  return 1
}

trial_seconds() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'
}

# A click on the first link (免费法律咨询) reaches the desktop's opener.
trial_link() {
  local main=$1 home=$2 folder=$3
  xdotool mousemove --window "$main" 40 50 click 1
  if ! wine_wait "" test -s "$home/opened"; then
    echo "fresh-root: the link's click did not reach the desktop's opener" >&2
    return 1
  fi
  cp "$home/opened" "$home/browser-locale" "$folder/"
  echo "fresh-root: the opener was asked for $(cat "$home/opened"), in $(grep '^LC_CTYPE' "$home/browser-locale")"
}

# 保全费 for 12345 元, by the user's hand: the picture shows the fee.
trial_calculator() {
  local main=$1 folder=$2 calculator
  xdotool mousemove --window "$main" 180 65 click --repeat 2 1
  wine_wait "" trial_other_window "$main" >/dev/null || { echo "fresh-root: the calculator did not open" >&2; return 1; }
  calculator=$(trial_other_window "$main")
  xdotool mousemove --window "$calculator" 60 57 click 1 sleep 0.3 key Down Down Down Down Down Down Down Down Down Down Down
  xdotool mousemove --window "$calculator" 280 88 click 1 sleep 0.3 type 12345
  xdotool key Return sleep 1
  import -window "$calculator" "$folder/calculator.png"
  echo "fresh-root: the calculator's picture is $folder/calculator.png"
}

trial_other_window() {
  xdotool search --onlyvisible --classname 'quillet.exe' | grep -vx "$1" | head -n 1 | grep .
}

# The launcher's failures, each with the data folder of its own (XDG_DATA_HOME): each
# shows a window and says on standard error what the user reads in it; a start killed
# while it made the prefix leaves nothing the next start trusts.
trial_failures() {
  local target=$1 home=$2 folder=$3 wine=$1/usr/lib/wine/wine64
  mv "$wine" "$wine.away"
  trial_failure no-wine "找不到 Wine" || return 1
  mv "$wine.away" "$wine"
  trial_in_root runuser -u citizen -- mkdir -m 555 /home/citizen/read-only
  trial_failure read-only "无法在你的主文件夹中建立" || return 1
  mkdir "$home/full"
  mount -t tmpfs -o size=300m,mode=700,uid="$(trial_in_root id -u citizen)" full "$home/full"
  trial_failure full "无法在你的主文件夹中建立" || return 1
  [ ! -e "$home/full/quillet/prefix" ] || { echo "fresh-root: the half-made prefix stayed" >&2; return 1; }
  umount "$home/full"
  trial_killed "$home" "$folder"
}

# Puts back what the failures changed, on every path.
trial_restore() {
  [ ! -e "$target/usr/lib/wine/wine64.away" ] || mv "$target/usr/lib/wine/wine64.away" "$target/usr/lib/wine/wine64"
  ! mountpoint -q "$target/home/citizen/full" || umount -l "$target/home/citizen/full"
}

# Starts quillet with its data in ~/$1 and expects the words $2 on standard error and a
# window, which the user then closes: the launcher ends with a non-zero status.
trial_failure() {
  local name=$1 words=$2 errors=$folder/$1.stderr program window _
  trial_user_env=(XDG_DATA_HOME=/home/citizen/$name)
  trial_as_user quillet 2>"$errors" &
  program=$!
  trial_user_env=()
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name '^quillet: ' 2>/dev/null | head -n 1)
    [ -z "$window" ] || ! grep -q "$words" "$errors" || break
    kill -0 $program 2>/dev/null || break
    sleep 0.2
  done
  sleep 0.5  # drawn
  import -window root "$folder/$name.png"
  if ! grep -q "$words" "$errors" || [ -z "$window" ]; then
    echo "fresh-root: the $name case showed no window saying $words; it said: $(cat "$errors")" >&2
    return 1
  fi
  # The user presses 关闭 at the window's lower right.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --window "$window" $((WIDTH - 60)) $((HEIGHT - 30)) click 1
  for _ in $(seq 100); do kill -0 $program 2>/dev/null && sleep 0.1; done
  if kill -0 $program 2>/dev/null || wait $program; then
    echo "fresh-root: the $name case's launcher did not end with a failure" >&2
    return 1
  fi
  echo "fresh-root: $name: a window and standard error said: $(head -n 1 "$errors")"
}

# A start killed while Wine makes the prefix: the next start makes it anew.
trial_killed() {
  local home=$1 folder=$2 program _
  trial_user_env=(XDG_DATA_HOME=/home/citizen/killed)
  # In a process group of its own, which the kill ends whole but for Wine's server.
  set -m
  trial_as_user quillet &
  program=$!
  set +m
  for _ in $(seq 600); do
    [ ! -d "$home/killed/quillet/prefix/drive_c/windows" ] || break
    sleep 0.1
  done
  sleep 2
  kill -9 -- -$program
  wait $program
  echo "fresh-root: a first start killed after it had written $(du -sm "$home/killed" | cut -f 1) MiB"
  trial_start
  trial_user_env=()
  trial_watch 1 "$folder/after-kill" || return 1
  trial_stop /home/citizen/killed/quillet/prefix
}

# No file of the package stays behind.
trial_purge() {
  local files left
  files=$(trial_in_root dpkg-query -L quillet)
  trial_in_root apt-get purge -y -qq quillet >/dev/null
  left=$(while read -r file; do
    if [ -d "$1$file" ]; then
      # Folders other packages share stay; the package's own go.
      case $file in *quillet*) echo "$file" ;; esac
    elif [ -e "$1$file" ] || [ -L "$1$file" ]; then
      echo "$file"
    fi
  done <<<"$files")
  if [ -n "$left" ]; then
    echo "fresh-root: apt-get purge left $left" >&2
    return 1
  fi
  echo "fresh-root: apt-get purge quillet left none of its files"
}
