#include "UiTestUtil.h"
#include "../TestUtil.h"
#include "pagebase/CheckError.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pages/FrameInitialData.h"
#include "pages/PageValues.h"
#include "platform/QtWindowing.h"
#include "ui_FrameInitialData.h"
#include "ui_Main.h"

#include <QDateEdit>
#include <QRadioButton>
#include <functional>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

// The main window with every page button given a page, so that the buttons show the rules of the
// initial data page.
class InitialData : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        SetMessageBoxHook([](const QString&, TMsgIcon, TMsgButtons) { return int(mrNo); });
        window = std::make_unique<TFormMain>(QStringList{}, QString::fromStdString(dir));
        for (TFlashButton* b : Buttons())
            window->SetPageFactory(b, QStringLiteral("TfrInitialData"), [](QWidget* o, TDocumentRef r) { return new TfrInitialData(o, r); });
        Rebuild();
    }
    void TearDown() override {
        window.reset();
        SetMessageBoxHook({});
        TempDir::TearDown();
    }
    std::vector<TFlashButton*> Buttons() const {
        return {window->ui->fbRussianIncome, window->ui->fbForeignIncome, window->ui->fbBusinessIncome, window->ui->fbDeduction};
    }
    // Shows the page anew on the document as it is now.
    void Rebuild() {
        window->PageLoading = true;
        delete window->CurrentPage;
        window->CurrentPage = new TfrInitialData(window->ui->PnlFormContainer, &window->Document);
        window->PageLoading = false;
        page = static_cast<TfrInitialData*>(window->CurrentPage);
    }
    std::string Enabled() const { // R F B D: which of the four page buttons are enabled
        std::string s;
        for (TFlashButton* b : Buttons()) s += b->isEnabled() ? '1' : '0';
        return s;
    }
    mTDeclaration& Doc() { return *window->Document; }

    std::unique_ptr<TFormMain> window;
    TfrInitialData* page = nullptr;
};

const QString kForm4Status = QStringLiteral(
    "Для декларации по форме 4-НДФЛ укажите статус декларанта: индивидуальный предприниматель, частный нотариус или адвокат.");

// The page's check answered with the buttons given, in turn: its result and the messages shown.
struct PageCheck {
    std::uint16_t result = 0;
    QStringList messages;
};
PageCheck RunPageCheck(TfrInitialData* page, const std::vector<const char*>& buttons) {
    PageCheck run;
    std::vector<uitest::ModalAnswerer::Answer> answers;
    for (const char* button : buttons)
        answers.push_back([&run, button](QDialog* d) {
            run.messages << qobject_cast<TfmCheckError*>(d)->Message();
            uitest::Click(button)(d);
        });
    uitest::ModalAnswerer answerer(answers);
    page->SaveData();
    run.result = page->CheckData();
    return run;
}

} // namespace

TEST_F(InitialData, IncomeBoxesDriveThePageButtons) {
    EXPECT_EQ(Enabled(), "1001");
    page->ui->chbIncomeCurrency->setChecked(true);
    EXPECT_EQ(Enabled(), "1101");
    page->ui->chbIncomeBusiness->setChecked(true);
    EXPECT_EQ(Enabled(), "1111");
    EXPECT_TRUE(page->ui->meSupposeIncome->isEnabled());
    page->ui->chbIncomeInquiry->setChecked(false);
    page->ui->chbIncomeCurrency->setChecked(false);
    page->ui->chbIncomeBusiness->setChecked(false);
    EXPECT_EQ(Enabled(), "0000");
    page->ui->rbNeRez->setChecked(true);
    page->ui->chbIncomeInquiry->setChecked(true);
    EXPECT_EQ(Enabled(), "1000"); // no deductions for a non-resident
    EXPECT_FALSE(page->ui->chbIncomeCurrency->isEnabled());
}

TEST_F(InitialData, DeclarationKindsClearIncomesWhenTheyAreSaved) {
    Doc().SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    Doc().AddCurrencyIncome();
    Doc().SupposeIncome = Currency::FromInt(1000);
    Doc().SupVich = Currency::FromInt(200);
    Rebuild();
    EXPECT_EQ(Enabled(), "1111");
    EXPECT_EQ(page->ui->meSupposeIncome->Text(), QStringLiteral("1000"));

    page->ui->rbNeRez->setChecked(true);
    EXPECT_FALSE(page->ui->chbIncomeCurrency->isChecked());
    EXPECT_FALSE(page->ui->chbIncomeBusiness->isChecked());
    EXPECT_EQ(page->ui->meSupposeIncome->Text(), QString()); // emptied with the business box
    page->SaveData();
    EXPECT_EQ(Doc().IncomeKinds, ikRussian);
    EXPECT_FALSE(Doc().CurrencyList);
    EXPECT_EQ(Doc().SupposeIncome, Currency());
    EXPECT_EQ(Doc().SupVich, Currency());
    EXPECT_EQ(Doc().DeclarationKind, 1);

    page->ui->rb4ndfl->setChecked(true);
    EXPECT_FALSE(page->ui->chbIncomeInquiry->isChecked());
    EXPECT_FALSE(page->ui->meSupposeIncome->isHidden());
    EXPECT_FALSE(page->ui->meOGRNIP->isHidden());
    EXPECT_FALSE(page->ui->meAppendixes->isEnabled());
    EXPECT_EQ(Enabled(), "0000");
    uitest::Type(page->ui->meSupposeIncome, "150000,5");
    page->SaveData();
    EXPECT_EQ(Doc().IncomeKinds, 0);
    EXPECT_EQ(Doc().SupposeIncome.Raw(), 1500005000);
    EXPECT_EQ(Doc().DeclarationKind, 2);
}

TEST_F(InitialData, InsuranceNumberOfForm4IsKept) {
    // Form 4-NDFL: the number typed here is the one the form prints, so it is saved and comes back.
    page->ui->rb4ndfl->setChecked(true);
    uitest::Type(page->ui->meOGRNIP, "123456789012"); // eleven digits at most
    EXPECT_EQ(page->ui->meOGRNIP->Text(), QStringLiteral("12345678901"));
    page->SaveData();
    EXPECT_EQ(Doc().OGRNIP, "12345678901");
    Doc().SaveToFile(Path("four.vrq"));
    auto loaded = std::make_unique<mTDeclaration>();
    loaded->LoadFromFile(Path("four.vrq"));
    window->Document = std::move(loaded); // only a whole declaration goes under the page
    Rebuild();
    EXPECT_TRUE(page->ui->rb4ndfl->isChecked());
    EXPECT_EQ(page->ui->meOGRNIP->Text(), QStringLiteral("12345678901"));

    // The other forms keep the registration number of the business income page untouched.
    Doc().DeclarationKind = 0;
    Doc().OGRNIP = "304770000123456";
    Rebuild();
    page->SaveData();
    EXPECT_EQ(Doc().OGRNIP, "304770000123456");
}

TEST_F(InitialData, SaveRules) {
    page->ui->rbLast->setChecked(true);
    page->SaveData();
    EXPECT_EQ(Doc().Primary, 0);
    EXPECT_EQ(Doc().CorrectionNumber, 0); // corrective with no number
    uitest::Type(page->ui->meNumVer, "3");
    page->SaveData();
    EXPECT_EQ(Doc().CorrectionNumber, 3);
    page->ui->rbFirst->setChecked(true);
    EXPECT_EQ(page->ui->meNumVer->Text(), QStringLiteral("3")); // kept in the disabled edit
    EXPECT_FALSE(page->ui->meNumVer->isEnabled());
    page->SaveData();
    EXPECT_EQ(Doc().Primary, 1);
    EXPECT_EQ(Doc().CorrectionNumber, 0);

    page->ui->rbAdvokat->setChecked(true);
    page->ui->rbGiveByMail->setChecked(true);
    page->ui->dtGetDate->setDate(QDate(2006, 4, 30));
    uitest::Type(page->ui->meAppendixes, "12");
    page->SaveData();
    EXPECT_EQ(Doc().FilerStatus, 3);
    EXPECT_EQ(Doc().FilingMethod, 2);
    EXPECT_EQ(Doc().FilingDate, EncodeDate(2006, 4, 30));
    EXPECT_EQ(Doc().AutoCalculateApp, 0);
    EXPECT_EQ(Doc().Appendixes, 12);
    // The filing date keeps to its range.
    page->ui->dtGetDate->setDate(QDate(2004, 12, 31));
    EXPECT_EQ(page->ui->dtGetDate->date(), QDate(2005, 1, 1));
}

TEST_F(InitialData, LoadShowsTheDocument) {
    Doc().InspectionNumber = "7701";
    Doc().Primary = 0;
    Doc().CorrectionNumber = 2;
    Doc().FilerStatus = 4;
    Doc().FilingMethod = 3;
    Doc().Appendixes = 9;
    Doc().OGRNIP = "12345678901";
    Rebuild();
    EXPECT_EQ(page->ui->meInspection->Text(), QStringLiteral("7701"));
    EXPECT_TRUE(page->ui->rbLast->isChecked());
    EXPECT_EQ(page->ui->meNumVer->Text(), QStringLiteral("2"));
    EXPECT_TRUE(page->ui->rbInostranec->isChecked());
    EXPECT_TRUE(page->ui->rbEmail->isChecked());
    EXPECT_EQ(page->ui->meAppendixes->Text(), QStringLiteral("9"));
    EXPECT_EQ(page->ui->meOGRNIP->Text(), QStringLiteral("12345678901"));
    EXPECT_TRUE(window->Saved); // filling the page is no change
}

TEST_F(InitialData, NoDateBelongsToTheWindow) {
    page->ui->cbPrintData->setChecked(true);
    EXPECT_TRUE(window->NoDate);
    EXPECT_FALSE(page->ui->dtGetDate->isEnabled());
    EXPECT_TRUE(window->Saved);
    Rebuild(); // survives switching pages
    EXPECT_TRUE(page->ui->cbPrintData->isChecked());
    window->CreateDocExecute();
    EXPECT_FALSE(window->NoDate);
}

// Every choice the user makes on the page is a change of the document, each radio button group's
// included: a user who changes only that and closes the program is asked to save it.
TEST_F(InitialData, ChangesAreReported) {
    struct Case {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"an income box", [this] { page->ui->chbIncomeCurrency->click(); }},
        {"the status", [this] { page->ui->rbPredp->click(); }},
        {"the declaration kind: non-resident", [this] { page->ui->rbNeRez->click(); }},
        {"the declaration kind: 4-NDFL", [this] { page->ui->rb4ndfl->click(); }},
        {"corrective", [this] { page->ui->rbLast->click(); }},
        {"the filing method", [this] { page->ui->rbGiveByMail->click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->Document = std::make_unique<mTDeclaration>();
        Rebuild();
        window->Saved = true;
        c.change();
        EXPECT_FALSE(window->Saved);
    }
    window->Saved = true;
    Rebuild(); // filling the page is no change, whatever it checks
    Doc().DeclarationKind = 2;
    Doc().FilerStatus = 3;
    Doc().Person.Name.Sex = "1";
    Rebuild();
    EXPECT_TRUE(window->Saved);
}

// Whatever kind the user goes through, the page's controls end as a page opened on the chosen kind
// shows them: 4-NDFL takes the supporting-documents count and the foreign person's status away, and
// a form 3-NDFL gives them back.
TEST_F(InitialData, EachKindLeavesTheControlsOfThatKind) {
    // What the user sees of every control: shown, and if so enabled, checked and its colour.
    auto look = [this] {
        QStringList lines;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
            QString line = w->objectName() + QLatin1Char(' ') + (w->isVisibleTo(page) ? QLatin1Char('V') : QLatin1Char('-'));
            if (w->isVisibleTo(page)) {
                line += w->isEnabled() ? QLatin1Char('E') : QLatin1Char('-');
                if (auto* b = qobject_cast<QAbstractButton*>(w)) line += b->isChecked() ? QLatin1Char('C') : QLatin1Char('-');
                if (qobject_cast<TMaskedEdit*>(w)) line += QLatin1Char(' ') + w->palette().color(QPalette::Base).name();
            }
            lines << line;
        }
        lines.sort();
        return lines.join(QLatin1Char('\n')).toStdString();
    };
    for (int from = 0; from < 3; ++from)
        for (int to = 0; to < 3; ++to)
            for (std::uint8_t incomes : {std::uint8_t(0), std::uint8_t(ikRussian | ikForeign | ikBusiness)}) {
                SCOPED_TRACE(testing::Message() << "from kind " << from << " to " << to << ", incomes " << int(incomes));
                window->Document = std::make_unique<mTDeclaration>();
                Doc().DeclarationKind = static_cast<std::uint8_t>(from);
                Doc().SetIncomeKinds(incomes);
                Rebuild();
                QRadioButton* kinds[] = {page->ui->rbSimple, page->ui->rbNeRez, page->ui->rb4ndfl};
                kinds[to]->click();
                const std::string switched = look();
                page->SaveData();
                Rebuild();
                EXPECT_EQ(switched, look());
            }
}

// The filing date shows what the document holds, a new declaration's date of today included;
// a date the picker cannot show is kept unless the user picks another.
TEST_F(InitialData, FilingDateShowsTheStoredDate) {
    struct Case {
        const char* what;
        TDateTime stored;
        bool shown;
    } cases[] = {
        {"today, as a new declaration has it", Today(), true},
        {"within the designed range, with a time of day", EncodeDate(2007, 3, 15) + 0.75, true},
        {"after the designed range", EncodeDate(2009, 2, 1), true},
        {"before the range", EncodeDate(2004, 6, 1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Doc().FilingDate = c.stored;
        Rebuild();
        if (c.shown) EXPECT_EQ(page->ui->dtGetDate->date(), pagevalues::ToQDate(c.stored));
        else EXPECT_NE(page->ui->dtGetDate->date(), pagevalues::ToQDate(c.stored));
        page->SaveData();
        EXPECT_EQ(Doc().FilingDate, c.stored);
    }
    EXPECT_EQ(page->ui->dtGetDate->maximumDate(), pagevalues::ToQDate(Today()));
    page->ui->dtGetDate->setDate(QDate(2008, 1, 2)); // past the designed latest date: today allows it
    page->SaveData();
    EXPECT_EQ(Doc().FilingDate, EncodeDate(2008, 1, 2));
}

// Form 4-NDFL is filed by an entrepreneur, a notary or a lawyer. Choosing the form leaves the
// status it disables checked; the check refuses it and sends the user to a status that can be
// chosen, without choosing one itself.
TEST_F(InitialData, Form4NeedsTheStatusOfItsFilers) {
    Doc().InspectionNumber = "7701";
    Rebuild();
    page->ui->rb4ndfl->setChecked(true);
    EXPECT_TRUE(page->ui->rbFLNA->isChecked());
    EXPECT_FALSE(page->ui->rbFLNA->isEnabled());
    const PageCheck refused = RunPageCheck(page, {"Button1"}); // "Исправить"
    EXPECT_EQ(refused.messages, QStringList{kForm4Status});
    EXPECT_EQ(refused.result, 3);
    page->FocusItem(refused.result);
    EXPECT_EQ(window->focusWidget(), page->ui->rbPredp);
    EXPECT_TRUE(page->ui->rbFLNA->isChecked());

    page->ui->rbAdvokat->setChecked(true);
    page->FocusItem(3);
    EXPECT_EQ(window->focusWidget(), page->ui->rbAdvokat);
    const PageCheck accepted = RunPageCheck(page, {"Button1"});
    EXPECT_TRUE(accepted.messages.isEmpty());
    EXPECT_EQ(accepted.result, 0);
    EXPECT_EQ(Doc().FilerStatus, 3);

    // Form 3-NDFL takes the status of an individual with income from tax agents.
    page->ui->rbSimple->setChecked(true);
    page->ui->rbFLNA->setChecked(true);
    const PageCheck form3 = RunPageCheck(page, {"Button1"});
    EXPECT_TRUE(form3.messages.isEmpty());
    EXPECT_EQ(form3.result, 0);
}

TEST_F(InitialData, CheckShowsEachFailureInTurn) {
    Doc().DeclarationKind = 2;
    Doc().FilerStatus = 5;
    Rebuild();
    const PageCheck skipped = RunPageCheck(page, {"Button2", "Button1"}); // "Пропустить", then "Исправить"
    EXPECT_EQ(skipped.messages, (QStringList{QStringLiteral("Не введен номер инспекции"), kForm4Status}));
    EXPECT_EQ(skipped.result, 3);
    const PageCheck fixed = RunPageCheck(page, {"Button1"});
    EXPECT_EQ(fixed.messages, QStringList{QStringLiteral("Не введен номер инспекции")});
    EXPECT_EQ(fixed.result, 1);
    EXPECT_EQ(Doc().FilerStatus, 5); // the page never changes a stored status on its own
    EXPECT_TRUE(window->Saved);
}
