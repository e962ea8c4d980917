#include "pages/Input30SourseIncome.h"

#include "pagebase/PrimaryCheck.h"
#include "pages/FollowingChecks.h"
#include "ui_Input30SourseIncome.h"

using namespace pagevalues;

namespace {
std::unique_ptr<Ui::TfmInput30SourseIncome> MakeUi(QDialog* dialog) {
    auto ui = std::make_unique<Ui::TfmInput30SourseIncome>();
    ui->setupUi(dialog);
    return ui;
}
} // namespace

Currency DividendTax(Currency taxable) {
    // Four decimals of the product, an exact half going to the even digit; then whole roubles,
    // the fraction counted towards the next rouble from one half (toward zero below it, as the
    // whole part of a negative amount from a damaged file is).
    const __int128 product = static_cast<__int128>(taxable.Raw()) * 9;
    __int128 t = product / 100;
    const __int128 rest = product % 100;
    if (rest * 2 > 100 || (rest * 2 == 100 && t % 2 != 0)) ++t;
    else if (rest * 2 < -100 || (rest * 2 == -100 && t % 2 != 0)) --t;
    __int128 whole = t / Currency::Scale;
    if (t % Currency::Scale >= Currency::Scale / 2) ++whole;
    const __int128 limit = INT64_MAX / Currency::Scale;
    if (whole > limit) whole = limit;
    if (whole < -limit) whole = -limit;
    return Currency::FromInt(static_cast<std::int64_t>(whole));
}

TfmInput30SourseIncome::TfmInput30SourseIncome(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(MakeUi(this)), name_(ui->meSourseName), inn_(ui->meINN),
      kpp_(ui->meKPP), okato_(ui->meOKATO), itog_(ui->meItogIncomeSum), obl_(ui->meOblSum), hold_(ui->meHoldSum), tax_(ui->meTaxDiscount) {
    setFixedSize(size());
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Accept(true); }); });
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->meOblSum, &TMaskedEdit::OnChange, this, [this] { meOblSumChange(); });
}

TfmInput30SourseIncome::~TfmInput30SourseIncome() = default;

void TfmInput30SourseIncome::meOblSumChange() {
    if (ui->meOblSum->Text().isEmpty())
        tax_.SetText(QString());
    else
        tax_.Show(DividendTax(obl_.Value()));
}

void TfmInput30SourseIncome::Accept(bool organisation) {
    const QString section = QStringLiteral("Доходы, облагаемые по ставке 30%");
    auto payerCheck = organisation ? CheckPayerOrganisation : CheckPayer;
    std::uint16_t item = payerCheck(this, section, name_.Text(), okato_.Text(), kpp_.Text(), inn_.Text());
    if (item == 0) {
        const bool given = !(hold_.Value() + obl_.Value()).IsZero();
        const bool dividendsEmpty = ui->meItogIncomeSum->Text().isEmpty();
        const char* message = "Сумма дивидендов меньше суммы удержанного налога";
        item = RunFollowingChecks(this, section,
                                  {{given && dividendsEmpty, message, 5},
                                   {given && !dividendsEmpty && itog_.Value() < hold_.Value(), message, 6}});
    }
    switch (item) {
    case 0: done(QDialog::Accepted); break;
    case 1: ui->meSourseName->setFocus(); break;
    case 2: ui->meINN->setFocus(); break;
    case 3: ui->meKPP->setFocus(); break;
    case 4: ui->meOKATO->setFocus(); break;
    case 5: ui->meOblSum->setFocus(); break;
    case 6: ui->meHoldSum->setFocus(); break;
    default: break;
    }
}
