#include "pages/InputCurrencySourseIncome.h"

#include "pagebase/MyFrame.h"
#include "pages/ImputGrazhd.h"
#include "pages/PageValues.h"
#include "ui_InputCurrencySourseIncome.h"

#include <QGuiApplication>
#include <QScreen>

TfmInputCurrencySourseIncome::TfmInputCurrencySourseIncome(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInputCurrencySourseIncome>()), name_(nullptr), gos_(nullptr) {
    ui->setupUi(this);
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    name_ = TKeptText(ui->meSourseName);
    gos_ = TKeptText(ui->meGos);
    ui->Button1->setEnabled(PageHost && PageHost->CountryDialogLoaded && PageHost->CountryDialog);
    connect(ui->Button1, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { Button1Click(); }); });
    connect(ui->bnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmInputCurrencySourseIncome::~TfmInputCurrencySourseIncome() = default;

void TfmInputCurrencySourseIncome::Button1Click() {
    TfmGrazhd* picker = PageHost ? PageHost->CountryDialog : nullptr;
    if (!picker) return;
    picker->SetCode(ui->meGos->Text());
    if (picker->exec() != QDialog::Accepted) return;
    const QString code = picker->SelectedCode.trimmed();
    if (picker->SelectedCode == ui->meGos->Text() || !ui->meGos->Takes(code)) return;
    ui->meGos->SetText(code);
    pagevalues::Changed();
}
