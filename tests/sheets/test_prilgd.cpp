#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesPrilD.h"
#include "sheets/ClassesPrilG.h"

#include <gtest/gtest.h>

using reporttest::Line;
using reporttest::Rub;
using namespace sheettest;

namespace {

// A 13 % source "Источник i" with one line of income code `code` and a deduction.
void Source(mTDeclaration& d, int i, std::int32_t code, std::int32_t deductCode, std::int32_t norm = 20) {
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = "Источник " + std::to_string(i);
    s.INN = "77010000" + std::to_string(10 + i);
    auto line = Line(code, 10000, deductCode, 2000);
    line->IncomeName = "Вознаграждение";
    line->DeductNorm = norm;
    s.AddSourseIncome(std::move(line));
}

void Foreign(mTDeclaration& d, int i, std::int32_t rate, std::int32_t code, std::int32_t deductCode) {
    auto& f = d.GetCurrencyIncome(d.AddCurrencyIncome());
    f.Stav = rate;
    f.IncomeCode = code;
    f.IncomeName = "Income";
    f.SourseName = "Источник " + std::to_string(i);
    f.IncomeRoubleSum = Rub(3000);
    f.DeductCode = deductCode;
    f.DeductSum = Rub(600);
}

QStringList Sources(const rl::TPage& page) {
    QStringList out;
    for (const QString& t : TextValues(page.Elements))
        if (t.startsWith(QStringLiteral("Источник"))) out << t;
    return out;
}

// The lefts of the "V" ticks of a page or band.
std::vector<double> Ticks(const std::vector<rl::TElement>& elements) {
    std::vector<double> out;
    for (const rl::TElement& e : elements)
        if (e.kind == rl::TElementKind::Label && e.text == "V") out.push_back(e.left);
    return out;
}

std::vector<rl::TElement> Title(int country, bool printValues) {
    rl::TOstrekReport r;
    clTopG(r, country, printValues);
    return r.Bands.at(0).Elements;
}

} // namespace

TEST(SheetD, ThreeSourcesAPageTotalsOnTheLast) {
    struct Case {
        int sources;
        std::vector<int> named;
    } cases[] = {{3, {3}}, {4, {3, 1}}};
    for (const Case& c : cases) {
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        for (int i = 1; i <= c.sources; ++i) Source(d, i, 2201, 201);
        sheettest::Run run = Prepare(d);
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilG);
        ASSERT_EQ(pages.size(), c.named.size()) << c.sources;
        QStringList all;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const rl::TPage& page = pages[p];
            EXPECT_EQ(Sources(page).size(), static_cast<qsizetype>(c.named[p]));
            all += Sources(page);
            EXPECT_EQ(Count(page, "ИНН источника выплаты дохода (010)"), 3);
            EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0132!");
            EXPECT_EQ(Count(page, "Раздел 00011"), 1);
            EXPECT_EQ(HeaderPageNumber(page),
                      QString::number(run.c.plan.SheetFirstPage[skPrilG] + 1 + static_cast<int>(p)).rightJustified(3, '0'));
            // The footnote on every page; line 100, the fees' total, on the last only.
            EXPECT_EQ(Count(page, "подтвержденных расходов)"), 1);
            const rl::TElement* totals = Only(page, "2. Итого:");
            ASSERT_NE(totals, nullptr);
            const QString fees = QString::number(10000 * c.sources) + "00";
            EXPECT_EQ(DigitRow(page, totals->top - 4 + 12.2 - 4.3, 51, 120), p + 1 == pages.size() ? fees : QString());
            EXPECT_EQ(Ticks(page.Elements).size(), 1u);
        }
        QStringList expected;
        for (int i = 1; i <= c.sources; ++i) expected << QStringLiteral("Источник %1").arg(i);
        EXPECT_EQ(all, expected);
    }
}

TEST(SheetD, AbroadTicksTheSecondBoxWithTheSameCodes) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    d.StandartDeduct.Granting = 0;
    Foreign(d, 1, 13, 2205, 202);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilG_In], 1);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilG_In);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(OfKind(pages[0], rl::TElementKind::PageCode).at(0)->text, "!5102!0132!");
    EXPECT_EQ(Count(pages[0], "Раздел 00011"), 1);
    EXPECT_EQ(Ticks(pages[0].Elements), Ticks(Title(2, true)));
    EXPECT_EQ(Sources(pages[0]), QStringList{"Источник 1"});
}

TEST(SheetD, TickBoxesFollowTheirCaptions) {
    const std::vector<rl::TElement> title = Title(1, true);
    const rl::TElement* russia = nullptr;
    const rl::TElement* abroad = nullptr;
    std::vector<const rl::TElement*> boxes;
    for (const rl::TElement& e : title) {
        if (e.text == "Доходы получены от источников: в Российской Федерации") russia = &e;
        if (e.text == "за пределами Российской Федерации") abroad = &e;
        if (e.kind == rl::TElementKind::Rect) boxes.push_back(&e);
    }
    ASSERT_TRUE(russia && abroad);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[0]->left, russia->left + russia->width + 1, 1e-9);
    EXPECT_NEAR(abroad->left, boxes[0]->left + 4.8 + 4, 1e-9);
    EXPECT_NEAR(boxes[1]->left, abroad->left + abroad->width + 1, 1e-9);
    struct Case {
        int country;
        bool printValues;
        std::vector<double> ticks;
    } cases[] = {{1, true, {boxes[0]->left + 1.5}}, {2, true, {boxes[1]->left + 1.5}}, {0, true, {}}, {3, true, {}}, {1, false, {}}, {2, false, {}}};
    for (const Case& c : cases) {
        const std::vector<rl::TElement> t = Title(c.country, c.printValues);
        EXPECT_EQ(Ticks(t), c.ticks) << c.country << c.printValues;
        EXPECT_EQ(std::count_if(t.begin(), t.end(), [](const rl::TElement& e) { return e.kind == rl::TElementKind::Rect; }), 2);
    }
}

TEST(SheetD, NormZeroPrintsEmpty) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    Source(d, 1, 2201, 201, 0);
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilG);
    ASSERT_EQ(pages.size(), 1u);
    const auto norms = Labels(pages[0], "Норматив, %"); // the first block holds the source
    ASSERT_EQ(norms.size(), 3u);
    const rl::TElement* norm = norms[0];
    for (const rl::TElement& e : pages[0].Elements)
        if (e.font.family == QLatin1String("AGLettericaCondensedLight") && std::abs(e.left - 105) < 1e-9 &&
            std::abs(e.top - (norm->top - 40.3 + 51.5 - 4.5)) < 1e-9) {
            EXPECT_TRUE(e.text.trimmed().isEmpty()) << e.text.toStdString();
        }
}

TEST(SheetE, FiveSourcesAPageEachOnce) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    for (int i = 1; i <= 7; ++i) Source(d, i, 2010, 403);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilD], 2);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilD);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Sources(pages[0]).size(), 5);
    EXPECT_EQ(Sources(pages[1]), (QStringList{"Источник 6", "Источник 7"}));
    for (const rl::TPage& page : pages) {
        EXPECT_EQ(Count(page, "ИНН источника выплаты дохода (010)"), 5);
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0149!");
        EXPECT_EQ(Count(page, "Раздел 00012"), 1);
    }
    const rl::TElement* totals = Only(pages[1], "2. Итого:");
    ASSERT_NE(totals, nullptr);
    EXPECT_EQ(DigitRow(pages[1], totals->top + 8 - 4.3, 55, 120), "7000000");
    const rl::TElement* before = Only(pages[0], "2. Итого:");
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(DigitRow(pages[0], before->top + 8 - 4.3, 55, 120), "");
}

// Contracts abroad at 13 % without any 13 % source: the sheet prints exactly its records, also
// when the plan gives it more pages than they fill.
TEST(SheetE, ForeignContractsWithoutThirteenPercentSource) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    d.StandartDeduct.Granting = 0;
    for (int i = 1; i <= 6; ++i) Foreign(d, i, 13, 2010, 403);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.sums->PrilD.Records.size(), 6u);
    for (int planned : {run.c.plan.SheetPageCount[skPrilD], 1, 4}) {
        run.c.plan.SheetPageCount[skPrilD] = planned;
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilD);
        ASSERT_EQ(pages.size(), static_cast<std::size_t>(planned));
        QStringList names;
        for (const rl::TPage& page : pages) names += Sources(page);
        EXPECT_EQ(names.size(), std::min(6, 5 * planned)) << planned;
        EXPECT_EQ(names.removeDuplicates(), 0);
    }
}

// Every line of sheet Д at the place the form gives it, for three sources whose every field
// differs from every other: two figures printed in each other's places cannot pass.
TEST(SheetD, EveryLineOfEveryBlockAtItsPlace) {
    struct Fee {
        const char *inn, *kpp, *name;
        std::int32_t code;
        const char* kind;
        std::int32_t deduct, norm;
        double fee, expenses;
    };
    const Fee fees[] = {
        {"7701000001", "770101001", "Издательство Север", 2201, "Роман", 201, 20, 61234.56, 9876.54},
        {"7702000002", "770201002", "Издательство Юг", 2202, "Повесть", 202, 25, 62345.67, 8765.43},
        {"7703000003", "770301003", "Издательство Запад", 2203, "Очерк", 203, 30, 63456.78, 7654.32},
    };
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    for (const Fee& f : fees) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = f.inn;
        s.KPP = f.kpp;
        s.SourseName = f.name;
        auto line = Line(f.code, f.fee, f.deduct, f.expenses);
        line->IncomeName = f.kind;
        line->DeductNorm = f.norm;
        s.AddSourseIncome(std::move(line));
    }
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilG);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<TLineCheck> block = {
        {"010", {TField::Text, 60, 5.2, 47}, {"7701000001", "7702000002", "7703000003"}},
        {"020", {TField::Text, 130, 5.2, 47}, {"770101001", "770201002", "770301003"}},
        {"030", {TField::Text, 65, 12.1, 126}, {"Издательство Север", "Издательство Юг", "Издательство Запад"}},
        {"040", {TField::Text, 57, 30.7, 16}, {"2201", "2202", "2203"}},
        {"050", {TField::Text, 111, 30.7, 80}, {"Роман", "Повесть", "Очерк"}},
        {"060", {TField::Money, 7, 51.5, 43}, {"61234,56", "62345,67", "63456,78"}},
        {"070", {TField::Text, 81, 51.5, 16}, {"201", "202", "203"}},
        {"080", {TField::Text, 103, 51.5, 16}, {"20", "25", "30"}},
        {"090", {TField::Money, 125, 51.5, 43}, {"9876,54", "8765,43", "7654,32"}},
    };
    for (std::size_t b = 0; b < 3; ++b)
        ExpectLines(pages[0], {"ИНН источника выплаты дохода (010)", 2}, b, block, b, "block " + std::to_string(b + 1) + ", ");
    ExpectLines(pages[0], {"2. Итого:", 4}, 0,
                {{"100", {TField::Money, 51, 12.2, 43}, {"187037,01"}}, {"110", {TField::Money, 128, 12.2, 43}, {"26296,29"}}},
                0, "");
}

// Every line of sheet Е at the place the form gives it, for two contracts whose every field
// differs from every other.
TEST(SheetE, EveryLineOfEveryBlockAtItsPlace) {
    struct Contract {
        const char *inn, *kpp, *name;
        double income, expenses;
    };
    const Contract contracts[] = {
        {"7711000011", "771101001", "Подрядчик Первый", 41234.50, 5432.10},
        {"7722000022", "772201002", "Подрядчик Второй", 42345.60, 6543.20},
    };
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    for (const Contract& c : contracts) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = c.inn;
        s.KPP = c.kpp;
        s.SourseName = c.name;
        s.AddSourseIncome(Line(2010, c.income, 403, c.expenses));
    }
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilD);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<TLineCheck> block = {
        {"010", {TField::Text, 70, 4.2, 42}, {"7711000011", "7722000022"}},
        {"020", {TField::Text, 140, 4.2, 42}, {"771101001", "772201002"}},
        {"030", {TField::Text, 71, 13.6, 118}, {"Подрядчик Первый", "Подрядчик Второй"}},
        {"040", {TField::Money, 45, 25.8, 41}, {"41234,50", "42345,60"}},
        {"050", {TField::Money, 137, 25.8, 35}, {"5432,10", "6543,20"}},
    };
    for (std::size_t b = 0; b < 2; ++b)
        ExpectLines(pages[0], {"ИНН источника выплаты дохода (010)", 1}, b, block, b, "block " + std::to_string(b + 1) + ", ");
    ExpectLines(pages[0], {"2. Итого:", 0}, 0,
                {{"060", {TField::Money, 55, 8, 43}, {"83580,10"}}, {"070", {TField::Money, 128, 8, 43}, {"11975,30"}}}, 0, "");
}
