# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the Orca check takes from Orca's debug log, with lines as Orca 43
(Debian 12) and Orca 48 (Debian 13) write them."""

import unittest

import orca_check


class OrcaLogTest(unittest.TestCase):
    def test_speech_lines_give_what_was_said(self):
        table = [
            ("43, default voice", "23:59:12.793101 - SPEECH OUTPUT: 'Screen reader on.'{'established': False}",
             "Screen reader on."),
            ("43, list of voices", "00:18:44.821208 - SPEECH OUTPUT: ' 4'[{'established': False}]", " 4"),
            ("43, other voice", "00:18:44.821208 - SPEECH OUTPUT: 'B' voice=uppercase{'average-pitch': 7.0}", "B"),
            ("48", "00:29:29.668175 - SPEECH OUTPUT: 'Screen reader on.' {'established': False}",
             "Screen reader on."),
            ("48, no voice", "00:29:29.668175 - SPEECH OUTPUT: 'notification' None", "notification"),
            ("quotes in the text", "00:29:29.668175 - SPEECH OUTPUT: 'das 'Tier'' {'family': {'name': 'x'}}",
             "das 'Tier'"),
            ("umlauts", "00:17:16.423309 - SPEECH OUTPUT: 'Punkte: 0, Lösungswort: Kakadu' {'established': False}",
             "Punkte: 0, Lösungswort: Kakadu"),
            ("empty", "00:17:16.423309 - SPEECH OUTPUT: '' {'established': False}", ""),
        ]
        for name, line, said in table:
            with self.subTest(name):
                spoken = orca_check.SPOKEN.search(line)
                self.assertIsNotNone(spoken)
                self.assertEqual(spoken.group(1), said)

    def test_other_lines_say_nothing(self):
        for line in ["00:18:21.296935 - ORCA: Starting registry",
                     "00:29:29.720195 - BRAILLE LINE:  'Tier push button'",
                     "00:29:29.720195 - SPEECH: Exception updated voice with None: 'x'",
                     "00:29:29.720195 - SPEECH OUTPUT: 'cut off"]:
            with self.subTest(line):
                self.assertIsNone(orca_check.SPOKEN.search(line))

    def test_either_orca_tells_when_it_listens(self):
        table = [("00:18:21.296935 - ORCA: Starting registry", True),
                 ("00:29:29.720195 - ORCA: Starting Atspi main event loop", True),
                 ("00:29:29.720195 - ORCA: Enabling accessibility (if needed).", False),
                 ("00:29:29.720195 - INFO: About to launch Orca.", False)]
        for line, ready in table:
            with self.subTest(line):
                self.assertEqual(orca_check.READY.search(line) is not None, ready)

    def test_a_piece_is_heard_as_a_listener_tells_it(self):
        table = [
            ("43 role", ["Tier push button."], "Tier push button", True),
            ("48 role", ["Tier button."], "Tier push button", True),
            ("other role", ["Tier check box checked."], "Tier push button", False),
            ("other control", ["Zeigen button."], "Tier push button", False),
            ("blanks and stops", ["notification Punkte: 0, Lösungswort: Kakadu."], "Punkte: 0 Lösungswort: Kakadu",
             True),
            ("case", ["punkte text."], "Punkte text", True),
            ("split over utterances", ["notification", "Punkte: 2"], "notification Punkte: 2", False),
            ("nothing heard", [], "Tier", False),
        ]
        for name, heard, piece, said in table:
            with self.subTest(name):
                self.assertEqual(orca_check.says(heard, piece), said)


if __name__ == "__main__":
    unittest.main()
