#include "pages/FramePersonAddress.h"

#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "model/FieldRules.h"
#include "pagebase/CheckError.h"
#include "pages/InputReference.h"
#include "pages/PageValues.h"
#include "ui_FramePersonAddress.h"

#include <QApplication>

using namespace pagevalues;

TfrPersonAddress::TfrPersonAddress(QWidget* owner, TDocumentRef documentRef)
    : TThinkingFrame(owner, documentRef), ui(std::make_unique<Ui::TfrPersonAddress>()) {
    ui->setupUi(this);
    connect(ui->bnRegion, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { bnRegionClick(); }); });
    ReportChoices(this, {ui->rbReg, ui->rbPreb});

    using D = mTDeclaration;
    fields_.Add(ui->mePostIndex, [](D& d) -> std::string& { return d.Person.Address.PostIndex; });
    fields_.Add(ui->meDistrict, [](D& d) -> std::string& { return d.Person.Address.District; });
    fields_.Add(ui->meCity, [](D& d) -> std::string& { return d.Person.Address.City; });
    fields_.Add(ui->meArea, [](D& d) -> std::string& { return d.Person.Address.Settlement; });
    fields_.Add(ui->meStreet, [](D& d) -> std::string& { return d.Person.Address.Street; });
    fields_.Add(ui->meHouse, [](D& d) -> std::string& { return d.Person.Address.House; });
    fields_.Add(ui->meBuilding, [](D& d) -> std::string& { return d.Person.Address.Building; });
    fields_.Add(ui->meFlat, [](D& d) -> std::string& { return d.Person.Address.Flat; });
    fields_.Add(ui->meOKATO, [](D& d) -> std::string& { return d.Person.Address.OKATO; });
    fields_.Add(ui->meHomeCode, [](D& d) -> std::string& { return d.Person.HomePhone.Code; });
    fields_.Add(ui->meHomePhone, [](D& d) -> std::string& { return d.Person.HomePhone.Number; });
    fields_.Add(ui->meWorkCode, [](D& d) -> std::string& { return d.Person.WorkPhone.Code; });
    fields_.Add(ui->meWorkPhone, [](D& d) -> std::string& { return d.Person.WorkPhone.Number; });

    PageHost->PageLoading = true;
    mTDeclaration& d = Document();
    const mTPersonAddress& a = d.Person.Address;
    loadedKind_ = a.AddressKind;
    if (a.AddressKind != 0) ui->rbPreb->setChecked(true);
    RegionCode = a.RegionCode;
    ui->pnlRegion->setText(Q(a.RegionName));
    fields_.Load(d);
    PageHost->PageLoading = false;
}

TfrPersonAddress::~TfrPersonAddress() = default;

void TfrPersonAddress::SaveData() {
    mTDeclaration& d = Document();
    mTPersonAddress& a = d.Person.Address;
    fields_.Save(d);
    a.RegionCode = RegionCode;
    a.RegionName = S(ui->pnlRegion->text());
    // A kind the radio buttons cannot show stays as stored until the user chooses one.
    const bool kindUnchanged = (loadedKind_ != 0) == ui->rbPreb->isChecked();
    a.AddressKind = kindUnchanged ? loadedKind_ : (ui->rbPreb->isChecked() ? 1 : 0);
}

std::uint16_t TfrPersonAddress::CheckData() {
    const mTPersonInformation& p = Document().Person;
    TCheckRun run(this, QStringLiteral("Сведения о декларанте"));
    auto fail = [&run](const QString& message, std::uint16_t item) { run.Fail(message, item); };
    if (p.Address.RegionCode == 0) fail(QStringLiteral("Не указан регион постоянного местожительства"), 2);
    if (LacksSettlementAndStreet(p.Address))
        fail(QStringLiteral("Не указан населенный пункт (село, поселок) или улица (проспект, переулок)"), 5);
    if (LacksCitizenship(p)) fail(QStringLiteral("Не указано гражданство"), 10);
    return run.Result();
}

void TfrPersonAddress::FocusItem(std::uint16_t item) {
    switch (item) {
    case 2:
        ui->bnRegion->setFocus();
        bnRegionClick();
        break;
    case 4: ui->meOKATO->setFocus(); break;
    case 5: ui->meArea->setFocus(); break;
    default: break; // the citizenship (10) is on the name sub-page
    }
}

void TfrPersonAddress::bnRegionClick() {
    TfmRegionName picker(QApplication::activeWindow(), RegionCode);
    if (picker.exec() != QDialog::Accepted) return;
    if (picker.GetRegionName() == ui->pnlRegion->text()) return;
    RegionCode = picker.GetRegionCode();
    ui->pnlRegion->setText(picker.GetRegionName());
    Changed();
}
