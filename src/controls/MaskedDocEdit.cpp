#include "controls/MaskedDocEdit.h"

#include "controls/MaskedEdit.h"
#include "platform/QtWindowing.h"

#include <QKeyEvent>

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
// Capitals and small letters are the Cyrillic "А".."Я" and "а".."я" ("Ё" and "ё" are neither).
bool IsCapital(QChar c) { return c.unicode() >= 0x0410 && c.unicode() <= 0x042F; }
bool IsSmall(QChar c) { return c.unicode() >= 0x0430 && c.unicode() <= 0x044F; }
bool IsRomanLetter(QChar c) { return c == u'C' || c == u'I' || c == u'L' || c == u'V' || c == u'X'; }
bool IsSmallRoman(QChar c) { return c == u'c' || c == u'i' || c == u'l' || c == u'v' || c == u'x'; }

// The Roman letter a look-alike stands for ("1", "Л", "С", "У", "Х"), or 0.
QChar RomanOfLookAlike(QChar c) {
    switch (c.unicode()) {
    case u'1': return u'I';
    case 0x041B: return u'L'; // Л
    case 0x0421: return u'C'; // С
    case 0x0423: return u'V'; // У
    case 0x0425: return u'X'; // Х
    default: return QChar(0);
    }
}

QChar ToCapital(QChar c) {
    if (IsSmallRoman(c)) return QChar(c.unicode() - 0x20);
    if (IsSmall(c)) return QChar(c.unicode() - 0x20);
    return c;
}

int RomanValue(QChar c) {
    switch (c.unicode()) {
    case u'C': return 100;
    case u'L': return 50;
    case u'X': return 10;
    case u'V': return 5;
    case u'I': return 1;
    default: return 0;
    }
}

bool AllCapitals(const QString& s) {
    for (QChar c : s)
        if (!IsCapital(c)) return false;
    return true;
}
bool AllDigits(const QString& s) {
    for (QChar c : s)
        if (!IsDigit(c)) return false;
    return true;
}
bool AllRoman(const QString& s) {
    for (QChar c : s)
        if (!IsRomanLetter(c)) return false;
    return true;
}

// A series: Roman letters only, canonical, at most 9 characters.
bool IsSeries(const QString& s) { return s.size() <= 9 && AllRoman(s) && IsCanonicalRoman(s); }

// The letters-and-number part after the "-" of a birth-certificate number.
bool IsLettersAndNumber(const QString& s, int digits) {
    const int blank = s.indexOf(u' ');
    if (blank < 0) return s.size() <= 2 && AllCapitals(s);
    const QString letters = s.left(blank), number = s.mid(blank + 1);
    return letters.size() <= 2 && AllCapitals(letters) && number.size() <= digits && AllDigits(number);
}

bool DigitGroups(const QString& s, bool twoGroups) {
    for (QChar c : s)
        if (c != u' ' && !IsDigit(c)) return false;
    const int blank = s.indexOf(u' ');
    if (blank < 0) return s.size() <= 2;
    if (blank > 2) return false;
    const QString rest = s.mid(blank + 1);
    if (!twoGroups) return rest.size() <= 7;
    const int second = rest.indexOf(u' ');
    if (second < 0) return rest.size() <= 2;
    return second <= 2 && rest.size() - second - 1 <= 7;
}

} // namespace

int RomanToInt(const QString& text) {
    int sum = 0;
    for (int i = 0; i < text.size(); ++i) {
        const int v = RomanValue(text[i]);
        if (i + 1 < text.size() && v < RomanValue(text[i + 1])) {
            sum += RomanValue(text[i + 1]) - v;
            ++i;
        } else {
            sum += v;
        }
    }
    return sum;
}

QString IntToRoman(int value) {
    QString out;
    int rest = value;
    const struct {
        int value;
        char letter;
    } steps[] = {{100, 'C'}, {50, 'L'}, {10, 'X'}, {5, 'V'}, {1, 'I'}};
    for (const auto& step : steps) {
        if (step.value == 50 && rest >= 90 && rest <= 99) {
            out += QStringLiteral("XC");
            rest -= 90;
        }
        if (step.value == 5 && rest == 9) {
            out += QStringLiteral("IX");
            rest -= 9;
        }
        const int count = rest / step.value;
        if (count == 4 && step.value == 10)
            out += QStringLiteral("XL");
        else if (count == 4 && step.value == 1)
            out += QStringLiteral("IV");
        else
            out += QString(count, QChar(step.letter));
        rest -= count * step.value;
    }
    return out;
}

bool IsCanonicalRoman(const QString& text) { return IntToRoman(RomanToInt(text)) == text; }

TMaskedDocEdit::TMaskedDocEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

bool TMaskedDocEdit::Fits(const QString& t) const {
    if (!IsStorableText(t)) return false;
    switch (editType_) {
    case edtR_BB: {
        const int dash = t.indexOf(u'-');
        if (!IsSeries(dash < 0 ? t : t.left(dash))) return false;
        return dash < 0 || IsLettersAndNumber(t.mid(dash + 1), 6);
    }
    case edt99: return DigitGroups(t, false);
    case edt99_: return DigitGroups(t, true);
    case edtBB:
    case edtBB0: {
        for (QChar c : t)
            if (c != u' ' && !IsDigit(c) && !IsCapital(c) && !IsSmall(c)) return false;
        return IsLettersAndNumber(t, editType_ == edtBB ? 6 : 7);
    }
    case edtNone1: return t.size() <= 20;
    case edtNone2: return t.size() <= 14;
    }
    return false;
}

QString TMaskedDocEdit::Normalised(const QString& t) const {
    QString out = t;
    const int dash = t.indexOf(u'-');
    const int seriesEnd = dash < 0 ? t.size() : dash;
    for (int i = 0; i < out.size(); ++i) {
        out[i] = ToCapital(out[i]);
        if (i < seriesEnd) {
            const QChar roman = RomanOfLookAlike(out[i]);
            if (!roman.isNull()) out[i] = roman;
        }
    }
    return out;
}

void TMaskedDocEdit::InsertBlankAt(int at) {
    // Set by the control itself: no check runs, but the change is reported as any other.
    Changing = true;
    QLineEdit::setText(text().left(at) + u' ' + text().mid(at));
    Changing = false;
    setCursorPosition(at + 1);
}

void TMaskedDocEdit::MoveCaret(int to) { setCursorPosition(std::min<int>(to, text().size())); }

QChar TMaskedDocEdit::FilterChar(QChar ch) {
    const QChar kDrop(0);
    if (ch.unicode() == 8) return ch;
    if (ch.unicode() == 0xFFFF || !IsStorableText(QString(ch))) return kDrop;
    const auto caret = [this] { return hasSelectedText() ? selectionStart() : cursorPosition(); };
    const auto candidate = [&](QChar c) { return text().left(caret()) + c + text().mid(caret()); };

    switch (editType_) {
    case edtR_BB: {
        if (!(ch == u'-' || IsDigit(ch) || IsRomanLetter(ch) || IsSmallRoman(ch) || IsCapital(ch) || IsSmall(ch))) return kDrop;
        ch = ToCapital(ch);
        const int dash = text().indexOf(u'-');
        if (dash < 0 || caret() < dash + 1) {
            if (ch == u'-') return dash < 0 ? ch : kDrop;
            QChar roman = IsRomanLetter(ch) ? ch : RomanOfLookAlike(ch);
            if (roman.isNull()) return kDrop;
            QString c = candidate(roman);
            if (dash >= 0) c = c.left(c.indexOf(u'-'));
            return IsSeries(c) ? roman : kDrop;
        }
        if (ch == u'-' || !(IsDigit(ch) || IsCapital(ch))) return kDrop;
        const int p = dash + 1; // 1-based position of the "-"
        if (caret() == p + 2) {
            if (!text().contains(u' ')) InsertBlankAt(caret());
            MoveCaret(p + 3);
        }
        const QString c = candidate(ch);
        return IsLettersAndNumber(c.mid(c.indexOf(u'-') + 1), 6) ? ch : kDrop;
    }
    case edt99:
    case edt99_: {
        if (ch != u' ' && !IsDigit(ch)) return kDrop;
        if (caret() == 2) {
            if (!text().contains(u' ')) InsertBlankAt(caret());
            MoveCaret(text().indexOf(u' ') + 1);
        }
        if (editType_ == edt99_ && caret() == 5) {
            const int first = text().indexOf(u' ');
            if (first >= 0 && !text().mid(first + 1).contains(u' ')) InsertBlankAt(caret());
            MoveCaret(6);
        }
        if (ch == u' ') return kDrop;
        return DigitGroups(candidate(ch), editType_ == edt99_) ? ch : kDrop;
    }
    case edtBB:
    case edtBB0: {
        if (ch != u' ' && !IsDigit(ch) && !IsCapital(ch) && !IsSmall(ch)) return kDrop;
        ch = ToCapital(ch);
        if (caret() == 2) {
            if (!text().contains(u' ')) InsertBlankAt(caret());
            MoveCaret(text().indexOf(u' ') + 1);
        }
        if (ch == u' ') return kDrop;
        return IsLettersAndNumber(candidate(ch), editType_ == edtBB ? 6 : 7) ? ch : kDrop;
    }
    case edtNone1:
    case edtNone2:
        return candidate(ch).size() > (editType_ == edtNone1 ? 20 : 14) ? kDrop : ch;
    }
    return kDrop;
}

void TMaskedDocEdit::keyPressEvent(QKeyEvent* event) {
    FilteredKeyPress(this, event, [this](QChar c) { return FilterChar(c); },
                     [](QLineEdit* e, QKeyEvent* k) { static_cast<TMaskedDocEdit*>(e)->QLineEdit::keyPressEvent(k); });
}

void TMaskedDocEdit::TextChanged() {
    if (Normalising) return;
    if (!Changing) {
        if (editType_ == edtR_BB) {
            const QString normal = Normalised(text());
            if (normal != text()) {
                // Capitals and Roman letters in place; what was accepted last stays the same.
                const int caret = cursorPosition();
                Normalising = true;
                QLineEdit::setText(normal);
                Normalising = false;
                setCursorPosition(caret);
            }
        }
        if (!Fits(text())) {
            Changing = true;
            QLineEdit::setText(LastText);
            Changing = false;
        }
        if (docnotify::HasMainWindow() && text() != LastText) docnotify::SendDocumentChanged();
    }
    if (text() != LastText) emit OnChange();
    LastText = text();
}
