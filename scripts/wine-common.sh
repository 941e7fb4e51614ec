# What every Wine process of quillet needs, defined once for the developers' sessions
# (scripts/wine-session.sh) and the package's launcher (/usr/bin/quillet), which both
# source this file:
#   wine_common_env PREFIX LOCALES  exports the environment of every Wine process: the
#                                   prefix, code page 936 (with the zh_CN.UTF-8 locale,
#                                   built into the folder LOCALES on first use), and
#                                   none of Wine's add-on prompts or menu entries; sets
#                                   WINE, WINE32 and WINESERVER; false, with one line on
#                                   standard error, where Wine or the locale is missing
#   wine_prefix_make STAMP [SETTINGS]
#                                   makes the prefix with the program's settings (and
#                                   those the function SETTINGS writes) unless the file
#                                   STAMP in it says it is whole; one caller at a time,
#                                   and a prefix left half-made is made anew

wine_common_env() {
  WINE=/usr/lib/wine/wine64
  # Wine's 32-bit loader, for running a 32-bit program as a process of its own.
  WINE32=/usr/lib/wine/wine
  WINESERVER=/usr/lib/wine/wineserver
  if [ ! -x "$WINE" ] || [ ! -x "$WINESERVER" ]; then
    echo "${0##*/}: Wine's 64-bit loader $WINE is missing: install the package wine64" >&2
    return 1
  fi
  export WINEPREFIX=$1 WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko prompt when a prefix is made, and no menu entries or file
  # associations of the prefix's on the user's desktop.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wine_chinese_locale "$2"
}

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936, as on a Chinese
# Windows. LC_ALL overrides whatever locale the caller had set. The locale is built into
# a folder of our own, which glibc reads through LOCPATH, so the machine's locale set-up
# stays as it is and need not have it.
wine_chinese_locale() {
  local folder=$1 building
  export LOCPATH=$folder
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
      echo "${0##*/}: could not build the zh_CN.UTF-8 locale in $folder: is the package locales installed?" >&2
      return 1
    fi
  fi
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
  mkdir -p "$(dirname "$WINEPREFIX")" 2>/dev/null || return 1
  # The lock ends with its holder, a start killed half-way included.
  { flock 9 && wine_prefix_make_locked "$@"; } 9>"$WINEPREFIX.lock" 2>/dev/null
}

wine_prefix_make_locked() {
  local stamp=$1 settings=${2:-}
  [ -f "$WINEPREFIX/$stamp" ] && return 0
  # What a start killed half-way left: its server first, then its files.
  wine_quiet "$WINESERVER" -k
  rm -rf "$WINEPREFIX"
  wine_quiet "$WINE" wineboot -i
  # 宋体 comes from the GB Song font, whose metrics match SimSun's; the few glyphs it
  # lacks (the horizontal bar ― among them) are taken from UMing.
  local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
  for face in "AR PL SungtiL GB" "文鼎ＰＬ简报宋"; do
    wine_quiet "$WINE" reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'uming.ttc,AR PL UMing CN' /f || return 1
  done
  [ -z "$settings" ] || "$settings" || return 1
  # The registry is on disk once the server has ended; only then is the prefix whole.
  wine_quiet "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] && touch "$WINEPREFIX/$stamp"
}
