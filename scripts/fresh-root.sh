#!/usr/bin/env bash
# Tries one of the README's two commands as a newcomer would, or the Debian package as a
# new user would: makes a fresh root of a Debian release with debootstrap (minbase)
# from the mirror this machine's apt uses, and in a chroot there
#   scripts/fresh-root.sh RELEASE run|test [FOLDER]
#       clones the current commit (with git and ca-certificates) and runs the command;
#   scripts/fresh-root.sh RELEASE package [FOLDER]
#       installs dist/quillet_*_amd64.deb (scripts/release.sh makes it), starts it as a
#       new user on a private display and purges it again (scripts/package-trial.sh),
#       keeping what it saw in FOLDER.trial.
# RELEASE is a Debian code name (bookworm, trixie). The root is made anew in FOLDER
# (default build/roots/RELEASE) and kept afterwards; its mounts and every process
# still running in it end with this script. Needs root.
set -euo pipefail
usage="usage: scripts/fresh-root.sh RELEASE run|test|package [FOLDER]"
root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:?$usage}
command=${2:?$usage}
case "$command" in
  run | test) include=(--include=git,ca-certificates) ;;
  package)
    include=()
    debs=("$root"/dist/quillet_*_amd64.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] ||
      { echo "fresh-root: dist/ should hold one quillet_*_amd64.deb (scripts/release.sh)" >&2; exit 2; } ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
target=$(realpath -m "${3:-$root/build/roots/$release}")
[ "$(id -u)" -eq 0 ] || { echo "fresh-root: needs root (debootstrap, chroot, mount)" >&2; exit 2; }

if ! command -v debootstrap >/dev/null; then
  echo "fresh-root: installing debootstrap"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' 'Label: Debian' 'Target-Of: deb' | head -n 1)
[ -n "$mirror" ] || { echo "fresh-root: apt's sources name no Debian mirror" >&2; exit 1; }

# Only file systems of the root's own are mounted, none bound from this machine, so
# that removing a root whose mounts outlived a killed run cannot reach the machine's
# files. debootstrap has made the device nodes.
mounts=(proc sys dev/pts dev/shm)
mount_root() {
  mount -t proc proc "$target/proc"
  mount -t sysfs sysfs "$target/sys"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$target/dev/pts"
  mount -t tmpfs -o mode=1777 shm "$target/dev/shm"
}

# Processes whose root is this one, then the mounts, innermost first.
release_root() {
  local link pid
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$target" ] || continue
    pid=${link#/proc/}
    kill -9 "${pid%/root}" 2>/dev/null || true
  done
  sleep 0.5
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    # binfmt_misc, if the set-up mounted it, sits inside proc.
    umount -R "$target/${mounts[i]}" 2>/dev/null || umount -R -l "$target/${mounts[i]}" 2>/dev/null || true
  done
}

if [ -d "$target" ]; then
  release_root
  rm -rf --one-file-system "$target"
fi
mkdir -p "$target"
echo "fresh-root: debootstrap $release from $mirror into $target"
debootstrap --variant=minbase "${include[@]}" "$release" "$target" "$mirror" >"$target.debootstrap.log" 2>&1 ||
  { tail -n 20 "$target.debootstrap.log" >&2; exit 1; }
cp /etc/resolv.conf "$target/etc/resolv.conf"

trap release_root EXIT
mount_root
if [ "$command" = package ]; then
  . "$root/scripts/package-trial.sh"
  start=$SECONDS
  status=0
  package_trial "$target" "${debs[0]}" "$target.trial" || status=$?
  echo "fresh-root: the package's trial ended with $status after $((SECONDS - start)) s"
  exit "$status"
fi
git clone -q "$root" "$target/root/quillet"
echo "fresh-root: scripts/$command.sh in $target/root/quillet"
start=$SECONDS
status=0
chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" ${DISPLAY:+DISPLAY="$DISPLAY"} \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c "cd /root/quillet && scripts/$command.sh" || status=$?
echo "fresh-root: scripts/$command.sh ended with $status after $((SECONDS - start)) s"
exit "$status"
