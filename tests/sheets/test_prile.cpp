#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilE.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

std::vector<rl::TElement> PartTwo(const std::array<Currency, 14>& lines) {
    rl::TOstrekReport r;
    clPartTwo(r, lines, "3", true);
    return r.Bands.at(0).Elements;
}

const rl::TElement* Text(const std::vector<rl::TElement>& elements, double top) {
    for (const rl::TElement& e : elements)
        if (e.font.family == QLatin1String("AGLettericaCondensedLight") && std::abs(e.top - (top - 4.5)) < 1e-9) return &e;
    return nullptr;
}

} // namespace

TEST(SheetK, StandardDeductionsHalfUpTotalsWithKopecks) {
    struct Case {
        double amount;
        const char* printed;
    } cases[] = {{5000.5, "5001"}, {5001.5, "5002"}, {5000.49, "5000"}, {0.5, "1"}, {-2.5, "-2"}, {-2.7, "-2"}};
    for (const Case& c : cases) {
        std::array<Currency, 14> lines{};
        lines[0] = Rub(c.amount);     // line 150
        lines[7] = Rub(c.amount);     // line 220, with kopecks as it stands
        const std::vector<rl::TElement> band = PartTwo(lines);
        EXPECT_EQ(DigitRow(band, 12.8 - 4.3, 100, 200), c.printed) << c.amount;
        const QString kopecks = QString::number(static_cast<long long>(std::llround(std::abs(c.amount) * 100))).rightJustified(3, QLatin1Char('0'));
        EXPECT_EQ(DigitRow(band, 81.2 - 4.3, 100, 200), (c.amount < 0 ? "-" : "") + kopecks) << c.amount;
    }
}

TEST(SheetK, SocialLinesInTheirRows) {
    std::array<Currency, 14> lines{};
    for (std::size_t i = 8; i < 14; ++i) lines[i] = Rub(static_cast<double>(i));
    const std::vector<rl::TElement> band = PartTwo(lines);
    const double tops[] = {100.4, 106.8, 116.4, 126, 132.4, 142};
    for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(DigitRow(band, tops[k] - 4.3, 100, 200), QString::number(k + 8) + "00") << k;
}

TEST(SheetK, MonthCountsEndAtTheirFieldsWhole) {
    for (const char* count : {"        12", "        3", "12"}) {
        rl::TOstrekReport r;
        clPartOne(r, {}, QString::fromUtf8(count), QString::fromUtf8(count), true);
        const std::vector<rl::TElement>& band = r.Bands.at(0).Elements;
        for (auto [left, top] : {std::pair{174.0, 52.4}, std::pair{173.0, 58.8}}) {
            const rl::TElement* e = Text(band, top);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->text, QString::fromUtf8(count).trimmed());
            EXPECT_NEAR(e->left + e->width, left + 17, 1e-9);
        }
    }
}

TEST(SheetK, WithoutStandardDeductionsPartOneStaysEmpty) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    sheettest::Run run = Prepare(d);
    kTSvodSumPrilE& e = run.c.sums->PrilE;
    e.CumIncome.fill(Rub(1000));
    e.Months130 = 12;
    e.Months140 = 12;
    e.Line240 = Rub(38000);
    run.c.plan.SheetPageCount[skPrilE] = 1;
    for (bool granted : {false, true}) {
        run.c.log->Vychety->StandartVych.Granting = granted;
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilE);
        ASSERT_EQ(pages.size(), 1u);
        const rl::TPage& page = pages[0];
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0187!");
        EXPECT_EQ(Count(page, "Раздел 00016"), 1);
        const rl::TElement* january = Only(page, "январь (010)");
        const rl::TElement* own = Only(page, "Сумма, уплаченная за свое обучение (не более 38000 руб.) (240)");
        ASSERT_TRUE(january && own);
        EXPECT_EQ(DigitRow(page, january->top - 10.6 + 14 - 4.3, 0, 100), granted ? "100000" : "") << granted;
        EXPECT_EQ(TextValues(page.Elements).contains("12"), granted);
        EXPECT_EQ(DigitRow(page, own->top - 103.6 + 106.8 - 4.3, 100, 200), "3800000");
        EXPECT_EQ(Count(page, "Подпись"), 1); // the whole sheet and its footer on one page
    }
}

// Every line of sheet К at the place the form gives it. The standard deductions at 400, 500 and
// 3000 roubles are chosen month by month, and the children's deductions of a parent (lines 180,
// 200) and of a single parent (lines 190, 210) come from two declarations that differ only in that
// choice; within each every printed figure differs from every other, so that two figures printed
// in each other's places cannot pass.
TEST(SheetK, EveryLineAtItsPlace) {
    const double monthly[] = {3901.01, 3902.02, 3903.03, 3904.04, 3905.05, 3906.06,
                              3907.07, 3908.08, 3909.09, 3910.10, 2000.11, 100000.12};
    auto declaration = [&](std::int32_t childrenKind) {
        auto d = std::make_unique<mTDeclaration>();
        d->SetIncomeKinds(ikRussian);
        auto& work = d->GetThirteenPercent(d->AddThirteenPercent());
        work.PrimaryWorkplase = 1;
        for (int m = 1; m <= 12; ++m)
            work.AddSourseIncome(reporttest::Line(2000, monthly[m - 1], 0, 0, static_cast<std::uint16_t>(m)));
        mTStandartDeduct& sd = d->StandartDeduct;
        sd.Granting = 1;
        sd.StandartCode = 110;
        sd.Combination = 1;
        for (int m = 1; m <= 12; ++m) sd.SetMonthCombination(m, m <= 2 ? 0 : m <= 5 ? 1 : 2); // 400, 500, 3000
        sd.ChildrenKind = childrenKind;
        sd.ConstChildrens = 1;
        sd.ChildrensCount = 3;
        sd.ConstChildrens2 = 1;
        sd.ChildrensCount2 = 2;
        mTSocialDeduct& social = d->SocialDeduct;
        social.Granting = 1;
        social.Charity = Rub(1234.56);
        social.SelfEducation = Rub(23456.78);
        social.AddChildEduSum(Rub(12345.67));
        social.AddChildEduSum(Rub(5432.10));
        social.Medical = Rub(34567.89);
        social.ExpensiveMedical = Rub(45678.90);
        return d;
    };

    // Each column: the declaration of a parent, then that of a single parent. The running totals
    // cross 20000 in June and 40000 in November: 5 and 10 months.
    const std::vector<TLineCheck> partOne = {
        {"010", {TField::Money, 45, 14, 37}, {"3901,01", "3901,01"}},
        {"020", {TField::Money, 45, 20.6, 37}, {"7803,03", "7803,03"}},
        {"030", {TField::Money, 45, 27.2, 37}, {"11706,06", "11706,06"}},
        {"040", {TField::Money, 45, 33.8, 37}, {"15610,10", "15610,10"}},
        {"050", {TField::Money, 45, 40.4, 37}, {"19515,15", "19515,15"}},
        {"060", {TField::Money, 45, 47, 37}, {"23421,21", "23421,21"}},
        {"070", {TField::Money, 136, 14, 37}, {"27328,28", "27328,28"}},
        {"080", {TField::Money, 136, 20.6, 37}, {"31236,36", "31236,36"}},
        {"090", {TField::Money, 136, 27.2, 37}, {"35145,45", "35145,45"}},
        {"100", {TField::Money, 136, 33.8, 37}, {"39055,55", "39055,55"}},
        {"110", {TField::Money, 136, 40.4, 37}, {"41055,66", "41055,66"}},
        {"120", {TField::Money, 136, 47, 37}, {"141055,78", "141055,78"}},
        {"130", {TField::Text, 174, 52.4, 17}, {"5", "5"}},
        {"140", {TField::Text, 173, 58.8, 17}, {"10", "10"}},
    };
    const std::vector<TLineCheck> partTwo = {
        {"150", {TField::Roubles, 141, 12.8, 42}, {"21000", "21000"}},
        {"160", {TField::Roubles, 141, 19.4, 42}, {"1500", "1500"}},
        {"170", {TField::Roubles, 141, 26, 42}, {"800", "800"}},
        {"180", {TField::Roubles, 141, 32.6, 42}, {"18000", ""}},
        {"190", {TField::Roubles, 141, 42.4, 42}, {"", "36000"}},
        {"200", {TField::Roubles, 141, 55.4, 42}, {"24000", ""}},
        {"210", {TField::Roubles, 141, 71.6, 42}, {"", "48000"}},
        {"220", {TField::Money, 126, 81.2, 42}, {"65300,00", "107300,00"}},
        {"230", {TField::Money, 124, 100.4, 47}, {"1234,56", "1234,56"}},
        {"240", {TField::Money, 124, 106.8, 47}, {"23456,78", "23456,78"}},
        {"250", {TField::Money, 124, 116.4, 47}, {"17777,77", "17777,77"}},
        {"260", {TField::Money, 124, 126, 47}, {"34567,89", "34567,89"}},
        {"270", {TField::Money, 124, 132.4, 47}, {"45678,90", "45678,90"}},
        {"280", {TField::Money, 124, 142, 47}, {"122715,90", "122715,90"}},
    };
    const std::int32_t kinds[] = {101, 102};
    for (std::size_t c = 0; c < 2; ++c) {
        sheettest::Run run = Prepare(*declaration(kinds[c]));
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilE);
        ASSERT_EQ(pages.size(), 1u);
        const std::string where = "children's kind " + std::to_string(kinds[c]) + ", ";
        ExpectLines(pages[0], {"1. Доход по месяцам налогового периода (заполняется нарастающим итогом)", 0}, 0, partOne, c,
                    where);
        ExpectLines(pages[0], {"2. Расчет стандартных налоговых вычетов, установленных статьей 218 Кодекса", 0}, 0, partTwo,
                    c, where);
    }
}
