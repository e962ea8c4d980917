#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilM.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

// Prizes of advertising games at 35 %, each claiming 1000 of the shared exemption.
void Prizes(mTDeclaration& d, int n) {
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    for (int i = 1; i <= n; ++i) {
        auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        p.IncomeCode = 2740;
        p.SourseName = "Приз " + std::to_string(i);
        p.INN = "770100000" + std::to_string(i);
        p.ItogIncomeSum = Rub(5000);
        p.DeductSum = Rub(1000);
    }
}

QStringList PrizeNames(const rl::TPage& page) {
    QStringList out;
    for (const QString& t : TextValues(page.Elements))
        if (t.startsWith(QStringLiteral("Приз"))) out << t;
    return out;
}

} // namespace

TEST(SheetG, TwoPrizeSourcesAPageTotalOnTheLast) {
    mTDeclaration d;
    Prizes(d, 3);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilM], 2);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilM);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(PrizeNames(pages[0]), (QStringList{"Приз 1", "Приз 2"}));
    EXPECT_EQ(PrizeNames(pages[1]), (QStringList{"Приз 3"}));
    for (int p = 0; p < 2; ++p) {
        const rl::TPage& page = pages[static_cast<std::size_t>(p)];
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0125!");
        EXPECT_EQ(Count(page, "Раздел 00010"), 1);
        EXPECT_EQ(HeaderPageNumber(page), QString::number(run.c.plan.SheetFirstPage[skPrilM] + 1 + p).rightJustified(3, '0'));
        const rl::TElement* title = Only(page, "Лист Г. Расчет суммы доходов, не подлежащих налогоообложению");
        ASSERT_NE(title, nullptr);
        // Line 170, the exempt total of part 2 (2000 of the three claims), on the last page only.
        EXPECT_EQ(DigitRow(page, title->top - 1 + 202 - 4.3, 140, 200), p == 1 ? "200000" : "") << p;
    }
}

TEST(SheetG, PartOneLinesInTheirBlocks) {
    std::array<Currency, 13> part1;
    for (std::size_t i = 0; i < part1.size(); ++i) part1[i] = Rub(100.0 * static_cast<double>(i + 1));
    rl::TOstrekReport r;
    clListM(r, part1, {}, {}, {}, {}, true);
    const rl::TBand& b = r.Bands.at(0);
    EXPECT_EQ(b.Height, 221);
    const double tops[] = {21.9, 36.2, 53.7, 74.4, 95.1, 112.6};
    for (int k = 0; k < 6; ++k) {
        const double row = tops[k] + 9.6 - 4.3;
        EXPECT_EQ(DigitRow(b.Elements, row, 0, 100), QString::number(100 * (2 * k + 1)) + "00") << k;
        EXPECT_EQ(DigitRow(b.Elements, row, 100, 200), QString::number(100 * (2 * k + 2)) + "00") << k;
    }
    EXPECT_EQ(DigitRow(b.Elements, 135 - 4.3, 100, 200), "130000"); // line 130
    for (const char* caption : {"1.1.1. Сумма дохода от", "1.6.2. Сумма дохода, не подлежащего", "выплаты (010)", "выплаты (110)"}) {
        int found = 0;
        for (const rl::TElement& e : b.Elements) found += e.text == QString::fromUtf8(caption);
        EXPECT_EQ(found, 1) << caption;
    }
}

TEST(SheetG, GreyPanelsHaveNoOutline) {
    rl::TOstrekReport r;
    clListM(r, {}, {}, {}, {}, {}, true);
    int panels = 0;
    for (const rl::TElement& e : r.Bands.at(0).Elements)
        if (e.kind == rl::TElementKind::Rect && e.fill == kGrey) {
            ++panels;
            EXPECT_EQ(e.color.alpha(), 0);
            EXPECT_EQ(e.width, 187);
        }
    EXPECT_EQ(panels, 2);
}

TEST(SheetG, PartOneOnlyGivesOnePageWithoutSources) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = "Работодатель";
    s.AddSourseIncome(reporttest::Line(2760, 3000, 503, 2000));
    sheettest::Run run = Prepare(d);
    if (run.c.plan.SheetPageCount[skPrilM] == 0) GTEST_SKIP() << "the material aid line opens no sheet Г here";
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilM);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(PrizeNames(pages[0]).isEmpty());
    const rl::TElement* title = Only(pages[0], "Лист Г. Расчет суммы доходов, не подлежащих налогоообложению");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(DigitRow(pages[0], title->top - 1 + 202 - 4.3, 140, 200), "");
    EXPECT_EQ(DigitRow(pages[0], title->top - 1 + 135 - 4.3, 100, 200),
              QString::fromStdString(FormatSumCell(true, 0, run.c.sums->PrilM.Line130)).trimmed().remove('.').remove(','));
}
