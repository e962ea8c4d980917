#include "controls/DateEdit.h"

#include "platform/QtWindowing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QValidator>

namespace {

// The parts of "dd.MM.yyyy": where each begins and how many digits it holds.
constexpr int kStart[3] = {0, 3, 6};
constexpr int kWidth[3] = {2, 2, 4};
const QString kSeparators = QStringLiteral(".,/-");

int PartOf(QDateTimeEdit::Section section) {
    return section == QDateTimeEdit::MonthSection ? 1 : section == QDateTimeEdit::YearSection ? 2 : 0;
}

QDateTimeEdit::Section SectionOf(int part) {
    return part == 1 ? QDateTimeEdit::MonthSection : part == 2 ? QDateTimeEdit::YearSection : QDateTimeEdit::DaySection;
}

int PartAt(int position) { return position < kStart[1] ? 0 : position < kStart[2] ? 1 : 2; }

// The character a key types, when it types one and no Ctrl or Alt is held.
QChar Typed(const QKeyEvent* key) {
    const bool plain = (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    return plain && key->text().size() == 1 ? key->text().at(0) : QChar();
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString Text(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

} // namespace

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lineEdit()->installEventFilter(this);
    // A date set by the program replaces whatever was being typed.
    connect(this, &QDateTimeEdit::dateChanged, this, [this] { StopTyping(); });
}

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (typing_) return TypingEvent(watched, event);
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

void TDateEdit::focusOutEvent(QFocusEvent* event) {
    // Leaving the field ends the typing; another window in front, or a menu, does not. The date
    // edit shows its own date again when the focus goes, so the typed digits are shown once more.
    const bool leaving = event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    const QString why = typing_ && leaving ? EndTyping() : QString();
    QDateEdit::focusOutEvent(event);
    if (typing_) ShowTyped();
    if (!why.isEmpty()) Refuse(why);
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
    // The first digit begins the typing, in the part that is selected.
    if (!typing_ && IsDigit(Typed(event))) {
        typing_ = true;
        first_ = part_ = PartOf(currentSection());
        for (QString& t : typed_) t.clear();
        fresh_ = true;
        filled_ = false;
        qApp->installEventFilter(this);
        TypeKey(event);
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool TDateEdit::TypingEvent(QObject* watched, QEvent* event) {
    // A window gets the mouse and the keys before its widgets: the widget says where they go.
    if (!watched->isWidgetType()) return false;
    const bool mine = watched == this || watched == lineEdit();
    switch (event->type()) {
    case QEvent::KeyPress: return watched == this && TypeKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A click on a part goes on typing there; a click anywhere else ends the typing first.
        if (watched == lineEdit()) {
            MoveTo(PartAt(lineEdit()->cursorPositionAt(static_cast<QMouseEvent*>(event)->position().toPoint())));
            return true;
        }
        return !FinishTyping();
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: return watched == lineEdit();
    case QEvent::Wheel:
    case QEvent::ContextMenu: return mine && !FinishTyping();
    default: return false;
    }
}

bool TDateEdit::TypeKey(const QKeyEvent* key) {
    const QChar c = Typed(key);
    if (IsDigit(c)) {
        Digit(c);
        return true;
    }
    if (!c.isNull() && kSeparators.contains(c)) {
        Separator();
        return true;
    }
    if (c.isPrint()) return true; // a letter or a space: the date takes none
    switch (key->key()) {
    case Qt::Key_Tab:
        if (key->modifiers() != Qt::NoModifier || (part_ == 2 && !filled_)) break; // from the year the Tab leaves
        Separator();
        return true;
    case Qt::Key_Backspace:
        if (typed_[part_].isEmpty() && part_ > 0) --part_;
        typed_[part_].chop(1);
        fresh_ = typed_[part_].isEmpty();
        filled_ = false;
        ShowTyped();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (key->modifiers() != Qt::NoModifier) break;
        MoveTo(qBound(0, part_ + (key->key() == Qt::Key_Left ? -1 : 1), 2));
        return true;
    case Qt::Key_Escape:
        StopTyping();
        ShowDate(first_);
        return true;
    case Qt::Key_Shift: // held for a "," or "/", or a layout switch: no key of its own
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Mode_switch:
    case Qt::Key_unknown: return false;
    default: break;
    }
    // Any other key (Enter, the arrows, the window's keys) acts on the date once it is taken.
    return !FinishTyping();
}

void TDateEdit::Digit(QChar digit) {
    if (fresh_) typed_[part_].clear();
    fresh_ = false;
    typed_[part_] += digit;
    filled_ = typed_[part_].size() == kWidth[part_];
    if (filled_)
        NextPart();
    else
        ShowTyped();
}

void TDateEdit::Separator() {
    // A part that filled itself has already moved on: the separator typed after it is that move.
    if (filled_) {
        filled_ = false;
        return;
    }
    NextPart();
}

void TDateEdit::NextPart() {
    if (part_ == 2) {
        FinishTyping();
        return;
    }
    ++part_;
    fresh_ = true;
    ShowTyped();
}

void TDateEdit::MoveTo(int part) {
    part_ = part;
    fresh_ = true;
    filled_ = false;
    ShowTyped();
}

void TDateEdit::ShowTyped() {
    // A part being typed shows its digits so far ("5_"), a part done shows its number.
    QString text = Text(date());
    for (int i = 0; i < 3; ++i) {
        if (typed_[i].isEmpty()) continue;
        const bool open = i == part_ && !fresh_;
        text.replace(kStart[i], kWidth[i], open ? typed_[i].leftJustified(kWidth[i], u'_') : typed_[i].rightJustified(kWidth[i], u'0'));
    }
    // The date edit neither reads nor mends this text (it would cut 31.04 to 30.04): the typed
    // date is taken only when it is whole.
    const QSignalBlocker quiet(lineEdit());
    const QValidator* validator = lineEdit()->validator();
    lineEdit()->setValidator(nullptr);
    lineEdit()->setText(text);
    lineEdit()->setValidator(validator);
    if (fresh_)
        lineEdit()->setSelection(kStart[part_], kWidth[part_]);
    else
        lineEdit()->setCursorPosition(kStart[part_] + static_cast<int>(typed_[part_].size()));
}

void TDateEdit::ShowDate(int part) {
    {
        const QSignalBlocker quiet(lineEdit());
        lineEdit()->setText(textFromDateTime(dateTime()));
    }
    setSelectedSection(SectionOf(part));
}

void TDateEdit::StopTyping() {
    if (!typing_) return;
    typing_ = false;
    qApp->removeEventFilter(this);
}

QString TDateEdit::EndTyping() {
    const QDate now = date();
    const int own[3] = {now.day(), now.month(), now.year()};
    int n[3];
    for (int i = 0; i < 3; ++i) n[i] = typed_[i].isEmpty() ? own[i] : typed_[i].toInt();
    const QDate typed(n[2], n[1], n[0]);
    const QString text = QStringLiteral("%1.%2.%3").arg(n[0], 2, 10, QChar(u'0')).arg(n[1], 2, 10, QChar(u'0')).arg(n[2], 4, 10, QChar(u'0'));
    const int last = part_;
    StopTyping();
    QString why;
    if (!typed.isValid())
        why = QStringLiteral("Даты %1 не существует. Проверьте число и месяц.").arg(text);
    else if (typed < minimumDate() || typed > maximumDate())
        why = QStringLiteral("Дата %1 вне допустимых пределов: введите дату с %2 по %3.").arg(text, Text(minimumDate()), Text(maximumDate()));
    else
        setDate(typed);
    ShowDate(why.isEmpty() ? last : first_);
    return why;
}

bool TDateEdit::FinishTyping() {
    const QString why = EndTyping();
    if (!why.isEmpty()) Refuse(why);
    return why.isEmpty();
}

void TDateEdit::Refuse(const QString& why) {
    MessageBox(this, why, TMsgIcon::Warning);
    // The date is typed again from where it began.
    setFocus(Qt::OtherFocusReason);
    setSelectedSection(SectionOf(first_));
}
