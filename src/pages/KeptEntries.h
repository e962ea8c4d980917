// Entry edits that show a stored value and give it back unchanged unless the user changed the text.
// A value that the edit's rule cannot take (an amount with four decimals, a count wider than the
// edit, a negative number from a damaged file) is shown under a wider rule, so a visit to a page
// never alters what the user did not touch.
#pragma once

#include "controls/MaskedEdit.h"
#include "pages/PageValues.h"

#include <QAbstractSlider>

#include <cstdint>
#include <string>

namespace kept {

// Shows the text under the edit's designed rule, or under a wider one when that refuses it.
inline void ShowText(TMaskedEdit* edit, int type, int whole, int fraction, const QString& text) {
    edit->setEditType(type);
    edit->setWholeLength(whole);
    edit->setFractionalLength(fraction);
    if (!edit->Takes(text)) {
        edit->setEditType(type == edtCurrency ? edtCurrency : edtNone);
        edit->setWholeLength(0);
        edit->setFractionalLength(type == edtCurrency ? 4 : 0);
    }
    edit->SetText(text);
}

// The common part: the edit, its designed rule and the text it showed for the stored value.
class TKeptEdit {
public:
    explicit TKeptEdit(TMaskedEdit* edit)
        : edit_(edit), type_(edit->EditType()), whole_(edit->WholeLength()), fraction_(edit->FractionalLength()) {}
    TMaskedEdit* Edit() const { return edit_; }
    // The program changed the text on the user's behalf (emptied it): from now on it is the user's.
    void Release() { kept_ = false; }
    // The program puts a text of its own (not a stored value).
    void Put(const QString& text) {
        ShowText(edit_, type_, whole_, fraction_, text);
        kept_ = false;
    }
    void Clear() { Put(QString()); }

protected:
    void Shown(const QString& text) {
        ShowText(edit_, type_, whole_, fraction_, text);
        shown_ = edit_->Text();
        kept_ = true;
    }
    bool Unchanged() const { return kept_ && edit_->Text() == shown_; }

private:
    TMaskedEdit* edit_;
    int type_, whole_, fraction_;
    QString shown_;
    bool kept_ = false;
};

class TKeptAmount : public TKeptEdit {
public:
    using TKeptEdit::TKeptEdit;
    void Show(Currency value) {
        stored_ = value;
        Shown(pagevalues::MoneyText(value));
    }
    // Empty reads as 0.
    Currency Value() const { return Unchanged() ? stored_ : pagevalues::MoneyOf(Edit()->Text()); }

private:
    Currency stored_;
};

class TKeptCount : public TKeptEdit {
public:
    using TKeptEdit::TKeptEdit;
    void Show(std::int32_t value) {
        stored_ = value;
        Shown(QString::number(value));
    }
    // Empty reads as 0.
    std::int32_t Value() const { return Unchanged() ? stored_ : pagevalues::IntOf(Edit()->Text()); }

private:
    std::int32_t stored_ = 0;
};

class TKeptText : public TKeptEdit {
public:
    using TKeptEdit::TKeptEdit;
    void Show(const std::string& value) {
        stored_ = value;
        Shown(pagevalues::Q(value));
    }
    std::string Value() const { return Unchanged() ? stored_ : pagevalues::S(Edit()->Text()); }

private:
    std::string stored_;
};

// The spin buttons are vertical scroll bars, whose upper arrow lowers the value: they hold the
// negated number, so that the upper arrow counts up.
inline int SpinPosition(const QAbstractSlider* spin) { return -spin->value(); }
inline void SetSpinPosition(QAbstractSlider* spin, int position) { spin->setValue(-position); }

} // namespace kept
