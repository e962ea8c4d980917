#include "../SampleDecl.h"
#include "ReportTestUtil.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using reporttest::Line;
using reporttest::Read;
using reporttest::Rub;

namespace {

mTThirteenPercent& Source(mTDeclaration& d, const char* okato, double held = 0) {
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.OKATO = okato;
    s.HoldSum = Rub(held);
    return s;
}

mTCurrencyIncome& Foreign(mTDeclaration& d, std::int32_t rate, double rub, double taxRub = 0) {
    auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.Stav = rate;
    c.IncomeCode = 2000;
    c.IncomeRoubleSum = Rub(rub);
    c.TaxRoubleSum = Rub(taxRub);
    return c;
}

reporttest::Computed Planned(const mTDeclaration& d) {
    auto c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    return c;
}

} // namespace

TEST(SheetA, RatesFollowTheDeclarationKind) {
    for (int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        mTDeclaration d;
        d.DeclarationKind = static_cast<std::uint8_t>(kind);
        d.SetIncomeKinds(ikRussian);
        auto& s = Source(d, "", 100);
        s.Obl = Rub(900);
        s.TaxIsch = Rub(117);
        s.AddSourseIncome(Line(2000, 600));
        s.AddSourseIncome(Line(2000, 400));
        Source(d, "45286555000", 5).Obl = Rub(1); // no lines: only its figures count
        auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
        div.ItogIncomeSum = Rub(2000);
        div.HoldSum = Rub(180);
        auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        p.ItogIncomeSum = Rub(1000);
        auto c = reporttest::Compute(d);
        const kTSvodSumPrilA& a = kind == 1 ? static_cast<const kTSvodSumPrilA&>(c.sums->PrilA30) : c.sums->PrilA13;
        const kTSvodSumPrilA& other = kind == 1 ? static_cast<const kTSvodSumPrilA&>(c.sums->PrilA13) : c.sums->PrilA30;
        if (kind == 2) {
            EXPECT_TRUE(c.sums->PrilA13.Line080.IsZero());
            EXPECT_TRUE(c.sums->PrilA30.Line080.IsZero());
        } else {
            EXPECT_EQ(a.Line080, Rub(1000));
            EXPECT_EQ(a.Line090, Rub(901));
            EXPECT_EQ(a.Line100, Rub(117));
            EXPECT_EQ(a.Line110, Rub(105));
            EXPECT_TRUE(other.Line080.IsZero());
            ASSERT_EQ(a.Sources.size(), 2u);
            EXPECT_EQ(a.Sources[0].Income, Rub(1000));
            EXPECT_TRUE(a.Sources[1].Income.IsZero());
            EXPECT_EQ(a.OKATO, "45286555000"); // the first non-empty code
            EXPECT_EQ(c.sums->OKATO13, "45286555000");
        }
        EXPECT_EQ(c.sums->PrilA6.Line080, Rub(2000));
        EXPECT_EQ(c.sums->PrilA6.Line110, Rub(180));
        EXPECT_EQ(c.sums->PrilA35.Line100, Rub(350));
    }
}

TEST(SheetB, TotalsByRate) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    // Tax due 100.40 and 100.30: the total 200.70 goes up to 201.
    Foreign(d, 13, 772.3077, 1000);
    Foreign(d, 13, 771.5385, 1000);
    Foreign(d, 30, 5000, 10);
    Foreign(d, 9, 1000, 50);
    auto c = reporttest::Compute(d);
    const auto& items = c.log->Dohody->InoValutList.Items;
    EXPECT_EQ(items[0].TaxDue.Raw(), 1004000);
    EXPECT_EQ(items[1].TaxDue.Raw(), 1003000);
    EXPECT_EQ(c.sums->PrilB13.Line170, Currency::FromInt(201));
    EXPECT_EQ(c.sums->PrilB13.Line180, Currency::FromInt(201)); // credited: the lesser of due and paid
    EXPECT_EQ(c.sums->PrilB13.Line150, Rub(1543.8462));
    EXPECT_EQ(c.sums->PrilB13.Line160, Rub(2000));
    EXPECT_EQ(c.sums->PrilB9.Line170, Currency::FromInt(90));
    EXPECT_EQ(c.sums->PrilB9.Line180, Currency::FromInt(50));
    EXPECT_TRUE(c.sums->PrilB35.Line150.IsZero()); // the 30 % income is on no sheet Б
}

TEST(SheetV, IncomeExpensesAndAdvancePayments) {
    mTDeclaration d;
    d.SetIncomeKinds(ikBusiness);
    d.ActualPrepayment = Rub(3000);
    d.NachPrepayment = Rub(3100);
    auto& a = d.GetBusinessIncome(d.AddBusinessIncome());
    a.SetIncomeByMonth(0);
    a.SetPeriodIncome(Rub(100000));
    for (int m = 0; m < 12; ++m) {
        mTBusinessExpense e{Rub(5000), Rub(2000), Rub(2500), Rub(500)};
        a.SetMonthExpense(m, &e);
    }
    auto& norm = d.GetBusinessIncome(d.AddBusinessIncome());
    norm.SetMonthIncome(0, Rub(1000));
    norm.SetConfirmedExpenses(0);
    norm.ResultExpense = Rub(200);
    auto c = reporttest::Compute(d);
    EXPECT_EQ(c.sums->PrilV.Line110, Rub(101000));
    EXPECT_EQ(c.sums->PrilV.Line120, Rub(101000)); // 120000 + 200, cut to the income
    EXPECT_EQ(c.sums->PrilV.Line140, Rub(3000));
    EXPECT_EQ(c.sums->PrilV.Line130, Rub(3100));

    mTDeclaration none;
    none.SetIncomeKinds(ikBusiness);
    none.ActualPrepayment = Rub(3000);
    EXPECT_TRUE(reporttest::Compute(none).sums->PrilV.Line140.IsZero());
}

TEST(Sections, Section1RefundAndForeignCredit) {
    mTDeclaration d;
    auto log = Read(d);
    struct Case {
        double withheld;
        double credit;
        double refund, pay;
    } cases[] = {{1000, 500, 0, 0}, {1500, 500, 200, 0}, {1000, 0, 0, 300}, {1000, 100, 0, 200}};
    for (const auto& c : cases) {
        kTSvodSum s;
        s.PrilA13.Line080 = Rub(10000);
        s.PrilA13.Line110 = Rub(c.withheld);
        s.PrilB13.Line180 = Rub(c.credit);
        s.List1.Calculate(*log, s);
        EXPECT_EQ(s.List1.Line060, Rub(1300));
        EXPECT_EQ(s.List1.Line100, Rub(c.refund)) << c.withheld << " " << c.credit;
        EXPECT_EQ(s.List1.Line110, Rub(c.pay)) << c.withheld << " " << c.credit;
    }
    kTSvodSum tiny;
    tiny.PrilA13.Line080 = Rub(50);
    tiny.List1.Calculate(*log, tiny);
    EXPECT_EQ(tiny.List1.Line060, Rub(7));
    kTSvodSum negative;
    negative.PrilA13.Line080 = Rub(100);
    negative.PrilE.Line220 = Rub(400);
    negative.List1.Calculate(*log, negative);
    EXPECT_TRUE(negative.List1.Line050.IsZero());
}

TEST(Sections, PaymentsOnNotificationByCode) {
    mTDeclaration d;
    for (const char* code : {"18210102021011000110", "18210102022011000110", "18210102050011000110", "18210102030011000110",
                             "18210102040011000110", "18210102010011000110", "00000000000000000000"}) {
        auto& t = d.GetNalog(d.AddNalog());
        t.KBK = code;
        t.Sum = Rub(100);
    }
    auto log = Read(d);
    kTSvodSum s;
    s.PrilA35.Line080 = Rub(1000);
    s.PrilA30.Line080 = Rub(1000);
    s.PrilA6.Line100 = Rub(90);
    for (auto* f : {&s.List1, static_cast<kTSvodSumList1*>(nullptr)})
        if (f) f->Calculate(*log, s);
    s.List2.Calculate(*log, s);
    s.List3.Calculate(*log, s);
    s.List4.Calculate(*log, s);
    EXPECT_EQ(s.List1.Line080, Rub(300));
    EXPECT_EQ(s.List2.Line080, Rub(100));
    EXPECT_EQ(s.List2.Line060, Rub(300));
    EXPECT_EQ(s.List2.Line100, Rub(200));
    EXPECT_EQ(s.List3.Line060, Rub(100));
    EXPECT_EQ(s.List3.Line040, Rub(350));
    EXPECT_EQ(s.List3.Line090, Rub(250));
    EXPECT_EQ(s.List4.Line050, Rub(100));
    EXPECT_EQ(s.List4.Line070, Rub(10));
    s.List5.Calculate(*log, s);
    EXPECT_EQ(s.List5.Line010, Rub(300 + 10)); // refunds: section 1 returns its 300 paid, section 4 its 10
    EXPECT_EQ(s.List5.Line020, Rub(450));
    EXPECT_EQ(s.List5.Line040, Rub(140));
    EXPECT_TRUE(s.List5.Line030.IsZero());
}

TEST(Section6, RefundOfSection1) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikBusiness);
    d.Person.Address.OKATO = "45000000000";
    d.ActualPrepayment = Rub(1000);
    d.AddBusinessIncome();
    Source(d, "45286555000", 1500);
    Source(d, "", 0); // withheld nothing: skipped
    Source(d, "45286555000", 1500);
    auto log = Read(d);
    kTSvodSum s;
    s.List1.Line100 = Rub(3000);
    s.List6.Calculate(*log, s);
    ASSERT_EQ(s.List6.Count, 2);
    EXPECT_EQ(s.List6.Entries[0].KBK, "18210102022011000110");
    EXPECT_EQ(s.List6.Entries[0].OKATO, "45000000000");
    EXPECT_EQ(s.List6.Entries[0].Indicator, "2");
    EXPECT_EQ(s.List6.Entries[0].Amount, Rub(1000));
    EXPECT_EQ(s.List6.Entries[1].KBK, "18210102021011000110");
    EXPECT_EQ(s.List6.Entries[1].OKATO, "45286555000");
    EXPECT_EQ(s.List6.Entries[1].Amount, Rub(2000)); // 1500 + 500 in one entry
    EXPECT_EQ(PlanPages(*log, s).SheetPageCount[skRazdel6], 2);

    mTDeclaration plain;
    plain.SetIncomeKinds(ikRussian);
    plain.Person.Address.OKATO = "45000000000";
    Source(plain, "45286555000", 1000);
    auto log2 = Read(plain);
    kTSvodSum s2;
    s2.List1.Line100 = Rub(3000);
    s2.List6.Calculate(*log2, s2);
    ASSERT_EQ(s2.List6.Count, 2);
    EXPECT_EQ(s2.List6.Entries[0].OKATO, "45286555000");
    EXPECT_EQ(s2.List6.Entries[0].Amount, Rub(1000));
    EXPECT_EQ(s2.List6.Entries[1].OKATO, "45000000000");
    EXPECT_EQ(s2.List6.Entries[1].Amount, Rub(2000));
}

TEST(Section6, PaymentWithBusiness) {
    mTDeclaration d;
    d.SetIncomeKinds(ikBusiness);
    d.AddBusinessIncome();
    auto log = Read(d);
    kTSvodSum s;
    s.List1.Line110 = Rub(5000);
    s.PrilV.Line110 = Rub(20000);
    s.PrilV.Line120 = Rub(4615.38); // 13 % of 15384.62 = 2000.0006 -> 2000
    s.List6.Calculate(*log, s);
    ASSERT_EQ(s.List6.Count, 2);
    EXPECT_EQ(s.List6.Entries[0].KBK, "18210102022011000110");
    EXPECT_EQ(s.List6.Entries[0].Indicator, "1");
    EXPECT_EQ(s.List6.Entries[0].Amount, Rub(2000));
    EXPECT_EQ(s.List6.Entries[1].KBK, "18210102021011000110");
    EXPECT_EQ(s.List6.Entries[1].Amount, Rub(3000));
}

TEST(Section6, DefaultEntryAndOtherSections) {
    struct Case {
        int status;
        int list; // 0 none, 1 13 %, 2 dividends, 3 35 %
        const char* kbk;
    } cases[] = {{1, 1, "18210102022011000110"}, {3, 0, "18210102022011000110"}, {0, 1, "18210102021011000110"},
                 {0, 2, "18210102010011000110"}, {0, 3, "18210102040011000110"}, {0, 0, "18210102021011000110"}};
    for (const auto& c : cases) {
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.FilerStatus = static_cast<std::uint8_t>(c.status);
        d.Person.Address.OKATO = "45000000000";
        if (c.list == 1) d.AddThirteenPercent();
        if (c.list == 2) d.AddThirtyPercent();
        if (c.list == 3) d.AddThirtyFivePercent();
        auto r = reporttest::Compute(d);
        ASSERT_EQ(r.sums->List6.Count, 1);
        const bmTList1& e = r.sums->List6.Entries[0];
        EXPECT_EQ(e.KBK, c.kbk) << c.status << " " << c.list;
        EXPECT_EQ(e.Indicator, "3");
        EXPECT_TRUE(e.Amount.IsZero());
        EXPECT_EQ(e.OKATO, "45000000000");
        EXPECT_EQ(PlanPages(*r.log, *r.sums).SheetPageCount[skRazdel6], 1);
    }
    // Refunds of sections 2, 3 and 4 go under the first source codes of their lists.
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    p.OKATO = "11111111111";
    p.HoldSum = Rub(500);
    p.ItogIncomeSum = Rub(1000);
    auto r = reporttest::Compute(d);
    ASSERT_EQ(r.sums->List6.Count, 1);
    EXPECT_EQ(r.sums->List6.Entries[0].KBK, "18210102040011000110");
    EXPECT_EQ(r.sums->List6.Entries[0].OKATO, "11111111111");
    EXPECT_EQ(r.sums->List6.Entries[0].Amount, Rub(150));
}

// A refund of section 2 (a non-resident's income at 30 %, held in the 13 % list) is returned under
// the first territory code its 13 % sources give, a refund of section 4 under the first its dividend
// sources give, each under the filer's code when its own list gives none: never under a code of
// the other list. The code stands in the section-6 entry and on the entry's line 030 of the text file.
TEST(Section6, RefundTerritoryOfSectionsTwoAndFour) {
    const std::string filer = "45000000000";
    struct Case {
        std::vector<std::string> thirteen, dividends; // the sources' territory codes, in list order
        std::string section2, section4;
    } cases[] = {
        {{"", "45286560000", "45286570000"}, {"", "45286580000", "45286590000"}, "45286560000", "45286580000"},
        {{"45286560000", ""}, {"45286580000"}, "45286560000", "45286580000"},
        {{"45286560000"}, {""}, "45286560000", filer},
        {{""}, {"45286580000"}, filer, "45286580000"},
        {{"", ""}, {"", ""}, filer, filer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section2 + " / " + c.section4);
        mTDeclaration d;
        reporttest::RefundsOfSectionsTwoAndFour(d, c.thirteen, c.dividends);
        auto r = Planned(d);
        // Section 6 as figures: one refund entry for each section, in this order.
        ASSERT_EQ(r.sums->List6.Count, 2);
        const std::size_t n13 = c.thirteen.size(), n9 = c.dividends.size();
        const struct {
            const char* kbk;
            std::string okato;
            Currency amount;
        } expected[] = {{"18210102030011000110", c.section2, Rub(500.0 * static_cast<double>(n13))},
                        {"18210102010011000110", c.section4, Rub(60.0 * static_cast<double>(n9))}};
        for (std::size_t i = 0; i < 2; ++i) {
            const bmTList1& e = r.sums->List6.Entries[i];
            EXPECT_EQ(e.KBK, expected[i].kbk);
            EXPECT_EQ(e.Indicator, "2");
            EXPECT_EQ(e.Amount, expected[i].amount);
            EXPECT_EQ(e.OKATO, expected[i].okato) << expected[i].kbk;
        }
        // Section 6 in the text file: each entry's block, its budget code on line 020 and its
        // territory code on line 030.
        std::vector<std::string> blocks;
        const std::vector<std::string> text = BuildTaxText(*r.log, *r.sums, r.plan, TTaxClock{2006, 4, 1, 12, 0, 0});
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i].rfind("П000060002000:", 0) == 0) blocks.push_back(text[i] + " " + text[i + 1]);
        EXPECT_EQ(blocks, (std::vector<std::string>{
                              "П000060002000:18210102030011000110 П000060003000:" + c.section2,
                              "П000060002000:18210102010011000110 П000060003000:" + c.section4,
                          }));
    }
}

// A resident with one primary employer: 12 months of 10 000 under code 2000, 15 600 withheld,
// standard deduction 103 with one child.
TEST(Pipeline, ResidentWithRefund) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    auto& s = Source(d, "45286555000", 15600);
    s.PrimaryWorkplase = 1;
    for (std::uint16_t m = 1; m <= 12; ++m) s.AddSourseIncome(Line(2000, 10000, 0, 0, m));
    d.StandartDeduct.Granting = 1;
    d.StandartDeduct.StandartCode = 103;
    d.StandartDeduct.ChildrenKind = 101;
    d.StandartDeduct.SetConstChildrens(1);
    auto c = reporttest::Compute(d);
    EXPECT_EQ(c.sums->PrilE.Line220, Rub(3200));
    const auto& l1 = c.sums->List1;
    EXPECT_EQ(l1.Line010, Rub(120000));
    EXPECT_EQ(l1.Line040, Rub(3200));
    EXPECT_EQ(l1.Line050, Rub(116800));
    EXPECT_EQ(l1.Line060, Rub(15184));
    EXPECT_EQ(l1.Line070, Rub(15600));
    EXPECT_EQ(l1.Line100, Rub(416));
    EXPECT_TRUE(l1.Line110.IsZero());
    EXPECT_EQ(c.sums->List5.Line030, Rub(416));
    ASSERT_EQ(c.sums->List6.Count, 1);
    EXPECT_EQ(c.sums->List6.Entries[0].KBK, "18210102021011000110");
    EXPECT_EQ(c.sums->List6.Entries[0].Amount, Rub(416));
    EXPECT_EQ(c.sums->List6.Entries[0].OKATO, "45286555000");
    c.plan = PlanPages(*c.log, *c.sums);
    EXPECT_EQ(c.plan.PageTotal, 7);
}

// ---------------------------------------------------------------------------------------------
// The page planner


TEST(PlanPages, FourNdflAlone) {
    mTDeclaration d;
    d.DeclarationKind = 2;
    d.SetIncomeKinds(0);
    auto c = Planned(d);
    EXPECT_EQ(c.plan.PageTotal, 2);
    EXPECT_EQ(c.plan.SheetPageCount[skAdr], 0);
    EXPECT_EQ(c.plan.SheetPageCount[skRazdel1], 1);
    EXPECT_EQ(c.plan.SheetPageCount[skRazdel5], 0);
    EXPECT_EQ(c.plan.SheetPageCount[skRazdel6], 0);
    EXPECT_EQ(c.plan.SheetFirstPage[skRazdel1] + 1, 2);
}

TEST(PlanPages, FiveSourcesAt13) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    for (int i = 0; i < 5; ++i) d.AddThirteenPercent();
    d.StandartDeduct.Granting = 0;
    auto c = Planned(d);
    const auto& C = c.plan.SheetPageCount;
    const auto& B = c.plan.SheetFirstPage;
    EXPECT_EQ(B[skAdr] + 1, 2);
    EXPECT_EQ(B[skRazdel1] + 1, 3);
    EXPECT_EQ(B[skRazdel5] + 1, 4);
    EXPECT_EQ(B[skRazdel6] + 1, 5);
    EXPECT_EQ(C[skPrilA13], 2);
    EXPECT_EQ(B[skPrilA13] + 1, 6);
    EXPECT_EQ(c.plan.PageTotal, 7);
    EXPECT_EQ(B[skPrilA9], B[skPrilA13]); // an absent kind has the value of the next one
}

TEST(PlanPages, SheetCounts) {
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> fill;
        std::vector<std::pair<int, int>> counts;
    } cases[] = {
        {"non-resident", [](mTDeclaration& d) {
             d.DeclarationKind = 1;
             d.AddThirteenPercent();
             d.ConstructionDeduct.Granting = 1;
         }, {{skPrilA30, 1}, {skRazdel2, 1}, {skPrilA13, 0}, {skPrilE, 0}, {skPrilZ, 0}, {skRazdel1, 0}}},
        {"three foreign incomes at 9 %", [](mTDeclaration& d) {
             d.SetIncomeKinds(ikForeign);
             for (int i = 0; i < 3; ++i) Foreign(d, 9, 100);
         }, {{skPrilB9, 2}, {skRazdel4, 1}}},
        {"one business activity", [](mTDeclaration& d) {
             d.SetIncomeKinds(ikBusiness);
             d.AddBusinessIncome();
         }, {{skPrilV, 1}, {skRazdel1, 1}, {skPrilE, 1}}},
        {"author's fees", [](mTDeclaration& d) {
             auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
             for (int i = 0; i < 4; ++i) s.AddSourseIncome(Line(2201, 100, 201, 20));
         }, {{skPrilG, 2}}},
        {"civil-law contracts", [](mTDeclaration& d) {
             d.SetIncomeKinds(ikRussian | ikForeign);
             auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
             for (int i = 0; i < 4; ++i) s.AddSourseIncome(Line(2010, 100, 601, 20));
             for (int i = 0; i < 2; ++i) {
                 auto& f = Foreign(d, 13, 100);
                 f.IncomeCode = 2010;
                 f.DeductCode = 601;
             }
         }, {{skPrilD, 2}, {skPrilB13, 1}}},
        {"securities", [](mTDeclaration& d) {
             d.SetIncomeKinds(ikRussian | ikForeign);
             d.GetThirteenPercent(d.AddThirteenPercent()).AddSourseIncome(Line(1530, 100, 307, 50));
             auto& two = d.GetThirteenPercent(d.AddThirteenPercent());
             for (int i = 0; i < 3; ++i) two.AddSourseIncome(Line(1530, 100, 307, 50));
             auto& f = Foreign(d, 13, 100);
             f.IncomeCode = 1530;
             f.DeductCode = 307;
         }, {{skPrilJ, 3}, {skPrilK, 0}}},
        {"property sale opens sheet Ж", [](mTDeclaration& d) {
             d.GetThirteenPercent(d.AddThirteenPercent()).AddSourseIncome(Line(1510, 100, 301, 50));
         }, {{skPrilH, 1}}},
        {"a gift opens sheet Г", [](mTDeclaration& d) {
             d.GetThirteenPercent(d.AddThirteenPercent()).AddSourseIncome(Line(2720, 100, 501, 100));
         }, {{skPrilM, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        c.fill(d);
        auto r = Planned(d);
        for (auto [kind, pages] : c.counts) EXPECT_EQ(r.plan.SheetPageCount[kind], pages) << SheetKindInfo(kind).PreviewText;
        int total = 1;
        for (int k = skAdr; k <= skPrilZ; ++k) total += r.plan.SheetPageCount[k];
        EXPECT_EQ(r.plan.PageTotal, total);
    }
}

TEST(PlanPages, PrizeSourcesTwoToAPage) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    for (int i = 0; i < 3; ++i) {
        auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        p.IncomeCode = 2740;
        p.ItogIncomeSum = Rub(1000);
        p.DeductSum = Rub(100);
    }
    auto c = Planned(d);
    EXPECT_EQ(c.sums->PrilM.PrizeCount, 4);
    EXPECT_EQ(c.plan.SheetPageCount[skPrilM], 2);
}

// ---------------------------------------------------------------------------------------------
// Whole declarations through the pipeline and the planner

TEST(Pipeline, ResidentWithPayment) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    d.StandartDeduct.Granting = 0;
    auto& s = Source(d, "45286555000", 0);
    for (std::uint16_t m = 1; m <= 12; ++m) s.AddSourseIncome(Line(2010, 50000, 0, 0, m));
    auto c = Planned(d);
    EXPECT_EQ(c.sums->List1.Line050, Rub(600000));
    EXPECT_EQ(c.sums->List1.Line060, Rub(78000));
    EXPECT_EQ(c.sums->List1.Line110, Rub(78000));
    EXPECT_EQ(c.sums->List5.Line040, Rub(78000));
    ASSERT_EQ(c.sums->List6.Count, 1);
    EXPECT_EQ(c.sums->List6.Entries[0].Indicator, "1");
    EXPECT_EQ(c.sums->List6.Entries[0].OKATO, "45000000000");
    EXPECT_EQ(c.plan.PageTotal, 6);
}

TEST(Pipeline, PrizesAt35) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    p.IncomeCode = 2740;
    p.ItogIncomeSum = Rub(10000);
    p.DeductCode = 0;
    p.DeductSum = Rub(3000);
    auto c = Planned(d);
    const auto& src = c.sums->PrilM.Sources35.at(0);
    EXPECT_EQ(src.DeductSum, Rub(2000));
    EXPECT_EQ(src.Obl, Rub(8000));
    EXPECT_EQ(src.TaxIsch, Rub(2800));
    EXPECT_EQ(c.sums->PrilA35.Sources.at(0).Obl, Rub(8000)); // the block of sheet А shows the same
    EXPECT_EQ(c.sums->PrilA35.Sources.at(0).TaxIsch, Rub(2800));
    EXPECT_EQ(c.sums->PrilA35.Line090, Rub(8000));
    const auto& l3 = c.sums->List3;
    EXPECT_EQ(l3.Line010, Rub(10000));
    EXPECT_EQ(l3.Line020, Rub(2000));
    EXPECT_EQ(l3.Line030, Rub(8000));
    EXPECT_EQ(l3.Line040, Rub(2800));
    EXPECT_EQ(l3.Line090, Rub(2800));
    EXPECT_EQ(c.sums->List6.Entries.at(0).KBK, "18210102040011000110");
    EXPECT_EQ(c.plan.SheetPageCount[skPrilM], 1);
    EXPECT_EQ(c.plan.SheetPageCount[skRazdel3], 1);
}

TEST(Pipeline, SecuritiesReduceTheBase) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    auto& s = Source(d, "45286555000", 0);
    s.AddSourseIncome(Line(1530, 100000, 307, 80000));
    s.AddSourseIncome(Line(2000, 50000));
    auto c = Planned(d);
    EXPECT_EQ(c.sums->PrilJ.ExpenseTotal, Rub(80000));
    EXPECT_EQ(c.sums->List1.Line010, Rub(150000));
    EXPECT_EQ(c.sums->List1.Line040, Rub(80000));
    EXPECT_EQ(c.sums->List1.Line060, Rub(9100));
    EXPECT_EQ(c.plan.SheetPageCount[skPrilJ], 1);
}

TEST(Pipeline, NonResident) {
    mTDeclaration d;
    d.DeclarationKind = 1;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    auto& s = Source(d, "45286555000", 13000);
    s.AddSourseIncome(Line(2000, 100000));
    auto c = Planned(d);
    const auto& l2 = c.sums->List2;
    EXPECT_EQ(l2.Line010, Rub(100000));
    EXPECT_EQ(l2.Line060, Rub(30000));
    EXPECT_EQ(l2.Line070, Rub(13000));
    EXPECT_EQ(l2.Line100, Rub(17000));
    EXPECT_TRUE(c.sums->List1.Line010.IsZero());
    ASSERT_EQ(c.sums->List6.Count, 1);
    EXPECT_EQ(c.sums->List6.Entries[0].KBK, "18210102030011000110");
    EXPECT_EQ(c.plan.PageTotal, 6);
}

TEST(Pipeline, EstimatedIncome) {
    mTDeclaration d;
    d.DeclarationKind = 2;
    d.SetIncomeKinds(0);
    d.SupposeIncome = Rub(100000);
    auto c = Planned(d);
    EXPECT_EQ(c.log->DeclDan->SupposeIncome, Rub(100000));
    EXPECT_EQ(c.plan.SheetPageCount[skRazdel6], 0);
    EXPECT_EQ(c.plan.PageTotal, 2);
}

// Six civil-law contracts abroad at 13 %, 294 000 in all, each with the 20 % deduction of code 403.
// Sheet Б taxes them less the deductions (30 576), and section 1 must take the same deductions
// through sheet Е, whether or not a 13 % source in Russia stands beside them.
TEST(Pipeline, ContractDeductionsAbroadReachSection1) {
    struct Case {
        const char* name;
        bool source13;
        double line010, line050, line060, line070, line110;
        int pageTotal, firstPageE;
    } cases[] = {
        {"without a 13 % source", false, 294000, 235200, 30576, 0, 30576, 10, 9},
        {"beside a 13 % source", true, 394000, 335200, 43576, 13000, 30576, 11, 10},
    };
    auto check = [](const Case& k) {
        mTDeclaration d;
        d.SetIncomeKinds(k.source13 ? ikRussian | ikForeign : ikForeign);
        d.StandartDeduct.Granting = 0;
        d.Person.Address.OKATO = "45000000000";
        if (k.source13) Source(d, "45286555000", 13000).AddSourseIncome(Line(2000, 100000));
        for (int i = 0; i < 6; ++i) {
            auto& f = Foreign(d, 13, 49000);
            f.IncomeCode = 2010;
            f.SourseName = "Payer " + std::to_string(i + 1);
            f.DeductCode = 403;
            f.DeductPercent = 20;
            f.DeductSum = Rub(9800);
        }
        auto c = Planned(d);
        const kTSvodSum& s = *c.sums;

        EXPECT_EQ(s.PrilB13.Line150, Rub(294000));
        EXPECT_EQ(s.PrilB13.Line170, Rub(30576));

        const auto& e = s.PrilD;
        ASSERT_EQ(e.Records.size(), 6u);
        for (std::size_t i = 0; i < e.Records.size(); ++i) {
            EXPECT_EQ(e.Records[i].SourseName, "Payer " + std::to_string(i + 1));
            EXPECT_EQ(e.Records[i].INN, "");
            EXPECT_EQ(e.Records[i].IncomeSum, Rub(49000));
            EXPECT_EQ(e.Records[i].DeductSum, Rub(9800));
        }
        EXPECT_EQ(e.Line060, Rub(294000));
        EXPECT_EQ(e.Line070, Rub(58800));

        const auto& l1 = s.List1;
        EXPECT_EQ(l1.Line010, Rub(k.line010));
        EXPECT_EQ(l1.Line040, Rub(58800));
        EXPECT_EQ(l1.Line050, Rub(k.line050));
        EXPECT_EQ(l1.Line060, Rub(k.line060));
        EXPECT_EQ(l1.Line070, Rub(k.line070));
        EXPECT_TRUE(l1.Line100.IsZero());
        EXPECT_EQ(l1.Line110, Rub(k.line110));
        EXPECT_EQ(s.List5.Line040, Rub(k.line110));
        ASSERT_EQ(s.List6.Count, 1);
        EXPECT_EQ(s.List6.Entries[0].Indicator, "1");
        EXPECT_EQ(s.List6.Entries[0].Amount, Rub(k.line110));

        // Sheet Е: five contracts a page, after the three pages of sheet Б.
        const auto& C = c.plan.SheetPageCount;
        const auto& B = c.plan.SheetFirstPage;
        EXPECT_EQ(C[skPrilB13], 3);
        EXPECT_EQ(C[skPrilD], 2);
        EXPECT_EQ(C[skRazdel1], 1);
        EXPECT_EQ(B[skPrilD] + 1, k.firstPageE);
        EXPECT_EQ(c.plan.PageTotal, k.pageTotal);

        // The text file carries the sheet with every contract and the deductions in section 1.
        std::vector<std::string> lines;
        WriteIndicatorBlocks(*c.log, s, c.plan, lines);
        auto has = [&lines](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
        EXPECT_TRUE(has("П000010004000:58800.00"));
        EXPECT_TRUE(has("П000010006000:" + std::to_string(static_cast<long>(k.line060))));
        EXPECT_TRUE(has("П000120006000:294000.00"));
        EXPECT_TRUE(has("П000120007000:58800.00"));
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "П000120005000:9800.00"), 6);
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        check(k);
    }
}

// ---------------------------------------------------------------------------------------------
// The pipeline reads the model and writes only its own results

namespace {

// Every sheet, and beside it each value a stage could be tempted to store back: prizes that use
// up their exemption, the deduction of a sold share above its income on the primary workplace,
// business expenses by month, a child's education above its limit, no territory codes on the
// 35 % and dividend sources, and no citizenship.
void EverySheetAndEveryDerivedValue(mTDeclaration& d) {
    sample::EverySheet(d, 2);
    d.Person.Foreigner.Citizenship.clear();
    d.Person.Foreigner.CountryCode.clear();
    for (double deduct : {1500.0, 1500.0, 300.0}) {
        auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        p.IncomeCode = 2740;
        p.ItogIncomeSum = Rub(4000);
        p.DeductSum = Rub(deduct);
    }
    d.GetThirteenPercent(0).AddSourseIncome(Line(1511, 1000, 313, 5000, 2));
    d.SocialDeduct.Granting = 1;
    d.SocialDeduct.AddChildEduSum(Rub(50000));
}

// The whole pipeline on one model: its figures, its page plan and its text file.
struct TRunOutput {
    TPagePlan plan;
    std::string text;
};

TRunOutput RunPipeline(const kTDanLog& model) {
    kTSvodSum sums;
    sums.Calculate(model);
    TRunOutput out{PlanPages(model, sums), {}};
    for (const std::string& l : BuildTaxText(model, sums, out.plan, TTaxClock{2008, 1, 1, 12, 0, 0})) out.text += l + "\n";
    return out;
}

} // namespace

TEST(Pipeline, TwiceOnOneModelGivesTheSameFileAndPlan) {
    mTDeclaration d;
    EverySheetAndEveryDerivedValue(d);
    const auto model = Read(d);
    const TRunOutput first = RunPipeline(*model);
    const TRunOutput second = RunPipeline(*model);
    EXPECT_TRUE(first.plan == second.plan);
    EXPECT_EQ(first.plan.SheetPageCount[skPrilM], 2); // the prizes that got no exemption are listed both times
    EXPECT_EQ(first.text, second.text);
}

TEST(Pipeline, LeavesTheModelAsRead) {
    mTDeclaration d;
    EverySheetAndEveryDerivedValue(d);
    const auto block = reporttest::Block(d);
    const auto model = ReadDanLog(block.data(), false);
    const auto asRead = ReadDanLog(block.data(), false);
    const TRunOutput out = RunPipeline(*model);
    EXPECT_NE(out.text.find("Гражд:Россия\nКодГражд:643\n"), std::string::npos);
    EXPECT_TRUE(*model == *asRead);
    EXPECT_TRUE(model->PersonDan->Inostr.Citizenship.empty());
    // The comparison sees a changed value.
    asRead->Vychety->SocialVych.ChildEduSums[2] = Currency::FromInt(38000);
    EXPECT_FALSE(*model == *asRead);
}
