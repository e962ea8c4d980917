#include "SheetPageUtil.h"
#include "sheets/ClassesNum.h"
#include "sheets/ClassesTitul.h"
#include "sheets/SheetBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

using reporttest::Rub;
using sheettest::Labels;
using sheettest::OfKind;

namespace {

constexpr double kEps = 1e-6;
// The table band's top on a page: under the header (38) and a title band of the default height, or
// the 20 mm title bands of sections 5 and 6.
constexpr double kTable14Top = 38 + rl::kDefaultBandHeight;
constexpr double kTable56Top = 38 + 20;

bool IsFont(const rl::TElement& e, const char* family, double size, bool bold) {
    return e.kind == rl::TElementKind::Label && e.font.family == QLatin1String(family) && e.font.size == size &&
           e.font.bold == bold;
}

// The row-number labels of a section table, top to bottom.
std::vector<const rl::TElement*> RowNumbers(rl::TPage&&) = delete; // the page must outlive the pointers
std::vector<const rl::TElement*> RowNumbers(const rl::TPage& page) {
    std::vector<const rl::TElement*> out;
    for (const rl::TElement& e : page.Elements)
        if (IsFont(e, "Unreal", 10, true) && std::abs(e.left - 9) < kEps) out.push_back(&e);
    std::sort(out.begin(), out.end(), [](auto a, auto b) { return a->top < b->top; });
    return out;
}

// What each numbered row of a section table shows left of X 170 (the roubles, or "----"),
// trimmed; empty when the row shows nothing. The amount stands 1.5 mm above the row's number.
std::vector<QString> RowAmounts(const rl::TPage& page) {
    std::vector<QString> out;
    for (const rl::TElement* number : RowNumbers(page)) {
        QString shown;
        for (const rl::TElement& e : page.Elements)
            if (IsFont(e, "AGLettericaCondensedLight", 13, true) && std::abs(e.top - (number->top - 1.5)) < kEps &&
                std::abs(e.left + e.width - 170) < kEps)
                shown += e.text.trimmed();
        out.push_back(shown);
    }
    return out;
}

// The kopeck labels of a section table (".89"), which start at X 170.
std::vector<const rl::TElement*> Kopecks(rl::TPage&&) = delete;
std::vector<const rl::TElement*> Kopecks(const rl::TPage& page) {
    std::vector<const rl::TElement*> out;
    for (const rl::TElement& e : page.Elements)
        if (IsFont(e, "AGLettericaCondensedLight", 13, true) && e.text.startsWith(QLatin1Char('.'))) out.push_back(&e);
    return out;
}

QString PageNumber(const rl::TPage& page) {
    QString number;
    for (double left : {131.2, 137.2, 143.2})
        for (const rl::TElement& e : page.Elements)
            if (IsFont(e, "Arial", 10, true) && std::abs(e.top - 16) < kEps && std::abs(e.left - left) < kEps) number += e.text;
    return number;
}

// The barcode images of a page as (image, top).
std::vector<std::pair<QImage, double>> Images(const rl::TPage& page) {
    std::vector<std::pair<QImage, double>> out;
    for (const rl::TElement* e : OfKind(page, rl::TElementKind::Image)) {
        EXPECT_NEAR(e->left, 192, kEps);
        EXPECT_NEAR(e->width, 10, kEps);
        EXPECT_NEAR(e->height, 50, kEps);
        out.emplace_back(e->image, e->top);
    }
    return out;
}

QImage Image(int entry) { return sheettest::TestImage(entry); }

// The characters in the boxes of a section-6 line (labels at Left 89.1 + 5i and the given Top).
QString BoxText(const rl::TPage& page, double top, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        int found = 0;
        for (const rl::TElement& e : page.Elements)
            if (IsFont(e, "Unreal", 10, true) && std::abs(e.top - top) < kEps && std::abs(e.left - (89.1 + 5 * i)) < kEps) {
                text += e.text.isEmpty() ? QStringLiteral("_") : e.text;
                ++found;
            }
        EXPECT_EQ(found, 1) << "box " << i << " at " << top;
    }
    return text;
}

rl::TPage OnlyPage(const rl::TOstrekReport& report) {
    const std::vector<rl::TPage> pages = report.Pages();
    EXPECT_EQ(pages.size(), 1u);
    return pages.empty() ? rl::TPage{} : pages.front();
}

template <std::size_t N>
std::array<Currency, N> Lines(const std::vector<Currency>& v) {
    std::array<Currency, N> a{};
    std::copy_n(v.begin(), std::min(N, v.size()), a.begin());
    return a;
}

// A declaration with income at every rate: 13 % (30 % for a non-resident, kind 1) with tax to pay,
// 35 % with a refund and dividends, read and calculated with `images` barcode images.
sheettest::Run AllRates(std::uint8_t kind, int images) {
    mTDeclaration d;
    d.DeclarationKind = kind;
    d.SetIncomeKinds(ikRussian);
    d.Person.Address.OKATO = "45000000000";
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.OKATO = "45286555000";
    s.HoldSum = Rub(160000);
    s.AddSourseIncome(reporttest::Line(2000, 1234567.89));
    auto& p = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    p.ItogIncomeSum = Rub(1000);
    p.HoldSum = Rub(500);
    auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
    div.ItogIncomeSum = Rub(2000);
    div.HoldSum = Rub(100);
    div.Obl = Rub(2000);
    div.TaxIsch = Rub(180);
    return sheettest::Prepare(d, images);
}

using TableBuilder = std::function<rl::TBand&(rl::TOstrekReport&, const TBuildContext&, const std::vector<Currency>&)>;

struct TableCase {
    int section;
    int lines;
    std::vector<int> heights;     // of the rows, the heading row first
    std::vector<int> subheadings; // the shaded rows
    double bandHeight;
    int kopeckLines; // the first lines, with kopecks
    TableBuilder build;
};

const std::vector<TableCase>& TableCases() {
    static const std::vector<TableCase> cases = {
        {1, 11, {11, 6, 9, 9, 9, 6, 20, 6, 14, 9, 10, 14, 16, 16, 15, 15}, {1, 5, 7, 9}, 211, 5,
         [](rl::TOstrekReport& r, const TBuildContext& c, const std::vector<Currency>& v) -> rl::TBand& {
             return clR1(r, c, Lines<11>(v), true);
         }},
        {2, 10, {11, 6, 9, 9, 9, 6, 11, 6, 12, 6, 12, 12, 16, 15, 15}, {1, 5, 7, 9}, 196, 5,
         [](rl::TOstrekReport& r, const TBuildContext& c, const std::vector<Currency>& v) -> rl::TBand& {
             return clR2(r, c, Lines<10>(v), 0, true);
         }},
        {3, 9, {11, 6, 9, 6, 9, 6, 11, 6, 12, 12, 16, 16, 15, 15}, {1, 3, 5, 7}, 211, 3,
         [](rl::TOstrekReport& r, const TBuildContext& c, const std::vector<Currency>& v) -> rl::TBand& {
             return clR3(r, c, Lines<9>(v), 0, true);
         }},
        {4, 8, {11, 6, 9, 6, 12, 8, 12, 12, 16, 16, 15, 15}, {1, 3, 5}, 204, 2,
         [](rl::TOstrekReport& r, const TBuildContext& c, const std::vector<Currency>& v) -> rl::TBand& {
             return clR4(r, c, Lines<8>(v), 0, true);
         }},
        {5, 4, {11, 6, 15, 15, 6, 25, 25}, {1, 4}, 209, 0,
         [](rl::TOstrekReport& r, const TBuildContext& c, const std::vector<Currency>& v) -> rl::TBand& {
             return clR5(r, c, Lines<4>(v), 0, true);
         }},
    };
    return cases;
}

} // namespace

// Every amount stands in the row of its line, at X 170; rows are numbered without gaps and the
// sub-heading rows carry no number.
TEST(SectionTable, AmountsStandInTheRowsOfTheirLines) {
    auto run = sheettest::Prepare(mTDeclaration{});
    for (const TableCase& c : TableCases()) {
        SCOPED_TRACE(c.section);
        std::vector<Currency> amounts;
        std::vector<QString> expected;
        for (int k = 1; k <= c.lines; ++k) {
            amounts.push_back(Currency::FromInt(1001 * k));
            expected.push_back(GroupDigits(QString::number(1001 * k)).trimmed());
        }
        rl::TOstrekReport report;
        const rl::TBand& band = c.build(report, run.Context(), amounts);
        EXPECT_DOUBLE_EQ(band.Height, c.bandHeight);
        const rl::TPage page = OnlyPage(report);

        std::vector<QString> numbers, codes;
        for (const rl::TElement* e : RowNumbers(page)) numbers.push_back(e->text);
        for (const rl::TElement& e : page.Elements)
            if (IsFont(e, "Unreal", 10, false) && std::abs(e.left - 113) < kEps) codes.push_back(e.text);
        std::vector<QString> expectedNumbers, expectedCodes;
        for (int k = 1; k <= c.lines; ++k) {
            expectedNumbers.push_back(QString::number(k));
            expectedCodes.push_back(QString::number(k * 10).rightJustified(3, QLatin1Char('0')));
        }
        EXPECT_EQ(numbers, expectedNumbers);
        EXPECT_EQ(codes, expectedCodes);
        EXPECT_EQ(RowAmounts(page), expected);

        // The lines with kopecks come first; the others are whole roubles.
        const auto kopecks = Kopecks(page);
        EXPECT_EQ(static_cast<int>(kopecks.size()), c.kopeckLines);
        const auto rows = RowNumbers(page);
        for (std::size_t i = 0; i < kopecks.size(); ++i) {
            EXPECT_EQ(kopecks[i]->text, QStringLiteral(".00"));
            EXPECT_NEAR(kopecks[i]->left, 170, kEps);
            EXPECT_NEAR(kopecks[i]->top, rows.at(i)->top - 1.5, kEps);
        }

        // The rows' rectangles, the largest first: each reaches down to the bottom of its row, and the
        // sub-heading rows are grey.
        std::vector<std::pair<double, bool>> rects, expectedRects;
        for (const rl::TElement* e : OfKind(page, rl::TElementKind::Rect))
            if (std::abs(e->left - 7) < kEps && std::abs(e->width - 181) < kEps && e->fill.isValid())
                rects.emplace_back(e->height, e->fill == kGrey);
        double bottom = 0;
        for (std::size_t i = 0; i < c.heights.size(); ++i) {
            bottom += c.heights[i];
            const bool grey = std::find(c.subheadings.begin(), c.subheadings.end(), static_cast<int>(i)) != c.subheadings.end();
            expectedRects.insert(expectedRects.begin(), {bottom, grey});
        }
        EXPECT_EQ(rects, expectedRects);
    }
}

// Zero amounts: "----" in the lines that always show it, and in the "dash if zero" lines only when
// the amount passed is exactly zero; the rouble lines round an exact half up, as the text file does.
TEST(SectionTable, DashesAndRoundingOfTheRoubleLines) {
    auto run = sheettest::Prepare(mTDeclaration{});
    const QString D = QStringLiteral("----");
    struct Case {
        const char* name;
        int section;
        std::vector<Currency> amounts;
        std::vector<QString> shown;
    };
    const std::vector<Case> cases = {
        {"section 1, all zero", 1, {}, {"", "", "", "", D, "", "", "", "", D, D}},
        {"section 1, deductions above the taxable income",
         1,
         {Rub(9000), Rub(0), Rub(9000), Rub(12000)},
         {"9 000", "", "9 000", "12 000", D, "", "", "", "", D, D}},
        {"section 1, halves and fractions",
         1,
         {{}, {}, {}, {}, {}, Rub(2.5), Rub(3.5), Rub(0.5), Rub(1.5), Rub(0.4), Rub(2.5)},
         {"", "", "", "", D, "3", "4", "1", "2", "", "3"}},
        {"section 1, a tax line just below half a rouble", 1, {{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, Rub(0.4999)},
         {"", "", "", "", D, "", "", "", "", D, ""}},
        {"section 2, all zero", 2, {}, {"", "", "", "", D, "", "", "", D, D}},
        {"section 3, all zero", 3, {}, {"", "", D, "", "", "", "", D, D}},
        {"section 4, all zero", 4, {}, {"", "", "", "", "", "", D, D}},
        {"section 4, refund below half a rouble", 4, {{}, {}, {}, {}, {}, {}, Rub(0.4), Rub(4.5)},
         {"", "", "", "", "", "", "", "5"}},
        {"section 5, all zero", 5, {}, {"", "", D, D}},
        {"section 5, rounding", 5, {Rub(2.5), Rub(1234.5), Rub(0.4), {}}, {"3", "1 235", "", D}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rl::TOstrekReport report;
        TableCases().at(static_cast<std::size_t>(c.section - 1)).build(report, run.Context(), c.amounts);
        const rl::TPage page = OnlyPage(report);
        EXPECT_EQ(RowAmounts(page), c.shown);
        if (c.section == 5) {
            EXPECT_TRUE(Kopecks(page).empty());
        }
    }
}

TEST(SectionTable, KopecksOfAnAmountStartWhereTheRoublesEnd) {
    auto run = sheettest::Prepare(mTDeclaration{});
    rl::TOstrekReport report;
    clR1(report, run.Context(), Lines<11>({Rub(1234567.89), Rub(0.05)}), true);
    const rl::TPage page = OnlyPage(report);
    EXPECT_EQ(RowAmounts(page).at(0), QStringLiteral("1 234 567"));
    EXPECT_EQ(RowAmounts(page).at(1), QStringLiteral("0"));
    const auto kopecks = Kopecks(page);
    ASSERT_EQ(kopecks.size(), 2u);
    EXPECT_EQ(kopecks[0]->text, QStringLiteral(".89"));
    EXPECT_EQ(kopecks[1]->text, QStringLiteral(".05"));
    // Row 2 of the table (line 010) starts at 17 mm: the amount is 3.5 mm above the row's middle.
    EXPECT_NEAR(kopecks[0]->left, 170, kEps);
    EXPECT_NEAR(kopecks[0]->top, 1 + 11 + 6 + 9 / 2.0 - 3.5, kEps);
}

// Captions of the rows: sub-headings, captions and notes at their offsets below the row's top, with
// the sizes of their section.
TEST(SectionTable, CaptionsStandAtTheirRows) {
    auto run = sheettest::Prepare(mTDeclaration{});
    struct Case {
        int section;
        const char* text;
        double top;
        double size;
        bool bold;
    };
    const std::vector<Case> cases = {
        {1, "I Расчет общей суммы дохода, подлежащего налогообложению по ставке 13%", 12, 10, true},
        {1, "Общая сумма дохода ", 18, 8, false},
        {1, "(пп.2.1 Листа А + пп.2.1 Листа Б + пп.3.1 Листа В)", 21.7, 7, false},
        // Row 6 (line 040) starts at 50: two notes of two lines each.
        {1, "пп.2.3 Листа Ж + пп.4.3 Листа З +пп.4.3 Листа И + пп.2.8 Листа К +", 51 + 3.2 + 2.8, 7, false},
        {1, "пп.2.9 Листа Л)", 51 + 9.6 + 2.8, 7, false},
        {1, "IV Расчет итоговой суммы налога, подлежащей к уплате (доплате) / возврату", 91, 10, true},
        // Row 12 (line 080) starts at 123: the third of its four bold lines.
        {1, "физических лиц, а также уплаченного", 124 + 6.4, 8, true},
        {1, "(пп.2.4 Листа Б)", 140 + 9.6, 7, false},
        {1, "строке 110 ставится прочерк)", 171 + 3.2 + 5.6, 7, false},
        {1, "              (руб., коп.)", 6.2, 8, false},
        {2, "(пп.4.3 Листа З + пп.4.3 Листа", 51 + 3.2, 7, false},
        {2, "И)", 51 + 6.0, 7, false},
        {2, "строке 090 ставится прочерк)", 126 + 3.2 + 5.6, 7, false},
        {3, "II Общая сумма дохода, не подлежащего налогообложению", 27, 10, true},
        {3, "подлежащая зачету в Российской Федерации", 105 + 3.2, 8, true},
        {4, "III Расчет итоговой суммы налога, подлежащей к уплате (доплате) / возврату", 45, 10, true},
        {4, "080 ставится прочерк.)", 124 + 3.2 + 5.6, 7, false},
        {5, "I Сумма налога с доходов, облагаемых по различным ставкам", 12, 11, false},
        {5, "Общая сумма налога к возврату", 18, 9, false},
        {5, "раздела 3 + строка 070 раздела 4)", 18 + 5.2 + 3.2, 8, false},
        {5, "(доплате) в бюджет", 79 + 3.4, 9, true},
        {5, "прочерк.)", 79 + 8.4 + 6.4, 8, false},
        {5, "           (руб.)", 6.2, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        rl::TOstrekReport report;
        TableCases().at(static_cast<std::size_t>(c.section - 1)).build(report, run.Context(), {});
        const rl::TPage page = OnlyPage(report);
        const auto found = Labels(page, QString::fromUtf8(c.text));
        ASSERT_EQ(found.size(), 1u);
        const bool heading = c.text[0] == ' ';
        EXPECT_NEAR(found[0]->left, heading ? 145 : 18, kEps);
        EXPECT_NEAR(found[0]->top, c.top, kEps);
        EXPECT_EQ(found[0]->font.family, QStringLiteral("Unreal"));
        EXPECT_EQ(found[0]->font.size, c.size);
        EXPECT_EQ(found[0]->font.bold, c.bold);
    }
}

TEST(SectionTitle, CaptionsAndHeights) {
    struct Case {
        std::function<rl::TBand&(rl::TOstrekReport&)> build;
        std::vector<std::tuple<const char*, double, double>> captions;
        double height;
    };
    const std::vector<Case> cases = {
        {[](rl::TOstrekReport& r) -> rl::TBand& { return clTop1(r, true); },
         {{"Раздел 1. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %", 15, 5}},
         rl::kDefaultBandHeight},
        {[](rl::TOstrekReport& r) -> rl::TBand& { return clTop4(r, true); },
         {{"Раздел 4. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 9 %", 15, 5}},
         rl::kDefaultBandHeight},
        {[](rl::TOstrekReport& r) -> rl::TBand& { return clTop5(r, true); },
         {{"Раздел 5. Расчет итоговой суммы налога к уплате (доплате) / возврату", 28, 5},
          {"по всем видам доходов", 76, 10}},
         20},
        {[](rl::TOstrekReport& r) -> rl::TBand& { return clTop6(r, true); },
         {{"Раздел 6. Cуммы налога, подлежащие уплате (доплате) в бюджет / возврату", 15, 5}, {"из бюджета", 82, 10}},
         20},
    };
    for (const Case& c : cases) {
        rl::TOstrekReport report;
        const rl::TBand& band = c.build(report);
        EXPECT_DOUBLE_EQ(band.Height, c.height);
        ASSERT_EQ(band.Elements.size(), c.captions.size());
        for (std::size_t i = 0; i < c.captions.size(); ++i) {
            const auto& [text, left, top] = c.captions[i];
            const rl::TElement& e = band.Elements[i];
            SCOPED_TRACE(text);
            EXPECT_EQ(e.text, QString::fromUtf8(text));
            EXPECT_NEAR(e.left, left, kEps);
            EXPECT_NEAR(e.top, top, kEps);
            EXPECT_TRUE(IsFont(e, "Unreal", 11, true));
        }
    }
}

TEST(Section6Band, ChoiceMarkAndAmountBoxes) {
    auto run = sheettest::Prepare(mTDeclaration{});
    const QString blank15 = QString(15, QLatin1Char(' '));
    struct Case {
        const char* indicator;
        Currency amount;
        double markLeft; // 0: no mark
        QString pay, refund;
    };
    // The amount in whole roubles, half up, as the text file writes it.
    const std::vector<Case> cases = {
        {"2", Rub(1500), 128, blank15, QStringLiteral("           1500")},
        {"1", Rub(1234.5), 68, QStringLiteral("           1235"), blank15},
        {"2", Rub(1234.49), 128, blank15, QStringLiteral("           1234")},
        {"1", Rub(0.0125), 68, QStringLiteral("              0"), blank15},
        {"3", Rub(1500), 0, blank15, blank15},
        {"", Rub(7), 0, blank15, blank15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.indicator);
        rl::TOstrekReport report;
        const rl::TBand& band = clR6(report, run.Context(), QString::fromUtf8(c.indicator),
                                     QStringLiteral("18210102021011000110"), QStringLiteral("45286555000"), c.amount, 0, true);
        EXPECT_DOUBLE_EQ(band.Height, 180);
        const rl::TPage page = OnlyPage(report);
        const auto marks = Labels(page, QStringLiteral("V"));
        if (c.markLeft == 0) {
            EXPECT_TRUE(marks.empty());
        } else {
            ASSERT_EQ(marks.size(), 1u);
            EXPECT_NEAR(marks[0]->left, c.markLeft, kEps);
            EXPECT_NEAR(marks[0]->top, 1, kEps);
            EXPECT_TRUE(IsFont(*marks[0], "Unreal", 8, true));
        }
        EXPECT_EQ(BoxText(page, 54, 15), c.pay);
        EXPECT_EQ(BoxText(page, 72, 15), c.refund);
        EXPECT_EQ(BoxText(page, 36, 20), QStringLiteral("18210102021011000110"));
        EXPECT_EQ(BoxText(page, 45, 11), QStringLiteral("45286555000"));
    }
}

TEST(Section6Band, BoxesCutLongAndLeaveShortCodesOpen) {
    auto run = sheettest::Prepare(mTDeclaration{});
    rl::TOstrekReport report;
    clR6(report, run.Context(), QStringLiteral("1"), QStringLiteral("182101020210110001109"), QStringLiteral("45286"),
         Rub(1), 0, true);
    const rl::TPage page = OnlyPage(report);
    EXPECT_EQ(BoxText(page, 36, 20), QStringLiteral("18210102021011000110"));
    EXPECT_EQ(BoxText(page, 45, 11), QStringLiteral("45286______"));
    // The boxes of a line share their left edge at 88 and grow by 5 mm.
    for (const auto& [top, count] : std::initializer_list<std::pair<double, int>>{{35, 20}, {44, 11}, {53, 15}, {71, 15}}) {
        std::vector<double> widths;
        for (const rl::TElement* e : OfKind(page, rl::TElementKind::Rect))
            if (std::abs(e->top - top) < kEps) {
                EXPECT_NEAR(e->left, 88, kEps);
                EXPECT_NEAR(e->height, 6, kEps);
                EXPECT_FALSE(e->fill.isValid());
                widths.push_back(e->width);
            }
        ASSERT_EQ(static_cast<int>(widths.size()), count) << top;
        for (int i = 0; i < count; ++i) EXPECT_NEAR(widths[static_cast<std::size_t>(i)], 5.0 * (i + 1), kEps);
    }
    // Both choice boxes are drawn whatever is chosen.
    int choices = 0;
    for (const rl::TElement* e : OfKind(page, rl::TElementKind::Rect))
        if (std::abs(e->top - 1) < kEps && std::abs(e->width - 4.8) < kEps && std::abs(e->height - 4) < kEps &&
            (std::abs(e->left - 67) < kEps || std::abs(e->left - 127) < kEps))
            ++choices;
    EXPECT_EQ(choices, 2);
}

TEST(SectionImages, SectionOneShowsTheEntriesOfPageThree) {
    struct Case {
        int files;
        std::vector<std::pair<QImage, double>> shown;
    };
    const std::vector<Case> cases = {
        {9, {{Image(6), kTable14Top + 15}, {Image(7), kTable14Top + 85}, {Image(8), kTable14Top + 155}}},
        {8, {{Image(6), kTable14Top + 15}, {Image(7), kTable14Top + 85}}},
        {6, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files);
        auto run = AllRates(0, c.files);
        rl::TOstrekReport report;
        BuildRazdel1(report, run.Context());
        EXPECT_EQ(Images(OnlyPage(report)), c.shown);
    }
    // A band whose first entry lies beyond the list shows none.
    auto run = sheettest::Prepare(mTDeclaration{}, 9);
    rl::TOstrekReport report;
    clR3(report, run.Context(), {}, 9, true);
    EXPECT_TRUE(Images(OnlyPage(report)).empty());
}

// Each section builder makes one page: its header with the page number of the plan, the title, the
// section's figures in line order and the barcode images of that page.
TEST(SectionBuilders, OnePagePerSectionWithTheFiguresOfThePlan) {
    struct Case {
        int kind;
        std::uint8_t declarationKind;
        const char* title;
        double tableTop;
        std::vector<QString> rows;
    };
    const QString D = QStringLiteral("----");
    const std::vector<Case> cases = {
        {skRazdel1, 0, "Раздел 1. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %", kTable14Top,
         {"1 234 567", "", "1 234 567", "", "1 234 567", "160 494", "160 000", "", "", D, "494"}},
        {skRazdel2, 1, "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 30 %", kTable14Top,
         {"1 234 567", "", "1 234 567", "", "1 234 567", "370 370", "160 000", "", D, "210 370"}},
        {skRazdel3, 0, "Раздел 3. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 35 %", kTable14Top,
         {"1 000", "", "1 000", "350", "500", "", "", "150", D}},
        {skRazdel4, 0, "Раздел 4. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 9 %", kTable14Top,
         {"2 000", "2 000", "180", "100", "", "", D, "80"}},
        {skRazdel5, 0, "Раздел 5. Расчет итоговой суммы налога к уплате (доплате) / возврату", kTable56Top,
         {"150", "574", D, "424"}},
        {skRazdel5, 1, "Раздел 5. Расчет итоговой суммы налога к уплате (доплате) / возврату", kTable56Top,
         {"150", "210 450", D, "210 300"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SCOPED_TRACE(c.declarationKind);
        auto run = AllRates(c.declarationKind, 60);
        ASSERT_EQ(run.c.plan.SheetPageCount[c.kind], 1);
        const int first = run.c.plan.SheetFirstPage[c.kind];
        rl::TOstrekReport report;
        EXPECT_TRUE(BuildSheet(c.kind, report, run.Context()));
        const rl::TPage page = OnlyPage(report);
        EXPECT_EQ(PageNumber(page), QString::number(first + 1).rightJustified(3, QLatin1Char('0')));
        EXPECT_EQ(Labels(page, QStringLiteral("Раздел 0000%1").arg(c.kind - skRazdel1 + 1)).size(), 1u);
        const auto title = Labels(page, QString::fromUtf8(c.title));
        ASSERT_EQ(title.size(), 1u);
        EXPECT_NEAR(title[0]->top, 38 + 5, kEps);
        EXPECT_EQ(RowAmounts(page), c.rows);
        // The table hangs from the top of its band.
        EXPECT_NEAR(Labels(page, QStringLiteral("Показатели")).at(0)->top, c.tableTop + 5, kEps);
        const int image = c.kind == skRazdel1 ? 6 : 3 * first;
        const std::vector<std::pair<QImage, double>> images = {
            {Image(image), c.tableTop + 15}, {Image(image + 1), c.tableTop + 85}, {Image(image + 2), c.tableTop + 155}};
        EXPECT_EQ(Images(page), images);
        EXPECT_FALSE(Labels(page, QStringLiteral("Подпись")).empty()); // the footer fits on the page
    }
}

TEST(SectionBuilders, SectionSixHasOnePagePerEntry) {
    auto run = AllRates(0, 60);
    const int first = run.c.plan.SheetFirstPage[skRazdel6];
    ASSERT_EQ(run.c.plan.SheetPageCount[skRazdel6], 3);
    rl::TOstrekReport report;
    BuildRazdel6(report, run.Context());
    const std::vector<rl::TPage> pages = report.Pages();
    ASSERT_EQ(pages.size(), 3u);
    struct Expected {
        const char* kbk;
        double markLeft;
        QString pay, refund;
    };
    const QString blank15 = QString(15, QLatin1Char(' '));
    const Expected expected[] = {
        {"18210102021011000110", 68, QStringLiteral("            494"), blank15},
        {"18210102040011000110", 128, blank15, QStringLiteral("            150")},
        {"18210102010011000110", 68, QStringLiteral("             80"), blank15},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const rl::TPage& page = pages[static_cast<std::size_t>(i)];
        const Expected& e = expected[i];
        EXPECT_EQ(PageNumber(page), QString::number(first + 1 + i).rightJustified(3, QLatin1Char('0')));
        EXPECT_EQ(Labels(page, QStringLiteral("Раздел 00006")).size(), 1u);
        const double top = kTable56Top;
        EXPECT_EQ(BoxText(page, top + 36, 20), QString::fromUtf8(e.kbk));
        EXPECT_EQ(BoxText(page, top + 45, 11), QStringLiteral("45000000000"));
        EXPECT_EQ(BoxText(page, top + 54, 15), e.pay);
        EXPECT_EQ(BoxText(page, top + 72, 15), e.refund);
        const auto mark = Labels(page, QStringLiteral("V"));
        ASSERT_EQ(mark.size(), 1u);
        EXPECT_NEAR(mark[0]->left, e.markLeft, kEps);
        EXPECT_NEAR(mark[0]->top, top + 1, kEps);
        const int image = 3 * (first + i);
        const std::vector<std::pair<QImage, double>> images = {
            {Image(image), top + 15}, {Image(image + 1), top + 85}, {Image(image + 2), top + 155}};
        EXPECT_EQ(Images(page), images);
    }
}

TEST(SectionBuilders, SectionSixWithoutPagesBuildsNothing) {
    auto run = AllRates(0, 0);
    run.c.plan.SheetPageCount[skRazdel6] = 0;
    rl::TOstrekReport report;
    BuildRazdel6(report, run.Context());
    EXPECT_TRUE(report.Bands.empty());
}

// Form 4-NDFL has the estimated-income page in place of section 1, and no section table.
TEST(SectionBuilders, FormFourHasTheEstimatedIncomePageInPlaceOfSectionOne) {
    auto run = AllRates(2, 0);
    rl::TOstrekReport section, estimated;
    EXPECT_TRUE(BuildRazdel1(section, run.Context()));
    BuildNR2(estimated, run.Context());
    ASSERT_EQ(section.Bands.size(), estimated.Bands.size());
    for (std::size_t b = 0; b < section.Bands.size(); ++b) {
        const auto& got = section.Bands[b].Elements;
        const auto& want = estimated.Bands[b].Elements;
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, want[i].text);
            EXPECT_EQ(got[i].left, want[i].left);
            EXPECT_EQ(got[i].top, want[i].top);
        }
    }
    for (const rl::TBand& band : section.Bands)
        for (const rl::TElement& e : band.Elements)
            EXPECT_NE(e.text, QStringLiteral("Раздел 1. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %"));
}

// Every line of sections 1 to 5 printed by the builder from its own figure: line k of section s
// carries s x 100000 + k x 1001 roubles, so that two figures handed over in each other's places
// cannot pass (the figures keep some lines out of line order).
TEST(SectionBuilders, EveryLineFromItsFigureInItsRow) {
    auto run = AllRates(0, 0);
    kTSvodSum& sums = *run.c.sums;
    auto fill = [](auto& section, std::initializer_list<Currency std::remove_reference_t<decltype(section)>::*> lines,
                   int s) {
        int k = 0;
        for (auto line : lines) {
            ++k;
            section.*line = Currency::FromInt(s * 100000 + k * 1001);
        }
    };
    using S1 = kTSvodSumList1;
    using S2 = kTSvodSumList2;
    using S3 = kTSvodSumList3;
    using S4 = kTSvodSumList4;
    using S5 = kTSvodSumList5;
    fill(sums.List1,
         {&S1::Line010, &S1::Line020, &S1::Line030, &S1::Line040, &S1::Line050, &S1::Line060, &S1::Line070, &S1::Line080,
          &S1::Line090, &S1::Line100, &S1::Line110},
         1);
    fill(sums.List2,
         {&S2::Line010, &S2::Line020, &S2::Line030, &S2::Line040, &S2::Line050, &S2::Line060, &S2::Line070, &S2::Line080,
          &S2::Line090, &S2::Line100},
         2);
    fill(sums.List3,
         {&S3::Line010, &S3::Line020, &S3::Line030, &S3::Line040, &S3::Line050, &S3::Line060, &S3::Line070, &S3::Line080,
          &S3::Line090},
         3);
    fill(sums.List4,
         {&S4::Line010, &S4::Line020, &S4::Line030, &S4::Line040, &S4::Line050, &S4::Line060, &S4::Line070, &S4::Line080},
         4);
    fill(sums.List5, {&S5::Line010, &S5::Line020, &S5::Line030, &S5::Line040}, 5);
    const std::vector<std::pair<int, std::vector<QString>>> cases = {
        {skRazdel1,
         {"101 001", "102 002", "103 003", "104 004", "105 005", "106 006", "107 007", "108 008", "109 009", "110 010",
          "111 011"}},
        {skRazdel2,
         {"201 001", "202 002", "203 003", "204 004", "205 005", "206 006", "207 007", "208 008", "209 009", "210 010"}},
        {skRazdel3, {"301 001", "302 002", "303 003", "304 004", "305 005", "306 006", "307 007", "308 008", "309 009"}},
        {skRazdel4, {"401 001", "402 002", "403 003", "404 004", "405 005", "406 006", "407 007", "408 008"}},
        {skRazdel5, {"501 001", "502 002", "503 003", "504 004"}},
    };
    for (const auto& [kind, rows] : cases) {
        SCOPED_TRACE(kind - skRazdel1 + 1);
        rl::TOstrekReport report;
        ASSERT_TRUE(BuildSheet(kind, report, run.Context()));
        EXPECT_EQ(RowAmounts(OnlyPage(report)), rows);
    }
}

// A tax withheld of 15598.50: every whole-rouble figure of section 1 and sheet А is printed as the
// text file (and so the barcodes beside it) writes it, 15599 and not 15598.
TEST(SectionBuilders, WholeRoublesPrintedAsTheTextFileWritesThem) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.StandartDeduct.Granting = 0;
    auto& source = d.GetThirteenPercent(d.AddThirteenPercent());
    source.HoldSum = Rub(15598.50);
    source.AddSourseIncome(reporttest::Line(2000, 119990));
    auto run = sheettest::Prepare(d);
    auto written = [&run](const std::string& key) { return sheettest::Written(run, key); };
    // What a printed rouble figure says in the text file: blanks, and dashes, stand for 0.
    auto asWritten = [](QString printed) {
        printed.remove(QLatin1Char(' '));
        return printed.isEmpty() || printed == QStringLiteral("----") ? QStringLiteral("0") : printed;
    };

    rl::TOstrekReport section;
    ASSERT_TRUE(BuildSheet(skRazdel1, section, run.Context()));
    const std::vector<QString> rows = RowAmounts(OnlyPage(section));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[6], QStringLiteral("15 599")); // line 070
    for (int line = 60; line <= 110; line += 10)
        EXPECT_EQ(asWritten(rows[static_cast<std::size_t>(line / 10 - 1)]), written("П0000100" + std::to_string(1000 + line).substr(1) + "00"))
            << "line " << line;

    const std::vector<rl::TPage> sheet = sheettest::SheetPages(run, skPrilA13);
    ASSERT_EQ(sheet.size(), 1u);
    const auto paid = Labels(sheet[0], QStringLiteral("Сумма налога уплаченная (070)")); // the first block is the source's
    const rl::TElement* totals = sheettest::Only(sheet[0], QStringLiteral("2. Итоговые результаты"));
    ASSERT_TRUE(!paid.empty() && totals);
    EXPECT_EQ(sheettest::DigitRow(sheet[0], paid[0]->top - 29.1 + 28.0, 141, 200), QStringLiteral("15599"));
    EXPECT_EQ(sheettest::DigitRow(sheet[0], totals->top - 2 + 21.7, 141, 200), QStringLiteral("15599")); // line 110
    EXPECT_EQ(written("П000070007000"), QStringLiteral("15599"));
    EXPECT_EQ(written("П000070011000"), QStringLiteral("15599"));
    EXPECT_EQ(written("П000010007000"), QStringLiteral("15599"));
}

// An amount of section 6 with half a rouble, to pay and to refund: its boxes show the whole roubles
// the text file writes on the entry's line (and so the barcodes beside it), 1501 and not 1500,5.
TEST(SectionBuilders, SectionSixPrintsTheWholeRoublesOfTheTextFile) {
    struct Case {
        const char* name;
        double withheld; // of a tax of 13000
        double boxesTop;
        const char* line;
        const char* otherLine;
    } cases[] = {
        {"refund", 14500.50, 72, "П000060005000", "П000060004000"},
        {"payment", 11499.50, 54, "П000060004000", "П000060005000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        d.SetIncomeKinds(ikRussian);
        d.StandartDeduct.Granting = 0;
        auto& source = d.GetThirteenPercent(d.AddThirteenPercent());
        source.HoldSum = Rub(c.withheld);
        source.AddSourseIncome(reporttest::Line(2000, 100000));
        auto run = sheettest::Prepare(d);
        ASSERT_EQ(run.c.sums->List6.Entries.size(), 1u);
        EXPECT_EQ(run.c.sums->List6.Entries[0].Amount, Rub(1500.50));

        const std::vector<rl::TPage> pages = sheettest::SheetPages(run, skRazdel6);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(BoxText(pages[0], kTable56Top + c.boxesTop, 15), QStringLiteral("           1501"));
        EXPECT_EQ(sheettest::Written(run, c.line), QStringLiteral("1501"));
        EXPECT_EQ(sheettest::Written(run, c.otherLine), QStringLiteral("0"));
    }
}

// The refunds of sections 2 and 4 of a non-resident whose first 13 % source and first dividend
// source give no territory code, the later ones two different codes: each page of section 6 prints
// in its boxes the code of its own list's first source that has one, never the filer's or the other
// list's.
TEST(SectionBuilders, SectionSixPrintsEachRefundsTerritory) {
    mTDeclaration d;
    reporttest::RefundsOfSectionsTwoAndFour(d, {"", "45286560000", "45286570000"}, {"", "45286580000", "45286590000"});
    auto run = sheettest::Prepare(d);
    const std::vector<rl::TPage> pages = sheettest::SheetPages(run, skRazdel6);
    ASSERT_EQ(pages.size(), 2u);
    const struct {
        const char *kbk, *okato, *refund;
    } expected[] = {{"18210102030011000110", "45286560000", "           1500"},
                    {"18210102010011000110", "45286580000", "            180"}};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BoxText(pages[i], kTable56Top + 36, 20).toStdString(), expected[i].kbk);
        EXPECT_EQ(BoxText(pages[i], kTable56Top + 45, 11).toStdString(), expected[i].okato);
        EXPECT_EQ(BoxText(pages[i], kTable56Top + 72, 15).toStdString(), expected[i].refund);
    }
}
