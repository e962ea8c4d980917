#include "pages/Zayava.h"

#include "pages/KeptEntries.h"
#include "ui_Zayava.h"

#include <QPushButton>

TfmZayava::TfmZayava(QWidget* owner) : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmZayava>()) {
    ui->setupUi(this);
    TMaskedEdit* edits[12] = {ui->me1, ui->me2, ui->me3, ui->me4, ui->me5, ui->me6,
                              ui->me7, ui->me8, ui->me9, ui->me10, ui->me11, ui->me12};
    for (int m = 0; m < 12; ++m) sums_[m] = std::make_unique<kept::TKeptAmount>(edits[m]);
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { accept(); });
    connect(ui->bnCansel, &QPushButton::clicked, this, [this] { reject(); });
}

TfmZayava::~TfmZayava() = default;

void TfmZayava::SetSum(int month, Currency sum) { sums_.at(month - 1)->Show(sum); }
Currency TfmZayava::GetSum(int month) const { return sums_.at(month - 1)->Value(); }
TMaskedEdit* TfmZayava::Edit(int month) const { return sums_.at(month - 1)->Edit(); }
