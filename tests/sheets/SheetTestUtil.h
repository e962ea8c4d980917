// Helpers of the page tests: a declaration read and calculated as a run does, the pages of a
// report, and finding elements on them.
#pragma once

#include "../report/ReportTestUtil.h"
#include "platform/QtWindowing.h"
#include "reportcore/ClassesReportPlan.h"
#include "sheets/GeneralClasses.h"

#include <QStringList>

namespace sheettest {

struct Run {
    reporttest::Computed c;
    QStringList images;
    TBuildContext Context() { return TBuildContext{*c.log, *c.sums, c.plan, images}; }
};

inline Run Prepare(const mTDeclaration& d, int images = 0) {
    InstallFontSubstitutions();
    Run r;
    r.c = reporttest::Compute(d);
    r.c.plan = PlanPages(*r.c.log, *r.c.sums);
    for (int i = 0; i < images; ++i) r.images << QStringLiteral("/nonexistent/O%1.bmp").arg(i + 1, 3, 10, QLatin1Char('0'));
    return r;
}

// The labels of a page whose caption is `text`.
// The finders return pointers into the page: a temporary page is refused.
std::vector<const rl::TElement*> Labels(rl::TPage&&, const QString&) = delete;
inline std::vector<const rl::TElement*> Labels(const rl::TPage& page, const QString& text) {
    std::vector<const rl::TElement*> out;
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && e.text == text) out.push_back(&e);
    return out;
}

std::vector<const rl::TElement*> OfKind(rl::TPage&&, rl::TElementKind) = delete;
inline std::vector<const rl::TElement*> OfKind(const rl::TPage& page, rl::TElementKind kind) {
    std::vector<const rl::TElement*> out;
    for (const rl::TElement& e : page.Elements)
        if (e.kind == kind) out.push_back(&e);
    return out;
}

} // namespace sheettest
