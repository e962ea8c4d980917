// The person data page: its two sub-pages, their bindings to the document, their checks, and the
// document-type and region pickers.
#include "CompleteDecl.h"
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/CheckAllError.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/FramePersonAddress.h"
#include "pages/FramePersonData.h"
#include "pages/FramePersonName.h"
#include "pages/ImputGrazhd.h"
#include "pages/InputReference.h"
#include "platform/QtWindowing.h"
#include "ui_FramePersonAddress.h"
#include "ui_FramePersonData.h"
#include "ui_FramePersonName.h"
#include "ui_ImputGrazhd.h"
#include "ui_InputDocType.h"
#include "ui_InputRegionName.h"
#include "ui_Main.h"

#include <QDateEdit>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using testutil::ReadFile;
using testutil::WriteFile;
using uitest::Click;
using uitest::ModalAnswerer;

namespace {

// The check dialog's answers.
const auto Fix = Click("Button1");
const auto Skip = Click("Button2");
const auto SkipAll = Click("Button3");

// Records the message of each check dialog, then answers it.
ModalAnswerer::Answer Note(std::vector<QString>& seen, ModalAnswerer::Answer answer) {
    return [&seen, answer](QDialog* d) {
        if (auto* c = qobject_cast<TfmCheckError*>(d)) seen.push_back(c->Message());
        answer(d);
    };
}

class PersonPages : public uitest::WindowTest {
protected:
    // The main window on a document, showing the person data page.
    // The declaration is opened from a file, as a user opens it.
    TfrPersonData& Open(const std::function<void(mTDeclaration&)>& fill = {}, const char* countries = nullptr) {
        if (countries) WriteFile(Path("Oksm.xml"), countries);
        mTDeclaration d;
        d.InspectionNumber = "7701"; // the initial data page's check passes
        if (fill) fill(d);
        d.SaveToFile(Path("open.vrq"));
        window = uitest::OpenWindow(Path("open.vrq"), dir);
        window->ui->fbPrsonInfo->SetDown(true);
        window->PageButtonClick(window->ui->fbPrsonInfo);
        window->Saved = true;
        return uitest::ShownPage<TfrPersonData>(*window);
    }
    // A page or sub-page that is not shown ends the test, rather than letting it act on nothing.
    TfrPersonData* Holder() { return &uitest::ShownPage<TfrPersonData>(*window); }
    TfrPersonNaim* NamePage() { return &uitest::ShownSubPage<TfrPersonNaim>(*Holder()); }
    TfrPersonAddress* AddressPage() { return &uitest::ShownSubPage<TfrPersonAddress>(*Holder()); }
    mTDeclaration& Doc() { return *window->Document; }
    // A check run answered in turn; returns the messages shown.
    std::vector<QString> Checked(std::vector<ModalAnswerer::Answer> answers, std::uint16_t& result) {
        std::vector<QString> seen;
        for (auto& a : answers) a = Note(seen, a);
        ModalAnswerer answerer(answers);
        result = Holder()->CheckData();
        return seen;
    }

    // The page's check run, answered in turn, shows exactly these messages and gives the result;
    // the window is closed afterwards.
    void ExpectCheckRun(std::vector<ModalAnswerer::Answer> answers, const std::vector<const char*>& messages,
                        std::uint16_t result) {
        std::uint16_t got = 99;
        const std::vector<QString> seen = Checked(std::move(answers), got);
        std::vector<QString> expected;
        for (const char* m : messages) expected.push_back(QString::fromUtf8(m));
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(got, result);
        window.reset();
    }

};

// A person who passes every check of both sub-pages.
void Valid(mTDeclaration& d) {
    auto& p = d.Person;
    p.Name = {"Петров", "Иван", "Сергеевич", "500100732259", "", "0"};
    p.Doc = {21, "Паспорт гражданина РФ", "45 04 123456", EncodeDate(2004, 5, 1), EncodeDate(1980, 3, 15), "ОВД", "Москва"};
    p.Address.RegionCode = 77;
    p.Address.RegionName = "г. Москва";
    p.Address.Street = "Тверская";
}

const char* kCountries = "<Oksm><C Code=\"643\">Россия</C><C Code=\"804\">Украина</C>"
                         "<C Code=\"999\">Очень длинное название страны, больше тридцати двух</C></Oksm>";

} // namespace

TEST_F(PersonPages, OpensOnTheNameSubPage) {
    TfrPersonData& h = Open(Valid);
    ASSERT_NE(NamePage(), nullptr);
    EXPECT_TRUE(h.ui->fbPersonNaim->Down());
    EXPECT_FALSE(h.ui->fbPersonAddress->Down());
    EXPECT_EQ(h.CurrentButton, h.ui->fbPersonNaim);
    EXPECT_EQ(NamePage()->ui->meSurName->Text(), QStringLiteral("Петров"));
    EXPECT_TRUE(window->Saved); // building the page is no change
}

TEST_F(PersonPages, SwitchingSavesAndChecksTheSubPageLeft) {
    TfrPersonData& h = Open(Valid);
    // The button of the sub-page shown: nothing happens, not even a check.
    TfrPersonNaim* before = NamePage();
    uitest::Type(before->ui->meName, "ь");
    h.fbPersonNaimClick();
    EXPECT_EQ(NamePage(), before);
    EXPECT_EQ(Doc().Person.Name.FirstName, "Иван"); // not saved

    // An empty surname and "Исправить": the name sub-page stays with its button down.
    before->ui->meSurName->selectAll();
    uitest::Key(before->ui->meSurName, Qt::Key_Delete);
    {
        std::vector<QString> seen;
        ModalAnswerer answerer({Note(seen, Fix)});
        h.ui->fbPersonAddress->SetDown(true); // as the click does
        h.fbPersonAddressClick();
        EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("Не введена фамилия")});
    }
    EXPECT_EQ(NamePage(), before);
    EXPECT_TRUE(h.ui->fbPersonNaim->Down());
    EXPECT_FALSE(h.ui->fbPersonAddress->Down());
    EXPECT_EQ(Doc().Person.Name.FirstName, "Ивань"); // saved before the check

    // "Пропустить все": on to the address sub-page.
    {
        ModalAnswerer answerer({SkipAll});
        h.ui->fbPersonAddress->SetDown(true);
        h.fbPersonAddressClick();
    }
    ASSERT_NE(AddressPage(), nullptr);
    EXPECT_EQ(h.CurrentButton, h.ui->fbPersonAddress);
}

TEST_F(PersonPages, FocusPageItemReplacesWithoutChecking) {
    TfrPersonData& h = Open(); // an empty person: every check would fail
    ModalAnswerer none({});
    h.FocusPageItem(1, 5);
    ASSERT_NE(AddressPage(), nullptr);
    EXPECT_TRUE(h.ui->fbPersonAddress->Down());
    EXPECT_FALSE(h.ui->fbPersonNaim->Down());
    EXPECT_EQ(none.Answered(), 0);

    // Item 5 of the name sub-page: the document-type button, which opens its picker.
    bool pickerShown = false;
    ModalAnswerer picker({[&](QDialog* d) {
        pickerShown = qobject_cast<TfmDocType*>(d) != nullptr;
        d->reject();
    }});
    h.FocusPageItem(0, 5);
    ASSERT_NE(NamePage(), nullptr);
    EXPECT_TRUE(pickerShown);
    EXPECT_TRUE(h.ui->fbPersonNaim->Down());
}

TEST_F(PersonPages, MissingCitizenshipLeadsToTheCountryButton) {
    TfrPersonData& h = Open(
        [](mTDeclaration& d) {
            Valid(d);
            d.Person.IsForeigner = 1;
        },
        kCountries);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), uitest::kFailAfterMs));
    h.ui->fbPersonAddress->SetDown(true);
    h.fbPersonAddressClick(); // leaves the name sub-page, whose checks pass
    ASSERT_NE(AddressPage(), nullptr);

    std::uint16_t result = 0;
    ModalAnswerer answers({Fix, [](QDialog* d) { d->reject(); }}); // "Исправить", then the country picker
    result = Holder()->CheckData();
    EXPECT_EQ(result, 10);
    Holder()->FocusItem(result);
    ASSERT_NE(NamePage(), nullptr);
    EXPECT_TRUE(h.ui->fbPersonNaim->Down());
    EXPECT_EQ(window->focusWidget(), NamePage()->ui->bnGrazhd);
    EXPECT_EQ(answers.Answered(), 2); // the picker was opened
}

TEST_F(PersonPages, NameChecks) {
    struct Case {
        const char* what;
        std::function<void(mTDeclaration&)> change;
        std::vector<ModalAnswerer::Answer> answers;
        std::vector<const char*> messages;
        std::uint16_t result;
    } cases[] = {
        {"valid", {}, {}, {}, 0},
        {"no names, fix the second",
         [](mTDeclaration& d) { d.Person.Name.SurName = d.Person.Name.FirstName = d.Person.Name.Patronymic = ""; },
         {Skip, Fix},
         {"Не введена фамилия", "Не введено имя"},
         2},
        {"no names, skip all",
         [](mTDeclaration& d) { d.Person.Name.SurName = d.Person.Name.FirstName = ""; },
         {SkipAll},
         {"Не введена фамилия"},
         0},
        {"INN of eleven digits", [](mTDeclaration& d) { d.Person.Name.INN = "50010073225"; }, {Fix},
         {"Длинна ИНН должна быть равна 12 цифрам"}, 4},
        {"INN with a wrong check digit", [](mTDeclaration& d) { d.Person.Name.INN = "500100732258"; }, {Fix},
         {"Номер ИНН введен неверно"}, 4},
        {"empty INN passes", [](mTDeclaration& d) { d.Person.Name.INN = ""; }, {}, {}, 0},
        {"no type, then no number: back to the type",
         [](mTDeclaration& d) {
             d.Person.Doc.DocTypeCode = 0;
             d.Person.Doc.DocTypeName = "";
             d.Person.Doc.SeriesNumber = "";
         },
         {Skip, Fix},
         {"Не указан документ, удостоверяющий личность", "Не указаны серия и номер документа, удостоверяющего личность"},
         5},
        {"type without number", [](mTDeclaration& d) { d.Person.Doc.SeriesNumber = ""; }, {Fix},
         {"Не указаны серия и номер документа, удостоверяющего личность"}, 6},
        {"issued before birth",
         [](mTDeclaration& d) { d.Person.Doc.IssueDate = d.Person.Doc.BirthDate - 1; },
         {Fix},
         {"Дата выдачи документа не может быть меньше даты рождения"},
         7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open([&](mTDeclaration& d) {
            Valid(d);
            if (c.change) c.change(d);
        });
        ExpectCheckRun(c.answers, c.messages, c.result);
    }
}

TEST_F(PersonPages, DocumentIssuedAfterTheFourteenthBirthday) {
    struct Case {
        TDateTime birth, issue;
        std::uint16_t type;
        bool passes;
    } cases[] = {
        {EncodeDate(1990, 3, 15), EncodeDate(2004, 3, 15), 21, false},
        {EncodeDate(1990, 3, 15), EncodeDate(2004, 3, 16), 21, true},
        {EncodeDate(1988, 2, 29), EncodeDate(2002, 2, 28), 21, false}, // counts as 28 February
        {EncodeDate(1988, 2, 29), EncodeDate(2002, 3, 1), 21, true},
        {EncodeDate(1990, 3, 15), EncodeDate(1990, 3, 15), 3, true},   // a birth certificate
        {EncodeDate(1990, 3, 15), EncodeDate(1990, 3, 15), 91, true},
        {EncodeDate(1990, 3, 15), EncodeDate(1990, 3, 15), 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + DateToStr(c.birth) + " " + DateToStr(c.issue));
        Open([&](mTDeclaration& d) {
            Valid(d);
            d.Person.Doc.BirthDate = c.birth;
            d.Person.Doc.IssueDate = c.issue;
            d.Person.Doc.DocTypeCode = c.type;
        });
        std::uint16_t result = 99;
        const std::vector<QString> seen = Checked({Fix}, result);
        EXPECT_EQ(result, c.passes ? 0 : 7);
        if (!c.passes) {
            EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет")});
        }
        window.reset();
    }
}

// The page and the whole-declaration check apply the one rule: the same dates and document types
// give both the same verdict, also for a birthday past the last date there is.
TEST_F(PersonPages, PageAndWholeDeclarationAgreeOnTheFourteenthBirthday) {
    using checkfixture::Date;
    struct Case {
        TDateTime birth, issue;
        std::uint16_t type;
        bool passes;
    } cases[] = {
        {Date(15, 3, 1990), Date(15, 3, 2004), 21, false}, {Date(15, 3, 1990), Date(16, 3, 2004), 21, true},
        {Date(29, 2, 1988), Date(28, 2, 2002), 21, false}, {Date(29, 2, 1988), Date(1, 3, 2002), 21, true},
        {Date(15, 3, 1990), Date(15, 3, 1990), 3, true},   {Date(15, 3, 1990), Date(15, 3, 1990), 91, true},
        {Date(1, 1, 9990), Date(2, 1, 9990), 21, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + DateToStr(c.birth) + " " + DateToStr(c.issue));
        Open([&](mTDeclaration& d) {
            checkfixture::MakeComplete(d);
            d.Person.Doc.BirthDate = c.birth;
            d.Person.Doc.IssueDate = c.issue;
            d.Person.Doc.DocTypeCode = c.type;
        });
        std::uint16_t page = 99;
        Checked({Fix}, page);
        EXPECT_EQ(page, c.passes ? 0 : 7);
        ModalAnswerer fix({Fix});
        const std::uint32_t whole = RunCheckAll(Doc(), nullptr);
        EXPECT_EQ(whole, c.passes ? 3u : (7u << 16 | 2u)); // passed after section 3, or item 7 of section 2
        window.reset();
    }
}

TEST_F(PersonPages, AddressChecks) {
    struct Case {
        const char* what;
        std::function<void(mTDeclaration&)> change;
        std::vector<const char*> messages;
        std::uint16_t result; // answering "Исправить" to the first
    } cases[] = {
        {"street only", [](mTDeclaration&) {}, {}, 0},
        {"settlement only",
         [](mTDeclaration& d) {
             d.Person.Address.Street = "";
             d.Person.Address.Settlement = "Кукуево";
         },
         {},
         0},
        {"a city alone",
         [](mTDeclaration& d) {
             d.Person.Address.Street = "";
             d.Person.Address.City = "Москва";
         },
         {"Не указан населенный пункт (село, поселок) или улица (проспект, переулок)"},
         5},
        {"no region", [](mTDeclaration& d) { d.Person.Address.RegionCode = 0; }, {"Не указан регион постоянного местожительства"}, 2},
        {"foreigner without citizenship", [](mTDeclaration& d) { d.Person.IsForeigner = 1; }, {"Не указано гражданство"}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrPersonData& h = Open([&](mTDeclaration& d) {
            Valid(d);
            c.change(d);
        });
        h.FocusPageItem(1, 0);
        ExpectCheckRun({Fix}, c.messages, c.result);
    }
}

TEST_F(PersonPages, NameBindings) {
    Open({}, kCountries);
    TfrPersonNaim* page = NamePage();
    auto& ui = *page->ui;
    uitest::Type(ui.meSurName, "Сидорова");
    uitest::Type(ui.meName, "Анна");
    uitest::Type(ui.mePatronymic, "Петровна");
    uitest::Type(ui.meINN, "500100732259");
    uitest::Type(ui.meMesto, "г. Тула");
    uitest::Type(ui.meKem, "ОВД Тулы");
    ui.rbZh->setChecked(true);
    ui.dtBirthDate->setDate(QDate(1975, 6, 7));
    ui.dtRegDate->setDate(QDate(2001, 2, 3));
    EXPECT_FALSE(window->Saved);
    {
        ModalAnswerer pick({[](QDialog* d) {
            auto* p = static_cast<TfmDocType*>(d);
            p->ui->lvDocType->topLevelItem(12)->setSelected(true); // "21", the passport
            p->ui->bnYes->click();
        }});
        page->bnDocType1Click();
    }
    EXPECT_EQ(ui.pnlDocType->text(), QStringLiteral("Паспорт гражданина РФ"));
    EXPECT_EQ(ui.meSerial->EditType(), edt99_);
    EXPECT_TRUE(ui.meSerial->isEnabled());
    uitest::Type(ui.meSerial, "4504123456");
    ui.chbIsForeighner->setChecked(true);
    EXPECT_EQ(Doc().Person.IsForeigner, 1); // written at once
    {
        ModalAnswerer pick({[](QDialog* d) {
            auto* p = static_cast<TfmGrazhd*>(d);
            p->ui->lvGrazhd->topLevelItem(1)->setSelected(true);
            p->ui->bnYes->click();
        }});
        page->bnGrazhdClick();
    }
    uitest::Type(ui.meAdr, "Киев");
    uitest::Type(ui.meInnerDays, "120");
    uitest::Type(ui.meHomeCode, "044");
    uitest::Type(ui.meHomePhone, "1234567");
    uitest::Type(ui.meWorkCode, "045");
    uitest::Type(ui.meWorkPhone, "7654321");
    page->SaveData();

    const mTPersonInformation& p = Doc().Person;
    EXPECT_EQ(p.Name.SurName, "Сидорова");
    EXPECT_EQ(p.Name.FirstName, "Анна");
    EXPECT_EQ(p.Name.Patronymic, "Петровна");
    EXPECT_EQ(p.Name.INN, "500100732259");
    EXPECT_EQ(p.Name.Sex, "1");
    EXPECT_EQ(p.Doc.BirthPlace, "г. Тула");
    EXPECT_EQ(p.Doc.IssuedBy, "ОВД Тулы");
    EXPECT_EQ(p.Doc.BirthDate, EncodeDate(1975, 6, 7));
    EXPECT_EQ(p.Doc.IssueDate, EncodeDate(2001, 2, 3));
    EXPECT_EQ(p.Doc.DocTypeCode, 21);
    EXPECT_EQ(p.Doc.DocTypeName, "Паспорт гражданина РФ");
    EXPECT_EQ(p.Doc.SeriesNumber, "45 04 123456");
    EXPECT_EQ(p.Foreigner.CountryCode, "804");
    EXPECT_EQ(p.Foreigner.Citizenship, "Украина");
    EXPECT_EQ(p.Foreigner.AddressAbroad, "Киев");
    EXPECT_EQ(p.Foreigner.StayDays, "120");
    EXPECT_EQ(p.ForeignHomePhone.Code, "044");
    EXPECT_EQ(p.ForeignHomePhone.Number, "1234567");
    EXPECT_EQ(p.ForeignWorkPhone.Code, "045");
    EXPECT_EQ(p.ForeignWorkPhone.Number, "7654321");

    // Unticked, the foreign fields stay in their edits and are not saved.
    ui.chbIsForeighner->setChecked(false);
    EXPECT_EQ(ui.meAdr->Text(), QStringLiteral("Киев"));
    EXPECT_FALSE(ui.meAdr->isEnabled());
    EXPECT_FALSE(ui.bnGrazhd->isEnabled());
    ui.meAdr->SetText(QStringLiteral("Львов"));
    page->SaveData();
    EXPECT_EQ(Doc().Person.IsForeigner, 0);
    EXPECT_EQ(Doc().Person.Foreigner.AddressAbroad, "Киев");
}

TEST_F(PersonPages, DocumentTypeRules) {
    Open(Valid);
    TfrPersonNaim* page = NamePage();
    auto& ui = *page->ui;
    // Built under the first rule; the passport's rule applies from the next change.
    EXPECT_EQ(ui.meSerial->Text(), QStringLiteral("45 04 123456"));
    EXPECT_EQ(ui.meSerial->EditType(), edt99_);
    auto choose = [&](const char* code) {
        ModalAnswerer pick({[code](QDialog* d) {
            auto* p = static_cast<TfmDocType*>(d);
            for (int i = 0; i < p->ui->lvDocType->topLevelItemCount(); ++i)
                if (p->ui->lvDocType->topLevelItem(i)->text(0) == QLatin1String(code)) p->ui->lvDocType->topLevelItem(i)->setSelected(true);
            p->ui->bnYes->click();
        }});
        page->bnDocType1Click();
    };
    // The same type again: nothing changes, nothing is reported.
    window->Saved = true;
    choose("21");
    EXPECT_EQ(ui.meSerial->Text(), QStringLiteral("45 04 123456"));
    EXPECT_TRUE(window->Saved);
    // Another type: the number is emptied and the new rule applies.
    choose("07");
    EXPECT_EQ(ui.meSerial->Text(), QString());
    EXPECT_EQ(ui.meSerial->EditType(), edtBB0);
    EXPECT_EQ(page->DocTypeCode, 7);
    EXPECT_FALSE(window->Saved);
    // A type without a rule of its own keeps the one in force.
    choose("15");
    EXPECT_EQ(ui.meSerial->EditType(), edtBB0);
    page->SaveData();
    EXPECT_EQ(Doc().Person.Doc.DocTypeCode, 15);
    EXPECT_EQ(Doc().Person.Doc.SeriesNumber, "");
}

TEST_F(PersonPages, CountryPickerResultIsTakenWholeOrNotAtAll) {
    Open(
        [](mTDeclaration& d) {
            Valid(d);
            d.Person.IsForeigner = 1;
            d.Person.Foreigner.CountryCode = "804";
            d.Person.Foreigner.Citizenship = "Украина";
        },
        kCountries);
    TfrPersonNaim* page = NamePage();
    EXPECT_TRUE(page->ui->bnGrazhd->isEnabled());
    bool preselected = false;
    ModalAnswerer pick({[&](QDialog* d) {
        auto* p = static_cast<TfmGrazhd*>(d);
        preselected = p->ui->lvGrazhd->topLevelItem(1)->isSelected();
        p->ui->lvGrazhd->topLevelItem(2)->setSelected(true); // a name too long for the field
        p->ui->bnYes->click();
    }});
    page->bnGrazhdClick();
    EXPECT_TRUE(preselected);
    EXPECT_EQ(page->ui->meKodGrazhd->Text(), QStringLiteral("804"));
    EXPECT_EQ(page->ui->meCitizenship->Text(), QStringLiteral("Украина"));
    EXPECT_TRUE(window->Saved);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("не выбрана")));
}

TEST_F(PersonPages, WithoutCountryListTheCountryButtonStaysOff) {
    Open([](mTDeclaration& d) {
        Valid(d);
        d.Person.IsForeigner = 1;
    });
    EXPECT_TRUE(NamePage()->ui->chbIsForeighner->isChecked());
    EXPECT_TRUE(NamePage()->ui->meAdr->isEnabled());
    EXPECT_FALSE(NamePage()->ui->bnGrazhd->isEnabled());
}

TEST_F(PersonPages, AddressBindings) {
    TfrPersonData& h = Open();
    h.FocusPageItem(1, 0);
    TfrPersonAddress* page = AddressPage();
    auto& ui = *page->ui;
    ui.rbPreb->setChecked(true);
    EXPECT_FALSE(window->Saved); // the place kind is a change like any other
    window->Saved = true;
    {
        ModalAnswerer pick({[](QDialog* d) {
            auto* p = static_cast<TfmRegionName*>(d);
            p->ui->lvRegionName->topLevelItem(p->ui->lvRegionName->topLevelItemCount() - 1)->setSelected(true);
            p->ui->bnYes->click();
        }});
        page->bnRegionClick();
    }
    EXPECT_EQ(ui.pnlRegion->text(), QStringLiteral("город и космодром Байконур"));
    EXPECT_FALSE(window->Saved);
    const std::pair<TMaskedEdit*, const char*> typed[] = {
        {ui.mePostIndex, "1234567"}, {ui.meOKATO, "45286555"}, {ui.meDistrict, "Район"}, {ui.meCity, "Город"},
        {ui.meArea, "Посёлок"},      {ui.meStreet, "Улица"},   {ui.meHouse, "12а"},     {ui.meBuilding, "2"},
        {ui.meFlat, "45"},           {ui.meHomeCode, "495"},   {ui.meHomePhone, "1112233"}, {ui.meWorkCode, "499"},
        {ui.meWorkPhone, "3332211"}};
    for (auto [edit, text] : typed) uitest::Type(edit, QString::fromUtf8(text));
    page->SaveData();
    const mTPersonInformation& p = Doc().Person;
    EXPECT_EQ(p.Address.AddressKind, 1);
    EXPECT_EQ(p.Address.RegionCode, 9901);
    EXPECT_EQ(p.Address.RegionName, "город и космодром Байконур");
    EXPECT_EQ(p.Address.PostIndex, "123456"); // six digits at most
    EXPECT_EQ(p.Address.OKATO, "45286555");
    EXPECT_EQ(p.Address.District, "Район");
    EXPECT_EQ(p.Address.City, "Город");
    EXPECT_EQ(p.Address.Settlement, "Посёлок");
    EXPECT_EQ(p.Address.Street, "Улица");
    EXPECT_EQ(p.Address.House, "12а");
    EXPECT_EQ(p.Address.Building, "2");
    EXPECT_EQ(p.Address.Flat, "45");
    EXPECT_EQ(p.HomePhone.Code, "495");
    EXPECT_EQ(p.HomePhone.Number, "1112233");
    EXPECT_EQ(p.WorkPhone.Code, "499");
    EXPECT_EQ(p.WorkPhone.Number, "3332211");
}

// A page writes back exactly what it shows and nothing it did not load: visiting both sub-pages
// of an opened declaration and saving gives the same file.
TEST_F(PersonPages, VisitingBothSubPagesKeepsTheFile) {
    const std::function<void(mTDeclaration&)> declarations[] = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) {
            sample::Fill(d);
            d.Person.IsForeigner = 0; // foreign particulars kept in the record but not shown
        },
        [](mTDeclaration& d) {
            // What the controls cannot show: a number longer than any rule, a type name without a
            // shown number, dates outside the pickers' range, a sex and a place kind of no button.
            Valid(d);
            d.Person.Doc.SeriesNumber = "123456789012345678901234";
            d.Person.Doc.BirthDate = 0;
            d.Person.Doc.IssueDate = EncodeDate(2030, 1, 1);
            d.Person.Name.Sex = "";
            d.Person.Address.AddressKind = 2;
            d.Person.Name.SurName.clear();
            for (int i = 0; i < 40; ++i) d.Person.Name.SurName += "Я"; // longer than the edit's 33
        },
        [](mTDeclaration& d) {
            Valid(d);
            d.Person.Doc.DocTypeName = "";
            d.Person.Doc.SeriesNumber = "AB 12";
        },
        [](mTDeclaration& d) {
            d.InspectionNumber = "7701";
            d.SetIncomeKinds(ikRussian);
        },
        [](mTDeclaration& d) { d.FilingDate = Today(); }, // as a new declaration is made
        [](mTDeclaration& d) { d.FilingDate = EncodeDate(2004, 6, 1) + 0.5; }, // before the picker's range, with a time
    };
    int n = 0;
    for (const auto& fill : declarations) {
        SCOPED_TRACE(n++);
        mTDeclaration d;
        d.InspectionNumber = "7701"; // the initial data page lets the user go on
        fill(d);
        d.SaveToFile(Path("in.vrq"));
        window = uitest::OpenWindow(Path("in.vrq"), dir);
        ModalAnswerer skip({SkipAll, SkipAll});
        window->ui->fbPrsonInfo->SetDown(true);
        window->PageButtonClick(window->ui->fbPrsonInfo);
        Holder()->ui->fbPersonAddress->SetDown(true);
        Holder()->fbPersonAddressClick();
        ASSERT_NE(AddressPage(), nullptr);
        Holder()->ui->fbPersonNaim->SetDown(true);
        Holder()->fbPersonNaimClick();
        ASSERT_NE(NamePage(), nullptr);
        window->FileName = QString::fromStdString(Path("out.vrq"));
        window->SaveDocExecute();
        EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
        window.reset();
    }
}

TEST(ReferencePickers, PreselectionAndCodes) {
    struct Case {
        bool region;
        std::uint16_t code;
        int row;             // preselected row, -1 none
        std::uint16_t back;  // the code returned for it
    } cases[] = {
        {false, 0, -1, 0},      // no type: "01" is not in the table
        {false, 21, 12, 21},
        {true, 0, 0, 1},        // no region: the first, "01"
        {true, 5, 4, 5},        // shown as "05"
        {true, 9901, 89, 9901},
        {true, 1234, -1, 0},    // not in the table
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code));
        std::unique_ptr<TReferencePicker> p;
        if (c.region) p = std::make_unique<TfmRegionName>(nullptr, c.code);
        else p = std::make_unique<TfmDocType>(nullptr, c.code);
        EXPECT_EQ(p->ChosenRow, c.row);
        EXPECT_EQ(p->ChosenCode(), c.back);
    }
    TfmRegionName r(nullptr, 9901);
    EXPECT_EQ(r.GetRegionName(), QStringLiteral("город и космодром Байконур"));
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Справочник регионов"));
    EXPECT_EQ(r.ui->lvRegionName->topLevelItemCount(), 90);
    TfmDocType t(nullptr, 3);
    EXPECT_EQ(t.GetDocTypeCode(), 3);
    EXPECT_EQ(t.ui->lvDocType->topLevelItemCount(), 18);
}

TEST(ReferencePickers, OkWithNothingChosenActsAsCancel) {
    TfmDocType t(nullptr, 0);
    ModalAnswerer ok({Click("bnYes")});
    EXPECT_EQ(t.exec(), QDialog::Rejected);
    ModalAnswerer enter({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); }});
    EXPECT_EQ(t.exec(), QDialog::Rejected);
    // Once a row is chosen, Enter takes it; a later double click on the empty area keeps it.
    t.ui->lvDocType->topLevelItem(2)->setSelected(true);
    ModalAnswerer enter2({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Return); }});
    EXPECT_EQ(t.exec(), QDialog::Accepted);
    EXPECT_EQ(t.GetDocTypeCode(), 5);
    ModalAnswerer esc({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }});
    EXPECT_EQ(t.exec(), QDialog::Rejected);
}
