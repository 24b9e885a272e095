// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessible_form.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QTextLayout>

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

    // A line edit has one selection, number 0; asking for another changes
    // nothing.
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
    void removeSelection(int index) override
    {
        if (index == 0)
            field()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            field()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override
    {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(field()->text().size()); }

    // Where the character stands: between its edges, on the line where the
    // field draws its text. Of its own layout the field tells only where its
    // caret stands, centred on the gap at the cursor; the edges lie where the
    // same text in the same font puts them, in the direction of the text, as
    // the field lays it out whatever the window's direction. Between a change
    // of the text and the next paint the caret still stands where the old
    // text had it.
    QRect characterRect(int offset) const override
    {
        const QString text = field()->displayText();
        if (offset < 0 || offset >= text.size())
            return {};
        QTextLayout layout(text, field()->font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        const auto edge = [&line](int position, QTextLine::Edge side) {
            return qRound(line.cursorToX(&position, side));
        };
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int origin =
            caret.left() + caret.width() / 2 - edge(field()->cursorPosition(), QTextLine::Leading);
        const int left = origin + edge(offset, QTextLine::Leading);
        const int right = origin + edge(offset, QTextLine::Trailing);
        const QRect character(QPoint(std::min(left, right), caret.top()),
                              QPoint(std::max(left, right) - 1, caret.bottom()));
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
