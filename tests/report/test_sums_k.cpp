#include "ReportTestUtil.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using reporttest::Line;
using reporttest::Rub;

namespace {

struct MonthLine {
    std::uint16_t month;
    double income, deduct;
};

// A declaration with one primary-workplace source holding the given lines, and the standard
// deduction of the given code with no children.
void PrimaryIncome(mTDeclaration& d, std::initializer_list<MonthLine> lines, std::int32_t code = 103) {
    d.SetIncomeKinds(d.IncomeKinds | ikRussian);
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.PrimaryWorkplase = 1;
    for (const MonthLine& l : lines) s.AddSourseIncome(Line(2000, l.income, l.deduct > 0 ? 103 : 0, l.deduct, l.month));
    d.StandartDeduct.Granting = 1;
    d.StandartDeduct.StandartCode = code;
    d.StandartDeduct.ChildrenKind = 0;
}

// 10000 in every month of the year: above 20000 from March, above 40000 from May.
void EveryMonth10000(mTDeclaration& d, std::int32_t code = 103) {
    PrimaryIncome(d,
                  {{1, 10000, 0}, {2, 10000, 0}, {3, 10000, 0}, {4, 10000, 0}, {5, 10000, 0}, {6, 10000, 0},
                   {7, 10000, 0}, {8, 10000, 0}, {9, 10000, 0}, {10, 10000, 0}, {11, 10000, 0}, {12, 10000, 0}},
                  code);
}

kTSvodSumPrilE Calc(kTDanLog& log, kTSvodSum& sums) {
    EXPECT_TRUE(sums.PrilE.Calculate(log, sums));
    return sums.PrilE;
}

kTSvodSumPrilE Calc(const mTDeclaration& d) {
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    return Calc(*log, sums);
}

std::array<Currency, 12> Cum(std::initializer_list<double> values) {
    std::array<Currency, 12> a{};
    int i = 0;
    for (double v : values) a[i++] = Rub(v);
    return a;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Part 1: income by month and the month counts

TEST(SumsPrilE, PrimaryWorkplaceIncomeAsRunningTotals) {
    mTDeclaration d;
    PrimaryIncome(d, {{1, 10000, 0}, {2, 10000, 0}, {3, 10000, 0}});
    auto& other = d.GetThirteenPercent(d.AddThirteenPercent()); // not the primary workplace
    other.AddSourseIncome(Line(2000, 90000, 0, 0, 1));
    d.StandartDeduct.ChildrenKind = 101;
    d.StandartDeduct.SetConstChildrens(2);
    const auto e = Calc(d);

    EXPECT_EQ(e.CumIncome, Cum({10000, 20000, 30000, 30000, 30000, 30000, 30000, 30000, 30000, 30000, 30000, 30000}));
    EXPECT_EQ(e.Months130, 2); // March is the first month above 20000
    EXPECT_EQ(e.Months140, 3);
    EXPECT_EQ(e.Line170, Rub(800));
    EXPECT_EQ(e.Line180, Rub(3 * 600 * 2));
    EXPECT_EQ(e.Line220, Rub(800 + 3600));
}

TEST(SumsPrilE, DeductionOfALineLowersItsMonthAndTheLimitItselfIsNotExceeded) {
    mTDeclaration d;
    PrimaryIncome(d, {{1, 25000, 5000}, {2, 25000, 4000}});
    const auto e = Calc(d);
    EXPECT_EQ(e.CumIncome[0], Rub(20000));
    EXPECT_EQ(e.CumIncome[1], Rub(41000));
    EXPECT_EQ(e.Months130, 1); // exactly 20000 in January still counts
    EXPECT_EQ(e.Months140, 1);
}

TEST(SumsPrilE, StandardDeductionsOffLeavePartsOneAndTwoEmpty) {
    mTDeclaration d;
    EveryMonth10000(d, 105);
    d.StandartDeduct.Granting = 0;
    const auto e = Calc(d);
    EXPECT_EQ(e.CumIncome, Cum({}));
    EXPECT_EQ(e.Months130, 0);
    EXPECT_EQ(e.Months140, 0);
    for (auto line : {&kTSvodSumPrilE::Line150, &kTSvodSumPrilE::Line160, &kTSvodSumPrilE::Line170,
                      &kTSvodSumPrilE::Line180, &kTSvodSumPrilE::Line190, &kTSvodSumPrilE::Line200,
                      &kTSvodSumPrilE::Line210, &kTSvodSumPrilE::Line220})
        EXPECT_EQ(e.*line, Rub(0));
}

TEST(SumsPrilE, DecemberIsCountedOnItsOwn) {
    // The running total passes both limits in January and falls back by December.
    mTDeclaration d;
    PrimaryIncome(d, {{1, 45000, 0}, {12, 0, 30000}});
    const auto e = Calc(d);
    EXPECT_EQ(e.CumIncome[11], Rub(15000));
    EXPECT_EQ(e.Months130, 1);
    EXPECT_EQ(e.Months140, 1);
    EXPECT_EQ(e.Line170, Rub(400));
}

// ---------------------------------------------------------------------------------------------
// Part 1 from business income

TEST(SumsPrilE, WithoutPrimaryLinesTheBusinessResultCarriesTheLoss) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikBusiness);
    d.GetThirteenPercent(d.AddThirteenPercent()).PrimaryWorkplase = 1; // primary, but without lines
    d.StandartDeduct.StandartCode = 104;
    d.StandartDeduct.ChildrenKind = 0;
    auto& a = d.GetBusinessIncome(d.AddBusinessIncome());
    a.IncomeMonths = 0b011;
    a.SetMonthIncome(0, Rub(1000));
    a.SetMonthIncome(1, Rub(5000));
    a.ExpenseMonths = 0b001;
    mTBusinessExpense jan{Rub(1000), {}, {}, Rub(2000)};
    a.SetMonthExpense(0, &jan);
    // Income and expenses for the whole period add nothing by month.
    auto& p = d.GetBusinessIncome(d.AddBusinessIncome());
    p.SetIncomeByMonth(0);
    p.SetPeriodIncome(Rub(50000));
    p.SetExpenseByMonth(0);
    mTBusinessExpense whole{Rub(100), {}, {}, {}};
    p.SetPeriodExpense(&whole);

    auto log = reporttest::Read(d);
    kTSvodSum sums;
    const auto e = Calc(*log, sums);

    EXPECT_EQ(e.ActivityExpense[0], Rub(3000));
    EXPECT_EQ(e.ActivityExpense[1], Rub(0));
    EXPECT_EQ(e.CumIncome, Cum({0, 3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000}));
    EXPECT_EQ(e.Line160, Rub(2 * 500)); // the months of the activities' month set
}

// The deduction of a sold share of a dwelling counts only up to its income, as on sheet Ж.
TEST(SumsPrilE, ShareSaleDeductionUpToItsIncome) {
    mTDeclaration d;
    PrimaryIncome(d, {{1, 10000, 0}});
    d.GetThirteenPercent(0).AddSourseIncome(Line(1511, 5000, 313, 8000, 2));
    d.GetThirteenPercent(0).AddSourseIncome(Line(1511, 5000, 313, 1000, 3));
    const auto e = Calc(d);
    EXPECT_EQ(e.CumIncome, Cum({10000, 10000, 14000, 14000, 14000, 14000, 14000, 14000, 14000, 14000, 14000, 14000}));
}

TEST(SumsPrilE, UnconfirmedExpensesAreTwentyPercentToTheEvenKopeck) {
    mTDeclaration d;
    d.SetIncomeKinds(ikBusiness);
    d.StandartDeduct.StandartCode = 105;
    d.StandartDeduct.ChildrenKind = 0;
    auto& a = d.GetBusinessIncome(d.AddBusinessIncome());
    a.SetConfirmedExpenses(0);
    a.IncomeMonths = 0b1111;
    a.ExpenseMonths = 0;
    a.SetMonthIncome(0, Rub(1000.03)); // 200.006
    a.SetMonthIncome(1, Rub(0.025));   // 0.005: half, to the even 0.00
    a.SetMonthIncome(2, Rub(0.075));   // 0.015: half, to the even 0.02
    a.SetMonthIncome(3, Rub(0.0251));  // 0.00502
    const auto e = Calc(d);

    EXPECT_EQ(e.ActivityExpense[0], Rub(200.01));
    EXPECT_EQ(e.ActivityExpense[1], Rub(0));
    EXPECT_EQ(e.ActivityExpense[2], Rub(0.02));
    EXPECT_EQ(e.ActivityExpense[3], Rub(0.01));
    EXPECT_EQ(e.CumIncome[0], Rub(800.02));
    EXPECT_EQ(e.CumIncome[3], Rub(800.02 + 0.025 + 0.055 + 0.0151));
    EXPECT_EQ(e.Months130, 4);
    EXPECT_EQ(e.Line150, Rub(4 * 3000));
    EXPECT_EQ(e.Line220, e.CumIncome[11]); // limited to the year's income
}

// ---------------------------------------------------------------------------------------------
// Part 2: standard deductions

struct CodeCase {
    std::int32_t code;
    double line150, line160, line170;
};

class SumsPrilECodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(SumsPrilECodes, OnlyCode103StopsAtTheIncomeLimit) {
    const CodeCase c = GetParam();
    mTDeclaration d;
    EveryMonth10000(d, c.code);
    const auto e = Calc(d);
    EXPECT_EQ(e.Months130, 2);
    EXPECT_EQ(e.Line150, Rub(c.line150));
    EXPECT_EQ(e.Line160, Rub(c.line160));
    EXPECT_EQ(e.Line170, Rub(c.line170));
    EXPECT_EQ(e.Line220, Rub(c.line150 + c.line160 + c.line170));
}

INSTANTIATE_TEST_SUITE_P(Codes, SumsPrilECodes,
                         ::testing::Values(CodeCase{103, 0, 0, 800}, CodeCase{104, 0, 6000, 0},
                                           CodeCase{105, 36000, 0, 0}, CodeCase{107, 0, 0, 0}));

TEST(SumsPrilE, AMonthWithAZeroLineIsCounted) {
    mTDeclaration d;
    PrimaryIncome(d, {{1, 10000, 0}, {4, 0, 0}}, 104);
    EXPECT_EQ(Calc(d).Line160, Rub(1000));
}

TEST(SumsPrilE, MonthlyCodesTestEachMonthOnItsOwn) {
    // Running totals 5, 10, 15, 20, 25 (May passes 20000), 30, 35, 35 (no August line), 40, 45, 50,
    // and 10 thousand in December.
    auto build = [](mTDeclaration& d, std::int32_t code) {
        PrimaryIncome(d,
                      {{1, 5000, 0}, {2, 5000, 0}, {3, 5000, 0}, {4, 5000, 0}, {5, 5000, 0}, {6, 5000, 0},
                       {7, 5000, 0}, {9, 5000, 0}, {10, 5000, 0}, {11, 5000, 0}, {12, 0, 40000}},
                      code);
        d.StandartDeduct.Combination = 1;
        const std::int32_t choice[12] = {0, 1, 2, 0, 0, 1, 2, 2, 0, 1, 0, 0};
        for (int m = 1; m <= 12; ++m) d.StandartDeduct.SetMonthCombination(m, choice[m - 1]);
    };
    mTDeclaration d110;
    build(d110, 110);
    const auto e = Calc(d110);
    EXPECT_EQ(e.CumIncome[11], Rub(10000));
    EXPECT_EQ(e.Line170, Rub(2 * 400));  // January and April; none after May, December included
    EXPECT_EQ(e.Line160, Rub(3 * 500));  // February, June, October
    EXPECT_EQ(e.Line150, Rub(2 * 3000)); // March and July; August has no income
    EXPECT_EQ(e.Line220, Rub(800 + 1500 + 6000));

    // The same document under code 103 counts January to April and December again.
    mTDeclaration d103;
    build(d103, 103);
    d103.StandartDeduct.Combination = 0;
    const auto e103 = Calc(d103);
    EXPECT_EQ(e103.Months130, 5);
    EXPECT_EQ(e103.Line170, Rub(5 * 400));
    EXPECT_EQ(e103.Line150, Rub(0));
    EXPECT_EQ(e103.Line160, Rub(0));
}

struct ChildCase {
    std::int32_t kind;
    double line180, line190, line200, line210;
};

class SumsPrilEChildren : public ::testing::TestWithParam<ChildCase> {};

TEST_P(SumsPrilEChildren, RateByKindForConstantCounts) {
    const ChildCase c = GetParam();
    mTDeclaration d;
    EveryMonth10000(d, 0); // Months140 = 4
    d.StandartDeduct.ChildrenKind = c.kind;
    d.StandartDeduct.SetConstChildrens(2);
    d.StandartDeduct.SetConstChildrens2(1);
    const auto e = Calc(d);
    EXPECT_EQ(e.Months140, 4);
    EXPECT_EQ(e.Line180, Rub(c.line180));
    EXPECT_EQ(e.Line190, Rub(c.line190));
    EXPECT_EQ(e.Line200, Rub(c.line200));
    EXPECT_EQ(e.Line210, Rub(c.line210));
    EXPECT_EQ(e.Line220, Rub(c.line180 + c.line190 + c.line200 + c.line210));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SumsPrilEChildren,
                         ::testing::Values(ChildCase{101, 4 * 600 * 2, 0, 4 * 1200, 0},
                                           ChildCase{102, 0, 4 * 1200 * 2, 0, 4 * 2400},
                                           ChildCase{0, 0, 0, 0, 0}));

TEST(SumsPrilE, MonthlyChildCountsOverTheMonthsUpTo40000) {
    // Income in January, March and April only; the total passes 40000 in May.
    mTDeclaration d;
    PrimaryIncome(d, {{1, 10000, 0}, {3, 10000, 0}, {4, 15000, 0}, {5, 10000, 0}}, 0);
    d.StandartDeduct.ChildrenKind = 101;
    for (int m = 0; m < 12; ++m) {
        d.StandartDeduct.SetMonthChildrens(m, m + 1);  // 1 child in January, 2 in February, ...
        d.StandartDeduct.SetMonthChildrens2(m, 1);
    }
    const auto e = Calc(d);
    EXPECT_EQ(e.Months140, 3);
    EXPECT_EQ(e.Line180, Rub(600 * (1 + 3 + 4))); // February without income, May above the limit
    EXPECT_EQ(e.Line200, Rub(1200 * 3));
}

// ---------------------------------------------------------------------------------------------
// Part 3: social deductions

TEST(SumsPrilE, SocialDeductionsAndTheirLimits) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0; // social deductions do not depend on the standard ones
    d.SocialDeduct.Granting = 1;
    d.SocialDeduct.Charity = Rub(30000);
    d.SocialDeduct.SelfEducation = Rub(40000);
    d.SocialDeduct.AddChildEduSum(Rub(50000));
    d.SocialDeduct.AddChildEduSum(Rub(10000));
    d.SocialDeduct.Medical = Rub(37999.99);
    d.SocialDeduct.ExpensiveMedical = Rub(120000);
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilA13.Line080 = Rub(60000);
    sums.PrilB13.Line150 = Rub(30000.10);
    sums.PrilV.Line110 = Rub(10000);
    const auto e = Calc(*log, sums);

    EXPECT_EQ(e.Line230, Rub(25000.02)); // 25000.025 cut
    EXPECT_EQ(e.Line240, Rub(38000));
    EXPECT_EQ(e.Line250, Rub(48000));
    EXPECT_EQ(e.Line260, Rub(37999.99));
    EXPECT_EQ(e.Line270, Rub(120000));
    EXPECT_EQ(e.Line280, Rub(25000.02 + 38000 + 48000 + 37999.99 + 120000));
    EXPECT_EQ(e.Line220, Rub(0));
    // The limit is the sheet's: the model keeps the amounts read.
    EXPECT_EQ(log->Vychety->SocialVych.ChildEduSums, (std::vector<Currency>{Rub(50000), Rub(10000)}));
}

TEST(SumsPrilE, CharityUpToAQuarterOfTheIncome) {
    struct Case {
        double charity, base, expected;
    } cases[] = {
        {20000, 100000, 20000},
        {25000, 100000, 25000},         // equal to the quarter: not above it
        {25000.0001, 100000, 25000},
        {25000.025, 100000.1, 25000.025}, // not above the exact quarter: kept with its fraction
        {100, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charity);
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.SocialDeduct.Granting = 1;
        d.SocialDeduct.Charity = Rub(c.charity);
        auto log = reporttest::Read(d);
        kTSvodSum sums;
        sums.PrilV.Line110 = Rub(c.base);
        EXPECT_EQ(Calc(*log, sums).Line230, Rub(c.expected));
    }
}

TEST(SumsPrilE, SocialDeductionsOffLeaveThemZero) {
    mTDeclaration d;
    EveryMonth10000(d);
    d.SocialDeduct.Granting = 0;
    d.SocialDeduct.Charity = Rub(500);
    d.SocialDeduct.ExpensiveMedical = Rub(500);
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilA13.Line080 = Rub(120000);
    const auto e = Calc(*log, sums);
    EXPECT_EQ(e.Line230, Rub(0));
    EXPECT_EQ(e.Line270, Rub(0));
    EXPECT_EQ(e.Line280, Rub(0));
}

TEST(SumsPrilE, StandardTotalLimitedToTheYearsIncome) {
    mTDeclaration d;
    PrimaryIncome(d, {{1, 1000, 0}}, 105);
    d.StandartDeduct.ChildrenKind = 102;
    d.StandartDeduct.SetConstChildrens(1);
    const auto e = Calc(d);
    EXPECT_EQ(e.Line150, Rub(3000));
    EXPECT_EQ(e.Line190, Rub(1200)); // January is the only month with income
    EXPECT_EQ(e.Line220, Rub(1000));
}
