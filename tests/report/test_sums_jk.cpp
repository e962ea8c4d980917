// Sums of sheets З (own securities operations) and И (a trustee's).
#include "ReportTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using reporttest::Rub;

namespace {

// Amounts compared as text, so a failure shows the figures.
std::string S(Currency c) { return c.ToString('.'); }
std::string S(double roubles) { return S(Rub(roubles)); }

struct Sale {
    std::int32_t code;
    double income, expenses;
    std::int32_t deductCode = 307;
};

struct Source {
    std::string inn, kpp, name;
    std::vector<Sale> lines;
};

struct Foreign {
    std::string name;
    Sale sale;
};

std::unique_ptr<kTDanLog> ReadSources(const std::vector<Source>& sources, const std::vector<Foreign>& foreign = {}) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    for (const Source& src : sources) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = src.inn;
        s.KPP = src.kpp;
        s.SourseName = src.name;
        for (const Sale& l : src.lines) s.AddSourseIncome(reporttest::Line(l.code, l.income, l.deductCode, l.expenses));
    }
    for (const Foreign& f : foreign) {
        auto& ci = d.GetCurrencyIncome(d.AddCurrencyIncome());
        ci.Stav = 13;
        ci.SourseName = f.name;
        ci.IncomeCode = f.sale.code;
        ci.IncomeCurrencySum = Rub(1); // only the rouble amount counts
        ci.IncomeRoubleSum = Rub(f.sale.income);
        ci.DeductCode = f.sale.deductCode;
        ci.DeductSum = Rub(f.sale.expenses);
    }
    return reporttest::Read(d);
}

// One source per sale, so that profits and losses of one kind stay apart.
std::vector<Source> OnePerSale(const std::vector<Sale>& sales) {
    std::vector<Source> sources;
    for (const Sale& s : sales) sources.push_back({"7701234567", "770101001", "Broker", {s}});
    return sources;
}

class SecuritiesSums : public ::testing::Test {
protected:
    // Computes sheet И, then sheet З, as the pipeline does.
    void Compute(const std::vector<Source>& sources, const std::vector<Foreign>& foreign = {}) {
        log = ReadSources(sources, foreign);
        sums.PrilK.Calculate(*log, sums);
        sums.PrilJ.Calculate(*log, sums);
    }
    void ComputeSales(const std::vector<Sale>& sales) { Compute(OnePerSale(sales)); }

    std::unique_ptr<kTDanLog> log;
    kTSvodSum sums;
};

void ExpectTotals(const kTSvodSumPrilJK& sheet, double income, double taxable) {
    EXPECT_EQ(S(sheet.IncomeTotal), S(income));
    EXPECT_EQ(S(sheet.TaxableTotal), S(taxable));
    EXPECT_EQ(S(sheet.ExpenseTotal), S(income - taxable));
}

// ---------------------------------------------------------------------------------------------
// Collecting the blocks

TEST_F(SecuritiesSums, LinesOfOneKindFromOneSourceMakeOneBlock) {
    Compute({{"7701234567", "770101001", "Broker A",
              {{1530, 100000, 80000}, {1530, 50000, 90000}, {1530, 70000, 10000, 316}, {1531, 40000, 10000}}},
             {"7702000000", "770201001", "Broker B", {{1530, 30000, 10000}}}});
    const auto& kind1 = sums.PrilJ.Sources[0];
    ASSERT_EQ(kind1.size(), 2u);
    EXPECT_EQ(kind1[0].INN, "7701234567");
    EXPECT_EQ(kind1[0].KPP, "770101001");
    EXPECT_EQ(kind1[0].SourceName, "Broker A");
    EXPECT_EQ(S(kind1[0].SaleSum), S(150000));
    EXPECT_EQ(S(kind1[0].ExpenseSum), S(170000));
    EXPECT_EQ(S(kind1[0].LossSum), S(20000));
    EXPECT_EQ(S(kind1[0].ProfitSum), S(0.0));
    EXPECT_EQ(kind1[1].SourceName, "Broker B");
    EXPECT_EQ(S(kind1[1].ProfitSum), S(20000));
    EXPECT_EQ(S(kind1[1].LossSum), S(0.0));

    ASSERT_EQ(sums.PrilJ.Sources[1].size(), 1u);
    EXPECT_EQ(sums.PrilJ.Sources[1][0].SourceName, "Broker A");
    EXPECT_EQ(S(sums.PrilJ.Sources[1][0].ProfitSum), S(30000));
    for (int k : {2, 3, 4}) EXPECT_TRUE(sums.PrilJ.Sources[k].empty()) << k;
    // The 316 line belongs to sheet Ж and adds nothing here.
    ExpectTotals(sums.PrilJ, 220000, 30000);
}

TEST_F(SecuritiesSums, EachIncomeCodeGoesToItsKindOnItsSheet) {
    // Kinds 4 and 5 are futures (1534, 1539) and fund units (1533, 1538).
    Compute({{"7701234567", "", "Broker",
              {{1530, 10, 0}, {1531, 20, 0}, {1532, 30, 0}, {1534, 40, 0}, {1533, 50, 0},
               {1535, 100, 0}, {1536, 200, 0}, {1537, 300, 0}, {1539, 400, 0}, {1538, 500, 0}}}});
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k + 1);
        ASSERT_EQ(sums.PrilJ.Sources[k].size(), 1u);
        ASSERT_EQ(sums.PrilK.Sources[k].size(), 1u);
        EXPECT_EQ(S(sums.PrilJ.Sources[k][0].SaleSum), S(10.0 * (k + 1)));
        EXPECT_EQ(S(sums.PrilK.Sources[k][0].SaleSum), S(100.0 * (k + 1)));
        EXPECT_EQ(S(sums.PrilJ.Taxable[k]), S(10.0 * (k + 1)));
        EXPECT_EQ(S(sums.PrilK.Taxable[k]), S(100.0 * (k + 1)));
    }
    ExpectTotals(sums.PrilJ, 150, 150);
    ExpectTotals(sums.PrilK, 1500, 1500);
}

TEST_F(SecuritiesSums, OnlyDocumentedExpensesEnter) {
    Compute({{"7701234567", "", "Broker", {{1530, 100000, 50000, 316}, {1535, 100000, 50000, 317}, {1533, 10000, 0, 0}}}},
            {{"Foreign broker", {1538, 60000, 10000, 0}}});
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(sums.PrilJ.Sources[k].empty()) << k;
        EXPECT_TRUE(sums.PrilK.Sources[k].empty()) << k;
    }
    ExpectTotals(sums.PrilJ, 0, 0);
    ExpectTotals(sums.PrilK, 0, 0);
}

TEST_F(SecuritiesSums, ForeignIncomesFollowTheSourcesWithoutTaxNumbers) {
    Compute({{"7701234567", "770101001", "Broker", {{1538, 20000, 5000}}}},
            {{"Fund abroad", {1538, 60000, 70000}}, {"Fund two", {1533, 30000, 10000}}});
    const auto& kind5 = sums.PrilK.Sources[4];
    ASSERT_EQ(kind5.size(), 2u);
    EXPECT_EQ(kind5[0].SourceName, "Broker");
    EXPECT_EQ(kind5[1].INN, "");
    EXPECT_EQ(kind5[1].KPP, "");
    EXPECT_EQ(kind5[1].SourceName, "Fund abroad");
    EXPECT_EQ(S(kind5[1].SaleSum), S(60000));
    EXPECT_EQ(S(kind5[1].ExpenseSum), S(70000));
    EXPECT_EQ(S(kind5[1].LossSum), S(10000));
    ASSERT_EQ(sums.PrilJ.Sources[4].size(), 1u);
    EXPECT_EQ(sums.PrilJ.Sources[4][0].SourceName, "Fund two");
    EXPECT_EQ(S(sums.PrilJ.Sources[4][0].ProfitSum), S(20000));
}

TEST_F(SecuritiesSums, RecalculationStartsEmpty) {
    ComputeSales({{1530, 10000, 40000}, {1535, 10000, 40000}, {1536, 50000, 0}, {1537, 0, 5000}});
    ASSERT_FALSE(sums.PrilJ.Sources[0].empty());
    ASSERT_NE(S(sums.PrilK.Carry3), S(0.0));
    Compute({});
    for (const kTSvodSumPrilJK* sheet : {static_cast<const kTSvodSumPrilJK*>(&sums.PrilJ),
                                         static_cast<const kTSvodSumPrilJK*>(&sums.PrilK)}) {
        for (int k = 0; k < 5; ++k) {
            EXPECT_TRUE(sheet->Sources[k].empty());
            EXPECT_EQ(S(sheet->Taxable[k]), S(0.0));
        }
        EXPECT_EQ(S(sheet->Loss1), S(0.0));
        for (Currency c : sheet->LossRest) EXPECT_EQ(S(c), S(0.0));
        ExpectTotals(*sheet, 0, 0);
    }
    for (Currency c : {sums.PrilK.Carry1, sums.PrilK.Carry3, sums.PrilK.Carry4, sums.PrilK.Carry5, sums.PrilK.Accepted2})
        EXPECT_EQ(S(c), S(0.0));
}

// ---------------------------------------------------------------------------------------------
// Sheet И

// The kind 1 loss, 30000 after kind 1's own profit, offered to kind 2.
TEST_F(SecuritiesSums, TrusteeKind1LossGoesToKind2First) {
    struct Case {
        const char* name;
        double profit2, loss2;
        double taxable2, accepted2, carry1;
    };
    const Case cases[] = {
        {"kind 2 takes it all", 50000, 10000, 10000, 30000, 0},
        {"exactly enough", 40000, 10000, 0, 30000, 0},
        {"kind 2 takes a part", 20000, 10000, 0, 10000, 20000},
        {"kind 2 has no room", 10000, 10000, 0, 0, 30000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComputeSales({{1535, 50000, 40000},
                      {1535, 10000, 50000},
                      {1536, 100000, 100000 - c.profit2},
                      {1536, 20000, 20000 + c.loss2}});
        const kTSvodSumPrilK& k = sums.PrilK;
        EXPECT_EQ(S(k.Taxable[0]), S(0.0));
        EXPECT_EQ(S(k.Loss1), S(30000));
        EXPECT_EQ(S(k.LossRest[0]), S(c.loss2));
        EXPECT_EQ(S(k.Taxable[1]), S(c.taxable2));
        EXPECT_EQ(S(k.Accepted2), S(c.accepted2));
        EXPECT_EQ(S(k.Carry1), S(c.carry1));
        ExpectTotals(k, 180000, c.taxable2);
    }
}

TEST_F(SecuritiesSums, TrusteeKind1ProfitAbsorbsItsLoss) {
    ComputeSales({{1535, 100000, 40000}, {1535, 10000, 35000}, {1536, 30000, 20000}});
    const kTSvodSumPrilK& k = sums.PrilK;
    EXPECT_EQ(S(k.Taxable[0]), S(35000));
    EXPECT_EQ(S(k.Loss1), S(0.0));
    EXPECT_EQ(S(k.Taxable[1]), S(10000));
    EXPECT_EQ(S(k.Accepted2), S(0.0));
    EXPECT_EQ(S(k.Carry1), S(0.0));
    ExpectTotals(k, 140000, 45000);
}

TEST_F(SecuritiesSums, TrusteeLossesOfKinds3To5AreCarried) {
    // Kind 3: loss above profit; kind 4: profit above loss; kind 5: a loss only.
    ComputeSales({{1537, 50000, 30000},
                  {1537, 10000, 45000},
                  {1539, 80000, 20000},
                  {1539, 5000, 15000},
                  {1538, 40000, 52000}});
    const kTSvodSumPrilK& k = sums.PrilK;
    EXPECT_EQ(S(k.Taxable[2]), S(0.0));
    EXPECT_EQ(S(k.Carry3), S(15000));
    EXPECT_EQ(S(k.Taxable[3]), S(50000));
    EXPECT_EQ(S(k.Carry4), S(0.0));
    EXPECT_EQ(S(k.Taxable[4]), S(0.0));
    EXPECT_EQ(S(k.Carry5), S(12000));
    EXPECT_EQ(S(k.LossRest[1]), S(35000));
    EXPECT_EQ(S(k.LossRest[2]), S(10000));
    EXPECT_EQ(S(k.LossRest[3]), S(12000));
    ExpectTotals(k, 185000, 50000);
}

// ---------------------------------------------------------------------------------------------
// Sheet З

// Sheet З with the carries of sheet И set by hand.
TEST_F(SecuritiesSums, OwnSheetTakesTheTrusteesLosses) {
    struct Case {
        const char* name;
        std::vector<Sale> sales;
        double carry1, carry3, carry4, carry5;
        double taxable[5];
        double loss1, income;
    };
    const Case cases[] = {
        {"kind 1 covers its loss and the carry", {{1530, 100000, 60000}, {1530, 20000, 30000}, {1531, 25000, 20000}},
         20000, 0, 0, 0, {10000, 5000, 0, 0, 0}, 0, 145000},
        {"kind 1 loss left over is taken off kind 2 in full",
         {{1530, 50000, 40000}, {1530, 10000, 40000}, {1531, 60000, 10000}, {1531, 5000, 10000}},
         0, 0, 0, 0, {0, 25000, 0, 0, 0}, 20000, 125000},
        {"kind 2 smaller than the kind 1 loss", {{1530, 50000, 40000}, {1530, 10000, 40000}, {1531, 35000, 20000}},
         0, 0, 0, 0, {0, 0, 0, 0, 0}, 20000, 95000},
        {"the carry makes the kind 1 loss", {{1530, 30000, 20000}, {1531, 40000, 10000}},
         25000, 0, 0, 0, {0, 15000, 0, 0, 0}, 15000, 70000},
        {"kinds 3 to 5 with their carries",
         {{1532, 60000, 30000}, {1532, 5000, 10000}, {1534, 70000, 60000}, {1533, 30000, 22000}, {1533, 1000, 3000}},
         0, 10000, 20000, 6000, {0, 0, 15000, 0, 0}, 0, 166000},
        {"a kind with losses only", {{1532, 40000, 50000}, {1530, 10000, 4000}},
         0, 0, 0, 0, {6000, 0, 0, 0, 0}, 0, 50000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log = ReadSources(OnePerSale(c.sales));
        sums.PrilK.Carry1 = Rub(c.carry1);
        sums.PrilK.Carry3 = Rub(c.carry3);
        sums.PrilK.Carry4 = Rub(c.carry4);
        sums.PrilK.Carry5 = Rub(c.carry5);
        sums.PrilJ.Calculate(*log, sums);
        const kTSvodSumPrilJ& j = sums.PrilJ;
        double taxableTotal = 0;
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(S(j.Taxable[k]), S(c.taxable[k])) << "kind " << k + 1;
            taxableTotal += c.taxable[k];
        }
        EXPECT_EQ(S(j.Loss1), S(c.loss1));
        ExpectTotals(j, c.income, taxableTotal);
    }
}

TEST_F(SecuritiesSums, TrusteesUnusedKind1LossReducesOwnKind1) {
    // Sheet И: kind 1 loss 30000, kind 2 profit 20000 and loss 10000 leave 20000 to carry;
    // sheet З: kind 1 profit 40000 and loss 10000 take it.
    ComputeSales({{1535, 10000, 40000},
                  {1536, 100000, 80000},
                  {1536, 20000, 30000},
                  {1530, 100000, 60000},
                  {1530, 20000, 30000},
                  {1531, 30000, 0}});
    EXPECT_EQ(S(sums.PrilK.Carry1), S(20000));
    EXPECT_EQ(S(sums.PrilJ.Taxable[0]), S(10000));
    EXPECT_EQ(S(sums.PrilJ.Loss1), S(0.0));
    EXPECT_EQ(S(sums.PrilJ.Taxable[1]), S(30000));
    ExpectTotals(sums.PrilJ, 150000, 40000);
    ExpectTotals(sums.PrilK, 130000, 0);
}

} // namespace
