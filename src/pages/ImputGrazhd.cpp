#include "pages/ImputGrazhd.h"

#include "ui_ImputGrazhd.h"

TfmGrazhd::TfmGrazhd(QWidget* owner, const QDomElement& root) : TCodePicker(owner), ui(std::make_unique<Ui::TfmGrazhd>()) {
    ui->setupUi(this);
    Init(ui->lvGrazhd, ui->bnYes, ui->bnCansel, root);
    move(227, 160);
}

TfmGrazhd::~TfmGrazhd() = default;
