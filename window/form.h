// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
namespace Ui {
class MainWindow;
}

// The form as players see it, with or without the game behind it: the
// controls of main_window.ui on the window, plus what Designer cannot hold:
// fractional point sizes, the style that paints the faces, the panel's
// desktop colours, the icon and the pictures at the window's density.
void buildForm(Ui::MainWindow &ui, QWidget &window);

// The window is white with black text, fixed by the form; the panel and what
// stands on it take the desktop's colours for a panel instead, text and
// ground together: at start, and again whenever the desktop's colours change.
void followDesktop(Ui::MainWindow &ui);

// Whether the window, where it is now, wants the double-resolution pictures:
// where it or its screen has more than one device pixel to the unit.
bool wantsDensePictures(const QWidget &window);

// The built-in pictures, dense or not: on a high-density screen their
// double-resolution versions, drawn sharp instead of enlarged.
void showPictures(Ui::MainWindow &ui, bool dense);
