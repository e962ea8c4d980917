#include "pages/FrameCurrency.h"

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/InputCurrencyCode.h"
#include "pages/InputCurrencySourseIncome.h"
#include "pages/InputIncomeCode.h"
#include "pages/ListGlyphs.h"
#include "pages/PageValues.h"
#include "pages/ScopedFlags.h"
#include "ui_FrameCurrency.h"
#include "ui_InputCurrencyCode.h"

#include <QDomDocument>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <stdexcept>

using namespace pagevalues;

namespace {

const QString kSection = QStringLiteral("Доходы в валюте");

// A text the edit's rule refuses leaves the edit empty, never with what it showed before.
void Put(TMaskedEdit* edit, const QString& text) { edit->SetText(edit->Takes(text) ? text : QString()); }

QString AmountText(Currency c, bool zeroEmpty) { return zeroEmpty && c.IsZero() ? QString() : MoneyText(c); }

// Amount in roubles as the income's setters derive it; "0" when something is missing or the result
// does not fit the money type.
QString RoublesText(const TMaskedEdit* sum, const TMaskedEdit* units, const TMaskedEdit* rate) {
    if (sum->Text().isEmpty() || units->Text().isEmpty() || rate->Text().isEmpty()) return QStringLiteral("0");
    const int u = IntOf(units->Text());
    const Currency r = MoneyOf(rate->Text());
    if (u == 0 || r.IsZero()) return QStringLiteral("0");
    try {
        return MoneyText(ConvertToRoubles(MoneyOf(sum->Text()), r, u));
    } catch (const std::overflow_error&) {
        return QStringLiteral("0");
    }
}

// The setters derive the rouble value; one too large for the money type is stored as 0, as the
// page shows it.
template <class Setter>
void SetWithRoubles(mTCurrencyIncome& income, Currency sum, Setter set, Currency mTCurrencyIncome::*sumField,
                    Currency mTCurrencyIncome::*roubleField) {
    try {
        (income.*set)(sum);
    } catch (const std::overflow_error&) {
        income.*sumField = sum;
        income.*roubleField = Currency();
    }
}

QString State(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* d = qobject_cast<const QDateEdit*>(w)) return d->date().toString(Qt::ISODate);
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

} // namespace

TfrCurrency::TfrCurrency(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrCurrency>()) {
    ui->setupUi(this);
    listglyphs::Apply(ui->fbAddSourseIncome, ui->fbDeleteSourseIncome, ui->fbEditSourseIncome);
    ui->lvSourseIncomeInfo->setColumnWidth(0, 540);
    ui->lvSourseIncomeInfo->installEventFilter(this);
    for (TMaskedEdit* e : {ui->meCurrencyName, ui->meCurrencyUnits, ui->meCurrencyExchange, ui->meCurrencyUnits2,
                           ui->meCurrencyExchange2, ui->meIncomeCurrencySum, ui->meSubtractSum})
        TurnEntry(e, false);

    auto guarded = [this](void (TfrCurrency::*handler)()) {
        return [this, handler] { GuardedCall(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(ui->fbAddSourseIncome, &TFlashButton::OnClick, this, guarded(&TfrCurrency::fbAddSourseIncomeClick));
    connect(ui->fbEditSourseIncome, &TFlashButton::OnClick, this, guarded(&TfrCurrency::fbEditSourseIncomeClick));
    connect(ui->fbDeleteSourseIncome, &TFlashButton::OnClick, this, guarded(&TfrCurrency::fbDeleteSourseIncomeClick));
    connect(ui->lvSourseIncomeInfo, &QTreeWidget::itemDoubleClicked, this, guarded(&TfrCurrency::fbEditSourseIncomeClick));
    ConnectSelectItem(ui->lvSourseIncomeInfo, [this](int row, bool selected) {
        GuardedCall(this, [&] { lvSourseIncomeInfoSelectItem(row, selected); });
    });
    connect(ui->meCurrencyCode, &TMaskedEdit::OnChange, this, guarded(&TfrCurrency::meCurrencyCodeChange));
    connect(ui->bnCurrencyCode, &QPushButton::clicked, this, guarded(&TfrCurrency::bnCurrencyCodeClick));
    connect(ui->chbAutoExchange, &QCheckBox::toggled, this, guarded(&TfrCurrency::chbAutoExchangeClick));
    // A changed date is a change of the document, whatever it does to the rates.
    connect(ui->dtIncomeGetDate, &QDateEdit::dateChanged, this, [this] {
        pagevalues::Changed();
        GuardedCall(this, [this] { dtIncomeGetDateChange(); });
    });
    connect(ui->dtSubtractDate, &QDateEdit::dateChanged, this, [this] {
        pagevalues::Changed();
        GuardedCall(this, [this] { dtSubtractDateChange(); });
    });
    for (TMaskedEdit* e : {ui->meIncomeCurrencySum, ui->meCurrencyUnits, ui->meCurrencyExchange})
        connect(e, &TMaskedEdit::OnChange, this, guarded(&TfrCurrency::IncomeRoubles));
    for (TMaskedEdit* e : {ui->meTaxCurrencySum, ui->meCurrencyUnits2, ui->meCurrencyExchange2})
        connect(e, &TMaskedEdit::OnChange, this, guarded(&TfrCurrency::TaxRoubles));
    connect(ui->bnIncomeCod, &QPushButton::clicked, this, guarded(&TfrCurrency::bnIncomeCodClick));
    connect(ui->bnSubtractCod, &QPushButton::clicked, this, guarded(&TfrCurrency::bnSubtractCodClick));

    // The income written back field by field, in this order: the rouble values are derived from
    // the units and rates already written.
    using C = mTCurrencyIncome;
    storeRows_ = {
        {{ui->dtIncomeGetDate}, [this](C& c) { c.IncomeDate = FromQDate(ui->dtIncomeGetDate->date()); }},
        {{ui->dtSubtractDate}, [this](C& c) { c.TaxDate = FromQDate(ui->dtSubtractDate->date()); }},
        {{ui->meCurrencyCode}, [this](C& c) { c.CurrencyCode = S(ui->meCurrencyCode->Text()); }},
        {{ui->meCurrencyName}, [this](C& c) { c.CurrencyName = S(ui->meCurrencyName->Text()); }},
        {{ui->chbAutoExchange}, [this](C& c) { c.AutoExchange = ui->chbAutoExchange->isChecked() ? 1 : 0; }},
        {{ui->meCurrencyUnits}, [this](C& c) { c.Units1 = IntOf(ui->meCurrencyUnits->Text()); }},
        {{ui->meCurrencyExchange}, [this](C& c) { c.Rate1 = MoneyOf(ui->meCurrencyExchange->Text()); }},
        {{ui->meCurrencyUnits2}, [this](C& c) { c.Units2 = IntOf(ui->meCurrencyUnits2->Text()); }},
        {{ui->meCurrencyExchange2}, [this](C& c) { c.Rate2 = MoneyOf(ui->meCurrencyExchange2->Text()); }},
        {{ui->pnlIncomeCod}, [this](C& c) { c.IncomeCode = IntOf(ui->pnlIncomeCod->text()); }},
        {{ui->meIncomeCurrencySum, ui->meCurrencyUnits, ui->meCurrencyExchange},
         [this](C& c) {
             const Currency sum = Touched(ui->meIncomeCurrencySum) ? MoneyOf(ui->meIncomeCurrencySum->Text()) : c.IncomeCurrencySum;
             SetWithRoubles(c, sum, &C::SetIncomeCurrencySum, &C::IncomeCurrencySum, &C::IncomeRoubleSum);
         }},
        {{ui->meTaxCurrencySum, ui->meCurrencyUnits2, ui->meCurrencyExchange2},
         [this](C& c) {
             const Currency sum = Touched(ui->meTaxCurrencySum) ? MoneyOf(ui->meTaxCurrencySum->Text()) : c.TaxCurrencySum;
             SetWithRoubles(c, sum, &C::SetTaxCurrencySum, &C::TaxCurrencySum, &C::TaxRoubleSum);
         }},
        {{ui->pnlSubtractCod}, [this](C& c) { c.DeductCode = IntOf(ui->pnlSubtractCod->text()); }},
        {{ui->meSubtractSum}, [this](C& c) { c.DeductSum = MoneyOf(ui->meSubtractSum->Text()); }},
        {{ui->pnlIncomeCod},
         [this](C& c) {
             c.Stav = IncomeStav;
             c.IncomeName = S(IncomeName);
         }},
        {{ui->pnlIncomeCod, ui->pnlSubtractCod}, [this](C& c) { c.DeductPercent = DeductPercent; }},
    };

    {
        TScopedFlag creating(Creating);
        TPageLoading loading;
        const mTDeclaration& d = Document();
        for (int i = 0; i < d.CurrencyIncomeCount(); ++i)
            new QTreeWidgetItem(ui->lvSourseIncomeInfo, QStringList{Q(d.GetCurrencyIncome(i).SourseName)});
        ui->dtIncomeGetDate->setDate(QDate(2005, 1, 1));
        ui->dtSubtractDate->setDate(QDate(2005, 1, 1));
        EnableItemControls(d.CurrencyIncomeCount() > 0);
        // The count is shown whatever the list holds, so that saving keeps it unless it changed.
        Put(ui->meAppB, QString::number(d.AppB));
        shownAppB_ = ui->meAppB->Text();
    }
    ShowAttachment();
}

TfrCurrency::~TfrCurrency() {
    // The list is destroyed after this object's fields: its last selection changes go nowhere.
    destroying_ = true;
    ui->lvSourseIncomeInfo->selectionModel()->blockSignals(true);
}

mTCurrencyIncome& TfrCurrency::Income() const { return Document().GetCurrencyIncome(CurrentIndex); }

TfrCurrency::TPair TfrCurrency::IncomePair() const { return {ui->dtIncomeGetDate, ui->meCurrencyUnits, ui->meCurrencyExchange}; }
TfrCurrency::TPair TfrCurrency::TaxPair() const { return {ui->dtSubtractDate, ui->meCurrencyUnits2, ui->meCurrencyExchange2}; }

// ---------------------------------------------------------------------------------------------
// The page protocol

void TfrCurrency::SaveData() {
    if (CurrentItem) {
        StoreItem();
        TakeShownState(); // later changes are measured against what is stored now
    }
    if (ui->meAppB->Text() != shownAppB_) {
        Document().SetAppendixCountB(IntOf(ui->meAppB->Text()));
        shownAppB_ = ui->meAppB->Text();
    }
}

std::uint16_t TfrCurrency::CheckData() {
    const mTDeclaration& d = Document();
    // Income by income, each through every rule; the first failure ends the whole check.
    for (int i = 0; i < d.CurrencyIncomeCount(); ++i) {
        for (const TCurrencyIncomeRule& check : kCurrencyIncomeRules) {
            if (!check.fails(d.GetCurrencyIncome(i))) continue;
            TCheckRun run(this, kSection);
            run.Fail(QString::fromUtf8(check.message), static_cast<std::uint16_t>(i + 1));
            return run.Result();
        }
    }
    return 0;
}

void TfrCurrency::FocusItem(std::uint16_t item) {
    if (Document().CurrencyIncomeCount() == 0) return;
    ui->lvSourseIncomeInfo->setFocus();
    SelectRow(item - 1);
}

void TfrCurrency::SelectFirstEntry() { SelectFirstRow(ui->lvSourseIncomeInfo); }

// ---------------------------------------------------------------------------------------------
// The list

bool TfrCurrency::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lvSourseIncomeInfo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GuardedCall(this, [this] { EditSource(); });
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrCurrency::SelectRow(int row) {
    QTreeWidgetItem* item = ui->lvSourseIncomeInfo->topLevelItem(row);
    if (!item) return;
    ui->lvSourseIncomeInfo->clearSelection();
    ui->lvSourseIncomeInfo->setCurrentItem(item);
    item->setSelected(true);
}

void TfrCurrency::lvSourseIncomeInfoSelectItem(int row, bool selected) {
    if (destroying_ || Creating || Deleting) return;
    // The row losing the selection is reported first: its income is written before the next is
    // shown.
    if (CurrentItem) {
        StoreItem();
        CurrentIndex = 0;
        CurrentItem = nullptr;
    }
    if (selected) {
        CurrentItem = ui->lvSourseIncomeInfo->topLevelItem(row);
        CurrentIndex = CurrentItem ? row : 0;
        if (CurrentItem) ShowItem();
    }
    ShowAttachment();
}

void TfrCurrency::ShowAttachment() {
    const bool on = CurrentItem != nullptr;
    for (QWidget* group : {static_cast<QWidget*>(ui->gbSourseInfo), static_cast<QWidget*>(ui->gbIncome),
                           static_cast<QWidget*>(ui->gbDiscount), static_cast<QWidget*>(ui->gbTax)})
        group->setEnabled(on);
}

void TfrCurrency::fbAddSourseIncomeClick() {
    TfmInputCurrencySourseIncome dialog;
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.GetSourseName();
    if (Q(name).trimmed().isEmpty()) return;
    pagevalues::Changed();
    mTDeclaration& d = Document();
    if (d.CurrencyIncomeCount() == 0) EnableItemControls(true);
    const int i = d.AddCurrencyIncome();
    mTCurrencyIncome& income = d.GetCurrencyIncome(i);
    income.SourseName = name;
    income.CountryCode = dialog.GetGos();
    new QTreeWidgetItem(ui->lvSourseIncomeInfo, QStringList{Q(name)});
    SelectRow(i);
}

void TfrCurrency::fbEditSourseIncomeClick() { EditSource(); }

void TfrCurrency::EditSource() {
    if (!CurrentItem || !CurrentItem->isSelected()) return;
    mTCurrencyIncome& income = Income();
    TfmInputCurrencySourseIncome dialog;
    dialog.SetSourseName(income.SourseName);
    dialog.SetGos(income.CountryCode);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.GetSourseName();
    if (Q(name).trimmed().isEmpty()) return;
    income.SourseName = name;
    income.CountryCode = dialog.GetGos();
    CurrentItem->setText(0, Q(name));
}

void TfrCurrency::fbDeleteSourseIncomeClick() {
    if (!CurrentItem || !CurrentItem->isSelected()) return;
    mTDeclaration& d = Document();
    {
        TScopedFlag deleting(Deleting);
        pagevalues::Changed();
        d.SetCurrencyIncome(CurrentIndex, nullptr);
        CurrentItem = nullptr;
        delete ui->lvSourseIncomeInfo->takeTopLevelItem(CurrentIndex);
        ui->lvSourseIncomeInfo->clearSelection();
    }
    if (d.CurrencyIncomeCount() == 0) {
        CurrentIndex = 0;
        EnableItemControls(false);
        ShowAttachment();
    } else {
        SelectRow(CurrentIndex > 0 ? CurrentIndex - 1 : 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Showing and storing an income

void TfrCurrency::EnableItemControls(bool enable) {
    QWidget* plain[] = {ui->dtIncomeGetDate, ui->dtSubtractDate, ui->chbAutoExchange, ui->lbAutoExchange, ui->lbCurrency,
                        ui->lbIncomeCod,     ui->bnIncomeCod,    ui->lbIncomeCurrencySum, ui->lbIncomeRublSum,
                        ui->lbTaxCurrencySum, ui->lbTaxRoubleSum, ui->lbSubtractCod, ui->bnSubtractCod, ui->lbSubtractSum};
    TMaskedEdit* edits[] = {ui->meCurrencyCode, ui->meIncomeCurrencySum, ui->meTaxCurrencySum, ui->meSubtractSum, ui->meAppB};
    TMaskedEdit* rates[] = {ui->meCurrencyUnits, ui->meCurrencyExchange, ui->meCurrencyUnits2, ui->meCurrencyExchange2};
    QWidget* rateLabels[] = {ui->lbCurrencyUnits2, ui->CurrencyExchange1, ui->lbCurrencyExchange2};
    if (enable) {
        for (QWidget* w : plain) w->setEnabled(true);
        for (TMaskedEdit* e : edits) TurnEntry(e, true);
        if (!ui->chbAutoExchange->isChecked()) {
            for (TMaskedEdit* e : rates) TurnEntry(e, true);
            for (QWidget* w : rateLabels) w->setEnabled(true);
        }
        ui->bnCurrencyCode->setEnabled(PageHost && PageHost->CurrencyRates);
        return;
    }
    // Emptied first: the change handlers that this runs may enable controls, which all end off.
    ui->dtIncomeGetDate->setDate(QDate::currentDate());
    ui->dtSubtractDate->setDate(QDate::currentDate());
    for (TMaskedEdit* e : {ui->meCurrencyName, ui->meCurrencyCode, ui->meCurrencyUnits, ui->meCurrencyExchange, ui->meCurrencyUnits2,
                           ui->meCurrencyExchange2})
        e->SetText(QString());
    ui->pnlIncomeCod->clear();
    ui->meIncomeCurrencySum->SetText(QString());
    ui->pnlIncomeRublSum->clear();
    ui->meTaxCurrencySum->SetText(QString());
    ui->pnlTaxRoubleSum->clear();
    ui->pnlSubtractCod->clear();
    ui->meSubtractSum->SetText(QString());
    ui->meAppB->SetText(QString());
    for (QWidget* w : plain) w->setEnabled(false);
    for (QWidget* w : rateLabels) w->setEnabled(false);
    ui->bnCurrencyCode->setEnabled(false);
    for (TMaskedEdit* e : edits) TurnEntry(e, false);
    for (TMaskedEdit* e : rates) TurnEntry(e, false);
    TurnEntry(ui->meCurrencyName, false);
}

bool TfrCurrency::Touched(QWidget* control) const {
    const auto it = shown_.find(control);
    return it == shown_.end() || State(control) != it->second;
}

void TfrCurrency::StoreItem() {
    mTCurrencyIncome& income = Income();
    for (const TStoreRow& row : storeRows_) {
        bool changed = false;
        for (QWidget* w : row.controls) changed = changed || Touched(w);
        if (changed) row.store(income);
    }
}

void TfrCurrency::ShowItem() {
    TPageLoading loading;
    const mTCurrencyIncome& income = Income();
    const QString code = Q(income.CurrencyCode);
    ui->dtIncomeGetDate->setDate(ToQDate(income.IncomeDate));
    ui->dtSubtractDate->setDate(ToQDate(income.TaxDate));
    Put(ui->meCurrencyCode, code);
    FindCurrency(code);
    const QString fileName = CurrencyNode.attribute(QStringLiteral("Name"));
    if (!CurrencyNode.isNull() && ui->meCurrencyName->Takes(fileName)) {
        ui->meCurrencyName->SetText(fileName);
        TurnEntry(ui->meCurrencyName, false);
    } else {
        Put(ui->meCurrencyName, Q(income.CurrencyName));
        TurnEntry(ui->meCurrencyName, true);
    }
    // The option is settled for both dates before the stored units and rates are shown, so that
    // settling it for the tax date cannot empty those of the income date.
    for (const TPair& pair : {IncomePair(), TaxPair()}) {
        FindRate(code, pair.date->date());
        if (RateNode.isNull()) {
            ui->chbAutoExchange->setEnabled(false);
            ui->chbAutoExchange->setChecked(false);
            ui->lbAutoExchange->setEnabled(false);
        } else {
            ui->chbAutoExchange->setEnabled(true);
            ui->lbAutoExchange->setEnabled(true);
            ui->chbAutoExchange->setChecked(income.AutoExchange != 0);
        }
    }
    Put(ui->meCurrencyUnits, QString::number(income.Units1));
    Put(ui->meCurrencyExchange, MoneyText(income.Rate1));
    Put(ui->meCurrencyUnits2, QString::number(income.Units2));
    Put(ui->meCurrencyExchange2, MoneyText(income.Rate2));
    Put(ui->meTaxCurrencySum, AmountText(income.TaxCurrencySum, true));
    TaxRoubles(); // also when no text changed
    ShowItemIncome();
    TakeShownState();
}

void TfrCurrency::TakeShownState() {
    shown_.clear();
    for (const TStoreRow& row : storeRows_)
        for (QWidget* w : row.controls) shown_[w] = State(w);
}

void TfrCurrency::DeductionOff() {
    for (QWidget* w : {static_cast<QWidget*>(ui->lbSubtractCod), static_cast<QWidget*>(ui->lbSubtractSum),
                       static_cast<QWidget*>(ui->bnSubtractCod)})
        w->setEnabled(false);
    ui->pnlSubtractCod->clear();
    ui->meSubtractSum->SetText(QString());
    ui->meSubtractSum->setVisible(true);
    TurnEntry(ui->meSubtractSum, false);
}

void TfrCurrency::ShowItemIncome() {
    const mTCurrencyIncome& income = Income();
    IncomeStav = income.Stav;
    IncomeName = Q(income.IncomeName);
    DeductPercent = income.DeductPercent;
    DeductionAllowed = false;
    MaxSum = Currency();
    Equivalent = false;
    if (income.IncomeCode == 0) {
        IncomeName.clear();
        ui->pnlIncomeCod->clear();
        ui->meIncomeCurrencySum->SetText(QString());
        ui->pnlIncomeRublSum->clear();
        TurnEntry(ui->meIncomeCurrencySum, false);
        DeductionOff();
        return;
    }
    const QString code = QString::number(income.IncomeCode);
    ui->pnlIncomeCod->setText(code);
    TurnEntry(ui->meIncomeCurrencySum, true);
    Put(ui->meIncomeCurrencySum, AmountText(income.IncomeCurrencySum, true));
    IncomeRoubles(); // also when the amount's text did not change
    const QDomElement entry = XMLDocumentIncome.Income(code);
    if (entry.isNull()) return DeductionOff();
    IncomeStav = TIncomeDict::Number(entry, "Stav");
    IncomeName = entry.attribute(QStringLiteral("Name"));
    if (entry.firstChildElement(QStringLiteral("Deduction")).isNull()) return DeductionOff();
    DeductionAllowed = true;
    ui->lbSubtractCod->setEnabled(true);
    ui->bnSubtractCod->setEnabled(true);
    ui->pnlSubtractCod->setText(QString::number(income.DeductCode));
    Put(ui->meSubtractSum, AmountText(income.DeductSum, true));
    const QDomElement deduction = TIncomeDict::Deduction(entry, ui->pnlSubtractCod->text());
    if (deduction.isNull()) {
        ui->pnlSubtractCod->clear();
        ui->meSubtractSum->SetText(QString());
        TurnEntry(ui->meSubtractSum, false);
        return;
    }
    const bool visible = TIncomeDict::Flag(deduction, "Visible");
    ui->meSubtractSum->setVisible(visible);
    ui->lbSubtractSum->setEnabled(visible);
    TurnEntry(ui->meSubtractSum, TIncomeDict::Flag(deduction, "Enabled"));
    DeductPercent = TIncomeDict::Number(deduction, "Stav");
    MaxSum = TIncomeDict::MaxSum(deduction);
    Equivalent = TIncomeDict::Flag(deduction, "Equivalent");
    ChooseDeductionAmount();
}

// ---------------------------------------------------------------------------------------------
// Rates

void TfrCurrency::FindCurrency(const QString& code) {
    CurrencyNode = QDomElement();
    RateNode = QDomElement();
    CurrencyNode = currencyrates::FindCurrency(PageHost ? PageHost->CurrencyRates.get() : nullptr, code);
}

void TfrCurrency::FindRate(const QString& code, const QDate& day) {
    FindCurrency(code);
    if (!CurrencyNode.isNull()) RateNode = currencyrates::FindRate(CurrencyNode, day);
}

void TfrCurrency::FindRateForDate(const QDate& day) {
    RateNode = CurrencyNode.isNull() ? QDomElement() : currencyrates::FindRate(CurrencyNode, day);
}

void TfrCurrency::FillPair(const TPair& pair) {
    Put(pair.units, CurrencyNode.attribute(QStringLiteral("Quantity")));
    Put(pair.rate, RateNode.attribute(QStringLiteral("Rate")));
}

void TfrCurrency::RefreshPair(const TPair& pair) {
    if (RateNode.isNull()) {
        ui->chbAutoExchange->setEnabled(false);
        ui->chbAutoExchange->setChecked(false);
        ui->lbAutoExchange->setEnabled(false);
        return;
    }
    ui->chbAutoExchange->setEnabled(true);
    ui->lbAutoExchange->setEnabled(true);
    if (ui->chbAutoExchange->isChecked()) {
        FillPair(pair);
    } else {
        pair.units->SetText(QString());
        pair.rate->SetText(QString());
    }
}

void TfrCurrency::meCurrencyCodeChange() {
    const QString code = ui->meCurrencyCode->Text();
    FindCurrency(code);
    const QString fileName = CurrencyNode.attribute(QStringLiteral("Name"));
    if (!CurrencyNode.isNull() && ui->meCurrencyName->Takes(fileName)) {
        ui->meCurrencyName->SetText(fileName);
        TurnEntry(ui->meCurrencyName, false);
    } else {
        // Not in the file, or a name the edit cannot hold: the user types it.
        ui->meCurrencyName->SetText(QString());
        TurnEntry(ui->meCurrencyName, true);
    }
    for (const TPair& pair : {IncomePair(), TaxPair()}) {
        FindRate(code, pair.date->date());
        RefreshPair(pair);
    }
}

void TfrCurrency::dtIncomeGetDateChange() {
    FindRateForDate(ui->dtIncomeGetDate->date());
    RefreshPair(IncomePair());
}

void TfrCurrency::dtSubtractDateChange() {
    FindRateForDate(ui->dtSubtractDate->date());
    RefreshPair(TaxPair());
}

void TfrCurrency::chbAutoExchangeClick() {
    pagevalues::Changed();
    TMaskedEdit* rates[] = {ui->meCurrencyUnits, ui->meCurrencyExchange, ui->meCurrencyUnits2, ui->meCurrencyExchange2};
    QWidget* labels[] = {ui->lbCurrencyUnits2, ui->CurrencyExchange1, ui->lbCurrencyExchange2};
    const bool automatic = ui->chbAutoExchange->isChecked();
    for (TMaskedEdit* e : rates) TurnEntry(e, !automatic);
    for (QWidget* w : labels) w->setEnabled(!automatic);
    if (!automatic) {
        for (TMaskedEdit* e : rates) e->SetText(QString());
        return;
    }
    const bool found = !CurrencyNode.isNull();
    const QString code = ui->meCurrencyCode->Text();
    for (const TPair& pair : {IncomePair(), TaxPair()}) {
        if (!found) {
            pair.units->SetText(QString());
            pair.rate->SetText(QString());
            continue;
        }
        FindRate(code, pair.date->date());
        // A date without a rate switches the option off again; the user types the rates.
        if (RateNode.isNull()) return RefreshPair(pair);
        FillPair(pair);
    }
}

void TfrCurrency::bnCurrencyCodeClick() {
    if (!PageHost || !PageHost->CurrencyRates) return;
    TfmInputCurrencyCode picker(this, PageHost->CurrencyRates->documentElement(), ui->meCurrencyCode->Text());
    if (picker.exec() != QDialog::Accepted) return;
    if (picker.ui->lvCurrencys->topLevelItemCount() == 0) return; // nothing to choose from
    if (picker.SelectedCode == ui->meCurrencyCode->Text() || !ui->meCurrencyCode->Takes(picker.SelectedCode)) return;
    ui->meCurrencyCode->SetText(picker.SelectedCode);
    pagevalues::Changed();
}

// ---------------------------------------------------------------------------------------------
// Rouble values and the deduction

void TfrCurrency::IncomeRoubles() {
    ui->pnlIncomeRublSum->setText(RoublesText(ui->meIncomeCurrencySum, ui->meCurrencyUnits, ui->meCurrencyExchange));
    if (DeductionAllowed) Put(ui->meSubtractSum, MoneyText(DeductionAmount()));
}

void TfrCurrency::TaxRoubles() {
    ui->pnlTaxRoubleSum->setText(RoublesText(ui->meTaxCurrencySum, ui->meCurrencyUnits2, ui->meCurrencyExchange2));
}

Currency TfrCurrency::DeductionAmount() const {
    const Currency roubles = MoneyOf(ui->pnlIncomeRublSum->text());
    Currency d;
    if (DeductPercent != 0)
        d = NormAmount(roubles, DeductPercent);
    else if (Equivalent)
        d = roubles;
    if (!MaxSum.IsZero() && d > MaxSum) d = MaxSum;
    return d;
}

void TfrCurrency::ChooseDeductionAmount() {
    const QString panel = ui->pnlIncomeRublSum->text();
    const Currency roubles = MoneyOf(panel);
    if (DeductPercent != 0) {
        Put(ui->meSubtractSum, panel.isEmpty() ? QStringLiteral("0") : MoneyText(NormAmount(roubles, DeductPercent)));
    } else if (Equivalent) {
        if (MaxSum.IsZero())
            Put(ui->meSubtractSum, panel);
        else if (panel.isEmpty())
            Put(ui->meSubtractSum, QStringLiteral("0"));
        else
            Put(ui->meSubtractSum, roubles <= MaxSum ? panel : MoneyText(MaxSum));
    }
}

void TfrCurrency::bnIncomeCodClick() {
    TfmInputIncomeCode picker(nullptr, XMLDocumentIncome.Root(), QString(), ui->pnlIncomeCod->text());
    if (picker.exec() != QDialog::Accepted) return;
    const QString code = picker.GetCode();
    if (code.isEmpty() || code == ui->pnlIncomeCod->text()) return;
    pagevalues::Changed();
    DeductPercent = 0;
    DeductionAllowed = false;
    MaxSum = Currency();
    Equivalent = false;
    IncomeStav = picker.GetStav();
    ui->pnlIncomeCod->setText(code);
    IncomeName = picker.GetName();
    TurnEntry(ui->meIncomeCurrencySum, true);
    ui->pnlSubtractCod->clear();
    ui->meSubtractSum->SetText(QString());
    ui->meSubtractSum->setVisible(true);
    TurnEntry(ui->meSubtractSum, false);
    for (QWidget* w : {static_cast<QWidget*>(ui->lbSubtractCod), static_cast<QWidget*>(ui->bnSubtractCod),
                       static_cast<QWidget*>(ui->lbSubtractSum)})
        w->setEnabled(picker.HasDeductions);
    DeductionAllowed = picker.HasDeductions;
}

void TfrCurrency::bnSubtractCodClick() {
    TfmInputDeductCode picker(nullptr, XMLDocumentIncome.Root(), ui->pnlIncomeCod->text(), ui->pnlSubtractCod->text());
    if (picker.exec() != QDialog::Accepted) return;
    if (picker.DeductCode.isEmpty() || picker.DeductCode == ui->pnlSubtractCod->text()) return;
    pagevalues::Changed();
    ui->pnlSubtractCod->setText(picker.DeductCode);
    ui->meSubtractSum->SetText(QString());
    MaxSum = picker.DeductMaxSum;
    DeductPercent = picker.DeductStav;
    Equivalent = picker.DeductEquivalent;
    ui->meSubtractSum->setVisible(picker.DeductVisible);
    ui->lbSubtractSum->setEnabled(picker.DeductVisible);
    TurnEntry(ui->meSubtractSum, picker.DeductEnabled);
    ChooseDeductionAmount();
}
