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
Every wait is for what Orca says, within a bound far above what it takes.
Needs an X11 screen and a session bus of its own (tools/linux/orca-check.sh)."""

import collections
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
# The longest wait for what Orca says after a key, and for Orca and the game
# to start: far more than they take on a busy machine.
WAIT, START = 10, 60
failures = []


def squash(text):
    """Letters and digits only, as a listener tells them apart; Orca 43 says
    "push button" where newer ones say "button"."""
    return re.sub(r"\W+", "", text.replace("push button", "button")).lower()


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


def xdotool(*args, timeout=15):
    return subprocess.run(["xdotool", *args], check=True, timeout=timeout, stdout=subprocess.PIPE, text=True).stdout


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

    def hear(self, key, until, longest=WAIT, since=None):
        """Presses the key (if any), then returns what Orca says from then on
        (or since that many utterances) as soon as until holds for it, or all
        it said in longest seconds. A pause in its speech tells nothing: a
        busy machine puts pauses anywhere."""
        self.read()
        mark = len(self.said) if since is None else since
        if key:
            xdotool("key", key)
        end = time.monotonic() + longest
        while not until(self.said[mark:]) and time.monotonic() < end:
            time.sleep(0.05)
            self.read()
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


def judge(what, heard, *pieces, exact=False):
    """Some utterance says all pieces, or with exact, nothing but the one."""
    match = next((said for said in heard if (squash(said) == squash(pieces[0]) if exact else
                                             all(squash(piece) in squash(said) for piece in pieces))), None)
    ok = match is not None
    print("  %-4s %-24s %s" % ("ok" if ok else "MISS", what, repr(match) if ok else " / ".join(map(repr, heard))))
    if not ok:
        failures.append("%s Orca did not say %s" % (what, " and ".join(map(repr, pieces))))
    return ok


def introduction(control):
    """What Orca says first when the control takes the focus: name and role."""
    role = "read only text" if control.get("readOnly") == "true" else control["role"]
    return control["accessibleName"] + " " + role


def introduced(heard, control):
    """Where in heard Orca introduced the control, or None."""
    return next((i for i, said in enumerate(heard) if squash(introduction(control)) in squash(said)), None)


def unselected(said):
    return squash(re.sub(r"\W*selected\W*$", "", said))


def stop(orca, game, control):
    """One Tab: the control's name and role, with them the bar's value, and
    after them a text field's whole text, which Orca follows with
    "selected"."""
    name, first = control["accessibleName"], introduction(control)
    if control["role"] == "scroll bar":
        # Newer Orcas add the share of the bar's range: "5 125 percent".
        first += " " + control["value"]
    text = field_texts(game.pid).get(name) if control["role"] == "text" else None

    def whole(heard):
        # On a busy machine Orca may say what it heard of the old stop, pause,
        # and only then name the new one, and pause again before the text.
        at = next((i for i, said in enumerate(heard) if squash(first) in squash(said)), None)
        return at is not None and (not text or any(unselected(said).endswith(squash(text))
                                                   for said in heard[at + 1:]))

    heard = orca.hear("Tab", whole)
    if not judge(name, heard, first):
        return False
    if not whole(heard):
        failures.append("after %r Orca did not say the whole text %r" % (name, text))
        print("  MISS %-24s not the whole text %r" % ("", text))
        return False
    return True


def tab_to(orca, key, controls, target):
    """Presses the key until Orca introduces the target, waiting each time
    for the control the focus went to."""
    for _ in range(len(form.tab_order())):
        heard = orca.hear(key, lambda said: any(introduced(said, c) is not None for c in controls.values()))
        if introduced(heard, target) is not None:
            return
        if not any(introduced(heard, c) is not None for c in controls.values()):
            raise SystemExit("FAIL: after %s Orca named no control within %d s: %r" % (key, WAIT, heard))
    raise SystemExit("FAIL: %s does not reach %r" % (key, introduction(target)))


def tour(orca, game, controls, stops):
    print("Orca, tabbing once round the window from %r:" % controls[stops[0]]["accessibleName"])
    spoken = 0
    for name in stops[1:] + stops[:1]:
        spoken += stop(orca, game, controls[name])
        if controls[name]["role"] == "scroll bar":
            for speed in range(int(controls[name]["value"]) - 1, int(controls[name]["minimum"]) - 1, -1):
                # Exactly the value: the bar's explanation, which Orca may
                # still be saying, holds digits too.
                heard = orca.hear("Left", lambda said: any(squash(s) == str(speed) for s in said))
                judge("  Left", heard, str(speed), exact=True)
    print("Orca spoke %d of %d focus stops in full." % (spoken, len(stops)))


# A notification: the sorted letters where they changed, the score, and at
# the end the solution.
NOTICE = re.compile(r"(?:Sortierte Buchstaben: (.*), )?Punkte: (\d+)(?:, Lösungswort: (.*?))?\.?$")
Notice = collections.namedtuple("Notice", "said sorted score solution")


def told(what, notice, notices):
    print("  %-4s %-24s %r" % ("ok" if notice else "MISS", what, notice.said if notice else [n.said for n in notices]))
    if not notice:
        failures.append("%s Orca did not say it: %r" % (what, [n.said for n in notices]))


def ticked(said, checked):
    """Orca said that a check box is ticked (checked) or not."""
    return squash(said).endswith("notchecked") != checked and squash(said).endswith("checked")


def hold(orca, checked):
    """Ticks or unticks "Stop", where the focus is, holding the thinking time
    or letting it run on, and waits until Orca says so."""
    orca.hear("space", lambda said: any(ticked(s, checked) for s in said))


def score(game):
    return int(field_texts(game.pid)["Punkte"] or 0)


def puzzle(orca, game, controls):
    """Every notification of a puzzle, judged once it has ended. "Stop" holds
    the thinking time while the focus goes to the hint, and again at half
    time until Orca has said it: Orca reads a notification's text only when
    it comes to it, which on a busy machine can be after the next one."""
    print("Orca during a puzzle at the shortest thinking time:")
    tab_to(orca, "shift+Tab", controls, controls["chkStop"])
    hold(orca, True)
    tab_to(orca, "Tab", controls, controls["Command2"])
    start = len(orca.said)
    orca.hear("space", lambda said: any(NOTICE.search(s) for s in said))
    sorted_letters = field_texts(game.pid)["Sortierte Buchstaben"]
    # With both option boxes ticked, as at start, "Tier" shows "2. Buchstabe".
    tab_to(orca, "shift+Tab", controls, controls["cmdZweiter"])
    hinted = score(game) - 1
    orca.hear("space", lambda said: any((found := NOTICE.search(s)) and int(found.group(2)) == hinted for s in said))
    tab_to(orca, "shift+Tab", controls, controls["chkStop"])
    hold(orca, False)
    end = time.monotonic() + START
    while score(game) > hinted - 2 and time.monotonic() < end:
        time.sleep(0.05)
    hold(orca, True)
    orca.hear(None, lambda said: any((found := NOTICE.search(s)) and int(found.group(2)) == hinted - 2 for s in said),
              since=start)
    hold(orca, False)
    orca.hear(None, lambda said: "lösungswort" in squash(" ".join(said)), longest=START)
    judge_puzzle(orca.said[start:], sorted_letters, field_texts(game.pid).get("Lösungswort", "?"))


def judge_puzzle(heard, sorted_letters, solution):
    """The puzzle's notifications in heard, each against the one before."""
    notices = [Notice(said, found.group(1), int(found.group(2)), found.group(3))
               for said, found in ((said, NOTICE.search(said)) for said in heard) if found]
    steps = [(now, before.score - now.score) for before, now in zip(notices, notices[1:])]
    # A name of up to 10 letters starts at 5 points, a longer one at 7.
    told("after Tier", next((n for n in notices[:1] if squash(n.sorted or "") == squash(sorted_letters)
                             and n.score == (5 if len(solution) < 11 else 7)), None), notices)
    told("after the hint", next((now for now, drop in steps if drop == 1 and now.sorted is not None
                                 and len(squash(now.sorted)) > len(squash(sorted_letters))
                                 and squash(now.sorted).startswith(squash(sorted_letters))), None), notices)
    told("at half time", next((now for now, drop in steps if drop == 2 and now.sorted is None
                               and now.solution is None), None), notices)
    told("at the end", next((n for n in notices if n.score == 0 and n.solution == solution), None), notices)


def main():
    program, log = sys.argv[1:3]
    controls = {name: c for name, c in form.controls().items() if c["role"] and c.get("accessibleName")}
    stops = [name for name in form.tab_order() if controls[name].get("visible") != "false"
             and name not in HIDDEN_AT_START and controls[name].get("focusPolicy") != "Qt::ClickFocus"]
    children = [subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
    try:
        orca = Orca(log)
        children.append(orca.process)
        end = time.monotonic() + START
        while not orca.ready and time.monotonic() < end:
            time.sleep(0.1)
            orca.read()
        if not orca.ready:
            raise SystemExit("FAIL: Orca did not start within %d s" % START)
        # Off the window, where the pointer would change the help line.
        xdotool("mousemove", "0", "0")
        before = len(orca.said)
        game = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        children.append(game)
        window = xdotool("search", "--sync", "--onlyvisible", "--name", "^Wuselwort$", timeout=START).split()[0]
        xdotool("windowactivate", "--sync", window, timeout=START)
        first = controls[stops[0]]
        if introduced(orca.hear(None, lambda said: introduced(said, first) is not None, START, before), first) is None:
            raise SystemExit("FAIL: Orca did not name %r, where the focus starts" % introduction(first))
        tour(orca, game, controls, stops)
        puzzle(orca, game, controls)
    finally:
        for child in reversed(children):
            child.kill()
            child.wait()
    if failures:
        raise SystemExit("\n".join("FAIL: " + failure for failure in failures))


if __name__ == "__main__":
    run_orca(sys.argv[2]) if sys.argv[1:2] == ["--orca"] else main()
