#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package as a player of the machine's release (Debian 12
# or 13) gets it: builds it (tools/linux/package.sh), lets lintian judge it
# (an error fails, warnings are shown), then in a fresh minimal root of the
# same release (tools/roots.sh) installs it with apt-get, which must pull in
# all it needs to run, starts the installed game on a virtual X11 screen,
# which must show its window and keep running, and purges the package, which
# must take every file of it away again.
# Usage: tools/linux/package-check.sh [BUILD_DIR]   (default build-pkg)
set -euo pipefail
cd "$(dirname "$0")/../.."
. tools/roots.sh
build=${1:-build-pkg}
release=$(release_of_machine)
[ "$(id -u)" -eq 0 ] || { echo "tools/linux/package-check.sh needs root (a Debian root of its own)" >&2; exit 2; }
tools/deps.sh lintian

deb=$(realpath "$(tools/linux/package.sh "$build" | tail -n 1)")
echo "lintian on $(basename "$deb") (Debian $release):"
lintian --fail-on error "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }

mkdir -p "$roots_dir"
root=$(mktemp -d "$roots_dir/package-$release-XXXXXX")
trap 'rm -rf --one-file-system "$root"' EXIT
make_root "$release" "$root"
echo "installing, starting and purging $(basename "$deb") in a fresh Debian $release root"
run_in_root "$root" --ro-bind "$(dirname "$deb")" /mnt/package --ro-bind "$PWD/tools" /mnt/tools -- \
  bash -c "$(
    cat <<'EOF'
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
deb=/mnt/package/$0
fail() {
  echo "$*" >&2
  exit 1
}
apt-get update -qq || fail "apt-get update failed in the fresh root"
# What the package depends on must be enough: nothing it only recommends.
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null ||
  fail "apt-get could not install $deb with what it depends on"
dpkg-query -L wuselwort >/tmp/files

# The screen and the tool that finds the window come after the game's own
# dependencies, so they cannot stand in for one of them.
apt-get install -y -qq --no-install-recommends xvfb xdotool >/dev/null ||
  fail "apt-get could not install xvfb and xdotool, which start the game"
. /mnt/tools/virtual-screen.sh
trap stop_virtual_screen EXIT
start_virtual_screen x11
SECONDS=0
wuselwort 2>/tmp/game.log &
game=$!
# Until its window shows or it ends, for at most a minute.
shown=
while [ -z "$shown" ] && kill -0 "$game" 2>/dev/null && [ "$SECONDS" -lt 60 ]; do
  shown=$(xdotool search --onlyvisible --name '^Wuselwort$' 2>/dev/null || true)
  [ -n "$shown" ] || sleep 0.1
done
# Then it must live through its first seconds: no pause here can make a
# sound game fail, a busy machine only lets it do less meanwhile.
[ -z "$shown" ] || sleep 3
if [ -z "$shown" ] || ! kill -0 "$game" 2>/dev/null; then
  echo "the installed wuselwort showed no window within a minute, or ended by itself:" >&2
  cat /tmp/game.log >&2
  exit 1
fi
kill "$game"
wait "$game" 2>/dev/null || true
stop_virtual_screen
echo "the installed /usr/bin/wuselwort showed its window and kept running"

apt-get purge -y -qq wuselwort >/dev/null || fail "apt-get purge wuselwort failed"
left=()
while read -r path; do
  [ "$path" != /. ] && { [ -e "$path" ] || [ -L "$path" ]; } || continue
  # A folder that another package holds too stays, as it should.
  [ -d "$path" ] && [ ! -L "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
  left+=("$path")
done </tmp/files
status=$(dpkg-query -W -f='${db:Status-Abbrev}' wuselwort 2>/dev/null || true)
if [ -n "$status" ] && [[ $status != [pu]n* ]]; then
  echo "after apt-get purge, dpkg still has wuselwort (status $status)" >&2
  exit 1
fi
if [ ${#left[@]} -gt 0 ]; then
  echo "apt-get purge wuselwort left these behind:" >&2
  printf '  %s\n' "${left[@]}" >&2
  exit 1
fi
echo "apt-get purge wuselwort left none of its $(wc -l </tmp/files) paths behind"
EOF
  )" "$(basename "$deb")"
echo "the package of Debian $release installs, starts and purges cleanly"
