// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/animal_list.h"
#include "game/controls.h"
#include "game/game.h"
#include "platform/clock.h"
#include "platform/random.h"

#include <QByteArray>

#include <chrono>
#include <cmath>
#include <deque>
#include <map>

// A window that only remembers what the game set, with the start-up values,
// and counts how often each text was written.
struct FakeControls final : Controls {
    std::map<Field, Text> texts{{Field::txtSuchwort, "Er stand auf seines Schlosses Zinnen"},
                                {Field::txtSortiert, "Text1"},
                                {Field::txtAusgabe, ""},
                                {Field::txtPunkte, "Punkte"},
                                {Field::txtTiere, builtInAnimalList()}};
    std::map<Field, int> writes;
    std::map<Shown, bool> visible{{Shown::cmdErster, true},
                                  {Shown::cmdZweiter, false},
                                  {Shown::cmdLetzter, true},
                                  {Shown::cmdSortieren, true},
                                  {Shown::txtSuchwort, true}};
    std::map<Box, int> values{
        {Box::chkGrossbuchstaben, 1}, {Box::chkLetzter, 1}, {Box::chkMax, 0}, {Box::chkStop, 0}};
    int speedValue = 5;
    float snake = 6.0f;
    float score = 0.0f;
    bool ended = false;

    Text text(Field field) const override { return texts.at(field); }
    void setText(Field field, const Text &value) override
    {
        texts[field] = value;
        ++writes[field];
    }
    void setVisible(Shown control, bool shown) override { visible[control] = shown; }
    int value(Box box) const override { return values.at(box); }
    int speed() const override { return speedValue; }
    float snakeTop() const override { return snake; }
    void setSnakeTop(float top) override { snake = top; }
    void setScoreTop(float top) override { score = top; }
    void endProgram() override { ended = true; }
};

// Draws given by the test, then the production generator on a fixed seed, so
// that every run of a test sees the same draws.
struct ScriptedRandom final : Random {
    std::deque<float> script;
    SystemRandom fallback{1};
    int reseeds = 0;

    void reseed(float) override { ++reseeds; }
    float draw() override
    {
        if (script.empty())
            return fallback.draw();
        const float r = script.front();
        script.pop_front();
        return r;
    }
};

// Virtual time: the timer fires only when the test advances the clock. The
// wall clock is the same time of day, falling back to 0 at every midnight.
struct FakeTime final : Clock, Timer {
    std::chrono::nanoseconds time{std::chrono::hours(100)};
    std::chrono::nanoseconds due{};
    bool armed = false;
    std::function<void()> callback;

    float secondsSinceMidnight() const override
    {
        return static_cast<float>(std::fmod(std::chrono::duration<double>(time).count(), 86400.0));
    }
    std::chrono::nanoseconds now() const override { return time; }
    void setCallback(std::function<void()> f) override { callback = std::move(f); }
    void start(std::chrono::nanoseconds delay) override
    {
        due = time + delay;
        armed = true;
    }
    void stop() override { armed = false; }

    // Moves time on, firing every shot that falls due on the way.
    void advance(std::chrono::nanoseconds span)
    {
        const auto target = time + span;
        while (armed && due <= target) {
            time = std::max(time, due);
            armed = false;
            callback();
        }
        time = target;
    }
    // Just past the one-second wait that follows a step of the clock.
    void nextStep() { advance(std::chrono::milliseconds(1001)); }
};

// The draw r that makes a start position of 1 to n come up.
inline float drawFor(long position, long n)
{
    return static_cast<float>((static_cast<double>(position) - 0.5) / static_cast<double>(n));
}

// The draw that makes the next "Tier" land on the line feed in front of a
// name of the built-in list.
inline float drawOf(const Text &name)
{
    const Text &list = builtInAnimalList();
    return drawFor(static_cast<long>(list.find("\n" + name + "\r\n")) + 1,
                   static_cast<long>(list.size()) - 10);
}

// The game on the fake window, with scripted draws and virtual time.
struct GameFixture {
    FakeControls controls;
    ScriptedRandom random;
    FakeTime time;
    Game game{controls, random, time, time};

    // "Tier" on a given name of the built-in list under the given options.
    void puzzle(const Text &name, int grossbuchstaben = 1, int letzter = 1)
    {
        controls.values[Box::chkGrossbuchstaben] = grossbuchstaben;
        controls.values[Box::chkLetzter] = letzter;
        random.script = {drawOf(name)};
        game.Command2_Click();
    }
    QByteArray field(Field f) const { return QByteArray::fromStdString(controls.texts.at(f)); }
    // "1. Buchstabe", "2. Buchstabe" and "letzter B." as 1, 2 and L where shown.
    QByteArray shownHints() const
    {
        return QByteArray(controls.visible.at(Shown::cmdErster) ? "1" : "-") +
               (controls.visible.at(Shown::cmdZweiter) ? "2" : "-") +
               (controls.visible.at(Shown::cmdLetzter) ? "L" : "-");
    }
};
