# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the game (argument: its path) and checks through AT-SPI what a
screen reader finds where Orca cannot be driven by keys (a Wayland screen):
at start, after "Tier" and after "Zeigen", pressed through their accessible
actions, every control of window/main_window.ui, each hidden in one of these
states too, with its name, its role and its help sentence as its description.
Needs a screen, a session bus and the AT-SPI bus (tools/a11y-check.sh)."""

import os
import subprocess
import sys
import time

import pyatspi

import form

# They have no sentence of their own; their neighbours' tell what they are for.
BORROWED_HELP = {"HScroll1": "Label1", "txtSuchwort": "cmdSortieren"}


def showing(pid):
    """(role, name) -> accessible, for what the game's window shows."""
    desktop = pyatspi.Registry.getDesktop(0)
    for application in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if application is not None and application.get_process_id() == pid:
            return {(a.getRoleName(), a.name): a for a in pyatspi.findAllDescendants(application, lambda a: True)
                    if a.getState().contains(pyatspi.STATE_SHOWING)}
    return {}


def main():
    controls = form.controls()
    expected = {name: c for name, c in controls.items() if c["role"] and c.get("accessibleName")}
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # The game takes no arguments: Qt must not act on one that would stop it.
    game = subprocess.Popen([sys.argv[1], "-platform", "none"], env=env, stderr=subprocess.DEVNULL)
    key = lambda name: (expected[name]["role"], expected[name]["accessibleName"])
    try:
        for _ in range(100):
            seen = showing(game.pid)
            if key("Command1") in seen:
                break
            time.sleep(0.2)
        else:
            raise SystemExit("FAIL: the game's controls did not appear on the AT-SPI bus")
        for button in ("Command2", "Command1"):
            seen[key(button)].queryAction().doAction(0)
            time.sleep(0.5)
            seen.update(showing(game.pid))
        failures = []
        for name in expected:
            accessible = seen.get(key(name))
            description = controls[BORROWED_HELP.get(name, name)].get("hilfe")
            if accessible is None:
                failures.append("no %s named %r" % key(name))
            elif description is not None and accessible.description != description:
                failures.append("%r describes itself as %r" % (key(name)[1], accessible.description))
    finally:
        game.kill()
        game.wait()
    if failures:
        raise SystemExit("\n".join("FAIL: " + failure for failure in failures))
    print("%d controls found with their names, roles and descriptions" % len(expected))


if __name__ == "__main__":
    main()
