#include "pages/InputReference.h"

#include "pages/PickerList.h"
#include "storage/ProgrammDef.h"
#include "ui_InputDocType.h"
#include "ui_InputRegionName.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

void TReferencePicker::Init(QTreeWidget* list, QPushButton* yes, QPushButton* no, const TCodeName* rows, std::size_t count,
                            std::uint16_t code) {
    list_ = list;
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    SetUpCodeNameList(list);
    for (std::size_t i = 0; i < count; ++i)
        new QTreeWidgetItem(list, QStringList{QString::fromUtf8(rows[i].Code), QString::fromUtf8(rows[i].Name)});
    // Every change of a row's selection, lost or gained, makes that row the chosen one; a move
    // reports the old row first, so the new one wins.
    ConnectSelectItem(list, [this](int row, bool) { ChosenRow = row; });
    connect(yes, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    list->viewport()->installEventFilter(this); // a double click anywhere in the list means OK

    const QString wanted = code == 0 ? QStringLiteral("01") : QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) != wanted) continue;
        item->setSelected(true);
        list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        list->scrollToItem(item);
        break;
    }
}

std::uint16_t TReferencePicker::ChosenCode() const {
    const QTreeWidgetItem* item = list_ ? list_->topLevelItem(ChosenRow) : nullptr;
    return item ? static_cast<std::uint16_t>(item->text(0).toUInt()) : 0;
}

QString TReferencePicker::ChosenName() const {
    const QTreeWidgetItem* item = list_ ? list_->topLevelItem(ChosenRow) : nullptr;
    return item ? item->text(1) : QString();
}

void TReferencePicker::Confirm() { done(list_ && list_->topLevelItem(ChosenRow) ? QDialog::Accepted : QDialog::Rejected); }

bool TReferencePicker::eventFilter(QObject* watched, QEvent* event) {
    if (list_ && watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        Confirm();
        return true;
    }
    return TKeyPreviewDialog::eventFilter(watched, event);
}

TfmDocType::TfmDocType(QWidget* owner, std::uint16_t code) : TReferencePicker(owner), ui(std::make_unique<Ui::TfmDocType>()) {
    ui->setupUi(this);
    Init(ui->lvDocType, ui->bnYes, ui->bnCansel, IdentityDocTypes, code);
}

TfmDocType::~TfmDocType() = default;

TfmRegionName::TfmRegionName(QWidget* owner, std::uint16_t code) : TReferencePicker(owner), ui(std::make_unique<Ui::TfmRegionName>()) {
    ui->setupUi(this);
    Init(ui->lvRegionName, ui->bnYes, ui->bnCansel, RegionTable, code);
}

TfmRegionName::~TfmRegionName() = default;
