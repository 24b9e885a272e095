// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text.h"

// The operations that the game performs on the window, and nothing more. The
// window implements them on its real controls; tests use a fake that records.
// Enumerators bear the names of the controls they stand for.

enum class Field { txtSuchwort, txtSortiert, txtAusgabe, txtPunkte, Text1 };
enum class Shown { cmdErster, cmdZweiter, cmdLetzter, cmdSortieren, txtSuchwort };
enum class Box { chkGrossbuchstaben, chkLetzter, chkMax, chkStop };

// The snake frame's inner height in its own units, whatever its pixels: 0 at
// the top, snakeFrameScale at the bottom, where the thinking time is over.
inline constexpr float snakeFrameScale = 100.0f;
// Where every puzzle and every reveal puts the snake's top edge; the score
// field rides this far above the snake.
inline constexpr float snakeStartTop = 10.0f;

class Controls {
public:
    virtual ~Controls() = default;

    virtual Text text(Field field) const = 0;
    // The text of the hidden list txtTiere, which nothing writes.
    virtual Text animalList() const = 0;
    virtual void setText(Field field, const Text &text) = 0;
    virtual void setVisible(Shown control, bool visible) = 0;
    // 1 ticked, 0 not ticked.
    virtual int value(Box box) const = 0;
    // HScroll1: the speed, 1 (short) to 5 (long), the bar's whole range.
    virtual int speed() const = 0;
    // Tops of imgSchlange and txtPunkte in the snake frame's units.
    virtual float snakeTop() const = 0;
    virtual void setSnakeTop(float top) = 0;
    virtual void setScoreTop(float top) = 0;
    // Closes the window and ends the program; no further handler runs.
    virtual void endProgram() = 0;
};
