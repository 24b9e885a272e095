# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the game (argument: its path) and checks what a screen reader sees
through AT-SPI: each control's name and description, "Tier" pressed through
its accessible action, and the new score and scrambled line announced.
Needs a screen, a session bus and the AT-SPI bus (tools/a11y-check.sh)."""

import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# (role, accessible name, description: the control's line of help)
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

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message)


def showing_controls(pid):
    """(role, name) -> accessible, once the game's window shows "Tier"."""
    desktop = pyatspi.Registry.getDesktop(0)
    for application in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if application is not None and application.get_process_id() == pid:
            found = {(a.getRole(), a.name): a for a in pyatspi.findAllDescendants(application, lambda a: True)
                     if a.getState().contains(pyatspi.STATE_SHOWING)}
            if (pyatspi.ROLE_PUSH_BUTTON, "Tier") in found:
                return found
    return None


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def main():
    signal.alarm(60)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # The game takes no arguments: Qt must not act on one that would stop it.
    game = subprocess.Popen([sys.argv[1], "-platform", "none"], env=env, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            controls = showing_controls(game.pid)
            if controls:
                break
            time.sleep(0.2)
        else:
            raise SystemExit("FAIL: the game's controls did not appear on the AT-SPI bus")

        for role, name, description in CONTROLS:
            accessible = controls.get((role, name))
            check(accessible is not None, "no %s named %r" % (pyatspi.Role(role), name))
            if accessible is not None:
                check(accessible.description == description,
                      "%r describes itself as %r" % (name, accessible.description))
                check(accessible.getState().contains(pyatspi.STATE_FOCUSABLE),
                      "%r cannot take the keyboard focus" % name)

        score = controls[(pyatspi.ROLE_TEXT, "Punkte")]
        before = text_of(score)
        announced = {}

        def on_text_changed(event):
            if event.type.endswith("insert") and event.source is not None:
                announced.setdefault(event.source.name, []).append(event.any_data)

        pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
        action = controls[(pyatspi.ROLE_PUSH_BUTTON, "Tier")].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, "Tier has no press action, only %r" % names)
        action.doAction(names.index("Press") if "Press" in names else 0)
        # Long enough for the first clock step to scramble the letters again.
        GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()

        after = text_of(score)
        check(after != before and after.strip().lstrip("-").isdigit(),
              "the score went from %r to %r after Tier" % (before, after))
        scrambled = text_of(controls[(pyatspi.ROLE_TEXT, "Gemischte Buchstaben")])
        for name, text in (("Punkte", after), ("Gemischte Buchstaben", scrambled)):
            check(text and text in announced.get(name, []),
                  "%r: its new text %r was not announced (heard %r)" % (name, text, announced.get(name)))
    finally:
        game.kill()
        game.wait()
    if failures:
        raise SystemExit("%d accessibility check(s) failed" % len(failures))
    print("%d controls named and described, Tier pressed, score %r -> %r announced"
          % (len(CONTROLS), before, after))


if __name__ == "__main__":
    main()
