// Helpers of the page tests: a declaration read and calculated as a run does, the pages of a
// report, and finding elements on them.
#pragma once

#include "../report/ReportTestUtil.h"
#include "platform/QtWindowing.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"
#include "sheets/GeneralClasses.h"

#include <QImage>
#include <QList>

namespace sheettest {

// The run's barcode image of entry `entry`: a small image that no other entry equals.
inline QImage TestImage(int entry) {
    QImage img(8, entry + 1, QImage::Format_Mono);
    img.fill(0);
    return img;
}

struct Run {
    reporttest::Computed c;
    QList<QImage> images;
    TBuildContext Context() { return TBuildContext{*c.log, *c.sums, c.plan, images}; }
};

inline Run Prepare(const mTDeclaration& d, int images = 0) {
    InstallFontSubstitutions();
    Run r;
    r.c = reporttest::Compute(d);
    r.c.plan = PlanPages(*r.c.log, *r.c.sums);
    for (int i = 0; i < images; ++i) r.images << TestImage(i);
    return r;
}

// The value of the line `key` of the run's tax-office text file, "<missing>" when it has none.
inline QString Written(const Run& run, const std::string& key) {
    for (const std::string& l : BuildTaxText(*run.c.log, *run.c.sums, run.c.plan, TTaxClock{2008, 1, 2, 3, 4, 5}))
        if (l.rfind(key + ":", 0) == 0) return QString::fromStdString(l.substr(key.size() + 1));
    return QStringLiteral("<missing>");
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
