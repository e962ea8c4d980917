#include "pages/FramePersonData.h"

#include "controls/FlashButton.h"
#include "pages/FramePersonAddress.h"
#include "pages/FramePersonName.h"
#include "platform/QtWindowing.h"
#include "ui_FramePersonData.h"

#include <QLayout>
#include <QPainter>

namespace {

// The check of the address sub-page asks for the citizenship, which is chosen on the name
// sub-page: that item leads there.
constexpr std::uint16_t kCitizenshipItem = 10;

void PersonGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(11, 4, 10, 10));
    p.drawArc(QRect(6, 16, 20, 18), 0, 180 * 16);
    p.drawLine(6, 25, 26, 25);
}

void HouseGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({QPoint(4, 15), QPoint(16, 5), QPoint(28, 15)}));
    p.drawRect(8, 14, 16, 13);
    p.drawRect(14, 19, 5, 8);
}

} // namespace

TfrPersonData::TfrPersonData(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrPersonData>()) {
    ui->setupUi(this);
    ui->fbPersonNaim->SetGlyph(PaintGlyphStrip(32, PersonGlyph));
    ui->fbPersonAddress->SetGlyph(PaintGlyphStrip(32, HouseGlyph));
    ui->fbPersonNaim->SetDown(true);
    connect(ui->fbPersonNaim, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbPersonNaimClick(); }); });
    connect(ui->fbPersonAddress, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbPersonAddressClick(); }); });
    Replace(ui->fbPersonNaim);
}

TfrPersonData::~TfrPersonData() {
    delete CurrentSubPage;
    CurrentSubPage = nullptr;
}

void TfrPersonData::SaveData() { CurrentSubPage->SaveData(); }
std::uint16_t TfrPersonData::CheckData() { return CurrentSubPage->CheckData(); }

void TfrPersonData::FocusItem(std::uint16_t item) {
    if (item == kCitizenshipItem && !Shows(ui->fbPersonNaim)) return FocusPageItem(0, item);
    CurrentSubPage->FocusItem(item);
}

void TfrPersonData::fbPersonNaimClick() { ButtonClick(ui->fbPersonNaim); }
void TfrPersonData::fbPersonAddressClick() { ButtonClick(ui->fbPersonAddress); }

bool TfrPersonData::Shows(TFlashButton* button) const {
    if (button == ui->fbPersonNaim) return qobject_cast<TfrPersonNaim*>(CurrentSubPage) != nullptr;
    return qobject_cast<TfrPersonAddress*>(CurrentSubPage) != nullptr;
}

void TfrPersonData::ButtonClick(TFlashButton* button) {
    if (Shows(button)) return;
    CurrentSubPage->SaveData();
    const std::uint16_t item = CurrentSubPage->CheckData();
    if (item != 0) {
        CurrentButton->SetDown(true); // the click pressed the other button
        FocusItem(item);
        return;
    }
    Replace(button);
}

void TfrPersonData::Replace(TFlashButton* button) {
    TThinkingFrame* page = button == ui->fbPersonNaim ? static_cast<TThinkingFrame*>(new TfrPersonNaim(ui->PnlFormContainer, DocumentRef))
                                                      : new TfrPersonAddress(ui->PnlFormContainer, DocumentRef);
    ui->PnlFormContainer->layout()->addWidget(page);
    delete CurrentSubPage;
    CurrentSubPage = page;
    CurrentButton = button;
    page->show();
}

void TfrPersonData::FocusPageItem(std::uint16_t SubPage, std::uint16_t Item) {
    TFlashButton* button = SubPage == 0 ? ui->fbPersonNaim : ui->fbPersonAddress;
    if (!Shows(button)) {
        Replace(button);
        button->SetDown(true);
    }
    CurrentSubPage->FocusItem(Item);
}
