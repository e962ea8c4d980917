#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesPrilB.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

void Foreign(mTDeclaration& d, std::int32_t rate, const std::string& source, double rouble = 52.3, std::int32_t units = 1,
             double tax = 100) {
    auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.Stav = rate;
    c.IncomeCode = 2010;
    c.SourseName = source;
    c.CountryCode = "826";
    c.CurrencyCode = "826";
    c.CurrencyName = "Фунт стерлингов";
    c.IncomeDate = EncodeDate(2005, 3, 1);
    c.TaxDate = EncodeDate(2005, 3, 9);
    c.Rate1 = Rub(rouble);
    c.Units1 = units;
    c.Rate2 = Rub(rouble);
    c.Units2 = units;
    c.SetIncomeCurrencySum(Rub(1000));
    c.SetTaxCurrencySum(Rub(tax));
}

void Resident(mTDeclaration& d) {
    d.SetIncomeKinds(ikForeign);
    d.StandartDeduct.Granting = 0;
}

QStringList Sources(const rl::TPage& page) {
    QStringList out;
    for (const QString& t : TextValues(page.Elements))
        if (t.startsWith(QStringLiteral("Источник"))) out << t;
    return out;
}

std::vector<rl::TElement> Block(const TIncomeB& income) {
    rl::TOstrekReport r;
    clDohodB(r, income, true);
    return r.Bands.at(0).Elements;
}

} // namespace

TEST(SheetB, OnlyItsRateTwoAPageInListOrder) {
    mTDeclaration d;
    Resident(d);
    const std::pair<int, const char*> items[] = {{9, "Источник 1"}, {13, "Источник 2"}, {13, "Источник 3"}, {35, "Источник 4"}, {13, "Источник 5"}};
    for (const auto& [rate, name] : items) Foreign(d, rate, name);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilB13], 2);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilB13);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Sources(pages[0]), (QStringList{"Источник 2", "Источник 3"}));
    EXPECT_EQ(Sources(pages[1]), (QStringList{"Источник 5"}));
    for (int p = 0; p < 2; ++p) {
        const rl::TPage& page = pages[static_cast<std::size_t>(p)];
        EXPECT_EQ(Count(page, "Код страны по классификатору ОКСМ (числовой)(010)"), 2); // the empty block pads page 2
        EXPECT_EQ(Count(page, "облагаемые налогом по ставке (001)  13   %"), 1);
        EXPECT_EQ(Count(page, "Раздел 00008"), 1);
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0101!");
        EXPECT_EQ(HeaderPageNumber(page), QString::number(run.c.plan.SheetFirstPage[skPrilB13] + 1 + p).rightJustified(3, '0'));
        // Line 150, the total income in roubles, on the last page only: 3 x 52 300.00.
        const rl::TElement* totals = Only(page, "2. Итоговые результаты:");
        ASSERT_NE(totals, nullptr);
        EXPECT_EQ(DigitRow(page, totals->top - 2 + 16.4 - 4.3, 47, 100), p == 1 ? "15690000" : "") << p;
    }
    const std::vector<rl::TPage> nine = SheetPages(run, skPrilB9);
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_EQ(Sources(nine[0]), (QStringList{"Источник 1"}));
}

TEST(SheetB, RatePerUnitAndDates) {
    struct Case {
        double rate;
        int units;
        const char* printed;
    } cases[] = {{28.45, 1, "28,45"}, {27.135, 100, "0,27135"}, {30, 1, "30"}};
    for (const Case& c : cases) {
        mTDeclaration d;
        Resident(d);
        Foreign(d, 13, "Источник", c.rate, c.units);
        sheettest::Run run = Prepare(d);
        const QStringList values = TextValues(SheetPages(run, skPrilB13).at(0).Elements);
        EXPECT_EQ(values.count(QString::fromUtf8(c.printed)), 2) << c.printed; // the income's and the tax's date
        EXPECT_TRUE(values.contains("01.03.2005"));
        EXPECT_TRUE(values.contains("09.03.2005"));
        EXPECT_TRUE(values.contains("1000")); // the income in the currency, no trailing zeros
    }
}

TEST(SheetB, CountryCodeInItsThreeBoxes) {
    struct Case {
        const char* code;
        QStringList boxes;
    } cases[] = {{"7", {"", "", "7"}}, {"643", {"6", "4", "3"}}, {"6431", {"6", "4", "3"}}, {"", {"", "", ""}}};
    for (const Case& c : cases) {
        TIncomeB income;
        income.CountryCode = QString::fromUtf8(c.code);
        QStringList boxes;
        for (double left : {94.2, 99.2, 104.2})
            for (const rl::TElement& e : Block(income))
                if (e.kind == rl::TElementKind::Label && std::abs(e.left - left) < 1e-9 && std::abs(e.top - 3.5) < 1e-9)
                    boxes << e.text.trimmed();
        EXPECT_EQ(boxes, c.boxes) << c.code;
    }
}

TEST(SheetB, TaxDateAndRateOnlyWithForeignTax) {
    TIncomeB income;
    income.TaxDate = "09.03.2005";
    income.TaxRate = "52,3";
    EXPECT_FALSE(TextValues(Block(income)).contains("09.03.2005"));
    EXPECT_FALSE(TextValues(Block(income)).contains("52,3"));
    income.TaxRub = Rub(0.01);
    EXPECT_TRUE(TextValues(Block(income)).contains("09.03.2005"));
    EXPECT_TRUE(TextValues(Block(income)).contains("52,3"));
}

TEST(SheetB, TaxLinesHalfUpAndNegativeAmounts) {
    struct Case {
        double tax;
        const char* printed;
    } cases[] = {{1500.4999, "1500"}, {1500.5, "1501"}, {2.5, "3"}, {0.49, ""}, {-1500.5, "-1500"}};
    for (const Case& c : cases) {
        TIncomeB income;
        income.TaxDue = Rub(c.tax);
        EXPECT_EQ(DigitRow(Block(income), 69.9 - 4.3, 0, 100), c.printed) << c.tax;
    }
    // A negative amount with kopecks: the sign just left of the first rouble cell, none on the kopecks.
    TIncomeB income;
    income.IncomeRub = Rub(-12.34);
    const std::vector<rl::TElement> block = Block(income);
    EXPECT_EQ(DigitRow(block, 38.7 - 4.3, 100, 200), "-1234");
    const auto minus = std::find_if(block.begin(), block.end(), [](const rl::TElement& e) { return e.text == "-"; });
    ASSERT_NE(minus, block.end());
    EXPECT_EQ(minus->left, 142 + 33 - 3 * 2 - 3);
}

TEST(SheetB, TitleWithoutValues) {
    rl::TOstrekReport r;
    clTopB(r, "  13   ", false);
    EXPECT_EQ(r.Bands.at(0).Elements.at(1).text, "облагаемые налогом по ставке (001)____%");
    EXPECT_EQ(r.Bands.at(0).Elements.at(0).left, 24);
}
