// The tax-paid page: its list of payments, the payment dialog and the budget classification codes.
#include "UiTestUtil.h"
#include "WindowTest.h"
#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "app/Main.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DeclClasses.h"
#include "pages/FrameNalog.h"
#include "pages/InputNalog.h"
#include "platform/QtWindowing.h"
#include "ui_FrameNalog.h"
#include "ui_InputNalog.h"
#include "ui_Main.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <filesystem>
#include <QSettings>
#include <QTreeWidget>
#include <gtest/gtest.h>

using testutil::ReadFile;
using uitest::Click;
using uitest::ModalAnswerer;

namespace {

const char* const kCodes[] = {"18210102010011000110", "18210102021011000110", "18210102022011000110",
                              "18210102030011000110", "18210102040011000110", "18210102050011000110"};

// Fills the payment dialog: the code at `code` (-1 leaves it) and the typed amount, then "Да".
ModalAnswerer::Answer Pay(int code, const QString& amount) {
    return [code, amount](QDialog* d) {
        auto* f = qobject_cast<TfmInputNalog*>(d);
        ASSERT_NE(f, nullptr);
        if (code >= 0) f->ui->cbKBK->setCurrentIndex(code);
        f->ui->meHoldSum->selectAll();
        uitest::Key(f->ui->meHoldSum, Qt::Key_Delete);
        uitest::Type(f->ui->meHoldSum, amount);
        f->ui->bnOk->click();
        if (f->isVisible()) f->ui->bnCansel->click(); // "Да" refused: leave with "Нет"
    };
}

class NalogPage : public testutil::TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        QSettings(QStringLiteral("Велтасофт"), QStringLiteral("Велмарод")).clear();
    }
    void TearDown() override {
        window.reset();
        TempDir::TearDown();
    }
    // The main window on a declaration opened from a file, showing the tax-paid page as the page
    // button shows it: with payments, the list has the focus and its first row is selected.
    TfrNalog& Open(const std::function<void(mTDeclaration&)>& fill = {}) {
        mTDeclaration d;
        d.InspectionNumber = "7701";
        if (fill) fill(d);
        d.SaveToFile(Path("in.vrq"));
        window = uitest::OpenWindow(Path("in.vrq"), dir);
        window->SetPageFactory(window->ui->fbNalog, QStringLiteral("TfrNalog"),
                               [](QWidget* owner, TDocumentRef ref) { return new TfrNalog(owner, ref); });
        window->ui->fbNalog->SetDown(true);
        window->PageButtonClick(window->ui->fbNalog);
        TfrNalog& p = uitest::ShownPage<TfrNalog>(*window);
        QTreeWidget* lv = p.ui->lvSourseIncomeInfo;
        if (lv->topLevelItemCount() > 0) {
            lv->setFocus();
            lv->setCurrentItem(lv->topLevelItem(0));
        }
        window->Saved = true;
        return p;
    }
    TfrNalog* Page() { return qobject_cast<TfrNalog*>(window->CurrentPage); }
    mTDeclaration& Doc() { return *window->Document; }
    std::vector<std::pair<QString, QString>> Rows() {
        std::vector<std::pair<QString, QString>> r;
        QTreeWidget* lv = Page()->ui->lvSourseIncomeInfo;
        for (int i = 0; i < lv->topLevelItemCount(); ++i) r.emplace_back(lv->topLevelItem(i)->text(0), lv->topLevelItem(i)->text(1));
        return r;
    }
    std::vector<std::int64_t> Sums() {
        std::vector<std::int64_t> r;
        for (int i = 0; i < Doc().NalogCount(); ++i) r.push_back(Doc().GetNalog(i).Sum.Raw());
        return r;
    }
    bool Selected(int row) { return Page()->ui->lvSourseIncomeInfo->topLevelItem(row)->isSelected(); }

    std::unique_ptr<TFormMain> window;
};

void ThreePayments(mTDeclaration& d) {
    for (int i = 1; i <= 3; ++i) {
        mTNalog& n = d.GetNalog(d.AddNalog());
        n.KBK = kCodes[i];
        n.Sum = Currency::FromRaw(i * 1000000);
    }
}

} // namespace

TEST(InputNalog, CodesAndAmount) {
    TfmInputNalog f;
    ASSERT_EQ(f.ui->cbKBK->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f.ui->cbKBK->itemText(i), kCodes[i]);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Данные платежа"));
    EXPECT_EQ(f.GetKBK(), "");
    EXPECT_EQ(f.GetPaySum(), Currency());
    f.SetKBK(kCodes[3]);
    EXPECT_EQ(f.GetKBK(), kCodes[3]);
    f.SetKBK(""); // changes nothing
    EXPECT_EQ(f.GetKBK(), kCodes[3]);
    f.SetKBK("18210102099011000110"); // not one of the six: none chosen
    EXPECT_EQ(f.GetKBK(), "");
    f.SetPaySum(Currency::FromRaw(1234567));
    EXPECT_EQ(f.ui->meHoldSum->Text(), "123,4567");
    EXPECT_EQ(f.GetPaySum(), Currency::FromRaw(1234567));
}

TEST(InputNalog, OkNeedsACode) {
    TfmInputNalog f;
    uitest::Type(f.ui->meHoldSum, "100");
    bool stayedOpen = false;
    ModalAnswerer answers({[&](QDialog* d) {
        auto* t = static_cast<TfmInputNalog*>(d);
        t->ui->bnOk->click();
        stayedOpen = t->isVisible();
        t->ui->cbKBK->setCurrentIndex(0);
        uitest::Key(t->focusWidget() ? t->focusWidget() : t, Qt::Key_Return); // Enter confirms as "Да" does
        if (t->isVisible()) t->reject();
    }});
    EXPECT_EQ(f.exec(), QDialog::Accepted);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(f.GetKBK(), kCodes[0]);
}

TEST_F(NalogPage, AddingPayments) {
    TfrNalog& p = Open();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(p.ui->lvSourseIncomeInfo->headerItem()->text(0), QStringLiteral("Сумма"));
    EXPECT_EQ(p.ui->lvSourseIncomeInfo->headerItem()->text(1), QStringLiteral("КБК"));
    {
        ModalAnswerer answers({Pay(0, "1500"), Pay(-1, "200"), Pay(2, "0"), Pay(2, "12,34567")});
        p.fbAddSourseIncomeClick(); // first code, whole amount
        p.fbAddSourseIncomeClick(); // no code: "Да" refused, left with "Нет"
        p.fbAddSourseIncomeClick(); // amount 0: ignored
        p.fbAddSourseIncomeClick(); // more than four decimals are typed; four are kept
        EXPECT_EQ(answers.Answered(), 4);
    }
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[0], std::make_pair(QString("1500"), QString(kCodes[0])));
    EXPECT_EQ(Doc().GetNalog(0).KBK, kCodes[0]);
    EXPECT_EQ(Doc().GetNalog(1).Sum.Raw(), 123457);
    EXPECT_EQ(Rows()[1].first, "12,3457");
    EXPECT_EQ(p.CurrentPayment, 1);
    EXPECT_TRUE(Selected(1));
    EXPECT_FALSE(window->Saved);
}

TEST_F(NalogPage, EditingAPayment) {
    TfrNalog& p = Open([](mTDeclaration& d) {
        ThreePayments(d);
        d.GetNalog(2).KBK = "99999999999999999999"; // a code of no item
    });
    EXPECT_EQ(p.CurrentPayment, 0);
    QTreeWidget* lv = p.ui->lvSourseIncomeInfo;
    lv->setCurrentItem(lv->topLevelItem(1));
    QString shownCode, shownSum;
    {
        ModalAnswerer answers({[&](QDialog* d) {
                                   auto* f = static_cast<TfmInputNalog*>(d);
                                   shownCode = f->GetKBK();
                                   shownSum = f->ui->meHoldSum->Text();
                                   Pay(5, "250,5")(d);
                               },
                               Pay(1, "0")});
        uitest::Key(lv, Qt::Key_Return);
        p.EditPayment(); // an amount of 0 leaves the payment as it is
        EXPECT_EQ(answers.Answered(), 2);
    }
    EXPECT_EQ(shownCode, kCodes[2]);
    EXPECT_EQ(shownSum, "200");
    EXPECT_EQ(Rows()[1], std::make_pair(QString("250,5"), QString(kCodes[5])));
    EXPECT_EQ(Doc().GetNalog(1).KBK, kCodes[5]);
    EXPECT_EQ(Doc().GetNalog(1).Sum.Raw(), 2505000);
    EXPECT_TRUE(Selected(1));

    // A stored code that is none of the six opens with no code chosen; it is listed unchanged.
    EXPECT_EQ(Rows()[2].second, "99999999999999999999");
    lv->setCurrentItem(lv->topLevelItem(2));
    {
        ModalAnswerer answers({[&](QDialog* d) {
            shownCode = static_cast<TfmInputNalog*>(d)->GetKBK();
            static_cast<TfmInputNalog*>(d)->ui->bnCansel->click();
        }});
        p.EditPayment();
    }
    EXPECT_EQ(shownCode, "");
    EXPECT_EQ(Doc().GetNalog(2).KBK, "99999999999999999999");
}

TEST_F(NalogPage, DeletingPayments) {
    TfrNalog& p = Open(ThreePayments);
    // The first row is selected as the page opens: delete removes that payment at once.
    EXPECT_TRUE(Selected(0));
    p.fbDeleteSourseIncomeClick();
    EXPECT_EQ(Sums(), (std::vector<std::int64_t>{2000000, 3000000}));
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(p.CurrentPayment, 0);
    EXPECT_TRUE(Selected(0));
    EXPECT_FALSE(window->Saved);

    QTreeWidget* lv = p.ui->lvSourseIncomeInfo;
    lv->setCurrentItem(lv->topLevelItem(1));
    p.fbDeleteSourseIncomeClick();
    EXPECT_EQ(Sums(), (std::vector<std::int64_t>{2000000}));
    EXPECT_EQ(p.CurrentPayment, 0);
    p.fbDeleteSourseIncomeClick();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Doc().NalogCount(), 0);
    EXPECT_EQ(p.CurrentPayment, -1);
    // Nothing left: delete and edit do nothing.
    ModalAnswerer none({});
    p.fbDeleteSourseIncomeClick();
    p.EditPayment();
    EXPECT_EQ(none.Answered(), 0);
}

TEST_F(NalogPage, NothingSelectedNothingDone) {
    TfrNalog& p = Open(ThreePayments);
    p.ui->lvSourseIncomeInfo->clearSelection();
    ModalAnswerer none({});
    p.fbDeleteSourseIncomeClick();
    p.EditPayment();
    EXPECT_EQ(none.Answered(), 0);
    EXPECT_EQ(Doc().NalogCount(), 3);
}

TEST_F(NalogPage, PaymentsSurviveSaveAndReopenAndLeavingNeverChecks) {
    TfrNalog& p = Open();
    {
        ModalAnswerer answers({Pay(4, "321,09")});
        p.fbAddSourseIncomeClick();
    }
    EXPECT_EQ(p.CheckData(), 0);
    window->FileName = QString::fromStdString(Path("saved.vrq"));
    window->SaveDocExecute();
    mTDeclaration back;
    back.LoadFromFile(Path("saved.vrq"));
    ASSERT_EQ(back.NalogCount(), 1);
    EXPECT_EQ(back.GetNalog(0).KBK, kCodes[4]);
    EXPECT_EQ(back.GetNalog(0).Sum.Raw(), 3210900);

    // Leaving for another page shows no check dialog.
    ModalAnswerer none({});
    window->ui->fbInitialData->SetDown(true);
    window->PageButtonClick(window->ui->fbInitialData);
    EXPECT_EQ(Page(), nullptr);
    EXPECT_EQ(none.Answered(), 0);
}

TEST_F(NalogPage, VisitingKeepsTheFile) {
    const std::function<void(mTDeclaration&)> declarations[] = {
        [](mTDeclaration& d) { sample::Fill(d); },
        [](mTDeclaration& d) {
            ThreePayments(d);
            d.GetNalog(0).ExtraText = "примечание";
            d.GetNalog(1).Sum = Currency::FromRaw(-5);
            d.GetNalog(2).KBK = "";
        },
    };
    int n = 0;
    for (const auto& fill : declarations) {
        SCOPED_TRACE(n++);
        Open(fill);
        window->FileName = QString::fromStdString(Path("out.vrq"));
        window->SaveDocExecute();
        EXPECT_EQ(ReadFile(Path("out.vrq")), ReadFile(Path("in.vrq")));
    }
}

// From its page button, the tax-paid page opens with its list focused and the first line selected,
// and opening it marks nothing modified.
TEST(NalogPageButton, OpensWithTheFirstLineSelected) {
    char templ[] = "/tmp/velmarod-test-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string dir = templ;
    mTDeclaration d;
    d.InspectionNumber = "7701";
    for (int i = 0; i < 2; ++i) {
        mTNalog& n = d.GetNalog(d.AddNalog());
        n.Sum = Currency::FromInt(100 + i);
    }
    d.SaveToFile(dir + "/n.vrq");
    TFormMain w(QStringList{QString::fromStdString(dir + "/n.vrq")}, QString::fromStdString(dir));
    w.ui->fbNalog->SetDown(true);
    w.PageButtonClick(w.ui->fbNalog);
    auto* list = w.CurrentPage->findChild<QAbstractItemView*>(QStringLiteral("lvSourseIncomeInfo"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    EXPECT_TRUE(w.Saved);
    std::filesystem::remove_all(dir);
}
