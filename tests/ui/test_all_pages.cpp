// Every page from its page button, as a user goes through an opened declaration: the list pages
// open with their first entry selected, nothing is marked modified by looking, and visiting every
// page and sub-page and saving gives back the same file.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "model/DeclClasses.h"
#include "pagebase/CheckError.h"
#include "pages/FrameDeductData.h"
#include "pages/FramePersonData.h"
#include "pages/FrameRussianIncome.h"
#include "platform/QtWindowing.h"
#include "ui_FramePersonData.h"
#include "ui_FrameRussianIncome.h"
#include "ui_Main.h"

#include <QAbstractItemView>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class AllPages : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
        SetMessageBoxHook([](const QString&, TMsgIcon, TMsgButtons) { return int(mrOk); });
    }
    void TearDown() override {
        window.reset();
        SetMessageBoxHook({});
        TempDir::TearDown();
    }
    TFormMain& Open(const mTDeclaration& d) {
        d.SaveToFile(Path("in.vrq"));
        window = uitest::OpenWindow(Path("in.vrq"), dir);
        return *window;
    }
    // Presses a page button as a user does; failed checks are skipped.
    void Press(TFlashButton* button) {
        uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3")});
        button->SetDown(true);
        window->PageButtonClick(button);
    }
    std::unique_ptr<TFormMain> window;
};

std::unique_ptr<mTDeclaration> Sample() {
    auto d = std::make_unique<mTDeclaration>();
    sample::Fill(*d);
    return d;
}

} // namespace

TEST_F(AllPages, ListPagesOpenWithTheirFirstEntrySelected) {
    TFormMain& w = Open(*Sample());
    for (TFlashButton* b : {w.ui->fbRussianIncome, w.ui->fbForeignIncome, w.ui->fbBusinessIncome, w.ui->fbNalog}) {
        SCOPED_TRACE(b->objectName().toStdString());
        ASSERT_TRUE(b->isEnabled());
        Press(b);
        auto* list = w.CurrentPage->findChild<QAbstractItemView*>(QStringLiteral("lvSourseIncomeInfo"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentIndex().row(), 0);
        EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
        EXPECT_TRUE(w.Saved); // looking changes nothing
    }
}

TEST_F(AllPages, VisitingEveryPageKeepsTheFile) {
    auto resident = Sample();
    auto nonResident = Sample();
    nonResident->DeclarationKind = 1;
    nonResident->SetIncomeKinds(ikRussian); // a non-resident declares no foreign or business income
    mTDeclaration form4;
    form4.InspectionNumber = "7701";
    form4.DeclarationKind = 2;
    form4.SetIncomeKinds(0);
    form4.SupposeIncome = Currency::FromInt(150000);
    int n = 0;
    for (const mTDeclaration* d : {resident.get(), nonResident.get(), &form4}) {
        SCOPED_TRACE(n++);
        TFormMain& w = Open(*d);
        for (TFlashButton* b : {w.ui->fbPrsonInfo, w.ui->fbRussianIncome, w.ui->fbForeignIncome, w.ui->fbBusinessIncome,
                                w.ui->fbDeduction, w.ui->fbNalog, w.ui->fbInitialData}) {
            if (!b->isEnabled()) continue;
            Press(b);
            uitest::ModalAnswerer skip({uitest::Click("Button3"), uitest::Click("Button3"), uitest::Click("Button3")});
            if (auto* person = qobject_cast<TfrPersonData*>(w.CurrentPage)) {
                person->ui->fbPersonAddress->SetDown(true);
                person->fbPersonAddressClick();
            }
            if (auto* income = qobject_cast<TfrRussianIncome*>(w.CurrentPage)) {
                for (int kind : {1, 2, 0}) income->FocusPageItem(static_cast<std::uint16_t>(kind), 0);
            }
            if (auto* deductions = qobject_cast<TfrFrameDeductData*>(w.CurrentPage)) deductions->FocusPageItem(1, 0);
        }
        w.FileName = QString::fromStdString(Path("out.vrq"));
        w.SaveDocExecute();
        EXPECT_EQ(testutil::ReadFile(Path("out.vrq")), testutil::ReadFile(Path("in.vrq")));
        window.reset();
    }
}

TEST_F(AllPages, RussianIncomeOfForm4HasNoSubPage) {
    // A form 4-NDFL file that still says it has Russian incomes (written elsewhere): the holder
    // shows no sub-page, passes its checks and saves nothing.
    mTDeclaration d;
    d.InspectionNumber = "7701";
    d.DeclarationKind = 2;
    d.SetIncomeKinds(ikRussian);
    Open(d);
    auto* holder = new TfrRussianIncome(window->ui->PnlFormContainer, &window->Document);
    EXPECT_EQ(holder->CurrentSubPage, nullptr);
    holder->SaveData();
    EXPECT_EQ(holder->CheckData(), 0);
    holder->FocusItem(3);
    delete holder;
    EXPECT_FALSE(window->ui->fbRussianIncome->isEnabled()); // the initial data page's rule for 4-NDFL
}

TEST_F(AllPages, NonResidentSeesOnlyTheThirteenPercentButton) {
    auto d = Sample();
    d->DeclarationKind = 1;
    TFormMain& w = Open(*d);
    Press(w.ui->fbRussianIncome);
    auto* holder = qobject_cast<TfrRussianIncome*>(w.CurrentPage);
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(holder->ui->FlashButton1->isHidden());
    EXPECT_TRUE(holder->ui->FlashButton2->isHidden());
    EXPECT_TRUE(holder->ui->FlashButton3->isHidden());
    EXPECT_EQ(holder->ui->FlashButton1->Glyph(), holder->ui->FlashButton4->Glyph());
    // The dividends are still reached for the whole-declaration check.
    holder->FocusPageItem(1, 0);
    EXPECT_STREQ(holder->CurrentSubPage->metaObject()->className(), "TfrThirtyPercent");
    EXPECT_TRUE(holder->ui->FlashButton2->Down());
}

TEST_F(AllPages, SubPageButtonsOpenTheirListWithTheFirstEntrySelected) {
    TFormMain& w = Open(*Sample());
    Press(w.ui->fbRussianIncome);
    auto* holder = qobject_cast<TfrRussianIncome*>(w.CurrentPage);
    ASSERT_NE(holder, nullptr);
    for (TFlashButton* b : {holder->ui->FlashButton2, holder->ui->FlashButton3, holder->ui->FlashButton1}) {
        SCOPED_TRACE(b->objectName().toStdString());
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_TRUE(b->Down());
        auto* list = holder->CurrentSubPage->findChild<QAbstractItemView*>(QStringLiteral("lvSourseIncomeInfo"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentIndex().row(), 0);
        EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
        EXPECT_TRUE(w.Saved);
    }
}
