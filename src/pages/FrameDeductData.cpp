#include "pages/FrameDeductData.h"

#include "controls/FlashButton.h"
#include "pages/FrameConstructionDeduct.h"
#include "pages/FrameStandartDeduct.h"
#include "platform/QtWindowing.h"
#include "ui_FrameDeductData.h"

#include <QPainter>

namespace {

// A percent sign: the deductions as a share of the income.
void PercentGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(6, 6, 7, 7));
    p.drawEllipse(QRect(19, 19, 7, 7));
    p.drawLine(24, 6, 8, 26);
}

// A house under construction.
void BuildingGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({QPoint(4, 15), QPoint(16, 5), QPoint(28, 15)}));
    p.drawRect(8, 14, 16, 13);
    p.drawLine(8, 20, 24, 20);
    p.drawLine(16, 14, 16, 27);
}

} // namespace

TfrFrameDeductData::TfrFrameDeductData(QWidget* owner, TDocumentRef documentRef)
    : THolderPage(owner, documentRef), ui(std::make_unique<Ui::TfrFrameDeductData>()) {
    ui->setupUi(this);
    ui->fbStandartDeduct->SetGlyph(PaintGlyphStrip(32, PercentGlyph));
    ui->fbConstructionDeduct->SetGlyph(PaintGlyphStrip(32, BuildingGlyph));
    ui->fbStandartDeduct->SetDown(true);
    connect(ui->fbStandartDeduct, &TFlashButton::OnClick, this,
            [this] { GuardedCall(this, [this] { fbStandartDeductClick(); }); });
    connect(ui->fbConstructionDeduct, &TFlashButton::OnClick, this,
            [this] { GuardedCall(this, [this] { fbConstructionDeductClick(); }); });
    SetSubPages(ui->PnlFormContainer,
                {{ui->fbStandartDeduct, "TfrFrameStandartDeduct",
                  [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrFrameStandartDeduct(o, r); }},
                 {ui->fbConstructionDeduct, "TfrConstructionDeduct",
                  [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrConstructionDeduct(o, r); }}});
    Replace(0);
}

TfrFrameDeductData::~TfrFrameDeductData() = default;

void TfrFrameDeductData::fbStandartDeductClick() { ButtonClick(0); }
void TfrFrameDeductData::fbConstructionDeductClick() { ButtonClick(1); }
