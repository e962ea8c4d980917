#include "../report/ReportTestUtil.h"
#include "../ui/UiTestUtil.h"
#include "platform/QtWindowing.h"
#include "reportcore/ClassesReportPlan.h"
#include "report/FormPreview.h"
#include "ui_FormPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A resident with three sources in three territories: a refund split into three section-6 entries.
struct ThreeEntries {
    ThreeEntries() {
        InstallFontSubstitutions();
        reporttest::ThreeTerritories(d);
        c = reporttest::Compute(d);
        c.plan = PlanPages(*c.log, *c.sums);
        session = std::make_unique<TReportSession>(TBuildContext{*c.log, *c.sums, c.plan, images});
    }
    mTDeclaration d;
    reporttest::Computed c;
    QList<QImage> images;
    std::unique_ptr<TReportSession> session;
};

} // namespace

TEST(PrintRun, RangesFollowTheSheetKinds) {
    ThreeEntries t;
    const TPagePlan& plan = t.c.plan;
    ASSERT_EQ(plan.SheetPageCount[skRazdel6], 3);
    ASSERT_EQ(plan.SheetFirstPage[skRazdel6] + 1, 5); // title 1, page 2, section 1, section 5, section 6 on 5 to 7
    ASSERT_EQ(plan.SheetFirstPage[skPrilA13] + 1, 8);  // then sheet А (13 %)
    using Sel = std::vector<std::pair<int, int>>;
    struct Case {
        int from, to;
        Sel expected;
    } cases[] = {
        {1, 1, {{skTitul, -1}}},
        {3, 3, {{skRazdel1, -1}}},
        {2, 4, {{skAdr, -1}, {skRazdel1, -1}, {skRazdel5, -1}}},
        {6, 7, {}},               // starts on the second page of section 6: none of it
        {5, 5, {{skRazdel6, -1}}}, // ends on its first page: all three pages
        {8, 8, {{skPrilA13, 0}}}, // a sheet's pages print one by one
        {1, plan.PageTotal,
         {{skTitul, -1}, {skAdr, -1}, {skRazdel1, -1}, {skRazdel5, -1}, {skRazdel6, -1}, {skPrilA13, 0}}},
    };
    for (const auto& c : cases) EXPECT_EQ(PrintSelection(*t.session, c.from, c.to), c.expected) << c.from << "-" << c.to;
    int printed = 0;
    PrintSheets(*t.session, 5, 5, [&](const rl::TPage&) { ++printed; });
    EXPECT_EQ(printed, static_cast<int>(t.session->Pages(skRazdel6).size()));
}

TEST(PrintRun, CancelledDialogPrintsNothing) {
    ThreeEntries t;
    bool asked = false;
    AskPrintRange = [&](QPrinter&, int total, QWidget*) {
        asked = true;
        EXPECT_EQ(total, t.c.plan.PageTotal);
        return false;
    };
    EXPECT_FALSE(PrintWithDialog(*t.session, nullptr));
    EXPECT_TRUE(asked);
}

TEST(PreviewWindow, ListAndNavigation) {
    ThreeEntries t;
    TMyFormPreview w(*t.session, false);
    EXPECT_FALSE(w.ui->Button5->isEnabled()); // printing not allowed
    QStringList entries;
    for (int i = 0; i < w.ui->ComboBox1->count(); ++i) entries << w.ui->ComboBox1->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Титульный Лист", "Второй Лист", "Раздел 1", "Раздел 5", "Раздел 6", "Лист А (13%)"}));
    EXPECT_EQ(w.ShownKind(), skTitul);
    EXPECT_EQ(w.ui->KolVoStranic->text(), QString::number(t.c.plan.PageTotal));
    // "Следующая" through the kinds and the pages of section 6; the numbers follow the declaration.
    QStringList numbers;
    for (int i = 0; i < 8; ++i) {
        numbers << w.ui->NomStranicy->text();
        w.Button3Click();
    }
    EXPECT_EQ(numbers, (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(w.ShownKind(), skPrilA13);
    EXPECT_EQ(w.ShownPage(), 1);
    // "Предыдущая" on the first page of a kind opens the previous kind at its first page.
    w.ui->ComboBox1->setCurrentIndex(3);
    w.onChangeCombo1();
    EXPECT_EQ(w.ui->NomStranicy->text(), "4");
    w.Button2Click();
    EXPECT_EQ(w.ShownKind(), skRazdel1);
    EXPECT_EQ(w.ui->NomStranicy->text(), "3");
    w.Button4Click();
    EXPECT_EQ(w.ShownKind(), skPrilA13);
    EXPECT_EQ(w.ShownPage(), 1);
    w.Button1Click();
    EXPECT_EQ(w.ShownKind(), skTitul);
    EXPECT_EQ(w.ui->NomStranicy->text(), "1");
}

TEST(PreviewWindow, PrintingKeepsThePagesOnScreen) {
    ThreeEntries t;
    TMyFormPreview w(*t.session, true);
    EXPECT_TRUE(w.ui->Button5->isEnabled());
    w.ui->ComboBox1->setCurrentIndex(4); // section 6
    w.onChangeCombo1();
    w.Button3Click();
    const rl::TPage* shown = &t.session->Pages(skRazdel6).at(1);
    QTemporaryDir dir;
    int asked = 0;
    AskPrintRange = [&](QPrinter& printer, int, QWidget*) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("all.pdf"));
        return true;
    };
    w.Button5Click();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(QFileInfo(dir.filePath("all.pdf")).size() > 0);
    // The same page objects stay on screen and the window goes on from where it was.
    EXPECT_EQ(&t.session->Pages(skRazdel6).at(1), shown);
    EXPECT_EQ(w.ShownKind(), skRazdel6);
    EXPECT_EQ(w.ShownPage(), 2);
    w.Button3Click();
    EXPECT_EQ(w.ShownPage(), 3);
    EXPECT_EQ(w.ui->NomStranicy->text(), "7");
}

TEST(PreviewWindow, FittedZoomFollowsTheWindowSize) {
    ThreeEntries t;
    TMyFormPreview w(*t.session, false);
    w.setWindowState(Qt::WindowNoState);
    w.show();
    const auto page = w.findChild<QLabel*>(QStringLiteral("PageView"));
    const auto area = w.findChild<QScrollArea*>(QStringLiteral("QRPreview1"));
    ASSERT_TRUE(page && area);
    for (const QSize size : {QSize(900, 700), QSize(1400, 900), QSize(700, 600)}) {
        w.resize(size);
        QApplication::processEvents();
        EXPECT_NEAR(page->width(), area->viewport()->width() - 4, 2) << size.width(); // "По ширине" is the default
    }
    w.ui->RadioButton1->setChecked(true); // "По высоте"
    w.resize(900, 700);
    QApplication::processEvents();
    EXPECT_NEAR(page->height(), area->viewport()->height() - 4, 3);
}

// A page reached by "Следующая", "Предыдущая" or a sheet chosen in the list is shown from its top,
// whatever place the page before was scrolled to.
TEST(PreviewWindow, ANewPageOpensAtItsTop) {
    ThreeEntries t;
    TMyFormPreview w(*t.session, false);
    w.setWindowState(Qt::WindowNoState);
    w.resize(900, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, uitest::kFailAfterMs));
    QScrollBar* bar = w.findChild<QScrollArea*>(QStringLiteral("QRPreview1"))->verticalScrollBar();
    auto click = [](QPushButton* b) { return [b] { QTest::mouseClick(b, Qt::LeftButton); }; };
    auto list = [&w](Qt::Key key) {
        return [&w, key] {
            w.ui->ComboBox1->setFocus();
            QTest::keyClick(w.ui->ComboBox1, key);
        };
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        const char* page; // the declaration's page number then shown
    } steps[] = {
        {"the next sheet in the list", list(Qt::Key_Down), "2"},
        {"\"Следующая\" onto the next sheet", click(w.ui->Button3), "3"},
        {"the last sheet in the list", list(Qt::Key_End), "8"},
        {"\"Предыдущая\" onto the previous sheet", click(w.ui->Button2), "5"},
        {"\"Следующая\" within the sheet", click(w.ui->Button3), "6"},
        {"\"Следующая\" within the sheet again", click(w.ui->Button3), "7"},
        {"\"Предыдущая\" within the sheet", click(w.ui->Button2), "6"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        // The page before is read down to its lower half.
        ASSERT_TRUE(QTest::qWaitFor([bar] { return bar->maximum() > 0; }, uitest::kFailAfterMs));
        bar->setValue(bar->maximum());
        s.act();
        EXPECT_EQ(w.ui->NomStranicy->text(), QString::fromUtf8(s.page));
        EXPECT_EQ(bar->value(), bar->minimum());
    }
}
