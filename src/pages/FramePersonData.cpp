#include "pages/FramePersonData.h"

#include "controls/FlashButton.h"
#include "pages/FramePersonAddress.h"
#include "pages/FramePersonName.h"
#include "platform/QtWindowing.h"
#include "ui_FramePersonData.h"

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
    : THolderPage(owner, documentRef), ui(std::make_unique<Ui::TfrPersonData>()) {
    ui->setupUi(this);
    ui->fbPersonNaim->SetGlyph(PaintGlyphStrip(32, PersonGlyph));
    ui->fbPersonAddress->SetGlyph(PaintGlyphStrip(32, HouseGlyph));
    ui->fbPersonNaim->SetDown(true);
    connect(ui->fbPersonNaim, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbPersonNaimClick(); }); });
    connect(ui->fbPersonAddress, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbPersonAddressClick(); }); });
    SetSubPages(ui->PnlFormContainer,
                {{ui->fbPersonNaim, "TfrPersonNaim", [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrPersonNaim(o, r); }},
                 {ui->fbPersonAddress, "TfrPersonAddress",
                  [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrPersonAddress(o, r); }}});
    Replace(0);
}

TfrPersonData::~TfrPersonData() = default;

void TfrPersonData::FocusItem(std::uint16_t item) {
    if (item == kCitizenshipItem && !Shows(0)) return FocusPageItem(0, item);
    THolderPage::FocusItem(item);
}

void TfrPersonData::fbPersonNaimClick() { ButtonClick(0); }
void TfrPersonData::fbPersonAddressClick() { ButtonClick(1); }
