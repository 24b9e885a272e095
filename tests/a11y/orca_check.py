# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the game (first argument: its path) by keyboard while the screen
reader Orca listens, and judges it by what Orca says (the SPEECH OUTPUT lines
of its debug log, second argument):
- one round of Tab: at every stop the control's name and role, a text
  field's whole text, the speed bar's value, also as Left lowers it to 1;
- a puzzle: after "Tier" the score and the sorted letters, after a hint the
  score one lower, at half time two lower still, at the end "0" and the
  solution, wherever the focus is.
Needs an X11 screen and a session bus of its own (tools/linux/orca-check.sh)."""

import os
import re
import subprocess
import sys
import time

import form

# After the text: a voice other than the default by name, then the voice
# itself or a list of voices; newer Orcas put a blank before it.
SPOKEN = re.compile(r" - SPEECH OUTPUT: '(.*)'( voice=\w+)?( ?\{.*\}| ?\[\{.*\}\]| ?None)?$")
# Orca 43 starts its registry, newer ones their AT-SPI event loop.
READY = re.compile(r"ORCA: Starting (registry|Atspi main event loop)")
HIDDEN_AT_START = ("cmdSortieren", "txtSuchwort")
failures = []


def squash(text):
    """Letters and digits only, as a listener tells them apart; Orca 43 says
    "push button" where newer ones say "button"."""
    return re.sub(r"\W+", "", text.replace("push button", "button")).lower()


def says(heard, piece):
    """Some utterance heard holds the piece."""
    return any(squash(piece) in squash(said) for said in heard)


def run_orca(log):
    """Orca as its launcher starts it, but logging line by line and without
    looking for other Orcas of this user, which it would end or give way to."""
    from orca import debug, orca, settings_manager

    debug.debugLevel = debug.LEVEL_ALL
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(log, "w", buffering=1, encoding="utf-8")
    manager = getattr(settings_manager, "get_manager", None) or settings_manager.getManager
    # Echoed keys would look like speech: newer Orcas log both alike.
    manager().activate(customSettings={"enableKeyEcho": False})
    sys.exit(orca.main())


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, timeout=15, stdout=subprocess.PIPE, text=True).stdout


class Orca:
    def __init__(self, log):
        self.log, self.offset, self.said, self.ready = log, 0, [], False
        open(log, "w").close()
        # English role words, whatever language the developer reads.
        self.process = subprocess.Popen([sys.executable, "-B", os.path.abspath(__file__), "--orca", log],
                                        env=dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE=""),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def read(self):
        with open(self.log, encoding="utf-8", errors="replace") as log:
            log.seek(self.offset)
            while (line := log.readline()).endswith("\n"):
                self.offset = log.tell()
                self.ready = self.ready or READY.search(line) is not None
                spoken = SPOKEN.search(line.rstrip("\n"))
                if spoken:
                    self.said.append(spoken.group(1))

    def hear(self, key=None, quiet=0.4, longest=1.5, until=lambda said: False):
        """Presses the key, then returns what Orca says until it has been
        quiet for a moment after speaking, or until says, or at most longest
        seconds."""
        self.read()
        mark = len(self.said)
        if key:
            xdotool("key", key)
        end = time.monotonic() + longest
        count, since = mark, time.monotonic()
        while time.monotonic() < end and not until(self.said[mark:]):
            time.sleep(0.05)
            self.read()
            if len(self.said) != count:
                count, since = len(self.said), time.monotonic()
            elif count > mark and time.monotonic() - since >= quiet:
                break
        return self.said[mark:]


def field_texts(pid):
    """The text of every text field the game shows, by accessible name."""
    import pyatspi

    desktop = pyatspi.Registry.getDesktop(0)
    for application in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if application is not None and application.get_process_id() == pid:
            fields = pyatspi.findAllDescendants(application, lambda a: a.getRoleName() == "text")
            return {field.name: field.queryText().getText(0, -1) for field in fields}
    return {}


def judge(what, heard, *pieces):
    """Some utterance says all pieces."""
    match = next((said for said in heard if all(squash(piece) in squash(said) for piece in pieces)), None)
    ok = match is not None
    print("  %-4s %-24s %s" % ("ok" if ok else "MISS", what, repr(match) if ok else " / ".join(map(repr, heard))))
    if not ok:
        failures.append("%s Orca did not say %s" % (what, " and ".join(map(repr, pieces))))
    return ok


def stop(orca, game, control):
    """One Tab: the control's name and role, and after them a text field's
    whole text, which Orca follows with "selected"."""
    role = "read only text" if control.get("readOnly") == "true" else control["role"]
    name = control["accessibleName"]
    # On a busy machine Orca may say what it heard of the old stop, pause,
    # and only then name the new one.
    heard = orca.hear("Tab", longest=3, until=lambda said: says(said, name + role))
    heard += orca.hear(quiet=0.2, longest=0.5)
    text = field_texts(game.pid).get(name) if control["role"] == "text" else None
    if not judge(name, heard, name + " " + role):
        return False
    introduced = next(i for i, said in enumerate(heard) if squash(name + role) in squash(said))
    if text and not any(squash(re.sub(r"\W*selected\W*$", "", said)).endswith(squash(text))
                        for said in heard[introduced + 1:]):
        failures.append("after %r Orca did not say the whole text %r" % (name, text))
        print("  MISS %-24s not the whole text %r" % ("", text))
        return False
    return True


def tab_to(orca, key, control):
    """Presses the key until Orca names the control as a push button."""
    button = control["accessibleName"] + " push button"
    for _ in range(len(form.tab_order())):
        if says(orca.hear(key, quiet=0.3, longest=2, until=lambda said: says(said, button)), button):
            return
    raise SystemExit("FAIL: %s does not reach %r" % (key, button))


def tour(orca, game, controls):
    stops = [name for name in form.tab_order() if controls[name].get("visible") != "false"
             and name not in HIDDEN_AT_START and controls[name].get("focusPolicy") != "Qt::ClickFocus"]
    print("Orca, tabbing once round the window from %r:" % controls[stops[0]]["accessibleName"])
    spoken = 0
    for name in stops[1:] + stops[:1]:
        spoken += stop(orca, game, controls[name])
        if controls[name]["role"] == "scroll bar":
            for speed in range(int(controls[name]["value"]) - 1, int(controls[name]["minimum"]) - 1, -1):
                judge("  Left", orca.hear("Left"), str(speed))
    print("Orca spoke %d of %d focus stops in full." % (spoken, len(stops)))


def puzzle(orca, game, controls):
    print("Orca during a puzzle at the shortest thinking time:")
    tab_to(orca, "Tab", controls["Command2"])
    heard = orca.hear("space", longest=3)
    texts = field_texts(game.pid)
    score, sorted_letters = int(texts["Punkte"]), texts["Sortierte Buchstaben"]
    judge("after Tier", heard, "Punkte: %d" % score, "Sortierte Buchstaben: " + sorted_letters)
    # With both option boxes ticked, as at start, "Tier" shows "2. Buchstabe".
    tab_to(orca, "shift+Tab", controls["cmdZweiter"])
    heard = orca.hear("space", longest=15, quiet=15, until=lambda said: "lösungswort" in squash(" ".join(said)))
    judge("after the hint", heard, "Punkte: %d" % (score - 1))
    judge("at half time", heard, "Punkte: %d" % (score - 3))
    judge("at the end", heard, "Punkte: 0", "Lösungswort: " + field_texts(game.pid).get("Lösungswort", "?"))


def main():
    program, log = sys.argv[1:3]
    controls = {name: c for name, c in form.controls().items() if c["role"] and c.get("accessibleName")}
    children = [subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
    try:
        orca = Orca(log)
        children.append(orca.process)
        for _ in range(300):
            orca.read()
            if orca.ready:
                break
            time.sleep(0.1)
        else:
            raise SystemExit("FAIL: Orca did not start within 30 s")
        # Off the window, where the pointer would change the help line.
        xdotool("mousemove", "0", "0")
        game = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        children.append(game)
        window = xdotool("search", "--sync", "--onlyvisible", "--name", "^Wuselwort$").split()[0]
        xdotool("windowactivate", "--sync", window)
        orca.hear(longest=5)
        tour(orca, game, controls)
        puzzle(orca, game, controls)
    finally:
        for child in reversed(children):
            child.kill()
            child.wait()
    if failures:
        raise SystemExit("\n".join("FAIL: " + failure for failure in failures))


if __name__ == "__main__":
    run_orca(sys.argv[2]) if sys.argv[1:2] == ["--orca"] else main()
