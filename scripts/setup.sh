#!/usr/bin/env bash
# Installs what building, running and testing quillet needs on Debian 12.
# Idempotent: installs only missing packages and generates the locale once.
set -euo pipefail

packages=(
  cmake make g++ googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine64 wine32:i386 xvfb xauth xdotool imagemagick x11-utils
  locales fonts-arphic-uming fonts-arphic-gbsn00lp
  clang-14 libclang-rt-14-dev clang-tidy-14 cppcheck python3
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The 32-bit program runs under Debian's 32-bit Wine half, a package of the i386
# architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  as_root dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Some kernels run 64-bit user code only (i386 execve answers "Exec format error"). There
# the 32-bit half of Wine, a set of 32-bit Linux programs, runs under QEMU's i386 user
# emulation, registered with the kernel's binfmt_misc for 32-bit x86 executables; the
# Windows programs it runs are the same bytes. QEMU comes from bookworm-backports: the
# 7.2 of bookworm takes a minute to start each 32-bit Wine process, the 10.0 there under
# a second.
emulate_i386() {
  local list=/etc/apt/sources.list.d/quillet-bookworm-backports.list
  local qemu=/usr/bin/qemu-i386 binfmt=/proc/sys/fs/binfmt_misc
  if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null)" ge 1:9.1; then
    grep -rqsE '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/ ||
      echo 'deb http://deb.debian.org/debian bookworm-backports main' | as_root tee "$list" >/dev/null
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      -t bookworm-backports qemu-user >/dev/null
  fi
  [ -f "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  # An entry of an earlier set-up may name another interpreter.
  if [ -f "$binfmt/qemu-i386" ] && ! grep -qx "interpreter $qemu" "$binfmt/qemu-i386"; then
    echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null
  fi
  [ -f "$binfmt/qemu-i386" ] || printf '%s' ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$qemu:F" |
    as_root tee "$binfmt/register" >/dev/null
}
# An entry already registered (an earlier set-up's, perhaps naming an older QEMU) means
# emulation too, even on a kernel that could run the programs itself.
if [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "setup: running 32-bit x86 programs under qemu-i386"
  emulate_i386
  /usr/lib/wine/wine --version >/dev/null || { echo "setup: 32-bit programs still do not run" >&2; exit 1; }
fi

# Wine takes its ANSI code page from LANG: zh_CN.UTF-8 gives 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
