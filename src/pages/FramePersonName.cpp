#include "pages/FramePersonName.h"

#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/ImputGrazhd.h"
#include "pages/InputReference.h"
#include "pages/PageValues.h"
#include "ui_FramePersonName.h"

#include <QApplication>

using namespace pagevalues;

namespace {

// Identity-document type code to the rule of its series and number (codes 01 and 02 are older
// types no longer in the table).
struct TSerialRule {
    std::uint16_t code;
    TDocumentMaskEnum rule;
};
constexpr TSerialRule kSerialRules[] = {
    {1, edtR_BB},   {3, edtR_BB},   {2, edt99},     {9, edt99},     {22, edt99},    {21, edt99_},
    {4, edtBB},     {6, edtBB},     {7, edtBB0},    {26, edtBB0},   {27, edtBB0},   {10, edtNone1},
    {5, edtNone2},  {11, edtNone2}, {12, edtNone2}, {13, edtNone2}, {14, edtNone2}, {91, edtNone2},
};

const QString kSection = QStringLiteral("Сведения о декларанте");

} // namespace

TfrPersonNaim::TfrPersonNaim(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrPersonNaim>()) {
    ui->setupUi(this);
    TurnEntry(ui->meSerial, false);
    for (TMaskedEdit* e : {ui->meKodGrazhd, ui->meCitizenship, ui->meAdr, ui->meHomeCode, ui->meHomePhone, ui->meWorkCode,
                           ui->meWorkPhone, ui->meInnerDays})
        TurnEntry(e, false);
    connect(ui->bnDocType, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnDocType1Click(); }); });
    connect(ui->bnGrazhd, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnGrazhdClick(); }); });
    connect(ui->chbIsForeighner, &QCheckBox::toggled, this, [this] { chbIsForeighnerClick(); });
    ReportChoices(this, {ui->rbM, ui->rbZh});
    for (QDateEdit* e : {ui->dtBirthDate, ui->dtRegDate}) connect(e, &QDateEdit::dateChanged, this, [this] { DateChange(); });

    using D = mTDeclaration;
    fields_.Add(ui->meSurName, [](D& d) -> std::string& { return d.Person.Name.SurName; });
    fields_.Add(ui->meName, [](D& d) -> std::string& { return d.Person.Name.FirstName; });
    fields_.Add(ui->mePatronymic, [](D& d) -> std::string& { return d.Person.Name.Patronymic; });
    fields_.Add(ui->meINN, [](D& d) -> std::string& { return d.Person.Name.INN; });
    fields_.Add(ui->meStrSv, [](D& d) -> std::string& { return d.Person.Name.InsuranceNumber; });
    fields_.Add(ui->meMesto, [](D& d) -> std::string& { return d.Person.Doc.BirthPlace; });
    fields_.Add(ui->meKem, [](D& d) -> std::string& { return d.Person.Doc.IssuedBy; });
    fields_.Add(ui->dtRegDate, [](D& d) -> TDateTime& { return d.Person.Doc.IssueDate; });
    fields_.Add(ui->dtBirthDate, [](D& d) -> TDateTime& { return d.Person.Doc.BirthDate; });
    serial_.Add(ui->meSerial, [](D& d) -> std::string& { return d.Person.Doc.SeriesNumber; });
    foreignFields_.Add(ui->meInnerDays, [](D& d) -> std::string& { return d.Person.Foreigner.StayDays; });
    foreignFields_.Add(ui->meCitizenship, [](D& d) -> std::string& { return d.Person.Foreigner.Citizenship; });
    foreignFields_.Add(ui->meAdr, [](D& d) -> std::string& { return d.Person.Foreigner.AddressAbroad; });
    foreignFields_.Add(ui->meKodGrazhd, [](D& d) -> std::string& { return d.Person.Foreigner.CountryCode; });
    foreignFields_.Add(ui->meHomeCode, [](D& d) -> std::string& { return d.Person.ForeignHomePhone.Code; });
    foreignFields_.Add(ui->meHomePhone, [](D& d) -> std::string& { return d.Person.ForeignHomePhone.Number; });
    foreignFields_.Add(ui->meWorkCode, [](D& d) -> std::string& { return d.Person.ForeignWorkPhone.Code; });
    foreignFields_.Add(ui->meWorkPhone, [](D& d) -> std::string& { return d.Person.ForeignWorkPhone.Number; });

    PageHost->PageLoading = true;
    mTDeclaration& d = Document();
    const mTPersonInformation& p = d.Person;
    // The date pickers end today; a stored date outside that range is kept unless changed.
    const QDate today = ToQDate(Today());
    ui->dtRegDate->setMaximumDate(today);
    ui->dtBirthDate->setMaximumDate(today);
    fields_.Load(d);
    loadedSex_ = Q(p.Name.Sex);
    (p.Name.Sex != "0" ? ui->rbZh : ui->rbM)->setChecked(true);
    DocTypeCode = p.Doc.DocTypeCode;
    ui->pnlDocType->setText(Q(p.Doc.DocTypeName));
    if (!p.Doc.DocTypeName.empty()) {
        // Shown under the edit's first rule; the type's rule applies from the next change.
        serial_.Load(d);
        TurnEntry(ui->meSerial, true);
        ApplySerialRule(DocTypeCode);
    } else {
        serial_.Keep(d);
    }
    if (p.IsForeigner) ui->chbIsForeighner->setChecked(true);
    if (ui->chbIsForeighner->isChecked()) foreignFields_.Load(d);
    ui->bnGrazhd->setEnabled(ui->chbIsForeighner->isChecked() && PageHost->CountryDialogLoaded);
    PageHost->PageLoading = false;
}

TfrPersonNaim::~TfrPersonNaim() = default;

void TfrPersonNaim::ApplySerialRule(std::uint16_t code) {
    for (const TSerialRule& r : kSerialRules)
        if (r.code == code) return ui->meSerial->setEditType(r.rule);
}

void TfrPersonNaim::SaveData() {
    mTDeclaration& d = Document();
    mTPersonInformation& p = d.Person;
    fields_.Save(d);
    serial_.Save(d);
    const bool sexUnchanged = (loadedSex_ != QStringLiteral("0")) == ui->rbZh->isChecked();
    p.Name.Sex = sexUnchanged ? S(loadedSex_) : (ui->rbM->isChecked() ? "0" : "1");
    p.Doc.DocTypeCode = DocTypeCode;
    p.Doc.DocTypeName = S(ui->pnlDocType->text());
    p.IsForeigner = ui->chbIsForeighner->isChecked() ? 1 : 0;
    if (ui->chbIsForeighner->isChecked()) foreignFields_.Save(d);
}

std::uint16_t TfrPersonNaim::CheckData() {
    const mTPersonInformation& p = Document().Person;
    TCheckRun run(this, kSection);
    auto fail = [&run](const QString& message, std::uint16_t item) { run.Fail(message, item); };
    if (p.Name.SurName.empty()) fail(QStringLiteral("Не введена фамилия"), 1);
    if (p.Name.FirstName.empty()) fail(QStringLiteral("Не введено имя"), 2);
    if (p.Name.Patronymic.empty()) fail(QStringLiteral("Не введено отчество"), 3);
    if (!run.Ended()) {
        const std::uint16_t inn = CheckINN(p.Name.INN, 2);
        if (inn == 4) fail(QStringLiteral("Длинна ИНН должна быть равна 12 цифрам"), 4);
        if (inn == 5) fail(QStringLiteral("Номер ИНН введен неверно"), 4);
    }
    if (p.Doc.DocTypeCode == 0) fail(QStringLiteral("Не указан документ, удостоверяющий личность"), 5);
    if (p.Doc.SeriesNumber.empty())
        fail(QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность"), p.Doc.DocTypeCode == 0 ? 5 : 6);
    if (p.Doc.IssueDate < p.Doc.BirthDate) {
        fail(QStringLiteral("Дата выдачи документа не может быть меньше даты рождения"), 7);
    } else if (!IssuedAtAnyAge(DocTypeCode) && !IssuedAfterFourteenthBirthday(p.Doc.IssueDate, p.Doc.BirthDate)) {
        fail(QStringLiteral("Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет"), 7);
    }
    return run.Result();
}

void TfrPersonNaim::FocusItem(std::uint16_t item) {
    switch (item) {
    case 1: ui->meSurName->setFocus(); break;
    case 2: ui->meName->setFocus(); break;
    case 3: ui->mePatronymic->setFocus(); break;
    case 4: ui->meINN->setFocus(); break;
    case 5:
        ui->bnDocType->setFocus();
        bnDocType1Click();
        break;
    case 6: ui->meSerial->setFocus(); break;
    case 7: ui->dtRegDate->setFocus(); break;
    case 10: // the citizenship: chosen with the country button
        if (ui->bnGrazhd->isEnabled()) {
            ui->bnGrazhd->setFocus();
            bnGrazhdClick();
        } else {
            ui->chbIsForeighner->setFocus();
        }
        break;
    default: break;
    }
}

void TfrPersonNaim::bnDocType1Click() {
    TfmDocType picker(QApplication::activeWindow(), DocTypeCode);
    if (picker.exec() != QDialog::Accepted) return;
    if (picker.GetDocTypeName() == ui->pnlDocType->text()) return;
    Changed();
    DocTypeCode = picker.GetDocTypeCode();
    ui->pnlDocType->setText(picker.GetDocTypeName());
    if (!picker.GetDocTypeName().isEmpty()) {
        ui->meSerial->SetText(QString());
        serial_.Release(ui->meSerial);
        TurnEntry(ui->meSerial, true);
        ApplySerialRule(DocTypeCode);
    }
}

void TfrPersonNaim::bnGrazhdClick() {
    TfmGrazhd* picker = PageHost->CountryDialog;
    if (!picker) return;
    picker->SetCode(ui->meKodGrazhd->Text());
    if (picker->exec() != QDialog::Accepted) return;
    if (picker->SelectedCode == ui->meKodGrazhd->Text()) return;
    // The code and the name are taken together or not at all.
    if (!ui->meKodGrazhd->Takes(picker->SelectedCode) || !ui->meCitizenship->Takes(picker->SelectedName)) {
        MessageBox(this, QStringLiteral("Страна \"") + picker->SelectedName +
                             QStringLiteral("\" не помещается в поле гражданства (не более 32 символов) и не выбрана."),
                   TMsgIcon::Warning);
        return;
    }
    ui->meKodGrazhd->SetText(picker->SelectedCode);
    ui->meCitizenship->SetText(picker->SelectedName);
    Changed();
}

void TfrPersonNaim::chbIsForeighnerClick() {
    Changed();
    const bool on = ui->chbIsForeighner->isChecked();
    Document().Person.IsForeigner = on ? 1 : 0;
    for (QWidget* w : {static_cast<QWidget*>(ui->lbInnerDays), static_cast<QWidget*>(ui->lbGrazhd), static_cast<QWidget*>(ui->lbAdr),
                       static_cast<QWidget*>(ui->lbHome), static_cast<QWidget*>(ui->lbWork), static_cast<QWidget*>(ui->lbHomeCode),
                       static_cast<QWidget*>(ui->lbWorkCode), static_cast<QWidget*>(ui->lbHomeT), static_cast<QWidget*>(ui->lbWorkT)})
        w->setEnabled(on);
    for (TMaskedEdit* e : {ui->meInnerDays, ui->meAdr, ui->meHomeCode, ui->meHomePhone, ui->meWorkCode, ui->meWorkPhone})
        TurnEntry(e, on);
    ui->bnGrazhd->setEnabled(on && PageHost->CountryDialogLoaded);
}

void TfrPersonNaim::DateChange() { Changed(); }
