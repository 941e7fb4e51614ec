#!/usr/bin/env bash
# Installs on Debian 12 or 13 what one of quillet's commands needs, and nothing more:
#   scripts/setup.sh run    building the 64-bit program and showing it under Wine
#   scripts/setup.sh test   building everything and running every test; the other
#                           developer tools (release, screenshots, benchmarks) use it too
#   scripts/setup.sh lint   static analysis of both builds
#   scripts/setup.sh fuzz   the native build with its fuzzers
# Idempotent: a second call installs nothing and changes nothing.
set -euo pipefail
level=${1:-}

# One list a need; each level takes the needs of its command.
windows_build=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
# locales holds the sources that Wine's zh_CN.UTF-8 locale is built from.
wine_display=(wine64 xvfb x11-utils locales fonts-arphic-uming fonts-arphic-gbsn00lp)
# clang, its runtimes and clang-tidy by the names every release gives its default version.
native_build=(cmake make g++ googletest python3 clang libclang-rt-dev)
windows_tests=(googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine32:i386
               xdotool imagemagick)
# The release's own checkers of a Debian package, its desktop entry and its AppStream
# data; Tk, which the package's launcher shows its own windows with.
package_checks=(lintian desktop-file-utils appstream tk)
analysers=(clang-tidy cppcheck)
case "$level" in
  run)  packages=("${windows_build[@]}" "${wine_display[@]}") ;;
  test) packages=("${windows_build[@]}" "${wine_display[@]}" "${native_build[@]}" "${windows_tests[@]}"
                  "${package_checks[@]}") ;;
  lint) packages=("${windows_build[@]}" "${native_build[@]}" "${analysers[@]}") ;;
  fuzz) packages=("${native_build[@]}") ;;
  *) echo "usage: scripts/setup.sh run|test|lint|fuzz" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: installing $(printf '%s\n' "${missing[@]}" | sort -u | tr '\n' ' ')"
  as_root apt-get update -qq
  apt_install "${missing[@]}"
}

# The 32-bit program runs under Debian's 32-bit Wine half, a package of the i386
# architecture.
add_i386_architecture() {
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  echo "setup: adding the i386 architecture"
  as_root dpkg --add-architecture i386
}

# How this machine runs 32-bit x86 programs: "native", "qemu VERSION", or nothing where
# they do not run. QEMU's user emulation answers QEMU_VERSION with its version instead
# of running the program.
i386_runner() {
  local out
  out=$(QEMU_VERSION=1 /usr/lib/wine/wine --version 2>&1) || return 0
  case "$out" in
    qemu-i386\ version\ *) echo "qemu $(awk 'NR == 1 { print $3 }' <<<"$out")" ;;
    wine-*) echo native ;;
  esac
}

# QEMU before 9.1 takes about a minute to start each 32-bit Wine process; 10.0 under a
# second.
i386_runs_well() {
  local runner
  runner=$(i386_runner)
  [ "$runner" = native ] || { [ -n "$runner" ] && dpkg --compare-versions "${runner#qemu }" ge 9.1; }
}

# True for a qemu-user package version (epoch 1) of 9.1 or later.
qemu_is_recent() {
  [ -n "$1" ] && [ "$1" != "(none)" ] && dpkg --compare-versions "$1" ge 1:9.1
}

# Adds bookworm-backports to apt's sources, from the mirror they use for bookworm, unless
# they name it already.
add_backports() {
  as_root apt-get update -qq
  [ -z "$(apt-get indextargets 'Release: bookworm-backports')" ] || return 0
  local mirrors mirror
  mirrors=$(apt-get indextargets --format '$(REPO_URI)' 'Release: bookworm' 'Origin: Debian' 'Target-Of: deb')
  mirror=${mirrors%%$'\n'*}
  if [ -z "$mirror" ]; then
    echo "setup: 32-bit programs need QEMU 9.1 or later from bookworm-backports, and apt's sources" \
         "name no Debian bookworm mirror to take it from; add the line" \
         "'deb MIRROR bookworm-backports main' to apt's sources and run this again" >&2
    exit 1
  fi
  echo "setup: adding bookworm-backports from $mirror to apt's sources"
  echo "deb $mirror bookworm-backports main" | as_root tee /etc/apt/sources.list.d/quillet-bookworm-backports.list >/dev/null
  as_root apt-get update -qq
}

# Where the kernel runs no 32-bit code (i386 execve answers "Exec format error"), or runs
# it only through an old QEMU, Wine's 32-bit half runs under QEMU 9.1 or later, from the
# release itself where it has that (Debian 13 does), else from bookworm-backports,
# registered with the kernel's binfmt_misc under an entry of the project's own. Entries
# of others are left as they are.
install_recent_qemu() {
  qemu_is_recent "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null)" && return 0
  as_root apt-get update -qq
  if qemu_is_recent "$(apt-cache policy qemu-user | awk '$1 == "Candidate:" { print $2 }')"; then
    echo "setup: installing qemu-user"
    apt_install qemu-user
  else
    add_backports
    echo "setup: installing qemu-user from bookworm-backports"
    apt_install -t bookworm-backports qemu-user
  fi
}

emulate_i386() {
  local binfmt=/proc/sys/fs/binfmt_misc entry=quillet-i386
  install_recent_qemu
  [ -f "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  # Of two entries that match a program the kernel uses the one registered last, so the
  # project's own is registered anew, after any other.
  [ ! -f "$binfmt/$entry" ] || echo -1 | as_root tee "$binfmt/$entry" >/dev/null
  echo "setup: registering /usr/bin/qemu-i386 as $binfmt/$entry"
  printf '%s' ":$entry:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F" |
    as_root tee "$binfmt/register" >/dev/null
}

# Makes sure 32-bit programs run, and through QEMU 9.1 or later if through QEMU at all.
run_i386_programs() {
  i386_runs_well && return 0
  emulate_i386
  i386_runs_well && return 0
  echo "setup: 32-bit programs still do not run through QEMU 9.1 or later (runner: '$(i386_runner)')" >&2
  exit 1
}

[ "$level" != test ] || add_i386_architecture
install_missing "${packages[@]}"
[ "$level" != test ] || run_i386_programs
