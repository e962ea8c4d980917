#include "pages/FrameConstructionDeduct.h"

#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/InputReference.h"
#include "pages/KeptEntries.h"
#include "pages/PageValues.h"
#include "ui_FrameConstructionDeduct.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>

using namespace pagevalues;
using UiC = Ui::TfrConstructionDeduct;
using mTC = mTConstructionDeduct;

namespace {

const QString kSection = QStringLiteral("Имущественный налоговый вычет");

// The texts of the object and its address, in the order they are written.
struct TTextRow {
    TMaskedEdit* UiC::*edit;
    std::string mTC::*field;
};
const TTextRow kTexts[] = {
    {&UiC::meObjectNaim, &mTC::ObjectName}, {&UiC::mePostIndex, &mTC::PostIndex}, {&UiC::meDistrict, &mTC::District},
    {&UiC::meCity, &mTC::City},             {&UiC::meArea, &mTC::Settlement},     {&UiC::meStreet, &mTC::Street},
    {&UiC::meHouse, &mTC::House},           {&UiC::meBuilding, &mTC::Building},   {&UiC::meFlat, &mTC::Flat},
};

// The amounts; the share is among them but reads an empty edit as 1.
struct TAmountRow {
    TMaskedEdit* UiC::*edit;
    Currency mTC::*field;
};
const TAmountRow kAmounts[] = {
    {&UiC::meTransferringChargeSum, &mTC::ChargeCarriedOver},
    {&UiC::meTransferringCreditSum, &mTC::CreditCarriedOver},
    {&UiC::mePostYears, &mTC::ChargeEarlierYears},
    {&UiC::mePostYearsIp, &mTC::CreditEarlierYears},
    {&UiC::mePart, &mTC::Share},
    {&UiC::meObsch, &mTC::ObjectCost},
    {&UiC::meobschip, &mTC::CreditInterest},
    {&UiC::mePostYearsNA, &mTC::ChargeEarlierYearsAgent},
    {&UiC::mePostYearsIpNA, &mTC::CreditEarlierYearsAgent},
    {&UiC::meVychNA, &mTC::ChargeAgentThisYear},
    {&UiC::meVychIpNA, &mTC::CreditAgentThisYear},
};
constexpr std::size_t kShareRow = 4;

struct TDateRow {
    TDateEdit* UiC::*edit;
    TDateTime mTC::*field;
};
const TDateRow kDates[] = {{&UiC::dtpRegRightDate, &mTC::RegistrationDate}, {&UiC::dtpBayDate, &mTC::PurchaseDate}};

int YearOf(TDateTime t) {
    int y, m, d;
    DecodeDate(t, y, m, d);
    return y;
}

// The page's checks, in their order; the first that fails is the only one shown.
struct TCheckRow {
    std::uint16_t item;
    bool (*fails)(const mTC&);
    const char* message;
};
const TCheckRow kChecks[] = {
    {1, [](const mTC& c) { return IsBlank(c.ObjectName); }, "Не введено наименование объекта"},
    {2, [](const mTC& c) { return IsBlank(c.PostIndex); }, "Не введен почтовый индекс"},
    // A share of 0 would silently cancel the whole deduction.
    {3, [](const mTC& c) { return c.Share.IsZero(); }, "Доля собственности не может быть равна 0"},
    {4, RegisteredBeforePurchase, "Дата регистрации прав собственности меньше даты приобретения (даты начала строительства)"},
    {5, PurchasedAfterFirstYear, "Год начала пользования льготой меньше даты приобретения (даты начала строительства)"},
};

// The entry each item focuses.
struct TFocusRow {
    std::uint16_t item;
    QWidget* (*control)(UiC&);
};
const TFocusRow kFocus[] = {
    {1, [](UiC& u) -> QWidget* { return u.meObjectNaim; }},
    {2, [](UiC& u) -> QWidget* { return u.mePostIndex; }},
    {3, [](UiC& u) -> QWidget* { return u.mePart; }},
    {4, [](UiC& u) -> QWidget* { return u.dtpRegRightDate; }},
    {5, [](UiC& u) -> QWidget* { return u.meBeginningUsePrivilegeDate; }},
    {6, [](UiC& u) -> QWidget* { return u.meTransferringChargeSum; }},
    {7, [](UiC& u) -> QWidget* { return u.meTransferringCreditSum; }},
    {8, [](UiC& u) -> QWidget* { return u.mePostYears; }},
    {9, [](UiC& u) -> QWidget* { return u.mePostYearsIp; }},
};

} // namespace

TfrConstructionDeduct::TfrConstructionDeduct(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrConstructionDeduct>()) {
    // The description's own texts are no change of the document.
    PageHost->PageLoading = true;
    ui->setupUi(this);
    for (const TTextRow& r : kTexts) texts_.push_back(std::make_unique<kept::TKeptText>((*ui).*r.edit));
    for (const TAmountRow& r : kAmounts) amounts_.push_back(std::make_unique<kept::TKeptAmount>((*ui).*r.edit));
    for (const TDateRow& r : kDates) dates_.push_back(TKeptDate{(*ui).*r.edit, 0, QDate()});
    appZ_ = std::make_unique<kept::TKeptCount>(ui->meAppZ);
    TurnEntry(ui->mePostYearsNA, false);
    TurnEntry(ui->mePostYearsIpNA, false);

    connect(ui->chbGrantingDeduct, &QCheckBox::toggled, this, [this] { chbGrantingDeductClick(); });
    for (const TDateRow& r : kDates) connect((*ui).*r.edit, &QDateEdit::dateChanged, this, [] { Changed(); });
    connect(ui->mePart, &TMaskedEdit::OnChange, this, [this] { mePartChange(); });
    connect(ui->bnRegion, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnRegionClick(); }); });
    connect(ui->updBeginningUsePrivilegeDate, &QScrollBar::valueChanged, this, [this] {
        if (!loading_)
            ui->meBeginningUsePrivilegeDate->SetText(QString::number(kept::SpinPosition(ui->updBeginningUsePrivilegeDate)));
    });
    ui->meBeginningUsePrivilegeDate->installEventFilter(this);

    loading_ = true;
    mTDeclaration& d = Document();
    const mTC& c = d.ConstructionDeduct;
    ui->chbGrantingDeduct->setChecked(c.Granting != 0);
    if (ui->chbGrantingDeduct->isChecked()) {
        for (std::size_t i = 0; i < texts_.size(); ++i) texts_[i]->Show(c.*kTexts[i].field);
        ui->pnlRegion->setText(Q(c.RegionCode));
        RegionName = c.RegionName;
        for (std::size_t i = 0; i < dates_.size(); ++i) {
            TKeptDate& k = dates_[i];
            k.stored = c.*kDates[i].field;
            k.edit->setDate(ToQDate(k.stored));
            k.shown = k.edit->date();
        }
        const int year = YearOf(c.StartDate);
        kept::ShowText(ui->meBeginningUsePrivilegeDate, edtDigital, 4, 0, QString::number(year));
        kept::SetSpinPosition(ui->updBeginningUsePrivilegeDate, year);
        storedStart_ = c.StartDate;
        shownYear_ = ui->meBeginningUsePrivilegeDate->Text();
        yearKept_ = true;
        for (std::size_t i = 0; i < amounts_.size(); ++i) amounts_[i]->Show(c.*kAmounts[i].field);
        appZ_->Show(d.AppZ);
    }
    loading_ = false;
    PageHost->PageLoading = false;
}

TfrConstructionDeduct::~TfrConstructionDeduct() = default;

void TfrConstructionDeduct::chbGrantingDeductClick() {
    Changed();
    const bool on = ui->chbGrantingDeduct->isChecked();
    for (QGroupBox* group : {ui->gbObjectDAta, ui->gbChargeSum, ui->gbCreditSum}) {
        for (QWidget* w : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // The tax agents' earlier-year amounts are kept off whatever the box says.
            if (w == ui->mePostYearsNA || w == ui->mePostYearsIpNA || w == ui->lbPostYearsNACharge ||
                w == ui->lbPostYearsNACredit)
                continue;
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QDateEdit*>(w)) TurnEntry(w, on);
            else w->setEnabled(on);
        }
    }
    if (!on) appZ_->Clear();
}

void TfrConstructionDeduct::mePartChange() {
    const QString text = ui->mePart->Text();
    if (!text.isEmpty() && MoneyOf(text) > Currency::FromRaw(10000)) ui->mePart->SetText(QStringLiteral("1"));
}

void TfrConstructionDeduct::bnRegionClick() {
    TfmRegionName picker(QApplication::activeWindow(), static_cast<std::uint16_t>(IntOf(ui->pnlRegion->text())));
    if (picker.exec() != QDialog::Accepted) return;
    QString code = QString::number(picker.GetRegionCode());
    if (code.size() == 1) code.prepend(u'0');
    if (code == ui->pnlRegion->text()) return;
    RegionName = S(picker.GetRegionName());
    ui->pnlRegion->setText(code);
    Changed();
}

bool TfrConstructionDeduct::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->meBeginningUsePrivilegeDate && event->type() == QEvent::KeyPress) {
        // The year is chosen with the spin button only; the arrow keys step it for keyboard users.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
        QScrollBar* spin = ui->updBeginningUsePrivilegeDate;
        if (spin->isEnabled() && key == Qt::Key_Up) kept::SetSpinPosition(spin, kept::SpinPosition(spin) + 1);
        if (spin->isEnabled() && key == Qt::Key_Down) kept::SetSpinPosition(spin, kept::SpinPosition(spin) - 1);
        return true;
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrConstructionDeduct::SaveData() {
    mTDeclaration& d = Document();
    mTC& c = d.ConstructionDeduct;
    c.Granting = ui->chbGrantingDeduct->isChecked() ? 1 : 0;
    if (!c.Granting) return; // the object's data stays as it was
    for (std::size_t i = 0; i < texts_.size(); ++i) c.*kTexts[i].field = texts_[i]->Value();
    c.RegionCode = S(ui->pnlRegion->text());
    c.RegionName = RegionName;
    for (std::size_t i = 0; i < dates_.size(); ++i) {
        const TKeptDate& k = dates_[i];
        c.*kDates[i].field = k.edit->date() == k.shown ? k.stored : FromQDate(k.edit->date());
    }
    const QString year = ui->meBeginningUsePrivilegeDate->Text();
    if (yearKept_ && year == shownYear_) {
        c.StartDate = storedStart_;
    } else if (!TryEncodeDate(IntOf(year), 1, 1, c.StartDate)) {
        c.StartDate = EncodeDate(1997, 1, 1); // empty
    }
    for (std::size_t i = 0; i < amounts_.size(); ++i) c.*kAmounts[i].field = amounts_[i]->Value();
    if (amounts_[kShareRow]->Edit()->Text().isEmpty()) c.Share = Currency::FromRaw(10000);
    d.SetAppendixCountZ(appZ_->Value());
}

std::uint16_t TfrConstructionDeduct::CheckData() {
    const mTC& c = Document().ConstructionDeduct;
    if (!c.Granting) return 0;
    for (const TCheckRow& r : kChecks) {
        if (!r.fails(c)) continue;
        TCheckRun run(this, kSection);
        run.Fail(QString::fromUtf8(r.message), r.item);
        return run.Result(); // whatever the answer, the later checks are not run
    }
    return 0;
}

void TfrConstructionDeduct::FocusItem(std::uint16_t item) {
    for (const TFocusRow& r : kFocus)
        if (r.item == item) r.control(*ui)->setFocus();
}
