// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include "game/animal_draw.h"
#include "game/hints.h"
#include "game/letters.h"
#include "game/score.h"
#include "platform/numbers.h"

namespace {

// The list's last ten characters are never a start position, so every draw
// still meets a line feed before the end of the text.
constexpr long unreachableTail = 10;
// With "max 10 Buchstaben" the name with its line end must lie within ten
// characters of its start, which admits names of at most nine letters.
constexpr long maxDistanceToLineFeed = 10;

} // namespace

Game::Game(Controls &controls, Random &random, Clock &clock, Timer &timer)
    : controls_(controls), draw_(random, clock),
      thinkingClock_(controls, state_, clock, timer,
                     {[this] { cmdMischen_Click(); }, [this] { Command1_Click(); }})
{
}

void Game::Form_Load()
{
    cmdSortieren_Click();
    controls_.setVisible(Shown::cmdSortieren, false);
    controls_.setVisible(Shown::txtSuchwort, false);
}

void Game::Command2_Click()
{
    state_.Halbzeit = 0;
    controls_.setSnakeTop(snakeStartTop);
    controls_.setVisible(Shown::txtSuchwort, false);
    controls_.setVisible(Shown::cmdSortieren, false);
    controls_.setVisible(Shown::cmdErster, true);
    controls_.setVisible(Shown::cmdLetzter, true);
    chooseHintMode();
    drawAnimal();
    state_.Wort = controls_.text(Field::txtSuchwort);
    controls_.setText(Field::txtPunkte, score::forName(state_.Wort));
    WortSortieren(state_.Wort);
    UhrLaufen();
}

void Game::chooseHintMode()
{
    // Every row reads the boxes anew; a value other than 0 or 1 matches no
    // row and leaves the mode and the buttons as they were.
    for (const hints::Mode &mode : hints::modes) {
        if (controls_.value(Box::chkGrossbuchstaben) == mode.grossbuchstaben &&
            controls_.value(Box::chkLetzter) == mode.letzter) {
            state_.Hilfemodus = mode.hilfemodus;
            controls_.setVisible(Shown::cmdErster, mode.firstLetterOwnButton);
            controls_.setVisible(Shown::cmdZweiter, !mode.firstLetterOwnButton);
            controls_.setVisible(Shown::cmdLetzter, false);
        }
    }
}

void Game::drawAnimal()
{
    Text list;
    DrawnName drawn;
    do {
        state_.Abbruch = 0;
        list = controls_.animalList();
        drawn = nameAt(list, draw_.oneTo(text::length(list) - unreachableTail));
    } while (controls_.value(Box::chkMax) == 1 && drawn.distanceToLineFeed > maxDistanceToLineFeed);
    controls_.setText(Field::txtSuchwort, nameText(list, drawn));
}

void Game::cmdMischen_Click()
{
    state_.Wort = controls_.text(Field::txtSuchwort);
    WortMischen(state_.Wort);
}

void Game::WortMischen(const Text &word)
{
    controls_.setText(Field::txtAusgabe,
                      shuffledLetters(word, controls_.value(Box::chkGrossbuchstaben) != 0, draw_));
}

void Game::cmdSortieren_Click()
{
    state_.Wort = controls_.text(Field::txtSuchwort);
    WortSortieren(state_.Wort);
}

void Game::WortSortieren(const Text &word)
{
    controls_.setText(Field::txtSortiert, sortedLetters(word, controls_.value(Box::chkGrossbuchstaben) != 0,
                                                        controls_.value(Box::chkLetzter) == 1));
}

void Game::appendToSorted(const Text &tail)
{
    controls_.setText(Field::txtSortiert, controls_.text(Field::txtSortiert) + tail);
}

void Game::cmdErster_Click()
{
    const Text w = controls_.text(Field::txtSuchwort);
    const Text anfangsbuchstabe = text::charAt(w, 1);
    score::deduct(controls_, score::hintPrice);
    const hints::Mode *mode = hints::modeOf(state_.Hilfemodus);
    if (mode && mode->firstLetterOwnButton)
        appendToSorted(hints::gap + anfangsbuchstabe);
    controls_.setVisible(Shown::cmdErster, false);
    controls_.setVisible(Shown::cmdZweiter, true);
}

void Game::cmdZweiter_Click()
{
    const Text w = controls_.text(Field::txtSuchwort);
    const Text zweitbuchstabe = text::charAt(w, 2);
    score::deduct(controls_, score::hintPrice);
    const hints::Mode *mode = hints::modeOf(state_.Hilfemodus);
    if (mode) {
        appendToSorted(mode->firstLetterOwnButton ? zweitbuchstabe
                                                  : hints::gap + text::charAt(w, 1) + zweitbuchstabe);
        if (!mode->lastLetterOwnButton)
            appendToSorted(hints::dotsFor(w) + text::charAt(w, text::length(w)));
    }
    controls_.setVisible(Shown::cmdZweiter, false);
    controls_.setVisible(Shown::cmdErster, false);
    if (mode && mode->lastLetterOwnButton)
        controls_.setVisible(Shown::cmdLetzter, true);
}

void Game::cmdLetzter_Click()
{
    const Text w = controls_.text(Field::txtSuchwort);
    const Text endbuchstabe = text::charAt(w, text::length(w));
    score::deduct(controls_, score::hintPrice);
    const hints::Mode *mode = hints::modeOf(state_.Hilfemodus);
    if (mode && mode->lastLetterOwnButton)
        appendToSorted(hints::dotsFor(w) + endbuchstabe);
    controls_.setVisible(Shown::cmdLetzter, false);
    controls_.setVisible(Shown::cmdErster, false);
    controls_.setVisible(Shown::cmdZweiter, false);
}

void Game::Command1_Click()
{
    controls_.setScoreTop(0);
    controls_.setSnakeTop(snakeStartTop);
    Command4_Click();
    controls_.setVisible(Shown::txtSuchwort, true);
    controls_.setVisible(Shown::cmdSortieren, true);
}

void Game::Command3_Click()
{
    state_.Abbruch = 0;
    UhrLaufen();
}

void Game::Command4_Click()
{
    state_.Abbruch = 1;
}

void Game::HScroll1_Change()
{
    controls_.setText(Field::Text1, numbers::plainText(controls_.speed()));
}

void Game::cmdEnde_Click()
{
    controls_.endProgram();
}

void Game::UhrLaufen()
{
    thinkingClock_.startRun();
}
