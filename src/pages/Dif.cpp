#include "pages/Dif.h"

#include "ui_Dif.h"

#include <QComboBox>
#include <QPushButton>

TfmDif::TfmDif(QWidget* owner) : QDialog(owner), ui(std::make_unique<Ui::TfmDif>()) {
    ui->setupUi(this);
    lists_ = {ui->CB1, ui->CB2, ui->CB3, ui->CB4, ui->CB5, ui->CB6, ui->CB7, ui->CB8, ui->CB9, ui->CB10, ui->CB11, ui->CB12};
    ui->BitBtn1->setDefault(true);
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { accept(); });
    connect(ui->BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
}

TfmDif::~TfmDif() = default;

void TfmDif::SetChoice(int month, std::int32_t index) {
    // A choice outside the three codes (a damaged file) shows no item and comes back as stored
    // unless the user picks one.
    stored_.at(month - 1) = index;
    lists_.at(month - 1)->setCurrentIndex(index >= 0 && index <= 2 ? index : -1);
}

std::int32_t TfmDif::GetChoice(int month) const {
    const int shown = lists_.at(month - 1)->currentIndex();
    return shown < 0 ? stored_.at(month - 1) : shown;
}
