#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in the prefix WINEPREFIX names, with its
# output on ours and its exit status as ours. The tests of a Windows build
# use it as their emulator.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the Wine prefix to run in}"
# Wine's chatter and its offers to install .NET and a browser engine stay out.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps Qt's variables from Windows programs unless they are spelt
# WINEQT_...; and without a console Qt would log to the debugger, not to us.
while IFS= read -r name; do
  export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_' || true)
export WINEQT_FORCE_STDERR_LOGGING=1
exec wine "$@"
