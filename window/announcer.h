// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QLineEdit;

// Tells a screen reader what the game changed away from the keyboard focus:
// a new puzzle, a hint, half time, the end. Qt 6.4 has no call for that, but
// screen readers speak a notification when it appears, wherever the focus
// is; this one is never drawn. What one handler changed is said once, after
// it, field by field in the order they were given: "name: text".
class Announcer final : public QObject {
    Q_OBJECT

public:
    // The fields that are news when they change or come into view.
    Announcer(QWidget &window, std::vector<QLineEdit *> fields);

    // Any control may be given; only the fields above are said, and only
    // those shown when it is time to say them.
    void changed(QWidget *control);
    // What was said last.
    QString text() const { return text_; }

private:
    void announce();

    QWidget &window_;
    std::vector<QLineEdit *> fields_;
    std::vector<QWidget *> changed_;
    QString text_;
};
