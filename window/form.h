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
// desktop colours, the icon and the pictures.
void buildForm(Ui::MainWindow &ui, QWidget &window);

// The built-in pictures at the window's current density: on a high-density
// screen their double-resolution versions, drawn sharp instead of enlarged.
void showPictures(Ui::MainWindow &ui, const QWidget &window);
