#include "SheetPageUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilH.h"

#include <QRectF>
#include <gtest/gtest.h>

using reporttest::Rub;
using namespace sheettest;

namespace {

std::vector<rl::TElement> Sheet(const std::array<Currency, 22>& lines) {
    rl::TOstrekReport r;
    clTopH(r, lines, {}, true);
    return r.Bands.at(0).Elements;
}

bool IsDigitCell(const rl::TElement& e) {
    return e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("Unreal") && e.font.size == 11;
}

QRectF Rect(const rl::TElement& e) { return QRectF(e.left, e.top, e.width, e.height); }

} // namespace

TEST(SheetH, EveryLineInItsRow) {
    // Line k (1..22) carries k roubles and k kopecks; its row and column from the form.
    struct Row {
        double top;
        bool deduction;
    };
    const Row rows[] = {{30.8, false},  {30.8, true},  {52.1, false},  {52.1, true},  {74.4, false},  {74.4, true},
                        {92.5, false},  {92.5, true},  {110.6, false}, {110.6, true}, {128.7, false}, {128.7, true},
                        {143.6, false}, {143.6, true}, {158.5, false}, {158.5, true}, {172.8, true},  {193.9, false},
                        {193.9, true},  {208.8, false}, {208.8, true}, {216.7, true}};
    std::array<Currency, 22> lines{};
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = Rub(static_cast<double>(i + 1) * 1.01);
    const std::vector<rl::TElement> sheet = Sheet(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int k = static_cast<int>(i + 1);
        const QString expected = QString::number(k) + QString::number(k).rightJustified(2, '0');
        const double from = rows[i].deduction ? 100 : 0, to = rows[i].deduction ? 200 : 100;
        EXPECT_EQ(DigitRow(sheet, rows[i].top - 4.3, from, to), expected) << "line " << (k * 10);
    }
}

TEST(SheetH, SevenDigitDeductionsPrintOverNoCaption) {
    std::array<Currency, 22> lines{};
    // Incomes of eight digits; deductions and totals at the 1 000 000 limit.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool income = (i < 16 && i % 2 == 0) || i == 17 || i == 19;
        lines[i] = income ? Rub(99999999) : Rub(1000000);
    }
    const std::vector<rl::TElement> sheet = Sheet(lines);
    EXPECT_EQ(DigitRow(sheet, 30.8 - 4.3, 100, 200), "100000000"); // line 020: seven rouble digits
    for (const rl::TElement& digit : sheet) {
        if (!IsDigitCell(digit) || digit.text.isEmpty()) continue;
        for (const rl::TElement& caption : sheet)
            if (caption.kind == rl::TElementKind::Label && !IsDigitCell(caption) && !caption.text.trimmed().isEmpty()) {
                EXPECT_FALSE(Rect(digit).intersects(Rect(caption)))
                    << digit.text.toStdString() << "@" << digit.left << "," << digit.top << " over " << caption.text.toStdString();
            }
    }
}

TEST(SheetH, OnePageWithItsCodes) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    d.Person.Name.INN = "500100732259";
    sheettest::Run run = Prepare(d);
    run.c.plan.SheetPageCount[skPrilH] = 1;
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilH);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(OfKind(pages[0], rl::TElementKind::PageCode).at(0)->text, "!5102!0156!");
    EXPECT_EQ(Count(pages[0], "Раздел 00013"), 1);
    EXPECT_EQ(Count(pages[0], "Лист Ж. Расчет имущественных налоговых вычетов по доходам от продажи имущества"), 1);
    EXPECT_EQ(Count(pages[0], "Подпись"), 1); // the footer fits on the page
}

// Every line of sheet Ж at the place the form gives it, printed by the builder from the sheet's
// figures: line k carries k x 101 roubles and k kopecks, so that two figures handed over in each
// other's places cannot pass.
TEST(SheetH, EveryLineFromItsFigureAtItsPlace) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    sheettest::Run run = Prepare(d);
    run.c.plan.SheetPageCount[skPrilH] = 1;
    kTSvodSumPrilH& h = run.c.sums->PrilH;
    for (std::size_t i = 0; i < std::size(reporttest::kSheetHLines); ++i)
        h.*reporttest::kSheetHLines[i] = Rub(static_cast<double>(i + 1) * 101.01);
    const std::vector<rl::TPage> pages = SheetPages(run, skPrilH);
    ASSERT_EQ(pages.size(), 1u);

    // The incomes at Left 45 in 28 mm, the deductions at Left 149 in 21 mm, the totals at Left 135.
    auto income = [](double top) { return TLinePlace{TField::Money, 45, top, 28}; };
    auto deduction = [](double top) { return TLinePlace{TField::Money, 149, top, 21}; };
    auto total = [](double top) { return TLinePlace{TField::Money, 135, top, 35}; };
    const std::vector<TLineCheck> lines = {
        {"010", income(30.8), {"101,01"}},     {"020", deduction(30.8), {"202,02"}},
        {"030", income(52.1), {"303,03"}},     {"040", deduction(52.1), {"404,04"}},
        {"050", income(74.4), {"505,05"}},     {"060", deduction(74.4), {"606,06"}},
        {"070", income(92.5), {"707,07"}},     {"080", deduction(92.5), {"808,08"}},
        {"090", income(110.6), {"909,09"}},    {"100", deduction(110.6), {"1010,10"}},
        {"110", income(128.7), {"1111,11"}},   {"120", deduction(128.7), {"1212,12"}},
        {"130", income(143.6), {"1313,13"}},   {"140", deduction(143.6), {"1414,14"}},
        {"150", income(158.5), {"1515,15"}},   {"160", deduction(158.5), {"1616,16"}},
        {"170", total(172.8), {"1717,17"}},    {"180", income(193.9), {"1818,18"}},
        {"190", deduction(193.9), {"1919,19"}}, {"200", income(208.8), {"2020,20"}},
        {"210", deduction(208.8), {"2121,21"}}, {"220", total(216.7), {"2222,22"}},
    };
    const TBandAnchor sheet{"Лист Ж. Расчет имущественных налоговых вычетов по доходам от продажи имущества", 0.1};
    ExpectLines(pages[0], sheet, 0, lines, 0, "");
}
