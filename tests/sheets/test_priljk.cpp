#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilJ.h"
#include "sheets/ClassesPrilK.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

CBDoh Record(const std::string& name, double sale) {
    CBDoh r;
    r.SourceName = name;
    r.INN = "7701";
    r.SaleSum = Rub(sale);
    r.ExpenseSum = Rub(1);
    r.LossSum = Rub(2); // a futures block has no line for it
    return r;
}

struct SecuritiesRun {
    mTDeclaration d;
    sheettest::Run run;
    // Kinds 1.1, 1.2, 1.3, 2 and 3 with 2, 0, 1, 0 and 3 sources; sheet figures set.
    explicit SecuritiesRun(int kind) {
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        run = Prepare(d);
        kTSvodSumPrilJK& s = kind == skPrilJ ? static_cast<kTSvodSumPrilJK&>(run.c.sums->PrilJ) : run.c.sums->PrilK;
        s.Sources[0] = {Record("А1", 100), Record("А2", 200)};
        s.Sources[2] = {Record("В1", 300)};
        s.Sources[3] = {Record("Ф1", 400), Record("Ф2", 500), Record("Ф3", 600)};
        s.Taxable = {Rub(11), Rub(12), Rub(13), Rub(14), Rub(15)};
        s.Loss1 = Rub(21);
        run.c.sums->PrilK.Carry1 = Rub(31);
        run.c.sums->PrilK.Carry3 = Rub(33);
        run.c.sums->PrilK.Carry4 = Rub(34);
        s.IncomeTotal = Rub(9000);
        run.c.plan.SheetPageCount[kind] = 3;
    }
};

QStringList Names(const rl::TPage& page) {
    QStringList out;
    for (const QString& t : TextValues(page.Elements))
        if (t != QLatin1String("7701")) out << t;
    return out;
}

// The digit rows of one block, found under the caption that opens it.
QString Row(const rl::TPage& page, const char* heading, double headingTop, double rowTop, double from, double to) {
    const auto found = Labels(page, QString::fromUtf8(heading));
    if (found.empty()) return QStringLiteral("?");
    return DigitRow(page, found[0]->top - headingTop + rowTop - 4.3, from, to);
}

// Operations of the filer (sheet З) and of a trustee (sheet И), each with a loss on the organised
// market and two sources of section 1.2, the first with a profit and the second with a loss, so that
// the page of the second carries the section's sheet figures and every figure of the section
// differs from every other, also between the two sheets.
void SectionOneTwo(mTDeclaration& d) {
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    struct Operation {
        const char *inn, *kpp, *name;
        std::int32_t code;
        double sale, expenses;
    };
    const Operation operations[] = {
        {"7740000040", "774001001", "Биржа", 1530, 1000.01, 1600.07},
        {"7741000041", "774101001", "Брокер Первый", 1531, 7000.70, 2000.20},
        {"7742000042", "774201002", "Брокер Второй", 1531, 3000.30, 3400.41},
        {"7750000050", "775001001", "Управляющий", 1535, 2000.02, 2700.09},
        {"7751000051", "775101001", "Управляющий Первый", 1536, 8100.81, 1100.11},
        {"7752000052", "775201002", "Управляющий Второй", 1536, 4100.41, 4600.52},
    };
    for (const Operation& o : operations) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = o.inn;
        s.KPP = o.kpp;
        s.SourseName = o.name;
        s.AddSourseIncome(reporttest::Line(o.code, o.sale, 307, o.expenses));
    }
}

// Section 1.2 of a sheet, on the page of each of its two sources: its band is found by the caption
// of its INN line, 7.5 mm below the band's top.
void ExpectSectionOneTwo(int kind, const char* innCaption, const std::vector<TLineCheck>& lines) {
    mTDeclaration d;
    SectionOneTwo(d);
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, kind);
    ASSERT_EQ(pages.size(), 2u);
    for (std::size_t p = 0; p < 2; ++p) ExpectLines(pages[p], {innCaption, 7.5}, 0, lines, p, "page " + std::to_string(p + 1) + ", ");
}

// One source of each kind on both sheets, and every figure of both sum objects, each differing from
// every other: a source's own amounts carry the digits of its sheet (1 for З, 2 for И) and its kind,
// the sheet figures too. Sheet З takes the carries from sheet И's figures.
sheettest::Run OneSourceOfEachKind() {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    sheettest::Run run = Prepare(d);
    const char* const names[2][5] = {{"Биржа ММВБ", "Брокер Север", "Брокер Юг", "Биржа РТС", "Паевой фонд"},
                                     {"Управляющий ММВБ", "Управляющий Север", "Управляющий Юг", "Управляющий РТС",
                                      "Управляющий фондом"}};
    kTSvodSumPrilJK* sheets[] = {&run.c.sums->PrilJ, &run.c.sums->PrilK};
    for (int s = 0; s < 2; ++s) {
        kTSvodSumPrilJK& sums = *sheets[s];
        for (int k = 0; k < 5; ++k) {
            const std::string n = std::to_string(10 * (s + 1) + k + 1); // 11 .. 15, 21 .. 25
            CBDoh r;
            r.INN = "77" + n + "0000" + n;
            r.KPP = "77" + n + "010" + n;
            r.SourceName = names[s][k];
            const double base = 1000 * std::stoi(n);
            r.SaleSum = Rub(base + 100.10);
            r.ExpenseSum = Rub(base + 200.20);
            r.LossSum = Rub(base + 300.30);
            sums.Sources[static_cast<std::size_t>(k)] = {r};
            sums.Taxable[static_cast<std::size_t>(k)] = Rub(100 * std::stoi(n) + 5.05);
        }
        sums.Loss1 = Rub(1000 * (s + 1) + 106.06);
        sums.IncomeTotal = Rub(10000 * (s + 1) + 4100.41);
        sums.TaxableTotal = Rub(10000 * (s + 1) + 4200.42);
        sums.ExpenseTotal = Rub(10000 * (s + 1) + 4300.43);
    }
    kTSvodSumPrilK& k = run.c.sums->PrilK;
    k.Carry1 = Rub(2107.07);
    k.Carry3 = Rub(2307.07);
    k.Carry4 = Rub(2407.07);
    k.Carry5 = Rub(2507.07);
    k.Accepted2 = Rub(2208.08);
    run.c.plan.SheetPageCount[skPrilJ] = 1;
    run.c.plan.SheetPageCount[skPrilK] = 1;
    return run;
}

// A block's source lines: INN, KPP and name on the rows of a block whose heading has one line
// (dy 0) or more.
std::vector<TLineCheck> SourceLines(const char* inn, const char* kpp, const char* name, double dy, const char* innValue,
                                    const char* kppValue, const char* nameValue) {
    return {{inn, {TField::Text, 60, 7.7 + dy, 37}, {innValue}},
            {kpp, {TField::Text, 113, 7.7 + dy, 37}, {kppValue}},
            {name, {TField::Text, 60, 13.6 + dy, 133}, {nameValue}}};
}

// Every block of a sheet's only page, found by the caption of its INN line, and its totals.
void ExpectEveryBlock(int kind, const std::vector<std::pair<TBandAnchor, std::vector<TLineCheck>>>& blocks) {
    sheettest::Run run = OneSourceOfEachKind();
    const std::vector<rl::TPage> pages = SheetPages(run, kind);
    ASSERT_EQ(pages.size(), 1u);
    for (const auto& [anchor, lines] : blocks)
        ExpectLines(pages[0], anchor, 0, lines, 0, std::string(anchor.caption) + ": ");
}

std::vector<TLineCheck> Join(std::vector<TLineCheck> a, const std::vector<TLineCheck>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(SheetSecurities, OneSourceOfEachKindAPageFiguresWithTheLast) {
    SecuritiesRun t(skPrilJ);
    const std::vector<rl::TPage> pages = SheetPages(t.run, skPrilJ);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(Names(pages[0]), (QStringList{"А1", "В1", "Ф1"}));
    EXPECT_EQ(Names(pages[1]), (QStringList{"А2", "Ф2"}));
    EXPECT_EQ(Names(pages[2]), (QStringList{"Ф3"}));
    const char* s11 = "1.1. Ценные бумаги, обращающиеся на организованном рынке ценных бумаг";
    const char* s13 = "1.3. Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг";
    // Line 080 (taxable income of 1.1) with the second 1.1 source only; line 250 with the only 1.3 source.
    EXPECT_EQ(Row(pages[0], s11, 0, 36.6, 69, 125), "");
    EXPECT_EQ(Row(pages[1], s11, 0, 36.6, 69, 125), "1100");
    EXPECT_EQ(Row(pages[1], s11, 0, 36.6, 0, 60), "3100"); // line 070: the carry of sheet И
    EXPECT_EQ(Row(pages[0], s13, 0, 34.92, 90, 200), "1300");
    EXPECT_EQ(Row(pages[1], s13, 0, 34.92, 90, 200), "");
    // The blocks' own incomes, line 040 / 210.
    EXPECT_EQ(Row(pages[0], s11, 0, 27, 0, 60), "10000");
    EXPECT_EQ(Row(pages[2], s11, 0, 27, 0, 60), "");
    // Line 410 on the last page only.
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(Row(pages[static_cast<std::size_t>(p)], "4. ИТОГО", 0, 13.8, 0, 60), p == 2 ? "900000" : "") << p;
        EXPECT_EQ(OfKind(pages[static_cast<std::size_t>(p)], rl::TElementKind::PageCode).at(0)->text, "!5102!0163!");
        EXPECT_EQ(Count(pages[static_cast<std::size_t>(p)], "Раздел 00014"), 1);
        EXPECT_EQ(Count(pages[static_cast<std::size_t>(p)], "(пп. 4.1. - 4.2.) (430)"), 1);
    }
    // The futures' lines 390 and 400 with the third futures source only.
    const char* futures = "являются ценные бумаги";
    EXPECT_EQ(Row(pages[2], futures, 3.2, 37.92, 89, 200), "1400");
    EXPECT_EQ(Row(pages[1], futures, 3.2, 37.92, 89, 200), "");
    EXPECT_EQ(Row(pages[2], futures, 3.2, 37.92, 0, 60), "3400");
    for (std::size_t p : {0u, 1u}) EXPECT_EQ(Row(pages[p], futures, 3.2, 37.92, 0, 60), "") << p;
}

TEST(SheetSecuritiesTrustee, LineCodesAndFigures) {
    SecuritiesRun t(skPrilK);
    const std::vector<rl::TPage> pages = SheetPages(t.run, skPrilK);
    ASSERT_EQ(pages.size(), 3u);
    const rl::TPage& page = pages[1];
    EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0170!");
    EXPECT_EQ(Count(page, "Раздел 00015"), 1);
    for (const char* code : {"ИНН источника выплаты дохода (090)", "ИНН источника выплаты дохода (330)",
                             "(пп. 4.1. - 4.2.) (420)", "1.1.4. Сумма облагаемого дохода (070)"})
        EXPECT_EQ(Count(page, code), 1) << code;
    EXPECT_EQ(Count(page, "ИНН источника выплаты дохода (100)"), 0);
    // Section 1.1 of sheet И: line 070 taxable, line 080 the loss passed on.
    const char* s11 = "1.1. Ценные бумаги, обращающиеся на организованном рынке ценных бумаг";
    EXPECT_EQ(Row(page, s11, 0, 36.6, 0, 60), "1100");
    EXPECT_EQ(Row(page, s11, 0, 36.6, 69, 125), "2100");
}

TEST(SheetSecurities, TitleTicks) {
    struct Case {
        int kind;
        bool printValues;
        int ticks;
    } cases[] = {{1, true, 1}, {2, true, 1}, {0, true, 0}, {1, false, 0}};
    for (const Case& c : cases) {
        rl::TOstrekReport r;
        clTopJ(r, c.kind, c.printValues);
        const std::vector<rl::TElement>& band = r.Bands.at(0).Elements;
        std::vector<double> boxes;
        int ticks = 0;
        double tick = -1;
        for (const rl::TElement& e : band) {
            if (e.kind == rl::TElementKind::Rect) boxes.push_back(e.left);
            if (e.text == "V") {
                ++ticks;
                tick = e.left;
            }
        }
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(ticks, c.ticks);
        if (ticks == 1) {
            EXPECT_NEAR(tick, boxes[static_cast<std::size_t>(c.kind - 1)] + 1.5, 1e-9);
        }
    }
}

// Section 1.2 of sheet З: every line at the place the form gives it.
TEST(SheetSecurities, SectionOneTwoEveryLineAtItsPlace) {
    ExpectSectionOneTwo(skPrilJ, "ИНН источника выплаты дохода (100)",
                        {
                            {"100", {TField::Text, 60, 10.7, 37}, {"7741000041", "7742000042"}},
                            {"110", {TField::Text, 113, 10.7, 37}, {"774101001", "774201002"}},
                            {"120", {TField::Text, 60, 16.6, 133}, {"Брокер Первый", "Брокер Второй"}},
                            {"130", {TField::Money, 7, 30, 40}, {"7000,70", "3000,30"}},
                            {"140", {TField::Money, 69, 30, 40}, {"2000,20", "3400,41"}},
                            {"150", {TField::Money, 130, 30, 40}, {"", "400,11"}},
                            {"160", {TField::Money, 7, 37.92, 41}, {"", "600,06"}},
                            {"170", {TField::Money, 86, 37.92, 41}, {"", "4000,33"}},
                        });
}

// Section 1.2 of sheet И: every line at the place the form gives it.
TEST(SheetSecuritiesTrustee, SectionOneTwoEveryLineAtItsPlace) {
    ExpectSectionOneTwo(skPrilK, "ИНН источника выплаты дохода (090)",
                        {
                            {"090", {TField::Text, 60, 10.7, 37}, {"7751000051", "7752000052"}},
                            {"100", {TField::Text, 113, 10.7, 37}, {"775101001", "775201002"}},
                            {"110", {TField::Text, 60, 16.6, 133}, {"Управляющий Первый", "Управляющий Второй"}},
                            {"120", {TField::Money, 7, 30, 40}, {"8100,81", "4100,41"}},
                            {"130", {TField::Money, 69, 30, 40}, {"1100,11", "4600,52"}},
                            {"140", {TField::Money, 130, 30, 40}, {"", "500,11"}},
                            {"150", {TField::Money, 7, 37.92, 41}, {"", "700,07"}},
                            {"160", {TField::Money, 86, 37.92, 41}, {"", "5800,52"}},
                        });
}

// Every line of every block of sheet З at the place the form gives it, printed by the builder from
// the sheet's figures and the carries of sheet И: two figures handed over in each other's places,
// or taken from the other sheet, cannot pass. Line 160 prints the figure of line 090 by design.
TEST(SheetSecurities, EveryLineOfEveryBlockFromItsFigureAtItsPlace) {
    auto m = [](double left, double top, int width) { return TLinePlace{TField::Money, left, top, width}; };
    ExpectEveryBlock(
        skPrilJ,
        {{{"ИНН источника выплаты дохода (010)", 4.5},
          Join(SourceLines("010", "020", "030", 0, "7711000011", "771101011", "Биржа ММВБ"),
               {{"040", m(7, 27, 40), {"11100,10"}},
                {"050", m(69, 27, 40), {"11200,20"}},
                {"060", m(130, 27, 40), {"11300,30"}},
                {"070", m(7, 36.6, 41), {"2107,07"}},
                {"080", m(69, 36.6, 41), {"1105,05"}},
                {"090", m(130, 36.6, 41), {"1106,06"}}})},
         {{"ИНН источника выплаты дохода (100)", 7.5},
          Join(SourceLines("100", "110", "120", 3, "7712000012", "771201012", "Брокер Север"),
               {{"130", m(7, 30, 40), {"12100,10"}},
                {"140", m(69, 30, 40), {"12200,20"}},
                {"150", m(130, 30, 40), {"12300,30"}},
                {"160", m(7, 37.92, 41), {"1106,06"}},
                {"170", m(86, 37.92, 41), {"1205,05"}}})},
         {{"ИНН источника выплаты дохода (180)", 4.5},
          Join(SourceLines("180", "190", "200", 0, "7713000013", "771301013", "Брокер Юг"),
               {{"210", m(7, 27, 40), {"13100,10"}},
                {"220", m(69, 27, 40), {"13200,20"}},
                {"230", m(130, 27, 40), {"13300,30"}},
                {"240", m(7, 34.92, 41), {"2307,07"}},
                {"250", m(90, 34.92, 41), {"1305,05"}}})},
         {{"ИНН источника выплаты дохода (260)", 4.5},
          Join(SourceLines("260", "270", "280", 0, "7715000015", "771501015", "Паевой фонд"),
               {{"290", m(7, 27, 40), {"15100,10"}},
                {"300", m(69, 27, 40), {"15200,20"}},
                {"310", m(135, 27, 40), {"15300,30"}},
                {"320", m(7, 34.92, 41), {"2507,07"}},
                {"330", m(90, 34.92, 41), {"1505,05"}}})},
         {{"ИНН источника выплаты дохода (340)", 7.5},
          Join(SourceLines("340", "350", "360", 3, "7714000014", "771401014", "Биржа РТС"),
               {{"370", m(7, 30, 40), {"14100,10"}},
                {"380", m(69, 30, 40), {"14200,20"}},
                {"390", m(7, 37.92, 40), {"2407,07"}},
                {"400", m(89, 37.92, 41), {"1405,05"}}})},
         {{"4. ИТОГО", 0},
          {{"410", m(7, 13.8, 39), {"14100,41"}},
           {"420", m(66, 13.8, 39), {"14200,42"}},
           {"430", m(127, 13.8, 39), {"14300,43"}}}}});
}

// Every line of every block of sheet И at the place the form gives it, printed by the builder from
// the sheet's own figures: two figures handed over in each other's places, or taken from sheet З,
// cannot pass.
TEST(SheetSecuritiesTrustee, EveryLineOfEveryBlockFromItsFigureAtItsPlace) {
    auto m = [](double left, double top, int width) { return TLinePlace{TField::Money, left, top, width}; };
    ExpectEveryBlock(
        skPrilK,
        {{{"ИНН источника выплаты дохода (010)", 4.5},
          Join(SourceLines("010", "020", "030", 0, "7721000021", "772101021", "Управляющий ММВБ"),
               {{"040", m(7, 27, 40), {"21100,10"}},
                {"050", m(69, 27, 40), {"21200,20"}},
                {"060", m(130, 27, 40), {"21300,30"}},
                {"070", m(7, 36.6, 41), {"2105,05"}},
                {"080", m(69, 36.6, 41), {"2106,06"}}})},
         {{"ИНН источника выплаты дохода (090)", 7.5},
          Join(SourceLines("090", "100", "110", 3, "7722000022", "772201022", "Управляющий Север"),
               {{"120", m(7, 30, 40), {"22100,10"}},
                {"130", m(69, 30, 40), {"22200,20"}},
                {"140", m(130, 30, 40), {"22300,30"}},
                {"150", m(7, 37.92, 41), {"2208,08"}},
                {"160", m(86, 37.92, 41), {"2205,05"}}})},
         {{"ИНН источника выплаты дохода (170)", 4.5},
          Join(SourceLines("170", "180", "190", 0, "7723000023", "772301023", "Управляющий Юг"),
               {{"200", m(7, 27, 40), {"23100,10"}},
                {"210", m(69, 27, 40), {"23200,20"}},
                {"220", m(130, 27, 40), {"23300,30"}},
                {"230", m(7, 34.92, 41), {"2305,05"}},
                {"240", m(69, 34.92, 41), {"2307,07"}}})},
         {{"ИНН источника выплаты дохода (250)", 4.5},
          Join(SourceLines("250", "260", "270", 0, "7725000025", "772501025", "Управляющий фондом"),
               {{"280", m(7, 27, 40), {"25100,10"}},
                {"290", m(69, 27, 40), {"25200,20"}},
                {"300", m(135, 27, 40), {"25300,30"}},
                {"310", m(7, 34.92, 41), {"2505,05"}},
                {"320", m(69, 34.92, 41), {"2507,07"}}})},
         {{"ИНН источника выплаты дохода (330)", 6.5},
          Join(SourceLines("330", "340", "350", 2, "7724000024", "772401024", "Управляющий РТС"),
               {{"360", m(7, 29, 40), {"24100,10"}},
                {"370", m(69, 29, 40), {"24200,20"}},
                {"380", m(7, 36.92, 40), {"2405,05"}},
                {"390", m(69, 36.92, 41), {"2407,07"}}})},
         {{"4. ИТОГО", 0},
          {{"400", m(7, 13.8, 39), {"24100,41"}},
           {"410", m(66, 13.8, 39), {"24200,42"}},
           {"420", m(127, 13.8, 39), {"24300,43"}}}}});
}
