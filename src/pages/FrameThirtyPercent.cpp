#include "pages/FrameThirtyPercent.h"

#include "model/DeclClasses.h"
#include "pages/Input30SourseIncome.h"
#include "ui_FrameThirtyPercent.h"

#include <QApplication>
#include <algorithm>

using namespace pagevalues;

namespace {

// The dividend code of the income-code dictionary.
constexpr std::int32_t kDividendCode = 1010;

bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 33; });
}

void Store(mTThirtyPercent& s, const TfmInput30SourseIncome& dialog) {
    s.SourseName = dialog.GetSourseName();
    s.INN = dialog.GetINN();
    s.KPP = dialog.GetKPP();
    s.OKATO = dialog.GetOKATO();
    s.ItogIncomeSum = dialog.GetItogIncomeSum();
    s.Obl = dialog.GetOblSum();
    s.TaxIsch = dialog.GetTaxDiscount();
    s.HoldSum = dialog.GetHoldSum();
}

} // namespace

TfrThirtyPercent::TfrThirtyPercent(QWidget* owner, TDocumentRef documentRef)
    : TSourseListPage(owner, documentRef), ui(std::make_unique<Ui::TfrThirtyPercent>()) {
    ui->setupUi(this);
    SetUp(ui->lvSourseIncomeInfo, ui->fbAddSourseIncome, ui->fbDeleteSourseIncome, ui->fbEditSourseIncome);
}

TfrThirtyPercent::~TfrThirtyPercent() = default;

int TfrThirtyPercent::Count() const { return Document().ThirtyPercentCount(); }

std::string TfrThirtyPercent::Name(int index) const { return Document().GetThirtyPercent(index).SourseName; }

void TfrThirtyPercent::ShowSourse(int index) {
    const mTThirtyPercent& s = Document().GetThirtyPercent(index);
    ui->pnlItogIncomeSum->setText(MoneyText(s.ItogIncomeSum));
    ui->pnlHoldSum->setText(MoneyText(s.HoldSum));
    ui->pnlEnrollTax->setText(MoneyText(s.Obl));
    ui->pnlTaxDiscount->setText(MoneyText(s.TaxIsch));
}

void TfrThirtyPercent::ClearPanels() {
    for (QLabel* panel : {ui->pnlItogIncomeSum, ui->pnlHoldSum, ui->pnlEnrollTax, ui->pnlTaxDiscount}) panel->clear();
}

void TfrThirtyPercent::AddSourse() {
    TfmInput30SourseIncome dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName())) return;
    Changed();
    mTDeclaration& d = Document();
    mTThirtyPercent& s = d.GetThirtyPercent(d.AddThirtyPercent());
    Store(s, dialog);
    s.IncomeCode = kDividendCode;
    AppendRow(s.SourseName);
}

void TfrThirtyPercent::EditSourse() {
    mTThirtyPercent& s = Document().GetThirtyPercent(CurrentIndex);
    TfmInput30SourseIncome dialog(QApplication::activeWindow());
    dialog.SetSourseName(s.SourseName);
    dialog.SetINN(s.INN);
    dialog.SetKPP(s.KPP);
    dialog.SetOKATO(s.OKATO);
    dialog.SetItogIncomeSum(s.ItogIncomeSum);
    dialog.SetOblSum(s.Obl);          // works the tax out afresh
    dialog.SetTaxDiscount(s.TaxIsch); // and puts the stored one back
    dialog.SetHoldSum(s.HoldSum);
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName())) return;
    Store(s, dialog); // the income code stays as it was
    Refresh(s.SourseName);
}

void TfrThirtyPercent::RemoveSourse(int index) { Document().SetThirtyPercent(index, nullptr); }
