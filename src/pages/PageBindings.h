// Edits and date pickers bound to fields of the document. A control that cannot show the stored
// value (longer than its rule allows, a date outside its range) gives back the stored value unless
// the user changed it, so visiting a page never alters what the page did not show.
#pragma once

#include "platform/NumText.h"

#include <QDate>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QDateEdit;
class QLineEdit;
class TMaskedDocEdit;
class TMaskedEdit;
class mTDeclaration;

class TFieldBindings {
public:
    using TextField = std::function<std::string&(mTDeclaration&)>;
    using DateField = std::function<TDateTime&(mTDeclaration&)>;

    void Add(TMaskedEdit* edit, TextField field);
    void Add(TMaskedDocEdit* edit, TextField field);
    void Add(QDateEdit* edit, DateField field);

    // Shows every bound field in its control.
    void Load(mTDeclaration& d);
    // Takes the stored values without showing them: the controls keep what they show, and the
    // stored values go back unless the user changes a control.
    void Keep(mTDeclaration& d);
    // Writes every control back into its field.
    void Save(mTDeclaration& d) const;
    // From now on the control's text is the user's, whatever it shows (the program emptied it on
    // the user's behalf).
    void Release(const QLineEdit* edit);

private:
    struct TextRow {
        QLineEdit* edit;
        std::function<void(const QString&)> set;
        TextField field;
        std::string stored;
        QString shown;
        bool released = false;
    };
    struct DateRow {
        QDateEdit* edit;
        DateField field;
        TDateTime stored = 0;
        QDate shown;
    };
    std::vector<TextRow> texts_;
    std::vector<DateRow> dates_;
};
