#include "pages/InputBusinessIncome.h"

#include "ui_InputBusinessIncome.h"

#include <QGuiApplication>
#include <QScreen>

TfmInputBusinessIncome::TfmInputBusinessIncome(QWidget* owner)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInputBusinessIncome>()), name_(nullptr) {
    ui->setupUi(this);
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    name_ = TKeptText(ui->meActivityType);
    storedCode_ = ".."; // a new activity's code: three empty groups
    connect(ui->bnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bnCansel, &QPushButton::clicked, this, &QDialog::reject);
}

TfmInputBusinessIncome::~TfmInputBusinessIncome() = default;

std::array<TMaskedEdit*, 3> TfmInputBusinessIncome::Groups() const { return {ui->me1, ui->me2, ui->me3}; }

void TfmInputBusinessIncome::SetActivityCode(const std::string& code) {
    QString rest = QString::fromStdString(code);
    const std::array<TMaskedEdit*, 3> groups = Groups();
    for (int g = 0; g < 3; ++g) {
        QString part = rest;
        if (g < 2) {
            const int dot = rest.indexOf(u'.');
            part = dot < 0 ? QString() : rest.left(dot);
            rest = (dot < 0 ? rest : rest.mid(dot + 1)).left(100);
        }
        // A group the edit refuses leaves it empty rather than showing another code's group.
        groups[g]->SetText(groups[g]->Takes(part) ? part : QString());
    }
    storedCode_ = code;
    for (int g = 0; g < 3; ++g) shownGroups_[g] = groups[g]->Text();
}

std::string TfmInputBusinessIncome::GetActivityCode() const {
    const std::array<TMaskedEdit*, 3> groups = Groups();
    bool unchanged = true;
    for (int g = 0; g < 3; ++g) unchanged = unchanged && groups[g]->Text() == shownGroups_[g];
    if (unchanged) return storedCode_;
    return (groups[0]->Text() + u'.' + groups[1]->Text() + u'.' + groups[2]->Text()).toStdString();
}
