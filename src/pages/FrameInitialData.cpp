#include "pages/FrameInitialData.h"

#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/InputInspectionNumber.h"
#include "pages/PageValues.h"
#include "platform/QtWindowing.h"
#include "ui_FrameInitialData.h"

using namespace pagevalues;

TfrInitialData::TfrInitialData(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrInitialData>()) {
    ui->setupUi(this);
    // Handlers run also when the program changes a control, as the pages' filling relies on.
    auto onChecked = [this](QAbstractButton* b, void (TfrInitialData::*h)()) {
        connect(b, &QAbstractButton::toggled, this, [this, h](bool checked) {
            if (checked) (this->*h)();
        });
    };
    onChecked(ui->rbFirst, &TfrInitialData::rbFirstClick);
    onChecked(ui->rbLast, &TfrInitialData::rbLastClick);
    onChecked(ui->rbSimple, &TfrInitialData::rbSimpleClick);
    onChecked(ui->rbNeRez, &TfrInitialData::rbNeRezClick);
    onChecked(ui->rb4ndfl, &TfrInitialData::rb4ndflClick);
    ReportChoices(this, {ui->rbGiveSelf, ui->rbGiveTrustFase, ui->rbGiveByMail, ui->rbEmail});
    // The status and the declaration kind are the user's entries as much as any field: choosing one
    // marks the document modified (the kind's own handlers below only set the controls).
    ReportChoices(this, {ui->rbFLNA, ui->rbPredp, ui->rbNotarius, ui->rbAdvokat, ui->rbInostranec, ui->rbFLProch});
    ReportChoices(this, {ui->rbSimple, ui->rbNeRez, ui->rb4ndfl});
    connect(ui->cbPrintData, &QCheckBox::toggled, this, [this] { cbPrintDataClick(); });
    connect(ui->chbIncomeInquiry, &QCheckBox::toggled, this, [this] { chbIncomeInquiryClick(); });
    connect(ui->chbIncomeCurrency, &QCheckBox::toggled, this, [this] { chbIncomeCurrencyClick(); });
    connect(ui->chbIncomeBusiness, &QCheckBox::toggled, this, [this] { chbIncomeBusinessClick(); });
    connect(ui->chbAutoCalculateApp, &QCheckBox::toggled, this, [this] { chbAutoCalculateAppClick(); });
    connect(ui->dtGetDate, &QDateEdit::dateChanged, this, [this] { dtGetDateChange(); });
    connect(ui->bnInspection, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnInspectionClick(); }); });
    TurnEntry(ui->meInspection, false);
    TurnEntry(ui->meNumVer, false);
    ui->dtGetDate->setMaximumDate(LatestDateOrToday(ui->dtGetDate->maximumDate()));
    fields_.Add(ui->dtGetDate, [](mTDeclaration& d) -> TDateTime& { return d.FilingDate; });
    Load();
}

TfrInitialData::~TfrInitialData() = default;

void TfrInitialData::Load() {
    const mTDeclaration& d = Document();
    ui->cbPrintData->setChecked(PageHost->NoDate);
    ui->meInspection->SetText(QString::fromStdString(d.InspectionNumber));
    ui->Edit1->setText(QString::fromStdString(d.InspectionName));
    fields_.Load(Document());
    if (d.Primary) {
        ui->rbFirst->setChecked(true);
        TurnEntry(ui->meNumVer, false);
    } else {
        ui->rbLast->setChecked(true);
        TurnEntry(ui->meNumVer, true);
        ui->meNumVer->SetText(QString::number(d.CorrectionNumber));
    }
    QRadioButton* methods[] = {ui->rbGiveSelf, ui->rbGiveTrustFase, ui->rbGiveByMail, ui->rbEmail};
    if (d.FilingMethod <= 3) methods[d.FilingMethod]->setChecked(true);
    if (d.FilerStatus <= 5) StatusButtons()[d.FilerStatus]->setChecked(true);
    if (d.IncomeKinds & ikRussian) ui->chbIncomeInquiry->setChecked(true);
    if (d.IncomeKinds & ikForeign) ui->chbIncomeCurrency->setChecked(true);
    if (d.IncomeKinds & ikBusiness) {
        ui->chbIncomeBusiness->setChecked(true);
        ui->meSupposeIncome->SetText(MoneyText(d.SupposeIncome));
        ui->meSupVich->SetText(MoneyText(d.SupVich));
    }
    ui->meSupposeIncome->SetText(MoneyText(d.SupposeIncome));
    ui->meOGRNIP->SetText(QString::fromStdString(d.OGRNIP));
    ui->meAppendixes->SetText(QString::number(d.Appendixes));
    ui->chbAutoCalculateApp->setChecked(false);
    ui->bnInspection->setEnabled(PageHost->InspectionNumberDialogLoaded);
    // Without the list of inspections the number is typed.
    TurnEntry(ui->meInspection, !PageHost->InspectionNumberDialogLoaded);
    QRadioButton* kinds[] = {ui->rbSimple, ui->rbNeRez, ui->rb4ndfl};
    if (d.DeclarationKind <= 2) kinds[d.DeclarationKind]->setChecked(true);
    ApplyPageButtons();
}

void TfrInitialData::SaveData() {
    mTDeclaration& d = Document();
    d.InspectionNumber = ui->meInspection->Text().toStdString();
    d.InspectionName = ui->Edit1->text().toStdString();
    fields_.Save(d);
    QRadioButton* methods[] = {ui->rbGiveSelf, ui->rbGiveTrustFase, ui->rbGiveByMail, ui->rbEmail};
    for (int i = 0; i < 4; ++i)
        if (methods[i]->isChecked()) d.FilingMethod = static_cast<std::uint8_t>(i);
    const auto statuses = StatusButtons();
    for (int i = 0; i < 6; ++i)
        if (statuses[i]->isChecked()) d.FilerStatus = static_cast<std::uint8_t>(i);
    QRadioButton* kinds[] = {ui->rbSimple, ui->rbNeRez, ui->rb4ndfl};
    for (int i = 0; i < 3; ++i)
        if (kinds[i]->isChecked()) d.DeclarationKind = static_cast<std::uint8_t>(i);
    std::uint8_t set = 0;
    if (ui->chbIncomeInquiry->isChecked()) set |= ikRussian;
    if (ui->chbIncomeCurrency->isChecked()) set |= ikForeign;
    if (ui->chbIncomeBusiness->isChecked()) set |= ikBusiness;
    d.SetIncomeKinds(set);
    // On form 4-NDFL this field holds the insurance certificate number that the form prints and
    // the tax office's file carries; on the other forms it is the registration number of the
    // business income page, which this page only shows.
    if (ui->rb4ndfl->isChecked()) d.OGRNIP = ui->meOGRNIP->Text().toStdString();
    d.SupposeIncome = MoneyOf(ui->meSupposeIncome->Text());
    d.SupVich = ui->chbIncomeBusiness->isChecked() && !ui->meSupVich->Text().isEmpty() ? MoneyOf(ui->meSupVich->Text()) : Currency();
    d.Primary = ui->rbFirst->isChecked() ? 1 : 0;
    d.CorrectionNumber = ui->rbLast->isChecked() && !ui->meNumVer->Text().isEmpty() ? IntOf(ui->meNumVer->Text()) : 0;
    d.AutoCalculateApp = 0;
    if (!ui->chbAutoCalculateApp->isChecked()) d.SetAppendixCount(IntOf(ui->meAppendixes->Text()));
}

std::uint16_t TfrInitialData::CheckData() {
    const mTDeclaration& d = Document();
    TCheckRun run(this, QStringLiteral("Задание условий"));
    if (d.InspectionNumber.empty()) run.Fail(QStringLiteral("Не введен номер инспекции"), 1);
    if (!d.FilerStatusFitsForm())
        run.Fail(QString::fromUtf8(kForm4StatusMessage), 3);
    return run.Result();
}

void TfrInitialData::FocusItem(std::uint16_t item) {
    if (item == 1) {
        if (ui->bnInspection->isEnabled()) {
            ui->bnInspection->setFocus();
            bnInspectionClick();
        } else {
            ui->meInspection->setFocus();
        }
    } else if (item == 2) {
        ui->meSupposeIncome->setFocus();
    } else if (item == 3) {
        // The chosen status may be one the declaration kind has disabled: then the first that can
        // be chosen takes the focus, and the choice stays the user's.
        QRadioButton* target = nullptr;
        for (QRadioButton* b : StatusButtons())
            if (b->isEnabled() && (!target || b->isChecked())) target = b;
        if (target) target->setFocus();
    }
}

std::array<QRadioButton*, 6> TfrInitialData::StatusButtons() const {
    return {ui->rbFLNA, ui->rbPredp, ui->rbNotarius, ui->rbAdvokat, ui->rbInostranec, ui->rbFLProch};
}

// ---------------------------------------------------------------------------------------------

void TfrInitialData::bnInspectionClick() {
    TfmInputInspectionNumber* picker = PageHost->InspectionNumberDialog;
    if (!picker) return;
    picker->SetCode(ui->meInspection->Text());
    if (picker->exec() != QDialog::Accepted) return;
    if (picker->SelectedCode == ui->meInspection->Text()) return;
    ui->meInspection->SetText(picker->SelectedCode);
    ui->Edit1->setText(picker->SelectedName);
    Changed();
}

void TfrInitialData::rbFirstClick() {
    Changed();
    TurnEntry(ui->meNumVer, false);
}

void TfrInitialData::rbLastClick() {
    Changed();
    TurnEntry(ui->meNumVer, true);
}

void TfrInitialData::cbPrintDataClick() {
    // The option belongs to the main window, not to the document.
    PageHost->NoDate = ui->cbPrintData->isChecked();
    ui->dtGetDate->setEnabled(!ui->cbPrintData->isChecked());
}

void TfrInitialData::dtGetDateChange() { Changed(); }

bool TfrInitialData::AnyIncomeChecked() const {
    return ui->chbIncomeInquiry->isChecked() || ui->chbIncomeCurrency->isChecked() || ui->chbIncomeBusiness->isChecked();
}

void TfrInitialData::SetDeductionButton(bool enabled) { PageHost->SetPageButtonEnabled(TPageButton::Deduction, enabled); }

void TfrInitialData::ApplyPageButtons() {
    PageHost->SetPageButtonEnabled(TPageButton::RussianIncome, ui->chbIncomeInquiry->isChecked());
    PageHost->SetPageButtonEnabled(TPageButton::ForeignIncome, ui->chbIncomeCurrency->isChecked());
    PageHost->SetPageButtonEnabled(TPageButton::BusinessIncome, ui->chbIncomeBusiness->isChecked());
    SetDeductionButton(AnyIncomeChecked() && !ui->rbNeRez->isChecked() && !ui->rb4ndfl->isChecked());
}

// The fields this page shows only for form 4-NDFL: the registration number and the estimated income.
void TfrInitialData::ShowForm4Fields(bool show) {
    for (QWidget* w : {static_cast<QWidget*>(ui->meOGRNIP), static_cast<QWidget*>(ui->lbOGRNIP)}) {
        w->setVisible(show);
        w->setEnabled(show);
    }
    ui->meSupposeIncome->setVisible(show);
    ui->lbSupposeIncome->setVisible(show);
}

void TfrInitialData::rbSimpleClick() {
    ui->chbIncomeCurrency->setEnabled(true);
    ui->chbIncomeBusiness->setEnabled(true);
    SetDeductionButton(true);
    ui->chbIncomeInquiry->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->chbAutoCalculateApp), static_cast<QWidget*>(ui->lbIncomeComment),
                       static_cast<QWidget*>(ui->rbFLNA), static_cast<QWidget*>(ui->lbFLNA), static_cast<QWidget*>(ui->rbFLProch),
                       static_cast<QWidget*>(ui->rbInostranec)})
        w->setEnabled(true);
    ShowForm4Fields(false);
    GiveBackForm4Controls();
}

void TfrInitialData::rbNeRezClick() {
    ui->chbIncomeCurrency->setChecked(false);
    ui->chbIncomeCurrency->setEnabled(false);
    ui->chbIncomeBusiness->setChecked(false);
    ui->chbIncomeBusiness->setEnabled(false);
    SetDeductionButton(false);
    ui->chbIncomeInquiry->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->chbAutoCalculateApp), static_cast<QWidget*>(ui->lbIncomeComment),
                       static_cast<QWidget*>(ui->rbFLNA), static_cast<QWidget*>(ui->lbFLNA), static_cast<QWidget*>(ui->rbFLProch)})
        w->setEnabled(true);
    ShowForm4Fields(false);
    // A non-resident may be a foreign person: the status 4-NDFL took away is offered again.
    ui->rbInostranec->setEnabled(true);
    GiveBackForm4Controls();
}

// Leaving 4-NDFL for a form 3-NDFL: the controls it turned off are as a page opened on that kind
// shows them, so the supporting-documents count can be typed again and the estimated income follows
// the business box once more.
void TfrInitialData::GiveBackForm4Controls() {
    TurnEntry(ui->meAppendixes, !ui->chbAutoCalculateApp->isChecked());
    const bool business = ui->chbIncomeBusiness->isChecked();
    ui->lbSupposeIncome->setEnabled(business);
    TurnEntry(ui->meSupposeIncome, business);
}

void TfrInitialData::rb4ndflClick() {
    ui->chbIncomeCurrency->setChecked(false);
    ui->chbIncomeCurrency->setEnabled(false);
    ui->chbIncomeBusiness->setChecked(false);
    ui->chbIncomeBusiness->setEnabled(false);
    SetDeductionButton(false);
    ui->chbIncomeInquiry->setChecked(false);
    ui->chbIncomeInquiry->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(ui->chbAutoCalculateApp), static_cast<QWidget*>(ui->lbIncomeComment),
                       static_cast<QWidget*>(ui->rbFLNA), static_cast<QWidget*>(ui->lbFLNA), static_cast<QWidget*>(ui->rbFLProch),
                       static_cast<QWidget*>(ui->rbInostranec)})
        w->setEnabled(false);
    TurnEntry(ui->meAppendixes, false);
    ShowForm4Fields(true);
    ui->lbSupposeIncome->setEnabled(true);
    TurnEntry(ui->meSupposeIncome, true);
}

void TfrInitialData::chbIncomeInquiryClick() {
    Changed();
    PageHost->SetPageButtonEnabled(TPageButton::RussianIncome, ui->chbIncomeInquiry->isChecked());
    SetDeductionButton(AnyIncomeChecked() && !ui->rbNeRez->isChecked());
}

void TfrInitialData::chbIncomeCurrencyClick() {
    Changed();
    PageHost->SetPageButtonEnabled(TPageButton::ForeignIncome, ui->chbIncomeCurrency->isChecked());
    SetDeductionButton(AnyIncomeChecked());
}

void TfrInitialData::chbIncomeBusinessClick() {
    Changed();
    const bool on = ui->chbIncomeBusiness->isChecked();
    PageHost->SetPageButtonEnabled(TPageButton::BusinessIncome, on);
    ui->lbSupposeIncome->setEnabled(on);
    TurnEntry(ui->meSupposeIncome, on);
    TurnEntry(ui->meSupVich, on);
    if (!on) {
        ui->meSupposeIncome->SetText(QString());
        ui->meSupVich->SetText(QString());
    }
    SetDeductionButton(AnyIncomeChecked());
}

void TfrInitialData::chbAutoCalculateAppClick() {
    Changed();
    TurnEntry(ui->meAppendixes, !ui->chbAutoCalculateApp->isChecked());
}
