#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
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

// Every line of every block of sheet Б at the place the form gives it, printed by the builder from
// the incomes it reads and the sheet's figures: three incomes at 13 % over two pages, every field
// differing from every other, so that two values handed over in each other's places cannot pass.
TEST(SheetB, EveryLineOfEveryBlockAtItsPlace) {
    struct Income {
        const char *country, *source, *currencyName, *currencyCode;
        int incomeDay, taxDay;
        double incomeRate;
        std::int32_t incomeUnits;
        double taxRate;
        std::int32_t taxUnits;
        double incomeCur, taxCur, incomeRub, taxRub, taxDue, taxCredit;
    };
    const Income incomes[] = {
        {"826", "Bank of England", "Фунт стерлингов", "978", 1, 11, 52.30, 1, 52.45, 1, 1000.5, 100.25, 52326.15, 5257.73,
         6802.40, 5100.60},
        {"276", "Deutsche Bank", "Евро", "840", 2, 12, 34.56, 1, 35.01, 1, 1001, 100.1, 34594.56, 3504.50, 4497.29, 3400.40},
        {"756", "Credit Suisse", "Швейцарский франк", "392", 3, 13, 27.135, 100, 27.2, 100, 5002.75, 247.43, 1357.46, 67.30,
         176.47, 60.70},
    };
    mTDeclaration d;
    Resident(d);
    for (const Income& i : incomes) Foreign(d, 13, i.source);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilB13], 2);
    auto& items = run.c.log->Dohody->InoValutList.Items;
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const Income& i = incomes[k];
        kTInoValutDoh& item = items[k];
        item.CountryCode = i.country;
        item.SourseName = i.source;
        item.CurrencyName = i.currencyName;
        item.CurrencyCode = i.currencyCode;
        item.IncomeDate = EncodeDate(2005, 2 + static_cast<int>(k), i.incomeDay);
        item.TaxDate = EncodeDate(2005, 2 + static_cast<int>(k), i.taxDay);
        item.IncomeRate = Rub(i.incomeRate);
        item.IncomeUnits = i.incomeUnits;
        item.TaxRate = Rub(i.taxRate);
        item.TaxUnits = i.taxUnits;
        item.IncomeCur = Rub(i.incomeCur);
        item.TaxCur = Rub(i.taxCur);
        item.IncomeRub = Rub(i.incomeRub);
        item.TaxRub = Rub(i.taxRub);
        item.TaxDue = Rub(i.taxDue);
        item.TaxCredit = Rub(i.taxCredit);
    }
    kTSvodSumPrilB& totals = run.c.sums->PrilB13;
    totals.Line150 = Rub(88278.17);
    totals.Line160 = Rub(8829.53);
    totals.Line170 = Rub(11476);
    totals.Line180 = Rub(8562);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilB13);
    ASSERT_EQ(pages.size(), 2u);

    // Each column: the three incomes, then the empty block that pads the second page.
    const std::vector<TLineCheck> block = {
        {"020", {TField::Text, 63, 12.3, 122}, {"Bank of England", "Deutsche Bank", "Credit Suisse", ""}},
        {"030", {TField::Text, 40, 17.9, 100}, {"Фунт стерлингов", "Евро", "Швейцарский франк", ""}},
        {"040", {TField::Text, 168, 17.9, 20}, {"978", "840", "392", ""}},
        {"050", {TField::Text, 47, 28.3, 50}, {"01.02.2005", "02.03.2005", "03.04.2005", ""}},
        {"060", {TField::Text, 142, 28.3, 45}, {"52,3", "34,56", "0,27135", ""}},
        {"070", {TField::Text, 47, 38.7, 50}, {"1000,5", "1001", "5002,75", ""}},
        {"080", {TField::Money, 142, 38.7, 33}, {"52326,15", "34594,56", "1357,46", ""}},
        {"090", {TField::Text, 47, 49.1, 50}, {"11.02.2005", "12.03.2005", "13.04.2005", ""}},
        {"100", {TField::Text, 142, 49.1, 45}, {"52,45", "35,01", "0,272", ""}},
        {"110", {TField::Text, 47, 59.5, 50}, {"100,25", "100,1", "247,43", ""}},
        {"120", {TField::Money, 142, 59.5, 33}, {"5257,73", "3504,50", "67,30", ""}},
        {"130", {TField::Roubles, 47, 69.9, 33}, {"6802", "4497", "176", ""}},
        {"140", {TField::Roubles, 142, 69.9, 33}, {"5101", "3400", "61", ""}},
    };
    const QString countries[] = {"826", "276", "756", "   "};
    const std::vector<TLineCheck> sheetTotals = {
        {"150", {TField::Money, 47, 16.4, 33}, {"", "88278,17"}},
        {"160", {TField::Money, 137, 16.4, 33}, {"", "8829,53"}},
        {"170", {TField::Roubles, 47, 29.6, 33}, {"", "11476"}},
        {"180", {TField::Roubles, 137, 29.6, 33}, {"", "8562"}},
    };
    const TBandAnchor anchor{"Код страны по классификатору ОКСМ (числовой)(010)", 4};
    for (std::size_t p = 0; p < 2; ++p) {
        const rl::TPage& page = pages[p];
        for (std::size_t b = 0; b < 2; ++b) {
            const std::size_t column = 2 * p + b;
            const std::string where = "page " + std::to_string(p + 1) + ", block " + std::to_string(b + 1) + ", ";
            ExpectLines(page, anchor, b, block, column, where);
            // Line 010 in its three boxes.
            const double top = BandTop(page, QString::fromUtf8(anchor.caption), anchor.top, b);
            QString boxes;
            for (double left : {94.2, 99.2, 104.2})
                for (const rl::TElement& e : page.Elements)
                    if (e.kind == rl::TElementKind::Label && std::abs(e.left - left) < 1e-9 &&
                        std::abs(e.top - (top + 3.5)) < 1e-6)
                        boxes += e.text.trimmed().isEmpty() ? QStringLiteral(" ") : e.text;
            EXPECT_EQ(boxes, countries[column]) << where << "line 010";
        }
        ExpectLines(page, {"2. Итоговые результаты:", 2}, 0, sheetTotals, p, "page " + std::to_string(p + 1) + ", ");
    }
}
