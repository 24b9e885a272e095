// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What screen readers need from the form beyond Qt's defaults, for every
// window of the program:
// - the top-level window reports itself as a window (a frame that can be
//   active), and a frame that holds controls as a panel, not as a window:
//   screen readers speak a focused control only if its nearest frame is the
//   active window;
// - a text field reports its text as one run of attributes, so that a
//   screen reader that joins runs does not drop the last character.
void installAccessibleForm();
