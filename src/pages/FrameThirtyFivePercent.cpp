#include "pages/FrameThirtyFivePercent.h"

#include "model/DeclClasses.h"
#include "pages/Input35SourseIncome.h"
#include "ui_FrameThirtyFivePercent.h"

#include <QApplication>
#include <algorithm>

using namespace pagevalues;

namespace {

bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 33; });
}

QString CodeText(std::int32_t code) { return code != 0 ? QString::number(code) : QStringLiteral("Нет"); }

// The dialog's values into the source: everything the dialog shows of it.
void Store(mTThirtyFivePercent& s, const TfmInput35SourseIncome& dialog) {
    s.SourseName = dialog.GetSourseName();
    s.INN = dialog.GetINN();
    s.KPP = dialog.GetKPP();
    s.OKATO = dialog.GetOKATO();
    s.IncomeCode = dialog.GetIncomeCode();
    s.ItogIncomeSum = dialog.GetItogIncomeSum();
    s.DeductCode = dialog.GetSubtractCode();
    s.DeductSum = dialog.GetSubtractSum();
    s.HoldSum = dialog.GetHoldSum();
}

} // namespace

TfrThirtyFivePercent::TfrThirtyFivePercent(QWidget* owner, TDocumentRef documentRef)
    : TSourseListPage(owner, documentRef), ui(std::make_unique<Ui::TfrThirtyFivePercent>()) {
    ui->setupUi(this);
    SetUp(ui->lvSourseIncomeInfo, ui->fbAddSourseIncome, ui->fbDeleteSourseIncome, ui->fbEditSourseIncome);
}

TfrThirtyFivePercent::~TfrThirtyFivePercent() = default;

int TfrThirtyFivePercent::Count() const { return Document().ThirtyFivePercentCount(); }

std::string TfrThirtyFivePercent::Name(int index) const { return Document().GetThirtyFivePercent(index).SourseName; }

void TfrThirtyFivePercent::ShowSourse(int index) {
    const mTThirtyFivePercent& s = Document().GetThirtyFivePercent(index);
    ui->pnlIncomeCod->setText(CodeText(s.IncomeCode));
    ui->pnlItogIncomeSum->setText(MoneyText(s.ItogIncomeSum));
    ui->pnlSubtractCod->setText(CodeText(s.DeductCode));
    ui->pnlSubtractSum->setText(MoneyText(s.DeductSum));
    ui->pnlHoldSum->setText(MoneyText(s.HoldSum));
}

void TfrThirtyFivePercent::ClearPanels() {
    for (QLabel* panel : {ui->pnlIncomeCod, ui->pnlItogIncomeSum, ui->pnlSubtractCod, ui->pnlSubtractSum, ui->pnlHoldSum})
        panel->clear();
}

void TfrThirtyFivePercent::AddSourse() {
    TfmInput35SourseIncome dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName()) || dialog.GetIncomeCode() == 0) return;
    Changed();
    mTDeclaration& d = Document();
    mTThirtyFivePercent& s = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    Store(s, dialog);
    AppendRow(s.SourseName);
}

void TfrThirtyFivePercent::EditSourse() {
    mTThirtyFivePercent& s = Document().GetThirtyFivePercent(CurrentIndex);
    TfmInput35SourseIncome dialog(QApplication::activeWindow(), s.IncomeCode, s.ItogIncomeSum, s.DeductCode, s.DeductSum);
    dialog.SetSourseName(s.SourseName);
    dialog.SetINN(s.INN);
    dialog.SetKPP(s.KPP);
    dialog.SetOKATO(s.OKATO);
    dialog.SetHoldSum(s.HoldSum);
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName()) || dialog.GetIncomeCode() == 0) return;
    Store(s, dialog);
    Refresh(s.SourseName);
}

void TfrThirtyFivePercent::RemoveSourse(int index) { Document().SetThirtyFivePercent(index, nullptr); }
