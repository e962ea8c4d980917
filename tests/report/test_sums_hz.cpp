// Sums of sheets Ж (property sales) and Л (housing deduction).
#include "ReportTestUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using reporttest::Rub;

namespace {

// Amounts compared as text, so a failure shows the figures.
std::string S(Currency c) { return c.ToString('.'); }
std::string S(double roubles) { return S(Rub(roubles)); }

struct Income {
    std::int32_t code;
    double sum;
    std::int32_t deductCode;
    double deduct;
};

// A declaration with one 13 % source holding the lines and the given foreign-currency incomes.
std::unique_ptr<kTDanLog> ReadIncomes(const std::vector<Income>& lines, const std::vector<Income>& currency = {}) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    if (!lines.empty()) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = "7701234567";
        for (const Income& l : lines) s.AddSourseIncome(reporttest::Line(l.code, l.sum, l.deductCode, l.deduct));
    }
    for (const Income& c : currency) {
        auto& ci = d.GetCurrencyIncome(d.AddCurrencyIncome());
        ci.Stav = 13;
        ci.IncomeCode = c.code;
        ci.IncomeCurrencySum = Rub(1); // only the rouble amount counts
        ci.IncomeRoubleSum = Rub(c.sum);
        ci.DeductCode = c.deductCode;
        ci.DeductSum = Rub(c.deduct);
    }
    return reporttest::Read(d);
}

using HField = Currency kTSvodSumPrilH::*;
const std::vector<std::pair<const char*, HField>> kHFields = {
    {"010", &kTSvodSumPrilH::Line010}, {"020", &kTSvodSumPrilH::Line020}, {"030", &kTSvodSumPrilH::Line030},
    {"040", &kTSvodSumPrilH::Line040}, {"050", &kTSvodSumPrilH::Line050}, {"060", &kTSvodSumPrilH::Line060},
    {"070", &kTSvodSumPrilH::Line070}, {"080", &kTSvodSumPrilH::Line080}, {"090", &kTSvodSumPrilH::Line090},
    {"100", &kTSvodSumPrilH::Line100}, {"110", &kTSvodSumPrilH::Line110}, {"120", &kTSvodSumPrilH::Line120},
    {"130", &kTSvodSumPrilH::Line130}, {"140", &kTSvodSumPrilH::Line140}, {"150", &kTSvodSumPrilH::Line150},
    {"160", &kTSvodSumPrilH::Line160}, {"170", &kTSvodSumPrilH::Line170}, {"180", &kTSvodSumPrilH::Line180},
    {"190", &kTSvodSumPrilH::Line190}, {"200", &kTSvodSumPrilH::Line200}, {"210", &kTSvodSumPrilH::Line210},
    {"220", &kTSvodSumPrilH::Line220},
};

// Every line of the sheet: the listed ones as given, all others zero.
void ExpectLines(const kTSvodSumPrilH& h, const std::map<std::string, double>& expected) {
    for (const auto& [name, field] : kHFields) {
        const auto it = expected.find(name);
        EXPECT_EQ(S(h.*field), S(it == expected.end() ? 0.0 : it->second)) << "line " << name;
    }
}

kTSvodSumPrilH SheetH(kTDanLog& log) {
    kTSvodSum sums;
    sums.PrilH.Calculate(log, sums);
    return sums.PrilH;
}

// ---------------------------------------------------------------------------------------------
// Sheet Ж

struct RouteCase {
    const char* name;
    Income income;
    std::map<std::string, double> lines;
};

// Each code pair lands on its own lines with its limit; the same income gives the same figures
// whether it comes from a 13 % source or in foreign currency.
TEST(SumsH, EachCodePairFillsItsLines) {
    const std::vector<RouteCase> cases = {
        {"dwelling < 3 years", {1510, 1500000, 301, 0},
         {{"010", 1500000}, {"020", 1000000}, {"050", 1500000}, {"060", 1000000}, {"170", 1000000}}},
        {"dwelling >= 3 years", {1510, 4000000, 302, 0}, {{"070", 4000000}, {"080", 4000000}, {"170", 4000000}}},
        {"share of dwelling < 3 years", {1511, 400000, 313, 300000},
         {{"030", 400000}, {"040", 300000}, {"050", 400000}, {"060", 300000}, {"170", 300000}}},
        {"share of dwelling >= 3 years", {1511, 2500000, 314, 0}, {{"090", 2500000}, {"100", 2500000}, {"170", 2500000}}},
        {"other property < 3 years", {1520, 200000, 303, 0}, {{"110", 200000}, {"120", 125000}, {"170", 125000}}},
        {"other property >= 3 years", {1520, 900000, 304, 0}, {{"130", 900000}, {"140", 900000}, {"170", 900000}}},
        {"share in capital, expenses above income", {1540, 100000, 315, 120000},
         {{"150", 100000}, {"160", 100000}, {"170", 100000}}},
        {"share in capital, expenses below income", {1540, 100000, 315, 70000},
         {{"150", 100000}, {"160", 70000}, {"170", 70000}}},
        {"securities < 3 years", {1530, 200000, 316, 150000}, {{"180", 200000}, {"190", 125000}, {"220", 125000}}},
        {"trustee's securities < 3 years", {1536, 90000, 316, 60000}, {{"180", 90000}, {"190", 60000}, {"220", 60000}}},
        {"securities >= 3 years", {1537, 300000, 317, 280000}, {{"200", 300000}, {"210", 280000}, {"220", 280000}}},
        {"fund units are not on this sheet", {1533, 300000, 316, 100000}, {}},
        {"futures are not on this sheet", {1539, 300000, 317, 100000}, {}},
        {"securities with documented expenses", {1530, 300000, 307, 100000}, {}},
        {"dwelling with another sheet's code", {1510, 300000, 303, 0}, {}},
        {"other income with a property code", {2000, 300000, 301, 0}, {}},
    };
    for (const RouteCase& c : cases) {
        {
            SCOPED_TRACE(std::string(c.name) + ", 13 % source");
            auto log = ReadIncomes({c.income});
            ExpectLines(SheetH(*log), c.lines);
        }
        {
            SCOPED_TRACE(std::string(c.name) + ", foreign currency");
            auto log = ReadIncomes({}, {c.income});
            ExpectLines(SheetH(*log), c.lines);
        }
    }
}

TEST(SumsH, SharesOfDwellingsAreCutToTheirIncome) {
    auto log = ReadIncomes({{1511, 700000, 313, 500000}, {1511, 600000, 313, 800000}});
    const kTSvodSumPrilH h = SheetH(*log);
    ExpectLines(h, {{"030", 1300000}, {"040", 1000000}, {"050", 1300000}, {"060", 1000000}, {"170", 1000000}});
    const auto& lines = log->Dohody->ThirteenList.Items[0].Lines;
    EXPECT_EQ(S(lines[0].DeductSum), S(500000));
    EXPECT_EQ(S(lines[1].DeductSum), S(800000)); // the model keeps what was read
}

TEST(SumsH, ShareCutAppliesToACurrencyIncome) {
    // The reader already cuts such a deduction; the sheet cuts it again when the model holds more.
    auto log = ReadIncomes({}, {{1511, 200000, 313, 150000}});
    log->Dohody->InoValutList.Items[0].DeductSum = Rub(250000);
    const kTSvodSumPrilH h = SheetH(*log);
    EXPECT_EQ(S(h.Line040), S(200000));
    EXPECT_EQ(S(log->Dohody->InoValutList.Items[0].DeductSum), S(250000));
}

TEST(SumsH, DwellingAndShareDeductionsShareOneLimit) {
    auto log = ReadIncomes({{1510, 800000, 301, 0}, {1511, 600000, 313, 600000}});
    ExpectLines(SheetH(*log), {{"010", 800000},
                               {"020", 800000},
                               {"030", 600000},
                               {"040", 600000},
                               {"050", 1400000},
                               {"060", 1000000},
                               {"170", 1000000}});
}

TEST(SumsH, DocumentedDwellingExpensesReplaceTheFixedDeductionWithoutLimit) {
    auto log = ReadIncomes({{1510, 1500000, 301, 0}, {1510, 2000000, 305, 1800000}, {1511, 300000, 313, 300000}});
    ExpectLines(SheetH(*log), {{"010", 2000000}, {"020", 1800000}, {"050", 2000000}, {"060", 1800000}, {"170", 1800000}});
}

TEST(SumsH, DocumentedExpensesOfSharesAloneAlsoReplaceTheFixedDeduction) {
    auto log = ReadIncomes({{1510, 500000, 301, 0}, {1511, 300000, 305, 250000}},
                           {{1511, 400000, 305, 300000}, {1510, 600000, 302, 0}});
    ExpectLines(SheetH(*log), {{"030", 700000},
                               {"040", 550000},
                               {"050", 700000},
                               {"060", 550000},
                               {"070", 600000},
                               {"080", 600000},
                               {"170", 1150000}});
}

TEST(SumsH, DocumentedExpensesOfZeroKeepTheFixedDeduction) {
    auto log = ReadIncomes({{1510, 500000, 301, 0}, {1510, 900000, 305, 0}});
    ExpectLines(SheetH(*log), {{"010", 500000}, {"020", 500000}, {"050", 500000}, {"060", 500000}, {"170", 500000}});
}

TEST(SumsH, DocumentedExpensesOfOtherPropertyReplaceTheFixedDeduction) {
    auto log = ReadIncomes({{1520, 200000, 303, 0}, {1520, 500000, 305, 450000}});
    ExpectLines(SheetH(*log), {{"110", 500000}, {"120", 450000}, {"170", 450000}});
}

TEST(SumsH, LimitsApplyToTheSumOverSourcesAndCurrencyIncomes) {
    auto log = ReadIncomes({{1520, 100000, 303, 0}, {1530, 100000, 316, 100000}},
                           {{1520, 50000, 303, 0}, {1535, 80000, 316, 60000}});
    ExpectLines(SheetH(*log),
                {{"110", 150000}, {"120", 125000}, {"170", 125000}, {"180", 180000}, {"190", 125000}, {"220", 125000}});
}

TEST(SumsH, RecalculationStartsFromZero) {
    kTSvodSum sums;
    auto withSales = ReadIncomes({{1510, 1500000, 301, 0}, {1530, 100000, 316, 50000}});
    sums.PrilH.Calculate(*withSales, sums);
    auto withOther = ReadIncomes({{2000, 100000, 0, 0}});
    sums.PrilH.Calculate(*withOther, sums);
    ExpectLines(sums.PrilH, {});

    sums.PrilH.Calculate(*withSales, sums);
    mTDeclaration empty;
    empty.SetIncomeKinds(ikRussian);
    auto none = reporttest::Read(empty);
    sums.PrilH.Calculate(*none, sums);
    ExpectLines(sums.PrilH, {});
}

// ---------------------------------------------------------------------------------------------
// Sheet Л

struct Housing {
    bool granting = true;
    double share = 1; // as entered, four places
    double cost = 0, interest = 0;
    double earlier = 0, earlierAgent = 0, earlierInterest = 0, earlierInterestAgent = 0;
    double carriedCost = 0, carriedInterest = 0;
    double agentCost = 0, agentInterest = 0;
};

std::unique_ptr<kTDanLog> ReadHousing(const Housing& h) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    auto& c = d.ConstructionDeduct;
    c.Granting = h.granting ? 1 : 0;
    c.Share = Rub(h.share);
    c.ObjectCost = Rub(h.cost);
    c.CreditInterest = Rub(h.interest);
    c.ChargeEarlierYears = Rub(h.earlier);
    c.ChargeEarlierYearsAgent = Rub(h.earlierAgent);
    c.CreditEarlierYears = Rub(h.earlierInterest);
    c.CreditEarlierYearsAgent = Rub(h.earlierInterestAgent);
    c.ChargeCarriedOver = Rub(h.carriedCost);
    c.CreditCarriedOver = Rub(h.carriedInterest);
    c.ChargeAgentThisYear = Rub(h.agentCost);
    c.CreditAgentThisYear = Rub(h.agentInterest);
    return reporttest::Read(d);
}

// Sheet Л with the year's 13 % income of sheet А as its only base and no other deductions.
kTSvodSumPrilZ SheetZ(kTDanLog& log, double income) {
    kTSvodSum sums;
    sums.PrilA13.Line080 = Rub(income);
    sums.PrilZ.Calculate(log, sums);
    return sums.PrilZ;
}

TEST(SumsZ, GrantingOffLeavesTheSheetEmpty) {
    Housing h;
    h.granting = false;
    h.cost = 2000000;
    auto log = ReadHousing(h);
    const kTSvodSumPrilZ z = SheetZ(*log, 500000);
    EXPECT_EQ(z.Share, 0.0L);
    for (Currency c : {z.Line080, z.Line090, z.Line100, z.Line130, z.Line200, z.Line210, z.Line220, z.Line230, z.Line240})
        EXPECT_EQ(S(c), S(0.0));
}

TEST(SumsZ, CostIsLimitedAndTheShareLimitsTheDeduction) {
    Housing h;
    h.share = 0.5;
    h.cost = 2500000;
    auto log = ReadHousing(h);
    struct Case {
        double income, line210, line230;
    };
    for (const Case& c : {Case{800000, 500000, 0}, Case{300000, 300000, 200000}}) {
        SCOPED_TRACE(c.income);
        const kTSvodSumPrilZ z = SheetZ(*log, c.income);
        EXPECT_EQ(z.Share, 0.5L);
        EXPECT_EQ(S(z.Line080), S(1000000));
        EXPECT_EQ(S(z.Line200), S(c.income));
        EXPECT_EQ(S(z.Line210), S(c.line210));
        EXPECT_EQ(S(z.Line230), S(c.line230));
    }
}

TEST(SumsZ, BaseIsTheIncomeLessEveryOtherDeduction) {
    Housing h;
    h.cost = 100000;
    h.agentCost = 2048;
    h.agentInterest = 4096;
    auto log = ReadHousing(h);
    kTSvodSum sums;
    sums.PrilA13.Line080 = Rub(10000000);
    sums.PrilB13.Line150 = Rub(2000000);
    sums.PrilV.Line110 = Rub(3000000);
    // Each deduction a distinct power of two, so a missing or doubled one shows in the result.
    sums.PrilV.Line120 = Rub(1);
    sums.PrilH.Line170 = Rub(2);
    sums.PrilH.Line220 = Rub(4);
    sums.PrilM.Line130 = Rub(8);
    sums.PrilG.Line110 = Rub(16);
    sums.PrilG_In.Line110 = Rub(32);
    sums.PrilD.Line070 = Rub(64);
    sums.PrilE.Line280 = Rub(128);
    sums.PrilE.Line220 = Rub(256);
    sums.PrilJ.ExpenseTotal = Rub(512);
    sums.PrilK.ExpenseTotal = Rub(1024);
    sums.PrilZ.Calculate(*log, sums);
    EXPECT_EQ(S(sums.PrilZ.Line200), S(15000000 - 8191));
    EXPECT_EQ(S(sums.PrilZ.Line180), S(2048));
    EXPECT_EQ(S(sums.PrilZ.Line190), S(4096));
}

TEST(SumsZ, BaseBelowZeroIsZeroAndEverythingIsCarriedOver) {
    Housing h;
    h.cost = 300000;
    h.interest = 40000;
    auto log = ReadHousing(h);
    kTSvodSum sums;
    sums.PrilA13.Line080 = Rub(100000);
    sums.PrilE.Line220 = Rub(150000);
    sums.PrilZ.Calculate(*log, sums);
    const kTSvodSumPrilZ& z = sums.PrilZ;
    EXPECT_EQ(S(z.Line200), S(0.0));
    EXPECT_EQ(S(z.Line210), S(0.0));
    EXPECT_EQ(S(z.Line220), S(0.0));
    EXPECT_EQ(S(z.Line230), S(300000));
    EXPECT_EQ(S(z.Line240), S(40000));
}

// How lines 210 and 220 share the base: expenses first, then interest.
TEST(SumsZ, ExpensesAndInterestStayWithinTheBase) {
    struct Case {
        const char* name;
        double income, line210, line220, line230, line240;
    };
    // Expenses left this year 250000 (cost 400000 less 100000 earlier less 50000 by an employer);
    // interest left 100000 (180000 less 50000 earlier less 30000 by an employer).
    const Case cases[] = {
        {"room for both", 1000000, 250000, 100000, 0, 0},
        {"interest cut", 300000, 250000, 50000, 0, 50000},
        {"expenses exactly fill the base", 250000, 250000, 0, 0, 100000},
        {"expenses cut", 200000, 200000, 0, 50000, 100000},
        {"nothing left", 0, 0, 0, 250000, 100000},
    };
    Housing h;
    h.cost = 400000;
    h.interest = 180000;
    h.earlier = 60000;
    h.earlierAgent = 40000;
    h.earlierInterest = 20000;
    h.earlierInterestAgent = 30000;
    h.agentCost = 50000;
    h.agentInterest = 30000;
    auto log = ReadHousing(h);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The base also loses what the employer granted this year (lines 180 and 190).
        const kTSvodSumPrilZ z = SheetZ(*log, c.income + 80000);
        EXPECT_EQ(S(z.Line200), S(c.income));
        EXPECT_EQ(S(z.Line100), S(100000));
        EXPECT_EQ(S(z.Line130), S(50000));
        EXPECT_EQ(S(z.Line210), S(c.line210));
        EXPECT_EQ(S(z.Line220), S(c.line220));
        EXPECT_EQ(S(z.Line230), S(c.line230));
        EXPECT_EQ(S(z.Line240), S(c.line240));
    }
}

TEST(SumsZ, RecordAmountsAreCopiedToTheirLines) {
    Housing h;
    h.cost = 900000;
    h.interest = 70000;
    h.earlier = 11000;
    h.earlierAgent = 12000;
    h.earlierInterest = 13000;
    h.earlierInterestAgent = 14000;
    h.carriedCost = 15000;
    h.carriedInterest = 16000;
    h.agentCost = 17000;
    h.agentInterest = 18000;
    auto log = ReadHousing(h);
    const kTSvodSumPrilZ z = SheetZ(*log, 5000000);
    EXPECT_EQ(S(z.Line080), S(900000));
    EXPECT_EQ(S(z.Line090), S(70000));
    EXPECT_EQ(S(z.Line100), S(23000));
    EXPECT_EQ(S(z.Line110), S(11000));
    EXPECT_EQ(S(z.Line120), S(12000));
    EXPECT_EQ(S(z.Line130), S(27000));
    EXPECT_EQ(S(z.Line140), S(13000));
    EXPECT_EQ(S(z.Line150), S(14000));
    EXPECT_EQ(S(z.Line160), S(15000));
    EXPECT_EQ(S(z.Line170), S(16000));
    EXPECT_EQ(S(z.Line180), S(17000));
    EXPECT_EQ(S(z.Line190), S(18000));
    EXPECT_EQ(S(z.Line200), S(5000000 - 35000));
    // The carried-over amounts take no part: 900000 - 23000 - 17000 and 70000 - 27000 - 18000.
    EXPECT_EQ(S(z.Line210), S(860000));
    EXPECT_EQ(S(z.Line220), S(25000));
    EXPECT_EQ(S(z.Line230), S(0.0));
    EXPECT_EQ(S(z.Line240), S(0.0));
}

TEST(SumsZ, DeductionsTakenBeforeAboveTheLimitLeaveANegativeCarry) {
    Housing h;
    h.share = 0.5;
    h.cost = 1200000;
    h.interest = 10000;
    h.earlier = 450000;
    h.agentCost = 100000;
    h.earlierInterest = 15000;
    auto log = ReadHousing(h);
    const kTSvodSumPrilZ z = SheetZ(*log, 1000000);
    EXPECT_EQ(S(z.Line210), S(0.0));
    EXPECT_EQ(S(z.Line220), S(0.0));
    EXPECT_EQ(S(z.Line230), S(-50000));
    EXPECT_EQ(S(z.Line240), S(-5000));
}

TEST(SumsZ, ThirdsGiveTheLimitToTheKopeck) {
    struct Case {
        double entered;
        long double share;
        double limit;
    };
    for (const Case& c : {Case{0.3333, 0.33333333L, 333333.33}, Case{0.3334, 0.33333333L, 333333.33},
                          Case{0.6667, 0.66666667L, 666666.67}, Case{0.25, 0.25L, 250000}}) {
        SCOPED_TRACE(c.entered);
        Housing h;
        h.share = c.entered;
        h.cost = 2000000;
        auto log = ReadHousing(h);
        const kTSvodSumPrilZ z = SheetZ(*log, 5000000);
        EXPECT_EQ(z.Share, c.share);
        EXPECT_EQ(S(z.Line080), S(1000000));
        EXPECT_EQ(S(z.Line210), S(c.limit));
    }
}

TEST(SumsZ, ShareLimitRoundsAnExactHalfToEven) {
    // 1/2048 and 3/2048 of the limit fall exactly on half a unit of the money type:
    // 488.28125 and 1464.84375 roubles.
    struct Case {
        long double share;
        std::int64_t raw;
    };
    for (const Case& c : {Case{1.0L / 2048, 4882812}, Case{3.0L / 2048, 14648438}}) {
        Housing h;
        h.cost = 1000000;
        auto log = ReadHousing(h);
        log->Vychety->StroitVych.Share = c.share;
        const kTSvodSumPrilZ z = SheetZ(*log, 5000000);
        EXPECT_EQ(z.Line210.Raw(), c.raw);
        EXPECT_EQ(z.Line230.Raw(), 0);
    }
}

TEST(SumsZ, CostBelowTheShareLimitIsTakenWhole) {
    Housing h;
    h.share = 0.3333;
    h.cost = 333333.33;
    auto log = ReadHousing(h);
    EXPECT_EQ(S(SheetZ(*log, 5000000).Line210), S(333333.33));
    log->Vychety->StroitVych.ObschSum = Rub(300000.01);
    EXPECT_EQ(S(SheetZ(*log, 5000000).Line210), S(300000.01));
}

TEST(SumsZ, ClearZeroesTheAmountsButKeepsTheShare) {
    Housing h;
    h.share = 0.5;
    h.cost = 600000;
    h.interest = 20000;
    h.earlier = 1000;
    h.carriedCost = 3000;
    auto log = ReadHousing(h);
    kTSvodSumPrilZ z = SheetZ(*log, 900000);
    z.Clear();
    EXPECT_EQ(z.Share, 0.5L);
    for (Currency c : {z.Line080, z.Line090, z.Line100, z.Line110, z.Line120, z.Line130, z.Line140, z.Line150, z.Line160,
                       z.Line170, z.Line180, z.Line190, z.Line200, z.Line210, z.Line220, z.Line230, z.Line240})
        EXPECT_EQ(S(c), S(0.0));
}

} // namespace
