// Every text of every page against every box, rule and other text of its page: no text may run
// into another element, whatever the substitute faces measure.
#include "../SampleDecl.h"
#include "SheetPageUtil.h"
#include "reportcore/ClassesReportPlan.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kSlack = 0.05; // mm: touching is not overlapping

// The part of a label that ink covers: from the top of its capitals to its baseline, over the
// advance of its text without leading and trailing blanks (an underlined caption inks its blanks
// too). A row of dashes inks a thin rule at half the height of its small letters; a label of fixed
// size wraps its text into as many lines as the text needs.
QRectF Body(const rl::TElement& e) {
    QFont font(e.font.family);
    font.setPointSizeF(e.font.size);
    font.setBold(e.font.bold);
    const QFontMetricsF m(font);
    const double lineHeight = rl::TextHeightMm(e.font);
    const double scale = lineHeight / m.height();
    const double capTop = (m.ascent() - m.capHeight()) * scale;
    const double baseline = m.ascent() * scale;
    QString text = e.text;
    double left = e.left;
    if (!e.font.underline) {
        const int lead = static_cast<int>(text.size() - QString(text).remove(QRegularExpression("^ +")).size());
        left += rl::TextWidthMm(text.left(lead), e.font);
        text = text.trimmed();
    }
    if (QString(text).remove(QLatin1Char('-')).remove(QLatin1Char(' ')).isEmpty()) {
        const double middle = baseline - m.xHeight() * scale / 2;
        return QRectF(left, e.top + middle - 0.1, rl::TextWidthMm(text, e.font), 0.2);
    }
    const double natural = rl::TextWidthMm(text, e.font);
    const double width = std::min(natural, e.width);
    const int lines = e.height > 1.5 * lineHeight ? std::max(1, static_cast<int>(std::ceil(natural / e.width))) : 1;
    return QRectF(left, e.top + capTop, width, (lines - 1) * lineHeight + baseline - capTop);
}

bool IsText(const rl::TElement& e) { return e.kind == rl::TElementKind::Label && !e.text.trimmed().isEmpty(); }

QRectF Shrunk(const QRectF& r) { return r.adjusted(kSlack, kSlack, -kSlack, -kSlack); }

// A text against a rule or a box outline: the rule must not cross its body; a box must hold it
// wholly or not touch it.
bool Crosses(const QRectF& body, const rl::TElement& e) {
    const QRectF b = Shrunk(body);
    switch (e.kind) {
    case rl::TElementKind::Line:
        if (e.pen == rl::TPen::Strike) return false; // meant to cross its mark out
        if (e.height == 0) return e.top > b.top() && e.top < b.bottom() && e.left < b.right() && e.left + e.width > b.left();
        return e.left > b.left() && e.left < b.right() && e.top < b.bottom() && e.top + e.height > b.top();
    case rl::TElementKind::Rect: {
        if (e.color.alpha() == 0) return false; // a panel without outline lies behind its caption
        const QRectF r(e.left, e.top, e.width, e.height);
        return r.intersects(b) && !r.contains(b);
    }
    case rl::TElementKind::Image:
    case rl::TElementKind::PageCode: return QRectF(e.left, e.top, e.width, e.height).intersects(b);
    default: return false;
    }
}

std::vector<std::string> Overlaps(const std::vector<rl::TPage>& pages, const std::string& what) {
    std::vector<std::string> out;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto& el = pages[p].Elements;
        std::vector<QRectF> bodies(el.size());
        for (std::size_t i = 0; i < el.size(); ++i)
            if (IsText(el[i])) bodies[i] = Body(el[i]);
        for (std::size_t i = 0; i < el.size(); ++i) {
            if (!IsText(el[i])) continue;
            const QRectF& body = bodies[i];
            auto report = [&](const rl::TElement& other) {
                out.push_back(what + " page " + std::to_string(p + 1) + ": \"" + el[i].text.toStdString() + "\" @" +
                              std::to_string(el[i].left) + "," + std::to_string(el[i].top) + " runs into " +
                              (IsText(other) ? "\"" + other.text.toStdString() + "\"" : "element " + std::to_string(static_cast<int>(other.kind))) +
                              " @" + std::to_string(other.left) + "," + std::to_string(other.top));
            };
            for (std::size_t j = 0; j < el.size(); ++j) {
                if (j == i) continue;
                if (IsText(el[j])) {
                    if (j > i && Shrunk(body).intersects(Shrunk(bodies[j]))) report(el[j]);
                } else if (Crosses(body, el[j])) {
                    report(el[j]);
                }
            }
        }
    }
    return out;
}

std::vector<rl::TPage> AllPages(sheettest::Run& run) {
    std::vector<rl::TPage> pages;
    for (int k = 1; k <= kSheetKinds; ++k) {
        if (run.c.plan.SheetPageCount[k] <= 0) continue;
        const std::vector<rl::TPage> kind = sheettest::SheetPages(run, k);
        pages.insert(pages.end(), kind.begin(), kind.end());
    }
    return pages;
}

void Check(mTDeclaration& d, const std::string& what) {
    sheettest::Run run = sheettest::Prepare(d, 60);
    const std::vector<rl::TPage> pages = AllPages(run);
    EXPECT_EQ(static_cast<int>(pages.size()), run.c.plan.PageTotal);
    const std::vector<std::string> found = Overlaps(pages, what);
    for (std::size_t i = 0; i < found.size() && i < 400; ++i) ADD_FAILURE() << found[i];
    EXPECT_TRUE(found.empty()) << found.size() << " overlaps";
}

} // namespace

TEST(Overlap, FullResidentDeclaration) {
    mTDeclaration d;
    sample::EverySheet(d, 2);
    Check(d, "3-NDFL");
}

TEST(Overlap, NonResidentDeclaration) {
    mTDeclaration d;
    sample::Fill(d, 5, 3, 0, 0);
    d.DeclarationKind = 1;
    Check(d, "3-NDFL non-resident");
}

TEST(Overlap, EstimatedIncomeDeclaration) {
    mTDeclaration d;
    sample::Fill(d, 0, 0, 0, 0);
    d.DeclarationKind = 2;
    d.SetIncomeKinds(0);
    Check(d, "4-NDFL");
}
