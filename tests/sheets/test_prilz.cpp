#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesPrilZ.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

TEST(SheetL, ShareText) {
    struct Case {
        long double share;
        const char* text;
    } cases[] = {{0.5L, "0,5"}, {1.0L, "1"}, {0.33333333L, "0,3333"}, {0.66666667L, "0,6667"}, {0.00005L, "0"}, {0.00015L, "0,0002"}};
    for (const Case& c : cases) EXPECT_EQ(ShareText(c.share), QString::fromUtf8(c.text)) << c.text;
}

TEST(SheetL, ObjectAndDatesFromTheHousingRecord) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    sheettest::Run run = Prepare(d);
    kTStroitVych& s = run.c.log->Vychety->StroitVych;
    s.ObjectName = "Квартира";
    s.City = "Тула";
    s.BuyDate = EncodeDate(2004, 3, 5);
    s.RegDate = EncodeDate(2005, 11, 30);
    s.StartYear = EncodeDate(2005, 1, 1);
    s.Share = 0.5L;
    run.c.plan.SheetPageCount[skPrilZ] = 1;
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilZ);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList values = TextValues(pages[0].Elements);
    for (const char* text : {"Квартира", "Тула", "05.03.2004", "30.11.2005", "0,5"}) EXPECT_TRUE(values.contains(text)) << text;
    EXPECT_EQ(values.count("2005"), 2); // the year of first use and line 070
    EXPECT_EQ(OfKind(pages[0], rl::TElementKind::PageCode).at(0)->text, "!5102!0194!");
    EXPECT_EQ(Count(pages[0], "Раздел 00017"), 1);
    EXPECT_EQ(Count(pages[0], "Подпись"), 1);
}

TEST(SheetL, LinesInTheirRowsAndNegativeAmounts) {
    std::array<Currency, 17> lines{};
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = Rub(static_cast<double>(i + 1));
    lines[16] = Rub(-12.5); // line 240
    rl::TOstrekReport r;
    clTopZ(r, lines, TObjectZ{}, "7", false);
    const std::vector<rl::TElement>& band = r.Bands.at(0).Elements;
    EXPECT_EQ(r.Bands.at(0).Height, 232.4);
    const double tops[] = {85.4, 96.6, 116, 121.6, 127.2, 132.8, 138.4, 144, 152.4, 158, 169.2, 177.6, 191.6, 200, 208.4, 216.8};
    for (std::size_t i = 0; i < std::size(tops); ++i)
        EXPECT_EQ(DigitRow(band, tops[i] - 4.3, 100, 200), QString::number(i + 1) + "00") << "line " << (80 + 10 * i);
    EXPECT_EQ(DigitRow(band, 222.4 - 4.3, 100, 200), "-1250");
    // Line 070 is always "2005", also where no value prints.
    EXPECT_TRUE(TextValues(band).contains("2005"));
}

TEST(SheetL, LongNameIsCutWithoutSecondLine) {
    QString name;
    while (name.size() < 200) name += QStringLiteral("Жилой дом с мансардой ");
    rl::TOstrekReport r;
    TObjectZ object;
    object.Name = name;
    clTopZ(r, {}, object, {}, true);
    const QStringList values = TextValues(r.Bands.at(0).Elements);
    ASSERT_EQ(values.size(), 2); // the name and "2005"
    EXPECT_TRUE(name.startsWith(values[0]));
    EXPECT_LT(values[0].size(), name.size());
}

// Every line of sheet Л at the place the form gives it. The year's base lies between the expense
// deduction and the two deductions together, so that every figure differs from every other but
// line 230, the only empty one: two figures printed in each other's places cannot pass.
TEST(SheetL, EveryLineAtItsPlace) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    d.GetThirteenPercent(d.AddThirteenPercent()).AddSourseIncome(reporttest::Line(2000, 845000.89));
    mTConstructionDeduct& c = d.ConstructionDeduct;
    c.Granting = 1;
    c.ObjectName = "Квартира";
    c.PostIndex = "300012";
    c.RegionName = "Тульская область";
    c.RegionCode = "71";
    c.District = "Ленинский район";
    c.City = "Тула";
    c.Settlement = "Хомяково";
    c.Street = "Садовая";
    c.House = "12";
    c.Building = "3";
    c.Flat = "45";
    c.PurchaseDate = EncodeDate(2004, 3, 5);
    c.RegistrationDate = EncodeDate(2004, 11, 30);
    c.StartDate = EncodeDate(2004, 1, 1);
    c.Share = Rub(0.75);
    c.ObjectCost = Rub(700000.70);
    c.CreditInterest = Rub(300000.30);
    c.ChargeEarlierYears = Rub(30000.03);
    c.ChargeEarlierYearsAgent = Rub(20000.02);
    c.CreditEarlierYears = Rub(15000.15);
    c.CreditEarlierYearsAgent = Rub(10000.10);
    c.ChargeCarriedOver = Rub(61000.61);
    c.CreditCarriedOver = Rub(17000.17);
    c.ChargeAgentThisYear = Rub(40000.04);
    c.CreditAgentThisYear = Rub(5000.05);
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilZ);
    ASSERT_EQ(pages.size(), 1u);
    auto amount = [](double at) { return TLinePlace{TField::Money, 133, at, 38}; };
    const std::vector<TLineCheck> lines = {
        {"010", {TField::Text, 71, 19.2, 55}, {"Квартира"}},
        {"020 index", {TField::Text, 36, 31.6, 17}, {"300012"}},
        {"020 region", {TField::Text, 90, 31.6, 74}, {"Тульская область"}},
        {"020 region code", {TField::Text, 181, 31.6, 10}, {"71"}},
        {"020 district", {TField::Text, 19, 37.8, 77}, {"Ленинский район"}},
        {"020 city", {TField::Text, 107, 37.8, 80}, {"Тула"}},
        {"020 settlement", {TField::Text, 64, 44, 35}, {"Хомяково"}},
        {"020 street", {TField::Text, 144, 44, 46}, {"Садовая"}},
        {"020 house", {TField::Text, 43, 51.4, 25}, {"12"}},
        {"020 building", {TField::Text, 88, 51.4, 46}, {"3"}},
        {"020 flat", {TField::Text, 154, 51.4, 35}, {"45"}},
        {"030", {TField::Text, 60, 61.8, 35}, {"05.03.2004"}},
        {"040", {TField::Text, 155, 61.8, 35}, {"30.11.2004"}},
        {"050", {TField::Text, 66, 71.4, 25}, {"0,75"}},
        {"060", {TField::Text, 155, 71.4, 25}, {"2004"}},
        {"070", {TField::Text, 60, 77, 35}, {"2005"}},
        {"080", amount(85.4), {"700000,70"}},
        {"090", amount(96.6), {"300000,30"}},
        {"100", amount(116), {"50000,05"}},
        {"110", amount(121.6), {"30000,03"}},
        {"120", amount(127.2), {"20000,02"}},
        {"130", amount(132.8), {"25000,25"}},
        {"140", amount(138.4), {"15000,15"}},
        {"150", amount(144), {"10000,10"}},
        {"160", amount(152.4), {"61000,61"}},
        {"170", amount(158), {"17000,17"}},
        {"180", amount(169.2), {"40000,04"}},
        {"190", amount(177.6), {"5000,05"}},
        {"200", amount(191.6), {"800000,80"}},
        {"210", amount(200), {"610000,61"}},
        {"220", amount(208.4), {"190000,19"}},
        {"230", amount(216.8), {""}},
        {"240", amount(222.4), {"79999,81"}},
    };
    ExpectLines(pages[0], {"Лист Л. Расчет имущественного налогового вычета по суммам, израсходованным", 0}, 0, lines, 0, "");
}
