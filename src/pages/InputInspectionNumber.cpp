#include "pages/InputInspectionNumber.h"

#include "pages/PickerList.h"
#include "ui_InputInspectionNumber.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

void TCodePicker::Init(QTreeWidget* list, QPushButton* yes, QPushButton* no, const QDomElement& root) {
    list_ = list;
    setFixedSize(size());
    SetUpCodeNameList(list);
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        const QDomElement e = n.toElement();
        if (e.isNull()) continue; // only elements are entries
        new QTreeWidgetItem(list, QStringList{e.attribute(QStringLiteral("Code")), e.text()});
    }
    ConnectSelectItem(list, [this](int row, bool) {
        const QTreeWidgetItem* item = list_->topLevelItem(row);
        if (!item) return;
        SelectedCode = item->text(0);
        SelectedName = item->text(1);
    });
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    list->viewport()->installEventFilter(this); // a double click anywhere in the list means OK
}

bool TCodePicker::eventFilter(QObject* watched, QEvent* event) {
    if (list_ && watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        accept();
        return true;
    }
    return TKeyPreviewDialog::eventFilter(watched, event);
}

void TCodePicker::SetCode(const QString& code) {
    SelectedCode = code;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->text(0) == code) {
            list_->setCurrentItem(item);
            item->setSelected(true);
            list_->scrollToItem(item);
            return;
        }
    }
}

TfmInputInspectionNumber::TfmInputInspectionNumber(QWidget* owner, const QDomElement& root)
    : TCodePicker(owner), ui(std::make_unique<Ui::TfmInputInspectionNumber>()) {
    ui->setupUi(this);
    Init(ui->lvInspections, ui->bnYes, ui->bnCansel, root);
}

TfmInputInspectionNumber::~TfmInputInspectionNumber() = default;
