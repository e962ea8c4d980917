#include "controls/DateEdit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) { lineEdit()->installEventFilter(this); }

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lineEdit() || event->type() != QEvent::MouseButtonRelease) return QDateEdit::eventFilter(watched, event);
    // A click leaves only a caret, and a part that is full takes no digit typed at a caret. The
    // edit finishes the click first (a click into a selection clears it on release); then the
    // part under the caret is selected, unless the mouse selected text itself.
    static_cast<QObject*>(lineEdit())->event(event);
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
        setSelectedSection(currentSection());
        clickedUnfocused_ = hasFocus() ? NoSection : currentSection();
    }
    return true;
}

void TDateEdit::focusInEvent(QFocusEvent* event) {
    // A click that brings the window to the front reaches the picker before the focus does, and
    // the date edit selects its first part when the window's activation first gives it the
    // focus: the part the click selected stays.
    const Section clicked = event->reason() == Qt::ActiveWindowFocusReason ? clickedUnfocused_ : NoSection;
    clickedUnfocused_ = NoSection;
    QDateEdit::focusInEvent(event);
    if (clicked != NoSection) setSelectedSection(clicked);
}
