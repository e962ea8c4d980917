#include "pages/InputChildEduSum.h"

#include "pages/KeptEntries.h"
#include "ui_InputChildEduSum.h"

#include <QPushButton>

TfmChildEduSum::TfmChildEduSum(QWidget* owner)
    : TKeyPreviewDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::TfmChildEduSum>()) {
    ui->setupUi(this);
    setFixedSize(size());
    sum_ = std::make_unique<kept::TKeptAmount>(ui->meChildEduSum);
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { accept(); });
    connect(ui->bnCansel, &QPushButton::clicked, this, [this] { reject(); });
}

TfmChildEduSum::~TfmChildEduSum() = default;

Currency TfmChildEduSum::GetChildEduSum() const { return sum_->Value(); }
void TfmChildEduSum::SetChildEduSum(Currency sum) { sum_->Show(sum); }
