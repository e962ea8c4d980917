// The 13 % income page: its sources and income lines, the source dialog, the income-line dialog
// with the dictionary's deduction rules, the checks, and what the page gives back to the document.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pagebase/PrimaryCheck.h"
#include "pages/FrameThirteenPercent.h"
#include "pages/Input13Income.h"
#include "pages/Input13SourseIncome.h"
#include "platform/QtWindowing.h"
#include "ui_FrameThirteenPercent.h"
#include "ui_Input13Income.h"
#include "ui_Input13SourseIncome.h"

#include <QMouseEvent>
#include <QSettings>
#include <QSplitter>
#include <QTreeWidget>
#include <gtest/gtest.h>

using sample::Rub;
using testutil::ReadFile;
using uitest::Click;
using uitest::ModalAnswerer;
using uitest::Pick;

namespace {

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

// An answer that opens further dialogs, which an answerer of its own answers, so that the outer
// one counts only its own dialogs.
ModalAnswerer::Answer Nested(std::function<void(QDialog*)> act, std::vector<ModalAnswerer::Answer> inner) {
    return [act, inner](QDialog* d) {
        ModalAnswerer answerer(inner);
        act(d);
    };
}

ModalAnswerer::Answer NestedClick(const char* button, std::vector<ModalAnswerer::Answer> inner) {
    return Nested([button](QDialog* d) { d->findChild<QPushButton*>(QString::fromLatin1(button))->click(); }, std::move(inner));
}

QStringList Row(const QTreeWidget* list, int row) {
    QStringList texts;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    for (int c = 0; item && c < list->columnCount(); ++c) texts << item->text(c);
    return texts;
}

std::unique_ptr<mTSourseIncome> Line(std::int32_t code, double income, std::int32_t deduct = 0, double deductSum = 0,
                                     std::uint16_t month = 1, const char* name = "", std::int32_t norm = 0) {
    auto l = std::make_unique<mTSourseIncome>();
    l->IncomeCode = code;
    l->IncomeName = name;
    l->IncomeSum = Rub(income);
    l->DeductCode = deduct;
    l->DeductSum = Rub(deductSum);
    l->DeductNorm = norm;
    l->Month = month;
    return l;
}

mTThirteenPercent& AddSource(mTDeclaration& d, const char* name, double hold = 0) {
    mTThirteenPercent& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = name;
    s.INN = "7701234560"; // its check digit is right
    s.KPP = "770101001";
    s.OKATO = "45286555000";
    s.HoldSum = Rub(hold);
    return s;
}

// Three sources: two lines in the first, none in the second, one in the third.
void ThreeSources(mTDeclaration& d) {
    mTThirteenPercent& a = AddSource(d, "Первый", 130);
    a.Obl = Rub(1000);
    a.TaxIsch = Rub(130);
    a.AddSourseIncome(Line(2000, 700, 0, 0, 1, "Зарплата"));
    a.AddSourseIncome(Line(2201, 300, 405, 60, 2, "Авторские", 20));
    AddSource(d, "Второй");
    AddSource(d, "Третий", 5).AddSourseIncome(Line(2000, 100.5, 0, 0, 3));
}

class ThirteenPercent : public uitest::WindowTest {
protected:
    void TearDown() override {
        page.reset();
        WindowTest::TearDown();
    }
    // The page on a declaration opened from a file, as a user opens it.
    TfrThirteenPercent& Open(const std::function<void(mTDeclaration&)>& fill, std::uint8_t kind = 0) {
        mTDeclaration d;
        d.InspectionNumber = "7701";
        d.DeclarationKind = kind;
        d.SetIncomeKinds(ikRussian);
        if (fill) fill(d);
        d.SaveToFile(Path("open.vrq"));
        window = uitest::OpenWindow(Path("open.vrq"), dir);
        window->Saved = true;
        window->PageLoading = true; // as the holder creates it
        page = std::make_unique<TfrThirteenPercent>(nullptr, &window->Document);
        window->PageLoading = false;
        page->resize(640, 600);
        return *page;
    }
    mTDeclaration& Doc() { return *window->Document; }
    QTreeWidget* Sources() { return page->ui->lvSourseIncomeInfo; }
    QTreeWidget* Lines() { return page->ui->lvIncome; }
    // Selects a source row as the holder and a click do.
    void Select(int row) {
        Sources()->selectionModel()->select(Sources()->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void SelectLine(int row) {
        Lines()->selectionModel()->select(Lines()->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    std::unique_ptr<TfrThirteenPercent> page;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Opening, showing and releasing a source

TEST_F(ThirteenPercent, OpensWithNoSourceShown) {
    TfrThirteenPercent& p = Open(ThreeSources);
    ASSERT_EQ(Sources()->topLevelItemCount(), 3);
    EXPECT_EQ(Sources()->topLevelItem(1)->text(0), QStringLiteral("Второй"));
    EXPECT_EQ(p.SourseItem, nullptr);
    EXPECT_EQ(Lines()->topLevelItemCount(), 0);
    EXPECT_TRUE(p.ui->fbAddIncome->isEnabled());
    EXPECT_TRUE(p.ui->meHoldSum->isEnabled());
    EXPECT_TRUE(p.ui->meHoldSum->Text().isEmpty());
    EXPECT_FALSE(p.ui->gbAppendixes->isVisibleTo(&p));

    // Shown: every value as decimal text, zeros as "0"; the first line is current.
    Select(0);
    EXPECT_EQ(p.SourseIndex, 0);
    ASSERT_EQ(Lines()->topLevelItemCount(), 2);
    EXPECT_EQ(Row(Lines(), 0), (QStringList{"1", "2000", "700", "0", "0"}));
    EXPECT_EQ(Row(Lines(), 1), (QStringList{"2", "2201", "300", "405", "60"}));
    EXPECT_TRUE(Lines()->topLevelItem(0)->isSelected());
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("1000"));
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("130"));
    EXPECT_EQ(p.ui->meObl->Text(), QStringLiteral("1000"));
    EXPECT_EQ(p.ui->meTaxIsch->Text(), QStringLiteral("130"));
    EXPECT_TRUE(window->Saved); // showing is no change
}

TEST_F(ThirteenPercent, WithoutSourcesTheLowerPartIsOffAndNoCountIsWritten) {
    TfrThirteenPercent& p = Open([](mTDeclaration& d) {
        d.AppG = 3;
        d.AppB = 2;
        d.AppM = 7;
    });
    for (QWidget* w : std::initializer_list<QWidget*>{p.ui->fbAddIncome, p.ui->fbRemoveIncome, p.ui->fbEditIncome, p.ui->meHoldSum,
                                                      p.ui->meObl, p.ui->meTaxIsch, p.ui->meAppG, p.ui->lbAppG})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    p.SaveData();
    EXPECT_EQ(Doc().AppG, 3);
    EXPECT_EQ(Doc().AppB, 2);
    EXPECT_EQ(Doc().AppM, 7);
}

TEST_F(ThirteenPercent, PickingAnotherSourceStoresTheAmountsOfTheOneShown) {
    TfrThirteenPercent& p = Open(ThreeSources);
    Select(0);
    p.ui->meHoldSum->selectAll();
    uitest::Type(p.ui->meHoldSum, "150");
    p.ui->meObl->selectAll();
    uitest::Type(p.ui->meObl, "999,5");
    EXPECT_EQ(Doc().GetThirteenPercent(0).HoldSum, Rub(130)); // not yet
    Select(2);
    EXPECT_EQ(Doc().GetThirteenPercent(0).HoldSum, Rub(150));
    EXPECT_EQ(Doc().GetThirteenPercent(0).Obl, Rub(999.5));
    EXPECT_EQ(p.SourseIndex, 2);
    EXPECT_EQ(Row(Lines(), 0), (QStringList{"3", "2000", "100,5", "0", "0"}));
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("5"));

    // SaveData stores the source shown; an empty edit is 0.
    p.ui->meHoldSum->clear();
    p.SaveData();
    EXPECT_EQ(Doc().GetThirteenPercent(2).HoldSum, Currency());

    // Deselected: released, and what is typed then is not stored.
    Sources()->clearSelection();
    EXPECT_EQ(p.SourseItem, nullptr);
    uitest::Type(p.ui->meTaxIsch, "7");
    p.SaveData();
    EXPECT_EQ(Doc().GetThirteenPercent(2).TaxIsch, Currency());
}

// A withheld tax with kopecks, a taxable income with four decimals, a negative amount: shown as
// stored and kept by every way the source is left.
TEST_F(ThirteenPercent, AmountsTheEditsCannotTakeAreShownAndKept) {
    TfrThirteenPercent& p = Open([](mTDeclaration& d) {
        mTThirteenPercent& s = AddSource(d, "С копейками");
        s.HoldSum = Currency::FromRaw(1304500); // 130,45
        s.Obl = Currency::FromRaw(1001234);     // 100,1234
        s.TaxIsch = Rub(-3);
        AddSource(d, "Другой", 10);
    });
    Select(0);
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("130,45"));
    EXPECT_EQ(p.ui->meObl->Text(), QStringLiteral("100,1234"));
    EXPECT_EQ(p.ui->meTaxIsch->Text(), QStringLiteral("-3"));
    Select(1); // released
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("10"));
    // The designed rule holds again for a source that fits it.
    uitest::Type(p.ui->meHoldSum, ",5");
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("105"));
    Select(0);
    p.SaveData();
    // Editing the source with OK keeps them too.
    {
        ModalAnswerer ok({Click("bnOk")});
        p.fbEditSourseIncomeClick();
        EXPECT_EQ(ok.Answered(), 1);
    }
    p.SaveData();
    const mTThirteenPercent& s = Doc().GetThirteenPercent(0);
    EXPECT_EQ(s.HoldSum.Raw(), 1304500);
    EXPECT_EQ(s.Obl.Raw(), 1001234);
    EXPECT_EQ(s.TaxIsch, Rub(-3));
    EXPECT_EQ(Doc().GetThirteenPercent(1).HoldSum, Rub(105));
}

// Opening, showing every source in turn and saving gives back the same file byte for byte.
TEST_F(ThirteenPercent, VisitingThePageKeepsTheFileByteForByte) {
    const std::function<void(mTDeclaration&)> fills[] = {
        [](mTDeclaration& d) { sample::Fill(d, 4, 5, 1, 1); },
        [](mTDeclaration& d) { // no 13 % source, counts set
            d.AutoCalculateApp = 1;
            d.Appendixes = 40; // not the sum of the counts: any write would change it
            d.AppG = 3;
            d.AppB = 12345; // wider than the edits
            d.AppM = -2;
        },
        [](mTDeclaration& d) { // values the edits cannot take, codes the dictionary does not know
            d.AutoCalculateApp = 1;
            d.Appendixes = 9;
            d.AppG = 99999;
            d.AppK = 4;
            std::string longName;
            for (int k = 0; k < 160; ++k) longName += "Ж"; // longer than the name edit takes
            mTThirteenPercent& s = AddSource(d, longName.c_str());
            s.HoldSum = Currency::FromRaw(1304567);
            s.Obl = Currency::FromRaw(-5);
            s.TaxIsch = Currency::FromRaw(1234567890123456);
            s.PrimaryWorkplase = 7;
            s.INN = "12ab";
            s.SetMonthSum(3, Rub(12.34));
            s.AddSourseIncome(Line(9999, 1.2345, 777, 3, 0, "Неизвестный"));
            s.AddSourseIncome(Line(0, 0, 0, 0, 13));
            s.AddSourseIncome(Line(-1, -100, -2, -1, 65535));
            AddSource(d, "");
        },
    };
    for (std::size_t i = 0; i < std::size(fills); ++i) {
        for (std::uint8_t kind : {0, 1}) {
            TfrThirteenPercent& p = Open(fills[i], kind);
            const std::string before = ReadFile(Path("open.vrq"));
            for (int row = 0; row < Sources()->topLevelItemCount(); ++row) Select(row);
            p.SaveData();
            Sources()->clearSelection();
            p.SaveData();
            Doc().SaveToFile(Path("saved.vrq"));
            EXPECT_EQ(ReadFile(Path("saved.vrq")), before) << "declaration " << i << " kind " << int(kind);
            page.reset();
            window.reset();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Sources

TEST_F(ThirteenPercent, AddingASource) {
    TfrThirteenPercent& p = Open(ThreeSources);
    Select(1);
    p.ui->meHoldSum->SetText(QStringLiteral("42"));
    bool boxShown = false;
    ModalAnswerer answer({[&](QDialog* d) {
        auto* dlg = qobject_cast<TfmInput13SourseIncome*>(d);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Источник выплаты"));
        boxShown = dlg->ui->chbPrimaryWorkplase->isVisibleTo(dlg);
        uitest::Type(dlg->ui->meSourseName, "ООО Новый");
        uitest::Type(dlg->ui->meINN, "77a01234560"); // the letter is refused
        uitest::Type(dlg->ui->meOKATO, "45286555000");
        uitest::Type(dlg->ui->meKPP, "770101001");
        dlg->ui->chbPrimaryWorkplase->setChecked(true);
        dlg->ui->meKPP->setFocus();
        uitest::Key(dlg->ui->meKPP, Qt::Key_Return); // Enter anywhere confirms
    }});
    p.fbAddSourseIncomeClick();
    EXPECT_EQ(answer.Answered(), 1);
    EXPECT_TRUE(boxShown);
    ASSERT_EQ(Doc().ThirteenPercentCount(), 4);
    const mTThirteenPercent& s = Doc().GetThirteenPercent(3);
    EXPECT_EQ(s.SourseName, "ООО Новый");
    EXPECT_EQ(s.INN, "7701234560");
    EXPECT_EQ(s.KPP, "770101001");
    EXPECT_EQ(s.OKATO, "45286555000");
    EXPECT_EQ(s.PrimaryWorkplase, 1);
    EXPECT_EQ(Sources()->topLevelItem(3)->text(0), QStringLiteral("ООО Новый"));
    EXPECT_EQ(p.SourseIndex, 3); // shown, after the source shown before was stored
    EXPECT_EQ(Doc().GetThirteenPercent(1).HoldSum, Rub(42));
    EXPECT_EQ(Lines()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->Saved);
}

TEST_F(ThirteenPercent, ABlankNameOrCancelAddsNothing) {
    TfrThirteenPercent& p = Open(ThreeSources);
    {
        ModalAnswerer answer({Nested(
            [](QDialog* d) {
                uitest::Type(qobject_cast<TfmInput13SourseIncome*>(d)->ui->meSourseName, "   ");
                d->findChild<QPushButton*>("bnOk")->click();
            },
            {SkipAll})});
        p.fbAddSourseIncomeClick();
    }
    {
        ModalAnswerer answer({Click("bnCansel")});
        p.fbAddSourseIncomeClick();
    }
    EXPECT_EQ(Doc().ThirteenPercentCount(), 3);
}

TEST_F(ThirteenPercent, NonResidentSourcesHaveNoStandardDeductionBox) {
    TfrThirteenPercent& p = Open({}, 1);
    EXPECT_FALSE(p.ui->fbAddIncome->isEnabled());
    bool boxShown = true;
    ModalAnswerer answer({[&](QDialog* d) {
        auto* dlg = qobject_cast<TfmInput13SourseIncome*>(d);
        boxShown = dlg->ui->chbPrimaryWorkplase->isVisibleTo(dlg);
        uitest::Type(dlg->ui->meSourseName, "Агент");
        uitest::Type(dlg->ui->meOKATO, "45286555000");
        dlg->ui->bnOk->click();
    }});
    p.fbAddSourseIncomeClick();
    EXPECT_FALSE(boxShown);
    ASSERT_EQ(Doc().ThirteenPercentCount(), 1);
    EXPECT_EQ(Doc().GetThirteenPercent(0).PrimaryWorkplase, 0);
    EXPECT_TRUE(p.ui->fbAddIncome->isEnabled());
    EXPECT_EQ(p.SourseItem, Sources()->topLevelItem(0));
}

TEST_F(ThirteenPercent, TheSourceDialogChecksThePayer) {
    TfmInput13SourseIncome dlg;
    dlg.show();
    std::vector<QString> seen;
    {
        // An empty name and a short territory code: fix the name; the dialog stays open.
        ModalAnswerer answer({Note(seen, Fix)});
        uitest::Key(dlg.ui->meINN, Qt::Key_Return);
    }
    EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("Не заполненно поле \"Наименование источника выплаты\"")});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.focusWidget(), dlg.ui->meSourseName);
    EXPECT_EQ(dlg.result(), 0);

    // "Пропустить" at the name shows the territory code next; fixing it focuses its edit.
    seen.clear();
    {
        ModalAnswerer answer({Note(seen, Skip), Note(seen, Fix)});
        dlg.ui->bnOk->click();
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], QStringLiteral("Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу - не нужен)"));
    EXPECT_EQ(dlg.focusWidget(), dlg.ui->meOKATO);

    // "Пропустить все" closes with OK, values as they stand.
    {
        ModalAnswerer answer({SkipAll});
        dlg.ui->bnOk->click();
    }
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(LastCheckAnswer, crSkipAll);
}

TEST_F(ThirteenPercent, EditingASource) {
    TfrThirteenPercent& p = Open(ThreeSources);
    p.fbEditSourseIncomeClick(); // no source shown: nothing
    Select(2);
    ModalAnswerer answer({[](QDialog* d) {
        auto* dlg = qobject_cast<TfmInput13SourseIncome*>(d);
        EXPECT_EQ(dlg->ui->meSourseName->Text(), QStringLiteral("Третий"));
        EXPECT_EQ(dlg->ui->meOKATO->Text(), QStringLiteral("45286555000"));
        dlg->ui->meSourseName->selectAll();
        uitest::Type(dlg->ui->meSourseName, "Третий новый");
        dlg->ui->bnOk->click();
    }});
    uitest::Key(Sources(), Qt::Key_Return); // Enter in the list edits
    EXPECT_EQ(answer.Answered(), 1);
    EXPECT_EQ(Doc().GetThirteenPercent(2).SourseName, "Третий новый");
    EXPECT_EQ(Sources()->topLevelItem(2)->text(0), QStringLiteral("Третий новый"));
    EXPECT_EQ(p.SourseIndex, 2);
    EXPECT_TRUE(Sources()->topLevelItem(2)->isSelected());
}

TEST_F(ThirteenPercent, DeletingSources) {
    TfrThirteenPercent& p = Open(ThreeSources);
    Select(0);
    p.ui->meHoldSum->SetText(QStringLiteral("1"));
    p.fbDeleteSourseIncomeClick();
    ASSERT_EQ(Doc().ThirteenPercentCount(), 2);
    EXPECT_EQ(Doc().GetThirteenPercent(0).SourseName, "Второй");
    EXPECT_EQ(p.SourseIndex, 0); // the new first source is shown
    EXPECT_EQ(p.SourseItem, Sources()->topLevelItem(0));
    EXPECT_EQ(Lines()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->Saved);

    Select(1); // "Третий": the row before it is shown after the deletion
    p.fbDeleteSourseIncomeClick();
    EXPECT_EQ(p.SourseIndex, 0);
    EXPECT_EQ(Sources()->topLevelItem(0)->text(0), QStringLiteral("Второй"));
    EXPECT_EQ(Doc().GetThirteenPercent(0).HoldSum, Currency()); // the other source's amounts untouched

    p.fbDeleteSourseIncomeClick();
    EXPECT_EQ(Doc().ThirteenPercentCount(), 0);
    EXPECT_EQ(p.SourseItem, nullptr);
    EXPECT_FALSE(p.ui->fbAddIncome->isEnabled());
    EXPECT_TRUE(p.ui->pnlItogIncomeSum->text().isEmpty());
    p.SaveData(); // nothing to store, nothing raised
}

// ---------------------------------------------------------------------------------------------
// Income lines on the page

TEST_F(ThirteenPercent, AddingEditingAndRemovingLines) {
    TfrThirteenPercent& p = Open(ThreeSources);
    p.fbAddIncomeClick(); // no source shown: nothing
    Select(1);
    {
        ModalAnswerer answer({Nested(
            [](QDialog* d) {
                auto* dlg = qobject_cast<TfmInput13Income*>(d);
                EXPECT_TRUE(dlg->Unrestricted);
                dlg->ui->bnIncomeCod->click();
                uitest::Type(dlg->ui->meIncomeSum, "1000");
                dlg->ui->bnSubtractCod->click();
                uitest::Type(dlg->ui->mePropSale, "4");
                dlg->ui->bnYes->click();
            },
            {Pick("2201"), Pick("405")})});
        p.fbAddIncomeClick();
        EXPECT_EQ(answer.Answered(), 1);
    }
    const mTThirteenPercent& s = Doc().GetThirteenPercent(1);
    ASSERT_EQ(s.SourseIncomeCount(), 1);
    const mTSourseIncome& l = s.Lines[0];
    EXPECT_EQ(l.IncomeCode, 2201);
    EXPECT_EQ(l.IncomeName, "Авторские вознаграждения за создание литературных произведений");
    EXPECT_EQ(l.IncomeSum, Rub(1000));
    EXPECT_EQ(l.DeductCode, 405);
    EXPECT_EQ(l.DeductSum, Rub(200));
    EXPECT_EQ(l.DeductNorm, 20);
    EXPECT_EQ(l.Month, 4);
    EXPECT_EQ(Row(Lines(), 0), (QStringList{"4", "2201", "1000", "405", "200"}));
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("1000"));
    EXPECT_FALSE(window->Saved);

    // A second line with no deduction: the row shows "Нет" and "-" for zeros.
    {
        ModalAnswerer answer({Nested(
            [](QDialog* d) {
                auto* dlg = qobject_cast<TfmInput13Income*>(d);
                dlg->ui->bnIncomeCod->click();
                uitest::Type(dlg->ui->meIncomeSum, "250,5");
                dlg->ui->bnYes->click();
            },
            {Pick("2000")})});
        p.fbAddIncomeClick();
    }
    EXPECT_EQ(Row(Lines(), 1), (QStringList{"1", "2000", "250,5", "Нет", "-"}));
    EXPECT_EQ(p.IncomeIndex, 1);
    EXPECT_TRUE(Lines()->topLevelItem(1)->isSelected());
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("1250,5"));

    // Editing the first line by a double click: the norm deduction follows the new income.
    SelectLine(0);
    {
        ModalAnswerer answer({[](QDialog* d) {
            auto* dlg = qobject_cast<TfmInput13Income*>(d);
            EXPECT_EQ(dlg->ui->meSubtractSum->Text(), QStringLiteral("200"));
            dlg->ui->meIncomeSum->selectAll();
            uitest::Type(dlg->ui->meIncomeSum, "1500");
            dlg->ui->bnYes->click();
        }});
        const QRect r = Lines()->visualItemRect(Lines()->topLevelItem(0));
        QTest::mouseDClick(Lines()->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_EQ(answer.Answered(), 1);
    }
    EXPECT_EQ(Doc().GetThirteenPercent(1).Lines[0].DeductSum, Rub(300));
    EXPECT_EQ(Row(Lines(), 0), (QStringList{"4", "2201", "1500", "405", "300"}));
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("1750,5"));

    // Removing the second line selects the first; removing that leaves none.
    SelectLine(1);
    p.fbRemoveIncomeClick();
    EXPECT_EQ(Doc().GetThirteenPercent(1).SourseIncomeCount(), 1);
    EXPECT_EQ(p.IncomeIndex, 0);
    EXPECT_TRUE(Lines()->topLevelItem(0)->isSelected());
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("1500"));
    p.fbRemoveIncomeClick();
    EXPECT_EQ(Lines()->topLevelItemCount(), 0);
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("0"));
    p.fbRemoveIncomeClick(); // nothing left: nothing happens
    p.fbEditIncomeClick();
}

TEST_F(ThirteenPercent, ALineWithoutIncomeCodeIsNotAdded) {
    TfrThirteenPercent& p = Open(ThreeSources);
    Select(1);
    ModalAnswerer answer({NestedClick("bnYes", {SkipAll})});
    p.fbAddIncomeClick();
    EXPECT_EQ(answer.Answered(), 1);
    EXPECT_EQ(Doc().GetThirteenPercent(1).SourseIncomeCount(), 0);
    EXPECT_TRUE(window->Saved);
}

// A line the dictionary cannot explain keeps its name, deduction and month through an OK.
TEST_F(ThirteenPercent, EditingALineTheDictionaryDoesNotKnowKeepsIt) {
    TfrThirteenPercent& p = Open([](mTDeclaration& d) {
        mTThirteenPercent& s = AddSource(d, "А");
        s.AddSourseIncome(Line(9999, 1500.1234, 777, 12.5, 7, "Старый код", 15));
        s.AddSourseIncome(Line(2201, 1000, 301, 40, 5, "Имя из файла")); // 301 is not allowed under 2201
        s.AddSourseIncome(Line(0, 80, 0, 0, 9, "Без кода"));
    });
    Select(0);
    for (int row = 0; row < 3; ++row) {
        SelectLine(row);
        const mTSourseIncome before = Doc().GetThirteenPercent(0).Lines[row];
        ModalAnswerer answer({NestedClick("bnYes", {SkipAll})});
        p.fbEditIncomeClick();
        const mTSourseIncome& after = Doc().GetThirteenPercent(0).Lines[row];
        EXPECT_EQ(after.IncomeCode, before.IncomeCode) << row;
        EXPECT_EQ(after.IncomeSum, before.IncomeSum) << row;
        EXPECT_EQ(after.DeductCode, before.DeductCode) << row;
        EXPECT_EQ(after.DeductSum, before.DeductSum) << row;
        EXPECT_EQ(after.DeductNorm, before.DeductNorm) << row;
        EXPECT_EQ(after.Month, before.Month) << row;
        if (row != 1) {
            EXPECT_EQ(after.IncomeName, before.IncomeName) << row; // a known code takes its own name
        }
    }
    EXPECT_EQ(Doc().GetThirteenPercent(0).Lines[1].IncomeName, "Авторские вознаграждения за создание литературных произведений");
}

// ---------------------------------------------------------------------------------------------
// The income-line dialog

class LineDialog : public ThirteenPercent {
protected:
    // The dialog on an existing line, shown.
    std::unique_ptr<TfmInput13Income> Edit(std::int32_t code, double income, std::int32_t deduct, double deductSum,
                                           bool unrestricted = true, std::uint16_t month = 3) {
        auto dlg = std::make_unique<TfmInput13Income>(nullptr, *Line(code, income, deduct, deductSum, month), unrestricted);
        dlg->show();
        return dlg;
    }
    static void SetIncome(TfmInput13Income& d, const char* text) {
        d.ui->meIncomeSum->selectAll();
        uitest::Key(d.ui->meIncomeSum, Qt::Key_Delete);
        uitest::Type(d.ui->meIncomeSum, text);
    }
};

// The deduction formed from the income as it is typed: norms rounded to the kopeck by the binary
// rule, amounts equal to the income, caps.
TEST_F(LineDialog, DeductionFollowsTheIncome) {
    struct Case {
        std::int32_t income;
        std::int32_t deduct;
        const char* typed;
        const char* expected;
    } cases[] = {
        {2201, 405, "1000", "200"},       {2201, 405, "1500", "300"},      {2206, 405, "1000,06", "250,01"},
        {2206, 405, "1000,1", "250,03"},  {2206, 405, "0,1", "0,03"},      {2206, 405, "0,06", "0,01"},
        {2202, 405, "0,05", "0,01"},      {2203, 405, "10", "4"},          {2760, 503, "5000", "2000"},
        {2760, 503, "1500", "1500"},      {1510, 301, "3000000", "1000000"}, {1510, 302, "3000000", "3000000"},
        {1520, 303, "125000,01", "125000"}, {1510, 305, "500", ""}, // typed deductions are the user's
    };
    for (const Case& c : cases) {
        auto dlg = Edit(c.income, 0, c.deduct, 0);
        SetIncome(*dlg, c.typed);
        EXPECT_EQ(dlg->ui->meSubtractSum->Text(), QString::fromUtf8(c.expected)) << c.income << " " << c.deduct << " " << c.typed;
    }
    EXPECT_EQ(NormAmount(Currency::FromRaw(10000600), 25), Currency::FromRaw(2500100));
    EXPECT_EQ(NormAmount(Currency::FromRaw(10001000), 25), Currency::FromRaw(2500300));
}

TEST_F(LineDialog, ChoosingCodesAppliesTheDeductionsRules) {
    TfmInput13Income dlg(nullptr);
    dlg.Unrestricted = true;
    dlg.show();
    EXPECT_FALSE(dlg.ui->meIncomeSum->isEnabled());
    EXPECT_FALSE(dlg.ui->bnSubtractCod->isEnabled());
    EXPECT_FALSE(dlg.ui->mePropSale->isEnabled());
    {
        ModalAnswerer answer({Pick("2760")});
        dlg.bnIncomeCodClick();
    }
    EXPECT_EQ(dlg.ui->pnlIncomeCod->text(), QStringLiteral("2760"));
    EXPECT_TRUE(dlg.ui->meIncomeSum->isEnabled());
    EXPECT_TRUE(dlg.ui->bnSubtractCod->isEnabled());
    EXPECT_FALSE(dlg.ui->meSubtractSum->isEnabled()); // until a deduction is chosen
    EXPECT_TRUE(dlg.ui->mePropSale->isEnabled());
    uitest::Type(dlg.ui->meIncomeSum, "1500");
    uitest::Type(dlg.ui->mePropSale, "6");
    {
        ModalAnswerer answer({Pick("503")});
        dlg.bnSubtractCodClick();
    }
    EXPECT_EQ(dlg.ui->meSubtractSum->Text(), QStringLiteral("1500"));
    EXPECT_TRUE(dlg.ui->meSubtractSum->isEnabled()); // 503 may be typed, never above 2,000
    dlg.ui->meSubtractSum->selectAll();
    uitest::Type(dlg.ui->meSubtractSum, "2500");
    EXPECT_EQ(dlg.ui->meSubtractSum->Text(), QStringLiteral("2000"));

    // The deduction "0": its amount is hidden and stays empty.
    {
        ModalAnswerer answer({Pick("0")});
        dlg.bnSubtractCodClick();
    }
    EXPECT_FALSE(dlg.ui->meSubtractSum->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.ui->meSubtractSum->Text().isEmpty());
    EXPECT_EQ(dlg.GetSubtractCode(), 0);

    // Another income: both amounts and the deduction emptied, the month kept.
    {
        ModalAnswerer answer({Pick("2000")});
        dlg.bnIncomeCodClick();
    }
    EXPECT_TRUE(dlg.ui->meIncomeSum->Text().isEmpty());
    EXPECT_TRUE(dlg.ui->pnlSubtractCod->text().isEmpty());
    EXPECT_FALSE(dlg.ui->bnSubtractCod->isEnabled());
    EXPECT_EQ(dlg.GetMonth(), 6);
    EXPECT_EQ(dlg.IncomeName, QStringLiteral("Заработная плата и другие выплаты во исполнение трудового договора (кроме договоров ГП характера)"));
}

TEST_F(LineDialog, OnlyFourIncomesOfferDeductionsToANonResident) {
    struct Case {
        const char* code;
        bool offered;
    } cases[] = {{"2710", false}, {"2201", false}, {"2720", true}, {"2770", true}};
    for (const Case& c : cases) {
        TfmInput13Income dlg(nullptr);
        dlg.Unrestricted = false;
        ModalAnswerer answer({Pick(c.code)});
        dlg.bnIncomeCodClick();
        EXPECT_EQ(dlg.ui->bnSubtractCod->isEnabled(), c.offered) << c.code;
        EXPECT_EQ(dlg.DeductAllowed, c.offered) << c.code;
    }
    // Editing a resident's line under the restriction drops the deduction it may not have.
    auto dlg = Edit(2201, 1000, 404, 100, false);
    EXPECT_FALSE(dlg->DeductAllowed);
    EXPECT_EQ(dlg->GetSubtractCode(), 0);
}

TEST_F(LineDialog, EditingShowsTheStoredLine) {
    // A typed deduction is shown as stored; deduction "0" hidden; the month shown.
    auto typed = Edit(1530, 5000, 307, 6000, true, 11);
    EXPECT_EQ(typed->ui->meSubtractSum->Text(), QStringLiteral("6000"));
    EXPECT_TRUE(typed->ui->meSubtractSum->isEnabled());
    EXPECT_EQ(typed->GetMonth(), 11);
    auto none = Edit(2201, 5000, 0, 0);
    EXPECT_EQ(none->ui->pnlSubtractCod->text(), QStringLiteral("0"));
    EXPECT_FALSE(none->ui->meSubtractSum->isVisibleTo(none.get()));
    // An equivalent deduction is formed again from the stored income.
    auto equivalent = Edit(2760, 1800, 503, 1000);
    EXPECT_EQ(equivalent->ui->meSubtractSum->Text(), QStringLiteral("1800"));
}

TEST_F(LineDialog, MonthStaysWithinTheYear) {
    auto dlg = Edit(2000, 10, 0, 0);
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"0", "1"}, {"13", "12"}, {"99", "12"}, {"7", "7"}, {"12", "12"}};
    for (const Case& c : cases) {
        dlg->ui->mePropSale->clear();
        uitest::Type(dlg->ui->mePropSale, c.typed);
        EXPECT_EQ(dlg->ui->mePropSale->Text(), QString::fromUtf8(c.shown)) << c.typed;
    }
    dlg->ui->mePropSale->clear();
    EXPECT_EQ(dlg->GetMonth(), 1);
}

TEST_F(LineDialog, ChecksTheLine) {
    const QString tooLarge = QStringLiteral("Сумма вычета превышает сумму дохода");
    struct Case {
        std::int32_t income;
        double incomeSum;
        std::int32_t deduct;
        double deductSum;
        std::vector<ModalAnswerer::Answer> answers;
        std::vector<QString> messages;
        std::uint16_t result;
    } cases[] = {
        {2000, 100, 0, 0, {}, {}, 0},
        {2000, 0, 0, 0, {Fix}, {QStringLiteral("Не указана сумма дохода")}, 2},
        {2760, 1500, 503, 0, {}, {}, 0},
        {1530, 1000, 307, 5000, {}, {}, 0},    // the cost of securities may exceed the income
        {1534, 1000, 307, 5000, {Fix}, {tooLarge}, 4},
        {1510, 1000, 0, 0, {Skip}, {QStringLiteral("Не выбран вычет")}, 0}, // 0 is a choice; see below
        {2201, 1000, 404, 1500, {Skip}, {tooLarge}, 0},
    };
    for (Case& c : cases) {
        auto dlg = Edit(c.income, c.incomeSum, c.deduct, c.deductSum);
        if (c.income == 1510) dlg->ui->pnlSubtractCod->clear(); // as when no deduction was picked
        std::vector<QString> seen;
        for (auto& a : c.answers) a = Note(seen, a);
        ModalAnswerer answer(c.answers);
        EXPECT_EQ(dlg->CheckIncome(), c.result) << c.income;
        EXPECT_EQ(seen, c.messages) << c.income;
    }

    // Typed over the cap's income: 2760 with income 1500 and deduction 1800 (under the cap).
    auto dlg = Edit(2760, 1500, 503, 0);
    dlg->ui->meSubtractSum->selectAll();
    uitest::Type(dlg->ui->meSubtractSum, "1800");
    std::vector<QString> seen;
    {
        ModalAnswerer answer({Note(seen, Fix)});
        dlg->ui->bnYes->click();
    }
    EXPECT_EQ(seen, std::vector<QString>{tooLarge});
    EXPECT_EQ(dlg->focusWidget(), dlg->ui->meSubtractSum);
    EXPECT_TRUE(dlg->isVisible());

    // A new line: no income, then "Пропустить": the amount is reported too; "Исправить" there opens
    // the income picker (item 1 while no income is chosen).
    TfmInput13Income fresh(nullptr);
    fresh.show();
    seen.clear();
    bool pickerOpened = false;
    {
        ModalAnswerer answer({Note(seen, Skip), Note(seen, Fix), [&](QDialog* d) {
                                  pickerOpened = d->findChild<QTreeWidget*>(QStringLiteral("lvIncomeNames")) != nullptr;
                                  d->reject();
                              }});
        uitest::Key(fresh.ui->bnYes, Qt::Key_Return);
    }
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("Не выбран доход"), QStringLiteral("Не указана сумма дохода")}));
    EXPECT_TRUE(pickerOpened);
    EXPECT_TRUE(fresh.isVisible());
}

// ---------------------------------------------------------------------------------------------
// The page's check, focus and splitter

TEST_F(ThirteenPercent, CheckReportsTheFirstSourceWithLessIncomeThanTaxWithheld) {
    TfrThirteenPercent& p = Open([](mTDeclaration& d) {
        AddSource(d, "Хороший", 130).AddSourseIncome(Line(2000, 1000));
        AddSource(d, "Плохой", 2000).AddSourseIncome(Line(2000, 1000));
        AddSource(d, "Тоже плохой", 10);
    });
    std::vector<QString> seen;
    {
        ModalAnswerer answer({Note(seen, Fix)});
        EXPECT_EQ(p.CheckData(), 2);
    }
    EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("По данному источнику выплаты общая сумма дохода меньше удержанной суммы")});
    // Any other answer passes, and later sources are not examined.
    seen.clear();
    {
        ModalAnswerer answer({Note(seen, Skip)});
        EXPECT_EQ(p.CheckData(), 0);
    }
    EXPECT_EQ(seen.size(), 1u);

    // The item leads to the source, which is shown.
    p.FocusItem(2);
    EXPECT_EQ(p.SourseIndex, 1);
    EXPECT_TRUE(Sources()->topLevelItem(1)->isSelected());
    EXPECT_EQ(p.ui->meHoldSum->Text(), QStringLiteral("2000"));
}

TEST_F(ThirteenPercent, TopPanelIsNotDraggedBelowItsLimit) {
    TfrThirteenPercent& p = Open(ThreeSources);
    p.resize(640, 700);
    p.show();
    QSplitter* splitter = p.ui->splitter1;
    QWidget* handle = splitter->handle(1);
    auto drag = [&](int toY) {
        const QPoint start = handle->rect().center();
        const QPoint startGlobal = handle->mapToGlobal(start);
        QMouseEvent press(QEvent::MouseButtonPress, start, startGlobal, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &press);
        const QPoint to(start.x(), start.y() + toY - p.ui->pnlSourseIncome->height());
        QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, handle->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &release);
    };
    const int designed = splitter->sizes().value(0);
    EXPECT_LT(designed, 265);
    drag(200);
    EXPECT_EQ(splitter->sizes().value(0), designed);
    drag(300);
    EXPECT_EQ(splitter->sizes().value(0), 300);
    drag(150);
    EXPECT_EQ(splitter->sizes().value(0), 300);
}

// A source with a few hundred lines: every line listed in order, and the page stays usable.
TEST_F(ThirteenPercent, ManyLines) {
    TfrThirteenPercent& p = Open([](mTDeclaration& d) {
        mTThirteenPercent& s = AddSource(d, "Большой");
        for (int i = 0; i < 400; ++i) s.AddSourseIncome(Line(2000, 100 + i, 0, 0, 1 + i % 12));
        AddSource(d, "Малый");
    });
    Select(0);
    ASSERT_EQ(Lines()->topLevelItemCount(), 400);
    EXPECT_EQ(Row(Lines(), 399), (QStringList{"4", "2000", "499", "0", "0"}));
    EXPECT_EQ(p.ui->pnlItogIncomeSum->text(), QStringLiteral("119800"));
    SelectLine(399);
    EXPECT_EQ(p.IncomeIndex, 399);
    p.fbRemoveIncomeClick();
    EXPECT_EQ(p.IncomeIndex, 398);
    Select(1);
    EXPECT_EQ(Lines()->topLevelItemCount(), 0);
    Select(0);
    EXPECT_EQ(Lines()->topLevelItemCount(), 399);
}
