# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the game and checks what assistive technology sees of it through
AT-SPI: every control with its name and description, the "Tier" button
pressed through its accessible action, and the score and the scrambled line
announcing their new text.

Usage: check_tree.py PROGRAM
Needs a display, a session bus and the AT-SPI bus (tools/a11y-check.sh).
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.dont_write_bytecode = True

# Nothing here may wait longer than this in all.
DEADLINE_SECONDS = 60

# (role, accessible name, description): the description is the control's
# line of help.
CONTROLS = [
    (pyatspi.ROLE_PUSH_BUTTON, "Tier", "Zufallstier"),
    (pyatspi.ROLE_PUSH_BUTTON, "Zeigen", "Lösung zeigen"),
    (pyatspi.ROLE_PUSH_BUTTON, "Ende", "Programm beenden"),
    (pyatspi.ROLE_PUSH_BUTTON, "mischen", "Bei angehaltenem Mischer einmal neu mischen"),
    (pyatspi.ROLE_PUSH_BUTTON, "stop", "Mischer anhalten"),
    (pyatspi.ROLE_PUSH_BUTTON, "weiter", "Mischer weiterlaufen lassen"),
    (pyatspi.ROLE_PUSH_BUTTON, "1. Buchstabe", "Kleine Hilfen"),
    (pyatspi.ROLE_PUSH_BUTTON, "letzter B.", "Kleine Hilfen"),
    (pyatspi.ROLE_CHECK_BOX, "Grossbuchstaben",
     "Anfangsbuchstaben automatisch vorne in Großschrift zeigen, nur der Rest wird sortiert"),
    (pyatspi.ROLE_CHECK_BOX, "Letzter Buchstabe",
     "Der letzte Buchstabe wird automatisch korrekt angezeigt, nur der Rest wird sortiert"),
    (pyatspi.ROLE_CHECK_BOX, "max 10 Buchstaben", "Nur Tiere mit maximal 10 Buchstaben wählen"),
    (pyatspi.ROLE_CHECK_BOX, "Stop", "Häkchen: Uhr hält an, Häkchen entfernen: Uhr läuft weiter"),
    (pyatspi.ROLE_SCROLL_BAR, "Bedenkzeit einstellen",
     "Ablaufgeschwindigkeit der Bedenkzeit von 1(kurz) bis 5 (lang) einstellen"),
    (pyatspi.ROLE_TEXT, "Bedenkzeit", "Bedenkzeit 1 (kurz) bis 5 (lang)"),
    (pyatspi.ROLE_TEXT, "Gemischte Buchstaben", "Die Buchstaben werden durcheinandergewürfelt"),
    (pyatspi.ROLE_TEXT, "Sortierte Buchstaben",
     "Die Buchstaben des Tiernamens in sortierter Reihenfolge"),
    (pyatspi.ROLE_TEXT, "Punkte", "Punktzahl, falls jetzt das Tier erkannt wird"),
]
SCORE, SCRAMBLED = "Punkte", "Gemischte Buchstaben"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message)


def wait_for(find, what, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    raise SystemExit("FAIL: %s did not appear within %d s" % (what, seconds))


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def controls_of(application):
    """(role, name) -> accessible of every showing control."""
    found = {}
    for accessible in pyatspi.findAllDescendants(application, lambda a: True):
        if accessible.getState().contains(pyatspi.STATE_SHOWING):
            found[(accessible.getRole(), accessible.name)] = accessible
    return found


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def main():
    program = sys.argv[1]
    signal.alarm(DEADLINE_SECONDS)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    try:
        application = wait_for(lambda: find_application(game.pid), "the game on the AT-SPI bus", 20)
        # The tree fills once the window is shown.
        controls = wait_for(lambda: (lambda c: c if (pyatspi.ROLE_PUSH_BUTTON, "Tier") in c else None)(
            controls_of(application)), "the window's controls", 20)

        for role, name, description in CONTROLS:
            accessible = controls.get((role, name))
            check(accessible is not None, "no %s named %r" % (pyatspi.Role(role), name))
            if accessible is not None:
                check(accessible.description == description,
                      "%r describes itself as %r" % (name, accessible.description))
                check(accessible.getState().contains(pyatspi.STATE_FOCUSABLE),
                      "%r cannot take the keyboard focus" % name)

        score = controls[(pyatspi.ROLE_TEXT, SCORE)]
        before = text_of(score)
        announced = {}

        def on_text_changed(event):
            if event.type.endswith("insert") and event.source is not None:
                announced.setdefault(event.source.name, []).append(event.any_data)

        pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
        tier = controls[(pyatspi.ROLE_PUSH_BUTTON, "Tier")]
        action = tier.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, "Tier has no press action, only %r" % names)
        action.doAction(names.index("Press") if "Press" in names else 0)
        # Long enough for the first clock step to scramble the letters again.
        GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()

        after = text_of(score)
        check(after != before and after.strip().lstrip("-").isdigit(),
              "the score went from %r to %r after Tier" % (before, after))
        check(after in announced.get(SCORE, []),
              "the score's new text %r was not announced (heard %r)" % (after, announced.get(SCORE)))
        scrambled = text_of(controls[(pyatspi.ROLE_TEXT, SCRAMBLED)])
        check(bool(scrambled) and scrambled in announced.get(SCRAMBLED, []),
              "the scrambled line %r was not announced (heard %r)" % (scrambled, announced.get(SCRAMBLED)))
    finally:
        game.kill()
        game.wait()
    if failures:
        raise SystemExit("%d accessibility check(s) failed" % len(failures))
    print("accessibility: %d controls named and described, Tier pressed, score %r -> %r announced"
          % (len(CONTROLS), before, after))


if __name__ == "__main__":
    main()
