#include "pages/FrameStandartDeduct.h"

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/Dif.h"
#include "pages/InputChildEduSum.h"
#include "pages/KeptEntries.h"
#include "pages/PageValues.h"
#include "pages/Zayava.h"
#include "ui_FrameStandartDeduct.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTreeWidget>

using namespace pagevalues;

namespace {

const QString kSocialSection = QStringLiteral("Социальные вычеты");

// The filer's own deduction codes and the kinds of the deduction for children, by their buttons.
struct TCodeButton {
    QRadioButton* Ui::TfrFrameStandartDeduct::*button;
    std::int32_t code;
};
const TCodeButton kCodes[] = {{&Ui::TfrFrameStandartDeduct::rb103, 103},
                              {&Ui::TfrFrameStandartDeduct::rb104, 104},
                              {&Ui::TfrFrameStandartDeduct::rb105, 105},
                              {&Ui::TfrFrameStandartDeduct::rbQ, 110}};
const TCodeButton kKinds[] = {{&Ui::TfrFrameStandartDeduct::rbTowParents, 101},
                              {&Ui::TfrFrameStandartDeduct::rbOneParent, 102}};

// The button of a stored code; a code no button stands for shows the first.
template <std::size_t N>
QRadioButton* ButtonOf(Ui::TfrFrameStandartDeduct& ui, const TCodeButton (&table)[N], std::int32_t code) {
    for (const TCodeButton& c : table)
        if (c.code == code) return ui.*c.button;
    return ui.*table[0].button;
}

template <std::size_t N>
std::int32_t CodeOf(Ui::TfrFrameStandartDeduct& ui, const TCodeButton (&table)[N], const QAbstractButton* button) {
    for (const TCodeButton& c : table)
        if (ui.*c.button == button) return c.code;
    return table[0].code;
}

// The social amounts and their edits.
struct TSocialAmount {
    TMaskedEdit* Ui::TfrFrameStandartDeduct::*edit;
    QLabel* Ui::TfrFrameStandartDeduct::*label;
    Currency mTSocialDeduct::*field;
};
const TSocialAmount kSocialAmounts[] = {
    {&Ui::TfrFrameStandartDeduct::meCharitySum, &Ui::TfrFrameStandartDeduct::lbCharitySum, &mTSocialDeduct::Charity},
    {&Ui::TfrFrameStandartDeduct::meSelfEducationSum, &Ui::TfrFrameStandartDeduct::lbSelfEducationSum, &mTSocialDeduct::SelfEducation},
    {&Ui::TfrFrameStandartDeduct::meMedicalSum, &Ui::TfrFrameStandartDeduct::lbMedicalSum, &mTSocialDeduct::Medical},
    {&Ui::TfrFrameStandartDeduct::meExpensiveMedicalSum, &Ui::TfrFrameStandartDeduct::lbExpensiveMedicalSum,
     &mTSocialDeduct::ExpensiveMedical},
};

void PlusGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 3));
    p.drawLine(12, 4, 12, 20);
    p.drawLine(4, 12, 20, 12);
}

void CrossGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 3));
    p.drawLine(5, 5, 19, 19);
    p.drawLine(19, 5, 5, 19);
}

void PencilGlyph(QPainter& p, const QColor& c, int) {
    p.setPen(QPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({QPoint(4, 20), QPoint(6, 14), QPoint(17, 3), QPoint(21, 7), QPoint(10, 18)}));
    p.drawLine(6, 14, 10, 18);
}

} // namespace

TfrFrameStandartDeduct::TfrFrameStandartDeduct(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrFrameStandartDeduct>()) {
    // The description's own texts are no change of the document.
    PageHost->PageLoading = true;
    ui->setupUi(this);
    ui->fbAddSum->SetGlyph(PaintGlyphStrip(24, PlusGlyph));
    ui->fbDeleteSum->SetGlyph(PaintGlyphStrip(24, CrossGlyph));
    ui->fbEditSum->SetGlyph(PaintGlyphStrip(24, PencilGlyph));

    const std::array<TMaskedEdit*, 12> months[2] = {
        {ui->meJan, ui->meFeb, ui->meMar, ui->meApr, ui->meMay, ui->meJun, ui->meJul, ui->meAug, ui->meSep, ui->meOct,
         ui->meNov, ui->meDec},
        {ui->meJan2, ui->meFeb2, ui->meMar2, ui->meApr2, ui->meMay2, ui->meJun2, ui->meJul2, ui->meAug2, ui->meSep2,
         ui->meOct2, ui->meNov2, ui->meDec2}};
    groups_[0].constBox = ui->chbConstChildrens;
    groups_[0].constEdit = ui->meChildrens;
    groups_[0].spin = ui->UpDChildrens;
    groups_[1].constBox = ui->chbConstChildrens2;
    groups_[1].constEdit = ui->meChildrens2;
    groups_[1].spin = ui->UpDChildrens2;
    for (int k = 0; k < 2; ++k) {
        TChildGroup& g = groups_[k];
        g.count = std::make_unique<kept::TKeptCount>(g.constEdit);
        for (int m = 0; m < 12; ++m) g.months[m] = std::make_unique<kept::TKeptCount>(months[k][m]);
        connect(g.constBox, &QCheckBox::toggled, this, [this, &g] { ConstChildrensClick(g); });
        connect(g.constEdit, &TMaskedEdit::OnChange, this, [this, &g] { ConstChildrensChange(g); });
        connect(g.spin, &QScrollBar::valueChanged, this, [this, &g] {
            if (!syncing_ && g.constBox->isChecked()) g.constEdit->SetText(QString::number(kept::SpinPosition(g.spin)));
        });
    }
    for (std::size_t i = 0; i < amounts_.size(); ++i)
        amounts_[i] = std::make_unique<kept::TKeptAmount>((*ui).*kSocialAmounts[i].edit);
    appE_ = std::make_unique<kept::TKeptCount>(ui->meAppE);

    connect(ui->chbGrantingStanDeduct, &QCheckBox::toggled, this, [this] { chbGrantingStanDeductClick(); });
    connect(ui->chbGrantingSocDeduct, &QCheckBox::toggled, this, [this] { GuardedCall(this, [this] { chbGrantingSocDeductClick(); }); });
    connect(ui->chbZayava, &QCheckBox::toggled, this, [this] { GuardedCall(this, [this] { chbZayavaClick(); }); });
    for (const TCodeButton& c : kCodes) {
        QRadioButton* b = (*ui).*c.button;
        connect(b, &QRadioButton::toggled, this, [this, b](bool checked) {
            if (!checked) return;
            CodeChosen(b);
            if (b == ui->rbQ) GuardedCall(this, [this] { rbQClick(); });
            else if (!reverting_) Changed();
        });
    }
    for (const TCodeButton& c : kKinds)
        connect((*ui).*c.button, &QRadioButton::toggled, this, [](bool checked) {
            if (checked) Changed();
        });
    ui->rbQ->installEventFilter(this);
    ui->lvSumList->installEventFilter(this);
    ConnectSelectItem(ui->lvSumList, [this](int row, bool) { SumListSelectItem(row); });
    connect(ui->lvSumList, &QTreeWidget::itemDoubleClicked, this, [this] { GuardedCall(this, [this] { EditSum(); }); });
    connect(ui->fbAddSum, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbAddSumClick(); }); });
    connect(ui->fbDeleteSum, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { fbDeleteSumClick(); }); });
    connect(ui->fbEditSum, &TFlashButton::OnClick, this, [this] { GuardedCall(this, [this] { EditSum(); }); });

    loading_ = true;
    mTDeclaration& d = Document();
    const mTStandartDeduct& st = d.StandartDeduct;
    ui->chbGrantingStanDeduct->setChecked(st.Granting != 0);
    if (ui->chbGrantingStanDeduct->isChecked()) {
        loadedCode_ = st.StandartCode;
        loadedCodeButton_ = ButtonOf(*ui, kCodes, st.StandartCode);
        loadedCodeButton_->setChecked(true);
        loadedKind_ = st.ChildrenKind;
        loadedKindButton_ = ButtonOf(*ui, kKinds, st.ChildrenKind);
        loadedKindButton_->setChecked(true);
        ui->chbZayava->setChecked(st.Zayava != 0);
        LoadGroup(groups_[0], st.ConstChildrens != 0, st.ChildrensCount, st.MonthChildrens);
        LoadGroup(groups_[1], st.ConstChildrens2 != 0, st.ChildrensCount2, st.MonthChildrens2);
    }
    codeButton_ = qobject_cast<QRadioButton*>(ui->bgCode->checkedButton());
    previousCodeButton_ = codeButton_;

    const mTSocialDeduct& so = d.SocialDeduct;
    ui->chbGrantingSocDeduct->setChecked(so.Granting != 0);
    if (ui->chbGrantingSocDeduct->isChecked()) {
        for (std::size_t i = 0; i < amounts_.size(); ++i) amounts_[i]->Show(so.*kSocialAmounts[i].field);
        for (int i = 0; i < so.ChildEduCount; ++i)
            new QTreeWidgetItem(ui->lvSumList, QStringList{MoneyText(so.GetChildEduSum(i))});
        if (so.ChildEduCount > 0) SelectSum(0);
    }
    appE_->Show(d.AppE);
    EnableEntries();
    loading_ = false;
    PageHost->PageLoading = false;
}

TfrFrameStandartDeduct::~TfrFrameStandartDeduct() {
    // The controls outlive this part of the page while they are taken down: a list reporting its
    // rows going away is not the user's choice, and nothing else may reach the handlers.
    loading_ = true;
    for (QObject* o : findChildren<QObject*>()) o->disconnect(this);
}

void TfrFrameStandartDeduct::LoadGroup(TChildGroup& g, bool constant, std::int32_t count,
                                       const std::array<std::int32_t, 12>& months) {
    g.constBox->setChecked(constant);
    if (constant) {
        g.count->Show(count);
        SyncSpin(g);
        // The constant count stands for every month, so unticking the box keeps it month by month.
        for (auto& m : g.months) m->Put(g.constEdit->Text());
    } else {
        g.count->Put(QStringLiteral("0"));
        for (int m = 0; m < 12; ++m) g.months[m]->Show(months[m]);
    }
}

void TfrFrameStandartDeduct::SyncSpin(TChildGroup& g) {
    syncing_ = true;
    kept::SetSpinPosition(g.spin, IntOf(g.constEdit->Text()));
    syncing_ = false;
}

// ---------------------------------------------------------------------------------------------
// Enabling

void TfrFrameStandartDeduct::EnableEntries() {
    const bool standard = ui->chbGrantingStanDeduct->isChecked();
    const bool social = ui->chbGrantingSocDeduct->isChecked();
    TurnEntry(ui->meAppE, standard || social);
    ui->chbZayava->setEnabled(standard);
    for (const TCodeButton& c : kCodes) ((*ui).*c.button)->setEnabled(standard);
    for (const TCodeButton& c : kKinds) ((*ui).*c.button)->setEnabled(standard);
    for (QLabel* l : {ui->lbJan, ui->lbFeb, ui->lbMar, ui->lbApr, ui->lbMay, ui->lbJun, ui->lbJul, ui->lbAug, ui->lbSep,
                      ui->lbOct, ui->lbNov, ui->lbDec, ui->lbChildrens, ui->lbChildrens2})
        l->setEnabled(standard);
    for (TChildGroup& g : groups_) {
        const bool constant = g.constBox->isChecked();
        g.constBox->setEnabled(standard);
        TurnEntry(g.constEdit, standard && constant);
        g.spin->setEnabled(standard && constant);
        for (auto& m : g.months) TurnEntry(m->Edit(), standard && !constant);
    }
    for (const TSocialAmount& a : kSocialAmounts) {
        ((*ui).*a.label)->setEnabled(social);
        TurnEntry((*ui).*a.edit, social);
    }
    for (TFlashButton* b : {ui->fbAddSum, ui->fbDeleteSum, ui->fbEditSum}) b->setEnabled(social);
}

void TfrFrameStandartDeduct::chbGrantingStanDeductClick() {
    Changed();
    if (!ui->chbGrantingStanDeduct->isChecked()) {
        if (!ui->chbGrantingSocDeduct->isChecked()) appE_->Clear();
        ui->chbZayava->setChecked(false); // clears the recalculation through its own handler
        for (TChildGroup& g : groups_) g.count->Clear();
    }
    EnableEntries();
}

void TfrFrameStandartDeduct::ConstChildrensClick(TChildGroup& g) {
    Changed();
    if (g.constBox->isChecked()) {
        SyncSpin(g);
        for (auto& m : g.months) m->Put(g.constEdit->Text());
    }
    EnableEntries();
}

void TfrFrameStandartDeduct::ConstChildrensChange(TChildGroup& g) {
    if (loading_) return;
    SyncSpin(g);
    for (auto& m : g.months) m->Put(g.constEdit->Text());
}

// ---------------------------------------------------------------------------------------------
// Codes and the two dialogs of the standard deductions

void TfrFrameStandartDeduct::CodeChosen(QRadioButton* button) {
    previousCodeButton_ = codeButton_;
    codeButton_ = button;
}

void TfrFrameStandartDeduct::rbQClick() {
    if (loading_ || reverting_) return;
    PerMonthCodes(previousCodeButton_);
}

void TfrFrameStandartDeduct::rbQDblClick() {
    if (loading_ || !ui->rbQ->isChecked()) return;
    PerMonthCodes(ui->rbQ);
}

void TfrFrameStandartDeduct::PerMonthCodes(QRadioButton* back) {
    mTStandartDeduct& st = Document().StandartDeduct;
    TfmDif dialog(QApplication::activeWindow());
    for (int m = 1; m <= 12; ++m) dialog.SetChoice(m, st.GetMonthCombination(m));
    if (dialog.exec() == QDialog::Accepted) {
        st.Combination = 1;
        for (int m = 1; m <= 12; ++m) st.SetMonthCombination(m, dialog.GetChoice(m));
    } else if (back && back != ui->rbQ) {
        // Without month codes "?" would be stored as a code the report reads as 103: the code
        // chosen before stays shown and stored.
        reverting_ = true;
        back->setChecked(true);
        reverting_ = false;
    }
    Changed();
}

void TfrFrameStandartDeduct::chbZayavaClick() {
    if (loading_) return;
    mTStandartDeduct& st = Document().StandartDeduct;
    if (ui->chbZayava->isChecked()) {
        TfmZayava dialog(QApplication::activeWindow());
        for (int m = 1; m <= 12; ++m) dialog.SetSum(m, st.GetZayavaSum(m));
        if (dialog.exec() == QDialog::Accepted) {
            st.Zayava = 1;
            for (int m = 1; m <= 12; ++m) st.SetZayavaSum(m, dialog.GetSum(m));
        } else {
            ui->chbZayava->setChecked(false); // runs this handler again, which clears the flag
        }
    } else {
        st.Zayava = 0;
    }
    Changed();
}

// ---------------------------------------------------------------------------------------------
// Social deductions

bool TfrFrameStandartDeduct::HasSocialData() const {
    if (ui->lvSumList->topLevelItemCount() > 0) return true;
    for (const auto& a : amounts_)
        if (!a->Value().IsZero()) return true;
    return false;
}

void TfrFrameStandartDeduct::chbGrantingSocDeductClick() {
    if (reverting_) return;
    const bool granted = ui->chbGrantingSocDeduct->isChecked();
    if (!granted && !loading_ && HasSocialData() &&
        MessageBox(this, QStringLiteral("Введенные суммы социальных налоговых вычетов будут удалены. Продолжить?"),
                   TMsgIcon::Question, TMsgButtons::YesNo) != mrYes) {
        reverting_ = true;
        ui->chbGrantingSocDeduct->setChecked(true);
        reverting_ = false;
        return;
    }
    Changed();
    if (!granted) {
        if (!ui->chbGrantingStanDeduct->isChecked()) appE_->Clear();
        for (auto& a : amounts_) a->Clear();
        if (ui->lvSumList->topLevelItemCount() > 0) {
            mTSocialDeduct& so = Document().SocialDeduct;
            for (int i = so.ChildEduCount - 1; i >= 0; --i) so.DeleteChildEduSum(i);
            listUpdate_ = true;
            ui->lvSumList->clear();
            listUpdate_ = false;
            CurrentSum = -1;
        }
    }
    EnableEntries();
}

void TfrFrameStandartDeduct::SumListSelectItem(int row) {
    if (loading_ || listUpdate_) return;
    CurrentSum = row;
}

void TfrFrameStandartDeduct::SelectSum(int row) {
    QTreeWidgetItem* item = ui->lvSumList->topLevelItem(row);
    ui->lvSumList->setCurrentItem(item);
    item->setSelected(true);
    CurrentSum = row;
}

QTreeWidgetItem* TfrFrameStandartDeduct::CurrentSumItem() const {
    QTreeWidgetItem* item = CurrentSum >= 0 ? ui->lvSumList->topLevelItem(CurrentSum) : nullptr;
    return item && item->isSelected() ? item : nullptr;
}

void TfrFrameStandartDeduct::fbAddSumClick() {
    TfmChildEduSum dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    const Currency sum = dialog.GetChildEduSum();
    if (sum.IsZero()) return;
    Changed();
    const int index = Document().SocialDeduct.AddChildEduSum(sum);
    new QTreeWidgetItem(ui->lvSumList, QStringList{MoneyText(sum)});
    SelectSum(index);
}

void TfrFrameStandartDeduct::EditSum() {
    QTreeWidgetItem* item = CurrentSumItem();
    if (!item) return;
    mTSocialDeduct& so = Document().SocialDeduct;
    TfmChildEduSum dialog(QApplication::activeWindow());
    dialog.SetChildEduSum(so.GetChildEduSum(CurrentSum));
    if (dialog.exec() != QDialog::Accepted) return;
    const Currency sum = dialog.GetChildEduSum();
    if (sum.IsZero()) return;
    so.SetChildEduSum(CurrentSum, sum);
    item->setText(0, MoneyText(sum));
    SelectSum(CurrentSum);
}

void TfrFrameStandartDeduct::fbDeleteSumClick() {
    QTreeWidgetItem* item = CurrentSumItem();
    if (!item) return;
    Changed();
    const int index = CurrentSum;
    listUpdate_ = true;
    Document().SocialDeduct.DeleteChildEduSum(index);
    delete item;
    CurrentSum = -1;
    listUpdate_ = false;
    if (ui->lvSumList->topLevelItemCount() > 0) SelectSum(index > 0 ? index - 1 : 0);
}

bool TfrFrameStandartDeduct::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->rbQ && event->type() == QEvent::MouseButtonDblClick) {
        GuardedCall(this, [this] { rbQDblClick(); });
        return true;
    }
    if (watched == ui->lvSumList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GuardedCall(this, [this] { EditSum(); });
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Protocol

void TfrFrameStandartDeduct::SaveData() {
    mTDeclaration& d = Document();
    mTStandartDeduct& st = d.StandartDeduct;
    st.Granting = ui->chbGrantingStanDeduct->isChecked() ? 1 : 0;
    if (st.Granting) {
        // A stored code that no button shows goes back as it was unless the user chose another.
        const QAbstractButton* code = ui->bgCode->checkedButton();
        st.StandartCode = code == loadedCodeButton_ ? loadedCode_ : CodeOf(*ui, kCodes, code);
        const QAbstractButton* kind = ui->bgKind->checkedButton();
        st.ChildrenKind = kind == loadedKindButton_ ? loadedKind_ : CodeOf(*ui, kKinds, kind);
        for (int k = 0; k < 2; ++k) {
            TChildGroup& g = groups_[k];
            if (g.constBox->isChecked()) {
                k == 0 ? st.SetConstChildrens(g.count->Value()) : st.SetConstChildrens2(g.count->Value());
            } else {
                for (int m = 0; m < 12; ++m)
                    k == 0 ? st.SetMonthChildrens(m, g.months[m]->Value()) : st.SetMonthChildrens2(m, g.months[m]->Value());
            }
        }
    }
    mTSocialDeduct& so = d.SocialDeduct;
    so.Granting = ui->chbGrantingSocDeduct->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < amounts_.size(); ++i) so.*kSocialAmounts[i].field = amounts_[i]->Value();
    d.SetAppendixCountE(appE_->Value());
}

std::uint16_t TfrFrameStandartDeduct::CheckData() {
    TCheckRun run(this, kSocialSection);
    if (SocialDeductWithoutData(Document().SocialDeduct))
        run.Fail(QStringLiteral("Не введены данные по социальным налоговым вычетам"), 1);
    return run.Result();
}

void TfrFrameStandartDeduct::FocusItem(std::uint16_t item) {
    switch (item) {
    case 1: ui->meCharitySum->setFocus(); break;
    case 2:
        if (!ui->chbZayava->isChecked()) ui->chbZayava->setChecked(true); // opens the recalculation dialog
        break;
    case 3: ui->lvSumList->setFocus(); break;
    default: break;
    }
}
