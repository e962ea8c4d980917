// The indicator blocks of the tax-office text file. The declaration goes through the main program's
// model and the block reader; the sums and the page counts are set by hand, so every figure below
// is the one written into the expected lines.
#include "ReportTestUtil.h"
#include "reportcore/ClassesReportText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using reporttest::Rub;
using Lines = std::vector<std::string>;

namespace {

// One text per run of lines, so that a failure shows both runs line by line.
std::string Joined(const Lines& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class TextBlocks : public ::testing::Test {
protected:
    kTDanLog& Read() {
        log = reporttest::Read(d);
        return *log;
    }
    void Pages(std::initializer_list<TSheetKind> kinds) {
        for (TSheetKind k : kinds) plan.SheetPageCount[k] = 1;
    }
    Lines Write() const {
        Lines lines;
        WriteIndicatorBlocks(*log, sums, plan, lines);
        return lines;
    }
    void Expect(const Lines& expected) const { EXPECT_EQ(Joined(Write()), Joined(expected)); }
    // The source blocks of a sheet А as its calculation leaves them: the sources as read, each with
    // the income given.
    template <class Item>
    static void Sources(kTSvodSumPrilA& a, const std::vector<Item>& items, std::initializer_list<double> incomes) {
        auto income = incomes.begin();
        for (const Item& s : items)
            a.Sources.push_back({s.INN, s.KPP, s.OKATO, s.SourseName, Rub(*income++), s.Obl, s.TaxIsch, s.HoldSum});
    }

    mTDeclaration d;
    std::unique_ptr<kTDanLog> log;
    kTSvodSum sums;
    TPagePlan plan;
};

// ---------------------------------------------------------------------------------------------
// Form 4-NDFL, sections 1 to 6

TEST_F(TextBlocks, Form4HoldsOnlyTheEstimatedIncomeInWholeRoubles) {
    d.DeclarationKind = 2;
    d.SupposeIncome = Rub(150000.50);
    d.SetIncomeKinds(ikRussian);
    d.AddThirteenPercent();
    Read();
    Pages({skRazdel1, skRazdel5, skRazdel6, skPrilA13});
    sums.List1.Line010 = Rub(1000);
    sums.List6.Entries.push_back({"18210102021011000110", "45286555000", "1", Rub(100)});
    Expect({"П000010001000:150001", "###"});
}

TEST_F(TextBlocks, SectionsOneToFiveWriteEachLineInItsFormat) {
    Read();
    Pages({skRazdel1, skRazdel2, skRazdel3, skRazdel4, skRazdel5});
    // Section s, line NNN: s00000 + NNN00 roubles and 0.5678 (kopecks cut, roubles rounded up).
    auto v = [](int section, int line) { return Rub(section * 100000 + line * 100 + 0.5678); };
    auto& l1 = sums.List1;
    l1.Line010 = v(1, 10), l1.Line020 = v(1, 20), l1.Line030 = v(1, 30), l1.Line040 = v(1, 40);
    l1.Line050 = v(1, 50), l1.Line060 = v(1, 60), l1.Line070 = v(1, 70), l1.Line080 = v(1, 80);
    l1.Line090 = v(1, 90), l1.Line100 = v(1, 100), l1.Line110 = v(1, 110);
    auto& l2 = sums.List2;
    l2.Line010 = v(2, 10), l2.Line020 = v(2, 20), l2.Line030 = v(2, 30), l2.Line040 = v(2, 40);
    l2.Line050 = v(2, 50), l2.Line060 = v(2, 60), l2.Line070 = v(2, 70), l2.Line080 = v(2, 80);
    l2.Line090 = v(2, 90), l2.Line100 = v(2, 100);
    auto& l3 = sums.List3;
    l3.Line010 = v(3, 10), l3.Line020 = v(3, 20), l3.Line030 = v(3, 30), l3.Line040 = v(3, 40);
    l3.Line050 = v(3, 50), l3.Line060 = v(3, 60), l3.Line070 = v(3, 70), l3.Line080 = v(3, 80);
    l3.Line090 = v(3, 90);
    auto& l4 = sums.List4;
    l4.Line010 = v(4, 10), l4.Line020 = v(4, 20), l4.Line030 = v(4, 30), l4.Line040 = v(4, 40);
    l4.Line050 = v(4, 50), l4.Line060 = v(4, 60), l4.Line070 = v(4, 70), l4.Line080 = v(4, 80);
    auto& l5 = sums.List5;
    l5.Line010 = Rub(2.5), l5.Line020 = Rub(2.4999), l5.Line030 = v(5, 30), l5.Line040 = Rub(1e12);
    Expect({
        "П000010001000:101000.56", "П000010002000:102000.56", "П000010003000:103000.56", "П000010004000:104000.56",
        "П000010005000:105000.56", "П000010006000:106001", "П000010007000:107001", "П000010008000:108001",
        "П000010009000:109001", "П000010010000:110001", "П000010011000:111001", "###",
        "П000020001000:201000.56", "П000020002000:202000.56", "П000020003000:203000.56", "П000020004000:204000.56",
        "П000020005000:205000.56", "П000020006000:206001", "П000020007000:207001", "П000020008000:208001",
        "П000020009000:209001", "П000020010000:210001", "###",
        "П000030001000:301000.56", "П000030002000:302000.56", "П000030003000:303000.56", "П000030004000:304001",
        "П000030005000:305001", "П000030006000:306001", "П000030007000:307001", "П000030008000:308001",
        "П000030009000:309001", "###",
        "П000040001000:401000.56", "П000040002000:402000.56", "П000040003000:403001", "П000040004000:404001",
        "П000040005000:405001", "П000040006000:406001", "П000040007000:407001", "П000040008000:408001", "###",
        // Whole roubles half up; a figure of 13 digits does not fit and is left empty.
        "П000050001000:3", "П000050002000:2", "П000050003000:503001", "П000050004000:", "###",
    });
}

TEST_F(TextBlocks, SectionSixWritesOneBlockPerEntry) {
    Read();
    Pages({skRazdel6});
    sums.List6.Entries = {
        {"18210102021011000110", "45286555000", "1", Rub(1500.50)},
        {"18210102010011000110", "45286560000", "2", Rub(2600)},
        {"18210102040011000110", "45000000000", "3", Rub(0)},
    };
    Expect({
        "П000060001000:1", "П000060002000:18210102021011000110", "П000060003000:45286555000",
        "П000060004000:1501", "П000060005000:0", "###",
        "П000060001000:2", "П000060002000:18210102010011000110", "П000060003000:45286560000",
        "П000060004000:0", "П000060005000:2600", "###",
        "П000060001000:", "П000060002000:18210102040011000110", "П000060003000:45000000000",
        "П000060004000:0", "П000060005000:0", "###",
    });
}

// ---------------------------------------------------------------------------------------------
// Sheet А

class TextBlocksSheetA : public TextBlocks {
protected:
    void Thirteen(const char* inn, const char* kpp, const char* okato, const char* name, double obl, double tax,
                  double held) {
        auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
        s.INN = inn, s.KPP = kpp, s.OKATO = okato, s.SourseName = name;
        s.Obl = Rub(obl), s.TaxIsch = Rub(tax), s.HoldSum = Rub(held);
    }
    static void Totals(kTSvodSumPrilA& a, double l080, double l090, double l100, double l110) {
        a.Line080 = Rub(l080), a.Line090 = Rub(l090), a.Line100 = Rub(l100), a.Line110 = Rub(l110);
    }
};

TEST_F(TextBlocksSheetA, RatesInOrderWithSourcesThatHaveIncome) {
    d.SetIncomeKinds(ikRussian);
    Thirteen("7701234567", "770101001", "45286555000", " ООО «Альфа», филиал ", 90000.129, 11700.5, 11699.49);
    Thirteen("7702000000", "770201001", "45286560000", "Без дохода", 0, 0, 0);
    Thirteen("7703000000", "", "", "ип петров", 5000, 650, 650);
    auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
    div.INN = "7704000000", div.KPP = "770401001", div.OKATO = "45000000001", div.SourseName = "АО Дивиденд";
    div.ItogIncomeSum = Rub(20000.999), div.Obl = Rub(20000), div.TaxIsch = Rub(1800), div.HoldSum = Rub(1799.5);
    auto& prize = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    prize.INN = "7705000000", prize.KPP = "770501001", prize.OKATO = "45000000002", prize.SourseName = "Банк";
    prize.ItogIncomeSum = Rub(4000.01), prize.HoldSum = Rub(1400);
    Read();
    Sources(sums.PrilA6, log->Dohody->ThirtyList.Items, {20000.999});
    Sources(sums.PrilA13, log->Dohody->ThirteenList.Items, {100000.999, 0, 5000});
    Sources(sums.PrilA35, log->Dohody->ThirtyFiveList.Items, {4000.01});
    Pages({skPrilA35, skPrilA13, skPrilA9}); // written in rate order whatever the pages
    Totals(sums.PrilA6, 20000.999, 20000, 1800, 1799.5);
    Totals(sums.PrilA13, 105000.999, 95000.129, 12350.5, 12349.49);
    Totals(sums.PrilA30, 1, 2, 3, 4);
    Totals(sums.PrilA35, 4000.01, 4000.01, 1400.0035, 1400);
    Expect({
        "П000070000100:9", "###",
        "П000070001000:7704000000", "П000070002000:770401001", "П000070002100:45000000001",
        "П000070003000:АО Дивиденд", "П000070004000:20000.99", "П000070005000:20000.00", "П000070006000:1800",
        "П000070007000:1800", "###",
        "П000070008000:20000.99", "П000070009000:20000.00", "П000070010000:1800", "П000070011000:1800", "###",

        "П000070000100:13", "###",
        "П000070001000:7701234567", "П000070002000:770101001", "П000070002100:45286555000",
        "П000070003000: ООО «Альфа», филиал ", "П000070004000:100000.99", "П000070005000:90000.12",
        "П000070006000:11701", "П000070007000:11699", "###",
        "П000070001000:7703000000", "П000070002000:", "П000070002100:", "П000070003000:ип петров",
        "П000070004000:5000.00", "П000070005000:5000.00", "П000070006000:650", "П000070007000:650", "###",
        "П000070008000:105000.99", "П000070009000:95000.12", "П000070010000:12351", "П000070011000:12349", "###",

        "П000070000100:35", "###",
        "П000070001000:7705000000", "П000070002000:770501001", "П000070002100:45000000002", "П000070003000:Банк",
        "П000070004000:4000.01", "П000070005000:4000.01", "П000070006000:1400", "П000070007000:1400", "###",
        "П000070008000:4000.01", "П000070009000:4000.01", "П000070010000:1400", "П000070011000:1400", "###",
    });
}

TEST_F(TextBlocksSheetA, NonResidentWritesTheThirteenPercentSourcesUnderThirty) {
    d.DeclarationKind = 1;
    d.SetIncomeKinds(ikRussian);
    Thirteen("7701234567", "770101001", "45286555000", "Альфа", 9000, 2700, 2700);
    Read();
    Sources(sums.PrilA30, log->Dohody->ThirteenList.Items, {10000});
    Pages({skPrilA30});
    Totals(sums.PrilA13, 1, 2, 3, 4);
    Totals(sums.PrilA30, 10000, 9000, 2700, 2700);
    Expect({
        "П000070000100:30", "###",
        "П000070001000:7701234567", "П000070002000:770101001", "П000070002100:45286555000",
        "П000070003000:Альфа", "П000070004000:10000.00", "П000070005000:9000.00", "П000070006000:2700",
        "П000070007000:2700", "###",
        "П000070008000:10000.00", "П000070009000:9000.00", "П000070010000:2700", "П000070011000:2700", "###",
    });
}

TEST_F(TextBlocksSheetA, OnlySourcesWithoutIncomeLeaveKindLineAndTotals) {
    d.SetIncomeKinds(ikRussian);
    Thirteen("7701234567", "", "", "Альфа", 0, 0, 100);
    Thirteen("7702000000", "", "", "Бета", 0, 0, 0);
    Read();
    Sources(sums.PrilA13, log->Dohody->ThirteenList.Items, {0, 0});
    Pages({skPrilA13});
    Totals(sums.PrilA13, 0, 0, 0, 100);
    Expect({"П000070000100:13", "###", "П000070008000:0.00", "П000070009000:0.00", "П000070010000:0",
            "П000070011000:100", "###"});
}

// ---------------------------------------------------------------------------------------------
// Sheet Б

mTCurrencyIncome& Foreign(mTDeclaration& d, std::int32_t rate, double rub) {
    auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.Stav = rate;
    c.IncomeCode = 2000;
    c.IncomeRoubleSum = Rub(rub);
    return c;
}

TEST_F(TextBlocks, SheetBWritesRatesNineThirteenThirtyFiveWithTheirIncomes) {
    d.SetIncomeKinds(ikForeign);
    auto& usd = Foreign(d, 13, 25603.85); // 13 % of it: 3328.5005
    usd.CountryCode = "840", usd.SourseName = "Acme, Inc.", usd.CurrencyName = "Доллар США", usd.CurrencyCode = "840";
    usd.IncomeDate = EncodeDate(2005, 3, 15), usd.TaxDate = EncodeDate(2005, 4, 1);
    usd.Rate1 = Rub(25.6), usd.Units1 = 1, usd.Rate2 = Rub(25.6), usd.Units2 = 1;
    usd.IncomeCurrencySum = Rub(1000.1299), usd.TaxCurrencySum = Rub(100), usd.TaxRoubleSum = Rub(2560);
    Foreign(d, 13, 0).SourseName = "Без дохода";
    auto& yen = Foreign(d, 9, 3125);
    yen.CountryCode = "392", yen.SourseName = "Tokyo Ltd", yen.CurrencyName = "Иена", yen.CurrencyCode = "392";
    yen.IncomeDate = EncodeDate(2005, 12, 31), yen.TaxDate = EncodeDate(2005, 1, 2);
    yen.Rate1 = Rub(312.5), yen.Units1 = 10, yen.Rate2 = Rub(300), yen.Units2 = 10;
    yen.IncomeCurrencySum = Rub(10000), yen.TaxCurrencySum = Rub(10), yen.TaxRoubleSum = Rub(100);
    Foreign(d, 30, 5000).SourseName = "Ставка 30";
    Foreign(d, 35, 7000).SourseName = "Ставка 35";
    Read();
    Pages({skPrilB13, skPrilB9});
    sums.PrilB9 = {Rub(3125), Rub(100), Rub(281), Rub(100)};
    sums.PrilB13 = {Rub(25603.85), Rub(2560), Rub(3329), Rub(2560)};
    sums.PrilB35 = {Rub(7000), Rub(0), Rub(2450), Rub(0)};
    Expect({
        "П000080000100:9", "###",
        "П000080001000:392", "П000080002000:Tokyo Ltd", "П000080003000:Иена", "П000080004000:392",
        "П000080005000:31.12.2005", "П000080006000:31.25", "П000080007000:10000.00", "П000080008000:3125.00",
        "П000080009000:02.01.2005", "П000080010000:30", "П000080011000:10.00", "П000080012000:100.00",
        "П000080013000:281", "П000080014000:100", "###",
        "П000080015000:3125.00", "П000080016000:100.00", "П000080017000:281", "П000080018000:100", "###",

        "П000080000100:13", "###",
        "П000080001000:840", "П000080002000:Acme, Inc.", "П000080003000:Доллар США", "П000080004000:840",
        "П000080005000:15.03.2005", "П000080006000:25.6", "П000080007000:1000.12", "П000080008000:25603.85",
        "П000080009000:01.04.2005", "П000080010000:25.6", "П000080011000:100.00", "П000080012000:2560.00",
        "П000080013000:3329", "П000080014000:2560", "###",
        "П000080015000:25603.85", "П000080016000:2560.00", "П000080017000:3329", "П000080018000:2560", "###",
    });
}

TEST_F(TextBlocks, SheetBNeedsIncomesAndThePagesOfTheRate) {
    {
        SCOPED_TRACE("incomes at a rate without pages");
        d.SetIncomeKinds(ikForeign);
        Foreign(d, 30, 5000);
        Read();
        Expect({});
    }
    {
        SCOPED_TRACE("pages without incomes");
        mTDeclaration empty;
        empty.SetIncomeKinds(ikForeign);
        log = reporttest::Read(empty);
        Pages({skPrilB9, skPrilB13, skPrilB35});
        sums.PrilB13.Line150 = Rub(100);
        Expect({});
    }
}

// ---------------------------------------------------------------------------------------------
// Sheet В

TEST_F(TextBlocks, SheetVWritesEachActivityAndTheTotals) {
    d.SetIncomeKinds(ikBusiness);
    auto& shop = d.GetBusinessIncome(d.AddBusinessIncome());
    shop.ActivityName = "Розничная торговля, опт";
    shop.ActivityCode = "52.11.1";
    shop.SetIncomeByMonth(0);
    shop.SetPeriodIncome(Rub(500000.555));
    shop.SetExpenseByMonth(0);
    const mTBusinessExpense spent{Rub(100000.111), Rub(20000), Rub(30000), Rub(5000.5)};
    shop.SetPeriodExpense(&spent);
    shop.ResultExpense = Rub(155000.611);
    auto& lawyer = d.GetBusinessIncome(d.AddBusinessIncome());
    lawyer.ActivityName = "Адвокат";
    lawyer.SetIncomeByMonth(0);
    lawyer.SetPeriodIncome(Rub(100000));
    lawyer.SetConfirmedExpenses(0);
    lawyer.ResultExpense = Rub(20000);
    Read();
    Pages({skPrilV});
    sums.PrilV.Line110 = Rub(600000.555), sums.PrilV.Line120 = Rub(175000.611);
    sums.PrilV.Line130 = Rub(1000), sums.PrilV.Line140 = Rub(900.5);
    Expect({
        // Documented expenses: line 050 the expenses, line 100 "0.00".
        "П000090001000:Розничная торговля, опт", "П000090002000:111322", "П000090003000:111111111111",
        "П000090004000:500000.55", "П000090005000:155000.61", "П000090006000:100000.11", "П000090007000:20000.00",
        "П000090008000:30000.00", "П000090009000:5000.50", "П000090010000:0.00", "###",
        // The norm: line 050 "0", line 100 the norm amount.
        "П000090001000:Адвокат", "П000090002000:111322", "П000090003000:111111111111", "П000090004000:100000.00",
        "П000090005000:0", "П000090006000:0.00", "П000090007000:0.00", "П000090008000:0.00", "П000090009000:0.00",
        "П000090010000:20000.00", "###",
        "П000090011000:600000.55", "П000090012000:175000.61", "П000090013000:1000.00", "П000090014000:900.50", "###",
    });
}

TEST_F(TextBlocks, SheetVMonthTextMarksTheMonthsOfActivity) {
    d.SetIncomeKinds(ikBusiness);
    d.AddBusinessIncome();
    Read();
    Pages({skPrilV});
    const struct {
        std::uint16_t months;
        const char* text;
    } cases[] = {
        {0, "111111111111"},
        {0b101, "101000000000"},       // January and March
        {0b100000000000, "000000000001"}, // December
        {0x0FFF, "111111111111"},
    };
    for (const auto& c : cases) {
        log->Dohody->PredprinimDeyatList.MonthSet = c.months;
        const Lines lines = Write();
        ASSERT_GT(lines.size(), 2u);
        EXPECT_EQ(lines[2], std::string("П000090003000:") + c.text) << c.months;
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets Г, Д, Е

TEST_F(TextBlocks, SheetGWritesFiguresPrizesWithIncomeAndLine170) {
    Read();
    Pages({skPrilM});
    auto& m = sums.PrilM;
    auto v = [](int line) { return Rub(line * 100 + 0.129); };
    m.Line010 = v(10), m.Line020 = v(20), m.Line030 = v(30), m.Line040 = v(40), m.Line050 = v(50);
    m.Line060 = v(60), m.Line070 = v(70), m.Line080 = v(80), m.Line090 = v(90), m.Line100 = v(100);
    m.Line110 = v(110), m.Line120 = v(120), m.Line130 = v(130), m.Line170 = Rub(4000);
    m.Prizes = {{"7705000000", "770501001", "Лотерея, ООО", Rub(10000.999), Rub(4000)},
                {"7706000000", "", "Возврат", Rub(-5), Rub(0)},
                {"", "", "", Rub(0), Rub(0)}}; // the padding entry
    m.PrizeCount = 3;
    Expect({
        "П000100001000:1000.12", "П000100002000:2000.12", "П000100003000:3000.12", "П000100004000:4000.12",
        "П000100005000:5000.12", "П000100006000:6000.12", "П000100007000:7000.12", "П000100008000:8000.12",
        "П000100009000:9000.12", "П000100010000:10000.12", "П000100011000:11000.12", "П000100012000:12000.12",
        "П000100013000:13000.12", "###",
        "П000100014000:Лотерея, ООО", "П000100014500:7705000000", "П000100014600:770501001",
        "П000100015000:10000.99", "П000100016000:4000.00", "###",
        "П000100017000:4000.00", "###",
    });
}

TEST_F(TextBlocks, SheetDWritesFeesWithExpensesForRussiaThenAbroad) {
    Read();
    Pages({skPrilG_In, skPrilG});
    sums.PrilG.Records = {
        {"7706000000", "770601001", "Издательство", "2201", "Литературные произведения", Rub(50000.555), "",
         "405", "20", Rub(10000.111), ""},
        {"7707000000", "770701001", "Без расходов", "2202", "Музыка", Rub(7000), "", "405", "25", Rub(0), ""},
    };
    sums.PrilG.Line100 = Rub(57000.555), sums.PrilG.Line110 = Rub(10000.111);
    sums.PrilG_In.Records = {
        {"", "", "Foreign Press", "2209", "Другие", Rub(3000.5), "", "405", "0", Rub(600.1), ""},
    };
    sums.PrilG_In.Line100 = Rub(3000.5), sums.PrilG_In.Line110 = Rub(600.1);
    Expect({
        "П000110000100:1", "###",
        "П000110001000:7706000000", "П000110002000:770601001", "П000110003000:Издательство",
        "П000110004000:2201", "П000110005000:Литературные произведения", "П000110006000:50000.55",
        "П000110007000:405", "П000110008000:20", "П000110009000:10000.11", "###",
        "П000110010000:57000.55", "П000110011000:10000.11", "###",
        "П000110000100:2", "###",
        "П000110001000:", "П000110002000:", "П000110003000:Foreign Press", "П000110004000:2209",
        "П000110005000:Другие", "П000110006000:3000.50", "П000110007000:405", "П000110008000:0",
        "П000110009000:600.10", "###",
        "П000110010000:3000.50", "П000110011000:600.10", "###",
    });
}

TEST_F(TextBlocks, SheetEWritesContractsWithExpenses) {
    Read();
    Pages({skPrilD});
    sums.PrilD.Records = {
        {"7708000000", "770801001", "Заказчик", Rub(30000), "", Rub(5000.755), ""},
        {"7709000000", "770901001", "Без расходов", Rub(1000), "", Rub(0), ""},
    };
    sums.PrilD.Line060 = Rub(31000), sums.PrilD.Line070 = Rub(5000.755);
    Expect({
        "П000120000100:1", "###",
        "П000120001000:7708000000", "П000120002000:770801001", "П000120003000:Заказчик",
        "П000120004000:30000.00", "П000120005000:5000.75", "###",
        "П000120006000:31000.00", "П000120007000:5000.75", "###",
    });
}

// ---------------------------------------------------------------------------------------------
// Sheet Ж

TEST_F(TextBlocks, SheetHWritesEachPartWhoseTotalIsAboveZero) {
    Read();
    Pages({skPrilH});
    auto& h = sums.PrilH;
    for (int i = 0; i < 22; ++i) h.*reporttest::kSheetHLines[i] = Rub(10 * (i + 1) + 0.5); // line NNN: NNN.50
    const Lines property = {
        "П000130001000:10.50", "П000130002000:20.50", "П000130003000:30.50", "П000130004000:40.50",
        "П000130005000:50.50", "П000130006000:60.50", "П000130007000:70.50", "П000130008000:80.50",
        "П000130009000:90.50", "П000130010000:100.50", "П000130011000:110.50", "П000130012000:120.50",
        "П000130013000:130.50", "П000130014000:140.50", "П000130015000:150.50", "П000130016000:160.50",
        "П000130017000:170.50", "###"};
    const Lines securities = {"П000130018000:180.50", "П000130019000:190.50", "П000130020000:200.50",
                              "П000130021000:210.50", "П000130022000:220.50", "###"};
    const struct {
        const char* name;
        double line170, line220;
        Lines expected;
    } cases[] = {
        {"both parts", 170.5, 220.5, Concat({property, securities})},
        {"securities only", 0, 220.5, securities},
        {"property only", 170.5, 0, property},
        {"nothing above zero", -1, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.Line170 = Rub(c.line170);
        h.Line220 = Rub(c.line220);
        Expect(c.expected);
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets З and И

CBDoh Block(const char* inn, const char* name, double sale, double expense) {
    const Currency s = Rub(sale), e = Rub(expense);
    return {inn, inn[0] ? "770101001" : "", name, s, s > e ? s - e : Currency(), e > s ? e - s : Currency(), e};
}

void Figures(kTSvodSumPrilJK& s, double base) {
    for (int k = 0; k < 5; ++k) s.Taxable[k] = Rub(base + 10 + k + 1);       // Taxable1..5: base + 11..15
    s.Loss1 = Rub(base + 21);
    for (int k = 0; k < 4; ++k) s.LossRest[k] = Rub(base + 22 + k);          // Loss2..5: base + 22..25
    s.IncomeTotal = Rub(base + 31), s.TaxableTotal = Rub(base + 32), s.ExpenseTotal = Rub(base + 33);
}

class TextBlocksSecurities : public TextBlocks {
protected:
    void SetUp() override {
        Read();
        Figures(sums.PrilJ, 1000);
        Figures(sums.PrilK, 2000);
        auto& k = sums.PrilK;
        k.Carry1 = Rub(2041), k.Carry3 = Rub(2043), k.Carry4 = Rub(2044), k.Carry5 = Rub(2045);
        k.Accepted2 = Rub(2052);
    }
    // Kinds 1..5 each with blocks; kind 1 with two.
    static void AllKinds(kTSvodSumPrilJK& s) {
        s.Sources[0] = {Block("7701000000", "Брокер А", 100000, 120000.559), Block("", "Foreign, Ltd", 30000, 20000)};
        s.Sources[1] = {Block("7702000000", "Брокер Б", 5000, 1000)};
        s.Sources[2] = {Block("7703000000", "Брокер В", 6000, 7000)};
        s.Sources[3] = {Block("7704000000", "Фьючерсы", 8000, 9000)}; // kind 4: its loss is not written
        s.Sources[4] = {Block("7705000000", "ПИФ", 4000, 3000)};
    }
};

TEST_F(TextBlocksSecurities, SheetZWritesKindsOneTwoThreeFiveFour) {
    Pages({skPrilJ});
    AllKinds(sums.PrilJ);
    Expect({
        "П000140000100:1", "###",
        "П000140001000:7701000000", "П000140002000:770101001", "П000140003000:Брокер А",
        "П000140004000:100000.00", "П000140005000:120000.55", "П000140006000:20000.55", "###",
        "П000140001000:", "П000140002000:", "П000140003000:Foreign, Ltd", "П000140004000:30000.00",
        "П000140005000:20000.00", "П000140006000:0.00", "###",
        // Kind 1: the carry of sheet И, Taxable1, Loss1.
        "П000140007000:2041.00", "П000140008000:1011.00", "П000140009000:1021.00", "###",
        "П000140010000:7702000000", "П000140011000:770101001", "П000140012000:Брокер Б",
        "П000140013000:5000.00", "П000140014000:1000.00", "П000140015000:0.00", "###",
        // Kind 2: Loss2, Taxable2.
        "П000140016000:1022.00", "П000140017000:1012.00", "###",
        "П000140018000:7703000000", "П000140019000:770101001", "П000140020000:Брокер В",
        "П000140021000:6000.00", "П000140022000:7000.00", "П000140023000:1000.00", "###",
        "П000140024000:2043.00", "П000140025000:1013.00", "###",
        "П000140026000:7705000000", "П000140027000:770101001", "П000140028000:ПИФ",
        "П000140029000:4000.00", "П000140030000:3000.00", "П000140031000:0.00", "###",
        "П000140032000:2045.00", "П000140033000:1015.00", "###",
        "П000140034000:7704000000", "П000140035000:770101001", "П000140036000:Фьючерсы",
        "П000140037000:8000.00", "П000140038000:9000.00", "###",
        "П000140039000:2044.00", "П000140040000:1014.00", "###",
        "П000140041000:1031.00", "П000140042000:1032.00", "П000140043000:1033.00", "###",
    });
}

TEST_F(TextBlocksSecurities, SheetZKindWithoutBlocksWritesNotEvenItsFigures) {
    Pages({skPrilJ});
    sums.PrilJ.Sources[2] = {Block("7703000000", "Брокер В", 6000, 7000)};
    Expect({
        "П000140000100:1", "###",
        "П000140018000:7703000000", "П000140019000:770101001", "П000140020000:Брокер В",
        "П000140021000:6000.00", "П000140022000:7000.00", "П000140023000:1000.00", "###",
        "П000140024000:2043.00", "П000140025000:1013.00", "###",
        "П000140041000:1031.00", "П000140042000:1032.00", "П000140043000:1033.00", "###",
    });
}

TEST_F(TextBlocksSecurities, SheetIWritesKindsOneTwoThreeFiveFour) {
    Pages({skPrilK});
    AllKinds(sums.PrilK);
    Expect({
        "П000150000100:1", "###",
        "П000150001000:7701000000", "П000150002000:770101001", "П000150003000:Брокер А",
        "П000150004000:100000.00", "П000150005000:120000.55", "П000150006000:20000.55", "###",
        "П000150001000:", "П000150002000:", "П000150003000:Foreign, Ltd", "П000150004000:30000.00",
        "П000150005000:20000.00", "П000150006000:0.00", "###",
        // Kind 1: Taxable1, then the carry (not Loss1).
        "П000150007000:2011.00", "П000150008000:2041.00", "###",
        "П000150009000:7702000000", "П000150010000:770101001", "П000150011000:Брокер Б",
        "П000150012000:5000.00", "П000150013000:1000.00", "П000150014000:0.00", "###",
        "П000150015000:2052.00", "П000150016000:2012.00", "###",
        "П000150017000:7703000000", "П000150018000:770101001", "П000150019000:Брокер В",
        "П000150020000:6000.00", "П000150021000:7000.00", "П000150022000:1000.00", "###",
        "П000150023000:2013.00", "П000150024000:2043.00", "###",
        "П000150025000:7705000000", "П000150026000:770101001", "П000150027000:ПИФ",
        "П000150028000:4000.00", "П000150029000:3000.00", "П000150030000:0.00", "###",
        "П000150031000:2015.00", "П000150032000:2045.00", "###",
        "П000150033000:7704000000", "П000150034000:770101001", "П000150035000:Фьючерсы",
        "П000150036000:8000.00", "П000150037000:9000.00", "###",
        "П000150038000:2014.00", "П000150039000:2044.00", "###",
        "П000150040000:2031.00", "П000150041000:2032.00", "П000150042000:2033.00", "###",
    });
}

TEST_F(TextBlocksSecurities, SheetIWithoutBlocksWritesKindLineAndTotals) {
    Pages({skPrilK});
    Expect({"П000150000100:1", "###", "П000150040000:2031.00", "П000150041000:2032.00", "П000150042000:2033.00",
            "###"});
}

// ---------------------------------------------------------------------------------------------
// Sheets К and Л

TEST_F(TextBlocks, SheetKWritesThePartsOfTheDeductionsGranted) {
    auto& e = sums.PrilE;
    for (int m = 0; m < 12; ++m) e.CumIncome[m] = Rub(1000 * (m + 1) + 0.999);
    e.Months130 = 3, e.Months140 = 12;
    e.Line150 = Rub(400.5), e.Line160 = Rub(1200), e.Line170 = Rub(0.4999), e.Line180 = Rub(600);
    e.Line190 = Rub(2400.5), e.Line200 = Rub(3000), e.Line210 = Rub(7601.5), e.Line220 = Rub(12000.999);
    e.Line230 = Rub(100.1), e.Line240 = Rub(200.2), e.Line250 = Rub(300.3), e.Line260 = Rub(400.4);
    e.Line270 = Rub(500.5), e.Line280 = Rub(1501.599);
    const Lines standard = {
        "П000160001000:1000.99", "П000160002000:2000.99", "П000160003000:3000.99", "П000160004000:4000.99",
        "П000160005000:5000.99", "П000160006000:6000.99", "П000160007000:7000.99", "П000160008000:8000.99",
        "П000160009000:9000.99", "П000160010000:10000.99", "П000160011000:11000.99", "П000160012000:12000.99",
        "П000160013000:3", "П000160014000:12", "П000160015000:401", "П000160016000:1200", "П000160017000:0",
        "П000160018000:600", "П000160019000:2401", "П000160020000:3000", "П000160021000:7602",
        "П000160022000:12000.99", "###"};
    const Lines social = {"П000160023000:100.10", "П000160024000:200.20", "П000160025000:300.30",
                          "П000160026000:400.40", "П000160027000:500.50", "П000160028000:1501.59", "###"};
    const struct {
        const char* name;
        bool standard, social;
        Lines expected;
    } cases[] = {
        {"standard", true, false, standard},
        {"social", false, true, social},
        {"both", true, true, Concat({standard, social})},
        {"neither", false, false, {}},
    };
    d.SetIncomeKinds(ikRussian);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.StandartDeduct.Granting = c.standard;
        d.SocialDeduct.Granting = c.social;
        Read();
        Pages({skPrilE});
        Expect(c.expected);
    }
}

class TextBlocksSheetL : public TextBlocks {
protected:
    void SetUp() override {
        d.SetIncomeKinds(ikRussian);
        auto& c = d.ConstructionDeduct;
        c.Granting = 1;
        c.ObjectName = "Квартира, 2 комнаты";
        c.PostIndex = "123456", c.RegionCode = "77", c.RegionName = "Москва";
        c.District = " ", c.City = "москва", c.Settlement = "", c.Street = "ул. Ленина ", c.House = "10, стр. 1";
        c.Building = "", c.Flat = "15";
        c.PurchaseDate = EncodeDate(2003, 12, 20);
        c.RegistrationDate = EncodeDate(2004, 2, 10);
        c.StartDate = EncodeDate(2004, 1, 1);
        c.Share = Currency::FromRaw(3334);
    }
};

TEST_F(TextBlocksSheetL, WritesTheObjectAndTheFigures) {
    Read();
    Pages({skPrilZ});
    auto& z = sums.PrilZ;
    Currency kTSvodSumPrilZ::*fields[] = {
        &kTSvodSumPrilZ::Line080, &kTSvodSumPrilZ::Line090, &kTSvodSumPrilZ::Line100, &kTSvodSumPrilZ::Line110,
        &kTSvodSumPrilZ::Line120, &kTSvodSumPrilZ::Line130, &kTSvodSumPrilZ::Line140, &kTSvodSumPrilZ::Line150,
        &kTSvodSumPrilZ::Line160, &kTSvodSumPrilZ::Line170, &kTSvodSumPrilZ::Line180, &kTSvodSumPrilZ::Line190,
        &kTSvodSumPrilZ::Line200, &kTSvodSumPrilZ::Line210, &kTSvodSumPrilZ::Line220, &kTSvodSumPrilZ::Line230,
        &kTSvodSumPrilZ::Line240};
    for (int i = 0; i < 17; ++i) z.*fields[i] = Rub(1000 * (i + 8) + 0.259); // line NNN: NNN00.25
    z.Share = 0.9L; // the sums' copy; the model record's share is written
    Expect({
        "П000170001000:Квартира, 2 комнаты",
        "П000170002000:643,123456,77,,МОСКВА,,УЛ. ЛЕНИНА,10  СТР. 1,,15",
        "П000170003000:20.12.2003", "П000170004000:10.02.2004", "П000170005000:0.3333", "П000170006000:2004",
        "П000170007000:2005",
        "П000170008000:8000.25", "П000170009000:9000.25", "П000170010000:10000.25", "П000170011000:11000.25",
        "П000170012000:12000.25", "П000170013000:13000.25", "П000170014000:14000.25", "П000170015000:15000.25",
        "П000170016000:16000.25", "П000170017000:17000.25", "П000170018000:18000.25", "П000170019000:19000.25",
        "П000170020000:20000.25", "П000170021000:21000.25", "П000170022000:22000.25", "П000170023000:23000.25",
        "П000170024000:24000.25", "###",
    });
}

TEST_F(TextBlocksSheetL, ShareToFourDecimalsInShortestForm) {
    const struct {
        long double share;
        const char* text;
    } cases[] = {
        {0.33333333L, "0.3333"}, {0.66666667L, "0.6667"}, {0.5L, "0.5"},       {1.0L, "1"},
        {0.25L, "0.25"},         {0.99996L, "1"},         {0.12345678L, "0.1235"}, {0.0001L, "0.0001"},
        {0.00125L, "0.0012"}, // an exact half goes to the even digit
        {0.00135L, "0.0014"},
    };
    Read();
    Pages({skPrilZ});
    for (const auto& c : cases) {
        log->Vychety->StroitVych.Share = c.share;
        const Lines lines = Write();
        ASSERT_GT(lines.size(), 4u);
        EXPECT_EQ(lines[4], std::string("П000170005000:") + c.text) << static_cast<double>(c.share);
    }
}

TEST_F(TextBlocksSheetL, ShareAsStoredByTheMainProgram) {
    const struct {
        std::int64_t raw;
        const char* text;
    } cases[] = {{3334, "0.3333"}, {6667, "0.6667"}, {6666, "0.6667"}, {5000, "0.5"}, {10000, "1"}};
    for (const auto& c : cases) {
        d.ConstructionDeduct.Share = Currency::FromRaw(c.raw);
        Read();
        Pages({skPrilZ});
        const Lines lines = Write();
        ASSERT_GT(lines.size(), 4u);
        EXPECT_EQ(lines[4], std::string("П000170005000:") + c.text) << c.raw;
    }
}

// ---------------------------------------------------------------------------------------------
// Conditions and order

TEST_F(TextBlocks, PresentSheetsWithoutTheirDataWriteNothing) {
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    d.SocialDeduct.Granting = 0;
    d.ConstructionDeduct.Granting = 0;
    Read();
    // Sheet Б needs incomes in foreign currency, Ж a total above zero, К and Л a deduction granted.
    Pages({skPrilB13, skPrilH, skPrilE, skPrilZ});
    sums.PrilB13.Line150 = Rub(1);
    sums.PrilE.Line220 = Rub(1), sums.PrilE.Line280 = Rub(1);
    sums.PrilZ.Line080 = Rub(1);
    Expect({});
}

TEST_F(TextBlocks, AbsentSheetsWriteNothing) {
    d.SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    d.GetThirteenPercent(d.AddThirteenPercent()).SourseName = "Альфа";
    Foreign(d, 13, 1000);
    d.AddBusinessIncome();
    d.SocialDeduct.Granting = 1;
    d.ConstructionDeduct.Granting = 1;
    Read();
    Sources(sums.PrilA13, log->Dohody->ThirteenList.Items, {1000});
    sums.List1.Line010 = Rub(1);
    sums.List6.Entries.push_back({"18210102021011000110", "45286555000", "1", Rub(100)});
    sums.PrilH.Line170 = Rub(1);
    sums.PrilJ.Sources[0] = {Block("7701000000", "Брокер", 1, 0)};
    Expect({});
}

TEST_F(TextBlocks, EachSheetFollowsItsOwnPageCount) {
    d.SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    Foreign(d, 9, 100);
    d.GetBusinessIncome(d.AddBusinessIncome()).ActivityName = "Торговля";
    d.ConstructionDeduct.Granting = 1;
    d.ConstructionDeduct.ObjectName = "Дом";
    Read();
    sums.List6.Entries.push_back({"18210102021011000110", "45286555000", "3", Rub(0)});
    sums.PrilH.Line170 = Rub(1);
    const struct {
        TSheetKind kind;
        const char* first; // the first line written
    } cases[] = {
        {skRazdel1, "П000010001000:0.00"}, {skRazdel2, "П000020001000:0.00"}, {skRazdel3, "П000030001000:0.00"},
        {skRazdel4, "П000040001000:0.00"}, {skRazdel5, "П000050001000:0"},   {skRazdel6, "П000060001000:"},
        {skPrilA9, "П000070000100:9"},     {skPrilA13, "П000070000100:13"},  {skPrilA30, "П000070000100:30"},
        {skPrilA35, "П000070000100:35"},   {skPrilB9, "П000080000100:9"},    {skPrilB13, "П000080000100:13"},
        {skPrilB35, "П000080000100:35"},   {skPrilV, "П000090001000:Торговля"}, {skPrilM, "П000100001000:0.00"},
        {skPrilG, "П000110000100:1"},      {skPrilG_In, "П000110000100:2"},  {skPrilD, "П000120000100:1"},
        {skPrilH, "П000130001000:0.00"},   {skPrilJ, "П000140000100:1"},     {skPrilK, "П000150000100:1"},
        {skPrilE, "П000160001000:0.00"},   {skPrilZ, "П000170001000:Дом"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        plan.SheetPageCount.fill(0);
        plan.SheetPageCount[c.kind] = 1;
        const Lines lines = Write();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.first);
        // Nothing of another section or sheet.
        for (const std::string& l : lines) {
            if (l == "###") continue;
            EXPECT_EQ(l.substr(0, 7), lines.front().substr(0, 7)) << l;
        }
    }
}

TEST_F(TextBlocks, BlocksFollowTheOrderOfThePrintedDeclaration) {
    d.SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    Foreign(d, 9, 100);
    d.AddBusinessIncome();
    d.ConstructionDeduct.Granting = 1; // the standard deduction is granted by default
    Read();
    for (int k = skRazdel1; k <= skPrilZ; ++k) plan.SheetPageCount[k] = 1;
    sums.List6.Entries.push_back({"18210102021011000110", "45286555000", "3", Rub(0)});
    sums.PrilH.Line170 = Rub(1);

    // The section codes in the order of their first line, and the kind lines in file order.
    std::vector<std::string> codes, kinds;
    for (const std::string& l : Write()) {
        if (l == "###") continue;
        const std::size_t key = std::string("П").size();
        const std::string code = l.substr(key, 5);
        if (codes.empty() || codes.back() != code) codes.push_back(code);
        if (l.substr(key + 5, 5) == "00001") kinds.push_back(l);
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"00001", "00002", "00003", "00004", "00005", "00006", "00007", "00008",
                                               "00009", "00010", "00011", "00012", "00013", "00014", "00015", "00016",
                                               "00017"}));
    EXPECT_EQ(Joined(kinds), Joined({"П000070000100:9", "П000070000100:13", "П000070000100:30", "П000070000100:35",
                                     "П000080000100:9", "П000080000100:13", "П000080000100:35", "П000110000100:1",
                                     "П000110000100:2", "П000120000100:1", "П000140000100:1", "П000150000100:1"}));
}

} // namespace
