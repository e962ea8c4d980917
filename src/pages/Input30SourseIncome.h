// "Доход" of the dividend page: one paying organisation with the dividends, their taxable part, the
// tax withheld and the 9 % tax of the taxable part, which the dialog works out as the user types.
#pragma once

#ifndef Q_MOC_RUN // moc cannot read the standard library's concepts that the money type brings in
#include "pages/ShownValues.h"
#endif
#include "platform/QtWindowing.h"

#include <memory>
#include <string>

namespace Ui {
class TfmInput30SourseIncome;
}

// The 9 % tax of taxable dividends in whole roubles: the product to four decimals, then its whole
// part, one more when the fraction is 0,5 or above (1005,50 gives 90; 1006 gives 91).
Currency DividendTax(Currency taxable);

class TfmInput30SourseIncome : public TKeyPreviewDialog {
    Q_OBJECT
public:
    explicit TfmInput30SourseIncome(QWidget* owner = nullptr);
    ~TfmInput30SourseIncome() override;

    // A value set here comes back as set unless the user changed its edit, also when the edit's
    // rule could not show it (a tax withheld with kopecks, a name longer than the edit).
    std::string GetSourseName() const { return name_.Value(); }
    void SetSourseName(const std::string& v) { name_.Show(v); }
    std::string GetINN() const { return inn_.Value(); }
    void SetINN(const std::string& v) { inn_.Show(v); }
    std::string GetKPP() const { return kpp_.Value(); }
    void SetKPP(const std::string& v) { kpp_.Show(v); }
    std::string GetOKATO() const { return okato_.Value(); }
    void SetOKATO(const std::string& v) { okato_.Show(v); }
    Currency GetItogIncomeSum() const { return itog_.Value(); }
    void SetItogIncomeSum(Currency v) { itog_.Show(v); }
    // Setting the taxable dividends works out the tax again.
    Currency GetOblSum() const { return obl_.Value(); }
    void SetOblSum(Currency v) { obl_.Show(v); }
    Currency GetHoldSum() const { return hold_.Value(); }
    void SetHoldSum(Currency v) { hold_.Show(v); }
    Currency GetTaxDiscount() const { return tax_.Value(); }
    void SetTaxDiscount(Currency v) { tax_.Show(v); }

    std::unique_ptr<Ui::TfmInput30SourseIncome> ui;

protected:
    // Enter: the payer check that takes a person's number too.
    void Confirm() override { Accept(false); }

private:
    // "Да" checks the payer as an organisation.
    void Accept(bool organisation);
    void meOblSumChange();

    TKeptText name_, inn_, kpp_, okato_;
    TAmountEdit itog_, obl_, hold_, tax_;
};
