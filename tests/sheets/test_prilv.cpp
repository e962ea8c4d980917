#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesPrilV.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

// Three activities: the first and third with documented expenses, the second at the 20 % norm.
void ThreeActivities(mTDeclaration& d) {
    d.SetIncomeKinds(ikBusiness);
    d.StandartDeduct.Granting = 0;
    d.ActualPrepayment = Rub(3000);
    d.NachPrepayment = Rub(3100);
    for (int i = 1; i <= 3; ++i) {
        auto& a = d.GetBusinessIncome(d.AddBusinessIncome());
        a.ActivityName = "Деятельность " + std::to_string(i);
        a.ActivityCode = "01.02.0" + std::to_string(i);
        a.SetIncomeByMonth(1);
        a.IncomeMonths = static_cast<std::uint16_t>(1u << (i - 1)); // months 1, 2 and 3 over the list
        a.ExpenseMonths = a.IncomeMonths;
        a.SetMonthIncome(i - 1, Rub(1000 * i));
        a.SetConfirmedExpenses(i == 2 ? 0 : 1);
        a.ResultExpense = Rub(200);
        if (i != 2) {
            mTBusinessExpense e{Rub(100), Rub(20), Rub(30), Rub(50)};
            a.SetMonthExpense(i - 1, &e);
        }
    }
}

std::vector<rl::TElement> Activity(const TActivityV& a) {
    rl::TOstrekReport r;
    clOneV(r, a);
    return r.Bands.at(0).Elements;
}

// The months crossed out: the horizontal lines across the month grid.
std::vector<int> Crossed(const std::vector<rl::TElement>& elements, double gridTop) {
    std::vector<int> months;
    for (const rl::TElement& e : elements)
        if (e.kind == rl::TElementKind::Line && e.height == 0 && std::abs(e.top - (gridTop + 5)) < 1e-6 && e.left >= 133 && e.left < 191)
            months.push_back(static_cast<int>(std::lround((e.left - 133) / 4.8)) + 1);
    return months;
}

QString Boxes(const std::vector<rl::TElement>& elements) {
    QString out;
    for (double left : {74.2, 79.2, 89.2, 94.2, 104.2, 109.2})
        for (const rl::TElement& e : elements)
            if (e.kind == rl::TElementKind::Label && std::abs(e.left - left) < 1e-9 && std::abs(e.top - 36.2) < 1e-9)
                out += e.text.isEmpty() ? QStringLiteral("_") : e.text;
    return out;
}

} // namespace

TEST(SheetV, OnePageAnActivityTotalsOnTheLast) {
    mTDeclaration d;
    ThreeActivities(d);
    sheettest::Run run = Prepare(d);
    ASSERT_EQ(run.c.plan.SheetPageCount[skPrilV], 3);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilV);
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 0; p < 3; ++p) {
        const rl::TPage& page = pages[static_cast<std::size_t>(p)];
        EXPECT_TRUE(TextValues(page.Elements).contains(QStringLiteral("Деятельность %1").arg(p + 1)));
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0118!");
        EXPECT_EQ(Count(page, "Раздел 00009"), 1);
        EXPECT_EQ(HeaderPageNumber(page), QString::number(run.c.plan.SheetFirstPage[skPrilV] + 1 + p).rightJustified(3, '0'));
        // Every page crosses out the months of all activities.
        const rl::TElement* grid = Only(page, "2.1. Месяцы, в которых физическое лицо имело статус индивидуального");
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(Crossed(page.Elements, grid->top - 47.3 + 47.5), (std::vector<int>{1, 2, 3})) << p;
        // Line 110, the total income, on the last page only.
        const rl::TElement* totals = Only(page, "3.Итого:");
        ASSERT_NE(totals, nullptr);
        EXPECT_EQ(DigitRow(page, totals->top - 1 + 9.4 - 4.3, 114, 200), p == 2 ? "600000" : "") << p;
        // Line 140 and 130: the advance payments.
        EXPECT_EQ(DigitRow(page, totals->top - 1 + 34.6 - 4.3, 114, 200), p == 2 ? "300000" : "") << p;
        EXPECT_EQ(DigitRow(page, totals->top - 1 + 26.2 - 4.3, 114, 200), p == 2 ? "310000" : "") << p;
    }
    // Documented expenses on line 050, the norm on line 100.
    const rl::TElement* first = Only(pages[0], "2.2. Сумма дохода (040)");
    const rl::TElement* second = Only(pages[1], "2.2. Сумма дохода (040)");
    ASSERT_TRUE(first && second);
    auto line = [](const rl::TPage& page, const rl::TElement* anchor, double top) {
        return DigitRow(page, anchor->top - 58.9 + top - 4.3, 114, 200);
    };
    EXPECT_EQ(line(pages[0], first, 73.5), "20000");
    EXPECT_EQ(line(pages[0], first, 121.5), "");
    EXPECT_EQ(line(pages[1], second, 73.5), "");
    EXPECT_EQ(line(pages[1], second, 121.5), "20000");
}

TEST(SheetV, ActivityCodeGroups) {
    struct Case {
        const char* code;
        const char* boxes;
    } cases[] = {{"01.02.03", "010203"}, {"..", "______"}, {"12.34", "12__34"}, {"1234", "____12"}, {"123.4567.89", "124589"}};
    for (const Case& c : cases) {
        TActivityV a;
        a.Code = QString::fromUtf8(c.code);
        EXPECT_EQ(Boxes(Activity(a)), c.boxes) << c.code;
    }
}

TEST(SheetV, MonthSetCrossesItsCells) {
    struct Case {
        std::uint16_t set;
        std::vector<int> months;
    } cases[] = {{0x0001, {1}}, {0x0FFF, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, {0xF000, {}}, {0x0801, {1, 12}}};
    for (const Case& c : cases) {
        TActivityV a;
        a.MonthSet = c.set;
        EXPECT_EQ(Crossed(Activity(a), 47.5), c.months) << c.set;
    }
}

TEST(SheetV, MonthNumbersInTheirCells) {
    const std::vector<rl::TElement> band = Activity(TActivityV{});
    for (int m = 1; m <= 12; ++m) {
        const double left = m <= 9 ? 134.2 + 4.8 * (m - 1) : 133.3 + 4.8 * (m - 1);
        bool found = false;
        for (const rl::TElement& e : band)
            if (e.text == QString::number(m) && std::abs(e.left - left) < 1e-9 && std::abs(e.top - 50.5) < 1e-9) found = true;
        EXPECT_TRUE(found) << m;
    }
}

TEST(SheetV, LongNameGoesOn) {
    QString name;
    while (name.size() < 700) name += QStringLiteral("Розничная торговля ");
    TActivityV a;
    a.Name = name;
    const QStringList lines = TextValues(Activity(a));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(name.startsWith(lines[0] + lines[1]));
}

// Every line of sheet В at the place the form gives it: an activity with documented expenses and
// one at the norm, every figure differing from every other, so that two figures printed in each
// other's places cannot pass.
TEST(SheetV, EveryLineAtItsPlace) {
    mTDeclaration d;
    d.SetIncomeKinds(ikBusiness);
    d.StandartDeduct.Granting = 0;
    d.ActualPrepayment = Rub(3210.98);
    d.NachPrepayment = Rub(4321.09);
    auto& documented = d.GetBusinessIncome(d.AddBusinessIncome());
    documented.ActivityName = "Ремонт обуви";
    documented.ActivityCode = "45.21.36";
    documented.SetIncomeByMonth(1);
    documented.IncomeMonths = 0x003; // January and February
    documented.SetMonthIncome(0, Rub(25000.25));
    documented.SetMonthIncome(1, Rub(35000.35));
    documented.SetConfirmedExpenses(1);
    documented.SetExpenseByMonth(0);
    const mTBusinessExpense expenses{Rub(1111.11), Rub(2222.22), Rub(3333.33), Rub(4444.44)};
    documented.SetPeriodExpense(&expenses);
    documented.ResultExpense = Rub(11111.10);
    auto& atNorm = d.GetBusinessIncome(d.AddBusinessIncome());
    atNorm.ActivityName = "Пошив одежды";
    atNorm.ActivityCode = "18.22.07";
    atNorm.SetIncomeByMonth(1);
    atNorm.IncomeMonths = 0x010; // May
    atNorm.SetMonthIncome(4, Rub(15000.15));
    atNorm.SetConfirmedExpenses(0);
    atNorm.ResultExpense = Rub(3000.03);
    sheettest::Run run = Prepare(d);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilV);
    ASSERT_EQ(pages.size(), 2u);

    // Each column: the page of the documented activity, then that of the one at the norm.
    const TBandAnchor activity{"1. Вид деятельности", 12};
    const std::vector<TLineCheck> lines = {
        {"010", {TField::Text, 50, 24.8, 141}, {"Ремонт обуви", "Пошив одежды"}},
        {"040", {TField::Money, 114, 62.1, 50}, {"60000,60", "15000,15"}},
        {"050", {TField::Money, 114, 73.5, 50}, {"11111,10", ""}},
        {"060", {TField::Money, 114, 79.9, 50}, {"1111,11", ""}},
        {"070", {TField::Money, 114, 87.1, 50}, {"2222,22", ""}},
        {"080", {TField::Money, 114, 94.3, 50}, {"3333,33", ""}},
        {"090", {TField::Money, 114, 101.5, 50}, {"4444,44", ""}},
        {"100", {TField::Money, 114, 121.5, 50}, {"", "3000,03"}},
    };
    const std::vector<TLineCheck> totals = {
        {"110", {TField::Money, 114, 9.4, 55}, {"", "75000,75"}},
        {"120", {TField::Money, 114, 17.8, 55}, {"", "14111,13"}},
        {"130", {TField::Money, 114, 26.2, 55}, {"", "4321,09"}},
        {"140", {TField::Money, 114, 34.6, 55}, {"", "3210,98"}},
    };
    const char* codes[] = {"452136", "182207"}; // line 020, two characters of each group
    for (std::size_t p = 0; p < 2; ++p) {
        const rl::TPage& page = pages[p];
        const std::string where = "page " + std::to_string(p + 1) + ", ";
        ExpectLines(page, activity, 0, lines, p, where);
        ExpectLines(page, {"3.Итого:", 1}, 0, totals, p, where);
        // The code boxes and the month grid, read on the activity's band.
        const double top = BandTop(page, QString::fromUtf8(activity.caption), activity.top);
        std::vector<rl::TElement> band;
        for (const rl::TElement& e : page.Elements) {
            rl::TElement moved = e;
            moved.top -= top;
            band.push_back(moved);
        }
        EXPECT_EQ(Boxes(band).toStdString(), codes[p]) << where << "line 020";
        EXPECT_EQ(Crossed(band, 47.5), (std::vector<int>{1, 2, 5})) << where << "line 030";
    }
}
