#include "pages/Input13Income.h"

#include "model/StavClasses.h"
#include "pagebase/CheckError.h"
#include "pages/IncomeDict.h"
#include "pages/InputIncomeCode.h"
#include "ui_Input13Income.h"

#include <algorithm>
#include <array>

using namespace pagevalues;

namespace {

// Without the resident's rights only these incomes offer their deductions (501-504, capped at 2,000).
constexpr std::array<const char*, 4> kAlwaysDeductible = {"2720", "2730", "2760", "2770"};

// A deduction for documented expenses of a security sale may exceed the income.
constexpr std::array<const char*, 4> kSecuritySales = {"1530", "1531", "1532", "1533"};

template <std::size_t N>
bool OneOf(const QString& code, const std::array<const char*, N>& codes) {
    return std::any_of(codes.begin(), codes.end(), [&](const char* c) { return code == QLatin1String(c); });
}

std::unique_ptr<Ui::TfmInput13Income> MakeUi(QDialog* dialog) {
    auto ui = std::make_unique<Ui::TfmInput13Income>();
    ui->setupUi(dialog);
    return ui;
}

QString CodeText(std::int32_t code) { return QString::number(code); }

const QString kSection = QStringLiteral("Доходы, облагаемые по ставке 13%");

} // namespace

TfmInput13Income::TfmInput13Income(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(MakeUi(this)), dict_(std::make_unique<TIncomeDict>()), incomeSum_(ui->meIncomeSum), subtractSum_(ui->meSubtractSum) {
    setFixedSize(size());
    for (QWidget* e : {static_cast<QWidget*>(ui->meIncomeSum), static_cast<QWidget*>(ui->meSubtractSum),
                       static_cast<QWidget*>(ui->mePropSale)})
        TurnEntry(e, false);
    connect(ui->bnIncomeCod, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnIncomeCodClick(); }); });
    connect(ui->bnSubtractCod, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnSubtractCodClick(); }); });
    connect(ui->meIncomeSum, &TMaskedEdit::OnChange, this, [this] { GuardedCall(this, [this] { meIncomeSumChange(); }); });
    connect(ui->meSubtractSum, &TMaskedEdit::OnChange, this, [this] { meSubtractSumChange(); });
    connect(ui->mePropSale, &TMaskedEdit::OnChange, this, [this] { mePropSaleChange(); });
    connect(ui->bnYes, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Confirm(); }); });
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmInput13Income::TfmInput13Income(QWidget* owner, const mTSourseIncome& line, bool unrestricted) : TfmInput13Income(owner) {
    Unrestricted = unrestricted;
    DeductNorm = line.DeductNorm;
    IncomeName = Q(line.IncomeName);
    if (line.IncomeCode != 0) ui->pnlIncomeCod->setText(CodeText(line.IncomeCode));
    TurnEntry(ui->meIncomeSum, true);
    incomeSum_.Show(line.IncomeSum, true);

    // The month: shown for every line; a stored one beyond two digits is out of range anyway.
    ui->lbPropSale->setEnabled(true);
    TurnEntry(ui->mePropSale, true);
    ui->mePropSale->SetText(QString::number(std::min<int>(line.Month, 99)));

    const QDomElement income = line.IncomeCode != 0 ? dict_->Income(ui->pnlIncomeCod->text()) : QDomElement();
    if (income.isNull()) {
        // A code the dictionary does not know (a line from a file): its deduction is shown as
        // stored and kept, with no rule to apply to it.
        if (line.DeductCode != 0) ui->pnlSubtractCod->setText(CodeText(line.DeductCode));
        subtractSum_.Show(line.DeductSum, true);
        ui->lbSubtractCod->setEnabled(line.DeductCode != 0 || !line.DeductSum.IsZero());
        ui->lbSubtractSum->setEnabled(ui->lbSubtractCod->isEnabled());
        return;
    }
    IncomeName = income.attribute(QStringLiteral("Name"));
    if (!income.hasChildNodes() || !OffersDeductions(ui->pnlIncomeCod->text())) {
        DeductControlsOff();
        DeductAllowed = false;
        return;
    }
    DeductAllowed = true;
    ui->lbSubtractCod->setEnabled(true);
    ui->bnSubtractCod->setEnabled(true);
    ui->pnlSubtractCod->setText(CodeText(line.DeductCode));
    subtractSum_.Show(line.DeductSum, true);

    const QDomElement deduction = TIncomeDict::Deduction(income, ui->pnlSubtractCod->text());
    if (deduction.isNull()) {
        // A deduction code not allowed under this income (a line from a file): kept as stored
        // until the user picks another one.
        TurnEntry(ui->meSubtractSum, false);
        ui->lbSubtractSum->setEnabled(true);
        return;
    }
    DeductVisible = TIncomeDict::Flag(deduction, "Visible");
    DeductEnabled = TIncomeDict::Flag(deduction, "Enabled");
    DeductEquivalent = TIncomeDict::Flag(deduction, "Equivalent");
    DeductNorm = TIncomeDict::Number(deduction, "Stav");
    DeductMaxSum = TIncomeDict::MaxSum(deduction);
    ShowDeductAmountState();
    FormDeductFromIncome();
}

TfmInput13Income::~TfmInput13Income() = default;

std::int32_t TfmInput13Income::GetIncomeCode() const { return IntOf(ui->pnlIncomeCod->text()); }
std::int32_t TfmInput13Income::GetSubtractCode() const { return IntOf(ui->pnlSubtractCod->text()); }

std::uint16_t TfmInput13Income::GetMonth() const {
    const QString t = ui->mePropSale->Text();
    return t.isEmpty() ? 1 : static_cast<std::uint16_t>(IntOf(t));
}

bool TfmInput13Income::OffersDeductions(const QString& incomeCode) const {
    return Unrestricted || OneOf(incomeCode, kAlwaysDeductible);
}

void TfmInput13Income::DeductControlsOff() {
    ui->lbSubtractCod->setEnabled(false);
    ui->lbSubtractSum->setEnabled(false);
    ui->bnSubtractCod->setEnabled(false);
    ui->pnlSubtractCod->clear();
    subtractSum_.SetText(QString());
    TurnEntry(ui->meSubtractSum, false);
}

void TfmInput13Income::ShowDeductAmountState() {
    ui->meSubtractSum->setVisible(DeductVisible);
    ui->lbSubtractSum->setEnabled(DeductVisible);
    TurnEntry(ui->meSubtractSum, DeductEnabled);
}

void TfmInput13Income::SetSubtractAmount(Currency value) { subtractSum_.Show(value); }

void TfmInput13Income::FormDeductFromIncome() {
    if (DeductNorm != 0) {
        SetSubtractAmount(incomeSum_.Empty() ? Currency() : NormAmount(incomeSum_.Value(), DeductNorm));
    } else if (DeductEquivalent) {
        if (DeductMaxSum.IsZero())
            subtractSum_.SetText(ui->meIncomeSum->Text());
        else if (incomeSum_.Empty())
            SetSubtractAmount(Currency());
        else if (incomeSum_.Value() <= DeductMaxSum)
            subtractSum_.SetText(ui->meIncomeSum->Text());
        else
            SetSubtractAmount(DeductMaxSum);
    }
}

void TfmInput13Income::bnIncomeCodClick() {
    TfmInputIncomeCode picker(this, dict_->Root(), QStringLiteral("13"), ui->pnlIncomeCod->text());
    if (picker.exec() != QDialog::Accepted) return;
    const QString code = picker.GetCode();
    if (code == ui->pnlIncomeCod->text()) return;
    DeductEnabled = DeductEquivalent = DeductVisible = DeductAllowed = false;
    DeductMaxSum = Currency();
    DeductNorm = 0;
    ui->pnlIncomeCod->setText(code);
    IncomeName = picker.GetName();
    incomeSum_.SetText(QString());
    TurnEntry(ui->meIncomeSum, true);
    ui->pnlSubtractCod->clear();
    subtractSum_.SetText(QString());
    DeductAllowed = picker.HasDeductions && OffersDeductions(code);
    ui->lbSubtractCod->setEnabled(DeductAllowed);
    ui->bnSubtractCod->setEnabled(DeductAllowed);
    ui->lbSubtractSum->setEnabled(DeductAllowed);
    ui->meSubtractSum->setVisible(true);
    TurnEntry(ui->meSubtractSum, false);
    ui->lbPropSale->setEnabled(true);
    TurnEntry(ui->mePropSale, true);
}

void TfmInput13Income::bnSubtractCodClick() {
    TfmInputDeductCode picker(this, dict_->Root(), ui->pnlIncomeCod->text(), ui->pnlSubtractCod->text());
    if (picker.exec() != QDialog::Accepted) return;
    if (picker.DeductCode == ui->pnlSubtractCod->text()) return;
    ui->pnlSubtractCod->setText(picker.DeductCode);
    subtractSum_.SetText(QString());
    DeductEnabled = picker.DeductEnabled;
    DeductEquivalent = picker.DeductEquivalent;
    DeductVisible = picker.DeductVisible;
    DeductMaxSum = picker.DeductMaxSum;
    DeductNorm = picker.DeductStav;
    ShowDeductAmountState();
    // With a rule the amount follows the income; otherwise the user types it.
    if (DeductNorm != 0 || DeductEquivalent) FormDeductFromIncome();
}

void TfmInput13Income::meIncomeSumChange() {
    if (!DeductAllowed) return;
    Currency d = subtractSum_.Value();
    if (DeductNorm != 0)
        d = incomeSum_.Empty() ? Currency() : NormAmount(incomeSum_.Value(), DeductNorm);
    else if (DeductEquivalent)
        d = incomeSum_.Value();
    if (!DeductMaxSum.IsZero() && d > DeductMaxSum) d = DeductMaxSum;
    if (d.IsZero())
        subtractSum_.SetText(QString());
    else
        SetSubtractAmount(d);
}

void TfmInput13Income::meSubtractSumChange() {
    if (DeductEnabled && !DeductMaxSum.IsZero() && !subtractSum_.Empty() && subtractSum_.Value() > DeductMaxSum)
        SetSubtractAmount(DeductMaxSum);
}

void TfmInput13Income::mePropSaleChange() {
    const QString t = ui->mePropSale->Text();
    if (t.isEmpty()) return;
    const int month = IntOf(t);
    if (month >= 13)
        ui->mePropSale->SetText(QStringLiteral("12"));
    else if (month < 1)
        ui->mePropSale->SetText(QStringLiteral("1"));
}

std::uint16_t TfmInput13Income::CheckIncome() {
    const bool noIncomeCode = ui->pnlIncomeCod->text().isEmpty();
    const bool noDeductCode = ui->pnlSubtractCod->text().isEmpty();
    const bool deductTyped = DeductEnabled && !subtractSum_.Empty();
    const bool securitiesCost = OneOf(ui->pnlIncomeCod->text(), kSecuritySales) && ui->pnlSubtractCod->text() == QLatin1String("307");
    const QString tooLarge = QStringLiteral("Сумма вычета превышает сумму дохода");
    struct TLineCheck {
        bool fails;
        QString message;
        std::uint16_t item;
    };
    const TLineCheck checks[] = {
        {noIncomeCode, QStringLiteral("Не выбран доход"), 1},
        {incomeSum_.Empty(), QStringLiteral("Не указана сумма дохода"), std::uint16_t(noIncomeCode ? 1 : 2)},
        {DeductAllowed && noDeductCode, QStringLiteral("Не выбран вычет"), 3},
        {deductTyped && incomeSum_.Empty(), tooLarge, 2},
        {deductTyped && subtractSum_.Value() > incomeSum_.Value() && !securitiesCost, tooLarge, std::uint16_t(noDeductCode ? 3 : 4)},
    };
    TCheckRun run(this, kSection);
    for (const TLineCheck& c : checks)
        if (c.fails) run.Fail(c.message, c.item);
    return run.Result();
}

void TfmInput13Income::Confirm() {
    switch (CheckIncome()) {
    case 0: done(QDialog::Accepted); break;
    case 1:
        ui->bnIncomeCod->setFocus();
        bnIncomeCodClick();
        break;
    case 2: ui->meIncomeSum->setFocus(); break;
    case 3:
        ui->bnSubtractCod->setFocus();
        bnSubtractCodClick();
        break;
    case 4: ui->meSubtractSum->setFocus(); break;
    default: break;
    }
}
