#include "pages/FrameDeductData.h"

#include "controls/FlashButton.h"
#include "pages/FrameConstructionDeduct.h"
#include "pages/FrameStandartDeduct.h"
#include "platform/QtWindowing.h"
#include "ui_FrameDeductData.h"

#include <QLayout>
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
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrFrameDeductData>()) {
    ui->setupUi(this);
    ui->fbStandartDeduct->SetGlyph(PaintGlyphStrip(32, PercentGlyph));
    ui->fbConstructionDeduct->SetGlyph(PaintGlyphStrip(32, BuildingGlyph));
    ui->fbStandartDeduct->SetDown(true);
    connect(ui->fbStandartDeduct, &TFlashButton::OnClick, this,
            [this] { GuardedCall(this, [this] { fbStandartDeductClick(); }); });
    connect(ui->fbConstructionDeduct, &TFlashButton::OnClick, this,
            [this] { GuardedCall(this, [this] { fbConstructionDeductClick(); }); });
    Replace(ui->fbStandartDeduct);
}

TfrFrameDeductData::~TfrFrameDeductData() {
    delete CurrentSubPage;
    CurrentSubPage = nullptr;
}

void TfrFrameDeductData::SaveData() { CurrentSubPage->SaveData(); }
std::uint16_t TfrFrameDeductData::CheckData() { return CurrentSubPage->CheckData(); }
void TfrFrameDeductData::FocusItem(std::uint16_t item) { CurrentSubPage->FocusItem(item); }

void TfrFrameDeductData::fbStandartDeductClick() { ButtonClick(ui->fbStandartDeduct); }
void TfrFrameDeductData::fbConstructionDeductClick() { ButtonClick(ui->fbConstructionDeduct); }

bool TfrFrameDeductData::Shows(TFlashButton* button) const {
    if (button == ui->fbStandartDeduct) return qobject_cast<TfrFrameStandartDeduct*>(CurrentSubPage) != nullptr;
    return qobject_cast<TfrConstructionDeduct*>(CurrentSubPage) != nullptr;
}

void TfrFrameDeductData::ButtonClick(TFlashButton* button) {
    if (Shows(button)) return;
    CurrentSubPage->SaveData();
    const std::uint16_t item = CurrentSubPage->CheckData();
    if (item != 0) {
        CurrentButton->SetDown(true); // the click pressed the other button
        CurrentSubPage->FocusItem(item);
        return;
    }
    Replace(button);
}

void TfrFrameDeductData::Replace(TFlashButton* button) {
    TThinkingFrame* page = button == ui->fbStandartDeduct
                               ? static_cast<TThinkingFrame*>(new TfrFrameStandartDeduct(ui->PnlFormContainer, DocumentRef))
                               : new TfrConstructionDeduct(ui->PnlFormContainer, DocumentRef);
    ui->PnlFormContainer->layout()->addWidget(page);
    delete CurrentSubPage;
    CurrentSubPage = page;
    CurrentButton = button;
    page->show();
}

void TfrFrameDeductData::FocusPageItem(std::uint16_t SubPage, std::uint16_t Item) {
    TFlashButton* button = SubPage == 0 ? ui->fbStandartDeduct : ui->fbConstructionDeduct;
    if (!Shows(button)) {
        Replace(button);
        button->SetDown(true);
    }
    CurrentSubPage->FocusItem(Item);
}
