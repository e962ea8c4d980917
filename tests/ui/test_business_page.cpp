// The business income page: the activity dialog, the income and expense grids with the 20 % norm,
// the list of activities, the advance payments and OGRNIP, the page's check and what the page
// writes back.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/FrameBusinessIncome.h"
#include "pages/FrameCurrency.h"
#include "pages/InputBusinessIncome.h"
#include "ui_FrameBusinessIncome.h"
#include "ui_InputBusinessIncome.h"
#include "ui_Main.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLabel>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using testutil::ReadFile;
using uitest::Click;
using uitest::ModalAnswerer;

namespace {

const auto Fix = Click("Button1");
const auto Skip = Click("Button2");

ModalAnswerer::Answer Activity(const QString& name, const QString& g1 = {}, const QString& g2 = {}, const QString& g3 = {}) {
    return [=](QDialog* d) {
        auto* dialog = qobject_cast<TfmInputBusinessIncome*>(d);
        uitest::Type(dialog->ui->meActivityType, name);
        uitest::Type(dialog->ui->me1, g1);
        uitest::Type(dialog->ui->me2, g2);
        uitest::Type(dialog->ui->me3, g3);
        dialog->ui->me3->setFocus(); // Enter where the user's focus is
        uitest::Key(dialog->ui->me3, Qt::Key_Return);
    };
}

mTBusinessIncome& AddActivity(mTDeclaration& d, const std::string& name, std::uint8_t confirmed = 1) {
    mTBusinessIncome& a = d.GetBusinessIncome(d.AddBusinessIncome());
    a.ActivityName = name;
    a.ActivityCode = "52.71.1";
    a.SetConfirmedExpenses(confirmed);
    return a;
}

class BusinessPage : public uitest::WindowTest {
protected:
    TfrBusinessIncome& Open(const std::function<void(mTDeclaration&)>& fill = {}, bool select = true) {
        mTDeclaration d;
        d.InspectionNumber = "7701";
        d.SetIncomeKinds(ikBusiness);
        if (fill) fill(d);
        d.SaveToFile(Path("open.vrq"));
        OpenFile(Path("open.vrq"), select);
        return uitest::ShownPage<TfrBusinessIncome>(*window);
    }
    void OpenFile(const std::string& path, bool select = true) {
        window.reset();
        window = uitest::OpenWindow(path, dir);
        window->SetPageFactory(window->ui->fbBusinessIncome, QStringLiteral("TfrBusinessIncome"),
                               [](QWidget* owner, TDocumentRef ref) { return new TfrBusinessIncome(owner, ref); });
        ModalAnswerer skipAll({Click("Button3"), Click("Button3")}); // the initial data page's checks
        window->ui->fbBusinessIncome->SetDown(true);
        window->PageButtonClick(window->ui->fbBusinessIncome);
        TfrBusinessIncome& page = uitest::ShownPage<TfrBusinessIncome>(*window);
        // As the main window does: the list gets the focus and its first row is selected.
        if (select && Doc().BusinessIncomeCount() > 0) {
            window->PageLoading = true;
            page.FocusItem(1);
            window->PageLoading = false;
        }
        window->Saved = true;
    }
    TfrBusinessIncome* Page() { return &uitest::ShownPage<TfrBusinessIncome>(*window); }
    Ui::TfrBusinessIncome& Ui() { return *Page()->ui; }
    mTDeclaration& Doc() { return *window->Document; }
    void SelectRow(int row) { Page()->FocusItem(static_cast<std::uint16_t>(row + 1)); }
    TMaskedEdit* Edit(const QString& name) { return Page()->findChild<TMaskedEdit*>(name); }
    QCheckBox* Box(const QString& name) { return Page()->findChild<QCheckBox*>(name); }
    QString Total() { return Ui().pnlResultExpense->text(); }
    // A click on the box itself, where a user ticks it.
    void Tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2)); }
    void TypeInto(TMaskedEdit* e, const QString& text) {
        QTest::mouseClick(e, Qt::LeftButton);
        uitest::Type(e, text);
    }
    // The window shown and an activity added through its dialog, as a user adds it.
    void ShowWithNewActivity() {
        Open();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), uitest::kFailAfterMs));
        ModalAnswerer a({Activity("Ремонт обуви", "52", "71", "1")});
        QTest::mouseClick(Ui().fbAddSourseIncome, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_EQ(a.Answered(), 1);
        ASSERT_EQ(Doc().BusinessIncomeCount(), 1);
        ASSERT_NE(Page()->CurrentItem, nullptr);
    }
    // With documented expenses, the expense grid shown is that of the income's mode.
    void ExpectExpenseModeOfTheIncome() {
        if (!Ui().chbIsConfirmedExpensies->isChecked()) return;
        const bool byMonth = Ui().chbIncomeByMonth->isChecked();
        EXPECT_EQ(Ui().pnlExpensesMonth->isHidden(), !byMonth);
        EXPECT_EQ(Ui().pnlExpensePeriod->isHidden(), byMonth);
    }
    void LeaveThePage() {
        QTest::mouseClick(window->ui->fbInitialData, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_EQ(window->ActiveButton, window->ui->fbInitialData);
    }

};

} // namespace

// ---------------------------------------------------------------------------------------------
// The activity dialog

TEST(ActivityDialog, CodeIsSplitIntoItsGroupsAndJoinedAsTheyStand) {
    struct Case {
        const char* code;
        const char *g1, *g2, *g3;
    } cases[] = {
        {"01.23.45", "01", "23", "45"}, {"..", "", "", ""},       {"12.34", "12", "", "34"},
        {"123456", "", "", ""},         {"1.2.3.4", "1", "2", ""}, {"52.71.1", "52", "71", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TfmInputBusinessIncome dialog;
        dialog.SetActivityCode(c.code);
        EXPECT_EQ(dialog.ui->me1->Text(), c.g1);
        EXPECT_EQ(dialog.ui->me2->Text(), c.g2);
        EXPECT_EQ(dialog.ui->me3->Text(), c.g3);
        EXPECT_EQ(dialog.GetActivityCode(), c.code); // untouched: given back as set
        dialog.ui->me3->setText("9");
        EXPECT_EQ(dialog.GetActivityCode(), std::string(c.g1) + "." + c.g2 + ".9");
    }
    TfmInputBusinessIncome dialog;
    EXPECT_EQ(dialog.GetActivityCode(), "..");
    uitest::Type(dialog.ui->me1, "1a23");
    EXPECT_EQ(dialog.ui->me1->Text(), "12");
    dialog.SetActivityType(std::string(121, 'x'));
    EXPECT_EQ(dialog.ui->meActivityType->Text(), QString());
    EXPECT_EQ(dialog.GetActivityType(), std::string(121, 'x'));
    ModalAnswerer esc({[](QDialog* d) { uitest::Key(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }});
    EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
}

// ---------------------------------------------------------------------------------------------
// The grids

TEST_F(BusinessPage, TheNormIsTwentyPercentOfTheIncomeToTheKopeck) {
    struct Case {
        std::vector<std::pair<int, const char*>> months; // month 0: the period
        const char* norm;
    } cases[] = {
        {{{0, "12345,67"}}, "2469,13"},
        {{{0, "1000000"}}, "200000"},
        {{{1, "0,03"}}, "0,01"},              // 0,006
        {{{1, "100"}, {12, "0,05"}}, "20,01"},
        {{{3, "0,1"}, {4, "0,02"}}, "0,02"},  // 0,024
        {{{0, "999999999999,99"}}, "200000000000"},
    };
    Open([](mTDeclaration& d) { AddActivity(d, "Ремонт", 0); });
    ASSERT_FALSE(Ui().chbIsConfirmedExpensies->isChecked());
    EXPECT_FALSE(Ui().pnlExpenseRes->isHidden());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.norm);
        const bool period = c.months.front().first == 0;
        Ui().chbIncomeByMonth->setChecked(!period);
        Ui().meIncomeSum->setText(QString());
        for (int N = 1; N <= 12; ++N) Box(QStringLiteral("chbIncomeSum%1").arg(N))->setChecked(false);
        for (auto [N, text] : c.months)
            uitest::Type(N == 0 ? Ui().meIncomeSum : Edit(QStringLiteral("meIncomeSum%1").arg(N)), text);
        EXPECT_EQ(Total(), QString::fromUtf8(c.norm));
    }
    Page()->SaveData();
    EXPECT_EQ(Doc().GetBusinessIncome(0).ResultExpense.ToString(), "200000000000");
    EXPECT_EQ(Doc().GetBusinessIncome(0).ConfirmedExpenses, 0);
}

TEST_F(BusinessPage, TypingIntoAMonthTicksItAndKeepsTheFocus) {
    Open([](mTDeclaration& d) {
        mTBusinessIncome& a = AddActivity(d, "Ремонт");
        a.IncomeMonths = 0;
        a.ExpenseMonths = 0;
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), uitest::kFailAfterMs));
    TMaskedEdit* march = Edit("meIncomeSum3");
    march->setFocus();
    uitest::Type(march, "150");
    EXPECT_TRUE(Box("chbIncomeSum3")->isChecked());
    EXPECT_EQ(Page()->IncomeMonthMask, 4);
    EXPECT_EQ(QApplication::focusWidget(), march);
    for (const char* column : {"meMatExpenses5", "meAmortizationDeduct6", "meWorkPayExpenses7", "meOtherExpenses8"}) {
        SCOPED_TRACE(column);
        TMaskedEdit* e = Edit(column);
        e->setFocus();
        uitest::Type(e, "10,5");
        EXPECT_EQ(QApplication::focusWidget(), e);
    }
    EXPECT_EQ(Page()->ExpenseMonthMask, 16 + 32 + 64 + 128);
    EXPECT_EQ(Total(), "42");
    // Ticking a month by hand takes the focus to its first edit; unticking empties the row.
    Box("chbExpenseInfo9")->setChecked(true);
    EXPECT_EQ(QApplication::focusWidget(), Edit("meMatExpenses9"));
    Box("chbExpenseInfo5")->setChecked(false);
    EXPECT_EQ(Edit("meMatExpenses5")->Text(), QString());
    EXPECT_EQ(Total(), "31,5");
    EXPECT_EQ(Page()->ExpenseMonthMask, 32 + 64 + 128 + 256);
}

TEST_F(BusinessPage, ExpenseModeFollowsTheIncomeModeAlsoAtTheNorm) {
    Open([](mTDeclaration& d) {
        mTBusinessIncome& a = AddActivity(d, "Ремонт");
        a.IncomeMonths = 0;
        a.ExpenseMonths = 0;
    });
    ASSERT_TRUE(Ui().chbChargeSumEveryMonth->isChecked());
    Ui().chbIncomeByMonth->setChecked(false);
    EXPECT_FALSE(Ui().chbChargeSumEveryMonth->isChecked());
    EXPECT_FALSE(Ui().pnlIncomePeriod->isHidden());
    EXPECT_FALSE(Ui().pnlExpensePeriod->isHidden());
    EXPECT_FALSE(Ui().pnlExpenseRes->isHidden());
    EXPECT_TRUE(Ui().pnlExpensesMonth->isHidden());
    uitest::Type(Ui().meMatExpenses, "100");
    uitest::Type(Ui().meOtherExpenses, "0,5");
    EXPECT_EQ(Total(), "100,5");
    uitest::Type(Ui().meIncomeSum, "1000"); // documented: the income leaves the total alone
    EXPECT_EQ(Total(), "100,5");

    Ui().chbIsConfirmedExpensies->setChecked(false);
    EXPECT_EQ(Total(), "200");
    EXPECT_TRUE(Ui().pnlExpensePeriod->isHidden());
    Ui().chbIncomeByMonth->setChecked(true); // the norm: the expense mode follows, both grids stay hidden
    EXPECT_TRUE(Ui().chbChargeSumEveryMonth->isChecked());
    EXPECT_TRUE(Ui().pnlExpensesMonth->isHidden());
    EXPECT_TRUE(Ui().pnlExpensePeriod->isHidden());
    EXPECT_FALSE(Ui().pnlExpenseRes->isHidden());
    EXPECT_EQ(Total(), "0");
    Ui().chbIsConfirmedExpensies->setChecked(true); // by months, as the income
    EXPECT_FALSE(Ui().pnlExpensesMonth->isHidden());
    EXPECT_TRUE(Ui().pnlExpensePeriod->isHidden());
    EXPECT_EQ(Ui().meMatExpenses->Text(), "100"); // kept in the grid not shown
    EXPECT_EQ(Total(), "0");

    // No month ticked: income and expenses go in for the period as typed, and their total with them.
    Page()->SaveData();
    {
        const mTBusinessIncome& a = Doc().GetBusinessIncome(0);
        EXPECT_EQ(a.IncomeByMonth, 0);
        EXPECT_EQ(a.PeriodIncome.ToString(), "1000");
        EXPECT_EQ(a.ExpenseByMonth, 0);
        EXPECT_EQ(a.PeriodExpense.Mat.ToString(), "100");
        EXPECT_EQ(a.PeriodExpense.Other.ToString(), "0,5");
        EXPECT_EQ(a.ResultExpense.ToString(), "100,5");
    }
    Ui().chbIncomeByMonth->setChecked(false); // the period grid comes back as it was
    EXPECT_FALSE(Ui().pnlExpensePeriod->isHidden());
    EXPECT_EQ(Ui().meMatExpenses->Text(), "100");
    EXPECT_EQ(Total(), "100,5");

    // The norm likewise: 20 % of the income that is stored.
    Ui().chbIsConfirmedExpensies->setChecked(false);
    Ui().chbIncomeByMonth->setChecked(true);
    EXPECT_EQ(Total(), "0");
    Page()->SaveData();
    EXPECT_EQ(Doc().GetBusinessIncome(0).ConfirmedExpenses, 0);
    EXPECT_EQ(Doc().GetBusinessIncome(0).PeriodIncome.ToString(), "1000");
    EXPECT_EQ(Doc().GetBusinessIncome(0).ResultExpense.ToString(), "200");
}

// The income mode box and the documented expenses box taken away and given back, in every order:
// the monthly expenses typed come back on the page and are stored with the activity.
TEST_F(BusinessPage, MonthlyExpensesComeBackWhenTheBoxesAreTickedAgain) {
    const QString income = QStringLiteral("chbIncomeByMonth"), documented = QStringLiteral("chbIsConfirmedExpensies");
    const QStringList orders[] = {
        {income, documented, income, documented},
        {income, documented, documented, income},
        {documented, income, income, documented},
        {documented, income, documented, income},
        {income, income, documented, documented},
    };
    for (const QStringList& clicks : orders) {
        SCOPED_TRACE(clicks.join(QStringLiteral(" ")).toStdString());
        ShowWithNewActivity();
        TypeInto(Edit("meIncomeSum1"), "50000");
        TypeInto(Edit("meMatExpenses1"), "10000");
        TypeInto(Edit("meOtherExpenses1"), "2000");
        ASSERT_EQ(Total(), "12000");
        for (const QString& name : clicks) {
            const bool was = Box(name)->isChecked();
            Tick(Box(name));
            ASSERT_NE(Box(name)->isChecked(), was) << name.toStdString();
            ExpectExpenseModeOfTheIncome();
        }
        ASSERT_TRUE(Ui().chbIncomeByMonth->isChecked());
        ASSERT_TRUE(Ui().chbIsConfirmedExpensies->isChecked());
        EXPECT_FALSE(Ui().pnlExpensesMonth->isHidden());
        EXPECT_TRUE(Box("chbExpenseInfo1")->isChecked());
        EXPECT_EQ(Edit("meMatExpenses1")->Text(), "10000");
        EXPECT_EQ(Edit("meOtherExpenses1")->Text(), "2000");
        EXPECT_EQ(Total(), "12000");

        LeaveThePage();
        {
            mTBusinessIncome& a = Doc().GetBusinessIncome(0);
            EXPECT_EQ(a.IncomeByMonth, 1);
            EXPECT_EQ(a.IncomeMonths, 1);
            EXPECT_EQ(a.GetMonthIncome(0).ToString(), "50000");
            EXPECT_EQ(a.ConfirmedExpenses, 1);
            EXPECT_EQ(a.ExpenseByMonth, 1);
            EXPECT_EQ(a.ExpenseMonths, 1);
            EXPECT_EQ(a.GetMonthExpense(0).Mat.ToString(), "10000");
            EXPECT_EQ(a.GetMonthExpense(0).Other.ToString(), "2000");
            EXPECT_EQ(a.ResultExpense.ToString(), "12000");
        }
        // Saved and opened again: shown as typed.
        window->FileName = QString::fromStdString(Path("saved.vrq"));
        window->SaveDocExecute();
        OpenFile(Path("saved.vrq"));
        EXPECT_TRUE(Ui().chbIncomeByMonth->isChecked());
        EXPECT_EQ(Edit("meIncomeSum1")->Text(), "50000");
        EXPECT_FALSE(Ui().pnlExpensesMonth->isHidden());
        EXPECT_EQ(Edit("meMatExpenses1")->Text(), "10000");
        EXPECT_EQ(Edit("meOtherExpenses1")->Text(), "2000");
        EXPECT_EQ(Total(), "12000");
    }
}

// An activity stored with its expenses by months beside income for the period (no income month was
// ticked) keeps them when documented expenses are taken away and given back.
TEST_F(BusinessPage, StoredExpenseModeStaysWhenDocumentedExpensesAreTickedAgain) {
    Open([](mTDeclaration& d) {
        mTBusinessIncome& a = AddActivity(d, "Ремонт");
        a.SetIncomeByMonth(0);
        a.SetPeriodIncome(Currency::FromInt(50000));
        a.ExpenseMonths = 1;
        mTBusinessExpense e{Currency::FromInt(10000), {}, {}, {}};
        a.SetMonthExpense(0, &e);
        a.ResultExpense = Currency::FromInt(10000);
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), uitest::kFailAfterMs));
    ASSERT_FALSE(Ui().pnlExpensesMonth->isHidden());
    for (int i = 0; i < 2; ++i) Tick(Ui().chbIsConfirmedExpensies);
    ASSERT_TRUE(Ui().chbIsConfirmedExpensies->isChecked());
    EXPECT_FALSE(Ui().pnlExpensesMonth->isHidden());
    EXPECT_EQ(Edit("meMatExpenses1")->Text(), "10000");
    EXPECT_EQ(Total(), "10000");
    LeaveThePage();
    const mTBusinessIncome& a = Doc().GetBusinessIncome(0);
    EXPECT_EQ(a.ExpenseByMonth, 1);
    EXPECT_EQ(a.MonthExpense[0].Mat.ToString(), "10000");
    EXPECT_EQ(a.ResultExpense.ToString(), "10000");
}

// Documented expenses ticked on an activity at the norm show its own expenses in the income's
// mode, never those of the activity shown before it.
TEST_F(BusinessPage, AnActivityAtTheNormShowsNoOtherActivitysExpenses) {
    Open([](mTDeclaration& d) {
        mTBusinessIncome& a = AddActivity(d, "Ремонт");
        a.IncomeMonths = 1;
        a.SetMonthIncome(0, Currency::FromInt(50000));
        a.ExpenseMonths = 1;
        mTBusinessExpense e{Currency::FromInt(10000), {}, {}, Currency::FromInt(2000)};
        a.SetMonthExpense(0, &e);
        a.ResultExpense = Currency::FromInt(12000);
        mTBusinessIncome& b = AddActivity(d, "Ремонт", 0);
        b.SetIncomeByMonth(0);
        b.SetPeriodIncome(Currency::FromInt(1000));
        b.ResultExpense = Currency::FromInt(200);
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get(), uitest::kFailAfterMs));
    ASSERT_EQ(Edit("meMatExpenses1")->Text(), "10000");
    SelectRow(1);
    EXPECT_EQ(Total(), "200");
    Tick(Ui().chbIsConfirmedExpensies);
    ASSERT_TRUE(Ui().chbIsConfirmedExpensies->isChecked());
    ExpectExpenseModeOfTheIncome();
    EXPECT_FALSE(Box("chbExpenseInfo1")->isChecked());
    EXPECT_EQ(Edit("meMatExpenses1")->Text(), QString());
    EXPECT_EQ(Ui().meMatExpenses->Text(), QString());
    EXPECT_EQ(Total(), "0");
    Page()->SaveData();
    const mTBusinessIncome& b = Doc().GetBusinessIncome(1);
    EXPECT_EQ(b.ConfirmedExpenses, 1);
    EXPECT_EQ(b.ExpenseByMonth, 0);
    EXPECT_TRUE(b.PeriodExpense.Mat.IsZero());
    EXPECT_TRUE(b.ResultExpense.IsZero());
    EXPECT_EQ(Doc().GetBusinessIncome(0).GetMonthExpense(0).Mat.ToString(), "10000");
}

TEST_F(BusinessPage, ActivitiesAreStoredAsTheGridsShowThem) {
    Open();
    {
        ModalAnswerer a({Activity("  Ремонт обуви ", "52", "71", "1")});
        Page()->fbAddSourseIncomeClick();
    }
    ASSERT_EQ(Doc().BusinessIncomeCount(), 1);
    EXPECT_EQ(Doc().GetBusinessIncome(0).ActivityName, "  Ремонт обуви ");
    EXPECT_EQ(Doc().GetBusinessIncome(0).ActivityCode, "52.71.1");
    EXPECT_FALSE(window->Saved);
    // Left before any month is ticked: income and expenses for the period, all 0.
    Page()->SaveData();
    {
        const mTBusinessIncome& a = Doc().GetBusinessIncome(0);
        EXPECT_EQ(a.IncomeByMonth, 0);
        EXPECT_EQ(a.ExpenseByMonth, 0);
        EXPECT_EQ(a.ConfirmedExpenses, 1);
    }
    uitest::Type(Edit("meIncomeSum1"), "1000");
    uitest::Type(Edit("meIncomeSum2"), "2000,5");
    Box("chbIncomeSum4")->setChecked(true); // ticked, left empty
    uitest::Type(Edit("meMatExpenses2"), "300");
    uitest::Type(Edit("meOtherExpenses2"), "1,25");
    Box("chbExpenseInfo3")->setChecked(true); // ticked, left empty
    Edit("meIncomeSum2")->setText(QString()); // emptied: out of the set with 0
    uitest::Type(Edit("meIncomeSum2"), "");
    Edit("meIncomeSum2")->setText("2000,5");
    Edit("meIncomeSum1")->setText(QString());
    Page()->SaveData();
    {
        mTBusinessIncome& a = Doc().GetBusinessIncome(0);
        EXPECT_EQ(a.IncomeByMonth, 1);
        EXPECT_EQ(a.IncomeMonths, 2);
        EXPECT_EQ(a.GetMonthIncome(0).ToString(), "0");
        EXPECT_EQ(a.GetMonthIncome(1).ToString(), "2000,5");
        EXPECT_EQ(a.ExpenseByMonth, 1);
        EXPECT_EQ(a.ExpenseMonths, 2);
        EXPECT_EQ(a.GetMonthExpense(1).Mat.ToString(), "300");
        EXPECT_EQ(a.GetMonthExpense(1).Other.ToString(), "1,25");
        EXPECT_EQ(a.ResultExpense.ToString(), "301,25");
    }
    EXPECT_TRUE(Box("chbIncomeSum1")->isChecked()); // still ticked on the page

    // Saved and opened again: shown as stored.
    window->FileName = QString::fromStdString(Path("saved.vrq"));
    window->SaveDocExecute();
    OpenFile(Path("saved.vrq"));
    EXPECT_TRUE(Ui().chbIncomeByMonth->isChecked());
    EXPECT_FALSE(Box("chbIncomeSum1")->isChecked());
    EXPECT_EQ(Edit("meIncomeSum2")->Text(), "2000,5");
    EXPECT_TRUE(Box("chbExpenseInfo2")->isChecked());
    EXPECT_FALSE(Box("chbExpenseInfo3")->isChecked());
    EXPECT_EQ(Edit("meOtherExpenses2")->Text(), "1,25");
    EXPECT_EQ(Total(), "301,25");
    EXPECT_TRUE(window->Saved);

    // Every expense month emptied: expenses for the period.
    Box("chbExpenseInfo2")->setChecked(false);
    Page()->SaveData();
    EXPECT_EQ(Doc().GetBusinessIncome(0).ExpenseByMonth, 0);
    EXPECT_EQ(Doc().GetBusinessIncome(0).ResultExpense.ToString(), "0");
}

// ---------------------------------------------------------------------------------------------
// The list and the page

TEST_F(BusinessPage, GridsTakeInputOnlyWhileAnActivityIsShown) {
    Open([](mTDeclaration& d) { AddActivity(d, "Ремонт"); }, false);
    EXPECT_EQ(Page()->CurrentItem, nullptr);
    EXPECT_FALSE(Edit("meIncomeSum1")->isEnabled());
    EXPECT_TRUE(Ui().meNachPrepayment->isEnabled());
    SelectRow(0);
    EXPECT_TRUE(Edit("meIncomeSum1")->isEnabled());
    EXPECT_TRUE(window->Saved);
}

TEST_F(BusinessPage, AddEditAndDelete) {
    Open([](mTDeclaration& d) {
        d.OGRNIP = "304770000123456";
        d.ActualPrepayment = Currency::FromInt(100);
    });
    EXPECT_FALSE(Ui().meActualPrepayment->isEnabled());
    EXPECT_TRUE(Ui().meOGRNIP->isEnabled());
    {
        ModalAnswerer a({Activity(" \t ")});
        Page()->fbAddSourseIncomeClick();
    }
    EXPECT_EQ(Doc().BusinessIncomeCount(), 0);
    for (const char* name : {"A", "B", "C"}) {
        ModalAnswerer a({Activity(QString::fromUtf8(name))});
        Page()->fbAddSourseIncomeClick();
    }
    ASSERT_EQ(Doc().BusinessIncomeCount(), 3);
    EXPECT_EQ(Doc().GetBusinessIncome(0).ActivityCode, "..");
    EXPECT_TRUE(Ui().meActualPrepayment->isEnabled());
    EXPECT_EQ(Page()->CurrentIndex, 2);

    window->Saved = true;
    {
        ModalAnswerer cancel({Click("bnCansel")});
        Page()->fbEditSourseIncomeClick();
    }
    EXPECT_FALSE(window->Saved); // the dialog's edits reported their filling
    {
        ModalAnswerer a({[](QDialog* d) {
            auto* dialog = qobject_cast<TfmInputBusinessIncome*>(d);
            dialog->ui->meActivityType->setText("C2");
            uitest::Type(dialog->ui->me2, "7");
            dialog->ui->bnOk->click();
        }});
        Page()->fbEditSourseIncomeClick();
    }
    EXPECT_EQ(Doc().GetBusinessIncome(2).ActivityName, "C2");
    EXPECT_EQ(Doc().GetBusinessIncome(2).ActivityCode, ".7.");
    EXPECT_EQ(Ui().lvSourseIncomeInfo->topLevelItem(2)->text(0), "C2");

    SelectRow(0);
    Page()->fbDeleteSourseIncomeClick();
    EXPECT_EQ(Page()->CurrentIndex, 0);
    EXPECT_EQ(Doc().GetBusinessIncome(0).ActivityName, "B");
    SelectRow(1);
    Page()->fbDeleteSourseIncomeClick();
    EXPECT_EQ(Page()->CurrentIndex, 0);
    Page()->fbDeleteSourseIncomeClick();
    EXPECT_EQ(Doc().BusinessIncomeCount(), 0);
    EXPECT_FALSE(Ui().meActualPrepayment->isEnabled());
    EXPECT_EQ(Ui().meActualPrepayment->Text(), QString());
    EXPECT_EQ(Ui().meOGRNIP->Text(), "304770000123456");
    EXPECT_TRUE(Ui().chbIncomeByMonth->isChecked());
    EXPECT_FALSE(PageHost->PageLoading);
    Page()->SaveData();
    EXPECT_TRUE(Doc().ActualPrepayment.IsZero());
    EXPECT_EQ(Doc().OGRNIP, "304770000123456");
}

TEST_F(BusinessPage, PaymentsAndOgrnipAreWrittenWhenChanged) {
    Open([](mTDeclaration& d) {
        AddActivity(d, "Ремонт");
        d.NachPrepayment = Currency::FromInt(5);
    });
    EXPECT_EQ(Ui().meNachPrepayment->Text(), "5");
    Ui().meActualPrepayment->setText(QString());
    uitest::Type(Ui().meActualPrepayment, "1500,5");
    Ui().meOGRNIP->setText(QString());
    uitest::Type(Ui().meOGRNIP, "3047700001234567");
    EXPECT_EQ(Ui().meOGRNIP->Text(), "304770000123456"); // fifteen digits
    Page()->SaveData();
    EXPECT_EQ(Doc().ActualPrepayment.ToString(), "1500,5");
    EXPECT_EQ(Doc().NachPrepayment.ToString(), "5");
    EXPECT_EQ(Doc().OGRNIP, "304770000123456");
}

TEST_F(BusinessPage, CheckComparesEveryActivityWithTheFirst) {
    struct Case {
        std::vector<std::uint8_t> confirmed;
        std::uint16_t item; // 0: passes
    } cases[] = {{{1, 1, 1}, 0}, {{1, 0}, 2}, {{1, 0, 0}, 2}, {{0, 0, 1}, 3}, {{}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Open([&](mTDeclaration& d) {
            for (std::uint8_t f : c.confirmed) AddActivity(d, "A", f);
        });
        std::vector<QString> seen;
        ModalAnswerer a({[&seen](QDialog* d) {
            auto* check = qobject_cast<TfmCheckError*>(d);
            seen.push_back(check->Message());
            EXPECT_EQ(check->windowTitle(), QStringLiteral("Проверка: Доходы от предпринимательской деятельности"));
            Fix(d);
        }});
        EXPECT_EQ(Page()->CheckData(), c.item);
        ASSERT_EQ(seen.size(), c.item ? 1u : 0u);
        if (c.item) {
            EXPECT_EQ(seen[0], QStringLiteral("Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%."));
            Page()->FocusItem(c.item);
            EXPECT_EQ(Page()->CurrentIndex, c.item - 1);
        }
    }
    Open([](mTDeclaration& d) {
        AddActivity(d, "A", 1);
        AddActivity(d, "B", 0);
    });
    ModalAnswerer skip({Skip});
    EXPECT_EQ(Page()->CheckData(), 0);
    // Leaving the page with "Исправить" keeps it and shows the activity.
    ModalAnswerer fix({Fix});
    window->ui->fbInitialData->SetDown(true);
    window->PageButtonClick(window->ui->fbInitialData);
    ASSERT_NE(Page(), nullptr);
    EXPECT_EQ(Page()->CurrentIndex, 1);
}

TEST_F(BusinessPage, VisitingAndSavingGivesBackTheSameFile) {
    const std::vector<std::function<void(mTDeclaration&)>> declarations = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) {
            d.SetIncomeKinds(ikBusiness);
            d.ActualPrepayment = Currency::FromInt(100); // kept with no activity
            d.NachPrepayment = Currency::FromRaw(12345); // more decimals than the edit shows
            d.OGRNIP = "12345678901234567890";
            d.AppV = 4321;
        },
        [](mTDeclaration& d) {
            d.SetIncomeKinds(ikBusiness);
            mTBusinessIncome& a = AddActivity(d, "Edge");
            a.ActivityCode = "123.4";
            a.IncomeMonths = 0; // by months with no month: the page would store it for the period
            a.ExpenseMonths = 0xF00F;
            a.SetMonthIncome(3, Currency::FromInt(5)); // outside the month set
            mTBusinessExpense e{Currency::FromRaw(1), Currency::FromInt(2), {}, {}};
            a.SetMonthExpense(1, &e);
            a.ResultExpense = Currency::FromRaw(99999);
            mTBusinessIncome& b = AddActivity(d, "Norm", 0);
            b.SetIncomeByMonth(0);
            b.SetPeriodIncome(Currency::FromInt(1000));
            b.ResultExpense = Currency::FromInt(1); // not the norm
            mTBusinessIncome& c = AddActivity(d, "Period");
            c.SetIncomeByMonth(0);
            c.SetExpenseByMonth(0);
            mTBusinessExpense p{Currency::FromRaw(10000000000000000LL), {}, {}, {}};
            c.SetPeriodExpense(&p);
        },
    };
    int n = 0;
    for (const auto& fill : declarations) {
        SCOPED_TRACE(n++);
        mTDeclaration d;
        d.InspectionNumber = "7701";
        fill(d);
        d.SaveToFile(Path("in.vrq"));
        OpenFile(Path("in.vrq"));
        for (int i = 1; i < Doc().BusinessIncomeCount(); ++i) SelectRow(i);
        SelectRow(0);
        window->FileName = QString::fromStdString(Path("out.vrq"));
        window->SaveDocExecute();
        EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
        EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    }
}

// ---------------------------------------------------------------------------------------------
// Both pages together, and their look

namespace {

// Every shown control lies inside its parent and overlaps no shown sibling; a control's text
// fits it.
void ExpectTidy(QWidget* w) {
    const QList<QWidget*> children = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::vector<QWidget*> shown;
    for (QWidget* c : children)
        if (!c->isHidden() && !c->isWindow() && !c->objectName().startsWith("qt_") && c->parentWidget() == w) shown.push_back(c);
    for (QWidget* c : shown) {
        SCOPED_TRACE(c->objectName().toStdString());
        const bool scrolled = qobject_cast<QAbstractScrollArea*>(w) != nullptr;
        if (!scrolled) {
            EXPECT_TRUE(w->rect().contains(c->geometry())) << c->geometry().x() << "," << c->geometry().y();
        }
        if (auto* l = qobject_cast<QLabel*>(c); l && !l->text().isEmpty() && l->frameShape() == QFrame::NoFrame) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width());
        }
        if (auto* b = qobject_cast<QCheckBox*>(c); b && !b->text().isEmpty()) {
            EXPECT_LE(b->sizeHint().width(), b->width() + 2);
        }
        for (QWidget* o : shown)
            if (o != c && !scrolled) {
                EXPECT_FALSE(c->geometry().intersects(o->geometry())) << o->objectName().toStdString();
            }
        if (!scrolled && !qobject_cast<QAbstractSpinBox*>(c) && !qobject_cast<QLineEdit*>(c)) ExpectTidy(c);
    }
}

} // namespace

TEST_F(BusinessPage, BothPagesLookTidyAndGiveBackTheSameFile) {
    mTDeclaration d;
    sample::Fill(d);
    d.SaveToFile(Path("in.vrq"));
    OpenFile(Path("in.vrq"));
    const char* grabDir = std::getenv("VELMAROD_GRAB_DIR");
    QWidget container;
    container.resize(600, 460);
    auto look = [&](QWidget* page, const char* name) {
        QWidget* parent = page->parentWidget();
        page->setParent(&container);
        page->setGeometry(0, 0, 600, 460);
        container.show();
        ExpectTidy(page);
        if (grabDir) page->grab().save(QString::fromUtf8(grabDir) + "/" + name + ".png");
        page->setParent(parent);
    };
    for (int i = 0; i < Doc().BusinessIncomeCount(); ++i) {
        SelectRow(i);
        SCOPED_TRACE(i);
        look(Page(), ("business" + std::to_string(i)).c_str());
    }
    SelectRow(0);
    window->SetPageFactory(window->ui->fbForeignIncome, QStringLiteral("TfrCurrency"),
                           [](QWidget* owner, TDocumentRef ref) { return new TfrCurrency(owner, ref); });
    {
        ModalAnswerer skip({Skip, Skip});
        window->ui->fbForeignIncome->SetDown(true);
        window->PageButtonClick(window->ui->fbForeignIncome);
    }
    auto* currency = qobject_cast<TfrCurrency*>(window->CurrentPage);
    ASSERT_NE(currency, nullptr);
    currency->FocusItem(2);
    currency->FocusItem(1);
    look(currency, "currency");
    window->FileName = QString::fromStdString(Path("out.vrq"));
    window->SaveDocExecute();
    EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
}
