// "Доходы в валюте": incomes received in foreign currency from sources abroad. One list row per
// income, named after the payer; for the income shown, its dates, currency and rates (typed or
// taken from the rates file), income code and amount, deduction and the tax paid abroad, with
// their rouble values.
#pragma once

#include "pagebase/MyFrame.h"
#include "pages/IncomeDict.h"
#ifndef Q_MOC_RUN // moc cannot read the standard library's concepts that the money type brings in
#include "platform/Currency.h"
#endif

#include <QDate>
#include <QDomElement>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QDateEdit;
class QTreeWidgetItem;
class TMaskedEdit;
class mTCurrencyIncome;

namespace Ui {
class TfrCurrency;
}

class TfrCurrency : public TThinkingFrame {
    Q_OBJECT
public:
    TfrCurrency(QWidget* owner, TDocumentRef documentRef);
    ~TfrCurrency() override;

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusItem(std::uint16_t item) override;
    void SelectFirstEntry() override;

    void fbAddSourseIncomeClick();
    void fbEditSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void lvSourseIncomeInfoSelectItem(int row, bool selected);
    void meCurrencyCodeChange();
    void bnCurrencyCodeClick();
    void chbAutoExchangeClick();
    void dtIncomeGetDateChange();
    void dtSubtractDateChange();
    void IncomeRoubles();
    void TaxRoubles();
    void bnIncomeCodClick();
    void bnSubtractCodClick();

    // The lookups in the main window's rates: their results are CurrencyNode and RateNode.
    void FindCurrency(const QString& code);
    void FindRate(const QString& code, const QDate& day);
    void FindRateForDate(const QDate& day);

    std::unique_ptr<Ui::TfrCurrency> ui;

    bool Creating = false;
    bool Deleting = false;
    int CurrentIndex = 0;
    // The row of the income shown; none: the controls belong to no income.
    QTreeWidgetItem* CurrentItem = nullptr;
    // The shown income's code and its deduction's rules.
    QString IncomeName;
    int IncomeStav = 0;
    int DeductPercent = 0;
    bool DeductionAllowed = false;
    Currency MaxSum;
    bool Equivalent = false;
    QDomElement CurrencyNode;
    QDomElement RateNode;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A date with its units and rate edits.
    struct TPair {
        QDateEdit* date;
        TMaskedEdit* units;
        TMaskedEdit* rate;
    };
    // A field of the income written back only when one of its controls changed since the income
    // was shown: what the page could not show, or showed differently, goes back as stored.
    struct TStoreRow {
        std::vector<QWidget*> controls;
        std::function<void(mTCurrencyIncome&)> store;
    };

    TPair IncomePair() const;
    TPair TaxPair() const;
    void RefreshPair(const TPair& pair);
    void FillPair(const TPair& pair);
    void EnableItemControls(bool enable);
    // The income controls take input only while they show an income.
    void ShowAttachment();
    void StoreItem();
    void ShowItem();
    void ShowItemIncome();
    void EditSource();
    void SelectRow(int row);
    void DeductionOff();
    // The amount of a deduction just chosen or shown, by its rules.
    void ChooseDeductionAmount();
    Currency DeductionAmount() const;
    // Whether the control differs from what it showed when the income was shown or last stored.
    bool Touched(QWidget* control) const;
    void TakeShownState();
    mTCurrencyIncome& Income() const;

    TIncomeDict XMLDocumentIncome;
    std::vector<TStoreRow> storeRows_;
    std::map<QWidget*, QString> shown_;
    QString shownAppB_;
    bool destroying_ = false;
};
