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

// Every line of sheet Г at the place the form gives it. Each kind of part 1 has one line with its
// exemption code and one without, so its income and its exempt part differ; the two prize sources
// share the exemption unevenly. Every figure differs from every other except lines 110 and 120,
// which are always empty, so that two figures printed in each other's places cannot pass.
TEST(SheetG, EveryLineAtItsPlace) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    auto& employer = d.GetThirteenPercent(d.AddThirteenPercent());
    employer.SourseName = "Работодатель";
    struct Kind {
        std::int32_t income, deduct;
        double exempt, taxed;
    };
    for (const Kind& k : {Kind{2760, 503, 1010.10, 500.01}, Kind{2710, 506, 1120.20, 600.02}, Kind{2720, 501, 1230.30, 700.03},
                          Kind{2730, 502, 1340.40, 800.04}, Kind{2770, 504, 1450.50, 900.05}}) {
        employer.AddSourseIncome(reporttest::Line(k.income, k.exempt, k.deduct, k.exempt));
        employer.AddSourseIncome(reporttest::Line(k.income, k.taxed));
    }
    struct Prize {
        const char *inn, *kpp, *name;
        double income, claimed;
    };
    for (const Prize& p : {Prize{"7731000031", "773101001", "Рекламная игра Первая", 5150.15, 1160.16},
                           Prize{"7732000032", "773201002", "Рекламная игра Вторая", 5250.25, 900}}) {
        auto& s = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        s.IncomeCode = 2740;
        s.INN = p.inn;
        s.KPP = p.kpp;
        s.SourseName = p.name;
        s.ItogIncomeSum = Rub(p.income);
        s.DeductSum = Rub(p.claimed);
    }
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilM);
    ASSERT_EQ(pages.size(), 1u);

    // Block 1.k of part 1 holds its row at T; prize source n at S.
    const double T[] = {21.9, 36.2, 53.7, 74.4, 95.1, 112.6};
    const double S[] = {143.6, 167.4};
    const std::vector<TLineCheck> lines = {
        {"010", {TField::Money, 45, T[0] + 9.6, 28}, {"1510,11"}},
        {"020", {TField::Money, 152, T[0] + 9.6, 18}, {"1010,10"}},
        {"030", {TField::Money, 45, T[1] + 9.6, 28}, {"1720,22"}},
        {"040", {TField::Money, 152, T[1] + 9.6, 18}, {"1120,20"}},
        {"050", {TField::Money, 45, T[2] + 9.6, 28}, {"1930,33"}},
        {"060", {TField::Money, 152, T[2] + 9.6, 18}, {"1230,30"}},
        {"070", {TField::Money, 45, T[3] + 9.6, 28}, {"2140,44"}},
        {"080", {TField::Money, 152, T[3] + 9.6, 18}, {"1340,40"}},
        {"090", {TField::Money, 45, T[4] + 9.6, 28}, {"2350,55"}},
        {"100", {TField::Money, 152, T[4] + 9.6, 18}, {"1450,50"}},
        {"110", {TField::Money, 45, T[5] + 9.6, 28}, {""}},
        {"120", {TField::Money, 152, T[5] + 9.6, 18}, {""}},
        {"130", {TField::Money, 135, 135, 35}, {"6151,50"}},
        {"140 (1)", {TField::Text, 50, S[0] + 6.4, 137}, {"Рекламная игра Первая"}},
        {"145 (1)", {TField::Text, 52, S[0] + 11.6, 45}, {"7731000031"}},
        {"146 (1)", {TField::Text, 155, S[0] + 11.6, 33}, {"773101001"}},
        {"150 (1)", {TField::Money, 40, S[0] + 21.8, 28}, {"5150,15"}},
        {"160 (1)", {TField::Money, 155, S[0] + 21.8, 15}, {"1160,16"}},
        {"140 (2)", {TField::Text, 50, S[1] + 6.4, 137}, {"Рекламная игра Вторая"}},
        {"145 (2)", {TField::Text, 52, S[1] + 11.6, 45}, {"7732000032"}},
        {"146 (2)", {TField::Text, 155, S[1] + 11.6, 33}, {"773201002"}},
        {"150 (2)", {TField::Money, 40, S[1] + 21.8, 28}, {"5250,25"}},
        {"160 (2)", {TField::Money, 155, S[1] + 21.8, 15}, {"839,84"}},
        {"170", {TField::Money, 155, 202, 15}, {"2000,00"}},
    };
    ExpectLines(pages[0], {"Лист Г. Расчет суммы доходов, не подлежащих налогоообложению", 1}, 0, lines, 0, "");
}
