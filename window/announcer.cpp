// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcer.h"

#include <QAccessibleObject>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>

namespace {

class NoticeAccessible final : public QAccessibleObject {
public:
    NoticeAccessible(Announcer *announcer, QWidget &window) : QAccessibleObject(announcer), window_(window) {}

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(&window_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<Announcer *>(object())->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QWidget &window_;
};

} // namespace

Announcer::Announcer(QWidget &window, std::vector<QLineEdit *> fields)
    : QObject(&window), window_(window), fields_(std::move(fields))
{
    QAccessible::registerAccessibleInterface(new NoticeAccessible(this, window_));
}

void Announcer::changed(QWidget *control)
{
    if (std::find(fields_.begin(), fields_.end(), control) == fields_.end())
        return;
    if (changed_.empty())
        QMetaObject::invokeMethod(this, &Announcer::announce, Qt::QueuedConnection);
    if (std::find(changed_.begin(), changed_.end(), control) == changed_.end())
        changed_.push_back(control);
}

void Announcer::announce()
{
    QStringList parts;
    for (QLineEdit *field : fields_)
        if (std::find(changed_.begin(), changed_.end(), field) != changed_.end() &&
            field->isVisibleTo(&window_))
            parts << field->accessibleName() + QStringLiteral(": ") + field->text().trimmed();
    changed_.clear();
    if (parts.isEmpty())
        return;
    text_ = parts.join(QStringLiteral(", "));
    // Screen readers speak a notification at every show, also of one already shown.
    // Newer ones keep its name from the last show unless told it changed.
    QAccessibleEvent name(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleEvent show(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&show);
}
