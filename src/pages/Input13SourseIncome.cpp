#include "pages/Input13SourseIncome.h"

#include "ui_Input13SourseIncome.h"
#include "pagebase/PrimaryCheck.h"

TfmInput13SourseIncome::TfmInput13SourseIncome(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInput13SourseIncome>()), name_(nullptr), inn_(nullptr),
      kpp_(nullptr), okato_(nullptr) {
    ui->setupUi(this);
    setFixedSize(size());
    name_ = TKeptText(ui->meSourseName);
    inn_ = TKeptText(ui->meINN);
    kpp_ = TKeptText(ui->meKPP);
    okato_ = TKeptText(ui->meOKATO);
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Confirm(); }); });
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmInput13SourseIncome::~TfmInput13SourseIncome() = default;

bool TfmInput13SourseIncome::GetPrimaryWorkplase() const { return ui->chbPrimaryWorkplase->isChecked(); }
void TfmInput13SourseIncome::SetPrimaryWorkplase(bool v) { ui->chbPrimaryWorkplase->setChecked(v); }

void TfmInput13SourseIncome::Confirm() {
    const std::uint16_t field = CheckPayer(this, QStringLiteral("Доходы, облагаемые по ставке 13%"), name_.Text(),
                                           okato_.Text(), kpp_.Text(), inn_.Text());
    switch (field) {
    case 0: done(QDialog::Accepted); break;
    case 1: ui->meSourseName->setFocus(); break;
    case 2: ui->meINN->setFocus(); break;
    case 3: ui->meKPP->setFocus(); break;
    case 4: ui->meOKATO->setFocus(); break;
    default: break;
    }
}
