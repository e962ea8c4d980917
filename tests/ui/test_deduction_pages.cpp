// The deduction page: its two sub-pages (standard and social, property), their dialogs, their
// bindings to the document and their checks.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/Dif.h"
#include "pages/FrameConstructionDeduct.h"
#include "pages/FrameDeductData.h"
#include "pages/FrameStandartDeduct.h"
#include "pages/InputChildEduSum.h"
#include "pages/InputReference.h"
#include "pages/KeptEntries.h"
#include "pages/Zayava.h"
#include "platform/QtWindowing.h"
#include "ui_Dif.h"
#include "ui_FrameConstructionDeduct.h"
#include "ui_FrameDeductData.h"
#include "ui_FrameStandartDeduct.h"
#include "ui_InputChildEduSum.h"
#include "ui_InputRegionName.h"
#include "ui_Main.h"
#include "ui_Zayava.h"

#include <QComboBox>
#include <QDateEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using testutil::ReadFile;
using uitest::Click;
using uitest::ModalAnswerer;

namespace {

const auto Fix = Click("Button1");
const auto Skip = Click("Button2");
const auto SkipAll = Click("Button3");

Currency Rub(double r) { return Currency::FromRaw(static_cast<std::int64_t>(r * 10000 + (r < 0 ? -0.5 : 0.5))); }

// Records the message of each check dialog, then answers it.
ModalAnswerer::Answer Note(std::vector<QString>& seen, ModalAnswerer::Answer answer) {
    return [&seen, answer](QDialog* d) {
        if (auto* c = qobject_cast<TfmCheckError*>(d)) seen.push_back(c->Message());
        answer(d);
    };
}

// Answers a dialog of class T after letting `act` work on it.
template <class T>
ModalAnswerer::Answer On(std::function<void(T&)> act) {
    return [act](QDialog* d) {
        auto* t = qobject_cast<T*>(d);
        ASSERT_NE(t, nullptr) << d->metaObject()->className();
        act(*t);
    };
}

void Clear(QLineEdit* e) {
    e->selectAll();
    uitest::Key(e, Qt::Key_Delete);
}

void Retype(QLineEdit* e, const QString& text) {
    Clear(e);
    uitest::Type(e, text);
}

class DeductionPages : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
        SetMessageBoxHook([this](const QString& text, TMsgIcon, TMsgButtons) {
            questions << text;
            return answer;
        });
    }
    void TearDown() override {
        window.reset();
        SetMessageBoxHook({});
        TempDir::TearDown();
    }

    // The main window on a declaration opened from a file, showing the deduction page.
    TfrFrameDeductData& Open(const std::function<void(mTDeclaration&)>& fill = {}, const std::string& name = "open.vrq") {
        mTDeclaration d;
        d.InspectionNumber = "7701";
        d.SetIncomeKinds(ikRussian); // the deductions are stored only with an income kind
        if (fill) fill(d);
        d.SaveToFile(Path(name));
        return Reopen(name);
    }
    TfrFrameDeductData& Reopen(const std::string& name) {
        window.reset();
        window = uitest::OpenWindow(Path(name), dir);
        window->SetPageFactory(window->ui->fbDeduction, QStringLiteral("TfrFrameDeductData"),
                               [](QWidget* owner, TDocumentRef ref) { return new TfrFrameDeductData(owner, ref); });
        ModalAnswerer skip({SkipAll, SkipAll});
        window->ui->fbDeduction->SetDown(true);
        window->PageButtonClick(window->ui->fbDeduction);
        window->Saved = true;
        return uitest::ShownPage<TfrFrameDeductData>(*window);
    }
    // Saves the document under a new name (through the page's SaveData, as the main window does).
    void SaveAs(const std::string& name) {
        window->FileName = QString::fromStdString(Path(name));
        window->SaveDocExecute();
    }
    // A page or sub-page that is not shown ends the test, rather than letting it act on nothing.
    TfrFrameDeductData* Holder() { return &uitest::ShownPage<TfrFrameDeductData>(*window); }
    TfrFrameStandartDeduct* Standard() { return &uitest::ShownSubPage<TfrFrameStandartDeduct>(*Holder()); }
    TfrConstructionDeduct* Property() { return &uitest::ShownSubPage<TfrConstructionDeduct>(*Holder()); }
    Ui::TfrFrameStandartDeduct& S() { return *Standard()->ui; }
    Ui::TfrConstructionDeduct& P() { return *Property()->ui; }
    mTDeclaration& Doc() { return *window->Document; }
    void ToProperty() {
        ModalAnswerer skip({SkipAll});
        Holder()->ui->fbConstructionDeduct->SetDown(true);
        Holder()->fbConstructionDeductClick();
        ASSERT_NE(Property(), nullptr);
    }
    std::vector<TMaskedEdit*> Months(int group) {
        auto& u = S();
        if (group == 0)
            return {u.meJan, u.meFeb, u.meMar, u.meApr, u.meMay, u.meJun, u.meJul, u.meAug, u.meSep, u.meOct, u.meNov, u.meDec};
        return {u.meJan2, u.meFeb2, u.meMar2, u.meApr2, u.meMay2, u.meJun2,
                u.meJul2, u.meAug2, u.meSep2, u.meOct2, u.meNov2, u.meDec2};
    }
    QStringList Rows() {
        QStringList r;
        for (int i = 0; i < S().lvSumList->topLevelItemCount(); ++i) r << S().lvSumList->topLevelItem(i)->text(0);
        return r;
    }
    std::vector<std::int64_t> EduSums() {
        std::vector<std::int64_t> r;
        for (int i = 0; i < Doc().SocialDeduct.ChildEduCount; ++i) r.push_back(Doc().SocialDeduct.GetChildEduSum(i).Raw());
        return r;
    }

    std::unique_ptr<TFormMain> window;
    QStringList questions;
    int answer = mrYes;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Standard and social deductions

TEST_F(DeductionPages, NewDeclarationShowsTheDefaults) {
    TfrFrameDeductData& h = Open();
    ASSERT_NE(Standard(), nullptr);
    EXPECT_TRUE(h.ui->fbStandartDeduct->Down());
    EXPECT_FALSE(h.ui->fbConstructionDeduct->Down());
    auto& u = S();
    EXPECT_TRUE(u.rb103->isChecked());
    EXPECT_TRUE(u.rbTowParents->isChecked());
    for (QCheckBox* b : {u.chbConstChildrens, u.chbConstChildrens2}) EXPECT_TRUE(b->isChecked());
    EXPECT_EQ(u.meChildrens->Text(), "0");
    EXPECT_TRUE(u.meChildrens->isEnabled());
    for (int g = 0; g < 2; ++g)
        for (TMaskedEdit* m : Months(g)) {
            EXPECT_EQ(m->Text(), "0");
            EXPECT_FALSE(m->isEnabled());
        }
    EXPECT_FALSE(u.chbGrantingSocDeduct->isChecked());
    for (TMaskedEdit* e : {u.meCharitySum, u.meSelfEducationSum, u.meMedicalSum, u.meExpensiveMedicalSum}) {
        EXPECT_TRUE(e->Text().isEmpty());
        EXPECT_FALSE(e->isEnabled());
    }
    for (TFlashButton* b : {u.fbAddSum, u.fbDeleteSum, u.fbEditSum}) EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(u.chbZayava->isVisible());
    EXPECT_TRUE(window->Saved);
}

TEST_F(DeductionPages, ConstantCountTypedGoesIntoEveryMonth) {
    Open();
    auto& u = S();
    Retype(u.meChildrens, "3");
    for (TMaskedEdit* m : Months(0)) EXPECT_EQ(m->Text(), "3");
    EXPECT_EQ(kept::SpinPosition(u.UpDChildrens), 3);
    u.chbConstChildrens->setChecked(false);
    for (TMaskedEdit* m : Months(0)) {
        EXPECT_EQ(m->Text(), "3");
        EXPECT_TRUE(m->isEnabled());
    }
    EXPECT_FALSE(u.meChildrens->isEnabled());
    Retype(u.meMar, "4");
    Standard()->SaveData();
    const mTStandartDeduct& st = Doc().StandartDeduct;
    EXPECT_EQ(st.ConstChildrens, 0);
    for (int m = 0; m < 12; ++m) EXPECT_EQ(st.GetMonthChildrens(m), m == 2 ? 4 : 3) << m;
    // The spin button steps the constant count once the box is ticked again.
    u.chbConstChildrens->setChecked(true);
    kept::SetSpinPosition(u.UpDChildrens, 7);
    EXPECT_EQ(u.meChildrens->Text(), "7");
    EXPECT_EQ(u.meDec->Text(), "7");
}

// A stored constant count stands for every month: unticking the box keeps it month by month rather
// than dropping every month to 0.
TEST_F(DeductionPages, StoredConstantCountUntickedKeepsItInEveryMonth) {
    Open([](mTDeclaration& d) {
        d.StandartDeduct.SetConstChildrens(2);
        d.StandartDeduct.SetConstChildrens2(1);
    });
    auto& u = S();
    EXPECT_EQ(u.meChildrens->Text(), "2");
    EXPECT_EQ(kept::SpinPosition(u.UpDChildrens), 2);
    for (TMaskedEdit* m : Months(0)) EXPECT_EQ(m->Text(), "2");
    u.chbConstChildrens->setChecked(false);
    Standard()->SaveData();
    const mTStandartDeduct& st = Doc().StandartDeduct;
    EXPECT_EQ(st.ConstChildrens, 0);
    for (int m = 0; m < 12; ++m) EXPECT_EQ(st.GetMonthChildrens(m), 2);
    EXPECT_EQ(st.ConstChildrens2, 1);
    EXPECT_EQ(st.ChildrensCount2, 1);
}

TEST_F(DeductionPages, MonthlyCountsAndCodesSurviveSaveAndReopen) {
    Open();
    auto& u = S();
    u.rbOneParent->click();
    u.rb105->click();
    u.chbConstChildrens2->setChecked(false);
    const auto months2 = Months(1);
    for (int m = 0; m < 12; ++m) Retype(months2[m], QString::number(m % 4));
    Retype(u.meChildrens, "12");
    EXPECT_FALSE(window->Saved);
    SaveAs("saved.vrq");
    Reopen("saved.vrq");
    auto& r = S();
    EXPECT_TRUE(r.rb105->isChecked());
    EXPECT_TRUE(r.rbOneParent->isChecked());
    EXPECT_TRUE(r.chbConstChildrens->isChecked());
    EXPECT_EQ(r.meChildrens->Text(), "12");
    EXPECT_FALSE(r.chbConstChildrens2->isChecked());
    EXPECT_EQ(r.meChildrens2->Text(), "0");
    for (int m = 0; m < 12; ++m) EXPECT_EQ(Months(1)[m]->Text(), QString::number(m % 4));
}

TEST_F(DeductionPages, PerMonthCodeDialog) {
    Open([](mTDeclaration& d) {
        d.StandartDeduct.StandartCode = 104; // month codes chosen once, then a fixed code
        d.StandartDeduct.Combination = 1;
        for (int m = 1; m <= 12; ++m) d.StandartDeduct.SetMonthCombination(m, m == 5 ? 2 : 0);
    });
    auto& u = S();
    EXPECT_TRUE(u.rb104->isChecked());

    // OK: the month choices and the code 110.
    std::vector<int> shown;
    {
        ModalAnswerer ok({On<TfmDif>([&](TfmDif& f) {
            for (int m = 1; m <= 12; ++m) shown.push_back(f.List(m)->currentIndex());
            f.List(12)->setCurrentIndex(1);
            f.ui->BitBtn1->click();
        })});
        u.rbQ->click();
        EXPECT_EQ(ok.Answered(), 1);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
    const mTStandartDeduct& st = Doc().StandartDeduct;
    EXPECT_EQ(st.Combination, 1);
    EXPECT_EQ(st.GetMonthCombination(12), 1);
    EXPECT_EQ(st.GetMonthCombination(5), 2);
    Standard()->SaveData();
    EXPECT_EQ(st.StandartCode, 110);

    // Clicking "?" while it is checked opens nothing; a double click reopens the dialog.
    {
        ModalAnswerer none({});
        u.rbQ->click();
        EXPECT_EQ(none.Answered(), 0);
    }
    {
        ModalAnswerer cancel({Click("BitBtn2")});
        QTest::mouseDClick(u.rbQ, Qt::LeftButton);
        EXPECT_EQ(cancel.Answered(), 1);
    }
    EXPECT_TRUE(u.rbQ->isChecked()); // cancelling a reopening keeps the month codes in use
    EXPECT_EQ(st.Combination, 1);
}

// Cancelling the per-month dialog goes back to the code chosen before, so what is shown is what is
// stored (a "?" without month codes would be read as 103).
TEST_F(DeductionPages, CancellingThePerMonthDialogKeepsTheCodeChosenBefore) {
    Open([](mTDeclaration& d) { d.StandartDeduct.StandartCode = 105; });
    auto& u = S();
    ModalAnswerer cancel({Click("BitBtn2")});
    u.rbQ->click();
    EXPECT_EQ(cancel.Answered(), 1);
    EXPECT_TRUE(u.rb105->isChecked());
    EXPECT_FALSE(u.rbQ->isChecked());
    Standard()->SaveData();
    EXPECT_EQ(Doc().StandartDeduct.StandartCode, 105);
    EXPECT_EQ(Doc().StandartDeduct.Combination, 0);
    EXPECT_FALSE(window->Saved);
}

TEST_F(DeductionPages, UntickingStandardDeductionsEmptiesTheCountsAndEndsTheRecalculation) {
    Open([](mTDeclaration& d) {
        d.StandartDeduct.SetConstChildrens(2);
        d.StandartDeduct.SetConstChildrens2(1);
        d.StandartDeduct.Zayava = 1;
    });
    auto& u = S();
    EXPECT_TRUE(u.chbZayava->isChecked());
    u.chbGrantingStanDeduct->setChecked(false);
    EXPECT_TRUE(u.meChildrens->Text().isEmpty());
    EXPECT_TRUE(u.meChildrens2->Text().isEmpty());
    EXPECT_FALSE(u.meChildrens->isEnabled());
    EXPECT_FALSE(u.rb103->isEnabled());
    EXPECT_FALSE(u.chbConstChildrens->isEnabled());
    EXPECT_EQ(Doc().StandartDeduct.Zayava, 0);
    u.chbGrantingStanDeduct->setChecked(true);
    EXPECT_TRUE(u.meChildrens->Text().isEmpty());
    EXPECT_TRUE(u.meChildrens->isEnabled());
    Standard()->SaveData();
    EXPECT_EQ(Doc().StandartDeduct.ChildrensCount, 0);
    EXPECT_EQ(Doc().StandartDeduct.ChildrensCount2, 0);
}

TEST_F(DeductionPages, RecalculationDialogFromTheWholeDeclarationCheck) {
    Open([](mTDeclaration& d) {
        d.StandartDeduct.Zayava = 1;
        for (int m = 1; m <= 12; ++m) d.StandartDeduct.SetZayavaSum(m, Rub(1000.0 * m + 0.5));
    });
    TfrFrameDeductData& h = *Holder();
    S().chbZayava->setChecked(false); // the flag off, the incomes kept in the record
    EXPECT_EQ(Doc().StandartDeduct.Zayava, 0);
    ToProperty();
    QStringList shown;
    {
        ModalAnswerer cancel({On<TfmZayava>([&](TfmZayava& z) {
            for (int m = 1; m <= 12; ++m) shown << z.Edit(m)->Text();
            z.ui->bnCansel->click();
        })});
        h.FocusPageItem(0, 2);
        EXPECT_EQ(cancel.Answered(), 1);
    }
    ASSERT_NE(Standard(), nullptr);
    EXPECT_TRUE(h.ui->fbStandartDeduct->Down());
    EXPECT_EQ(shown.front(), "1000,5");
    EXPECT_EQ(shown.back(), "12000,5");
    EXPECT_FALSE(S().chbZayava->isChecked());
    EXPECT_EQ(Doc().StandartDeduct.Zayava, 0);

    // OK stores the twelve incomes; an emptied month counts as 0.
    {
        ModalAnswerer ok({On<TfmZayava>([](TfmZayava& z) {
            Retype(z.Edit(3), "77,25");
            Clear(z.Edit(4));
            z.ui->bnOk->click();
        })});
        h.FocusPageItem(0, 2);
    }
    const mTStandartDeduct& st = Doc().StandartDeduct;
    EXPECT_EQ(st.Zayava, 1);
    EXPECT_EQ(st.GetZayavaSum(3), Rub(77.25));
    EXPECT_EQ(st.GetZayavaSum(4), Currency());
    EXPECT_EQ(st.GetZayavaSum(5), Rub(5000.5));
    EXPECT_TRUE(S().chbZayava->isChecked());
}

// Unticking social deductions asks before the amounts go; "Нет" keeps everything.
TEST_F(DeductionPages, UntickingSocialDeductionsAsksBeforeDeleting) {
    Open([](mTDeclaration& d) {
        d.SocialDeduct.Granting = 1;
        d.SocialDeduct.Charity = Rub(100);
        d.SocialDeduct.AddChildEduSum(Rub(10));
        d.SocialDeduct.AddChildEduSum(Rub(20));
    });
    auto& u = S();
    answer = mrNo;
    u.chbGrantingSocDeduct->setChecked(false);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(u.chbGrantingSocDeduct->isChecked());
    EXPECT_TRUE(u.meCharitySum->isEnabled());
    EXPECT_EQ(u.meCharitySum->Text(), "100");
    EXPECT_EQ(Rows(), QStringList({"10", "20"}));
    EXPECT_EQ(Doc().SocialDeduct.ChildEduCount, 2);
    EXPECT_TRUE(window->Saved);

    answer = mrYes;
    u.chbGrantingSocDeduct->setChecked(false);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_TRUE(u.meCharitySum->Text().isEmpty());
    EXPECT_FALSE(u.meCharitySum->isEnabled());
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(Doc().SocialDeduct.ChildEduCount, 0);
    EXPECT_EQ(Standard()->CurrentSum, -1);
    EXPECT_FALSE(window->Saved);
    u.chbGrantingSocDeduct->setChecked(true);
    EXPECT_TRUE(u.meCharitySum->Text().isEmpty());
    Standard()->SaveData();
    EXPECT_EQ(Doc().SocialDeduct.Charity, Currency());

    // Nothing to lose: no question.
    u.chbGrantingSocDeduct->setChecked(false);
    EXPECT_EQ(questions.size(), 2);
}

TEST_F(DeductionPages, EducationAmounts) {
    Open([](mTDeclaration& d) {
        d.SocialDeduct.Granting = 1;
        for (int i = 1; i <= 5; ++i) d.SocialDeduct.AddChildEduSum(Rub(100 * i));
    });
    TfrFrameStandartDeduct& p = *Standard();
    auto& u = S();
    // After opening, the first row is current: delete removes it at once.
    EXPECT_TRUE(u.lvSumList->topLevelItem(0)->isSelected());
    EXPECT_EQ(p.CurrentSum, 0);
    p.fbDeleteSumClick();
    EXPECT_EQ(EduSums(), (std::vector<std::int64_t>{2000000, 3000000, 4000000, 5000000}));
    EXPECT_EQ(Rows(), QStringList({"200", "300", "400", "500"}));
    EXPECT_EQ(p.CurrentSum, 0); // the new first row
    EXPECT_TRUE(u.lvSumList->topLevelItem(0)->isSelected());

    // Deleting the third selects the second.
    u.lvSumList->setCurrentItem(u.lvSumList->topLevelItem(2));
    EXPECT_EQ(p.CurrentSum, 2);
    p.fbDeleteSumClick();
    EXPECT_EQ(Rows(), QStringList({"200", "300", "500"}));
    EXPECT_EQ(p.CurrentSum, 1);
    EXPECT_TRUE(u.lvSumList->topLevelItem(1)->isSelected());

    // Add: a typed amount is appended and selected; 0 and Cancel add nothing.
    {
        ModalAnswerer add({On<TfmChildEduSum>([](TfmChildEduSum& f) {
                               uitest::Type(f.ui->meChildEduSum, "1234,5");
                               f.ui->bnOk->click();
                           }),
                           On<TfmChildEduSum>([](TfmChildEduSum& f) {
                               uitest::Type(f.ui->meChildEduSum, "0");
                               f.ui->bnOk->click();
                           }),
                           On<TfmChildEduSum>([](TfmChildEduSum& f) {
                               uitest::Type(f.ui->meChildEduSum, "5");
                               uitest::Key(f.ui->meChildEduSum, Qt::Key_Escape);
                           })});
        p.fbAddSumClick();
        p.fbAddSumClick();
        p.fbAddSumClick();
        EXPECT_EQ(add.Answered(), 3);
    }
    EXPECT_EQ(Rows(), QStringList({"200", "300", "500", "1234,5"}));
    EXPECT_EQ(p.CurrentSum, 3);
    EXPECT_EQ(Doc().SocialDeduct.GetChildEduSum(3), Rub(1234.5));

    // Edit the current one through Enter in the list; an amount of 0 leaves it.
    u.lvSumList->setCurrentItem(u.lvSumList->topLevelItem(1));
    QString opened;
    {
        ModalAnswerer edit({On<TfmChildEduSum>([&](TfmChildEduSum& f) {
                                opened = f.ui->meChildEduSum->Text();
                                Retype(f.ui->meChildEduSum, "350");
                                uitest::Key(f.ui->meChildEduSum, Qt::Key_Return);
                            }),
                            On<TfmChildEduSum>([](TfmChildEduSum& f) {
                                Clear(f.ui->meChildEduSum);
                                f.ui->bnOk->click();
                            })});
        uitest::Key(u.lvSumList, Qt::Key_Return);
        p.EditSum();
        EXPECT_EQ(edit.Answered(), 2);
    }
    EXPECT_EQ(opened, "300");
    EXPECT_EQ(Rows(), QStringList({"200", "350", "500", "1234,5"}));
    EXPECT_EQ(EduSums(), (std::vector<std::int64_t>{2000000, 3500000, 5000000, 12345000}));

    // With no row selected, delete and edit do nothing.
    u.lvSumList->clearSelection();
    ModalAnswerer none({});
    p.fbDeleteSumClick();
    p.EditSum();
    EXPECT_EQ(none.Answered(), 0);
    EXPECT_EQ(Doc().SocialDeduct.ChildEduCount, 4);
}

TEST_F(DeductionPages, SocialAmountsSurviveSaveAndReopen) {
    Open();
    auto& u = S();
    u.chbGrantingSocDeduct->setChecked(true);
    Retype(u.meCharitySum, "100,5");
    Retype(u.meMedicalSum, "2000");
    {
        ModalAnswerer add({On<TfmChildEduSum>([](TfmChildEduSum& f) {
            uitest::Type(f.ui->meChildEduSum, "700");
            f.ui->bnOk->click();
        })});
        Standard()->fbAddSumClick();
    }
    SaveAs("social.vrq");
    Reopen("social.vrq");
    auto& r = S();
    EXPECT_TRUE(r.chbGrantingSocDeduct->isChecked());
    EXPECT_EQ(r.meCharitySum->Text(), "100,5");
    EXPECT_EQ(r.meSelfEducationSum->Text(), "0");
    EXPECT_EQ(r.meMedicalSum->Text(), "2000");
    EXPECT_EQ(Rows(), QStringList({"700"}));
}

TEST_F(DeductionPages, SocialCheck) {
    struct Case {
        const char* what;
        std::function<void(mTDeclaration&)> fill;
        ModalAnswerer::Answer answer; // null: no dialog expected
        std::uint16_t result;
    } cases[] = {
        {"granted, nothing entered, fix", [](mTDeclaration& d) { d.SocialDeduct.Granting = 1; }, Fix, 1},
        {"granted, nothing entered, skip", [](mTDeclaration& d) { d.SocialDeduct.Granting = 1; }, Skip, 0},
        {"granted, nothing entered, skip all", [](mTDeclaration& d) { d.SocialDeduct.Granting = 1; }, SkipAll, 0},
        {"only an education amount",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granting = 1;
             d.SocialDeduct.AddChildEduSum(Rub(1));
         },
         nullptr, 0},
        {"only expensive treatment",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granting = 1;
             d.SocialDeduct.ExpensiveMedical = Rub(0.01);
         },
         nullptr, 0},
        {"not granted", {}, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrFrameDeductData& h = Open(c.fill);
        std::vector<QString> seen;
        std::vector<ModalAnswerer::Answer> answers;
        if (c.answer) answers.push_back(Note(seen, c.answer));
        ModalAnswerer answerer(answers);
        h.SaveData();
        EXPECT_EQ(h.CheckData(), c.result);
        if (c.answer) {
            EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("Не введены данные по социальным налоговым вычетам")});
        }
        EXPECT_EQ(answerer.Answered(), c.answer ? 1 : 0);
    }
}

TEST_F(DeductionPages, LeavingTheSocialSubPageWithItsFailure) {
    TfrFrameDeductData& h = Open([](mTDeclaration& d) { d.SocialDeduct.Granting = 1; });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), uitest::kFailAfterMs));
    TfrFrameStandartDeduct* before = Standard();
    {
        ModalAnswerer fix({Fix});
        h.ui->fbConstructionDeduct->SetDown(true);
        h.fbConstructionDeductClick();
        EXPECT_EQ(fix.Answered(), 1);
    }
    EXPECT_EQ(Standard(), before);
    EXPECT_TRUE(h.ui->fbStandartDeduct->Down());
    EXPECT_FALSE(h.ui->fbConstructionDeduct->Down());
    EXPECT_EQ(window->focusWidget(), S().meCharitySum);
    {
        ModalAnswerer skip({Skip});
        h.ui->fbConstructionDeduct->SetDown(true);
        h.fbConstructionDeductClick();
    }
    ASSERT_NE(Property(), nullptr);
    EXPECT_EQ(h.CurrentButton, h.ui->fbConstructionDeduct);
}

TEST_F(DeductionPages, HolderButtonsAndFocusPageItem) {
    TfrFrameDeductData& h = Open([](mTDeclaration& d) { d.SocialDeduct.Granting = 1; }); // its check would fail
    TfrFrameStandartDeduct* before = Standard();
    ModalAnswerer none({});
    uitest::Type(S().meCharitySum, "5");
    h.fbStandartDeductClick(); // the sub-page shown: nothing, not even a save
    EXPECT_EQ(Standard(), before);
    EXPECT_EQ(Doc().SocialDeduct.Charity, Currency());
    h.FocusPageItem(1, 6);
    ASSERT_NE(Property(), nullptr);
    EXPECT_TRUE(h.ui->fbConstructionDeduct->Down());
    EXPECT_FALSE(h.ui->fbStandartDeduct->Down());
    EXPECT_EQ(none.Answered(), 0);
    h.FocusPageItem(0, 1);
    ASSERT_NE(Standard(), nullptr);
    EXPECT_TRUE(h.ui->fbStandartDeduct->Down());
    EXPECT_EQ(none.Answered(), 0);
}

// ---------------------------------------------------------------------------------------------
// Property deduction

TEST_F(DeductionPages, PropertyOnANewDeclaration) {
    Open();
    ToProperty();
    auto& u = P();
    EXPECT_FALSE(u.chbGrantingDeduct->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{u.meObjectNaim, u.mePostIndex, u.bnRegion, u.dtpRegRightDate, u.dtpBayDate,
                                                      u.meObsch, u.mePart, u.meTransferringChargeSum, u.mePostYearsIp})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(u.pnlRegion->text(), "0");
    EXPECT_EQ(u.meBeginningUsePrivilegeDate->Text(), "2005");

    u.chbGrantingDeduct->setChecked(true);
    EXPECT_TRUE(u.meObjectNaim->isEnabled());
    EXPECT_TRUE(u.dtpBayDate->isEnabled());
    EXPECT_FALSE(u.mePostYearsNA->isEnabled()); // the hidden tax-agent amounts stay off
    std::vector<QString> seen;
    ModalAnswerer skip({Note(seen, Skip)});
    Holder()->SaveData();
    EXPECT_EQ(Holder()->CheckData(), 0);
    EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("Не введено наименование объекта")});
    const mTConstructionDeduct& c = Doc().ConstructionDeduct;
    EXPECT_EQ(c.Granting, 1);
    EXPECT_EQ(c.ObjectName, "");
    EXPECT_EQ(c.RegionCode, "0");
    EXPECT_EQ(c.RegistrationDate, EncodeDate(2005, 1, 1));
    EXPECT_EQ(c.PurchaseDate, EncodeDate(2005, 1, 1));
    EXPECT_EQ(c.StartDate, EncodeDate(2005, 1, 1));
    EXPECT_EQ(c.Share, Rub(1));
    EXPECT_EQ(c.ObjectCost, Currency());
}

TEST_F(DeductionPages, PropertyChecks) {
    auto valid = [](mTDeclaration& d) {
        auto& c = d.ConstructionDeduct;
        c.Granting = 1;
        c.ObjectName = "Квартира";
        c.PostIndex = "119017";
        c.RegistrationDate = EncodeDate(2005, 6, 10);
        c.PurchaseDate = EncodeDate(2005, 5, 20);
        c.StartDate = EncodeDate(2005, 1, 1);
        c.Share = Rub(0.5);
    };
    struct Case {
        const char* what;
        std::function<void(mTConstructionDeduct&)> change;
        ModalAnswerer::Answer answer;
        const char* message; // null: passes without a dialog
        std::uint16_t result;
        QWidget* Ui::TfrConstructionDeduct::*focus;
    } cases[] = {
        {"valid", {}, nullptr, nullptr, 0, nullptr},
        {"blank name", [](mTConstructionDeduct& c) { c.ObjectName = "  "; }, Fix, "Не введено наименование объекта", 1,
         reinterpret_cast<QWidget* Ui::TfrConstructionDeduct::*>(&Ui::TfrConstructionDeduct::meObjectNaim)},
        {"no post index", [](mTConstructionDeduct& c) { c.PostIndex = ""; }, Fix, "Не введен почтовый индекс", 2,
         reinterpret_cast<QWidget* Ui::TfrConstructionDeduct::*>(&Ui::TfrConstructionDeduct::mePostIndex)},
        {"share 0", [](mTConstructionDeduct& c) { c.Share = Currency(); }, Fix, "Доля собственности не может быть равна 0", 3,
         reinterpret_cast<QWidget* Ui::TfrConstructionDeduct::*>(&Ui::TfrConstructionDeduct::mePart)},
        {"registered before bought",
         [](mTConstructionDeduct& c) {
             c.RegistrationDate = EncodeDate(2005, 5, 10);
             c.PurchaseDate = EncodeDate(2005, 6, 1);
         },
         Fix, "Дата регистрации прав собственности меньше даты приобретения (даты начала строительства)", 4,
         reinterpret_cast<QWidget* Ui::TfrConstructionDeduct::*>(&Ui::TfrConstructionDeduct::dtpRegRightDate)},
        {"start before the purchase year", [](mTConstructionDeduct& c) { c.StartDate = EncodeDate(2004, 1, 1); }, Fix,
         "Год начала пользования льготой меньше даты приобретения (даты начала строительства)", 5,
         reinterpret_cast<QWidget* Ui::TfrConstructionDeduct::*>(&Ui::TfrConstructionDeduct::meBeginningUsePrivilegeDate)},
        {"two failures, skip: only the first is shown",
         [](mTConstructionDeduct& c) {
             c.ObjectName = "";
             c.PostIndex = "";
         },
         Skip, "Не введено наименование объекта", 0, nullptr},
        {"skip all", [](mTConstructionDeduct& c) { c.PostIndex = ""; }, SkipAll, "Не введен почтовый индекс", 0, nullptr},
        {"not granted",
         [](mTConstructionDeduct& c) {
             c.Granting = 0;
             c.ObjectName = "";
         },
         nullptr, nullptr, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrFrameDeductData& h = Open([&](mTDeclaration& d) {
            valid(d);
            if (c.change) c.change(d.ConstructionDeduct);
        });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), uitest::kFailAfterMs));
        ToProperty();
        std::vector<QString> seen;
        std::vector<ModalAnswerer::Answer> answers;
        if (c.answer) answers.push_back(Note(seen, c.answer));
        ModalAnswerer answerer(answers);
        h.SaveData();
        const std::uint16_t result = h.CheckData();
        EXPECT_EQ(result, c.result);
        std::vector<QString> expected;
        if (c.message) expected.push_back(QString::fromUtf8(c.message));
        EXPECT_EQ(seen, expected);
        if (c.focus) {
            h.FocusItem(result);
            EXPECT_EQ(window->focusWidget(), P().*c.focus);
        }
    }
}

TEST_F(DeductionPages, ShareRule) {
    Open([](mTDeclaration& d) { d.ConstructionDeduct.Granting = 1; });
    ToProperty();
    auto& u = P();
    struct Case {
        const char* typed;
        const char* shown;
        std::int64_t saved;
    } cases[] = {{"2", "1", 10000}, {"1,5", "1", 10000}, {"0,3333", "0,3333", 3333}, {"", "", 10000}, {"0", "0", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Retype(u.mePart, QString::fromUtf8(c.typed));
        EXPECT_EQ(u.mePart->Text(), QString::fromUtf8(c.shown));
        Property()->SaveData();
        EXPECT_EQ(Doc().ConstructionDeduct.Share.Raw(), c.saved);
    }
}

TEST_F(DeductionPages, RegionPicker) {
    Open([](mTDeclaration& d) {
        d.ConstructionDeduct.Granting = 1;
        d.ConstructionDeduct.RegionCode = "77";
        d.ConstructionDeduct.RegionName = "г. Москва";
    });
    ToProperty();
    TfrConstructionDeduct& p = *Property();
    auto pick = [](int row) {
        return On<TfmRegionName>([row](TfmRegionName& r) {
            r.ui->lvRegionName->setCurrentItem(r.ui->lvRegionName->topLevelItem(row));
            r.ui->bnYes->click();
        });
    };
    int preselected = -1;
    {
        ModalAnswerer cancel({On<TfmRegionName>([&](TfmRegionName& r) {
            preselected = r.ChosenRow;
            r.ui->bnCansel->click();
        })});
        p.bnRegionClick();
    }
    EXPECT_EQ(preselected, 76);
    EXPECT_EQ(p.ui->pnlRegion->text(), "77");
    EXPECT_TRUE(window->Saved);
    {
        ModalAnswerer five({pick(4)});
        p.bnRegionClick();
    }
    EXPECT_EQ(p.ui->pnlRegion->text(), "05");
    EXPECT_FALSE(window->Saved);
    {
        ModalAnswerer baikonur({pick(89)});
        p.bnRegionClick();
    }
    EXPECT_EQ(p.ui->pnlRegion->text(), "9901");
    p.SaveData();
    EXPECT_EQ(Doc().ConstructionDeduct.RegionCode, "9901");
    EXPECT_EQ(Doc().ConstructionDeduct.RegionName, "город и космодром Байконур");
}

TEST_F(DeductionPages, PropertyUntickedWritesOnlyTheFlag) {
    Open([](mTDeclaration& d) {
        auto& c = d.ConstructionDeduct;
        c.Granting = 1;
        c.ObjectName = "Дом";
        c.ObjectCost = Rub(300000);
    });
    ToProperty();
    auto& u = P();
    Retype(u.meObsch, "400000");
    u.chbGrantingDeduct->setChecked(false);
    EXPECT_FALSE(u.meObsch->isEnabled());
    EXPECT_EQ(u.meObsch->Text(), "400000"); // typed values stay
    Property()->SaveData();
    EXPECT_EQ(Doc().ConstructionDeduct.Granting, 0);
    EXPECT_EQ(Doc().ConstructionDeduct.ObjectCost, Rub(300000));
    u.chbGrantingDeduct->setChecked(true);
    Property()->SaveData();
    EXPECT_EQ(Doc().ConstructionDeduct.ObjectCost, Rub(400000));
}

TEST_F(DeductionPages, PropertyValuesSurviveSaveAndReopen) {
    Open();
    ToProperty();
    auto& u = P();
    u.chbGrantingDeduct->setChecked(true);
    uitest::Type(u.meObjectNaim, "Квартира");
    uitest::Type(u.mePostIndex, "123456");
    uitest::Type(u.meStreet, "Ленина");
    u.dtpBayDate->setDate(QDate(2004, 3, 2));
    u.dtpRegRightDate->setDate(QDate(2004, 7, 8));
    // The year changes only through its spin button (and the arrow keys): typing is discarded.
    uitest::Type(u.meBeginningUsePrivilegeDate, "1");
    EXPECT_EQ(u.meBeginningUsePrivilegeDate->Text(), "2005");
    kept::SetSpinPosition(u.updBeginningUsePrivilegeDate, 2004);
    EXPECT_EQ(u.meBeginningUsePrivilegeDate->Text(), "2004");
    uitest::Key(u.meBeginningUsePrivilegeDate, Qt::Key_Down);
    uitest::Key(u.meBeginningUsePrivilegeDate, Qt::Key_Up);
    EXPECT_EQ(u.meBeginningUsePrivilegeDate->Text(), "2004");
    uitest::Type(u.mePart, "0,25");
    uitest::Type(u.meObsch, "1500000");
    uitest::Type(u.mePostYears, "100000");
    uitest::Type(u.meVychIpNA, "300,3");
    SaveAs("property.vrq");
    Reopen("property.vrq");
    ToProperty();
    auto& r = P();
    EXPECT_TRUE(r.chbGrantingDeduct->isChecked());
    EXPECT_EQ(r.meObjectNaim->Text(), QStringLiteral("Квартира"));
    EXPECT_EQ(r.mePostIndex->Text(), "123456");
    EXPECT_EQ(r.meStreet->Text(), QStringLiteral("Ленина"));
    EXPECT_EQ(r.dtpBayDate->date(), QDate(2004, 3, 2));
    EXPECT_EQ(r.dtpRegRightDate->date(), QDate(2004, 7, 8));
    EXPECT_EQ(r.meBeginningUsePrivilegeDate->Text(), "2004");
    EXPECT_EQ(kept::SpinPosition(r.updBeginningUsePrivilegeDate), 2004);
    EXPECT_EQ(r.mePart->Text(), "0,25");
    EXPECT_EQ(r.meObsch->Text(), "1500000");
    EXPECT_EQ(r.mePostYears->Text(), "100000");
    EXPECT_EQ(r.meVychIpNA->Text(), "300,3");
    EXPECT_EQ(Doc().ConstructionDeduct.StartDate, EncodeDate(2004, 1, 1));
}

TEST_F(DeductionPages, PropertyFocusItems) {
    TfrFrameDeductData& h = Open([](mTDeclaration& d) { d.ConstructionDeduct.Granting = 1; });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), uitest::kFailAfterMs));
    h.FocusPageItem(1, 6);
    EXPECT_EQ(window->focusWidget(), P().meTransferringChargeSum);
    h.FocusPageItem(1, 8);
    EXPECT_EQ(window->focusWidget(), P().mePostYears);
    h.FocusPageItem(1, 9);
    EXPECT_EQ(window->focusWidget(), P().mePostYearsIp);
}

// ---------------------------------------------------------------------------------------------
// Visiting the pages changes nothing that the user did not change.

TEST_F(DeductionPages, VisitingBothSubPagesKeepsTheFile) {
    const std::function<void(mTDeclaration&)> declarations[] = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) {
            sample::Fill(d);
            d.StandartDeduct.Granting = 0;
            d.SocialDeduct.Granting = 0;
            d.ConstructionDeduct.Granting = 0;
            d.AppE = 3;
            d.AppZ = 2;
        },
        [](mTDeclaration& d) {
            // What the controls cannot show as designed: codes of no button, counts wider than the
            // edits, amounts with four decimals, dates outside the pickers, a start that is not
            // 1 January, a share above 1, long texts.
            d.SetIncomeKinds(ikForeign);
            auto& st = d.StandartDeduct;
            st.StandartCode = 999;
            st.ChildrenKind = 555;
            st.SetConstChildrens(12345);
            for (int m = 0; m < 12; ++m) st.SetMonthChildrens2(m, m == 3 ? -1 : 1000 + m);
            st.Zayava = 1;
            st.SetZayavaSum(2, Currency::FromRaw(12345678));
            st.Combination = 1;
            st.SetMonthCombination(7, 9);
            auto& so = d.SocialDeduct;
            so.Granting = 1;
            so.Charity = Currency::FromRaw(1234567);
            so.SelfEducation = Currency::FromRaw(-50000);
            so.AddChildEduSum(Currency::FromRaw(1));
            so.Medical = Currency::FromRaw(99999999999999999);
            auto& c = d.ConstructionDeduct;
            c.Granting = 1;
            c.ObjectName = "Очень длинное наименование объекта";
            c.PostIndex = "12";
            c.RegionCode = "";
            c.RegistrationDate = EncodeDate(2030, 1, 1) + 0.5;
            c.PurchaseDate = 0;
            c.StartDate = EncodeDate(1990, 7, 15);
            c.Share = Currency::FromRaw(123456);
            c.CreditInterest = Currency::FromRaw(5);
            c.ChargeEarlierYearsAgent = Rub(77);
            d.AppE = 123456;
            d.AppZ = 4321;
        },
        [](mTDeclaration& d) {
            d.StandartDeduct.StandartCode = 110; // a code "?" without month codes
            d.StandartDeduct.SetConstChildrens(0);
            d.SocialDeduct.Granting = 1;         // granted with nothing entered
            d.ConstructionDeduct.Granting = 1;   // everything empty, share 0
        },
    };
    int n = 0;
    for (const auto& fill : declarations) {
        SCOPED_TRACE(n++);
        TfrFrameDeductData& h = Open(fill, "in.vrq");
        ModalAnswerer skip({SkipAll, SkipAll, SkipAll, SkipAll});
        h.ui->fbConstructionDeduct->SetDown(true);
        h.fbConstructionDeductClick();
        ASSERT_NE(Property(), nullptr);
        h.ui->fbStandartDeduct->SetDown(true);
        h.fbStandartDeductClick();
        ASSERT_NE(Standard(), nullptr);
        EXPECT_TRUE(window->Saved);
        SaveAs("out.vrq");
        EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
        // And from the property sub-page too.
        h.FocusPageItem(1, 0);
        SaveAs("out2.vrq");
        EXPECT_EQ(ReadFile(Path("out2.vrq")), ReadFile(Path("in.vrq")));
    }
}
