#include "pages/FrameThirteenPercent.h"

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/Input13Income.h"
#include "pages/Input13SourseIncome.h"
#include "pages/ListGlyphs.h"
#include "ui_FrameThirteenPercent.h"
#include "ui_Input13SourseIncome.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <algorithm>

using namespace pagevalues;

namespace {

// The top panel can be dragged only to this height or more.
constexpr int kTopPanelMinDrag = 265;

// The main window's page-loading flag while the page fills its controls.
struct TPageLoading {
    TPageLoading() {
        if (PageHost) PageHost->PageLoading = true;
    }
    ~TPageLoading() {
        if (PageHost) PageHost->PageLoading = false;
    }
};

std::unique_ptr<Ui::TfrThirteenPercent> MakeUi(QFrame* page) {
    auto ui = std::make_unique<Ui::TfrThirteenPercent>();
    ui->setupUi(page);
    return ui;
}

bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 33; });
}

void SelectRow(QTreeWidget* list, int row) {
    if (QTreeWidgetItem* item = list->topLevelItem(row))
        list->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A row as the page builds it when it shows a source: every value as decimal text.
QStringList LineColumns(const mTSourseIncome& l) {
    return {QString::number(l.Month), QString::number(l.IncomeCode), MoneyText(l.IncomeSum), QString::number(l.DeductCode),
            MoneyText(l.DeductSum)};
}

// The income line as the dialog holds it.
mTSourseIncome LineOf(TfmInput13Income& dialog) {
    mTSourseIncome line;
    line.IncomeCode = dialog.GetIncomeCode();
    line.IncomeName = S(dialog.IncomeName);
    line.IncomeSum = dialog.GetIncomeSum();
    line.DeductCode = dialog.GetSubtractCode();
    line.DeductSum = dialog.GetSubtractSum();
    line.DeductNorm = dialog.DeductNorm;
    line.Month = dialog.GetMonth();
    return line;
}

} // namespace

TfrThirteenPercent::TfrThirteenPercent(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(MakeUi(this)), holdSum_(ui->meHoldSum), obl_(ui->meObl), taxIsch_(ui->meTaxIsch) {
    listglyphs::Apply(ui->fbAddSourseIncome, ui->fbDeleteSourseIncome, ui->fbEditSourseIncome);
    listglyphs::Apply(ui->fbAddIncome, ui->fbRemoveIncome, ui->fbEditIncome);
    ui->lvSourseIncomeInfo->header()->setSectionsClickable(false);
    ui->lvSourseIncomeInfo->setColumnWidth(0, 540);
    ui->lvIncome->header()->setSectionsClickable(false);
    const int widths[] = {95, 85, 95, 87, 95}; // each title whole in its column
    for (int c = 0; c < 5; ++c) ui->lvIncome->setColumnWidth(c, widths[c]);
    // The line list shows its selection only while it has the focus.
    QPalette pal = ui->lvIncome->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Inactive, QPalette::Base));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Inactive, QPalette::Text));
    ui->lvIncome->setPalette(pal);

    auto command = [this](TFlashButton* b, void (TfrThirteenPercent::*handler)()) {
        connect(b, &TFlashButton::OnClick, this, [this, handler] { GuardedCall(this, [this, handler] { (this->*handler)(); }); });
    };
    command(ui->fbAddSourseIncome, &TfrThirteenPercent::fbAddSourseIncomeClick);
    command(ui->fbEditSourseIncome, &TfrThirteenPercent::fbEditSourseIncomeClick);
    command(ui->fbDeleteSourseIncome, &TfrThirteenPercent::fbDeleteSourseIncomeClick);
    command(ui->fbAddIncome, &TfrThirteenPercent::fbAddIncomeClick);
    command(ui->fbEditIncome, &TfrThirteenPercent::fbEditIncomeClick);
    command(ui->fbRemoveIncome, &TfrThirteenPercent::fbRemoveIncomeClick);
    ConnectSelectItem(ui->lvSourseIncomeInfo, [this](int row, bool selected) { SourseSelectItem(row, selected); });
    ConnectSelectItem(ui->lvIncome, [this](int row, bool selected) { IncomeSelectItem(row, selected); });
    for (QTreeWidget* list : {ui->lvSourseIncomeInfo, ui->lvIncome}) {
        list->installEventFilter(this);           // Enter
        list->viewport()->installEventFilter(this); // a double click anywhere in the list
    }

    ui->splitter1->setStretchFactor(1, 1);
    ui->splitter1->setSizes({101, 359});
    splitterSizes_ = ui->splitter1->sizes();
    ui->splitter1->handle(1)->installEventFilter(this);
    connect(ui->splitter1, &QSplitter::splitterMoved, this, [this] {
        if (ui->splitter1->sizes().value(0) < kTopPanelMinDrag)
            ui->splitter1->setSizes(splitterSizes_);
        else
            splitterSizes_ = ui->splitter1->sizes();
    });

    using D = mTDeclaration;
    counters_ = {
        {ui->meAppG, [](const D& d) { return d.AppG; }, [](D& d, std::int32_t v) { d.SetAppendixCountG(v); }, false, {}},
        {ui->meAppJ, [](const D& d) { return d.AppB; }, [](D& d, std::int32_t v) { d.SetAppendixCountB(v); }, false, {}},
        {ui->meAppD, [](const D& d) { return d.AppD; }, [](D& d, std::int32_t v) { d.SetAppendixCountD(v); }, false, {}},
        {ui->meAppK, [](const D& d) { return d.AppK; }, [](D& d, std::int32_t v) { d.SetAppendixCountK(v); }, false, {}},
        {ui->meAppL, [](const D& d) { return d.AppL; }, [](D& d, std::int32_t v) { d.SetAppendixCountL(v); }, false, {}},
        {ui->meAppM, [](const D& d) { return d.AppM; }, [](D& d, std::int32_t v) { d.SetAppendixCountM(v); }, false, {}},
    };

    TPageLoading loading;
    Loading = true;
    ui->pnlItogIncomeSum->clear();
    for (TAmountEdit* e : {&holdSum_, &obl_, &taxIsch_}) e->SetText(QString());
    const mTDeclaration& d = Document();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(d.ThirteenPercentCount());
    for (int i = 0; i < d.ThirteenPercentCount(); ++i)
        rows.append(new QTreeWidgetItem(QStringList{Q(d.GetThirteenPercent(i).SourseName)}));
    ui->lvSourseIncomeInfo->addTopLevelItems(rows);
    if (d.ThirteenPercentCount() > 0) {
        LoadCounters();
        EnableLowerPart(true);
    } else {
        EnableLowerPart(false);
    }
    Loading = false;
}

TfrThirteenPercent::~TfrThirteenPercent() {
    destroying_ = true;
    // The lists report nothing while they are taken down with the page.
    ui->lvSourseIncomeInfo->selectionModel()->blockSignals(true);
    ui->lvIncome->selectionModel()->blockSignals(true);
}

mTThirteenPercent& TfrThirteenPercent::Sourse() const { return Document().GetThirteenPercent(SourseIndex); }
bool TfrThirteenPercent::SourseSelected() const { return SourseItem && SourseItem->isSelected(); }
bool TfrThirteenPercent::IncomeSelected() const { return IncomeItem && IncomeItem->isSelected(); }

void TfrThirteenPercent::LoadCounters() {
    const mTDeclaration& d = Document();
    for (TCounter& c : counters_) {
        c.edit->SetText(QString::number(c.get(d)));
        c.shown = c.edit->Text();
        c.loaded = true;
    }
}

void TfrThirteenPercent::EnableLowerPart(bool on) {
    for (TFlashButton* b : {ui->fbAddIncome, ui->fbRemoveIncome, ui->fbEditIncome}) b->setEnabled(on);
    if (!on) {
        ui->pnlItogIncomeSum->clear();
        for (TAmountEdit* e : {&holdSum_, &obl_, &taxIsch_}) e->SetText(QString());
        for (TCounter& c : counters_) {
            c.edit->SetText(QString());
            c.loaded = false; // no count is shown, so none is written
        }
    }
    for (TMaskedEdit* e : {ui->meHoldSum, ui->meObl, ui->meTaxIsch}) TurnEntry(e, on);
    for (TCounter& c : counters_) TurnEntry(c.edit, on);
    for (QWidget* w : {ui->lbAppG, ui->lbAppJ, ui->lbAppD, ui->lbAppK, ui->lbAppL, ui->lbAppM}) w->setEnabled(on);
}

void TfrThirteenPercent::ShowTotal() { ui->pnlItogIncomeSum->setText(MoneyText(Sourse().ItogIncomeSum)); }

void TfrThirteenPercent::SourseSelectItem(int row, bool selected) {
    if (destroying_ || Loading || DeletingSourse) return;
    if (!selected) {
        if (SourseItem && row == SourseIndex) ReleaseSourse();
    } else if (!SourseItem) {
        ShowSourse(row);
    }
}

void TfrThirteenPercent::ReleaseSourse() {
    TPageLoading loading;
    mTThirteenPercent& s = Sourse();
    s.HoldSum = holdSum_.Value();
    s.Obl = obl_.Value();
    s.TaxIsch = taxIsch_.Value();
    SourseItem = nullptr;
    SourseIndex = 0;
}

void TfrThirteenPercent::ShowSourse(int row) {
    QTreeWidgetItem* item = ui->lvSourseIncomeInfo->topLevelItem(row);
    if (!item) return;
    TPageLoading loading;
    SourseIndex = row;
    SourseItem = item;
    EnableLowerPart(true);
    const mTThirteenPercent& s = Sourse();
    QTreeWidget* list = ui->lvIncome;
    {
        // One insertion of all rows, with nothing redrawn or reported on the way.
        QSignalBlocker blocker(list->selectionModel());
        list->setUpdatesEnabled(false);
        list->clear();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(s.SourseIncomeCount());
        for (int i = 0; i < s.SourseIncomeCount(); ++i) rows.append(new QTreeWidgetItem(LineColumns(s.GetSourseIncome(i))));
        list->addTopLevelItems(rows);
        list->setUpdatesEnabled(true);
    }
    IncomeIndex = 0;
    IncomeItem = list->topLevelItem(0);
    if (IncomeItem) SelectRow(list, 0);
    ShowTotal();
    holdSum_.Show(s.HoldSum);
    obl_.Show(s.Obl);
    taxIsch_.Show(s.TaxIsch);
}

void TfrThirteenPercent::IncomeSelectItem(int row, bool) {
    if (destroying_ || RemovingIncome) return;
    IncomeIndex = row;
    IncomeItem = ui->lvIncome->topLevelItem(row);
}

void TfrThirteenPercent::fbAddSourseIncomeClick() {
    mTDeclaration& d = Document();
    TfmInput13SourseIncome dialog(QApplication::activeWindow());
    if (d.DeclarationKind == 1) dialog.ui->chbPrimaryWorkplase->hide();
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName())) return;
    Changed();
    mTThirteenPercent& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = dialog.GetSourseName();
    s.INN = dialog.GetINN();
    s.KPP = dialog.GetKPP();
    s.OKATO = dialog.GetOKATO();
    s.PrimaryWorkplase = dialog.GetPrimaryWorkplase() ? 1 : 0;
    auto* row = new QTreeWidgetItem(QStringList{Q(s.SourseName)});
    ui->lvSourseIncomeInfo->addTopLevelItem(row);
    // The counts are shown again from the document when the page had no source.
    if (!counters_.front().loaded) LoadCounters();
    SelectRow(ui->lvSourseIncomeInfo, ui->lvSourseIncomeInfo->indexOfTopLevelItem(row));
    EnableLowerPart(true);
}

void TfrThirteenPercent::fbEditSourseIncomeClick() {
    if (!SourseSelected()) return;
    mTThirteenPercent& s = Sourse();
    TfmInput13SourseIncome dialog(QApplication::activeWindow());
    if (Document().DeclarationKind == 1) dialog.ui->chbPrimaryWorkplase->hide();
    dialog.SetSourseName(s.SourseName);
    dialog.SetINN(s.INN);
    dialog.SetKPP(s.KPP);
    dialog.SetOKATO(s.OKATO);
    dialog.SetPrimaryWorkplase(s.PrimaryWorkplase != 0);
    if (dialog.exec() != QDialog::Accepted || Blank(dialog.GetSourseName())) return;
    s.SourseName = dialog.GetSourseName();
    s.INN = dialog.GetINN();
    s.KPP = dialog.GetKPP();
    s.OKATO = dialog.GetOKATO();
    // A flag byte other than 0 and 1 from a file stays as it was unless the box was changed.
    if (dialog.GetPrimaryWorkplase() != (s.PrimaryWorkplase != 0)) s.PrimaryWorkplase = dialog.GetPrimaryWorkplase() ? 1 : 0;
    SourseItem->setText(0, Q(s.SourseName));
    SelectRow(ui->lvSourseIncomeInfo, SourseIndex);
    EnableLowerPart(true);
}

void TfrThirteenPercent::fbDeleteSourseIncomeClick() {
    if (!SourseSelected()) return;
    mTDeclaration& d = Document();
    const int deleted = SourseIndex;
    DeletingSourse = true;
    Changed();
    d.SetThirteenPercent(deleted, nullptr);
    QTreeWidgetItem* row = SourseItem;
    SourseItem = nullptr;
    {
        QSignalBlocker blocker(ui->lvIncome->selectionModel());
        ui->lvIncome->clear();
        IncomeItem = nullptr;
        IncomeIndex = 0;
    }
    delete row;
    ui->lvSourseIncomeInfo->clearSelection();
    DeletingSourse = false;
    if (d.ThirteenPercentCount() == 0) {
        SourseIndex = 0;
        EnableLowerPart(false);
    } else {
        SelectRow(ui->lvSourseIncomeInfo, std::max(deleted - 1, 0));
    }
}

void TfrThirteenPercent::WriteIncomeRow(QTreeWidgetItem* item, const mTSourseIncome& l) const {
    const QString none = QStringLiteral("Нет"), dash = QStringLiteral("-");
    item->setText(0, l.Month != 0 ? QString::number(l.Month) : none);
    item->setText(1, l.IncomeCode != 0 ? QString::number(l.IncomeCode) : none);
    item->setText(2, !l.IncomeSum.IsZero() ? MoneyText(l.IncomeSum) : dash);
    item->setText(3, l.DeductCode != 0 ? QString::number(l.DeductCode) : none);
    item->setText(4, !l.DeductSum.IsZero() ? MoneyText(l.DeductSum) : dash);
}

void TfrThirteenPercent::fbAddIncomeClick() {
    if (!SourseItem) return;
    TfmInput13Income dialog(QApplication::activeWindow());
    dialog.Unrestricted = Document().DeclarationKind == 0;
    if (dialog.exec() != QDialog::Accepted || dialog.GetIncomeCode() == 0) return;
    Changed();
    mTSourseIncome line = LineOf(dialog);
    IncomeIndex = Sourse().AddSourseIncome(std::move(line));
    auto* row = new QTreeWidgetItem;
    WriteIncomeRow(row, Sourse().GetSourseIncome(IncomeIndex));
    ui->lvIncome->addTopLevelItem(row);
    ShowTotal();
    IncomeItem = row;
    SelectRow(ui->lvIncome, IncomeIndex);
}

void TfrThirteenPercent::fbEditIncomeClick() {
    if (!SourseItem || !IncomeSelected()) return;
    mTThirteenPercent& s = Sourse();
    TfmInput13Income dialog(QApplication::activeWindow(), s.GetSourseIncome(IncomeIndex), Document().DeclarationKind == 0);
    if (dialog.exec() != QDialog::Accepted) return;
    mTSourseIncome line = LineOf(dialog);
    s.SetSourseIncome(IncomeIndex, &line);
    WriteIncomeRow(IncomeItem, line);
    ShowTotal();
}

void TfrThirteenPercent::fbRemoveIncomeClick() {
    if (!SourseItem || !IncomeSelected()) return;
    const int removed = IncomeIndex;
    RemovingIncome = true;
    Changed();
    Sourse().SetSourseIncome(removed, nullptr);
    QTreeWidgetItem* row = IncomeItem;
    IncomeItem = nullptr;
    delete row;
    ui->lvIncome->clearSelection();
    RemovingIncome = false;
    if (ui->lvIncome->topLevelItemCount() == 0)
        IncomeIndex = 0;
    else
        SelectRow(ui->lvIncome, std::max(removed - 1, 0));
    ShowTotal();
}

void TfrThirteenPercent::SaveData() {
    mTDeclaration& d = Document();
    if (SourseItem) {
        mTThirteenPercent& s = Sourse();
        s.HoldSum = holdSum_.Value();
        s.Obl = obl_.Value();
        s.TaxIsch = taxIsch_.Value();
    }
    for (const TCounter& c : counters_)
        if (c.loaded && c.edit->Text() != c.shown) c.set(d, IntOf(c.edit->Text()));
}

std::uint16_t TfrThirteenPercent::CheckData() {
    const mTDeclaration& d = Document();
    TCheckRun run(this, QStringLiteral("Доходы, облагаемые ставкой 13%"));
    for (int i = 0; i < d.ThirteenPercentCount(); ++i) {
        if (WithholdsMoreThanIncome(d.GetThirteenPercent(i))) {
            // Any answer ends the check: later sources are not looked at.
            run.Fail(QStringLiteral("По данному источнику выплаты общая сумма дохода меньше удержанной суммы"),
                     static_cast<std::uint16_t>(i + 1));
            break;
        }
    }
    return run.Result();
}

void TfrThirteenPercent::FocusItem(std::uint16_t item) {
    if (Document().ThirteenPercentCount() == 0) return;
    ui->lvSourseIncomeInfo->setFocus();
    SelectRow(ui->lvSourseIncomeInfo, item - 1);
}

void TfrThirteenPercent::SelectFirstEntry() { SelectFirstRow(ui->lvSourseIncomeInfo); }

bool TfrThirteenPercent::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->splitter1->handle(1) && event->type() == QEvent::MouseButtonPress) {
        splitterSizes_ = ui->splitter1->sizes(); // a refused drag goes back here
        return false;
    }
    const bool sources = watched == ui->lvSourseIncomeInfo || watched == ui->lvSourseIncomeInfo->viewport();
    const bool lines = watched == ui->lvIncome || watched == ui->lvIncome->viewport();
    if (!sources && !lines) return TThinkingFrame::eventFilter(watched, event);
    bool edit = false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        edit = true;
    } else if (event->type() == QEvent::KeyPress && (watched == ui->lvSourseIncomeInfo || watched == ui->lvIncome)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        edit = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (!edit) return false;
    GuardedCall(this, [this, sources] { sources ? fbEditSourseIncomeClick() : fbEditIncomeClick(); });
    return true;
}
