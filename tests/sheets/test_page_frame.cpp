// The header and footer that every builder puts round its pages: the filer and the page as the
// builder hands them over, on every page of every sheet.
#include "../SampleDecl.h"
#include "SheetPageUtil.h"
#include "reportcore/ClassesReportPlan.h"

#include <gtest/gtest.h>

namespace {

// The texts of the labels standing at `top` with lefts in [from, to), left to right.
QString RowText(const rl::TPage& page, double top, double from, double to) {
    std::vector<std::pair<double, QString>> cells;
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && std::abs(e.top - top) < 1e-6 && e.left >= from && e.left < to)
            cells.emplace_back(e.left, e.text);
    std::sort(cells.begin(), cells.end());
    QString out;
    for (const auto& c : cells) out += c.second;
    return out;
}

} // namespace

// A declaration with every sheet over several pages, whose filer's first name and patronymic begin
// with different letters: every page but the title page and page 2 (whose bands hold their own
// header) carries the filer's INN, surname and initials each in its own cells, its page number, and
// the declaration's date in the footer.
TEST(PageFrame, EveryPageOfEverySheetCarriesTheFilerAndItsPlace) {
    mTDeclaration d;
    sample::EverySheet(d, 2);
    d.Person.Name.SurName = "Семёнов";
    d.Person.Name.FirstName = "Пётр";
    d.Person.Name.Patronymic = "Фёдорович";
    d.Person.Name.INN = "500100732259";
    d.FilingDate = EncodeDate(2006, 4, 28);
    sheettest::Run run = sheettest::Prepare(d);
    int checked = 0;
    for (int kind = skAdr + 1; kind <= kSheetKinds; ++kind) {
        if (run.c.plan.SheetPageCount[kind] <= 0) continue;
        const std::vector<rl::TPage> pages = sheettest::SheetPages(run, kind);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const rl::TPage& page = pages[p];
            SCOPED_TRACE(std::string(SheetKindInfo(kind).PreviewText) + ", page " + std::to_string(p + 1));
            EXPECT_EQ(RowText(page, 9, 71, 143), "500100732259");
            EXPECT_EQ(RowText(page, 32, 23, 172), "Семёнов");
            EXPECT_EQ(RowText(page, 32, 177, 182), "П");
            EXPECT_EQ(RowText(page, 32, 186, 191), "Ф");
            EXPECT_EQ(sheettest::HeaderPageNumber(page),
                      QString::number(run.c.plan.SheetFirstPage[kind] + 1 + static_cast<int>(p)).rightJustified(3, '0'));
            EXPECT_EQ(sheettest::Count(page, QStringLiteral("Раздел ") + SheetKindInfo(kind).SectionCode), 1);
            const auto codes = sheettest::OfKind(page, rl::TElementKind::PageCode);
            ASSERT_EQ(codes.size(), 1u);
            EXPECT_EQ(codes[0]->text, SheetKindInfo(kind).PageCode);
            const rl::TElement* sign = sheettest::Only(page, "Подпись");
            ASSERT_NE(sign, nullptr);
            EXPECT_EQ(RowText(page, sign->top, 127, 175), "28042006");
            ++checked;
        }
    }
    EXPECT_GT(checked, 20); // the sheets with several pages among them
}
