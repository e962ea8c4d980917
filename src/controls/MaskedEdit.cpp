#include "controls/MaskedEdit.h"

#include "platform/Codec.h"
#include "platform/Currency.h"
#include "platform/QtWindowing.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QSignalBlocker>

namespace {

QString Trimmed(const QString& s) {
    // Characters of code below 33 at either end.
    int b = 0, e = s.size();
    while (b < e && s[b].unicode() < 33) ++b;
    while (e > b && s[e - 1].unicode() < 33) --e;
    return s.mid(b, e - b);
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Number of characters of the whole part: the text's length, or the characters before the separator.
int WholePart(const QString& s) {
    int sep = s.indexOf(u',');
    return sep < 0 ? s.size() : sep;
}

bool ConvertsToMoney(const QString& s) {
    Currency v;
    return Currency::TryParse(s.toStdString(), ',', v);
}

} // namespace

QChar TypedChar(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) return QChar(8);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return QChar(13);
    if (event->matches(QKeySequence::Copy)) return QChar(3);
    if (event->matches(QKeySequence::Paste)) return QChar(22);
    if (event->matches(QKeySequence::Cut)) return QChar(24);
    if (event->matches(QKeySequence::Undo)) return QChar(26);
    const QString t = event->text();
    if (t.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return QChar(0);
    if (t.size() != 1) return QChar(0xFFFF); // a character outside the basic plane: nowhere storable
    const QChar c = t[0];
    if (c.unicode() < 32 || c.unicode() == 127) return QChar(0);
    return c;
}

bool IsStorableText(const QString& text) {
    for (QChar c : text) {
        if (c.isSurrogate() || !codec::IsCp1251Char(c.unicode())) return false;
    }
    return true;
}

TMaskedEdit::TMaskedEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

int TMaskedEdit::CaretOffset() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void TMaskedEdit::SetText(const QString& text) {
    Assigning = true;
    QLineEdit::setText(text);
    Assigning = false;
}

QChar TMaskedEdit::FilterChar(QChar ch) const {
    const QChar kDrop(0);
    const QString t = text();
    const ushort c = ch.unicode();
    if (c == 8) return ch; // backspace passes in every kind
    if (c >= 32 && c != 0xFFFF && !codec::IsCp1251Char(c)) return kDrop;
    if (c == 0xFFFF) return kDrop;
    switch (editType_) {
    case edtCurrency:
        if (c == '.' || c == ',') return t.contains(u',') ? kDrop : QChar(u',');
        if (IsDigit(ch)) {
            const int at = CaretOffset();
            const QString candidate = t.left(at) + ch + t.mid(at);
            if (!ConvertsToMoney(candidate)) return kDrop;
            if (wholeLength_ != 0 && WholePart(candidate) > wholeLength_) return kDrop;
            const int sep = candidate.indexOf(u',');
            if (fractionalLength_ != 0 && sep >= 0 && candidate.size() - sep - 1 > fractionalLength_) return kDrop;
            return ch;
        }
        return kDrop;
    case edtDigital:
        if (!IsDigit(ch)) return kDrop;
        if (wholeLength_ != 0 && t.size() + 1 > wholeLength_) return kDrop;
        return ch;
    case edtChar:
        if (IsDigit(ch)) return kDrop;
        [[fallthrough]];
    case edtNone:
        if (wholeLength_ != 0 && t.size() + 1 > wholeLength_) return kDrop;
        return ch;
    }
    return kDrop;
}

void FilteredKeyPress(QLineEdit* edit, QKeyEvent* event, const std::function<QChar(QChar)>& filter,
                      void (*baseKeyPress)(QLineEdit*, QKeyEvent*)) {
    const QChar typed = TypedChar(event);
    if (typed.isNull()) { // not a character: the edit's own handling (arrows, Delete, Home ...)
        baseKeyPress(edit, event);
        return;
    }
    // A typed character or a paste replaces the selection, so the filter judges the text without
    // it; the selection goes quietly and comes back when the key is dropped, and the control sees
    // the replacement as one change.
    const bool replaces = edit->hasSelectedText() && (typed.unicode() >= 32 || typed.unicode() == 22);
    const QString before = edit->text();
    const int selectionStart = edit->selectionStart(), selectionLength = edit->selectionLength();
    QChar ch;
    {
        const QSignalBlocker quiet(replaces ? edit : nullptr);
        if (replaces) edit->del();
        ch = filter(typed);
        if (replaces && (ch.isNull() || ch.unicode() == 13)) {
            edit->setText(before);
            edit->setSelection(selectionStart, selectionLength);
        }
    }
    if (ch.isNull() || ch.unicode() == 13) { // dropped, and Enter always: swallowed silently
        event->accept();
        return;
    }
    if (ch.unicode() < 32 || event->text() == QString(ch)) {
        baseKeyPress(edit, event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(ch), event->isAutoRepeat(),
                       static_cast<ushort>(event->count()));
    baseKeyPress(edit, &replaced);
    event->setAccepted(replaced.isAccepted());
}

void TMaskedEdit::keyPressEvent(QKeyEvent* event) {
    FilteredKeyPress(this, event, [this](QChar c) { return FilterChar(c); },
                     [](QLineEdit* e, QKeyEvent* k) { static_cast<TMaskedEdit*>(e)->QLineEdit::keyPressEvent(k); });
}

bool TMaskedEdit::Accepts(const QString& t, bool typed) const {
    if (!IsStorableText(t)) return false;
    switch (editType_) {
    case edtCurrency: {
        if (!ConvertsToMoney(t)) return false;
        if (wholeLength_ != 0 && WholePart(t) > wholeLength_) return false;
        const int sep = t.indexOf(u',');
        if (fractionalLength_ != 0 && sep >= 0 && t.size() - sep - 1 > fractionalLength_) return false;
        if (typed) {
            // What the user types, pastes or drops holds only what typing could have produced:
            // digits and one separator, no sign, blank or exponent.
            for (QChar c : t)
                if (!IsDigit(c) && c != u',') return false;
        }
        return true;
    }
    case edtDigital:
        if (wholeLength_ != 0 && Trimmed(t).size() > wholeLength_) return false;
        for (QChar c : t)
            if (!IsDigit(c)) return false;
        return true;
    case edtChar:
        if (wholeLength_ != 0 && t.size() > wholeLength_) return false;
        for (QChar c : t)
            if (IsDigit(c)) return false;
        return true;
    case edtNone:
        return wholeLength_ == 0 || t.size() <= wholeLength_;
    }
    return false;
}

void TMaskedEdit::TextChanged() {
    if (!Changing) {
        const QString t = text();
        if (editType_ == edtCurrency && Trimmed(t).isEmpty()) {
            if (!t.isEmpty()) {
                Changing = true;
                QLineEdit::setText(QString());
                Changing = false;
            }
        } else if (!Accepts(t, !Assigning)) {
            Changing = true;
            QLineEdit::setText(LastText); // put back
            Changing = false;
        }
        if (docnotify::HasMainWindow() && text() != LastText) docnotify::SendDocumentChanged();
    }
    if (text() != LastText) emit OnChange();
    LastText = text();
}
