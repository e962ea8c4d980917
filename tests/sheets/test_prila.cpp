#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilA.h"
#include "sheets/SheetBuilders.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

// A resident with `n` 13 % sources named "Источник 1" ... of 10 000 roubles each.
void Sources13(mTDeclaration& d, int n) {
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    d.Person.Name.INN = "500100732259";
    d.Person.Name.SurName = "Петрова";
    for (int i = 1; i <= n; ++i) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = "77010000" + std::to_string(10 + i);
        s.SourseName = "Источник " + std::to_string(i);
        s.HoldSum = Rub(1300);
        s.AddSourseIncome(reporttest::Line(2000, 10000));
    }
}

QStringList SourceNames(const rl::TPage& page) {
    QStringList out;
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && e.text.startsWith(QStringLiteral("Источник"))) out << e.text;
    return out;
}

} // namespace

TEST(SheetA, FourSourcesAPageEmptyBlocksAndTotalsOnTheLast) {
    struct Case {
        int sources, pages;
        std::vector<int> named; // source blocks with a name, per page
    } cases[] = {{4, 1, {4}}, {5, 2, {4, 1}}, {8, 2, {4, 4}}, {9, 3, {4, 4, 1}}};
    for (const Case& c : cases) {
        mTDeclaration d;
        Sources13(d, c.sources);
        sheettest::Run run = sheettest::Prepare(d);
        ASSERT_EQ(run.c.plan.SheetPageCount[skPrilA13], c.pages) << c.sources;
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilA13);
        ASSERT_EQ(pages.size(), static_cast<std::size_t>(c.pages)) << c.sources;
        for (int p = 0; p < c.pages; ++p) {
            const rl::TPage& page = pages[static_cast<std::size_t>(p)];
            EXPECT_EQ(Count(page, "ИНН источника выплаты дохода (010)"), 4) << c.sources << " page " << p;
            EXPECT_EQ(SourceNames(page).size(), static_cast<std::size_t>(c.named[static_cast<std::size_t>(p)]));
            EXPECT_EQ(HeaderPageNumber(page), QString::number(run.c.plan.SheetFirstPage[skPrilA13] + 1 + p).rightJustified(3, '0'));
            const auto codes = sheettest::OfKind(page, rl::TElementKind::PageCode);
            ASSERT_EQ(codes.size(), 1u);
            EXPECT_EQ(codes[0]->text, "!5102!0095!");
            EXPECT_EQ(Count(page, "Раздел 00007"), 1);
            // Line 080: the sheet's total income on the last page only.
            const rl::TElement* totals = Only(page, "2. Итоговые результаты");
            ASSERT_NE(totals, nullptr);
            const double row080 = totals->top - 2 + 17 - 4.3;
            const QString expected = p == c.pages - 1 ? QString::number(10000 * c.sources) + "00" : QString();
            EXPECT_EQ(DigitRow(page, row080, 33, 100), expected) << c.sources << " page " << p;
        }
        // Every source once, in list order.
        QStringList names;
        for (const rl::TPage& page : pages) names += SourceNames(page);
        QStringList all;
        for (int i = 1; i <= c.sources; ++i) all << QStringLiteral("Источник %1").arg(i);
        EXPECT_EQ(names, all);
    }
}

TEST(SheetA, RateInTheTitleOfEachKind) {
    mTDeclaration d;
    Sources13(d, 1);
    sheettest::Run run = sheettest::Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilA13);
    const rl::TElement* rate = Only(pages.at(0), "облагаемые налогом по ставке (001)  13   %");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->left, 61);
    EXPECT_EQ(rate->font.size, 11);
    EXPECT_TRUE(rate->font.bold);

    rl::TOstrekReport blank;
    clTopA(blank, "  35   ", false);
    EXPECT_EQ(blank.Bands.at(0).Elements.at(1).text, "облагаемые налогом по ставке (001)____%");
}

TEST(SheetA, SourceBlockPositions) {
    rl::TOstrekReport r;
    clDohodA(r, TSourceA{"7701000011", "770101001", "45286555000", "ООО Ромашка", Rub(1234.56), Rub(1000), Rub(130), Rub(129.5)},
             true);
    const rl::TBand& b = r.Bands.at(0);
    EXPECT_EQ(b.Height, 37);
    struct Where {
        const char* text;
        double left, top;
    } cases[] = {
        {"ИНН источника выплаты дохода (010)", 7, 2},
        {"7701000011", 62, 0.7},
        {"770101001", 110, 0.7},
        {"45286555000", 170, 0.7},
        {"ООО Ромашка", 68, 10.1},
        {"Сумма налога уплаченная (070)", 98, 29.1},
    };
    for (const Where& w : cases) {
        const rl::TElement* e = nullptr;
        for (const rl::TElement& x : b.Elements)
            if (x.text == QString::fromUtf8(w.text)) e = &x;
        ASSERT_NE(e, nullptr) << w.text;
        EXPECT_NEAR(e->left, w.left, 1e-9) << w.text;
        EXPECT_NEAR(e->top, w.top, 1e-9) << w.text;
    }
    rl::TPage page;
    page.Elements = b.Elements;
    EXPECT_EQ(DigitRow(page, 26.8 - 4.3, 35, 100), "123456"); // line 040 with kopecks
    EXPECT_EQ(DigitRow(page, 32.3 - 4.3, 45, 100), "130");    // line 060
    EXPECT_EQ(DigitRow(page, 32.3 - 4.3, 141, 200), "130");   // line 070: 129.5 half up
}

TEST(SheetA, TaxLinesHalfUpAsTheTextFile) {
    struct Case {
        double tax;
        const char* printed;
    } cases[] = {{15598.5, "15599"}, {1234.5, "1235"}, {1235.5, "1236"}, {0.5, "1"}, {0.49, ""}, {1234.49, "1234"}, {1234.51, "1235"}};
    for (const Case& c : cases) {
        rl::TOstrekReport r;
        clItogoA(r, {}, {}, Rub(c.tax), {}, true);
        rl::TPage page;
        page.Elements = r.Bands.at(0).Elements;
        EXPECT_EQ(DigitRow(page, 26 - 4.3, 45, 100), c.printed) << c.tax;
    }
}

TEST(SheetA, LongNameGoesOnToTheSecondLine) {
    const QString word = QStringLiteral("Общество с ограниченной ответственностью ");
    QString name;
    while (name.size() < 400) name += word;
    rl::TOstrekReport r;
    clDohodA(r, TSourceA{{}, {}, {}, name, {}, {}, {}, {}}, true);
    QString first, second;
    for (const rl::TElement& e : r.Bands.at(0).Elements) {
        if (e.kind != rl::TElementKind::Label || e.font.family != QLatin1String("AGLettericaCondensedLight")) continue;
        if (std::abs(e.top - (14.6 - 4.5)) < 1e-9) first = e.text;
        if (std::abs(e.top - (20.1 - 4.5)) < 1e-9) second = e.text;
    }
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_TRUE(name.startsWith(first + second)); // the second line goes on where the first stopped
    EXPECT_LT((first + second).size(), name.size()); // and the rest is cut
    EXPECT_LE(second.size(), 200);
}

TEST(SheetA, MorePagesPlannedThanRecordsNeverReadsPastThem) {
    mTDeclaration d;
    Sources13(d, 5);
    sheettest::Run run = sheettest::Prepare(d);
    run.c.plan.SheetPageCount[skPrilA13] = 4; // more pages than the five records fill
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilA13);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(SourceNames(pages[0]).size(), 4u);
    EXPECT_EQ(SourceNames(pages[1]).size(), 1u);
    EXPECT_TRUE(SourceNames(pages[2]).isEmpty());
    EXPECT_TRUE(SourceNames(pages[3]).isEmpty());
    for (const rl::TPage& page : pages) EXPECT_EQ(Count(page, "ИНН источника выплаты дохода (010)"), 4);
}

TEST(SheetA, EveryRateHasItsKind) {
    mTDeclaration d;
    Sources13(d, 2);
    auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
    div.SourseName = "Дивиденды АО";
    div.ItogIncomeSum = Rub(5000);
    auto& s35 = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    s35.SourseName = "Банк";
    s35.ItogIncomeSum = Rub(7000);
    sheettest::Run run = sheettest::Prepare(d);
    for (auto [kind, rate, name] : {std::tuple{skPrilA9, "   9   ", "Дивиденды АО"}, std::tuple{skPrilA13, "  13   ", "Источник 1"},
                                    std::tuple{skPrilA35, "  35   ", "Банк"}}) {
        ASSERT_EQ(run.c.plan.SheetPageCount[kind], 1) << rate;
        const std::vector<rl::TPage> pages = SheetPages(run, kind);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(Count(pages[0], QStringLiteral("облагаемые налогом по ставке (001)") + rate + "%"), 1) << rate;
        EXPECT_EQ(Count(pages[0], QString::fromUtf8(name)), 1) << rate;
    }
}

// Every line of every block of sheet А at the place the form gives it, printed by each rate's
// builder from its own figures: five sources over two pages, every field of every source and every
// total differing from every other (also between the rates), so that two figures handed over in
// each other's places, or another rate's figures, cannot pass.
TEST(SheetA, EveryLineOfEveryBlockFromItsFigureAtItsPlace) {
    struct Kind {
        int kind, rate;
        kTSvodSumPrilA& (*sums)(kTSvodSum&);
    } kinds[] = {{skPrilA9, 9, [](kTSvodSum& s) -> kTSvodSumPrilA& { return s.PrilA6; }},
                 {skPrilA13, 13, [](kTSvodSum& s) -> kTSvodSumPrilA& { return s.PrilA13; }},
                 {skPrilA30, 30, [](kTSvodSum& s) -> kTSvodSumPrilA& { return s.PrilA30; }},
                 {skPrilA35, 35, [](kTSvodSum& s) -> kTSvodSumPrilA& { return s.PrilA35; }}};
    const std::pair<const char*, TLinePlace> block[] = {
        {"010", {TField::Text, 60, 5.2, 30}},     {"020", {TField::Text, 108, 5.2, 30}},
        {"021", {TField::Text, 168, 5.2, 27}},    {"030", {TField::Text, 66, 14.6, 130}},
        {"040", {TField::Money, 35, 26.8, 41}},   {"050", {TField::Money, 141, 26.8, 35}},
        {"060", {TField::Roubles, 45, 32.3, 44}}, {"070", {TField::Roubles, 141, 32.3, 44}},
    };
    const std::pair<const char*, TLinePlace> totals[] = {
        {"080", {TField::Money, 33, 17, 44}},
        {"090", {TField::Money, 128, 17, 44}},
        {"100", {TField::Roubles, 45, 26, 44}},
        {"110", {TField::Roubles, 142, 26, 44}},
    };
    for (const Kind& k : kinds) {
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        sheettest::Run run = Prepare(d);
        run.c.plan.SheetPageCount[k.kind] = 2;
        kTSvodSumPrilA& a = k.sums(*run.c.sums);
        const std::string r = std::to_string(k.rate + 100).substr(1); // two digits
        // What each source prints in line order; the last column is the empty block.
        std::vector<std::vector<std::string>> printed;
        for (int i = 1; i <= 5; ++i) {
            const std::string n = std::to_string(i);
            RecA s{"77" + r + "00000" + n, "77" + r + "0100" + n, "45" + r + "000000" + n, "Источник " + r + "-" + n,
                   Rub(k.rate * 10000 + i * 1000 + i * 0.01), Rub(k.rate * 10000 + i * 1000 - 100 + i * 0.02),
                   Rub(k.rate * 100 + i * 10), Rub(k.rate * 100 + i * 10 + 3)};
            a.Sources.push_back(s);
            const std::string roubles = std::to_string(k.rate * 10 + i) + "000";
            const std::string taxable = std::to_string(k.rate * 10000 + i * 1000 - 100) + (i < 5 ? ",0" : ",");
            printed.push_back({s.INN, s.KPP, s.OKATO, s.SourseName, roubles + ",0" + n, taxable + std::to_string(2 * i),
                               std::to_string(k.rate * 100 + i * 10), std::to_string(k.rate * 100 + i * 10 + 3)});
        }
        printed.push_back(std::vector<std::string>(std::size(block)));
        a.Line080 = Rub(k.rate * 100000 + 0.80);
        a.Line090 = Rub(k.rate * 100000 - 9000 + 0.90);
        a.Line100 = Rub(k.rate * 1000 + 100);
        a.Line110 = Rub(k.rate * 1000 + 110);
        const std::vector<std::string> sheetTotals = {std::to_string(k.rate) + "00000,80",
                                                      std::to_string(k.rate * 100 - 9) + "000,90",
                                                      std::to_string(k.rate) + "100", std::to_string(k.rate) + "110"};

        const std::vector<rl::TPage> pages = SheetPages(run, k.kind);
        ASSERT_EQ(pages.size(), 2u) << k.rate;
        for (std::size_t p = 0; p < 2; ++p) {
            const rl::TPage& page = pages[p];
            for (std::size_t b = 0; b < 4; ++b) {
                const std::size_t source = std::min<std::size_t>(4 * p + b, 5);
                const double top = BandTop(page, "ИНН источника выплаты дохода (010)", 2, b);
                ASSERT_FALSE(std::isnan(top)) << k.rate << " page " << p + 1 << " block " << b + 1;
                for (std::size_t l = 0; l < std::size(block); ++l)
                    EXPECT_EQ(ValueAt(page, top, block[l].second), printed[source][l])
                        << k.rate << " % page " << p + 1 << ", block " << b + 1 << ", line " << block[l].first;
            }
            const double top = BandTop(page, "2. Итоговые результаты", 2);
            ASSERT_FALSE(std::isnan(top)) << k.rate;
            for (std::size_t l = 0; l < std::size(totals); ++l)
                EXPECT_EQ(ValueAt(page, top, totals[l].second), p == 1 ? sheetTotals[l] : std::string())
                    << k.rate << " % page " << p + 1 << ", line " << totals[l].first;
        }
    }
}
