#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the test command as a new user would on a fresh Debian machine: makes a
# minimal root of RELEASE (tools/roots.sh), clones this repository's HEAD into
# it (what is committed, not the work tree), installs git there and runs
# tools/test.sh as root inside. The shared folder beside the checkout, which
# CI has too, is seen there beside the clone. WUSELWORT_IN_FRESH_ROOT=1 tells
# the test command to leave out what does not belong inside: another root,
# Windows. The root is made under /var/tmp/wuselwort-roots/ and removed
# afterwards; nothing the tests leave running outlives it. The bare root (for
# a week) and the packages apt downloads are kept there per release for the
# next run; --no-cache neither uses nor fills that cache, as on a fresh
# machine. --keep leaves the root in place to look at (build/orca.log...).
# Usage: tools/fresh-root.sh [--no-cache] [--keep] RELEASE   (bookworm, trixie)
# Exit status: that of the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/roots.sh
clone=/root/wuselwort

keep=
while [ $# -gt 1 ]; do
  case $1 in
    --no-cache) export ROOTS_CACHE=no ;;
    --keep) keep=yes ;;
    *) break ;;
  esac
  shift
done
[ $# -eq 1 ] && [[ $1 =~ ^[a-z]+$ ]] ||
  { echo "usage: tools/fresh-root.sh [--no-cache] [--keep] RELEASE" >&2; exit 2; }
release=$1
[ "$(id -u)" -eq 0 ] || { echo "tools/fresh-root.sh needs root (debootstrap, chroot)" >&2; exit 2; }
tools/deps.sh git

mkdir -p "$roots_dir"
root=$(mktemp -d "$roots_dir/$release-XXXXXX")
if [ -z "$keep" ]; then
  trap 'rm -rf --one-file-system "$root"' EXIT
fi
make_root "$release" "$root"
git clone --quiet --no-local "$PWD" "$root$clone"
binds=()
[ ! -d ../shared ] || binds+=(--ro-bind "$(realpath ../shared)" "$(dirname "$clone")/shared")

echo "testing $(git -C "$root$clone" log -1 --format='%h %s') on Debian $release in $root"
export WUSELWORT_IN_FRESH_ROOT=1 ROOTS_ENV="WUSELWORT_IN_FRESH_ROOT FUZZ_SECONDS"
status=0
# Drops the packages the mirror no longer has, so that the cache stays small.
run_in_root "$root" "${binds[@]}" -- bash -c \
  '"$0/tools/deps.sh" git && { status=0; "$0/tools/test.sh" || status=$?; apt-get autoclean -qq; exit $status; }' \
  "$clone" || status=$?
[ -z "$keep" ] || echo "the root is kept: $root"
exit $status
