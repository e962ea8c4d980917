#include "pages/FrameRussianIncome.h"

#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pages/FrameThirteenPercent.h"
#include "pages/FrameThirtyFivePercent.h"
#include "pages/FrameThirtyPercent.h"
#include "platform/QtWindowing.h"
#include "ui_FrameRussianIncome.h"

#include <QPainter>

namespace {

// The three sub-pages, by kind: the class, how many sources of the kind the document holds.
struct TSubPage {
    const char* className;
    TThinkingFrame* (*make)(QWidget* owner, TDocumentRef ref);
    int (*sources)(const mTDeclaration& d);
};
const TSubPage kSubPages[] = {
    {"TfrThirteenPercent", [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrThirteenPercent(o, r); },
     [](const mTDeclaration& d) { return d.ThirteenPercentCount(); }},
    {"TfrThirtyPercent", [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrThirtyPercent(o, r); },
     [](const mTDeclaration& d) { return d.ThirtyPercentCount(); }},
    {"TfrThirtyFivePercent", [](QWidget* o, TDocumentRef r) -> TThinkingFrame* { return new TfrThirtyFivePercent(o, r); },
     [](const mTDeclaration& d) { return d.ThirtyFivePercentCount(); }},
};

// The rate on each button's glyph, 35 x 35 pixels a look.
QImage NumberGlyph(const char* number) {
    const QString text = QString::fromLatin1(number);
    return PaintGlyphStrip(35, [text](QPainter& p, const QColor& c, int size) {
        QFont f(QStringLiteral("PT Sans"));
        f.setPixelSize(17);
        f.setBold(true);
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.setPen(QPen(c, 2));
        p.drawRect(QRect(3, 3, size - 7, size - 7));
        p.drawText(QRect(0, 0, size - 1, size - 1), Qt::AlignCenter, text);
    });
}

} // namespace

TfrRussianIncome::TfrRussianIncome(QWidget* owner, TDocumentRef documentRef)
    : THolderPage(owner, documentRef), ui(std::make_unique<Ui::TfrRussianIncome>()) {
    ui->setupUi(this);
    TFlashButton* buttons[] = {ui->FlashButton1, ui->FlashButton2, ui->FlashButton3};
    std::vector<TSubPage> subPages;
    for (int kind = 0; kind < 3; ++kind) subPages.push_back({buttons[kind], kSubPages[kind].className, kSubPages[kind].make});
    SetSubPages(ui->PnlFormContainer, std::move(subPages));
    ui->FlashButton1->SetGlyph(NumberGlyph("13"));
    ui->FlashButton2->SetGlyph(NumberGlyph("9"));
    ui->FlashButton3->SetGlyph(NumberGlyph("35"));
    ui->FlashButton4->SetGlyph(NumberGlyph("30"));
    ui->FlashButton1->SetDown(true);
    const std::pair<TFlashButton*, void (TfrRussianIncome::*)()> clicks[] = {{ui->FlashButton1, &TfrRussianIncome::FlashButton1Click},
                                                                             {ui->FlashButton2, &TfrRussianIncome::FlashButton2Click},
                                                                             {ui->FlashButton3, &TfrRussianIncome::FlashButton3Click},
                                                                             {ui->FlashButton4, &TfrRussianIncome::FlashButton3Click}};
    for (auto [button, handler] : clicks)
        connect(button, &TFlashButton::OnClick, this, [this, h = handler] { GuardedCall(this, [&] { (this->*h)(); }); });

    switch (Document().DeclarationKind) {
    case 0: Replace(0); break;
    case 1:
        // A non-resident's incomes are all on the one page, under the rate of 30 %.
        ui->FlashButton1->SetGlyph(ui->FlashButton4->Glyph());
        ui->FlashButton2->hide();
        ui->FlashButton3->hide();
        Replace(0);
        break;
    default: break; // form 4-NDFL has no incomes of this kind
    }
}

TfrRussianIncome::~TfrRussianIncome() = default;

void TfrRussianIncome::FlashButton1Click() { ButtonClick(0); }
void TfrRussianIncome::FlashButton2Click() { ButtonClick(1); }
void TfrRussianIncome::FlashButton3Click() { ButtonClick(2); }

void TfrRussianIncome::Switched(int kind) {
    if (kSubPages[kind].sources(Document()) > 0) SelectFirstEntry();
}
