# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's form as window/main_window.ui gives it, so that the checks
expect what the form says rather than a copy of it."""

import os
import sys
import xml.etree.ElementTree as ElementTree

FORM = ElementTree.parse(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../window/main_window.ui"))
# What a screen reader calls each kind of control.
ROLES = {"QPushButton": "push button", "QCheckBox": "check box", "QScrollBar": "scroll bar", "QLineEdit": "text"}


def controls():
    """Object name -> its properties as the form writes them, and its role."""
    return {widget.get("name"): dict({prop.get("name"): "".join(prop.itertext()).strip()
                                      for prop in widget.findall("property")},
                                     role=ROLES.get(widget.get("class")))
            for widget in FORM.getroot().iter("widget")}


def tab_order():
    return [stop.text for stop in FORM.getroot().iter("tabstop")]


def rect(key):
    """Where the form puts the control with this caption or object name, in
    units of the window's inside: x, y, width, height."""
    def find(widget, x, y):
        for child in widget.findall("widget"):
            box = child.find("property[@name='geometry']/rect")
            cx, cy = x + int(box.findtext("x")), y + int(box.findtext("y"))
            if key in (child.findtext("property[@name='text']/string"), child.get("name")):
                return cx, cy, int(box.findtext("width")), int(box.findtext("height"))
            found = find(child, cx, cy)
            if found:
                return found
        return None
    return find(FORM.getroot().find("widget"), 0, 0)


if __name__ == "__main__" and sys.argv[1:2] == ["rect"]:
    # For the shell scripts that point at controls: "x y width height".
    print(*rect(sys.argv[2]))
