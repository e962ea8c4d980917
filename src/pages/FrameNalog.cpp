#include "pages/FrameNalog.h"

#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pages/InputNalog.h"
#include "pages/PageValues.h"
#include "ui_FrameNalog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTreeWidget>

using namespace pagevalues;

namespace {

void PlusGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 3));
    p.drawLine(16, 6, 16, 26);
    p.drawLine(6, 16, 26, 16);
}

void CrossGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 3));
    p.drawLine(8, 8, 24, 24);
    p.drawLine(24, 8, 8, 24);
}

void PencilGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({QPoint(6, 26), QPoint(8, 19), QPoint(22, 5), QPoint(27, 10), QPoint(13, 24)}));
    p.drawLine(8, 19, 13, 24);
}

QStringList RowOf(const mTNalog& n) { return {MoneyText(n.Sum), Q(n.KBK)}; }

} // namespace

TfrNalog::TfrNalog(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrNalog>()) {
    ui->setupUi(this);
    ui->fbAddSourseIncome->SetGlyph(PaintGlyphStrip(32, PlusGlyph));
    ui->fbDeleteSourseIncome->SetGlyph(PaintGlyphStrip(32, CrossGlyph));
    ui->fbEditSourseIncome->SetGlyph(PaintGlyphStrip(32, PencilGlyph));
    QTreeWidget* lv = ui->lvSourseIncomeInfo;
    lv->header()->setSectionsClickable(false);
    lv->setColumnWidth(0, 200);
    lv->setColumnWidth(1, 200);
    lv->installEventFilter(this);
    ConnectSelectItem(lv, [this](int row, bool) {
        if (!loading_ && !listUpdate_) CurrentPayment = row;
    });
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { GuardedCall(this, [this] { EditPayment(); }); });
    connect(ui->fbAddSourseIncome, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbAddSourseIncomeClick(); }); });
    connect(ui->fbDeleteSourseIncome, &TFlashButton::OnClick, this,
            [this] { GuardedCall(this, [this] { fbDeleteSourseIncomeClick(); }); });
    connect(ui->fbEditSourseIncome, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { EditPayment(); }); });

    loading_ = true;
    const mTDeclaration& d = Document();
    for (int i = 0; i < d.NalogCount(); ++i) new QTreeWidgetItem(lv, RowOf(d.GetNalog(i)));
    loading_ = false;
}

TfrNalog::~TfrNalog() {
    // The controls outlive this part of the page while they are taken down: a list reporting its
    // rows going away is not the user's choice, and nothing else may reach the handlers.
    loading_ = true;
    for (QObject* o : findChildren<QObject*>()) o->disconnect(this);
}

void TfrNalog::SelectFirstEntry() { SelectFirstRow(ui->lvSourseIncomeInfo); }

void TfrNalog::SelectPayment(int row) {
    QTreeWidgetItem* item = ui->lvSourseIncomeInfo->topLevelItem(row);
    ui->lvSourseIncomeInfo->setCurrentItem(item);
    item->setSelected(true);
    CurrentPayment = row;
}

QTreeWidgetItem* TfrNalog::CurrentItem() const {
    QTreeWidgetItem* item = CurrentPayment >= 0 ? ui->lvSourseIncomeInfo->topLevelItem(CurrentPayment) : nullptr;
    return item && item->isSelected() ? item : nullptr;
}

void TfrNalog::fbAddSourseIncomeClick() {
    TfmInputNalog dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted || dialog.GetPaySum().IsZero()) return;
    Changed();
    mTDeclaration& d = Document();
    const int index = d.AddNalog();
    mTNalog& n = d.GetNalog(index);
    n.KBK = S(dialog.GetKBK());
    n.Sum = dialog.GetPaySum();
    new QTreeWidgetItem(ui->lvSourseIncomeInfo, RowOf(n));
    SelectPayment(index);
}

void TfrNalog::EditPayment() {
    QTreeWidgetItem* item = CurrentItem();
    if (!item) return;
    mTNalog& n = Document().GetNalog(CurrentPayment);
    TfmInputNalog dialog(QApplication::activeWindow());
    dialog.SetKBK(Q(n.KBK));
    dialog.SetPaySum(n.Sum);
    if (dialog.exec() != QDialog::Accepted || dialog.GetPaySum().IsZero()) return;
    n.KBK = S(dialog.GetKBK());
    n.Sum = dialog.GetPaySum();
    item->setText(0, MoneyText(n.Sum));
    item->setText(1, Q(n.KBK));
    item->setSelected(false);
    SelectPayment(CurrentPayment);
}

void TfrNalog::fbDeleteSourseIncomeClick() {
    QTreeWidgetItem* item = CurrentItem();
    if (!item) return;
    const int index = CurrentPayment;
    listUpdate_ = true;
    Changed();
    Document().SetNalog(index, nullptr);
    CurrentPayment = -1;
    delete item;
    listUpdate_ = false;
    if (ui->lvSourseIncomeInfo->topLevelItemCount() > 0) SelectPayment(index > 0 ? index - 1 : 0);
}

bool TfrNalog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lvSourseIncomeInfo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GuardedCall(this, [this] { EditPayment(); });
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}
