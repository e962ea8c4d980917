// "Доход" of the 35 % page: one source of payment with its one income (code and amount), at most one
// deduction against it and the tax it withheld. The income and deduction codes come from the
// dialog's own copy of the income-code dictionary, whose rules (norm, equivalence, cap) form the
// deduction amount as the user types.
#pragma once

#ifndef Q_MOC_RUN // moc cannot read the standard library's concepts that the money type brings in
#include "pages/IncomeDict.h"
#include "pages/ShownValues.h"
#endif
#include "platform/QtWindowing.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class TfmInput35SourseIncome;
}

class TfmInput35SourseIncome : public TKeyPreviewDialog {
    Q_OBJECT
public:
    // A new source: no income code yet, so both amounts are closed.
    explicit TfmInput35SourseIncome(QWidget* owner = nullptr);
    // A stored source: the income and deduction part as the dictionary describes them. A deduction
    // that the dictionary cannot place under the income (an unknown code) is kept as stored until
    // the user chooses an income or a deduction code.
    TfmInput35SourseIncome(QWidget* owner, std::int32_t incomeCode, Currency incomeSum, std::int32_t deductCode,
                           Currency deductSum);
    ~TfmInput35SourseIncome() override;

    // A value set here comes back as set unless the user changed its edit, also when the edit's
    // rule could not show it.
    std::string GetSourseName() const { return name_.Value(); }
    void SetSourseName(const std::string& v) { name_.Show(v); }
    std::string GetINN() const { return inn_.Value(); }
    void SetINN(const std::string& v) { inn_.Show(v); }
    std::string GetKPP() const { return kpp_.Value(); }
    void SetKPP(const std::string& v) { kpp_.Show(v); }
    std::string GetOKATO() const { return okato_.Value(); }
    void SetOKATO(const std::string& v) { okato_.Show(v); }
    // Whole roubles as typed; a stored amount with kopecks is shown as it is and comes back unchanged.
    Currency GetHoldSum() const { return holdSum_.Value(); }
    void SetHoldSum(Currency v) { holdSum_.Show(v); }

    // 0 when no code is shown.
    std::int32_t GetIncomeCode() const;
    Currency GetItogIncomeSum() const { return incomeSum_.Value(); }
    std::int32_t GetSubtractCode() const;
    // 0 without a deduction code: no amount is claimed without a code.
    Currency GetSubtractSum() const;

    void bnIncomeCodClick();
    void bnSubtractCodClick();

    // The rules of the chosen income and deduction.
    bool HasDeductions = false;
    bool DeductEnabled = false;
    bool DeductEquivalent = false;
    bool DeductVisible = false;
    Currency DeductMaxSum;

    std::unique_ptr<Ui::TfmInput35SourseIncome> ui;

protected:
    // The payer checks and then the income's own; OK when they pass or are skipped.
    void Confirm() override;

private:
    void CreateEdit(std::int32_t incomeCode, Currency incomeSum, std::int32_t deductCode, Currency deductSum);
    void meItogIncomeSumChange();
    void meSubtractSumChange();
    void TurnDeductionPart(bool on);
    void ApplyDeductionRules();
    void FillEquivalent();
    void KeepStoredDeduction(std::int32_t code, Currency sum);

    TIncomeDict XMLDocumentIncome;
    TKeptText name_, inn_, kpp_, okato_;
    TAmountEdit incomeSum_, subtractSum_, holdSum_;
    // The stored deduction that the dictionary could not place, given back as it was.
    bool keptDeduction_ = false;
    std::int32_t keptCode_ = 0;
    Currency keptSum_;
};
