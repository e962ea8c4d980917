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
