// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessible_form.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// A text field for screen readers: its text, caret and selection, where its
// characters stand, and the whole text as one run of attributes. Assistive
// tools may also type into it, as into any field that is not read-only.
class FieldAccessible final : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessible(QLineEdit *field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        switch (type) {
        case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface *>(this);
        case QAccessible::EditableTextInterface: return static_cast<QAccessibleEditableTextInterface *>(this);
        default: return QAccessibleWidget::interface_cast(type);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = field()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? field()->text() : QAccessibleWidget::text(kind);
    }

    void selection(int index, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *startOffset = field()->selectionStart();
            *endOffset = field()->selectionEnd();
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        field()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override
    {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(field()->text().size()); }

    // Where the character stands while the text fits the field, as the
    // form's texts do; good enough for a reader's review of the screen.
    QRect characterRect(int offset) const override
    {
        const QString text = field()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        QStyleOptionFrame option;
        option.initFrom(field());
        option.lineWidth =
            field()->hasFrame() ? field()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect contents = field()
                                   ->style()
                                   ->subElementRect(QStyle::SE_LineEditContents, &option, field())
                                   .marginsRemoved(field()->textMargins());
        const QFontMetrics metrics = field()->fontMetrics();
        const int width = metrics.horizontalAdvance(text);
        const int left = QStyle::alignedRect(field()->layoutDirection(), field()->alignment(),
                                             QSize(width, metrics.height()), contents)
                             .left();
        const QRect character(left + metrics.horizontalAdvance(text.left(offset)), contents.top(),
                              metrics.horizontalAdvance(text.at(offset)), contents.height());
        return character.translated(field()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = field()->mapFromGlobal(point);
        return field()->rect().contains(local) ? field()->cursorPositionAt(local) : -1;
    }
    void scrollToSubstring(int startIndex, int) override { field()->setCursorPosition(startIndex); }

    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    // Offsets outside the text count as its ends, and an end before the start
    // as the start: a tool's slip changes only what lies within the text.
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (field()->isReadOnly())
            return;
        const int length = characterCount();
        const int start = std::clamp(startOffset, 0, length);
        const int end = std::clamp(endOffset, start, length);
        field()->setText(field()->text().replace(start, end - start, text));
    }

private:
    QLineEdit *field() const { return static_cast<QLineEdit *>(widget()); }
};

// Qt asks the factories installed last first, for every class of an object
// from the most derived one up.
QAccessibleInterface *formInterface(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("QLineEdit"))
        return new FieldAccessible(static_cast<QLineEdit *>(widget));
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("QFrame") && widget->findChild<QWidget *>() != nullptr)
        return new QAccessibleWidget(widget, QAccessible::Pane);
    return nullptr;
}

} // namespace

void installAccessibleForm()
{
    QAccessible::installFactory(formInterface);
}
