// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/animal_list.h"
#include "game/controls.h"
#include "game/game.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/random.h"

#include <QByteArray>
#include <QFile>
#include <QXmlStreamReader>

#include <chrono>
#include <cmath>
#include <deque>
#include <map>

// A property of a control as main_window.ui gives it at start ("true", "5",
// a text; a geometry as "x y width height"), empty where it gives none. The
// form is read once.
inline QString fromForm(const QString &control, const QString &property)
{
    static const std::map<QString, QString> form = [] {
        std::map<QString, QString> values;
        QFile file(QStringLiteral(WUSELWORT_FORM));
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&file);
        QStringList widgets;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (xml.isEndElement() && xml.name() == u"widget")
                widgets.removeLast();
            if (xml.isStartElement() && xml.name() == u"widget")
                widgets << xml.attributes().value(QLatin1String("name")).toString();
            if (!xml.isStartElement() || xml.name() != u"property" || widgets.isEmpty())
                continue;
            const QString key =
                widgets.last() + u'.' + xml.attributes().value(QLatin1String("name")).toString();
            QStringList parts;
            while (xml.readNext() != QXmlStreamReader::Invalid &&
                   !(xml.isEndElement() && xml.name() == u"property"))
                if (xml.isCharacters() && !xml.isWhitespace())
                    parts << xml.text().toString();
            values[key] = parts.join(u' ');
        }
        return values;
    }();
    const auto found = form.find(control + u'.' + property);
    return found == form.end() ? QString() : found->second;
}

// A control's top in the snake frame's units, as the form places it.
inline float formTop(const QString &control)
{
    const auto geometry = [](const QString &name) { return fromForm(name, "geometry").split(u' '); };
    return geometry(control)[1].toFloat() * snakeFrameScale / geometry("picSchlangeSurface")[3].toFloat();
}

// A window that only remembers what the game set, starting as the form
// does, and counts how often each text was written.
struct FakeControls final : Controls {
    static Text formText(const char *control) { return toCp1252(fromForm(control, "text")); }
    static bool formShown(const char *control) { return fromForm(control, "visible") != "false"; }
    static int formTicked(const char *control) { return fromForm(control, "checked") == "true"; }

    std::map<Field, Text> texts{{Field::txtSuchwort, formText("txtSuchwort")},
                                {Field::txtSortiert, formText("txtSortiert")},
                                {Field::txtAusgabe, formText("txtAusgabe")},
                                {Field::txtPunkte, formText("txtPunkte")},
                                {Field::Text1, formText("Text1")}};
    Text animals = builtInAnimalList();
    std::map<Field, int> writes;
    std::map<Shown, bool> visible{{Shown::cmdErster, formShown("cmdErster")},
                                  {Shown::cmdZweiter, formShown("cmdZweiter")},
                                  {Shown::cmdLetzter, formShown("cmdLetzter")},
                                  {Shown::cmdSortieren, formShown("cmdSortieren")},
                                  {Shown::txtSuchwort, formShown("txtSuchwort")}};
    std::map<Box, int> values{{Box::chkGrossbuchstaben, formTicked("chkGrossbuchstaben")},
                              {Box::chkLetzter, formTicked("chkLetzter")},
                              {Box::chkMax, formTicked("chkMax")},
                              {Box::chkStop, formTicked("chkStop")}};
    int speedValue = fromForm("HScroll1", "value").toInt();
    float snake = formTop("imgSchlange");
    float scoreTop = formTop("txtPunkte");
    bool ended = false;

    Text text(Field field) const override { return texts.at(field); }
    Text animalList() const override { return animals; }
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
    void setScoreTop(float top) override { scoreTop = top; }
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
