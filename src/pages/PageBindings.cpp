#include "pages/PageBindings.h"

#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "pages/PageValues.h"

#include <QDateEdit>

using namespace pagevalues;

void TFieldBindings::Add(TMaskedEdit* edit, TextField field) {
    texts_.push_back({edit, [edit](const QString& t) { edit->SetText(t); }, std::move(field), {}, {}});
}

void TFieldBindings::Add(TMaskedDocEdit* edit, TextField field) {
    texts_.push_back({edit, [edit](const QString& t) { edit->SetText(t); }, std::move(field), {}, {}});
}

void TFieldBindings::Add(QDateEdit* edit, DateField field) { dates_.push_back({edit, std::move(field), 0, {}}); }

void TFieldBindings::Load(mTDeclaration& d) {
    for (TextRow& r : texts_) {
        r.stored = r.field(d);
        r.set(Q(r.stored));
        r.shown = r.edit->text();
        r.released = false;
    }
    for (DateRow& r : dates_) {
        r.stored = r.field(d);
        r.edit->setDate(ToQDate(r.stored));
        r.shown = r.edit->date();
    }
}

void TFieldBindings::Keep(mTDeclaration& d) {
    for (TextRow& r : texts_) {
        r.stored = r.field(d);
        r.shown = r.edit->text();
        r.released = false;
    }
    for (DateRow& r : dates_) {
        r.stored = r.field(d);
        r.shown = r.edit->date();
    }
}

void TFieldBindings::Save(mTDeclaration& d) const {
    for (const TextRow& r : texts_) {
        const QString now = r.edit->text();
        r.field(d) = !r.released && now == r.shown ? r.stored : S(now);
    }
    for (const DateRow& r : dates_) {
        const QDate now = r.edit->date();
        r.field(d) = now == r.shown ? r.stored : FromQDate(now);
    }
}

void TFieldBindings::Release(const QLineEdit* edit) {
    for (TextRow& r : texts_)
        if (r.edit == edit) r.released = true;
}
