#include "pages/InputNalog.h"

#include "pages/KeptEntries.h"
#include "ui_InputNalog.h"

#include <QPushButton>

TfmInputNalog::TfmInputNalog(QWidget* owner)
    : TKeyPreviewDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::TfmInputNalog>()) {
    ui->setupUi(this);
    setFixedSize(size());
    ui->cbKBK->setCurrentIndex(-1);
    sum_ = std::make_unique<kept::TKeptAmount>(ui->meHoldSum);
    connect(ui->bnOk, &QPushButton::clicked, this, [this] { bnOkClick(); });
    connect(ui->bnCansel, &QPushButton::clicked, this, [this] { reject(); });
}

TfmInputNalog::~TfmInputNalog() = default;

void TfmInputNalog::SetKBK(const QString& code) {
    if (!code.isEmpty()) ui->cbKBK->setCurrentIndex(ui->cbKBK->findText(code));
}

QString TfmInputNalog::GetKBK() const { return ui->cbKBK->currentIndex() < 0 ? QString() : ui->cbKBK->currentText(); }
void TfmInputNalog::SetPaySum(Currency sum) { sum_->Show(sum); }
Currency TfmInputNalog::GetPaySum() const { return sum_->Value(); }

void TfmInputNalog::bnOkClick() {
    if (!GetKBK().isEmpty()) done(QDialog::Accepted);
}
