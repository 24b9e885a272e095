#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the test command as a new user would on a fresh Debian machine: makes a
# minimal root of RELEASE with debootstrap, clones this repository's HEAD into
# it (what is committed, not the work tree), installs git there and runs
# tools/test.sh as root inside. WUSELWORT_IN_FRESH_ROOT=1 tells the test
# command to leave out what does not belong inside: another root, Windows.
# The root is made under /var/tmp/wuselwort-roots/ and removed afterwards; its
# mounts and processes live in namespaces of their own and end with it, so
# that nothing the tests leave running outlives them. The bare root
# (for a week) and the packages apt downloads are kept there per release for
# the next run; --no-cache neither uses nor fills that cache, as on a fresh
# machine. --keep leaves the root in place to look at (build/orca.log...).
# Usage: tools/fresh-root.sh [--no-cache] [--keep] RELEASE   (bookworm, trixie)
# Exit status: that of the test command.
set -euo pipefail
cd "$(dirname "$0")/.."

roots=/var/tmp/wuselwort-roots
mirror=http://deb.debian.org/debian
clone=/root/wuselwort

# Inside the namespaces: mounts what the tests need and runs them.
if [ "${1:-}" = --mounted ]; then
  root=$2 debs=$3
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --rbind /dev "$root/dev"
  # D-Bus, Xvfb and weston keep their sockets and locks here, as on a machine.
  mount -t tmpfs -o mode=755 run "$root/run"
  mount -t tmpfs -o mode=1777 tmp "$root/tmp"
  [ -z "$debs" ] || mount --bind "$debs" "$root/var/cache/apt/archives"
  in_root() {
    chroot "$root" env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      WUSELWORT_IN_FRESH_ROOT=1 ${FUZZ_SECONDS:+FUZZ_SECONDS=$FUZZ_SECONDS} "$@"
  }
  in_root "$clone/tools/deps.sh" git
  status=0
  in_root "$clone/tools/test.sh" || status=$?
  # Drops the packages the mirror no longer has, so the cache stays small.
  [ -z "$debs" ] || in_root apt-get autoclean -qq
  exit $status
fi

cache=yes keep=
while [ $# -gt 1 ]; do
  case $1 in
    --no-cache) cache= ;;
    --keep) keep=yes ;;
    *) break ;;
  esac
  shift
done
[ $# -eq 1 ] && [[ $1 =~ ^[a-z]+$ ]] ||
  { echo "usage: tools/fresh-root.sh [--no-cache] [--keep] RELEASE" >&2; exit 2; }
release=$1
[ "$(id -u)" -eq 0 ] || { echo "tools/fresh-root.sh needs root (debootstrap, chroot)" >&2; exit 2; }
tools/deps.sh debootstrap git

mkdir -p "$roots"
root=$(mktemp -d "$roots/$release-XXXXXX")
# mktemp keeps it to its owner, but apt and D-Bus drop to users of their own.
chmod 755 "$root"
if [ -z "$keep" ]; then
  trap 'rm -rf --one-file-system "$root"' EXIT
fi

bare=$roots/$release-bare.tar
debs=
if [ -n "$cache" ] && [ -n "$(find "$bare" -mtime -7 2>/dev/null)" ]; then
  tar --numeric-owner -xpf "$bare" -C "$root"
else
  debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { cat "$root.debootstrap.log" >&2; rm -f "$root.debootstrap.log"; exit 1; }
  rm -f "$root.debootstrap.log"
  if [ -n "$cache" ]; then
    tar --numeric-owner -cpf "$bare.$$" -C "$root" . && mv "$bare.$$" "$bare"
  fi
fi
if [ -n "$cache" ]; then
  debs=$roots/$release-debs
  mkdir -p "$debs/partial"
fi

# Every installed Debian has a machine id; D-Bus wants one.
od -An -tx1 -N16 /dev/urandom | tr -d ' \n' >"$root/etc/machine-id"
echo >>"$root/etc/machine-id"
# Packages start no services in a root without an init.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

git clone --quiet --no-local "$PWD" "$root$clone"
echo "testing $(git -C "$root$clone" log -1 --format='%h %s') on Debian $release in $root"
status=0
unshare --mount --propagation private --pid --fork "$BASH" "$0" --mounted "$root" "$debs" || status=$?
[ -z "$keep" ] || echo "the root is kept: $root"
exit $status
