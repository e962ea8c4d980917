// Values that a dialog or a page shows in an entry edit and reads back. A stored value must come
// back unchanged when the user did not touch it, also one that the edit's rule could not take as it
// was designed (an amount with kopecks or more decimals than the rule allows, a text longer than
// it, a character it refuses): such an amount is shown under a wider rule, and such a text is given
// back as stored.
#pragma once

#include "controls/MaskedEdit.h"
#include "pages/PageValues.h"

#include <string>

// An amount edit that shows every stored amount exactly. Its designed rule applies again each time
// the program writes into it.
class TAmountEdit {
public:
    explicit TAmountEdit(TMaskedEdit* edit)
        : edit_(edit), type_(edit->EditType()), whole_(edit->WholeLength()), fraction_(edit->FractionalLength()) {}

    // The amount's text ("0" for zero unless zeroEmpty).
    void Show(Currency value, bool zeroEmpty = false) {
        SetText(zeroEmpty && value.IsZero() ? QString() : pagevalues::MoneyText(value));
    }
    // The designed rule, then the text; a text the rule refuses is shown under the wide rule.
    void SetText(const QString& text) {
        Designed();
        if (!edit_->Takes(text)) {
            edit_->setEditType(edtCurrency);
            edit_->setWholeLength(0);
            edit_->setFractionalLength(4);
        }
        edit_->SetText(text);
    }
    // Empty reads as 0.
    Currency Value() const { return pagevalues::MoneyOf(edit_->Text()); }
    bool Empty() const { return edit_->Text().isEmpty(); }
    TMaskedEdit* Edit() const { return edit_; }

private:
    void Designed() {
        edit_->setEditType(type_);
        edit_->setWholeLength(whole_);
        edit_->setFractionalLength(fraction_);
    }
    TMaskedEdit* edit_;
    int type_, whole_, fraction_;
};

// A text edit that gives back the stored text unless the user changed what it shows.
class TKeptText {
public:
    explicit TKeptText(TMaskedEdit* edit) : edit_(edit) {}
    void Show(const std::string& stored) {
        stored_ = stored;
        edit_->SetText(pagevalues::Q(stored));
        shown_ = edit_->Text();
    }
    std::string Value() const { return edit_->Text() == shown_ ? stored_ : pagevalues::S(edit_->Text()); }
    QString Text() const { return pagevalues::Q(Value()); }

private:
    TMaskedEdit* edit_;
    std::string stored_;
    QString shown_;
};
