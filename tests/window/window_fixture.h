// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes.h"
#include "platform/cp1252.h"
#include "window/main_window.h"

#include <QLineEdit>
#include <QTest>

// The real window on scripted draws and virtual time.
struct WindowFixture {
    ScriptedRandom random;
    FakeTime time;
    MainWindow window{random, time, time};

    WindowFixture() { window.show(); }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    QString textOf(const QString &name) const { return control<QLineEdit>(name)->text(); }
    bool shown(const QString &name) const { return control(name)->isVisibleTo(&window); }
    void click(const QString &name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // The next "Tier" draws this name of the built-in list.
    void nextAnimal(const QString &name) { random.script = {drawOf(toCp1252(name))}; }
};
