// "Сведения о доходе": one income line of a 13 % source, with its income code from the built-in
// dictionary, the amount, the deduction allowed under that income and the month. The deduction
// rules of the dictionary (a norm, an amount equal to the income, a cap) apply while the user types.
#pragma once

#include "pages/ShownValues.h"
#include "platform/Currency.h"
#include "platform/QtWindowing.h"

#include <QString>
#include <cstdint>
#include <memory>

class TIncomeDict;
struct mTSourseIncome;

namespace Ui {
class TfmInput13Income;
}

class TfmInput13Income : public TKeyPreviewDialog {
    Q_OBJECT
public:
    // A new line: only the income-code button can be used at first.
    explicit TfmInput13Income(QWidget* owner);
    // An existing line. Its stored name, deduction and month are kept when the dictionary does not
    // know its income code or the deduction code under it.
    TfmInput13Income(QWidget* owner, const mTSourseIncome& line, bool unrestricted);
    ~TfmInput13Income() override;

    std::int32_t GetIncomeCode() const;
    Currency GetIncomeSum() const { return incomeSum_.Value(); }
    std::int32_t GetSubtractCode() const;
    Currency GetSubtractSum() const { return subtractSum_.Value(); }
    // 1 for an empty month.
    std::uint16_t GetMonth() const;

    void bnIncomeCodClick();
    void bnSubtractCodClick();
    void meIncomeSumChange();
    void meSubtractSumChange();
    void mePropSaleChange();
    // The line's checks; the result is the item to fix (0: the line may be taken).
    std::uint16_t CheckIncome();

    QString IncomeName;
    bool DeductEnabled = false;
    bool DeductEquivalent = false;
    bool DeductVisible = false;
    Currency DeductMaxSum;
    std::int32_t DeductNorm = 0;
    bool DeductAllowed = false;
    // Every income with deductions offers them (a resident's declaration); otherwise only the
    // four incomes whose deductions are capped at 2,000.
    bool Unrestricted = false;

    std::unique_ptr<Ui::TfmInput13Income> ui;
    const TIncomeDict& Dict() const { return *dict_; }

protected:
    void Confirm() override;

private:
    bool OffersDeductions(const QString& incomeCode) const;
    void DeductControlsOff();
    void ShowDeductAmountState();
    // The deduction formed from the income when the chosen deduction has a rule for it.
    void FormDeductFromIncome();
    void SetSubtractAmount(Currency value);

    std::unique_ptr<TIncomeDict> dict_; // this dialog's own copy
    TAmountEdit incomeSum_;
    TAmountEdit subtractSum_;
};
