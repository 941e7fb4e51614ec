# A new user's first meeting with the Debian package, in a fresh root that holds nothing
# else: sourced by scripts/fresh-root.sh, which calls
#   package_trial ROOT DEB FOLDER
# as root on this machine. It installs DEB with apt-get, starts quillet twice at once as
# a new user (LANG=C.UTF-8) on a private display of this machine, which the chroot
# reaches through the abstract X socket, then once more, clicks a link and computes a
# fee by the user's hand, and purges the package again. What it saw goes to FOLDER:
# screenshots, the page the desktop's opener was asked for and the opener's locale.

. "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"

# The user's browser, as xdg-open finds it through BROWSER on a desktop it does not know:
# it notes the page and the locale it runs in.
trial_browser='#!/bin/sh
echo "$1" >>"$HOME/opened"
locale >"$HOME/browser-locale"
'

package_trial() {
  local target=$1 deb=$2 folder=$3 home=$1/home/citizen
  trial_programs=()
  trap 'release_root; wine_stop' EXIT
  wine_display headless || return 1
  mkdir -p "$folder"
  cp "$deb" "$target/root/"
  echo "fresh-root: apt-get install ./${deb##*/}"
  local before
  before=$(trial_installed_kib)
  trial_in_root sh -c "apt-get update -qq && apt-get install -y -qq ./${deb##*/} >/dev/null" || return 1
  echo "fresh-root: installed $(trial_in_root dpkg-query -W -f='${Installed-Size}' quillet) KiB," \
       "with what it depends on $((($(trial_installed_kib) - before) / 1024)) MiB"
  trial_in_root useradd -m citizen
  printf '%s' "$trial_browser" >"$home/browser"
  chmod 755 "$home/browser"
  trial_as_user quillet --help | sed -n '3,5p'

  echo "fresh-root: two first starts at once"
  trial_start && trial_start
  trial_windows 2 || return 1
  trial_stop

  echo "fresh-root: a later start"
  trial_start
  trial_windows 1 || return 1
  local main
  main=$(trial_main_windows)
  import -window "$main" "$folder/main-window.png"
  trial_link "$main" "$home" "$folder" || return 1
  trial_calculator "$main" "$folder" || return 1
  trial_stop

  trial_purge "$target"
}

trial_in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive sh -c 'cd /root && exec "$@"' trial "$@"
}

trial_installed_kib() {
  trial_in_root dpkg-query -W -f='${Installed-Size}\n' | awk '{ kib += $1 } END { print kib }'
}

trial_as_user() {
  chroot "$target" /usr/sbin/runuser -u citizen -- /usr/bin/env -i HOME=/home/citizen LANG=C.UTF-8 \
    DISPLAY="$DISPLAY" PATH=/usr/bin:/bin BROWSER=/home/citizen/browser "$@"
}

trial_start() {
  trial_start_time=$SECONDS
  trial_as_user quillet &
  trial_programs+=($!)
}

# Ends every program of the user's and waits for them.
trial_stop() {
  trial_as_user env WINEPREFIX=/home/citizen/.local/share/quillet/prefix /usr/lib/wine/wineserver -k
  wait "${trial_programs[@]}"
  trial_programs=()
}

trial_main_windows() {
  xdotool search --onlyvisible --name '^VantorelV1\.0$' 2>/dev/null
}

# Waits up to three minutes for $1 main windows.
trial_windows() {
  local _
  for _ in $(seq 1800); do
    if [ "$(trial_main_windows | wc -l)" -eq "$1" ]; then
      echo "fresh-root: $1 main window(s) after $((SECONDS - trial_start_time)) s"
      return 0
    fi
    sleep 0.1
  done
  echo "fresh-root: no $1 main window(s) within three minutes" >&2
  return 1
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
