// The pages of the incomes taxed at 35 % and of the dividends, with their source dialogs: the lists,
// the deduction rules of the 35 % dialog, the 9 % tax of a dividend source, the checks that go on from
// the payer check, and values that come back as they were stored.
#include "UiTestUtil.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pagebase/PrimaryCheck.h"
#include "pages/FrameThirtyFivePercent.h"
#include "pages/FrameThirtyPercent.h"
#include "pages/Input30SourseIncome.h"
#include "pages/Input35SourseIncome.h"
#include "pages/InputIncomeCode.h"
#include "platform/QtWindowing.h"
#include "ui_FrameThirtyFivePercent.h"
#include "ui_FrameThirtyPercent.h"
#include "ui_Input30SourseIncome.h"
#include "ui_Input35SourseIncome.h"

#include <QLabel>
#include <QTreeWidget>
#include <gtest/gtest.h>

using sample::Rub;
using testutil::ReadFile;
using uitest::Click;
using uitest::ModalAnswerer;
using uitest::Pick;
using uitest::Type;

namespace {

const auto Fix = Click("Button1");
const auto Skip = Click("Button2");
const auto SkipAll = Click("Button3");

// A valid organisation's number and a full territory code: the payer check passes.
const char* kOrgInn = "7702000004";
const char* kOkato = "45286555000";

// Records the message of each check dialog, then answers it.
ModalAnswerer::Answer Note(std::vector<QString>& seen, ModalAnswerer::Answer answer) {
    return [&seen, answer](QDialog* d) {
        if (auto* c = qobject_cast<TfmCheckError*>(d)) seen.push_back(c->Message());
        answer(d);
    };
}

std::vector<QString> Texts(const std::vector<const char*>& texts) {
    std::vector<QString> r;
    for (const char* t : texts) r.push_back(QString::fromUtf8(t));
    return r;
}

// A click in a dialog that an answer is handling: the check dialogs and pickers it opens get an
// answerer of their own, which counts them.
int ClickAnswering(QPushButton* button, std::vector<ModalAnswerer::Answer> answers = {SkipAll}) {
    ModalAnswerer inner(std::move(answers));
    button->click();
    return inner.Answered();
}

void PickIncome(TfmInput35SourseIncome& dialog, const char* code) {
    ModalAnswerer answerer({Pick(code)});
    dialog.bnIncomeCodClick();
}

void PickDeduction(TfmInput35SourseIncome& dialog, const char* code) {
    ModalAnswerer answerer({Pick(code)});
    dialog.bnSubtractCodClick();
}

// What the user types replaces what the edit held.
void Retype(TMaskedEdit* edit, const QString& text) {
    edit->selectAll();
    if (text.isEmpty())
        uitest::Key(edit, Qt::Key_Delete);
    else
        Type(edit, text);
}

void SelectRow(QTreeWidget* list, int row) {
    list->setCurrentItem(list->topLevelItem(row), 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// The document of a page, reached as the main window's field is.
struct TDoc {
    TDoc() {
        d->SetIncomeKinds(ikRussian);
    }
    TDocumentRef Ref() { return &d; }
    std::unique_ptr<mTDeclaration> d = std::make_unique<mTDeclaration>();
};

mTThirtyFivePercent& Add35(mTDeclaration& d, const char* name, std::int32_t code, double income, std::int32_t deduct = 0,
                           double deductSum = 0, double hold = 0) {
    auto& s = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    s.SourseName = name;
    s.IncomeCode = code;
    s.ItogIncomeSum = Rub(income);
    s.DeductCode = deduct;
    s.DeductSum = Rub(deductSum);
    s.HoldSum = Rub(hold);
    return s;
}

mTThirtyPercent& AddDividend(mTDeclaration& d, const char* name, double income, double obl, double tax, double hold) {
    auto& s = d.GetThirtyPercent(d.AddThirtyPercent());
    s.IncomeCode = 1010;
    s.SourseName = name;
    s.INN = kOrgInn;
    s.KPP = "770201001";
    s.OKATO = kOkato;
    s.ItogIncomeSum = Rub(income);
    s.Obl = Rub(obl);
    s.TaxIsch = Rub(tax);
    s.HoldSum = Rub(hold);
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The 9 % tax of a dividend source.

TEST(DividendTax, FourDecimalsThenWholeRoublesHalfUp) {
    const struct {
        double taxable;
        std::int64_t tax;
    } cases[] = {
        {1000, 90},   {1005.50, 90}, // 90,495
        {1006, 91},                  // 90,54
        {5.56, 1},                   // 0,5004
        {5.55, 0},                   // 0,4995
        {0, 0},       {0.01, 0},     {999999999999.99, 90000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.taxable);
        EXPECT_EQ(DividendTax(Rub(c.taxable)), Currency::FromInt(c.tax));
    }
    EXPECT_EQ(CheckINN(kOrgInn, 1), 0); // the number the tests use is a valid one
}

TEST(DividendDialog, TaxFollowsTheTaxableDividends) {
    TfmInput30SourseIncome dialog;
    EXPECT_TRUE(dialog.ui->meTaxDiscount->isHidden());
    Type(dialog.ui->meOblSum, QStringLiteral("1005,5"));
    EXPECT_EQ(dialog.ui->meTaxDiscount->text(), QStringLiteral("90"));
    Retype(dialog.ui->meOblSum, QStringLiteral("1006"));
    EXPECT_EQ(dialog.GetTaxDiscount(), Currency::FromInt(91));
    Retype(dialog.ui->meOblSum, QString());
    EXPECT_EQ(dialog.ui->meTaxDiscount->text(), QString());
}

// ---------------------------------------------------------------------------------------------
// The dividend page.

class DividendPage : public ::testing::Test {
protected:
    void SetUp() override { docnotify::SetMainWindowHandler([this] { ++changes; }); }
    void TearDown() override { docnotify::SetMainWindowHandler({}); }
    QTreeWidget* List() { return page->ui->lvSourseIncomeInfo; }
    void Create() { page = std::make_unique<TfrThirtyPercent>(nullptr, doc.Ref()); }
    TDoc doc;
    std::unique_ptr<TfrThirtyPercent> page;
    int changes = 0;
};

TEST_F(DividendPage, AddStoresTheSourceWithTheDividendCode) {
    Create();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    ModalAnswerer answerer({[](QDialog* d) {
        auto* dialog = qobject_cast<TfmInput30SourseIncome*>(d);
        ASSERT_NE(dialog, nullptr);
        Type(dialog->ui->meSourseName, QStringLiteral("ОАО Нефть"));
        Type(dialog->ui->meINN, QString::fromLatin1(kOrgInn));
        Type(dialog->ui->meKPP, QStringLiteral("770201001"));
        Type(dialog->ui->meOKATO, QString::fromLatin1(kOkato));
        Type(dialog->ui->meItogIncomeSum, QStringLiteral("20000"));
        Type(dialog->ui->meOblSum, QStringLiteral("1006"));
        Type(dialog->ui->meHoldSum, QStringLiteral("91"));
        ClickAnswering(dialog->ui->bnOk);
    }});
    page->fbAddSourseIncomeClick();
    ASSERT_EQ(doc.d->ThirtyPercentCount(), 1);
    const mTThirtyPercent& s = doc.d->GetThirtyPercent(0);
    EXPECT_EQ(s.IncomeCode, 1010);
    EXPECT_EQ(s.SourseName, "ОАО Нефть");
    EXPECT_EQ(s.INN, kOrgInn);
    EXPECT_EQ(s.KPP, "770201001");
    EXPECT_EQ(s.OKATO, kOkato);
    EXPECT_EQ(s.ItogIncomeSum, Rub(20000));
    EXPECT_EQ(s.Obl, Rub(1006));
    EXPECT_EQ(s.TaxIsch, Rub(91));
    EXPECT_EQ(s.HoldSum, Rub(91));
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("ОАО Нефть"));
    EXPECT_TRUE(List()->topLevelItem(0)->isSelected());
    EXPECT_EQ(page->ui->pnlItogIncomeSum->text(), QStringLiteral("20000"));
    EXPECT_EQ(page->ui->pnlHoldSum->text(), QStringLiteral("91"));
    EXPECT_GT(changes, 0);
}

TEST_F(DividendPage, BlankNameStoresNothing) {
    Create();
    int checks = 0;
    ModalAnswerer answerer({[&checks](QDialog* d) {
        auto* dialog = qobject_cast<TfmInput30SourseIncome*>(d);
        Type(dialog->ui->meSourseName, QStringLiteral("   "));
        checks = ClickAnswering(dialog->ui->bnOk);
    }});
    page->fbAddSourseIncomeClick();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(doc.d->ThirtyPercentCount(), 0);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(DividendPage, ChangingKeepsTheStoredTaxUntilTheTaxablePartChanges) {
    AddDividend(*doc.d, "АО Дивиденд", 1000, 1000, 95, 100.5); // a tax that is not 9 %, kopecks withheld
    Create();
    SelectRow(List(), 0);
    EXPECT_EQ(page->ui->pnlEnrollTax->text(), QStringLiteral("1000"));
    EXPECT_EQ(page->ui->pnlTaxDiscount->text(), QStringLiteral("95"));
    {
        ModalAnswerer answerer({[](QDialog* d) {
            auto* dialog = qobject_cast<TfmInput30SourseIncome*>(d);
            EXPECT_EQ(dialog->ui->meHoldSum->text(), QStringLiteral("100,5"));
            ClickAnswering(dialog->ui->bnOk);
        }});
        page->fbEditSourseIncomeClick();
        ASSERT_EQ(answerer.Answered(), 1);
    }
    const mTThirtyPercent& s = doc.d->GetThirtyPercent(0);
    EXPECT_EQ(s.TaxIsch, Rub(95));
    EXPECT_EQ(s.HoldSum, Rub(100.5));
    EXPECT_EQ(s.IncomeCode, 1010);
    {
        ModalAnswerer answerer({[](QDialog* d) {
            auto* dialog = qobject_cast<TfmInput30SourseIncome*>(d);
            Retype(dialog->ui->meOblSum, QStringLiteral("2000"));
            Retype(dialog->ui->meSourseName, QStringLiteral("АО Новое"));
            ClickAnswering(dialog->ui->bnOk);
        }});
        uitest::Key(List(), Qt::Key_Return); // Enter in the list changes the source too
        ASSERT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(s.TaxIsch, Rub(180));
    EXPECT_EQ(s.Obl, Rub(2000));
    EXPECT_EQ(s.HoldSum, Rub(100.5));
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("АО Новое"));
    EXPECT_EQ(page->ui->pnlTaxDiscount->text(), QStringLiteral("180"));
}

TEST_F(DividendPage, CancelChangesNothingButMarksTheDocument) {
    AddDividend(*doc.d, "АО Дивиденд", 1000, 1000, 90, 90);
    Create();
    SelectRow(List(), 0);
    changes = 0;
    ModalAnswerer answerer({[](QDialog* d) {
        auto* dialog = qobject_cast<TfmInput30SourseIncome*>(d);
        Retype(dialog->ui->meItogIncomeSum, QStringLiteral("5"));
        dialog->ui->bnCansel->click();
    }});
    page->fbEditSourseIncomeClick();
    EXPECT_EQ(doc.d->GetThirtyPercent(0).ItogIncomeSum, Rub(1000));
    EXPECT_GT(changes, 0); // filling the dialog is a change, as in the edits everywhere
}

TEST_F(DividendPage, DeletingSelectsTheRowBefore) {
    for (const char* name : {"А", "Б", "В", "Г", "Д"}) AddDividend(*doc.d, name, 100, 100, 9, 9);
    doc.d->GetThirtyPercent(1).ItogIncomeSum = Rub(222);
    Create();
    SelectRow(List(), 2);
    page->fbDeleteSourseIncomeClick();
    ASSERT_EQ(doc.d->ThirtyPercentCount(), 4);
    EXPECT_EQ(doc.d->GetThirtyPercent(2).SourseName, "Г");
    EXPECT_EQ(List()->topLevelItemCount(), 4);
    EXPECT_TRUE(List()->topLevelItem(1)->isSelected());
    EXPECT_EQ(page->CurrentIndex, 1);
    EXPECT_EQ(page->ui->pnlItogIncomeSum->text(), QStringLiteral("222"));
    SelectRow(List(), 0);
    page->fbDeleteSourseIncomeClick(); // the first row: row 0 follows
    EXPECT_EQ(doc.d->GetThirtyPercent(0).SourseName, "Б");
    EXPECT_TRUE(List()->topLevelItem(0)->isSelected());
}

// The dividend dialog's checks: the payer check of an organisation on "Да", of any payer on Enter,
// then its own, which goes on from the payer check's last answer.
TEST(DividendDialog, Checks) {
    struct Case {
        const char* name;
        const char *inn, *okato, *itog, *obl, *hold;
        bool enter;
        std::vector<ModalAnswerer::Answer> answers;
        std::vector<const char*> messages;
        const char* focus; // nullptr: closed with OK
    };
    const char* less = "Сумма дивидендов меньше суммы удержанного налога";
    const Case cases[] = {
        {"short INN on OK", "770200000", kOkato, "", "", "", false, {Fix}, {"Длинна ИНН должна быть равна 10 цифрам"}, "meINN"},
        {"short INN on Enter", "770200000", kOkato, "", "", "", true, {Fix}, {"Длинна ИНН должна быть равна 10 или 12 цифрам"}, "meINN"},
        {"withheld above the dividends", kOrgInn, kOkato, "50", "", "100", false, {Fix}, {less}, "meHoldSum"},
        {"taxable without dividends", kOrgInn, kOkato, "", "10", "", false, {Fix}, {less}, "meOblSum"},
        {"nothing withheld or taxable", kOrgInn, kOkato, "", "", "", false, {}, {}, nullptr},
        {"skipped", kOrgInn, kOkato, "50", "", "100", true, {Skip}, {less}, nullptr},
        {"skip all in the payer check", kOrgInn, "1", "50", "", "100", false, {SkipAll}, {"Не введен код ОКАТО (11 символов)"}, nullptr},
        {"skip in the payer check goes on", kOrgInn, "1", "50", "", "100", false, {Skip, Fix},
         {"Не введен код ОКАТО (11 символов)", less}, "meHoldSum"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfmInput30SourseIncome dialog;
        dialog.show();
        Type(dialog.ui->meSourseName, QStringLiteral("АО"));
        Type(dialog.ui->meINN, QString::fromLatin1(c.inn));
        Type(dialog.ui->meKPP, QStringLiteral("770201001"));
        Type(dialog.ui->meOKATO, QString::fromLatin1(c.okato));
        Type(dialog.ui->meItogIncomeSum, QString::fromLatin1(c.itog));
        Type(dialog.ui->meOblSum, QString::fromLatin1(c.obl));
        Type(dialog.ui->meHoldSum, QString::fromLatin1(c.hold));
        std::vector<QString> seen;
        std::vector<ModalAnswerer::Answer> answers;
        for (const auto& a : c.answers) answers.push_back(Note(seen, a));
        ModalAnswerer answerer(answers);
        if (c.enter)
            uitest::Key(dialog.ui->meSourseName, Qt::Key_Return);
        else
            dialog.ui->bnOk->click();
        EXPECT_EQ(seen, Texts(c.messages));
        if (QLatin1String(c.focus ? c.focus : "") != QLatin1String("meINN")) {
            EXPECT_EQ(LastCheckAnswer, 0); // the own checks ran and ended; a payer check's fix keeps its record
        }
        if (c.focus) {
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_NE(dialog.focusWidget(), nullptr);
            EXPECT_EQ(dialog.focusWidget()->objectName(), QLatin1String(c.focus));
        } else {
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The 35 % dialog.

TEST(ThirtyFiveDialog, NewDialogHasClosedAmountsAndAnEmptyDeductionPicker) {
    TfmInput35SourseIncome dialog;
    EXPECT_FALSE(dialog.ui->meItogIncomeSum->isEnabled());
    EXPECT_FALSE(dialog.ui->meSubtractSum->isEnabled());
    EXPECT_TRUE(dialog.ui->bnSubtractCod->isEnabled());
    int rows = -1;
    ModalAnswerer answerer({[&rows](QDialog* d) {
        rows = d->findChild<QTreeWidget*>()->topLevelItemCount();
        Click("bnCansel")(d);
    }});
    dialog.bnSubtractCodClick();
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(dialog.GetIncomeCode(), 0);
    PickIncome(dialog, "2610");
    EXPECT_EQ(dialog.GetIncomeCode(), 2610);
    EXPECT_TRUE(dialog.ui->meItogIncomeSum->isEnabled());
    EXPECT_FALSE(dialog.ui->bnSubtractCod->isEnabled()); // 2610 has no deductions
}

TEST(ThirtyFiveDialog, DeductionFollowsTheRulesOfTheDictionary) {
    TfmInput35SourseIncome dialog;
    PickIncome(dialog, "2740");
    EXPECT_TRUE(dialog.HasDeductions);
    PickDeduction(dialog, "505"); // equal to the income, typed too, at most 2000
    EXPECT_TRUE(dialog.ui->meSubtractSum->isEnabled());
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QStringLiteral("0"));
    Type(dialog.ui->meItogIncomeSum, QStringLiteral("1500"));
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QStringLiteral("1500"));
    Retype(dialog.ui->meItogIncomeSum, QStringLiteral("2500"));
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QStringLiteral("2000"));
    Retype(dialog.ui->meSubtractSum, QStringLiteral("1200"));
    EXPECT_EQ(dialog.GetSubtractSum(), Rub(1200));
    Retype(dialog.ui->meSubtractSum, QStringLiteral("2500"));
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QStringLiteral("2000"));
    EXPECT_EQ(dialog.GetSubtractCode(), 505);

    PickDeduction(dialog, "0"); // no deduction: the amount is hidden and follows the income as 0
    EXPECT_TRUE(dialog.ui->meSubtractSum->isHidden());
    EXPECT_FALSE(dialog.ui->lbSubtractSum->isEnabled());
    Retype(dialog.ui->meItogIncomeSum, QStringLiteral("300"));
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.GetSubtractCode(), 0);
    EXPECT_EQ(dialog.GetSubtractSum(), Currency());
}

// A deduction belongs to its income: choosing another income code takes the deduction's code, its
// amount and its rules away, so no amount is left to be stored without a code.
TEST(ThirtyFiveDialog, AnotherIncomeCodeDropsTheDeductionAndItsRules) {
    TfmInput35SourseIncome dialog;
    PickIncome(dialog, "2740");
    PickDeduction(dialog, "505");
    Type(dialog.ui->meItogIncomeSum, QStringLiteral("1500"));
    ASSERT_EQ(dialog.GetSubtractSum(), Rub(1500));

    PickIncome(dialog, "2610");
    EXPECT_FALSE(dialog.DeductEnabled);
    EXPECT_FALSE(dialog.DeductEquivalent);
    EXPECT_EQ(dialog.DeductMaxSum, Currency());
    EXPECT_EQ(dialog.ui->pnlSubtractCod->text(), QString());
    EXPECT_EQ(dialog.ui->meSubtractSum->text(), QString());
    EXPECT_EQ(dialog.ui->meItogIncomeSum->text(), QStringLiteral("1500")); // the income stays

    PickIncome(dialog, "2740"); // back to an income with deductions, none chosen yet
    Retype(dialog.ui->meItogIncomeSum, QStringLiteral("1800"));
    EXPECT_NE(dialog.ui->meSubtractSum->text(), QStringLiteral("1800"));
    EXPECT_EQ(dialog.GetSubtractCode(), 0);
    EXPECT_EQ(dialog.GetSubtractSum(), Currency());
}

// The 35 % dialog's checks after a passing payer check; "Исправить" focuses the entry, and opens the
// picker of a missing code.
TEST(ThirtyFiveDialog, Checks) {
    using Setup = std::function<void(TfmInput35SourseIncome&)>;
    struct Case {
        const char* name;
        Setup setup;
        std::vector<ModalAnswerer::Answer> answers; // after the check answers: the picker opened
        std::vector<const char*> messages;
        const char* focus;
        const char* picker = nullptr; // the class of the picker that "Исправить" opened
    };
    auto income = [](const char* code, const char* sum, const char* hold = "") {
        return [=](TfmInput35SourseIncome& d) {
            PickIncome(d, code);
            Type(d.ui->meItogIncomeSum, QString::fromUtf8(sum));
            Type(d.ui->meHoldSum, QString::fromUtf8(hold));
        };
    };
    const auto cancel = Click("bnCansel");
    const Case cases[] = {
        {"no income code", [](TfmInput35SourseIncome&) {}, {Fix, cancel}, {"Не выбран доход"}, "bnIncomeCod", "TfmInputIncomeCode"},
        {"no income sum", income("2610", ""), {Fix}, {"Не указана сумма дохода"}, "meItogIncomeSum"},
        {"no deduction code", income("2740", "100"), {Fix, cancel}, {"Не выбран вычет"}, "bnSubtractCod", "TfmInputDeductCode"},
        // Over-withheld tax is reported whatever the income code, also without deductions.
        {"withheld above the income", income("2610", "100", "200"), {Fix}, {"Удержанная сумма превышает сумму дохода"}, "meHoldSum"},
        {"withheld above the income, with a deduction",
         [](TfmInput35SourseIncome& d) {
             PickIncome(d, "2740");
             PickDeduction(d, "0");
             Type(d.ui->meItogIncomeSum, QStringLiteral("100"));
             Type(d.ui->meHoldSum, QStringLiteral("200"));
         },
         {Fix}, {"Удержанная сумма превышает сумму дохода"}, "meHoldSum"},
        {"deduction above the income",
         [](TfmInput35SourseIncome& d) {
             PickIncome(d, "2740");
             PickDeduction(d, "505");
             Type(d.ui->meItogIncomeSum, QStringLiteral("1500"));
             Retype(d.ui->meSubtractSum, QStringLiteral("1800"));
         },
         {Fix}, {"Сумма вычета превышает сумму дохода"}, "meSubtractSum"},
        {"each skipped in turn", [](TfmInput35SourseIncome& d) { Type(d.ui->meHoldSum, QStringLiteral("5")); },
         {Skip, Skip, Skip},
         {"Не выбран доход", "Не указана сумма дохода", "Удержанная сумма превышает сумму дохода"}, nullptr},
        {"skip all ends the run", [](TfmInput35SourseIncome&) {}, {SkipAll}, {"Не выбран доход"}, nullptr},
        {"skip all in the payer check skips the own checks",
         [](TfmInput35SourseIncome& d) { d.ui->meSourseName->clear(); }, {SkipAll},
         {"Не заполненно поле \"Наименование источника выплаты\""}, nullptr},
        {"passes", income("2610", "1000", "350"), {}, {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfmInput35SourseIncome dialog;
        dialog.show();
        Type(dialog.ui->meSourseName, QStringLiteral("Лотерея"));
        Type(dialog.ui->meOKATO, QString::fromLatin1(kOkato));
        c.setup(dialog);
        std::vector<QString> seen;
        std::vector<QString> classes;
        std::vector<ModalAnswerer::Answer> answers;
        for (const auto& a : c.answers)
            answers.push_back([&, a](QDialog* d) {
                classes.push_back(QLatin1String(d->metaObject()->className()));
                Note(seen, a)(d);
            });
        ModalAnswerer answerer(answers);
        dialog.ui->bnOk->click();
        EXPECT_EQ(seen, Texts(c.messages));
        EXPECT_EQ(answerer.Answered(), static_cast<int>(c.answers.size()));
        EXPECT_EQ(LastCheckAnswer, 0);
        if (c.picker) {
            EXPECT_EQ(classes.back(), QLatin1String(c.picker));
        }
        if (c.focus) {
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_NE(dialog.focusWidget(), nullptr);
            EXPECT_EQ(dialog.focusWidget()->objectName(), QLatin1String(c.focus));
        } else {
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        }
    }
}

TEST(ThirtyFiveDialog, EnterConfirmsAndEscCancels) {
    {
        TfmInput35SourseIncome dialog;
        dialog.show();
        std::vector<QString> seen;
        ModalAnswerer answerer({Note(seen, Fix)});
        uitest::Key(dialog.ui->meSourseName, Qt::Key_Return);
        EXPECT_EQ(seen.size(), 1u); // the payer check ran
        EXPECT_TRUE(dialog.isVisible());
        uitest::Key(dialog.ui->meSourseName, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

// ---------------------------------------------------------------------------------------------
// The 35 % page.

class ThirtyFivePage : public ::testing::Test {
protected:
    void SetUp() override { docnotify::SetMainWindowHandler([this] { ++changes; }); }
    void TearDown() override { docnotify::SetMainWindowHandler({}); }
    QTreeWidget* List() { return page->ui->lvSourseIncomeInfo; }
    void Create() { page = std::make_unique<TfrThirtyFivePercent>(nullptr, doc.Ref()); }
    QStringList Panels() {
        return {page->ui->pnlIncomeCod->text(), page->ui->pnlItogIncomeSum->text(), page->ui->pnlSubtractCod->text(),
                page->ui->pnlSubtractSum->text(), page->ui->pnlHoldSum->text()};
    }
    // Changes the current source in its dialog: the function's edits (the pickers it opens answered
    // in turn by `during`), then "Да" and "Пропустить все" for any check.
    void Edit(const std::function<void(TfmInput35SourseIncome&)>& change = {}, std::vector<ModalAnswerer::Answer> during = {}) {
        during.push_back(SkipAll);
        ModalAnswerer answerer({[change, during](QDialog* d) {
            auto* dialog = qobject_cast<TfmInput35SourseIncome*>(d);
            ASSERT_NE(dialog, nullptr);
            ModalAnswerer inner(during);
            if (change) change(*dialog);
            dialog->ui->bnOk->click();
        }});
        page->fbEditSourseIncomeClick();
        ASSERT_EQ(answerer.Answered(), 1);
    }
    TDoc doc;
    std::unique_ptr<TfrThirtyFivePercent> page;
    int changes = 0;
};

TEST_F(ThirtyFivePage, ShowsTheSelectedSource) {
    Add35(*doc.d, "Лотерея", 2740, 50000.25, 505, 2000, 16800);
    Add35(*doc.d, "Банк", 3020, 1200, 0, 0, 0);
    Create();
    EXPECT_EQ(List()->topLevelItemCount(), 2);
    EXPECT_EQ(List()->topLevelItem(1)->text(0), QStringLiteral("Банк"));
    EXPECT_EQ(Panels(), QStringList({"", "", "", "", ""})); // nothing selected yet
    EXPECT_EQ(changes, 0);
    SelectRow(List(), 0);
    EXPECT_EQ(Panels(), QStringList({"2740", "50000,25", "505", "2000", "16800"}));
    SelectRow(List(), 1);
    EXPECT_EQ(Panels(), QStringList({"3020", "1200", "Нет", "0", "0"}));
    EXPECT_EQ(page->CheckData(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(ThirtyFivePage, AddStoresOnlyWithNameAndIncomeCode) {
    Create();
    auto fill = [](bool withCode) {
        return [withCode](QDialog* d) {
            auto* dialog = qobject_cast<TfmInput35SourseIncome*>(d);
            ASSERT_NE(dialog, nullptr);
            Type(dialog->ui->meSourseName, QStringLiteral("Банк"));
            Type(dialog->ui->meINN, QString::fromLatin1(kOrgInn));
            Type(dialog->ui->meKPP, QStringLiteral("770201001"));
            Type(dialog->ui->meOKATO, QString::fromLatin1(kOkato));
            if (withCode) {
                PickIncome(*dialog, "3020");
                Type(dialog->ui->meItogIncomeSum, QStringLiteral("1200,5"));
                Type(dialog->ui->meHoldSum, QStringLiteral("420"));
            }
            ClickAnswering(dialog->ui->bnOk);
        };
    };
    {
        ModalAnswerer answerer({fill(false)});
        page->fbAddSourseIncomeClick();
        EXPECT_EQ(answerer.Answered(), 1);
    }
    EXPECT_EQ(doc.d->ThirtyFivePercentCount(), 0);
    {
        ModalAnswerer answerer({fill(true)});
        page->fbAddSourseIncomeClick();
    }
    ASSERT_EQ(doc.d->ThirtyFivePercentCount(), 1);
    const mTThirtyFivePercent& s = doc.d->GetThirtyFivePercent(0);
    EXPECT_EQ(s.SourseName, "Банк");
    EXPECT_EQ(s.INN, kOrgInn);
    EXPECT_EQ(s.KPP, "770201001");
    EXPECT_EQ(s.OKATO, kOkato);
    EXPECT_EQ(s.IncomeCode, 3020);
    EXPECT_EQ(s.ItogIncomeSum, Rub(1200.5));
    EXPECT_EQ(s.DeductCode, 0);
    EXPECT_EQ(s.DeductSum, Currency());
    EXPECT_EQ(s.HoldSum, Rub(420));
    EXPECT_TRUE(List()->topLevelItem(0)->isSelected());
    EXPECT_EQ(Panels(), QStringList({"3020", "1200,5", "Нет", "0", "420"}));
}

TEST_F(ThirtyFivePage, ChangingByDoubleClickRenamesTheRowAndShowsTheNewFigures) {
    Add35(*doc.d, "Лотерея", 2610, 1000, 0, 0, 350);
    Create();
    SelectRow(List(), 0);
    ModalAnswerer answerer({[](QDialog* d) {
        auto* dialog = qobject_cast<TfmInput35SourseIncome*>(d);
        EXPECT_EQ(dialog->ui->pnlIncomeCod->text(), QStringLiteral("2610"));
        EXPECT_EQ(dialog->ui->meItogIncomeSum->text(), QStringLiteral("1000"));
        Retype(dialog->ui->meSourseName, QStringLiteral("Розыгрыш"));
        Retype(dialog->ui->meItogIncomeSum, QStringLiteral("1100"));
        Retype(dialog->ui->meHoldSum, QStringLiteral("385"));
        ClickAnswering(dialog->ui->bnOk);
    }});
    const QRect r = List()->visualItemRect(List()->topLevelItem(0));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(answerer.Answered(), 1);
    const mTThirtyFivePercent& s = doc.d->GetThirtyFivePercent(0);
    EXPECT_EQ(s.SourseName, "Розыгрыш");
    EXPECT_EQ(s.ItogIncomeSum, Rub(1100));
    EXPECT_EQ(s.HoldSum, Rub(385));
    EXPECT_EQ(List()->topLevelItem(0)->text(0), QStringLiteral("Розыгрыш"));
    EXPECT_EQ(Panels(), QStringList({"2610", "1100", "Нет", "0", "385"}));
}

TEST_F(ThirtyFivePage, NothingIsChangedOrDeletedWithoutASelectedRow) {
    Add35(*doc.d, "Лотерея", 2610, 1000);
    Create();
    ModalAnswerer answerer({Click("bnCansel")});
    page->fbEditSourseIncomeClick();
    page->fbDeleteSourseIncomeClick();
    EXPECT_EQ(answerer.Answered(), 0);
    EXPECT_EQ(doc.d->ThirtyFivePercentCount(), 1);
}

TEST_F(ThirtyFivePage, DeletingTheOnlySourceEmptiesThePanels) {
    Add35(*doc.d, "А", 2610, 1000, 0, 0, 350);
    Add35(*doc.d, "Б", 3020, 500);
    Create();
    SelectRow(List(), 1);
    page->fbDeleteSourseIncomeClick();
    EXPECT_EQ(doc.d->ThirtyFivePercentCount(), 1);
    EXPECT_EQ(Panels(), QStringList({"2610", "1000", "Нет", "0", "350"}));
    changes = 0;
    page->fbDeleteSourseIncomeClick();
    EXPECT_EQ(doc.d->ThirtyFivePercentCount(), 0);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(page->CurrentItem, nullptr);
    EXPECT_EQ(Panels(), QStringList({"", "", "", "", ""}));
    EXPECT_GT(changes, 0);
}

// Changing a source with "Да" and nothing typed gives back what was stored, also what the dialog
// cannot show as it is: codes the dictionary does not know, a deduction it would form differently,
// a withheld tax with kopecks, a name longer than the edit.
TEST_F(ThirtyFivePage, ConfirmingUnchangedKeepsTheStoredSource) {
    std::string longName(130, 'N');
    Add35(*doc.d, "Лотерея", 2740, 50000, 501, 2000, 16800);     // 501 is not a deduction of 2740
    Add35(*doc.d, "Неизвестный", 9999, 1000, 123, 500, 10);       // an income code of no dictionary
    Add35(*doc.d, "Без вычетов", 2610, 1000, 7, 10, 350.25);      // a deduction under an income with none
    Add35(*doc.d, "Типовой", 2740, 1500, 505, 1000, 0.5);         // a typed deduction below the income
    Add35(*doc.d, longName.c_str(), 3020, 1234.5678, 0, 0, 99.99); // four decimals from a file
    for (int i = 0; i < doc.d->ThirtyFivePercentCount(); ++i) {
        auto& s = doc.d->GetThirtyFivePercent(i);
        s.INN = "1234567890123"; // longer than the edit's 12 digits
        s.OKATO = kOkato;
    }
    Create();
    for (int i = 0; i < doc.d->ThirtyFivePercentCount(); ++i) {
        SCOPED_TRACE(i);
        const mTThirtyFivePercent before = doc.d->GetThirtyFivePercent(i);
        SelectRow(List(), i);
        Edit();
        const mTThirtyFivePercent& s = doc.d->GetThirtyFivePercent(i);
        EXPECT_EQ(s.SourseName, before.SourseName);
        EXPECT_EQ(s.INN, before.INN);
        EXPECT_EQ(s.IncomeCode, before.IncomeCode);
        EXPECT_EQ(s.ItogIncomeSum, before.ItogIncomeSum);
        EXPECT_EQ(s.DeductCode, before.DeductCode);
        EXPECT_EQ(s.DeductSum, before.DeductSum);
        EXPECT_EQ(s.HoldSum, before.HoldSum);
    }
}

TEST_F(ThirtyFivePage, AKeptDeductionGoesWhenTheUserChoosesACode) {
    Add35(*doc.d, "Лотерея", 2740, 1500, 501, 2000, 0);
    Create();
    SelectRow(List(), 0);
    Edit(
        [](TfmInput35SourseIncome& d) {
            EXPECT_EQ(d.ui->pnlSubtractCod->text(), QStringLiteral("501"));
            d.bnSubtractCodClick();
        },
        {Pick("505")});
    const mTThirtyFivePercent& s = doc.d->GetThirtyFivePercent(0);
    EXPECT_EQ(s.DeductCode, 505);
    EXPECT_EQ(s.DeductSum, Rub(1500));
    Edit([](TfmInput35SourseIncome& d) { d.bnIncomeCodClick(); }, {Pick("3020")});
    EXPECT_EQ(s.IncomeCode, 3020);
    EXPECT_EQ(s.DeductCode, 0);
    EXPECT_EQ(s.DeductSum, Currency());
}

// ---------------------------------------------------------------------------------------------
// Visiting the pages of an opened declaration and saving gives back the same file.

class ThirtyPagesFile : public testutil::TempDir {};

TEST_F(ThirtyPagesFile, VisitingBothPagesKeepsTheFile) {
    const std::function<void(mTDeclaration&)> declarations[] = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) { d.SetIncomeKinds(ikRussian); }, // no sources at all
        [](mTDeclaration& d) {
            d.SetIncomeKinds(ikRussian);
            Add35(d, std::string(200, 'Z').c_str(), 0, 0.0001, 0, 12.3456, 100.5);
            Add35(d, "Неизвестный", 9999, -5, 123, 500, 0.01);
            AddDividend(d, "", 1005.5, 1005.5, 90.495, 90.5).IncomeCode = 0;
            AddDividend(d, "АО", 0, 0, 0, 0).INN = "12345678901234";
        },
    };
    int n = 0;
    for (const auto& fill : declarations) {
        SCOPED_TRACE(n++);
        {
            mTDeclaration d;
            fill(d);
            d.SaveToFile(Path("in.vrq"));
        }
        auto doc = std::make_unique<mTDeclaration>();
        doc->LoadFromFile(Path("in.vrq"));
        {
            TfrThirtyFivePercent page(nullptr, &doc);
            for (int i = 0; i < page.ui->lvSourseIncomeInfo->topLevelItemCount(); ++i) SelectRow(page.ui->lvSourseIncomeInfo, i);
        }
        {
            TfrThirtyPercent page(nullptr, &doc);
            for (int i = 0; i < page.ui->lvSourseIncomeInfo->topLevelItemCount(); ++i) SelectRow(page.ui->lvSourseIncomeInfo, i);
        }
        doc->SaveToFile(Path("out.vrq"));
        EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
    }
}
