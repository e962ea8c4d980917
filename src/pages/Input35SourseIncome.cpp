#include "pages/Input35SourseIncome.h"

#include "pagebase/PrimaryCheck.h"
#include "pages/FollowingChecks.h"
#include "pages/InputIncomeCode.h"
#include "ui_Input35SourseIncome.h"

#include <QApplication>

using namespace pagevalues;

namespace {
std::unique_ptr<Ui::TfmInput35SourseIncome> MakeUi(QDialog* dialog) {
    auto ui = std::make_unique<Ui::TfmInput35SourseIncome>();
    ui->setupUi(dialog);
    return ui;
}
} // namespace

namespace {
const QString kSection = QStringLiteral("Доходы, облагаемые по ставке 35%");
}

TfmInput35SourseIncome::TfmInput35SourseIncome(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(MakeUi(this)), name_(ui->meSourseName), inn_(ui->meINN),
      kpp_(ui->meKPP), okato_(ui->meOKATO), incomeSum_(ui->meItogIncomeSum), subtractSum_(ui->meSubtractSum), holdSum_(ui->meHoldSum) {
    setFixedSize(size());
    TurnEntry(ui->meItogIncomeSum, false);
    TurnEntry(ui->meSubtractSum, false);
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Confirm(); }); });
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->bnIncomeCod, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnIncomeCodClick(); }); });
    connect(ui->bnSubtractCod, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnSubtractCodClick(); }); });
    connect(ui->meItogIncomeSum, &TMaskedEdit::OnChange, this, [this] { meItogIncomeSumChange(); });
    connect(ui->meSubtractSum, &TMaskedEdit::OnChange, this, [this] { meSubtractSumChange(); });
}

TfmInput35SourseIncome::TfmInput35SourseIncome(QWidget* owner, std::int32_t incomeCode, Currency incomeSum,
                                               std::int32_t deductCode, Currency deductSum)
    : TfmInput35SourseIncome(owner) {
    CreateEdit(incomeCode, incomeSum, deductCode, deductSum);
}

TfmInput35SourseIncome::~TfmInput35SourseIncome() = default;

void TfmInput35SourseIncome::TurnDeductionPart(bool on) {
    ui->lbSubtractCod->setEnabled(on);
    ui->bnSubtractCod->setEnabled(on);
}

void TfmInput35SourseIncome::KeepStoredDeduction(std::int32_t code, Currency sum) {
    keptDeduction_ = true;
    keptCode_ = code;
    keptSum_ = sum;
    ui->pnlSubtractCod->setText(code != 0 ? QString::number(code) : QString());
    subtractSum_.Show(sum, true);
    TurnEntry(ui->meSubtractSum, false);
}

void TfmInput35SourseIncome::CreateEdit(std::int32_t incomeCode, Currency incomeSum, std::int32_t deductCode,
                                        Currency deductSum) {
    if (incomeCode == 0) {
        ui->pnlIncomeCod->clear();
        ui->pnlSubtractCod->clear();
        incomeSum_.SetText(QString());
        subtractSum_.SetText(QString());
        TurnEntry(ui->meItogIncomeSum, false);
        TurnEntry(ui->meSubtractSum, false);
        TurnDeductionPart(false);
        ui->lbSubtractSum->setEnabled(false);
        // Nothing of a source without an income code is stored again, so nothing needs keeping.
        return;
    }
    ui->pnlIncomeCod->setText(QString::number(incomeCode));
    TurnEntry(ui->meItogIncomeSum, true);
    incomeSum_.Show(incomeSum, true);

    const QDomElement income = XMLDocumentIncome.Income(QString::number(incomeCode));
    const bool noDeduction = deductCode == 0 && deductSum.IsZero();
    if (income.isNull() || !income.hasChildNodes()) {
        TurnDeductionPart(false);
        ui->lbSubtractSum->setEnabled(false);
        HasDeductions = false;
        if (!noDeduction) {
            KeepStoredDeduction(deductCode, deductSum);
            return;
        }
        ui->pnlSubtractCod->clear();
        subtractSum_.SetText(QString());
        TurnEntry(ui->meSubtractSum, false);
        return;
    }
    HasDeductions = true;
    TurnDeductionPart(true);
    const QDomElement deduction = TIncomeDict::Deduction(income, QString::number(deductCode));
    if (deduction.isNull()) {
        KeepStoredDeduction(deductCode, deductSum);
        return;
    }
    ui->pnlSubtractCod->setText(QString::number(deductCode));
    // The stored amount already is what the rules gave, or what the user typed: it is shown before
    // the rules apply, so neither the cap nor the equivalence forms it again.
    subtractSum_.Show(deductSum, true);
    DeductVisible = TIncomeDict::Flag(deduction, "Visible");
    DeductEnabled = TIncomeDict::Flag(deduction, "Enabled");
    DeductEquivalent = TIncomeDict::Flag(deduction, "Equivalent");
    DeductMaxSum = TIncomeDict::MaxSum(deduction);
    ApplyDeductionRules();
}

void TfmInput35SourseIncome::ApplyDeductionRules() {
    ui->meSubtractSum->setVisible(DeductVisible);
    ui->lbSubtractSum->setEnabled(DeductVisible);
    TurnEntry(ui->meSubtractSum, DeductEnabled);
}

void TfmInput35SourseIncome::FillEquivalent() {
    const QString income = ui->meItogIncomeSum->Text();
    if (DeductMaxSum.IsZero())
        subtractSum_.SetText(income);
    else if (income.isEmpty())
        subtractSum_.SetText(QStringLiteral("0"));
    else if (incomeSum_.Value() <= DeductMaxSum)
        subtractSum_.SetText(income);
    else
        subtractSum_.SetText(MoneyText(DeductMaxSum));
}

std::int32_t TfmInput35SourseIncome::GetIncomeCode() const { return IntOf(ui->pnlIncomeCod->text()); }

std::int32_t TfmInput35SourseIncome::GetSubtractCode() const {
    return keptDeduction_ ? keptCode_ : IntOf(ui->pnlSubtractCod->text());
}

Currency TfmInput35SourseIncome::GetSubtractSum() const {
    if (keptDeduction_) return keptSum_;
    return ui->pnlSubtractCod->text().isEmpty() ? Currency() : subtractSum_.Value();
}

void TfmInput35SourseIncome::bnIncomeCodClick() {
    TfmInputIncomeCode picker(QApplication::activeWindow(), XMLDocumentIncome.Root(), QStringLiteral("35"),
                              ui->pnlIncomeCod->text());
    if (picker.exec() != QDialog::Accepted || picker.GetCode() == ui->pnlIncomeCod->text()) return;
    ui->pnlIncomeCod->setText(picker.GetCode());
    TurnEntry(ui->meItogIncomeSum, true);
    // The deduction belonged to the income before: its code, its amount and its rules go with it.
    keptDeduction_ = false;
    DeductEnabled = DeductEquivalent = DeductVisible = false;
    DeductMaxSum = Currency();
    ui->pnlSubtractCod->clear();
    subtractSum_.SetText(QString());
    TurnDeductionPart(picker.HasDeductions);
    ui->lbSubtractSum->setEnabled(picker.HasDeductions);
    ui->meSubtractSum->show();
    TurnEntry(ui->meSubtractSum, false);
    HasDeductions = picker.HasDeductions;
}

void TfmInput35SourseIncome::bnSubtractCodClick() {
    TfmInputDeductCode picker(QApplication::activeWindow(), XMLDocumentIncome.Root(), ui->pnlIncomeCod->text(),
                              ui->pnlSubtractCod->text());
    if (picker.exec() != QDialog::Accepted || picker.DeductCode == ui->pnlSubtractCod->text()) return;
    keptDeduction_ = false;
    ui->pnlSubtractCod->setText(picker.DeductCode);
    subtractSum_.SetText(QString());
    DeductEnabled = picker.DeductEnabled;
    DeductEquivalent = picker.DeductEquivalent;
    DeductVisible = picker.DeductVisible;
    DeductMaxSum = picker.DeductMaxSum;
    ApplyDeductionRules();
    if (DeductEquivalent) FillEquivalent();
}

void TfmInput35SourseIncome::meItogIncomeSumChange() {
    if (!HasDeductions || keptDeduction_) return;
    const Currency amount = DeductEquivalent && !ui->meItogIncomeSum->Text().isEmpty() ? incomeSum_.Value() : Currency();
    subtractSum_.SetText(MoneyText(!DeductMaxSum.IsZero() && DeductMaxSum < amount ? DeductMaxSum : amount));
}

void TfmInput35SourseIncome::meSubtractSumChange() {
    if (ui->meSubtractSum->Text().isEmpty() || !DeductEnabled || DeductMaxSum.IsZero()) return;
    if (subtractSum_.Value() > DeductMaxSum) subtractSum_.SetText(MoneyText(DeductMaxSum));
}

void TfmInput35SourseIncome::Confirm() {
    std::uint16_t item = CheckPayer(this, kSection, name_.Text(), okato_.Text(), kpp_.Text(), inn_.Text());
    if (item == 0) {
        const bool incomeShown = !ui->pnlIncomeCod->text().isEmpty();
        const bool incomeEmpty = ui->meItogIncomeSum->Text().isEmpty();
        const Currency income = incomeSum_.Value();
        const bool deductionChecked = DeductEnabled && !ui->meSubtractSum->Text().isEmpty();
        const bool holdGiven = !ui->meHoldSum->Text().isEmpty();
        item = RunFollowingChecks(
            this, kSection,
            {{!incomeShown, "Не выбран доход", 9},
             {incomeEmpty, "Не указана сумма дохода", std::uint16_t(incomeShown ? 5 : 9)},
             {HasDeductions && !keptDeduction_ && ui->pnlSubtractCod->text().isEmpty(), "Не выбран вычет", 6},
             {deductionChecked && (incomeEmpty || income < subtractSum_.Value()), "Сумма вычета превышает сумму дохода",
              std::uint16_t(incomeEmpty ? 5 : 7)},
             // A tax withheld above the income is wrong whatever the income's code.
             {holdGiven && (incomeEmpty || income < holdSum_.Value()), "Удержанная сумма превышает сумму дохода",
              std::uint16_t(incomeEmpty ? 5 : 8)}});
    }
    switch (item) {
    case 0: done(QDialog::Accepted); break;
    case 1: ui->meSourseName->setFocus(); break;
    case 2: ui->meINN->setFocus(); break;
    case 3: ui->meKPP->setFocus(); break;
    case 4: ui->meOKATO->setFocus(); break;
    case 5: ui->meItogIncomeSum->setFocus(); break;
    case 6:
        ui->bnSubtractCod->setFocus();
        bnSubtractCodClick();
        break;
    case 7: ui->meSubtractSum->setFocus(); break;
    case 8: ui->meHoldSum->setFocus(); break;
    case 9:
        ui->bnIncomeCod->setFocus();
        bnIncomeCodClick();
        break;
    default: break;
    }
}
