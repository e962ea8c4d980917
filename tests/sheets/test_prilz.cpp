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
