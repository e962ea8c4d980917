#include "pages/InputIncomeCode.h"

#include "pages/IncomeDict.h"
#include "pages/PickerList.h"
#include "ui_InputDeductCode.h"
#include "ui_InputIncomeCode.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <functional>

namespace {

// What both pickers share: a fixed dialog in the middle of the screen, a list of code and name,
// "Да" and "Нет", OK on a double click anywhere in the list; the choice follows the selection.
class TListOk : public QObject {
public:
    TListOk(QDialog* dialog, QTreeWidget* list) : QObject(dialog), dialog_(dialog), list_(list) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
            dialog_->accept();
            return true;
        }
        return false;
    }

private:
    QDialog* dialog_;
    QTreeWidget* list_;
};

void SetUpPicker(QDialog* dialog, QTreeWidget* list, QPushButton* yes, QPushButton* no,
                 const std::function<void(int, bool)>& choose) {
    dialog->setFixedSize(dialog->size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) dialog->move(screen->geometry().center() - dialog->rect().center());
    SetUpCodeNameList(list);
    ConnectSelectItem(list, choose);
    QObject::connect(yes, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(no, &QPushButton::clicked, dialog, &QDialog::reject);
    list->viewport()->installEventFilter(new TListOk(dialog, list));
}

// Selects and focuses the row, which reports it as chosen.
void Preselect(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item) return;
    item->setSelected(true);
    list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    list->scrollToItem(item);
}

QString Code(const QDomElement& e) { return e.attribute(QStringLiteral("Code")); }
QString Name(const QDomElement& e) { return e.attribute(QStringLiteral("Name")); }

} // namespace

TfmInputIncomeCode::TfmInputIncomeCode(QWidget* owner, const QDomElement& root, const QString& filter, const QString& currentCode)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInputIncomeCode>()), Dict(root), Filter(filter), SelStav(filter) {
    ui->setupUi(this);
    SetUpPicker(this, ui->lvIncomeNames, ui->bnYes, ui->bnCansel, [this](int row, bool selected) { Choose(row, selected); });
    int preselected = 0;
    QList<QTreeWidgetItem*> rows;
    for (QDomElement e = root.firstChildElement(QStringLiteral("Income")); !e.isNull(); e = e.nextSiblingElement(QStringLiteral("Income"))) {
        if (!filter.isEmpty() && e.attribute(QStringLiteral("Stav")) != filter) continue;
        if (Code(e) == currentCode) preselected = rows.size();
        rows << new QTreeWidgetItem(QStringList{Code(e), Name(e)});
    }
    ui->lvIncomeNames->addTopLevelItems(rows);
    Preselect(ui->lvIncomeNames, preselected);
}

TfmInputIncomeCode::~TfmInputIncomeCode() = default;

void TfmInputIncomeCode::Choose(int row, bool selected) {
    if (!selected) {
        if (row == SelItem) SelItem = -1; // the chosen row lost its selection: no choice
        return;
    }
    SelItem = row;
    const QString code = ui->lvIncomeNames->topLevelItem(row)->text(0);
    QDomElement income;
    for (QDomElement e = Dict.firstChildElement(QStringLiteral("Income")); !e.isNull(); e = e.nextSiblingElement(QStringLiteral("Income")))
        if (Code(e) == code) {
            income = e;
            break;
        }
    if (Filter.isEmpty()) SelStav = income.attribute(QStringLiteral("Stav"));
    HasDeductions = income.hasChildNodes();
}

QString TfmInputIncomeCode::GetCode() const {
    const QTreeWidgetItem* item = ui->lvIncomeNames->topLevelItem(SelItem);
    return item ? item->text(0) : QString();
}

QString TfmInputIncomeCode::GetName() const {
    const QTreeWidgetItem* item = ui->lvIncomeNames->topLevelItem(SelItem);
    return item ? item->text(1) : QString();
}

std::uint16_t TfmInputIncomeCode::GetStav() const {
    const QString text = SelStav.trimmed();
    return text.isEmpty() ? 0 : static_cast<std::uint16_t>(text.toUInt());
}

TfmInputDeductCode::TfmInputDeductCode(QWidget* owner, const QDomElement& root, const QString& incomeCode, const QString& currentCode)
    : TKeyPreviewDialog(owner), ui(std::make_unique<Ui::TfmInputDeductCode>()) {
    ui->setupUi(this);
    SetUpPicker(this, ui->lvDeductNames, ui->bnYes, ui->bnCansel, [this](int row, bool selected) { Choose(row, selected); });
    for (QDomElement e = root.firstChildElement(QStringLiteral("Income")); !e.isNull(); e = e.nextSiblingElement(QStringLiteral("Income")))
        if (Code(e) == incomeCode) {
            IncomeNode = e;
            break;
        }
    int preselected = 0, row = 0;
    QList<QTreeWidgetItem*> rows;
    for (QDomElement d = IncomeNode.firstChildElement(QStringLiteral("Deduction")); !d.isNull();
         d = d.nextSiblingElement(QStringLiteral("Deduction")), ++row) {
        if (Code(d) == currentCode) preselected = row;
        rows << new QTreeWidgetItem(QStringList{Code(d), Name(d)});
    }
    ui->lvDeductNames->addTopLevelItems(rows);
    Preselect(ui->lvDeductNames, preselected);
}

TfmInputDeductCode::~TfmInputDeductCode() = default;

void TfmInputDeductCode::Choose(int row, bool selected) {
    if (!selected) {
        if (row == SelItem) SelItem = -1;
        return;
    }
    SelItem = row;
    const QDomElement d = TIncomeDict::Deduction(IncomeNode, ui->lvDeductNames->topLevelItem(row)->text(0));
    DeductCode = Code(d);
    DeductName = Name(d);
    DeductMaxSum = TIncomeDict::MaxSum(d);
    DeductEnabled = TIncomeDict::Flag(d, "Enabled");
    DeductEquivalent = TIncomeDict::Flag(d, "Equivalent");
    DeductVisible = TIncomeDict::Flag(d, "Visible");
    DeductStav = TIncomeDict::Number(d, "Stav");
}
