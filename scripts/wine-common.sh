# What every Wine process of quillet needs, defined once for the developers' sessions
# (scripts/wine-session.sh) and the package's launcher (/usr/bin/quillet), which both
# source this file:
#   wine_common_env PREFIX          exports the environment of every Wine process: the
#                                   prefix and none of Wine's add-on prompts or menu
#                                   entries; sets WINE, WINE32 and WINESERVER; false, with
#                                   one line on standard error, where Wine is missing
#   wine_chinese_locale LOCALES     builds the zh_CN.UTF-8 locale into the folder LOCALES
#                                   unless it is there, then exports it (code page 936);
#                                   false, with one line on standard error, where it
#                                   cannot be built. Safe to run in the background
#                                   beside wine_prefix_make, and then once more to export
#   wine_prefix_ready STAMP [SETTINGS]
#                                   true where wine_prefix_make has nothing to do
#   wine_prefix_outdated            true where Wine was upgraded since it made or last
#                                   updated the prefix
#   wine_prefix_make STAMP [SETTINGS]
#                                   makes the prefix, brings it up to date after Wine was
#                                   upgraded, and imports the program's settings (and the
#                                   registry lines the function SETTINGS prints) where
#                                   they changed; the file STAMP in it says it is whole.
#                                   One caller at a time; false, with what failed on
#                                   standard error, where any step fails, and a prefix
#                                   whose making failed is removed

wine_common_env() {
  WINE=/usr/lib/wine/wine64
  # Wine's 32-bit loader, for running a 32-bit program as a process of its own.
  WINE32=/usr/lib/wine/wine
  WINESERVER=/usr/lib/wine/wineserver
  # Wine brings a prefix up to date when this file's time differs from the one the
  # prefix's .update-timestamp holds.
  WINE_INF=/usr/share/wine/wine.inf
  if [ ! -x "$WINE" ] || [ ! -x "$WINESERVER" ]; then
    echo "${0##*/}: Wine's 64-bit loader $WINE is missing: install the package wine64" >&2
    return 1
  fi
  # Absolute, since its steps run Wine from within it.
  export WINEPREFIX=$(realpath -m "$1") WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko prompt when a prefix is made, and no menu entries or file
  # associations of the prefix's on the user's desktop.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936, as on a Chinese
# Windows. LC_ALL overrides whatever locale the caller had set. The locale is built into
# a folder of our own, which glibc reads through LOCPATH, so the machine's locale set-up
# stays as it is and need not have it.
wine_chinese_locale() {
  local folder=$1 building
  if [ ! -f "$folder/zh_CN.UTF-8/LC_CTYPE" ]; then
    # Built aside and renamed, so that a start beside this one never reads half of it.
    if ! mkdir -p "$folder" 2>/dev/null || ! building=$(mktemp -d "$folder/.building-XXXXXX" 2>/dev/null); then
      echo "${0##*/}: could not write the zh_CN.UTF-8 locale into $folder" >&2
      return 1
    fi
    localedef -i zh_CN -c -f UTF-8 "$building/zh_CN.UTF-8" >/dev/null 2>&1 &&
      { mv -T "$building/zh_CN.UTF-8" "$folder/zh_CN.UTF-8" 2>/dev/null || true; }
    rm -rf "$building"
    if [ ! -f "$folder/zh_CN.UTF-8/LC_CTYPE" ]; then
      echo "${0##*/}: could not build the zh_CN.UTF-8 locale in $folder: is the package locales installed, is there room?" >&2
      return 1
    fi
  fi
  export LOCPATH=$folder
  # The shell itself cannot use the locale, since the C library reads LOCPATH from an
  # environment that only the shell's children get, and would say so.
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 2>/dev/null
}

# A Wine program run quietly; it inherits no descriptor of the prefix lock, which the
# wineserver it may start would otherwise hold for as long as it runs.
wine_quiet() {
  "$@" </dev/null >/dev/null 2>&1 9>&-
}

wine_prefix_make() {
  mkdir -p "$(dirname "$WINEPREFIX")" 2>/dev/null ||
    { echo "${0##*/}: could not make the folder $(dirname "$WINEPREFIX")" >&2; return 1; }
  # The lock ends with its holder, a start killed half-way included.
  { flock 9 && wine_prefix_make_locked "$@"; } 9>"$WINEPREFIX.lock" ||
    { [ -w "$(dirname "$WINEPREFIX")" ] || echo "${0##*/}: $(dirname "$WINEPREFIX") is not writable" >&2; return 1; }
}

# True where wine_prefix_make STAMP [SETTINGS] has nothing to do: the prefix is whole,
# made or updated by this Wine, with these settings.
wine_prefix_ready() {
  local registry
  registry=$(wine_settings "${2:-}") && wine_prefix_current "$1" "$(wine_settings_sum "$registry")"
}

wine_prefix_current() {
  [ -f "$WINEPREFIX/$1" ] && [ "$(cat "$WINEPREFIX/$1")" = "$2" ] && ! wine_prefix_outdated
}

wine_settings_sum() {
  printf '%s' "$1" | md5sum | cut -c 1-32
}

wine_prefix_outdated() {
  local made
  made=$(head -c 20 "$WINEPREFIX/.update-timestamp" 2>/dev/null | tr -d '\r\n')
  [ -f "$WINE_INF" ] && [ "$made" != disable ] && [ "$made" != "$(stat -c %Y "$WINE_INF")" ]
}

wine_prefix_make_locked() {
  local stamp=$1 settings=${2:-} registry sum
  registry=$(wine_settings "$settings") || return 1
  sum=$(wine_settings_sum "$registry")
  wine_prefix_current "$stamp" "$sum" && return 0
  # A server of an earlier start, or of the Wine before an upgrade, which the new
  # Wine cannot talk to.
  wine_quiet "$WINESERVER" -k
  if [ -f "$WINEPREFIX/$stamp" ]; then
    local mode=settings
    ! wine_prefix_outdated || mode=update
    wine_prefix_steps "$registry" $mode && printf '%s' "$sum" >"$WINEPREFIX/$stamp" && return 0
    echo "${0##*/}: could not bring the Wine prefix $WINEPREFIX up to date" >&2
    return 1
  fi
  # What a start killed half-way left.
  rm -rf "$WINEPREFIX"
  if wine_prefix_steps "$registry" init && printf '%s' "$sum" >"$WINEPREFIX/$stamp"; then
    return 0
  fi
  echo "${0##*/}: could not make the Wine prefix $WINEPREFIX; removed what was made of it" >&2
  wine_quiet "$WINESERVER" -k
  rm -rf "$WINEPREFIX"
  return 1
}

# The registry lines of the program's settings and of the function $1, in the format of
# Wine's regedit.
wine_settings() {
  # 宋体 comes from the GB Song font, whose metrics match SimSun's; the few glyphs it
  # lacks (the horizontal bar ― among them) are taken from UMing. The quillet keys
  # show, in the saved registry files, that the whole import reached both.
  printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]' \
    '"AR PL SungtiL GB"=hex(7):75,00,6d,00,69,00,6e,00,67,00,2e,00,74,00,74,00,63,00,2c,00,41,00,52,00,20,00,50,00,4c,00,20,00,55,00,4d,00,69,00,6e,00,67,00,20,00,43,00,4e,00,00,00,00,00' \
    '"文鼎ＰＬ简报宋"=hex(7):75,00,6d,00,69,00,6e,00,67,00,2e,00,74,00,74,00,63,00,2c,00,41,00,52,00,20,00,50,00,4c,00,20,00,55,00,4d,00,69,00,6e,00,67,00,20,00,43,00,4e,00,00,00,00,00' \
    '' '[HKEY_LOCAL_MACHINE\Software\quillet]' '"Prefix"="whole"' \
    '' '[HKEY_CURRENT_USER\Software\quillet]' '"Prefix"="whole"'
  [ -z "$1" ] || { echo; "$1"; }
}

# Makes (init) or updates (update) the prefix, or neither (settings), and imports the
# settings $1, with no window of Wine's own: wineboot runs without a display, so it
# cannot show its "updating the configuration" window. One server, kept for the steps
# and then ended, which saves the registry at once instead of after its usual idle
# time; one a killed start left ends on its own after half a minute.
wine_prefix_steps() {
  local registry=$1 file status=0
  mkdir -p "$WINEPREFIX" || return 1
  file=$(mktemp "$WINEPREFIX/.settings-XXXXXX.reg") || return 1
  # regedit reads UTF-16 with a byte-order mark, whatever the locale.
  printf '\xff\xfe' >"$file" && printf '%s\n' "$registry" | iconv -f UTF-8 -t UTF-16LE >>"$file" || status=1
  [ $status -ne 0 ] || wine_in_prefix "$WINESERVER" -p30 || status=1
  [ $status -ne 0 ] || [ "$2" = settings ] || wine_in_prefix "$WINE" wineboot "--$2" ||
    { echo "${0##*/}: wineboot --$2 failed" >&2; status=1; }
  [ $status -ne 0 ] || wine_in_prefix "$WINE" regedit /S "$(basename "$file")" || { echo "${0##*/}: regedit failed" >&2; status=1; }
  wine_in_prefix "$WINESERVER" -k
  wine_in_prefix "$WINESERVER" -w
  rm -f "$file"
  [ $status -eq 0 ] && wine_prefix_saved
}

# Wine's programs as they make the prefix: in its folder (regedit finds the file there),
# in a locale every system has, without a display.
wine_in_prefix() {
  (cd "$WINEPREFIX" && export LOCPATH= DISPLAY= WAYLAND_DISPLAY= && export LC_ALL=C.UTF-8 2>/dev/null && wine_quiet "$@")
}

# The registry the server saved holds the settings, and wineboot made the system files.
wine_prefix_saved() {
  local hive
  for hive in system.reg user.reg; do
    grep -qF '[Software\\quillet]' "$WINEPREFIX/$hive" 2>/dev/null ||
      { echo "${0##*/}: the settings are missing from $WINEPREFIX/$hive: was there room to save them?" >&2; return 1; }
  done
  [ -s "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] ||
    { echo "${0##*/}: wineboot made no $WINEPREFIX/drive_c/windows/system32/kernel32.dll" >&2; return 1; }
}
