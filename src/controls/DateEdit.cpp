#include "controls/DateEdit.h"

#include <QLineEdit>
#include <QMouseEvent>

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) { lineEdit()->installEventFilter(this); }

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lineEdit() || event->type() != QEvent::MouseButtonRelease) return QDateEdit::eventFilter(watched, event);
    // A click leaves only a caret, and a part that is full takes no digit typed at a caret. The
    // edit finishes the click first (a click into a selection clears it on release); then the
    // part under the caret is selected, unless the mouse selected text itself.
    static_cast<QObject*>(lineEdit())->event(event);
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText())
        setSelectedSection(currentSection());
    return true;
}
