#include "ReportTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using reporttest::Line;
using reporttest::Rub;

namespace {

mTThirtyFivePercent& AddPrize(mTDeclaration& d, std::int32_t code, double income, double deduct,
                              const std::string& name = "") {
    auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    p.IncomeCode = code;
    p.SourseName = name;
    p.INN = name.empty() ? "" : "77" + name;
    p.KPP = name.empty() ? "" : "K" + name;
    p.ItogIncomeSum = Rub(income);
    p.DeductSum = Rub(deduct);
    return p;
}

mTCurrencyIncome& AddForeign(mTDeclaration& d, std::int32_t stav, std::int32_t code, double rub,
                             std::int32_t deductCode, double deduct, std::int32_t norm = 0,
                             const std::string& payer = "Payer") {
    auto& f = d.GetCurrencyIncome(d.AddCurrencyIncome());
    f.Stav = stav;
    f.IncomeCode = code;
    f.IncomeName = "Income " + std::to_string(code);
    f.SourseName = payer;
    f.IncomeRoubleSum = Rub(rub);
    f.DeductCode = deductCode;
    f.DeductSum = Rub(deduct);
    f.DeductPercent = norm;
    return f;
}

mTThirteenPercent& AddSource(mTDeclaration& d, const std::string& name = "Src") {
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = name;
    s.INN = "INN" + name;
    s.KPP = "KPP" + name;
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Sheet Г, part 2: prizes

TEST(SumsPrilM, PrizesShareOneExemptionAndRetaxTheSources) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    AddPrize(d, 2740, 5000, 1500, "A");
    AddPrize(d, 2740, 3001.43, 1500, "B"); // gets the last 500 of the exemption
    AddPrize(d, 2740, 1000, 0, "C");       // no deduction: not listed
    AddPrize(d, 2741, 900, 800, "D");      // another kind of income: not listed
    AddPrize(d, 2740, 700, 300, "E");      // exemption used up: listed with 0
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    ASSERT_TRUE(sums.PrilM.Calculate(*log, sums));
    const auto& m = sums.PrilM;

    EXPECT_EQ(m.Line170, Rub(2000));
    ASSERT_EQ(m.PrizeCount, 4); // three sources and an empty one for the page pair
    ASSERT_EQ(m.Prizes.size(), 4u);
    EXPECT_EQ(m.Prizes[0].SourseName, "A");
    EXPECT_EQ(m.Prizes[0].INN, "77A");
    EXPECT_EQ(m.Prizes[0].KPP, "KA");
    EXPECT_EQ(m.Prizes[0].IncomeSum, Rub(5000));
    EXPECT_EQ(m.Prizes[0].ExemptSum, Rub(1500));
    EXPECT_EQ(m.Prizes[1].SourseName, "B");
    EXPECT_EQ(m.Prizes[1].IncomeSum, Rub(3001.43));
    EXPECT_EQ(m.Prizes[1].ExemptSum, Rub(500));
    EXPECT_EQ(m.Prizes[2].SourseName, "E");
    EXPECT_EQ(m.Prizes[2].ExemptSum, Rub(0));
    EXPECT_EQ(m.Prizes[3].SourseName, "");
    EXPECT_EQ(m.Prizes[3].INN, "");
    EXPECT_EQ(m.Prizes[3].IncomeSum, Rub(0));
    EXPECT_EQ(m.Prizes[3].ExemptSum, Rub(0));

    ASSERT_EQ(m.Sources35.size(), 5u);
    const auto& src = m.Sources35;
    EXPECT_EQ(src[0].DeductSum, Rub(1500));
    EXPECT_EQ(src[0].Obl, Rub(3500));
    EXPECT_EQ(src[0].TaxIsch, Rub(1225));
    EXPECT_EQ(src[1].DeductSum, Rub(500));
    EXPECT_EQ(src[1].Obl, Rub(2501.43));
    EXPECT_EQ(src[1].TaxIsch, Rub(876)); // 875.5005 rounds up
    EXPECT_EQ(src[2].DeductSum, Rub(0)); // untouched
    EXPECT_EQ(src[2].Obl, Rub(1000));
    EXPECT_EQ(src[2].TaxIsch, Rub(350));
    EXPECT_EQ(src[3].DeductSum, Rub(800)); // untouched
    EXPECT_EQ(src[3].Obl, Rub(100));
    EXPECT_EQ(src[3].TaxIsch, Rub(35));
    EXPECT_EQ(src[4].DeductSum, Rub(0));
    EXPECT_EQ(src[4].Obl, Rub(700));
    EXPECT_EQ(src[4].TaxIsch, Rub(245));
    // The model keeps the figures it read.
    EXPECT_EQ(log->Dohody->ThirtyFiveList.Items[1].DeductSum, Rub(1500));
    EXPECT_EQ(log->Dohody->ThirtyFiveList.Items[4].Obl, Rub(400));
}

TEST(SumsPrilM, OnePrizeWithoutOtherIncomesGivesAPairAndAnEmptyPartOne) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    AddPrize(d, 2740, 4000, 1200, "A");
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilM.Line130 = Rub(99); // stale figures are cleared
    sums.PrilM.Line010 = Rub(99);
    ASSERT_TRUE(sums.PrilM.Calculate(*log, sums));
    const auto& m = sums.PrilM;
    EXPECT_EQ(m.PrizeCount, 2);
    ASSERT_EQ(m.Prizes.size(), 2u);
    EXPECT_EQ(m.Prizes[0].ExemptSum, Rub(1200));
    EXPECT_EQ(m.Prizes[1].SourseName, "");
    EXPECT_EQ(m.Line170, Rub(1200));
    EXPECT_EQ(m.Line010, Rub(0));
    EXPECT_EQ(m.Line130, Rub(0));
    ASSERT_EQ(m.Sources35.size(), 1u);
    EXPECT_EQ(m.Sources35[0].Obl, Rub(2800));
    EXPECT_EQ(m.Sources35[0].TaxIsch, Rub(980));
}

TEST(SumsPrilM, NoPrizesGiveNoRecords) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    AddSource(d).AddSourseIncome(Line(2760, 500, 503, 500));
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilM.Calculate(*log, sums);
    EXPECT_EQ(sums.PrilM.PrizeCount, 0);
    EXPECT_TRUE(sums.PrilM.Prizes.empty());
    EXPECT_EQ(sums.PrilM.Line170, Rub(0));
}

// ---------------------------------------------------------------------------------------------
// Sheet Г, part 1: each kind of income against its own deduction code

struct ExemptKind {
    std::int32_t incomeCode, deductCode;
    Currency kTSvodSumPrilM::* income;
    Currency kTSvodSumPrilM::* exempt;
};

class SumsPrilMKinds : public ::testing::TestWithParam<ExemptKind> {};

TEST_P(SumsPrilMKinds, IncomeCountedExemptPartCappedAt2000) {
    const ExemptKind k = GetParam();
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto& s1 = AddSource(d, "One");
    s1.AddSourseIncome(Line(k.incomeCode, 1500, k.deductCode, 1500, 1));
    s1.AddSourseIncome(Line(k.incomeCode, 700, 0, 0, 2));               // no deduction: nothing exempt
    s1.AddSourseIncome(Line(k.incomeCode, 300, k.deductCode + 1, 300, 2)); // another code: nothing exempt
    AddSource(d, "Two").AddSourseIncome(Line(k.incomeCode, 1500, k.deductCode, 1500, 3));
    AddForeign(d, 30, k.incomeCode, 400, k.deductCode, 400); // any rate counts
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    ASSERT_TRUE(sums.PrilM.Calculate(*log, sums));
    const auto& m = sums.PrilM;

    EXPECT_EQ(m.*k.income, Rub(4400));
    EXPECT_EQ(m.*k.exempt, Rub(2000)); // 1500 + 1500 + 400 capped
    EXPECT_EQ(m.Line130, Rub(2000));
    // Every other line of part 1 stays zero.
    for (auto line : {&kTSvodSumPrilM::Line010, &kTSvodSumPrilM::Line020, &kTSvodSumPrilM::Line030,
                      &kTSvodSumPrilM::Line040, &kTSvodSumPrilM::Line050, &kTSvodSumPrilM::Line060,
                      &kTSvodSumPrilM::Line070, &kTSvodSumPrilM::Line080, &kTSvodSumPrilM::Line090,
                      &kTSvodSumPrilM::Line100, &kTSvodSumPrilM::Line110, &kTSvodSumPrilM::Line120})
        if (line != k.income && line != k.exempt) {
            EXPECT_EQ(m.*line, Rub(0));
        }
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, SumsPrilMKinds,
    ::testing::Values(ExemptKind{2760, 503, &kTSvodSumPrilM::Line010, &kTSvodSumPrilM::Line020},
                      ExemptKind{2710, 506, &kTSvodSumPrilM::Line030, &kTSvodSumPrilM::Line040},
                      ExemptKind{2720, 501, &kTSvodSumPrilM::Line050, &kTSvodSumPrilM::Line060},
                      ExemptKind{2730, 502, &kTSvodSumPrilM::Line070, &kTSvodSumPrilM::Line080},
                      ExemptKind{2770, 504, &kTSvodSumPrilM::Line090, &kTSvodSumPrilM::Line100}));

TEST(SumsPrilM, TotalAddsTheCappedExemptPartsOfAllKinds) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto& s = AddSource(d);
    s.AddSourseIncome(Line(2760, 5000, 503, 5000)); // one line above the limit
    s.AddSourseIncome(Line(2770, 1234.56, 504, 1234.56));
    s.AddSourseIncome(Line(2000, 90000));              // ordinary wages: not on the sheet
    AddForeign(d, 13, 2720, 300.5, 501, 300.5);
    AddPrize(d, 2740, 1000, 1000, "P");                // part 2 does not enter line 130
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilM.Calculate(*log, sums);
    const auto& m = sums.PrilM;
    EXPECT_EQ(m.Line010, Rub(5000));
    EXPECT_EQ(m.Line020, Rub(2000));
    EXPECT_EQ(m.Line090, Rub(1234.56));
    EXPECT_EQ(m.Line100, Rub(1234.56));
    EXPECT_EQ(m.Line050, Rub(300.5));
    EXPECT_EQ(m.Line060, Rub(300.5));
    EXPECT_EQ(m.Line130, Rub(2000 + 1234.56 + 300.5));
    EXPECT_EQ(m.Line170, Rub(1000));
}

TEST(SumsPrilM, ForeignIncomesAloneFillPartOne) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    AddForeign(d, 13, 2730, 2500, 502, 2500);
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    sums.PrilM.Calculate(*log, sums);
    EXPECT_EQ(sums.PrilM.Line070, Rub(2500));
    EXPECT_EQ(sums.PrilM.Line080, Rub(2000));
    EXPECT_EQ(sums.PrilM.Line130, Rub(2000));
}

// ---------------------------------------------------------------------------------------------
// Sheets Д and Д($): author's fees

TEST(SumsPrilG, ListsFeeLinesWithADeductionCode) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto& a = AddSource(d, "A");
    auto fee = Line(2201, 10000.5, 201, 2000.25);
    fee->IncomeName = "Fee";
    fee->DeductNorm = 20;
    a.AddSourseIncome(std::move(fee));
    a.AddSourseIncome(Line(2201, 5000));             // no deduction code
    a.AddSourseIncome(Line(2300, 7000, 201, 1400));  // outside the fee codes
    a.AddSourseIncome(Line(2200, 7000, 201, 1400));
    auto& b = AddSource(d, "B");
    b.AddSourseIncome(Line(2000, 30000));
    b.AddSourseIncome(Line(2299, 3000, 206, 900));
    AddForeign(d, 13, 2205, 8000, 202, 1600);        // abroad: sheet Д($) only
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    ASSERT_TRUE(sums.PrilG.Calculate(*log, sums));
    const auto& g = sums.PrilG;

    ASSERT_EQ(g.Records.size(), 2u);
    const DohodAvtVozn& r = g.Records[0];
    EXPECT_EQ(r.INN, "INNA");
    EXPECT_EQ(r.KPP, "KPPA");
    EXPECT_EQ(r.SourseName, "A");
    EXPECT_EQ(r.IncomeCodeText, "2201");
    EXPECT_EQ(r.IncomeName, "Fee");
    EXPECT_EQ(r.IncomeSum, Rub(10000.5));
    EXPECT_EQ(r.IncomeText, "   1000050");
    EXPECT_EQ(r.DeductCodeText, "201");
    EXPECT_EQ(r.DeductNormText, "20");
    EXPECT_EQ(r.DeductSum, Rub(2000.25));
    EXPECT_EQ(r.DeductText, "    200025");
    EXPECT_EQ(g.Records[1].SourseName, "B");
    EXPECT_EQ(g.Records[1].IncomeCodeText, "2299");
    EXPECT_EQ(g.Line100, Rub(13000.5));
    EXPECT_EQ(g.Line110, Rub(2900.25));
}

TEST(SumsPrilG, NoThirteenPercentSourcesLeaveTheSheetEmpty) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    AddForeign(d, 13, 2201, 8000, 202, 1600);
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    EXPECT_TRUE(sums.PrilG.Calculate(*log, sums));
    EXPECT_TRUE(sums.PrilG.Records.empty());
    EXPECT_EQ(sums.PrilG.Line100, Rub(0));
    EXPECT_EQ(sums.PrilG.Line110, Rub(0));
}

TEST(SumsPrilG_In, ListsForeignFeesAtThirteenPercentWithADeductionCode) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    AddForeign(d, 13, 2205, 8000, 202, 1600, 20, "Verlag");
    AddForeign(d, 30, 2205, 9000, 202, 1800, 20, "Rate30");  // not at 13 %
    AddForeign(d, 13, 2205, 9000, 0, 0, 0, "NoDeduct");
    AddForeign(d, 13, 2010, 9000, 202, 1800, 20, "Contract"); // not a fee
    AddForeign(d, 13, 2299, 1000, 203, 1500, 30, "Capped");   // deduction cut to the income on reading
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    ASSERT_TRUE(sums.PrilG_In.Calculate(*log, sums));
    const auto& g = sums.PrilG_In;

    ASSERT_EQ(g.Records.size(), 2u);
    const DohodAvtVozn& r = g.Records[0];
    EXPECT_EQ(r.INN, "");
    EXPECT_EQ(r.KPP, "");
    EXPECT_EQ(r.SourseName, "Verlag");
    EXPECT_EQ(r.IncomeCodeText, "2205");
    EXPECT_EQ(r.IncomeName, "Income 2205");
    EXPECT_EQ(r.IncomeSum, Rub(8000));
    EXPECT_EQ(r.IncomeText, "    800000");
    EXPECT_EQ(r.DeductCodeText, "202");
    EXPECT_EQ(r.DeductNormText, "20");
    EXPECT_EQ(r.DeductSum, Rub(1600));
    EXPECT_EQ(r.DeductText, "    160000");
    EXPECT_EQ(g.Records[1].SourseName, "Capped");
    EXPECT_EQ(g.Records[1].DeductSum, Rub(1000));
    EXPECT_EQ(g.Line100, Rub(9000));
    EXPECT_EQ(g.Line110, Rub(2600));
}

// ---------------------------------------------------------------------------------------------
// Sheet Е: civil-law contracts

TEST(SumsPrilD, ListsContractsFromSourcesThenFromAbroadAtAnyRate) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto& a = AddSource(d, "A");
    a.AddSourseIncome(Line(2010, 20000, 403, 5000.75));
    a.AddSourseIncome(Line(2010, 7000)); // no deduction code
    a.AddSourseIncome(Line(2011, 7000, 403, 100));
    AddSource(d, "B").AddSourseIncome(Line(2010, 1000, 403, 0));
    AddForeign(d, 30, 2010, 3000, 403, 600, 0, "Abroad");
    AddForeign(d, 13, 2010, 3000, 0, 0, 0, "NoDeduct");
    auto log = reporttest::Read(d);
    kTSvodSum sums;
    ASSERT_TRUE(sums.PrilD.Calculate(*log, sums));
    const auto& e = sums.PrilD;

    ASSERT_EQ(e.Records.size(), 3u);
    EXPECT_EQ(e.Records[0].INN, "INNA");
    EXPECT_EQ(e.Records[0].KPP, "KPPA");
    EXPECT_EQ(e.Records[0].SourseName, "A");
    EXPECT_EQ(e.Records[0].IncomeSum, Rub(20000));
    EXPECT_EQ(e.Records[0].IncomeText, "   2000000");
    EXPECT_EQ(e.Records[0].DeductSum, Rub(5000.75));
    EXPECT_EQ(e.Records[0].DeductText, "    500075");
    EXPECT_EQ(e.Records[1].SourseName, "B");
    EXPECT_EQ(e.Records[1].DeductText, "          "); // zero: blanks only
    EXPECT_EQ(e.Records[2].INN, "");
    EXPECT_EQ(e.Records[2].KPP, "");
    EXPECT_EQ(e.Records[2].SourseName, "Abroad");
    EXPECT_EQ(e.Records[2].IncomeSum, Rub(3000));
    EXPECT_EQ(e.Records[2].DeductSum, Rub(600));
    EXPECT_EQ(e.Line060, Rub(24000));
    EXPECT_EQ(e.Line070, Rub(5600.75));
}

// Foreign contracts enter the sheet whenever the declaration has 13 % income, from a source in
// Russia or abroad (sheet Б at 13 %); a contract abroad at another rate alone does not open it.
TEST(SumsPrilD, ForeignContractsNeedThirteenPercentIncome) {
    struct Case {
        const char* name;
        bool source13;
        std::vector<std::pair<std::int32_t, std::int32_t>> foreign; // rate, income code
        std::size_t records;
        double income, deduct;
    } cases[] = {
        {"13 % contract abroad alone", false, {{13, 2010}}, 1, 3000, 600},
        {"contract abroad at 30 % alone", false, {{30, 2010}}, 0, 0, 0},
        {"contract at 30 % beside another income at 13 %", false, {{30, 2010}, {13, 2000}}, 1, 3000, 600},
        {"13 % source of other incomes", true, {{13, 2010}}, 1, 3000, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SetIncomeKinds(c.source13 ? ikRussian | ikForeign : ikForeign);
        if (c.source13) AddSource(d).AddSourseIncome(Line(2000, 10000));
        for (auto [rate, code] : c.foreign) AddForeign(d, rate, code, 3000, code == 2010 ? 403 : 0, code == 2010 ? 600 : 0);
        auto log = reporttest::Read(d);
        kTSvodSum sums;
        EXPECT_TRUE(sums.PrilD.Calculate(*log, sums));
        EXPECT_EQ(sums.PrilD.Records.size(), c.records);
        EXPECT_EQ(sums.PrilD.Line060, Rub(c.income));
        EXPECT_EQ(sums.PrilD.Line070, Rub(c.deduct));
    }
}
