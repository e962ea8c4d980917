#include "../SampleDecl.h"
#include "ReportTestUtil.h"
#include "platform/Codec.h"
#include "reportcore/ClassesLogDan.h"
#include "storage/StgClasses.h"

#include <gtest/gtest.h>

using reporttest::Read;
using reporttest::Rub;

TEST(ReportRounding, RoundHalfUp) {
    const std::pair<double, std::int64_t> cases[] = {{0.5, 1},  {1.4999, 1}, {16.0485, 16}, {6.5, 7},
                                                     {0, 0},    {-0.5, 0},   {-2.5, -2},    {-2.7, -2},
                                                     {2.4999, 2}};
    for (auto [x, r] : cases) EXPECT_EQ(RoundHalfUp(x), r) << x;
    // Products formed in extended precision, handed over as doubles.
    EXPECT_EQ(RoundedTax(Rub(50), 0.13L), Currency::FromInt(7));
    EXPECT_EQ(RoundedTax(Rub(116800), 0.13L), Currency::FromInt(15184));
}

// The one whole-rouble rule of the pages and the text file: a tie goes up whatever the parity, a
// negative amount goes toward zero; the text file writes exactly the figure the pages print.
TEST(ReportRounding, WholeRoublesOfPagesAndTextFile) {
    const std::pair<double, std::int64_t> cases[] = {
        {15598.50, 15599}, {15597.50, 15598}, {15598.49, 15598}, {15598.4999, 15598}, {15598.5001, 15599},
        {2.5, 3},          {3.5, 4},          {0.5, 1},          {0.4999, 0},         {0, 0},
        {-0.5, 0},         {-2.5, -2},        {-2.7, -2},        {-1500.5, -1500}};
    for (auto [amount, roubles] : cases) {
        EXPECT_EQ(RoundHalfUpRoubles(Rub(amount)), roubles) << amount;
        EXPECT_EQ(FormatTaxAmount(false, Rub(amount)), std::to_string(roubles)) << amount;
    }
}

TEST(ReportRounding, Formatters) {
    struct Cell {
        bool kop;
        int width;
        double amount;
        const char* text;
    } cells[] = {{true, 10, 1234.56, "    123456"}, {false, 10, 1234.99, "      1234"}, {true, 10, 0.05, "       005"},
                 {true, 8, 0, "        "},        {false, 3, 123456, "123456"},     {true, 6, 7.5, "   750"},
                 {true, 6, 0.2567, "   025"}};
    for (const auto& c : cells) EXPECT_EQ(FormatSumCell(c.kop, c.width, Rub(c.amount)), c.text) << c.amount;
    struct Tax {
        bool kop;
        Currency amount;
        const char* text;
    } taxes[] = {{true, Rub(1234.5678), "1234.56"},
                 {true, Currency(), "0.00"},
                 {true, Rub(7.1), "7.10"},
                 {true, Currency::FromRaw(9999999999999999), "999999999999.99"},
                 {true, Currency::FromInt(1000000000000), ""},
                 {false, Rub(1234.5), "1235"},
                 {false, Rub(2.4999), "2"},
                 {false, Currency::FromInt(1000000000000), ""},
                 {true, Rub(-12.5), "-12.50"}};
    for (const auto& t : taxes) EXPECT_EQ(FormatTaxAmount(t.kop, t.amount), t.text) << t.amount.Raw();
    EXPECT_EQ(FormatTaxFloat(1.5), "1.5");
    EXPECT_EQ(FormatTaxFloat(1.0 / 3), "0.3333333333333");
    EXPECT_EQ(FormatTaxFloat(30), "30");
    EXPECT_EQ(CommasToBlanks("Иванов,Иван"), "Иванов Иван");
    EXPECT_EQ(CommasToBlanks(",А,"), "А");
    EXPECT_EQ(CommasToBlanks("А,,Б"), "А  Б");
    EXPECT_EQ(CommasToBlanks("  без запятой "), "  без запятой ");
}

TEST(ReportModel, ReadsTheWholeDeclaration) {
    mTDeclaration d;
    sample::Fill(d);
    const auto log = Read(d, true);
    EXPECT_FALSE(log->PrintDate);
    const kTDeclDan& g = *log->DeclDan;
    EXPECT_EQ(g.InspectionNumber, "7701");
    EXPECT_EQ(g.IncomeKinds, 7);
    EXPECT_EQ(g.FilingDate, EncodeDate(2006, 4, 28));
    EXPECT_EQ(g.FilerStatus, 3);
    const kTPersonDan& p = *log->PersonDan;
    EXPECT_EQ(p.Patronymic, "Фёдорович");
    EXPECT_EQ(p.DocTypeCode, 21);
    EXPECT_TRUE(p.IsForeigner);
    EXPECT_EQ(p.Inostr.WorkPhone, "8765432");
    EXPECT_EQ(p.Street, "ул. Ёлочная");
    EXPECT_EQ(p.District, " "); // blank texts become a blank
    const kTDohody& doh = *log->Dohody;
    ASSERT_EQ(doh.ThirteenList.Items.size(), 2u);
    const kThirteenDoh& s0 = doh.ThirteenList.Items[0];
    EXPECT_TRUE(s0.MonthPresent[0]);
    EXPECT_FALSE(s0.MonthPresent[1]);
    EXPECT_EQ(s0.MonthSum[5], Rub(-3));
    EXPECT_EQ(s0.LineCount, 3);
    EXPECT_EQ(doh.ThirtyFiveList.Items[0].TaxIsch, Currency::FromInt(16800)); // (50000 - 2000) x 35 %
    EXPECT_EQ(doh.ThirtyList.Items[0].SourseName, "АО Дивиденд");
    EXPECT_EQ(doh.InoValutList.Count13, 2);
    EXPECT_EQ(doh.PredprinimDeyatList.Items.size(), 3u);
    EXPECT_EQ(doh.PredprinimDeyatList.OGRNIP, "304770000123456");
    EXPECT_EQ(doh.PredprinimDeyatList.MonthSet, 0x0FFF);
    const auto& biz0 = doh.PredprinimDeyatList.Items[0];
    EXPECT_EQ(biz0.ExpenseTotals.Mat, Rub(100 * 12 + 66));
    EXPECT_EQ(biz0.PeriodExpense.Total, Rub(777.77));
    EXPECT_EQ(log->Vychety->StandartVych.Code, 110);
    EXPECT_EQ(log->Vychety->SocialVych.ChildEduSums.size(), 2u);
    EXPECT_EQ(log->Vychety->StroitVych.Share, 0.5L);
    ASSERT_EQ(log->Nalog.size(), 2u);
    EXPECT_EQ(log->Nalog[1].Sum, Rub(201));
}

TEST(ReportModel, DerivedValues) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto foreign = [&](std::int32_t code, double rub, double deduct, std::int32_t units) {
        auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
        c.Stav = 13;
        c.IncomeCode = code;
        c.IncomeRoubleSum = Rub(rub);
        c.DeductCode = 601;
        c.DeductSum = Rub(deduct);
        c.Units1 = units;
        c.Units2 = units;
        c.TaxRoubleSum = Rub(50);
    };
    foreign(2010, 1000, 1500, 0);
    foreign(1535, 1000, 1500, 3);
    foreign(2010, 100.05, 0, 1);
    auto prize = [&](double income) {
        auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
        p.ItogIncomeSum = Rub(income);
    };
    prize(1000);
    prize(1.43);
    d.StandartDeduct.StandartCode = 110; // without monthly codes: 103
    d.ConstructionDeduct.Granting = 1;
    d.ConstructionDeduct.Share = Currency::FromRaw(3334);
    auto log = Read(d);
    const auto& items = log->Dohody->InoValutList.Items;
    EXPECT_EQ(items[0].DeductSum, Rub(1000)); // cut to the income
    EXPECT_EQ(items[0].IncomeUnits, 1);
    EXPECT_EQ(items[0].TaxUnits, 1);
    EXPECT_EQ(items[1].DeductSum, Rub(1500)); // securities keep theirs
    EXPECT_EQ(items[1].TaxDue, Rub(-65));
    EXPECT_EQ(items[1].TaxCredit, Rub(-65));
    EXPECT_EQ(items[2].TaxDue.Raw(), 130065 * 10 / 10); // 100.05 x 13 % = 13.0065
    EXPECT_EQ(items[0].TaxCredit, Currency()); // the lesser of 0 due and 50 paid
    EXPECT_EQ(log->Dohody->ThirtyFiveList.Items[0].TaxIsch, Currency::FromInt(350));
    EXPECT_EQ(log->Dohody->ThirtyFiveList.Items[1].TaxIsch, Currency::FromInt(1)); // 0.5005 up
    EXPECT_EQ(log->Vychety->StandartVych.Code, 103);
    EXPECT_EQ(log->Vychety->StroitVych.Share, 0.33333333L);
    for (auto [raw, share] : std::initializer_list<std::pair<int, long double>>{
             {6667, 0.66666667L}, {6666, 0.66666667L}, {5000, 0.5L}, {3335, 0.3335L}, {3333, 0.33333333L}}) {
        d.ConstructionDeduct.Share = Currency::FromRaw(raw);
        EXPECT_EQ(Read(d)->Vychety->StroitVych.Share, share) << raw;
    }
}

TEST(ReportModel, TaxDueKeepsFourDecimalsHalfToEven) {
    mTDeclaration d;
    d.SetIncomeKinds(ikForeign);
    auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.Stav = 13;
    c.IncomeRoubleSum = Currency::FromRaw(5); // 0.0005 x 13 % = 0.000065 -> 0.0001
    auto& e = d.GetCurrencyIncome(d.AddCurrencyIncome());
    e.Stav = 10;
    e.IncomeRoubleSum = Currency::FromRaw(5); // 0.00005 -> 0.0000 (half to even)
    auto& f = d.GetCurrencyIncome(d.AddCurrencyIncome());
    f.Stav = 10;
    f.IncomeRoubleSum = Currency::FromRaw(15); // 0.00015 -> 0.0002
    auto log = Read(d);
    EXPECT_EQ(log->Dohody->InoValutList.Items[0].TaxDue.Raw(), 1);
    EXPECT_EQ(log->Dohody->InoValutList.Items[1].TaxDue.Raw(), 0);
    EXPECT_EQ(log->Dohody->InoValutList.Items[2].TaxDue.Raw(), 2);
}

TEST(ReportModel, NoIncomeKindMeansEmptyListsAndDeductions) {
    mTDeclaration d;
    d.SetIncomeKinds(0);
    d.GetNalog(d.AddNalog()).KBK = "18210102021011000110";
    auto log = Read(d);
    EXPECT_TRUE(log->Dohody->ThirteenList.Items.empty());
    EXPECT_FALSE(log->Vychety->StandartVych.Granting);
    EXPECT_EQ(log->Vychety->StroitVych.Street, " ");
    EXPECT_EQ(log->Nalog.size(), 1u);
}

TEST(ReportModel, ForeignerWithoutWorkPhoneAbroad) {
    mTDeclaration d;
    d.Person.IsForeigner = 1;
    d.Person.Foreigner.Citizenship = "Беларусь";
    d.Person.ForeignHomePhone = {"017", "1234"};
    auto block = reporttest::Block(d);
    std::string bytes(block.begin(), block.end());
    bytes.replace(bytes.find("@PhoneForeignerWork"), 19, "@PhoneForeignerWxrk");
    auto log = ReadDanLog(reinterpret_cast<const std::uint8_t*>(bytes.c_str()), false);
    EXPECT_EQ(log->PersonDan->Inostr.HomePhone, "1234");
    EXPECT_EQ(log->PersonDan->Inostr.WorkPhone, "");
    EXPECT_EQ(codec::Cp1251ToUtf8(codec::Utf8ToCp1251(log->PersonDan->Inostr.Citizenship)), "Беларусь");
}

TEST(ReportModel, ErrorsCarryThePlaceOfTheRecord) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.GetThirtyPercent(d.AddThirtyPercent());
    auto block = reporttest::Block(d);
    std::string bytes(block.begin(), block.end());
    bytes.replace(bytes.find("@ThirtyPercent000"), 17, "@ThirtyPercentXXX");
    try {
        ReadDanLog(reinterpret_cast<const std::uint8_t*>(bytes.c_str()), false);
        FAIL();
    } catch (const mEOpenStream& e) {
        EXPECT_EQ(e.PlaceCode, 376);
    }
    // A surname equal to a stream name is read as the surname: "@DeclInfo" comes first.
    mTDeclaration named;
    named.Person.Name.SurName = "@DeclInfo";
    named.InspectionNumber = "7701";
    auto log = Read(named);
    EXPECT_EQ(log->DeclDan->InspectionNumber, "7701");
    EXPECT_EQ(log->PersonDan->SurName, "@DeclInfo");
}
