# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's form as window/main_window.ui gives it, so that the checks
expect what the form says rather than a copy of it."""

import os
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
