// Damaged but readable blocks: whatever amounts a block holds must go through the figures, the page
// plan and the text file without undefined behaviour (the sanitizer build of these tests stops on
// it), and an amount beyond the money type's range stays at its bound instead of changing sign.
#include "ReportTestUtil.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using reporttest::Line;
using reporttest::Rub;

namespace {

const Currency kMax = Currency::FromRaw(INT64_MAX);

struct Run : reporttest::Computed {
    std::vector<std::string> text;
    bool HasLine(const std::string& line) const { return std::find(text.begin(), text.end(), line) != text.end(); }
};

// Everything an export does with the block before its windows: figures, page plan, text file.
Run Through(const mTDeclaration& d) {
    Run r;
    static_cast<reporttest::Computed&>(r) = reporttest::Compute(d);
    r.plan = PlanPages(*r.log, *r.sums);
    r.text = BuildTaxText(*r.log, *r.sums, r.plan, TTaxClock{2008, 1, 1, 12, 0, 0});
    return r;
}

// The amounts are set after the lines have been added, so that only the report adds them up.
mTThirteenPercent& SourceWithLines(mTDeclaration& d, std::vector<Currency> incomes) {
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    for (Currency income : incomes) s.GetSourseIncome(s.AddSourseIncome(Line(2000, 0))).IncomeSum = income;
    return s;
}

} // namespace

// Two income lines of the largest amount a value can hold: their sum used to wrap around into a
// negative income (and is undefined in C++).
TEST(DamagedBlock, IncomeTotalsStayAtTheBound) {
    struct Case {
        const char* name;
        std::vector<Currency> incomes;
        Currency total;
        Currency base;
    } cases[] = {
        {"two largest incomes", {kMax, kMax}, kMax, kMax},
        {"largest income and a small one", {kMax, Rub(303)}, kMax, kMax},
        {"two most negative incomes", {-kMax, -kMax}, Currency::FromRaw(INT64_MIN), Currency()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        SourceWithLines(d, k.incomes);
        auto c = Through(d);
        EXPECT_EQ(c.sums->PrilA13.Line080, k.total);
        EXPECT_EQ(c.sums->PrilA13.Sources.at(0).Income, k.total);
        EXPECT_EQ(c.sums->List1.Line010, k.total);
        EXPECT_EQ(c.sums->List1.Line050, k.base);
        EXPECT_EQ(c.sums->List1.Line060, RoundedTax(k.base, 0.13L));
        EXPECT_EQ(c.sums->List1.Line110, c.sums->List1.Line060);
    }
}

// A share far outside 0..1 used to turn the filer's part of the housing limit into a number no
// 64-bit value holds; beyond a whole share the limit is simply the whole one.
TEST(DamagedBlock, HousingShareFarOutsideOneLimitsAsAWholeOrNothing) {
    auto housing = [](Currency share) {
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        SourceWithLines(d, {Rub(3000000)});
        auto& h = d.ConstructionDeduct;
        h.Granting = 1;
        h.ObjectCost = Rub(2500000);
        h.Share = share;
        return Through(d);
    };
    const auto whole = housing(Rub(1));
    ASSERT_EQ(whole.sums->PrilZ.Line210, Rub(1000000));
    const auto huge = housing(kMax);
    EXPECT_EQ(huge.sums->PrilZ.Line210, Rub(1000000));
    EXPECT_EQ(huge.sums->List1.Line040, whole.sums->List1.Line040);
    const auto negative = housing(-kMax);
    EXPECT_EQ(negative.sums->PrilZ.Line210, Currency());
    EXPECT_EQ(negative.sums->List1.Line040, Currency());
}

// Charity is limited to a quarter of the 13 % income; four times the largest amount used to
// overflow, and the whole amount was then taken.
TEST(DamagedBlock, HugeCharityIsLimitedToAQuarterOfTheIncome) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    SourceWithLines(d, {Rub(100000)});
    d.SocialDeduct.Granting = 1;
    d.SocialDeduct.Charity = kMax;
    auto c = Through(d);
    EXPECT_EQ(c.sums->PrilE.Line230, Rub(25000));
    EXPECT_EQ(c.sums->PrilE.Line280, Rub(25000));
    EXPECT_EQ(c.sums->List1.Line040, Rub(25000));
}

// The monthly incomes of a business are added up while the block is read.
TEST(DamagedBlock, BusinessIncomeByMonthStaysAtTheBound) {
    mTDeclaration d;
    d.SetIncomeKinds(ikBusiness);
    d.StandartDeduct.Granting = 0;
    auto& b = d.GetBusinessIncome(d.AddBusinessIncome());
    b.SetMonthIncome(0, kMax);
    b.SetMonthIncome(1, Rub(1));
    b.SetConfirmedExpenses(0);
    auto c = Through(d);
    EXPECT_EQ(c.log->Dohody->PredprinimDeyatList.Items.at(0).TotalIncome, kMax);
    EXPECT_EQ(c.sums->PrilV.Line110, kMax);
    EXPECT_EQ(c.sums->List1.Line010, kMax);
}

// A whole-rouble field of the text file rounds the amount up to the next rouble, which for the
// largest amount lies beyond the type; the field is left empty as for any amount too long for it.
TEST(DamagedBlock, HugeTaxPaidLineLeavesItsTextFieldEmpty) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    SourceWithLines(d, {Rub(100000)});
    auto& paid = d.GetNalog(d.AddNalog());
    paid.KBK = kbk::Tax13;
    paid.Sum = kMax;
    auto c = Through(d);
    EXPECT_EQ(c.sums->List1.Line080, kMax);
    EXPECT_EQ(c.sums->List1.Line100, kMax - Rub(13000));
    EXPECT_EQ(c.sums->List5.Line030, c.sums->List1.Line100);
    EXPECT_TRUE(c.HasLine("П000010008000:"));
    EXPECT_TRUE(c.HasLine("П000010006000:13000"));
}
