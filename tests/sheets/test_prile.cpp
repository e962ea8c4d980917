#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilE.h"

#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

std::vector<rl::TElement> PartTwo(const std::array<Currency, 14>& lines) {
    rl::TOstrekReport r;
    clPartTwo(r, lines, "3", true);
    return r.Bands.at(0).Elements;
}

const rl::TElement* Text(const std::vector<rl::TElement>& elements, double top) {
    for (const rl::TElement& e : elements)
        if (e.font.family == QLatin1String("AGLettericaCondensedLight") && std::abs(e.top - (top - 4.5)) < 1e-9) return &e;
    return nullptr;
}

} // namespace

TEST(SheetK, StandardDeductionsHalfUpTotalsWithKopecks) {
    struct Case {
        double amount;
        const char* printed;
    } cases[] = {{5000.5, "5001"}, {5001.5, "5002"}, {5000.49, "5000"}, {0.5, "1"}, {-2.5, "-2"}, {-2.7, "-2"}};
    for (const Case& c : cases) {
        std::array<Currency, 14> lines{};
        lines[0] = Rub(c.amount);     // line 150
        lines[7] = Rub(c.amount);     // line 220, with kopecks as it stands
        const std::vector<rl::TElement> band = PartTwo(lines);
        EXPECT_EQ(DigitRow(band, 12.8 - 4.3, 100, 200), c.printed) << c.amount;
        const QString kopecks = QString::number(static_cast<long long>(std::llround(std::abs(c.amount) * 100))).rightJustified(3, QLatin1Char('0'));
        EXPECT_EQ(DigitRow(band, 81.2 - 4.3, 100, 200), (c.amount < 0 ? "-" : "") + kopecks) << c.amount;
    }
}

TEST(SheetK, SocialLinesInTheirRows) {
    std::array<Currency, 14> lines{};
    for (std::size_t i = 8; i < 14; ++i) lines[i] = Rub(static_cast<double>(i));
    const std::vector<rl::TElement> band = PartTwo(lines);
    const double tops[] = {100.4, 106.8, 116.4, 126, 132.4, 142};
    for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(DigitRow(band, tops[k] - 4.3, 100, 200), QString::number(k + 8) + "00") << k;
}

TEST(SheetK, MonthCountsEndAtTheirFieldsWhole) {
    for (const char* count : {"        12", "        3", "12"}) {
        rl::TOstrekReport r;
        clPartOne(r, {}, QString::fromUtf8(count), QString::fromUtf8(count), true);
        const std::vector<rl::TElement>& band = r.Bands.at(0).Elements;
        for (auto [left, top] : {std::pair{174.0, 52.4}, std::pair{173.0, 58.8}}) {
            const rl::TElement* e = Text(band, top);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->text, QString::fromUtf8(count).trimmed());
            EXPECT_NEAR(e->left + e->width, left + 17, 1e-9);
        }
    }
}

TEST(SheetK, WithoutStandardDeductionsPartOneStaysEmpty) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    sheettest::Run run = Prepare(d);
    kTSvodSumPrilE& e = run.c.sums->PrilE;
    e.CumIncome.fill(Rub(1000));
    e.Months130 = 12;
    e.Months140 = 12;
    e.Line240 = Rub(38000);
    run.c.plan.SheetPageCount[skPrilE] = 1;
    for (bool granted : {false, true}) {
        run.c.log->Vychety->StandartVych.Granting = granted;
        const std::vector<rl::TPage> pages = SheetPages(run, skPrilE);
        ASSERT_EQ(pages.size(), 1u);
        const rl::TPage& page = pages[0];
        EXPECT_EQ(OfKind(page, rl::TElementKind::PageCode).at(0)->text, "!5102!0187!");
        EXPECT_EQ(Count(page, "Раздел 00016"), 1);
        const rl::TElement* january = Only(page, "январь (010)");
        const rl::TElement* own = Only(page, "Сумма, уплаченная за свое обучение (не более 38000 руб.) (240)");
        ASSERT_TRUE(january && own);
        EXPECT_EQ(DigitRow(page, january->top - 10.6 + 14 - 4.3, 0, 100), granted ? "100000" : "") << granted;
        EXPECT_EQ(TextValues(page.Elements).contains("12"), granted);
        EXPECT_EQ(DigitRow(page, own->top - 103.6 + 106.8 - 4.3, 100, 200), "3800000");
        EXPECT_EQ(Count(page, "Подпись"), 1); // the whole sheet and its footer on one page
    }
}
