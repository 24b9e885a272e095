# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that work in minimal Debian roots of their own: the
# test command on a fresh machine of either release, the package installed on
# one, and the tools that need the other release (emscripten and Wine 10 come
# with Debian 13, the Qt for Windows wants Debian 12's host tools).
#
# make_root RELEASE DIR
#   Makes DIR a minimal Debian root of RELEASE (debootstrap's minbase) from
#   the machine's own Debian mirror, with a machine id, no services started by
#   packages and the machine's own certificate authorities, which npm needs
#   there as apt needs its sources. The bare root is kept for a week in
#   $roots_dir/RELEASE-bare.tar unless ROOTS_CACHE=no.
# run_in_root DIR [--bind HOST INSIDE]... [--ro-bind HOST INSIDE]... -- COMMAND...
#   Runs COMMAND as root inside DIR, in mount and PID namespaces of its own
#   (nothing it starts outlives it), with /proc, /sys, /dev, /run and /tmp and
#   the packages apt downloads for RELEASE kept in $roots_dir/RELEASE-debs
#   (or ROOTS_DEBS; none with ROOTS_CACHE=no). The environment is a clean
#   one plus the names listed in ROOTS_ENV. Its exit status is COMMAND's.
# run_in_release RELEASE COMMAND...
#   Runs COMMAND in a Debian root of RELEASE that is kept for such work
#   ($roots_dir/RELEASE-work, made anew after a week), with this checkout and
#   the shared folder beside it at the same paths, in the checkout.
# needs_release RELEASE SCRIPT ARGUMENTS...
#   For a script that needs RELEASE: returns on a machine of that release,
#   else runs the script with its arguments by run_in_release and exits with
#   its status. Call it as: needs_release trixie "$0" "$@"
# release_of_machine
#   Prints the machine's release code name (bookworm, trixie).

roots_dir=/var/tmp/wuselwort-roots
roots_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

release_of_machine() {
  (. /etc/os-release && echo "$VERSION_CODENAME")
}

# The Debian mirror the machine's apt takes its release from; nothing where
# apt names none, and debootstrap then takes its own default.
machine_mirror() {
  apt-get indextargets --format '$(ORIGIN)|$(LABEL)|$(SITE)' 'Identifier: Packages' 2>/dev/null |
    awk -F'|' '$1 == "Debian" && $2 == "Debian" { print $3; exit }'
}

make_root() {
  local release=$1 root=$2 bare=$roots_dir/$1-bare.tar mirror log
  [ "$(id -u)" -eq 0 ] || { echo "a Debian root needs root (debootstrap, chroot)" >&2; return 2; }
  "$roots_top/tools/deps.sh" debootstrap ca-certificates >&2
  mkdir -p "$roots_dir" "$root"
  # apt and D-Bus drop to users of their own, who must see into the root.
  chmod 755 "$root"
  (
    # One bare root at a time per release: a second caller waits and takes it.
    flock 9
    if [ "${ROOTS_CACHE:-yes}" != no ] && [ -n "$(find "$bare" -mtime -7 2>/dev/null)" ]; then
      tar --numeric-owner -xpf "$bare" -C "$root"
      exit
    fi
    mirror=$(machine_mirror)
    log=$(mktemp)
    if ! debootstrap --variant=minbase "$release" "$root" $mirror >"$log" 2>&1; then
      echo "debootstrap of Debian $release from ${mirror:-its default mirror} failed:" >&2
      grep -E '^(E|W): ' "$log" >&2 || tail -n 20 "$log" >&2
      rm -f "$log"
      exit 1
    fi
    rm -f "$log"
    if [ "${ROOTS_CACHE:-yes}" != no ]; then
      tar --numeric-owner -cpf "$bare.$$" -C "$root" . && mv "$bare.$$" "$bare"
    fi
  ) 9>"$roots_dir/$release.lock" || return

  # Every installed Debian has a machine id; D-Bus wants one.
  od -An -tx1 -N16 /dev/urandom | tr -d ' \n' >"$root/etc/machine-id"
  echo >>"$root/etc/machine-id"
  # Packages start no services in a root without an init.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
  # Taken in when the root installs ca-certificates.
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp -L /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/" 2>/dev/null || true
}

run_in_root() {
  local root=$1 release binds=()
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    case $1 in
      --bind | --ro-bind) binds+=("$1" "$2" "$3") && shift 3 ;;
      *) echo "run_in_root: unknown option $1" >&2 && return 2 ;;
    esac
  done
  shift
  release=$(. "$root/etc/os-release" && echo "$VERSION_CODENAME")
  local debs=
  if [ "${ROOTS_CACHE:-yes}" != no ]; then
    debs=${ROOTS_DEBS:-$roots_dir/$release-debs}
    mkdir -p "$debs/partial"
  fi
  # Mounts made here must not reach the machine's own tree. Where / is no
  # mount point, as inside a chroot, its propagation cannot be changed: what
  # is mounted is then unmounted by name at the end, which reaches any copy.
  local propagation=private
  unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
  unshare --mount --propagation $propagation --pid --fork --kill-child \
    "$BASH" -c 'set -euo pipefail && . "$0" && _mounted_run "$@"' "$roots_top/tools/roots.sh" \
    "$root" "$debs" "$propagation" "${#binds[@]}" "${binds[@]}" "$@"
}

# Inside the namespaces: mounts what a root needs, runs the command in it.
_mounted_run() {
  local root=$1 debs=$2 propagation=$3 count=$4 mounted=() status=0
  shift 4
  local binds=("${@:1:count}")
  shift "$count"
  mount_at() {
    local target=$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted=("$target" "${mounted[@]}")
  }
  mount_at "$root/proc" -t proc proc
  mount_at "$root/sys" -t sysfs sysfs
  mount_at "$root/dev" --rbind /dev
  # D-Bus, Xvfb and weston keep their sockets and locks here, as on a machine.
  mount_at "$root/run" -t tmpfs -o mode=755 run
  mount_at "$root/tmp" -t tmpfs -o mode=1777 tmp
  [ -z "$debs" ] || mount_at "$root/var/cache/apt/archives" --bind "$debs"
  local i
  for ((i = 0; i < count; i += 3)); do
    mount_at "$root${binds[i + 2]}" --bind "${binds[i + 1]}"
    [ "${binds[i]}" != --ro-bind ] || mount -o remount,bind,ro "$root${binds[i + 2]}"
  done
  local environment=(HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}"
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
  local name
  for name in ${ROOTS_ENV:-}; do
    [ -z "${!name+set}" ] || environment+=("$name=${!name}")
  done
  chroot "$root" env -i "${environment[@]}" "$@" || status=$?
  if [ "$propagation" = unchanged ]; then
    local target
    for target in "${mounted[@]}"; do
      umount -R -l "$target" 2>/dev/null || true
    done
  fi
  return $status
}

run_in_release() {
  local release=$1 work=$roots_dir/$1-work
  shift
  if [ ! -f "$work/ready" ] || [ -n "$(find "$work/ready" -mtime +7)" ]; then
    rm -rf --one-file-system "$work"
    make_root "$release" "$work" || return
    touch "$work/ready"
  fi
  local shared binds=(--bind "$roots_top" "$roots_top")
  shared=$(realpath -m "$roots_top/../shared")
  [ ! -d "$shared" ] || binds+=(--ro-bind "$shared" "$shared")
  # Its downloads are kept apart: apt in two roots at once must not share them.
  ROOTS_DEBS=$roots_dir/$release-work-debs \
    run_in_root "$work" "${binds[@]}" -- bash -c 'cd "$0" && exec "$@"' "$roots_top" "$@"
}

needs_release() {
  local release=$1
  shift
  [ "$(release_of_machine)" != "$release" ] || return 0
  echo "$1 needs Debian $release: running it in a root of that release ($roots_dir/$release-work)" >&2
  run_in_release "$release" "$@"
  exit
}
